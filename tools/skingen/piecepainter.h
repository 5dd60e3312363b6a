// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints skin pieces onto a picture at exact pixel positions. Everything is
// integer rectangles and single pixels with antialiasing off, so the same
// code always gives the same bytes. Rectangles are left, top, right, bottom
// with right and bottom exclusive, as the skin description writes them.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <string_view>

#include "framework/trect.h"

class TPiecePainter {
 public:
  explicit TPiecePainter(QImage& image);

  void Fill(const TRect& r, QColor c);
  void Pixel(int x, int y, QColor c);
  void HLine(int left, int right, int y, QColor c);  // right exclusive
  void VLine(int x, int top, int bottom, QColor c);  // bottom exclusive
  // A one-pixel outline just inside `r`.
  void Frame(const TRect& r, QColor c);
  // A one-pixel outline whose four corner pixels take `corner`, which reads
  // as a slightly rounded box on a light backdrop.
  void SoftFrame(const TRect& r, QColor c, QColor corner);
  // One colour per row from `top` to `bottom`, rows interpolated linearly.
  void VGradient(const TRect& r, QColor top, QColor bottom);
  // One colour per column.
  void HGradient(const TRect& r, QColor left, QColor right);
  // A glyph drawn from rows of text: 'x' sets a pixel in `c`, '+' in `half`,
  // anything else leaves the pixel.
  void Pattern(int x, int y, std::initializer_list<std::string_view> rows, QColor c, QColor half = QColor());
  // A disc of `size` pixels: a one-pixel ring in `ring`, filled with `fill`.
  void Disc(int x, int y, int size, QColor ring, QColor fill);

  // The colour of row `index` of `count` in a gradient, the one rule both
  // gradients and callers that continue a gradient use.
  static QColor GradientAt(QColor from, QColor to, int index, int count);
  static QColor Mix(QColor a, QColor b, int percentOfB);

 private:
  QPainter FPainter;
};
