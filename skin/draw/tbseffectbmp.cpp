// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/draw/tbseffectbmp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "framework/tbitmap.h"
#include "skin/draw/pixelbuffer.h"
#include "skin/draw/pixelkernels.h"

namespace {

inline uint8_t Clamp255(double v) { return uint8_t(std::clamp(v, 0.0, 255.0)); }
inline uint8_t RoundClamp(double v) { return Clamp255(std::nearbyint(v)); }

// mix(m): m parts of A and 1 - m parts of B, so mix(0) is B and mix(1) is A.
inline void MixPixel(uint8_t* a, const uint8_t* b, double m) {
  for (int c = 0; c < 3; ++c) a[c] = RoundClamp(m * a[c] + (1 - m) * b[c]);
}

}  // namespace

TbsEffectBmp::TbsEffectBmp(int width, int height) {
  if (width <= 0 || height <= 0) return;
  FWidth = width;
  FHeight = height;
  FRowSize = bspixels::RowSizeFor(width);
  FBits = bspixels::NewBits(size_t(Size()));
  std::memset(FBits.get(), 0, size_t(Size()));
}

TbsEffectBmp::TbsEffectBmp(const TBitmap& source) : TbsEffectBmp(source.Image()) {}

TbsEffectBmp::TbsEffectBmp(const QImage& source) {
  bspixels::ReadImage(source, FWidth, FHeight, FRowSize, FBits);
}

void TbsEffectBmp::Draw(TCanvas& canvas, int x, int y) const {
  bspixels::DrawBuffer(canvas, x, y, FBits.get(), FWidth, FHeight, FRowSize);
}

void TbsEffectBmp::Draw(TBitmap& dest, int x, int y) const { Draw(dest.Canvas(), x, y); }

QImage TbsEffectBmp::ToImage() const { return bspixels::BufferToImage(FBits.get(), FWidth, FHeight, FRowSize); }

TbsPixel TbsEffectBmp::Pixel(int x, int y) const {
  const uint8_t* p = ScanLine(y) + 3 * x;
  return TbsPixel{p[0], p[1], p[2]};
}

void TbsEffectBmp::SetPixel(int x, int y, const TbsPixel& pixel) {
  uint8_t* p = ScanLine(y) + 3 * x;
  p[0] = pixel.B;
  p[1] = pixel.G;
  p[2] = pixel.R;
}

void TbsEffectBmp::GetRow(int y, uint8_t* buffer) const { std::memcpy(buffer, ScanLine(y), size_t(FWidth) * 3); }
void TbsEffectBmp::SetRow(int y, const uint8_t* buffer) { std::memcpy(ScanLine(y), buffer, size_t(FWidth) * 3); }

void TbsEffectBmp::CopyFlipped(TbsEffectBmp& dest) const {
  if (dest.FWidth != FWidth || dest.FHeight != FHeight) return;
  for (int y = 0; y < FHeight; ++y) dest.SetRow(FHeight - 1 - y, ScanLine(y));
}

// ---------------------------------------------------------------------------
// One-picture effects. Brightness, darkness and invert change every channel
// by the same function of its own value, so their arithmetic is one table
// of 256 entries, built from the formula and applied to every byte.

void TbsEffectBmp::ApplyTable(const uint8_t* table) {
  const size_t rowBytes = size_t(FWidth) * 3;
  if (rowBytes == size_t(FRowSize)) {
    bspixels::ApplyByteTable(FBits.get(), size_t(Size()), table);
    return;
  }
  for (int y = 0; y < FHeight; ++y) bspixels::ApplyByteTable(ScanLine(y), rowBytes, table);  // padding stays 0
}

void TbsEffectBmp::Brightness(double k) {
  k = std::clamp(k, 0.0, 1.0);
  std::array<uint8_t, 256> table;
  for (int c = 0; c < 256; ++c) table[size_t(c)] = RoundClamp((1 - k) * c + k * 255);
  ApplyTable(table.data());
}

void TbsEffectBmp::Darkness(double k) {
  k = std::clamp(k, 0.0, 1.0);
  std::array<uint8_t, 256> table;
  for (int c = 0; c < 256; ++c) table[size_t(c)] = RoundClamp((1 - k) * c);
  ApplyTable(table.data());
}

void TbsEffectBmp::Invert() {
  std::array<uint8_t, 256> table;
  for (int c = 0; c < 256; ++c) table[size_t(c)] = uint8_t(c ^ 255);
  ApplyTable(table.data());
}

