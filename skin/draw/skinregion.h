// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window shapes from mask pictures: a pure black pixel is inside the window,
// every other pixel outside. A mask is scanned into one rectangle per black
// run per row, kept as a region-data block and turned into a QRegion in one call.

#include <QRegion>
#include <cstdint>
#include <optional>
#include <vector>

#include "framework/tbitmap.h"
#include "framework/trect.h"

// Layout of the block: a 32-byte header, then Count rectangles of 16 bytes.
struct TbsRegionDataHeader {
  uint32_t Size = 32;  // header size
  uint32_t Type = 1;   // rectangles
  uint32_t Count = 0;
  uint32_t RegionSize = 0;
  int32_t BoundLeft = 0, BoundTop = 0, BoundRight = 0, BoundBottom = 0;
};
static_assert(sizeof(TbsRegionDataHeader) == 32);

// The block for `Picture` moved by (XOffset, YOffset); empty (size 0) for an empty picture.
std::vector<uint8_t> MaskToRegionData(const TBitmap& Picture, int XOffset, int YOffset);
std::vector<uint8_t> MaskToRegionData(const QImage& Picture, int XOffset, int YOffset);
TbsRegionDataHeader RegionDataHeader(const std::vector<uint8_t>& block);
std::vector<TRect> RegionDataRects(const std::vector<uint8_t>& block);
// A block with no rectangles gives an empty region (nothing visible).
QRegion RegionFromData(const std::vector<uint8_t>& block);

// None for an empty mask picture: the window keeps its plain rectangle.
std::optional<QRegion> RegionFromMask(const TBitmap& Mask);

// The mask's four border strips at the wanted width; the side strips cover
// only the rows of NCR. A strip with nothing to cover is left as it was.
void ComposeMaskStrips(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& CR,
                       const TPoint& NLT, const TPoint& NRT, const TPoint& NLB, const TPoint& NRB, const TRect& NCR,
                       const TBitmap& Mask, int Width, TBitmap& LeftStrip, TBitmap& TopStrip, TBitmap& RightStrip,
                       TBitmap& BottomStrip);

// The window's shape at Width x Height: the client rectangle plus the four
// mask strips. None when the size is smaller than the corners allow, when the
// client rectangle is empty, or when there is no mask.
std::optional<QRegion> BuildSkinRegion(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                                       const TRect& CR, const TPoint& NLT, const TPoint& NRT, const TPoint& NLB,
                                       const TPoint& NRB, const TRect& NCR, const TBitmap& Mask, int Width,
                                       int Height);
