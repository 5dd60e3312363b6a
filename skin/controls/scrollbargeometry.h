// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the parts of a scroll bar lie at a given size and scroll state: the
// track, both buttons and the thumb, in bar coordinates. One pure function
// for the default look and one for a skin record, so the placement can be
// checked row by row without a widget.

#include "framework/trect.h"

enum TbsScrollBarPart { spThumb = 0, spUpButton = 1, spDownButton = 2 };

struct TbsScrollState {
  bool Vertical = false;
  int Min = 0;
  int Max = 100;
  int PageSize = 0;  // 0 = a thumb of fixed length
  int Position = 0;
};

struct TbsScrollBarGeometry {
  TRect Track;
  TRect Parts[3];  // by TbsScrollBarPart
  int ThumbStart = 0;  // thumb centre at the lowest position, along the bar
  int ThumbEnd = 0;    // thumb centre at the highest position
  int ThumbShift = 0;  // thumb centre minus ThumbStart now
};

// The record's pieces the skinned geometry needs, relative to SkinRect.
struct TbsScrollBarSkinGeometry {
  TRect SkinRect;
  TRect TrackArea;
  TRect UpButtonRect;
  TRect DownButtonRect;
  TRect ThumbRect;      // in the picture; only its size counts
  int StretchPoint = 0;  // RightTopPoint.X (horizontal) or LeftBottomPoint.Y (vertical)
};

constexpr int kDefaultButtonLength = 17;  // default-look arrow button, frame included
constexpr int kDefaultThumbLength = 16;   // and the shortest default thumb

// (Position - Min) / (Max - Min); 0 for an empty range.
double ScrollFraction(const TbsScrollState& s);
// With a page: where in [0, 1] the page starts; a page that covers the
// whole range puts a horizontal thumb at the end and a vertical one at the start.
double PageFraction(const TbsScrollState& s);
// The length of a page thumb for a track: proportional to the page, at least `minimum`.
int PageThumbLength(const TbsScrollState& s, int trackLength, int minimum);

TbsScrollBarGeometry DefaultScrollBarGeometry(const TbsScrollState& s, int width, int height, int bothMarker);
TbsScrollBarGeometry SkinScrollBarGeometry(const TbsScrollState& s, int width, int height,
                                           const TbsScrollBarSkinGeometry& skin);