void TbsEffectBmp::GrayScale() {
  for (int y = 0; y < FHeight; ++y) bspixels::GrayRow(ScanLine(y), FWidth);
}

void TbsEffectBmp::Noise(int amount, uint32_t seed) {
  if (amount <= 1) return;  // random(0 .. n - 1) - n div 2 is 0 for n = 1; no range below that
  for (int y = 0; y < FHeight; ++y)
    bspixels::NoiseRow(ScanLine(y), FWidth, amount, seed, uint32_t(y) * uint32_t(FWidth));
}

// In place from the top: each pixel becomes the average of the four pixels
// `amount` away diagonally. Rows above are read already blurred; the current
// row is built in a work buffer, so it is read as it was. Near the far edges
// the index mirrors (Height - y, Width - x); it is kept inside the picture.
void TbsEffectBmp::SplitBlur(int amount) {
  if (amount <= 0 || FWidth <= 0) return;
  const int a = amount;
  const auto xIndex = [&](int x, int d) {
    const int i = d < 0 ? (x - a < 0 ? x : x - a) : (x + a >= FWidth ? FWidth - x : x + a);
    return std::min(i, FWidth - 1);
  };
  std::vector<uint8_t> work(size_t(FWidth) * 3);
  for (int y = 0; y < FHeight; ++y) {
    const int y1 = y - a < 0 ? y : y - a;
    const int y2 = std::min(y + a >= FHeight ? FHeight - y : y + a, FHeight - 1);
    const uint8_t* r1 = ScanLine(y1);
    const uint8_t* r2 = ScanLine(y2);
    const auto blurPixel = [&](int x) {
      const int x1 = xIndex(x, -1), x2 = xIndex(x, 1);
      for (int c = 0; c < 3; ++c)
        work[size_t(3 * x + c)] =
            uint8_t((r1[3 * x1 + c] + r2[3 * x1 + c] + r1[3 * x2 + c] + r2[3 * x2 + c]) >> 2);
    };
    // Inside [a, Width - a) the four sources are plain offsets of the row.
    const int mid0 = std::min(a, FWidth), mid1 = std::max(mid0, FWidth - a);
    for (int x = 0; x < mid0; ++x) blurPixel(x);
    if (mid1 > mid0)
      bspixels::Average4(work.data() + 3 * mid0, r1, r2, r1 + 6 * a, r2 + 6 * a, size_t(mid1 - mid0) * 3);
    for (int x = mid1; x < FWidth; ++x) blurPixel(x);
    SetRow(y, work.data());
  }
}

// ---------------------------------------------------------------------------
// Morphs: this picture is A, `b` is B; the result replaces A.

void TbsEffectBmp::MorphBlend(const TbsEffectBmp& b, double k) {
  if (!SameSize(b)) return;
  k = std::clamp(k, 0.0, 1.0);
  // Padding bytes are 0 in both pictures and blend to 0.
  bspixels::BlendBytes(FBits.get(), b.FBits.get(), size_t(Size()), k);
}

void TbsEffectBmp::MorphGradient(const TbsEffectBmp& b, double k) {
  if (!SameSize(b)) return;
  k = std::clamp(k, 0.0, 1.0);  // keeps the opened band inside the picture
  const auto mixColumn = [&](int x, double m) {
    for (int y = 0; y < FHeight; ++y) MixPixel(ScanLine(y) + 3 * x, b.ScanLine(y) + 3 * x, m);
  };
  const auto mixRow = [&](int y, double m) {
    for (int x = 0; x < FWidth; ++x) MixPixel(ScanLine(y) + 3 * x, b.ScanLine(y) + 3 * x, m);
  };
  if (FWidth >= FHeight) {
    const int w = FWidth;
    const int n = int(std::nearbyint(w * k));
    const int c = (w - n) / 2;
    const double f = c == 0 ? 1.0 : 1.0 / c;
    const int g = w / 2, d = n / 2;
    const int left = std::max(0, g - d), right = std::min(w - 1, g + d);
    for (int x = left; x <= right; ++x) mixColumn(x, 0);
    double m = 0;
    for (int x = left; x >= 0; --x, m = std::min(1.0, m + f)) mixColumn(x, m);
    m = 0;
    for (int x = right; x < w; ++x, m = std::min(1.0, m + f)) mixColumn(x, m);
  } else {
    const int h = FHeight;
    const int n = int(std::nearbyint(h * k));
    const int c = (h - 1 - n) / 2;
    const double f = c == 0 ? 0.0 : 1.0 / c;  // 0: the whole picture becomes B
    const int g = h / 2, d = n / 2;
    const int top = std::max(0, g - d), bottom = std::min(h - 1, g + d);
    for (int y = top; y <= bottom; ++y) mixRow(y, 0);
    double m = 0;
    for (int y = top; y >= 0; --y, m = std::min(1.0, m + f)) mixRow(y, m);
    m = 0;
    for (int y = bottom; y < h; ++y, m = std::min(1.0, m + f)) mixRow(y, m);
  }
}

