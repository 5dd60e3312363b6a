// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing a skin rectangle at any size by its corner points: corners are
// copied 1:1, edges tiled (or stretched where the skin asks for it), the
// middle tiled. Geometry is passed as the skin records hold it: the corner
// points LT, RT, LB, RB and the client rectangle CR relative to the skin
// rectangle, and their sized counterparts NLT .. NCR for the wanted size.

#include <algorithm>

#include "framework/tbitmap.h"
#include "framework/trect.h"

inline int RectWidth(const TRect& r) { return r.Right - r.Left; }
inline int RectHeight(const TRect& r) { return r.Bottom - r.Top; }
inline bool IsEmptyRect(const TRect& r) { return RectWidth(r) < 1 || RectHeight(r) < 1; }
inline bool IsZeroPoint(const TPoint& p) { return p.X == 0 || p.Y == 0; }
// Unlike PtInRect, the right and bottom edges count as inside.
inline bool PointInRectInclusive(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}
// Both the top-left and the bottom-right corner of `inner` pass PtInRect on
// `outer`, so an inner rectangle reaching outer's right or bottom edge fails.
inline bool RectInRect(const TRect& inner, const TRect& outer) {
  return PtInRect(outer, {inner.Left, inner.Top}) && PtInRect(outer, {inner.Right, inner.Bottom});
}

// -1 no picture, 0 fixed size, 1 both dimensions follow the size,
// 2 only the width follows, 3 only the height follows.
int StretchKind(const TRect& SkinRect, const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB);

struct TbsSizedGeometry {
  int Width = 0;   // the size actually drawn: kinds 0, 2 and 3 force
  int Height = 0;  // one or both back to the skin rectangle's
  TPoint SizedLeftTopPoint;
  TPoint SizedRightTopPoint;
  TPoint SizedLeftBottomPoint;
  TPoint SizedRightBottomPoint;
  TRect SizedClientRect;
};

// The corner points and client rectangle moved for a wanted size, by `Kind`
// (a StretchKind value).
TbsSizedGeometry ComputeSizedGeometry(const TRect& SkinRect, const TPoint& LT, const TPoint& RT, const TPoint& LB,
                                      const TPoint& RB, const TRect& CR, int Width, int Height, int Kind = 1);

void ComposeSkinImage(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& CR,
                      const TPoint& NLT, const TPoint& NRT, const TPoint& NLB, const TPoint& NRB, const TRect& NCR,
                      TBitmap& Dest, const TBitmap& Source, const TRect& SkinRect, int Width, int Height,
                      bool DrawClient);

void ComposeSkinImageStretched(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                               const TRect& CR, const TPoint& NLT, const TPoint& NRT, const TPoint& NLB,
                               const TPoint& NRB, const TRect& NCR, TBitmap& Dest, const TBitmap& Source,
                               const TRect& SkinRect, int Width, int Height, bool DrawClient, bool LeftStretch,
                               bool TopStretch, bool RightStretch, bool BottomStretch);

// The window frame as four strips without the client area. A strip whose
// size or edge piece is empty keeps its previous size and content.
void ComposeFrameEdges(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& CR,
                       const TPoint& NLT, const TPoint& NRT, const TPoint& NLB, const TPoint& NRB, const TRect& NCR,
                       TBitmap& LeftStrip, TBitmap& TopStrip, TBitmap& RightStrip, TBitmap& BottomStrip,
                       const TBitmap& Source, const TRect& SkinRect, int Width, int Height, bool LeftStretch,
                       bool TopStretch, bool RightStretch, bool BottomStretch);

// Width x RectHeight(SkinRect): both ends 1:1, the part between them tiled.
void ComposeHorizontalSkinImage(int LeftOffset, int RightOffset, TBitmap& Dest, const TBitmap& Source,
                                const TRect& SkinRect, int Width);
// RectWidth(SkinRect) x Height, the same along the height.
void ComposeVerticalSkinImage(int TopOffset, int BottomOffset, TBitmap& Dest, const TBitmap& Source,
                              const TRect& SkinRect, int Height);

// Tiles a strip of length `length` over the run from `from` to `to`: tiles
// k = 0 .. (to - from) div length start at from + k x length, the last one cut
// at `to` (and empty when the run is an exact multiple). drawTile(at, count)
// gets every non-empty tile; a strip of length 0 or a reversed run draws nothing.
template <class DrawTile>
void TileRun(int length, int from, int to, DrawTile&& drawTile) {
  if (length <= 0) return;
  const int n = (to - from) / length;
  if (n < 0) return;
  for (int k = 0; k <= n; ++k) {
    const int at = from + k * length;
    const int cut = std::max(0, at + length - to);
    if (length - cut > 0) drawTile(at, length - cut);
  }
}
