// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pure geometry of the frame: where a frame-picture object lies at the
// window's size, and where a moved window snaps to the work area's edges.

#include "framework/trect.h"

// `SkinRect` (frame-picture coordinates) moved by the corner zone it lies in:
//
//   +------+-------------+------+
//   |  TL  |             |  TR  |   TL stays, TR moves by (dx, 0),
//   +------+             +------+   BL by (0, dy), BR by (dx, dy);
//   |                           |   a rectangle spanning two zones
//   +------+             +------+   grows across the stretched middle.
//   |  BL  |             |  BR  |
//   +------+-------------+------+
//
// dx, dy: how far the sized right-bottom point moved.
TRect AnchorObjectRect(const TRect& SkinRect, const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                       int PictureWidth, int PictureHeight, int dx, int dy);

// Snaps a window moved to `Proposed` onto the edges of `WorkArea` when it
// comes closer than `MagneticSize`; the size stays. Right and bottom win
// over left and top when both match.
TRect SnapToEdges(const TRect& Proposed, const TRect& WorkArea, int MagneticSize);
