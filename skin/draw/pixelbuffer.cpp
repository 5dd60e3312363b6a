// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/draw/pixelbuffer.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "framework/tcanvas.h"
#include "skin/draw/pixelkernels.h"

namespace bspixels {

void ReadImage(const QImage& source, int& width, int& height, int& rowSize, TBits& bits) {
  width = height = rowSize = 0;
  bits.reset();
  if (source.isNull() || source.width() <= 0 || source.height() <= 0) return;
  const QImage rgb = (source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32)
                         ? source
                         : source.convertToFormat(QImage::Format_RGB32);
  width = rgb.width();
  height = rgb.height();
  rowSize = RowSizeFor(width);
  bits = NewBits(size_t(rowSize) * size_t(height));
  const int padding = rowSize - width * 3;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bits.get() + size_t(y) * size_t(rowSize);
    Rgb32ToBgr24(reinterpret_cast<const uint32_t*>(rgb.constScanLine(y)), row, width);
    std::memset(row + width * 3, 0, size_t(padding));
  }
}

QImage BufferToImage(const uint8_t* bits, int width, int height, int rowSize) {
  if (width <= 0 || height <= 0) return QImage();
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    Bgr24ToRgb32(bits + size_t(y) * size_t(rowSize), reinterpret_cast<uint32_t*>(image.scanLine(y)), width);
  return image;
}

void DrawBuffer(TCanvas& canvas, int x, int y, const uint8_t* bits, int width, int height, int rowSize) {
  if (width <= 0 || height <= 0) return;
  // Wrapped, not copied; the painter keeps the canvas's clip.
  const QImage view(bits, width, height, rowSize, QImage::Format_BGR888);
  canvas.Paint([&](QPainter& p) { DrawImageCrisp(p, QRect(x, y, width, height), view, view.rect()); });
}

}  // namespace bspixels

namespace bspixels {

namespace {

void CopySameSize(QImage& dst, const TRect& d, const QImage& src, const TRect& s) {
  int sx = s.Left, sy = s.Top, dx = d.Left, dy = d.Top, w = s.Width(), h = s.Height();
  const auto clipLow = [](int& a, int& b, int& len) {
    if (a < 0) { b -= a; len += a; a = 0; }
    if (b < 0) { a -= b; len += b; b = 0; }
  };
  clipLow(sx, dx, w);
  clipLow(sy, dy, h);
  w = std::min({w, src.width() - sx, dst.width() - dx});
  h = std::min({h, src.height() - sy, dst.height() - dy});
  if (w <= 0 || h <= 0) return;
  const bool same = src.constBits() == dst.constBits();
  // Within one picture the rows may overlap; copy in the direction that reads before it writes.
  const bool upward = same && dy > sy;
  for (int i = 0; i < h; ++i) {
    const int row = upward ? h - 1 - i : i;
    const auto* from = reinterpret_cast<const uint32_t*>(src.constScanLine(sy + row)) + sx;
    auto* to = reinterpret_cast<uint32_t*>(dst.scanLine(dy + row)) + dx;
    std::memmove(to, from, size_t(w) * 4);
  }
}

// Source index of destination pixel i of n when len source pixels are
// spread over them: the pixel under the centre of the destination pixel.
inline int NearestIndex(int i, int len, int n) { return int((int64_t(2 * i + 1) * len) / (int64_t(2) * n)); }

void CopyScaled(QImage& dst, const TRect& d, const QImage& src, const TRect& s) {
  const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
  const int x0 = std::max(0, d.Left), x1 = std::min(dst.width(), d.Right);
  const int y0 = std::max(0, d.Top), y1 = std::min(dst.height(), d.Bottom);
  if (x0 >= x1 || y0 >= y1) return;
  std::vector<int> columns(size_t(x1 - x0));
  for (int x = x0; x < x1; ++x) columns[size_t(x - x0)] = s.Left + NearestIndex(x - d.Left, sw, dw);
  const QImage from = src.constBits() == dst.constBits() ? src.copy() : src;  // no read after write
  for (int y = y0; y < y1; ++y) {
    const int sy = s.Top + NearestIndex(y - d.Top, sh, dh);
    if (sy < 0 || sy >= from.height()) continue;
    const auto* in = reinterpret_cast<const uint32_t*>(from.constScanLine(sy));
    auto* out = reinterpret_cast<uint32_t*>(dst.scanLine(y));
    for (int x = x0; x < x1; ++x) {
      const int sx = columns[size_t(x - x0)];
      if (sx >= 0 && sx < from.width()) out[x] = in[sx];
    }
  }
}

}  // namespace

void BlitRect(QImage& dst, const TRect& d, const QImage& src, const TRect& s) {
  if (d.Width() <= 0 || d.Height() <= 0 || s.Width() <= 0 || s.Height() <= 0) return;
  if (dst.isNull() || src.isNull()) return;
  Q_ASSERT(dst.depth() == 32 && src.depth() == 32);
  if (d.Width() == s.Width() && d.Height() == s.Height())
    CopySameSize(dst, d, src, s);
  else
    CopyScaled(dst, d, src, s);
}

}  // namespace bspixels