void TbsEffectBmp::MorphLeftGradient(const TbsEffectBmp& b, double k) {
  if (!SameSize(b)) return;
  const int w = FWidth;
  const int a = std::min(std::max(1, int(std::nearbyint(w * k))), w - 1);
  const double step = a > 0 ? 1.0 / a : 1.0;  // a is 0 only for a one-pixel-wide picture
  for (int y = 0; y < FHeight; ++y) {
    double m = 0;
    for (int x = 0; x <= std::min(a, w - 1); ++x, m = std::min(1.0, m + step))
      MixPixel(ScanLine(y) + 3 * x, b.ScanLine(y) + 3 * x, m);
  }
}

void TbsEffectBmp::MorphRightGradient(const TbsEffectBmp& b, double k) {
  if (!SameSize(b)) return;
  const int w = FWidth;
  const int a = std::clamp(w - int(std::nearbyint(w * k)), 0, w - 1);
  const double step = w - a <= 0 ? 1.0 : 1.0 / (w - a);
  for (int y = 0; y < FHeight; ++y) {
    double m = 0;
    for (int x = w - 1; x >= a; --x, m = std::min(1.0, m + step))
      MixPixel(ScanLine(y) + 3 * x, b.ScanLine(y) + 3 * x, m);
  }
}

void TbsEffectBmp::MorphLeftSlide(const TbsEffectBmp& b, double k) {
  if (!SameSize(b)) return;
  const int w = FWidth;
  const int n = std::min(std::max(1, int(std::nearbyint(w * k))), w - 1);
  for (int y = 0; y < FHeight; ++y)
    for (int i = 0; i < n; ++i)
      std::memcpy(ScanLine(y) + 3 * i, b.ScanLine(y) + 3 * std::min(w - 1, w - n + i), 3);
}

void TbsEffectBmp::MorphRightSlide(const TbsEffectBmp& b, double k) {
  if (!SameSize(b)) return;
  const int w = FWidth;
  const int n = std::min(std::max(1, int(std::nearbyint(w * k))), w - 1);
  for (int y = 0; y < FHeight; ++y)
    for (int i = 0; i < n; ++i)
      std::memcpy(ScanLine(y) + 3 * std::min(w - 1, w - n + i), b.ScanLine(y) + 3 * i, 3);
}

// B pushes A out to the right: A moves a + 1 columns right, and B's last
// a + 1 columns fill the left.
void TbsEffectBmp::MorphPush(const TbsEffectBmp& b, double k) {
  if (!SameSize(b)) return;
  const int w = FWidth;
  const int a = std::clamp(int(std::nearbyint(w * k)), 0, w - 1);
  for (int y = 0; y < FHeight; ++y) {
    uint8_t* row = ScanLine(y);
    const uint8_t* from = b.ScanLine(y);
    if (w - a - 1 > 0) std::memmove(row + 3 * (a + 1), row, size_t(w - a - 1) * 3);
    for (int i = 0; i <= a; ++i) std::memcpy(row + 3 * i, from + 3 * std::min(w - 1, w - a - 1 + i), 3);
  }
}

void TbsEffectBmp::Morph(int kind, const TbsEffectBmp& b, double k) {
  switch (kind) {
    case mkDefault: MorphBlend(b, k); break;
    case mkGradient: MorphGradient(b, k); break;
    case mkLeftGradient: MorphLeftGradient(b, k); break;
    case mkRightGradient: MorphRightGradient(b, k); break;
    case mkLeftSlide: MorphLeftSlide(b, k); break;
    case mkRightSlide: MorphRightSlide(b, k); break;
    case mkPush: MorphPush(b, k); break;
    default: break;
  }
}
