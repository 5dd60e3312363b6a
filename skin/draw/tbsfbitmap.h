// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A read-oriented 24-bit copy of a picture: blue, green, red bytes, top row
// first, rows padded to four bytes, with a pointer to every row. Mask
// scanning reads its pixels directly instead of asking the picture for each one.

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

class TBitmap;
class TCanvas;

class TbsFBitmap {
 public:
  explicit TbsFBitmap(const TBitmap& source);
  explicit TbsFBitmap(const QImage& source);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int RowSize() const { return FRowSize; }
  int Size() const { return FRowSize * FHeight; }
  uint8_t* Bits() { return FBits.get(); }
  const uint8_t* Bits() const { return FBits.get(); }
  const std::vector<uint8_t*>& RowPointers() const { return FRowPointers; }

  // Copies the buffer 1:1 with its top-left corner at (x, y).
  void Draw(TCanvas& canvas, int x, int y) const;
  QImage ToImage() const;  // an RGB32 copy

 private:
  int FWidth = 0;
  int FHeight = 0;
  int FRowSize = 0;
  std::unique_ptr<uint8_t[]> FBits;
  std::vector<uint8_t*> FRowPointers;
};
