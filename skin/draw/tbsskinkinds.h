// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skin's numbered kinds that both the records (which read them) and the
// pixel code (which carries them out) name.

// Numbers of the "morphkind" key: how an object fades between two looks.
enum TbsMorphKind { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };

// Numbers of the "inactiveeffect" key: how an inactive frame is drawn.
enum TbsImageEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
