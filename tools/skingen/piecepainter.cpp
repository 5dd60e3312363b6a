// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/skingen/piecepainter.h"

#include <cmath>

TPiecePainter::TPiecePainter(QImage& image) : FPainter(&image) {
  FPainter.setRenderHint(QPainter::Antialiasing, false);
  FPainter.setCompositionMode(QPainter::CompositionMode_Source);
}

void TPiecePainter::Fill(const TRect& r, QColor c) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  FPainter.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), c);
}

void TPiecePainter::Pixel(int x, int y, QColor c) { Fill({x, y, x + 1, y + 1}, c); }

void TPiecePainter::HLine(int left, int right, int y, QColor c) { Fill({left, y, right, y + 1}, c); }

void TPiecePainter::VLine(int x, int top, int bottom, QColor c) { Fill({x, top, x + 1, bottom}, c); }

void TPiecePainter::Frame(const TRect& r, QColor c) {
  HLine(r.Left, r.Right, r.Top, c);
  HLine(r.Left, r.Right, r.Bottom - 1, c);
  VLine(r.Left, r.Top, r.Bottom, c);
  VLine(r.Right - 1, r.Top, r.Bottom, c);
}

void TPiecePainter::SoftFrame(const TRect& r, QColor c, QColor corner) {
  Frame(r, c);
  Pixel(r.Left, r.Top, corner);
  Pixel(r.Right - 1, r.Top, corner);
  Pixel(r.Left, r.Bottom - 1, corner);
  Pixel(r.Right - 1, r.Bottom - 1, corner);
}

QColor TPiecePainter::Mix(QColor a, QColor b, int percentOfB) {
  const auto mix = [&](int x, int y) { return (x * (100 - percentOfB) + y * percentOfB + 50) / 100; };
  return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

QColor TPiecePainter::GradientAt(QColor from, QColor to, int index, int count) {
  if (count <= 1) return from;
  const auto lerp = [&](int x, int y) { return x + ((y - x) * index * 2 + (count - 1)) / (2 * (count - 1)); };
  return QColor(lerp(from.red(), to.red()), lerp(from.green(), to.green()), lerp(from.blue(), to.blue()));
}

void TPiecePainter::VGradient(const TRect& r, QColor top, QColor bottom) {
  const int n = r.Bottom - r.Top;
  for (int i = 0; i < n; ++i) HLine(r.Left, r.Right, r.Top + i, GradientAt(top, bottom, i, n));
}

void TPiecePainter::HGradient(const TRect& r, QColor left, QColor right) {
  const int n = r.Right - r.Left;
  for (int i = 0; i < n; ++i) VLine(r.Left + i, r.Top, r.Bottom, GradientAt(left, right, i, n));
}

void TPiecePainter::Pattern(int x, int y, std::initializer_list<std::string_view> rows, QColor c, QColor half) {
  int row = 0;
  for (std::string_view text : rows) {
    for (int col = 0; col < int(text.size()); ++col) {
      if (text[col] == 'x') Pixel(x + col, y + row, c);
      else if (text[col] == '+' && half.isValid()) Pixel(x + col, y + row, half);
    }
    ++row;
  }
}

void TPiecePainter::Disc(int x, int y, int size, QColor ring, QColor fill) {
  // Pixel centres measured against the disc's centre; the ring is the band
  // one pixel wide inside the outline, so the disc never leaves its square.
  const double c = (size - 1) / 2.0;
  const double outer = size / 2.0, inner = outer - 1.0;
  for (int row = 0; row < size; ++row)
    for (int col = 0; col < size; ++col) {
      const double d = std::hypot(col - c, row - c);
      if (d < inner) Pixel(x + col, y + row, fill);
      else if (d < outer) Pixel(x + col, y + row, ring);
    }
}
