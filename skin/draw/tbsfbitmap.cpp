// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/draw/tbsfbitmap.h"

#include "framework/tbitmap.h"
#include "skin/draw/pixelbuffer.h"

TbsFBitmap::TbsFBitmap(const TBitmap& source) : TbsFBitmap(source.Image()) {}

TbsFBitmap::TbsFBitmap(const QImage& source) {
  bspixels::ReadImage(source, FWidth, FHeight, FRowSize, FBits);
  FRowPointers.resize(size_t(FHeight));
  for (int y = 0; y < FHeight; ++y) FRowPointers[size_t(y)] = FBits.get() + size_t(y) * size_t(FRowSize);
}

void TbsFBitmap::Draw(TCanvas& canvas, int x, int y) const {
  bspixels::DrawBuffer(canvas, x, y, FBits.get(), FWidth, FHeight, FRowSize);
}

QImage TbsFBitmap::ToImage() const { return bspixels::BufferToImage(FBits.get(), FWidth, FHeight, FRowSize); }
