// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/renameglyph.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kGlyphSize = 40;
const QColor kTransparent(255, 0, 255);  // the bottom-left pixel keys transparency
}  // namespace

// A page with lines of text and a pencil writing a new name across it, in
// the glyph's own 40-unit coordinates, so every size draws the same shapes.
static void PaintRenameGlyph(QPainter& p) {
  // Page with a folded corner.
  QPainterPath page;
  page.moveTo(6, 3);
  page.lineTo(24, 3);
  page.lineTo(31, 10);
  page.lineTo(31, 35);
  page.lineTo(6, 35);
  page.closeSubpath();
  p.fillPath(page, QColor(255, 255, 255));
  p.setPen(QPen(QColor(64, 64, 64), 1));
  p.drawPath(page);
  p.drawLine(24, 3, 24, 10);
  p.drawLine(24, 10, 31, 10);
  // Text lines: the old name greyed, the new name in blue.
  p.fillRect(10, 14, 14, 2, QColor(160, 160, 160));
  p.fillRect(10, 19, 17, 2, QColor(160, 160, 160));
  p.fillRect(10, 26, 12, 3, QColor(10, 36, 106));
  // Pencil, lower right, pointing at the new name.
  QPainterPath pencil;
  pencil.moveTo(23, 30);
  pencil.lineTo(35, 18);
  pencil.lineTo(38, 21);
  pencil.lineTo(26, 33);
  pencil.closeSubpath();
  p.fillPath(pencil, QColor(230, 170, 40));
  p.setPen(QPen(QColor(120, 80, 0), 1));
  p.drawPath(pencil);
  QPainterPath tip;
  tip.moveTo(23, 30);
  tip.lineTo(26, 33);
  tip.lineTo(21, 35);
  tip.closeSubpath();
  p.fillPath(tip, QColor(40, 40, 40));
}

TBitmap MakeRenameGlyph() {
  QImage image(kGlyphSize, kGlyphSize, QImage::Format_RGB32);
  image.fill(kTransparent);
  QPainter p(&image);
  PaintRenameGlyph(p);
  p.end();
  image.setPixel(0, kGlyphSize - 1, kTransparent.rgb());
  TBitmap glyph(image);
  glyph.Transparent = true;
  return glyph;
}

QIcon MakeRenameIcon() {
  const TBitmap glyph = MakeRenameGlyph();
  QImage image = glyph.Image().convertToFormat(QImage::Format_ARGB32);
  const QRgb key = kTransparent.rgb();
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (row[x] == key) row[x] = 0;
  }
  return QIcon(QPixmap::fromImage(image));
}

QImage MakeRenameIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  // Vector shapes scaled, not the 40-pixel bitmap stretched: small icons stay
  // legible and large ones sharp.
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(double(size) / kGlyphSize, double(size) / kGlyphSize);
  PaintRenameGlyph(p);
  return image;
}
