// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/draw/skinregion.h"

#include <algorithm>
#include <cstring>

#include "skin/draw/pixelbuffer.h"
#include "skin/draw/pixelkernels.h"
#include "skin/draw/skinimage.h"
#include "skin/draw/tbsfbitmap.h"

namespace {

constexpr size_t kHeaderBytes = sizeof(TbsRegionDataHeader);
constexpr size_t kRectBytes = 16;  // Left, Top, Right, Bottom as 32-bit integers

// One rectangle per run of black pixels, row by row, left to right. The
// row is first turned into one bit per pixel so runs are found a word at a time.
void ScanRuns(const TbsFBitmap& mask, int xOffset, int yOffset, std::vector<int32_t>& runs) {
  const int width = mask.Width();
  const int words = (width + 63) / 64;
  std::vector<uint64_t> bits(size_t(words) + 1, 0);  // one spare word ends every search
  // The first column at or after x whose bit equals `set`, or width.
  const auto next = [&](int x, bool set) {
    if (x >= width) return width;
    int w = x / 64;
    uint64_t word = (set ? bits[size_t(w)] : ~bits[size_t(w)]) & (~uint64_t(0) << (x % 64));
    while (word == 0) {
      if (++w >= words) return width;
      word = set ? bits[size_t(w)] : ~bits[size_t(w)];
    }
    return std::min(width, w * 64 + __builtin_ctzll(word));
  };
  for (int y = 0; y < mask.Height(); ++y) {
    bspixels::BlackPixelBits(mask.RowPointers()[size_t(y)], width, bits.data());
    for (int x = next(0, true); x < width; x = next(x, true)) {
      const int x0 = x;
      x = next(x0, false);
      runs.insert(runs.end(), {x0 + xOffset, y + yOffset, x + xOffset, y + yOffset + 1});
    }
  }
}

}  // namespace

std::vector<uint8_t> MaskToRegionData(const TBitmap& Picture, int XOffset, int YOffset) {
  return MaskToRegionData(Picture.Image(), XOffset, YOffset);
}

std::vector<uint8_t> MaskToRegionData(const QImage& Picture, int XOffset, int YOffset) {
  if (Picture.isNull() || Picture.width() <= 0 || Picture.height() <= 0) return {};
  const TbsFBitmap mask(Picture);
  std::vector<int32_t> runs;  // grows as far as the mask needs
  runs.reserve(size_t(mask.Height()) * 4 * 4);
  ScanRuns(mask, XOffset, YOffset, runs);

  TbsRegionDataHeader header;
  header.Count = uint32_t(runs.size() / 4);
  header.BoundLeft = XOffset;
  header.BoundTop = YOffset;
  header.BoundRight = XOffset + mask.Width();
  header.BoundBottom = YOffset + mask.Height();
  std::vector<uint8_t> block(kHeaderBytes + runs.size() * sizeof(int32_t));
  std::memcpy(block.data(), &header, kHeaderBytes);
  if (!runs.empty()) std::memcpy(block.data() + kHeaderBytes, runs.data(), runs.size() * sizeof(int32_t));
  return block;
}

TbsRegionDataHeader RegionDataHeader(const std::vector<uint8_t>& block) {
  TbsRegionDataHeader header;
  header.Size = 0;
  if (block.size() >= kHeaderBytes) std::memcpy(&header, block.data(), kHeaderBytes);
  return header;
}

std::vector<TRect> RegionDataRects(const std::vector<uint8_t>& block) {
  const TbsRegionDataHeader header = RegionDataHeader(block);
  const size_t count = std::min<size_t>(header.Count, block.size() < kHeaderBytes ? 0 : (block.size() - kHeaderBytes) / kRectBytes);
  std::vector<TRect> rects(count);
  for (size_t i = 0; i < count; ++i) {
    int32_t v[4];
    std::memcpy(v, block.data() + kHeaderBytes + i * kRectBytes, kRectBytes);
    rects[i] = TRect{v[0], v[1], v[2], v[3]};
  }
  return rects;
}

QRegion RegionFromData(const std::vector<uint8_t>& block) {
  const std::vector<TRect> rects = RegionDataRects(block);
  if (rects.empty()) return QRegion();
  // Rows top to bottom, runs left to right and never touching: already the
  // banded order a region keeps, so it is taken over without merging.
  std::vector<QRect> qrects(rects.size());
  for (size_t i = 0; i < rects.size(); ++i) qrects[i] = ToQRect(rects[i]);
  QRegion region;
  region.setRects(qrects.data(), int(qrects.size()));
  return region;
}

