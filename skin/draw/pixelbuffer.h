// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving pictures in and out of the 24-bit buffers.

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

class TCanvas;

namespace bspixels {

// Pixel memory of a 24-bit buffer; left uninitialised by NewBits, since
// every byte is written right after (row padding included).
using TBits = std::unique_ptr<uint8_t[]>;
inline TBits NewBits(size_t size) { return std::make_unique_for_overwrite<uint8_t[]>(size); }

// Makes `bits` a 24-bit copy of `source` (any format); an empty source gives
// a 0 x 0 buffer.
void ReadImage(const QImage& source, int& width, int& height, int& rowSize, TBits& bits);
QImage BufferToImage(const uint8_t* bits, int width, int height, int rowSize);
// 1:1 at (x, y), through the canvas's painter so its clip holds.
void DrawBuffer(TCanvas& canvas, int x, int y, const uint8_t* bits, int width, int height, int rowSize);

}  // namespace bspixels

#include "framework/trect.h"

namespace bspixels {

// Copies rectangle `s` of `src` into rectangle `d` of `dst` (both 32-bit
// pictures): row by row when the sizes agree, by nearest pixel when they
// differ. Parts outside either picture are left out; an empty or inverted
// rectangle copies nothing.
void BlitRect(QImage& dst, const TRect& d, const QImage& src, const TRect& s);

}  // namespace bspixels
