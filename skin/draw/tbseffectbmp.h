// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A working 24-bit copy of a picture (blue, green, red bytes, top row first,
// rows padded to four bytes) on which the inactive-frame effects run and
// through which a skin object fades from its normal to its active look.
// Morphs take a second picture of the same size and replace this one.

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

#include "skin/draw/tbsskinkinds.h"

class TBitmap;
class TCanvas;

struct TbsPixel {
  uint8_t B = 0;
  uint8_t G = 0;
  uint8_t R = 0;
  friend bool operator==(const TbsPixel&, const TbsPixel&) = default;
};


class TbsEffectBmp {
 public:
  TbsEffectBmp(int width, int height);  // all black
  explicit TbsEffectBmp(const TBitmap& source);
  explicit TbsEffectBmp(const QImage& source);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int RowSize() const { return FRowSize; }
  int Size() const { return FRowSize * FHeight; }
  uint8_t* Bits() { return FBits.get(); }
  const uint8_t* Bits() const { return FBits.get(); }

  // Copies the buffer 1:1 with its top-left corner at (x, y).
  void Draw(TCanvas& canvas, int x, int y) const;
  void Draw(TBitmap& dest, int x, int y) const;
  QImage ToImage() const;  // an RGB32 copy

  TbsPixel Pixel(int x, int y) const;
  void SetPixel(int x, int y, const TbsPixel& pixel);
  uint8_t* ScanLine(int y) { return FBits.get() + size_t(y) * size_t(FRowSize); }
  const uint8_t* ScanLine(int y) const { return FBits.get() + size_t(y) * size_t(FRowSize); }
  void GetRow(int y, uint8_t* buffer) const;  // Width x 3 bytes
  void SetRow(int y, const uint8_t* buffer);
  // Writes this picture upside down into `dest`, which must have the same size.
  void CopyFlipped(TbsEffectBmp& dest) const;

  void Brightness(double k);
  void Darkness(double k);
  void GrayScale();
  static constexpr uint32_t kDefaultNoiseSeed = 0x5EED5EEDu;
  // The same seed gives the same grain, so repainting an inactive frame does not flicker.
  void Noise(int amount, uint32_t seed = kDefaultNoiseSeed);
  void SplitBlur(int amount);
  void Invert();

  void MorphBlend(const TbsEffectBmp& b, double k);
  void MorphGradient(const TbsEffectBmp& b, double k);
  void MorphLeftGradient(const TbsEffectBmp& b, double k);
  void MorphRightGradient(const TbsEffectBmp& b, double k);
  void MorphLeftSlide(const TbsEffectBmp& b, double k);
  void MorphRightSlide(const TbsEffectBmp& b, double k);
  void MorphPush(const TbsEffectBmp& b, double k);
  // By "morphkind" number; an unknown kind does nothing.
  void Morph(int kind, const TbsEffectBmp& b, double k);

 private:
  bool SameSize(const TbsEffectBmp& b) const {
    return b.FWidth == FWidth && b.FHeight == FHeight && FWidth > 0 && FHeight > 0;
  }
  void ApplyTable(const uint8_t* table);

  int FWidth = 0;
  int FHeight = 0;
  int FRowSize = 0;
  std::unique_ptr<uint8_t[]> FBits;
};