std::optional<QRegion> RegionFromMask(const TBitmap& Mask) {
  if (Mask.Empty()) return std::nullopt;
  return RegionFromData(MaskToRegionData(Mask, 0, 0));
}

void ComposeMaskStrips(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& CR,
                       const TPoint& NLT, const TPoint& NRT, const TPoint& NLB, const TPoint& NRB, const TRect& NCR,
                       const TBitmap& Mask, int Width, TBitmap& LeftStrip, TBitmap& TopStrip, TBitmap& RightStrip,
                       TBitmap& BottomStrip) {
  (void)NLB;
  (void)NRB;
  if (Mask.Empty()) return;
  const QImage& src = Mask.Image();
  const int maskWidth = src.width(), maskHeight = src.height();
  const int sideH = RectHeight(NCR);
  using bspixels::BlitRect;

  // Side strips: the band between the two points tiled from row 0, then the
  // rows above and below the band 1:1 at the strip's ends.
  const auto side = [&](TBitmap& strip, int left, int right, int bandTop, int bandBottom) {
    const int w = right - left;
    if (w <= 0 || sideH <= 0) return;
    strip.SetSize(w, sideH);
    QImage& dst = strip.Image();
    if (bandBottom != bandTop)
      TileRun(bandBottom - bandTop, 0, sideH, [&](int at, int n) {
        BlitRect(dst, {0, at, w, at + n}, src, {left, bandTop, right, bandTop + n});
      });
    const int head = bandTop - CR.Top, tail = CR.Bottom - bandBottom;
    if (head > 0) BlitRect(dst, {0, 0, w, head}, src, {left, CR.Top, right, bandTop});
    if (tail > 0) BlitRect(dst, {0, sideH - tail, w, sideH}, src, {left, bandBottom, right, CR.Bottom});
  };
  side(LeftStrip, 0, CR.Left, LT.Y, LB.Y);
  side(RightStrip, CR.Right, maskWidth, RT.Y, RB.Y);

  // Top and bottom strips: the band tiled from the sized point, cut at the
  // other sized point, then the corners.
  const auto across = [&](TBitmap& strip, int top, int bottom, int bandLeft, int bandRight, int from, int to) {
    const int h = bottom - top;
    if (Width <= 0 || h <= 0) return;
    strip.SetSize(Width, h);
    QImage& dst = strip.Image();
    TileRun(bandRight - bandLeft, from, to, [&](int at, int n) {
      BlitRect(dst, {at, 0, at + n, h}, src, {bandLeft, top, bandLeft + n, bottom});
    });
    BlitRect(dst, {0, 0, bandLeft, h}, src, {0, top, bandLeft, bottom});
    BlitRect(dst, {to, 0, Width, h}, src, {bandRight, top, maskWidth, bottom});
  };
  across(TopStrip, 0, CR.Top, LT.X, RT.X, NLT.X, NRT.X);
  across(BottomStrip, CR.Bottom, maskHeight, LB.X, RB.X, NLB.X, NRB.X);
}

std::optional<QRegion> BuildSkinRegion(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                                       const TRect& CR, const TPoint& NLT, const TPoint& NRT, const TPoint& NLB,
                                       const TPoint& NRB, const TRect& NCR, const TBitmap& Mask, int Width,
                                       int Height) {
  (void)Height;
  if (NRT.X < NLT.X || NLB.Y < NLT.Y) return std::nullopt;
  // Without a mask the strips would be blank and the frame would vanish.
  if (Mask.Empty() || IsEmptyRect(NCR)) return std::nullopt;
  TBitmap left, top, right, bottom;
  ComposeMaskStrips(LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR, Mask, Width, left, top, right, bottom);
  const auto stripRegion = [](const TBitmap& strip, int x, int y) {
    return strip.Empty() ? QRegion() : RegionFromData(MaskToRegionData(strip, x, y));
  };
  const QRegion topBottom = stripRegion(top, 0, 0) | stripRegion(bottom, 0, NCR.Bottom);
  const QRegion sides = stripRegion(left, 0, NCR.Top) | stripRegion(right, NCR.Right, NCR.Top);
  return QRegion(ToQRect(NCR)) | (sides | topBottom);
}
