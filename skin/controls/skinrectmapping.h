// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a part placed in a skin rectangle (a caption area, say) lands when
// the skin is drawn at another size: parts inside a corner move with that
// corner, parts spanning corners grow with the edges between them.

#include "framework/trect.h"

struct TbsSkinCorners {
  TPoint LeftTop, RightTop, LeftBottom, RightBottom;
  int SkinWidth = 0;
  int SkinHeight = 0;
};

// `R` relative to the skin rectangle, for a drawing dx wider and dy taller,
// by the stretch kind (1 full, 2 horizontal, 3 vertical; others: unchanged).
TRect MapSkinRect(const TRect& R, int Kind, const TbsSkinCorners& C, int dx, int dy);
