#include "framework/tcanvas.h"

#include <QFontMetrics>
#include <cstdlib>

#include "framework/tbitmap.h"

TCanvas::TCanvas(QImage* image) : FImage(image) {}
TCanvas::TCanvas(QPainter* painter) : FPainter(painter) {}
TCanvas::~TCanvas() { Release(); }

QPainter& TCanvas::Painter() {
  if (!FPainter) {
    Q_ASSERT(FImage);
    FOwnPainter = std::make_unique<QPainter>(FImage);
    FPainter = FOwnPainter.get();
    if (FClipped) FPainter->setClipRect(ToQRect(FClipRect));
  }
  return *FPainter;
}

void TCanvas::Release() {
  if (FOwnPainter) {
    FOwnPainter->end();
    FOwnPainter.reset();
    FPainter = nullptr;
  }
}

void TCanvas::SetClipRect(const TRect& r) {
  FClipped = true;
  FClipRect = r;
  Painter().setClipRect(ToQRect(r));
}

void TCanvas::ResetClip() {
  FClipped = false;
  if (FPainter) FPainter->setClipping(false);
}

void TCanvas::MoveTo(int x, int y) { FPenPos = {x, y}; }

void TCanvas::LineTo(int x, int y) {
  if (Pen.Style != psClear) DrawLinePixels(FPenPos.X, FPenPos.Y, x, y);
  FPenPos = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  MoveTo(points[0].X, points[0].Y);
  // Like every line, a polyline leaves out its last point.
  for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
}

// Bresenham with the end point left out, so glyph outlines come out the same
// pixel for pixel whatever the paint engine would do at line ends.
void TCanvas::DrawLinePixels(int x0, int y0, int x1, int y1) {
  QPainter& p = Painter();
  const QColor color = ToQColor(Pen.Color);
  const int w = std::max(1, Pen.Width);
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  int x = x0, y = y0;
  while (x != x1 || y != y1) {
    p.fillRect(x - (w - 1) / 2, y - (w - 1) / 2, w, w, color);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void TCanvas::SetPixel(int x, int y, TColor color) { Painter().fillRect(x, y, 1, 1, ToQColor(color)); }

TColor TCanvas::Pixel(int x, int y) {
  if (!FImage || x < 0 || y < 0 || x >= FImage->width() || y >= FImage->height()) return clNone;
  return FromQColor(QColor(FImage->pixel(x, y)));
}

void TCanvas::FillRect(const TRect& r) {
  if (Brush.Style == bsClear || r.Width() <= 0 || r.Height() <= 0) return;
  Painter().fillRect(ToQRect(r), ToQColor(Brush.Color));
}

void TCanvas::FrameRect(const TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  QPainter& p = Painter();
  const QColor c = ToQColor(Brush.Color);
  p.fillRect(r.Left, r.Top, r.Width(), 1, c);
  p.fillRect(r.Left, r.Bottom - 1, r.Width(), 1, c);
  p.fillRect(r.Left, r.Top, 1, r.Height(), c);
  p.fillRect(r.Right - 1, r.Top, 1, r.Height(), c);
}

void TCanvas::Rectangle(const TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  FillRect(r);
  if (Pen.Style == psClear) return;
  QPainter& p = Painter();
  const QColor c = ToQColor(Pen.Color);
  p.fillRect(r.Left, r.Top, r.Width(), 1, c);
  p.fillRect(r.Left, r.Bottom - 1, r.Width(), 1, c);
  p.fillRect(r.Left, r.Top, 1, r.Height(), c);
  p.fillRect(r.Right - 1, r.Top, 1, r.Height(), c);
}

void TCanvas::DrawImage(const QRect& dest, const QImage& image, const QRect& source) {
  if (dest.isEmpty() || source.isEmpty() || image.isNull()) return;
  QPainter& p = Painter();
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (dest.size() == source.size()) {
    p.drawImage(dest.topLeft(), image, source);
  } else {
    p.drawImage(dest, image, source);
  }
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& from, const TRect& source) {
  if (!from.FImage) return;
  if (&from == this) {
    // Overlapping copies within one image read from a snapshot.
    const QImage snapshot = FImage->copy(ToQRect(source));
    DrawImage(ToQRect(dest), snapshot, snapshot.rect());
    return;
  }
  DrawImage(ToQRect(dest), *from.FImage, ToQRect(source));
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  const QImage& image = bitmap.Image();
  if (!bitmap.Transparent) {
    DrawImage(QRect(x, y, image.width(), image.height()), image, image.rect());
    return;
  }
  const QRgb key = ToQColor(bitmap.TransparentColor()).rgb();
  QImage masked = image.convertToFormat(QImage::Format_ARGB32);
  for (int row = 0; row < masked.height(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(masked.scanLine(row));
    for (int col = 0; col < masked.width(); ++col)
      if ((line[col] | 0xFF000000u) == key) line[col] = 0;
  }
  Painter().drawImage(QPoint(x, y), masked);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  DrawImage(ToQRect(dest), bitmap.Image(), bitmap.Image().rect());
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  QPainter& p = Painter();
  const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
  p.setFont(Font.ToQFont());
  const QFontMetrics fm(p.font());
  if (Brush.Style != bsClear)
    p.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), ToQColor(Brush.Color));
  p.setPen(ToQColor(Font.Color()));
  p.drawText(QPoint(x, y + fm.ascent()), s);
}

void TCanvas::TextRect(const TRect& clip, int x, int y, const std::string& text) {
  QPainter& p = Painter();
  p.save();
  p.setClipRect(ToQRect(clip), Qt::IntersectClip);
  if (Brush.Style != bsClear) p.fillRect(ToQRect(clip), ToQColor(Brush.Color));
  const TBrushStyle style = Brush.Style;
  Brush.Style = bsClear;
  TextOut(x, y, text);
  Brush.Style = style;
  p.restore();
}

int TCanvas::TextWidth(const std::string& text) {
  const QFontMetrics fm(Font.ToQFont());
  return fm.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

int TCanvas::TextHeight(const std::string&) { return QFontMetrics(Font.ToQFont()).height(); }
