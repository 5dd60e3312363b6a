// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The default look of a part that answers the pointer (caption buttons,
// buttons, scroll bar parts, list caption buttons) when there is no skin:
// the button face in a shadow frame, a light blue face in a navy frame under
// the pointer, a darker blue face when pressed.

#include "framework/tcanvas.h"

constexpr TColor kDefaultHotFrameColor = RGBColor(0, 0, 128);
constexpr TColor kDefaultHotFaceColor = RGBColor(182, 189, 210);
constexpr TColor kDefaultDownFaceColor = RGBColor(133, 147, 181);

enum TbsDefaultPartState { dpsNormal, dpsHot, dpsDown };

// Fills `r` with the face of `state` inside its one-pixel frame.
void DrawDefaultPart(TCanvas& canvas, const TRect& r, TbsDefaultPartState state);
