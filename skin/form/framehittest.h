// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hit testing of the skinned and the default frame: pure functions from a
// point, the frame's sized geometry and the window's state to a hit-test
// code, so the rules can be checked row by row without a window.

#include "framework/tbitmap.h"
#include "framework/trect.h"

// The mask's four border strips at the window's size; hit testing reads
// their pixels instead of asking the window region.
struct TbsMaskStrips {
  TBitmap Left, Top, Right, Bottom;
  bool Empty() const { return Left.Empty() && Top.Empty() && Right.Empty() && Bottom.Empty(); }
  void Clear() {
    Left.Clear();
    Top.Clear();
    Right.Clear();
    Bottom.Clear();
  }
};

// Whether window point Q is inside the window shape: the mask area, or a
// black pixel of the strip that covers Q.
bool PointInWindowShape(const TPoint& Q, const TRect& SizedMaskRectArea, const TbsMaskStrips& Strips);

struct TbsSkinnedHitTest {
  TPoint P;  // window coordinates
  int FrameWidth = 0;
  int FrameHeight = 0;
  TRect SizedClientRect;
  TPoint HitLeftTop, HitRightTop, HitLeftBottom, HitRightBottom;  // sized hit-test points
  int BorderWidth = 0;
  const TbsMaskStrips* Mask = nullptr;  // null or empty: the window is rectangular
  TRect SizedMaskRectArea;
  bool OnCaptionObject = false;  // P lies on a caption object
  bool ObjectHot = false;
  bool InSizeMove = false;
  bool Maximized = false;
  bool Minimized = false;
  bool RolledUp = false;
  bool Sizeable = false;
};
int SkinnedHitTestCode(const TbsSkinnedHitTest& t);

struct TbsDefaultHitTest {
  TPoint P;
  int Width = 0;
  int Height = 0;
  int CaptionHeight = 19;
  TRect CaptionRect;  // the default caption rectangle after the buttons are laid out
  bool ObjectHot = false;
  bool Maximized = false;
  bool Minimized = false;
  bool RolledUp = false;
  bool Sizeable = false;
};
int DefaultHitTestCode(const TbsDefaultHitTest& t);
