// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the parts of a one-line field lie, in window coordinates: the text
// editor (the client area inside the border), the text area the pointer
// treats as text, and the push button at the right end.
//
//   skinned:  +--LeftEnd--+-------- tiled middle --------+--RightEnd--+
//             |  inset by SkinClientRect on every side    | [button]   |
//             +-------------------------------------------+------------+
//   default:  2-pixel frame, button square (height x height) at the right.

#include "framework/trect.h"

struct TbsEditGeometry {
  TRect ClientRect;  // where the platform edit lies
  TRect TextArea;
  TRect ButtonArea;
};

struct TbsEditSkinGeometry {
  TRect SkinRect;        // the record's piece in its picture
  TRect SkinClientRect;  // the text area inside it
  TRect ButtonRect;      // relative to SkinRect
  int RightTopX = 0;     // where the right end begins, relative to SkinRect
};

constexpr int kEditBorder = 2;         // the default look's frame: two 1-pixel lines
constexpr int kEditButtonInset = 22;   // right inset of the default look's text in button mode

// `skin` null: the default look.
TbsEditGeometry ComputeEditGeometry(const TbsEditSkinGeometry* skin, int width, int height, bool buttonMode);

enum class TbsEditHit { Text, Frame, Button };
// What a point of the window is: the button (in button mode), the inert
// border outside the text area, or text.
TbsEditHit EditHitTest(const TPoint& point, const TbsEditGeometry& geometry, bool buttonMode);
