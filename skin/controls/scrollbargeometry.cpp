// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/scrollbargeometry.h"

#include <algorithm>
#include <cmath>

namespace {

int RoundEven(double v) { return int(std::nearbyint(v)); }

// Along-the-bar accessors, so the horizontal and vertical cases share one body.
int Start(const TRect& r, bool vertical) { return vertical ? r.Top : r.Left; }
int End(const TRect& r, bool vertical) { return vertical ? r.Bottom : r.Right; }

TRect Along(const TRect& across, int from, int to, bool vertical) {
  return vertical ? TRect{across.Left, from, across.Right, to} : TRect{from, across.Top, to, across.Bottom};
}

}  // namespace

double ScrollFraction(const TbsScrollState& s) {
  return s.Max == s.Min ? 0.0 : double(s.Position - s.Min) / double(s.Max - s.Min);
}

double PageFraction(const TbsScrollState& s) {
  const int top = s.Max - s.PageSize + 1;
  if (top > s.Min) return double(s.Position - s.Min) / double(top - s.Min);
  return s.Vertical ? 0.0 : 1.0;
}

int PageThumbLength(const TbsScrollState& s, int trackLength, int minimum) {
  const int divisor = s.Max - s.Min + 1;
  const int length = divisor == 0 ? 0 : RoundEven(double(trackLength) * s.PageSize / divisor);
  // Never longer than the track, so a tiny bar still draws inside itself.
  return std::min(std::max(length, minimum), std::max(trackLength, 0));
}

TbsScrollBarGeometry DefaultScrollBarGeometry(const TbsScrollState& s, int W, int H, int bothMarker) {
  TbsScrollBarGeometry g;
  const int B = kDefaultButtonLength;
  if (s.Vertical) {
    g.Parts[spDownButton] = {1, 1, W - 1, B};
    g.Parts[spUpButton] = {1, H - B, W - 1, H - 1};
    g.Track = {1, B, W - 1, H - B};
  } else {
    const int w = W - bothMarker;  // the corner square beside a vertical bar stays blank
    g.Parts[spDownButton] = {1, 1, B, H - 1};
    g.Parts[spUpButton] = {w - B, 1, w - 1, H - 1};
    g.Track = {B, 1, w - B, H - 1};
  }
  const int ts = Start(g.Track, s.Vertical), te = End(g.Track, s.Vertical);
  int length = kDefaultThumbLength;
  double fraction = ScrollFraction(s);
  int half = length / 2;
  if (s.PageSize != 0) {
    length = PageThumbLength(s, te - ts, kDefaultThumbLength);
    half = length / 2;
    length = 2 * half;
    fraction = PageFraction(s);
  }
  g.ThumbStart = ts + half;
  g.ThumbEnd = te - half;
  g.ThumbShift = RoundEven(fraction * (g.ThumbEnd - g.ThumbStart));
  g.Parts[spThumb] = Along(g.Track, ts + g.ThumbShift, ts + g.ThumbShift + length, s.Vertical);
  return g;
}

TbsScrollBarGeometry SkinScrollBarGeometry(const TbsScrollState& s, int W, int H, const TbsScrollBarSkinGeometry& k) {
  TbsScrollBarGeometry g;
  const bool v = s.Vertical;
  // How much longer the bar is than its piece; parts past the stretch point follow.
  const int D = v ? H - k.SkinRect.Height() : W - k.SkinRect.Width();
  g.Track = k.TrackArea;
  (v ? g.Track.Bottom : g.Track.Right) += D;
  auto place = [&](TRect r) {
    if (Start(r, v) > k.StretchPoint) OffsetRect(r, v ? 0 : D, v ? D : 0);
    return r;
  };
  g.Parts[spUpButton] = place(k.UpButtonRect);
  g.Parts[spDownButton] = place(k.DownButtonRect);

  const int recordLength = v ? k.ThumbRect.Height() : k.ThumbRect.Width();
  const int recordThickness = v ? k.ThumbRect.Width() : k.ThumbRect.Height();
  const int ts = Start(g.Track, v), te = End(g.Track, v);
  int length = recordLength;
  double fraction = ScrollFraction(s);
  if (s.PageSize != 0) {
    length = PageThumbLength(s, te - ts, recordLength);
    fraction = PageFraction(s);
  }
  const int half = length / 2;
  g.ThumbStart = ts + half;
  g.ThumbEnd = te - half;
  g.ThumbShift = RoundEven(fraction * (g.ThumbEnd - g.ThumbStart));
  const int centre = g.ThumbStart + g.ThumbShift;
  const int acrossStart = v ? g.Track.Left : g.Track.Top;
  const int acrossLength = v ? g.Track.Width() : g.Track.Height();
  const int a0 = acrossStart + acrossLength / 2 - recordThickness / 2;
  g.Parts[spThumb] = v ? TRect{a0, centre - half, a0 + recordThickness, centre + half}
                       : TRect{centre - half, a0, centre + half, a0 + recordThickness};
  return g;
}
