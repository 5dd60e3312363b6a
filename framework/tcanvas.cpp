// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tcanvas.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/tbitmap.h"
#include "framework/tfontconfiguration.h"

namespace {

// A scale-and-move painter's device transform, or none for any other.
bool ScaleOnly(const QTransform& t) {
  return t.type() <= QTransform::TxScale && t.m11() > 0 && t.m22() > 0;
}

// Which of `count` logical pixels starting at `first` each device pixel from
// `from` (on) shows, for a device coordinate = logical x scale + offset: the
// one that holds the device pixel's centre, a centre on a border counting to
// the pixel before it, which is how the paint engine rounds a filled
// rectangle's edges, so pictures and fills share their borders exactly.
std::vector<int> LogicalPixels(int from, int devices, qreal scale, qreal offset, int first, int count) {
  std::vector<int> pixels(static_cast<size_t>(std::max(devices, 0)));
  for (int i = 0; i < devices; ++i) {
    const int u = int(std::ceil((from + i + 0.5 - offset) / scale)) - 1;
    pixels[size_t(i)] = std::clamp(u - first, 0, count - 1);
  }
  return pixels;
}

// Maps a position along a destination of `destLength` logical pixels to one
// of `sourceLength` source pixels by nearest pixel.
int SourceAlong(int at, int destLength, int sourceLength) {
  return int((int64_t(2 * at + 1) * sourceLength) / (2 * int64_t(destLength)));
}

QImage MaskedCopy(const QImage& image, QRgb key) {
  QImage masked = image.convertToFormat(QImage::Format_ARGB32);
  for (int row = 0; row < masked.height(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(masked.scanLine(row));
    for (int col = 0; col < masked.width(); ++col)
      if ((line[col] | 0xFF000000u) == key) line[col] = 0;
  }
  return masked;
}

}  // namespace

namespace {

// Values closer than this are one value: a ratio of 2 may arrive as 1.9999999.
constexpr qreal kSame = 1e-6;

bool Same(qreal a, qreal b) { return std::abs(a - b) < kSame; }

// Where in a device pixel a device coordinate falls, in [0, 1).
qreal Phase(qreal at) {
  const qreal f = at - std::floor(at);
  return f > 1 - kSame ? 0 : f;
}

// Draws `pixels` with their top-left at device pixel `at`, whatever the painter's scale.
void DrawDevicePixels(QPainter& p, const QPoint& at, QImage pixels) {
  pixels.setDevicePixelRatio(1);  // one pixel, one device pixel, whatever it was cut from
  const QTransform t = p.deviceTransform();
  p.save();
  // A world transform that cancels the device one: drawing is in device pixels.
  p.setWorldTransform(t.inverted() * p.worldTransform());
  p.drawImage(at, pixels);
  p.restore();
}

}  // namespace

void PlaceOnDevice(TBitmap& bitmap, const QPainter& painter, int x, int y) {
  const QTransform& t = painter.deviceTransform();
  if (!ScaleOnly(t) || !Same(t.m11(), t.m22())) return bitmap.SetDeviceScale(1);
  const QPointF origin = t.map(QPointF(x, y));
  bitmap.SetDeviceScale(t.m11(), QPointF(Phase(origin.x()), Phase(origin.y())));
}

void AlignLayerPainter(QPainter& painter, qreal ratio, QPointF phase) {
  painter.setWorldTransform(QTransform::fromTranslate(phase.x() / ratio, phase.y() / ratio));
}

namespace {

// Draws `source` of `image` with its top left at `at`, one to one, through a
// painter that only moves. A clip of many rectangles (a parent whose opaque
// children are cut out of its paint) makes the paint engine blend row by row
// and hand the rows to a thread pool, which starts threads at the first paint
// and costs more than the copy; a rectangle at a time it copies straight.
void DrawOneToOne(QPainter& p, const QPoint& at, const QImage& image, const QRect& source) {
  const QPaintEngine* engine = p.paintEngine();
  QRegion clip = engine ? engine->systemClip() : QRegion();  // device pixels; empty: none
  const QTransform toDevice = p.deviceTransform();
  if (p.hasClipping()) {
    const QRegion user = toDevice.map(p.clipRegion());
    clip = clip.isEmpty() ? user : clip & user;
  }
  if (clip.rectCount() <= 1) {
    p.drawImage(at, image, source);
    return;
  }
  const QRect target(at, source.size());
  const QRegion parts = toDevice.inverted().map(clip) & target;
  for (const QRect& part : parts) {
    p.save();
    p.setClipRect(part, Qt::IntersectClip);
    p.drawImage(part.topLeft(), image, part.translated(source.topLeft() - at));
    p.restore();
  }
}

}  // namespace

void DrawImageCrisp(QPainter& p, const QRect& dest, const QImage& image, const QRect& source) {
  if (dest.isEmpty() || source.isEmpty() || image.isNull()) return;
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const QTransform t = p.deviceTransform();
  const bool scaled = t.type() > QTransform::TxTranslate || image.devicePixelRatio() != 1.0;
  if (!scaled) {
    if (dest.size() == source.size()) {
      DrawOneToOne(p, dest.topLeft(), image, source);
    } else {
      p.drawImage(dest, image, source);
    }
    return;
  }
  // The source is read pixel by pixel below, so it must lie inside the picture.
  if (!ScaleOnly(t) || !image.rect().contains(source)) {
    p.drawImage(QRectF(dest), image, QRectF(source));
    return;
  }
  // Whole device pixels, each edge rounded as the paint engine rounds a filled
  // rectangle's, so a fill and a picture sharing an edge meet there too.
  const QRectF d = t.mapRect(QRectF(dest));
  const QRect device(QPoint(qRound(d.left()), qRound(d.top())), QPoint(qRound(d.right()) - 1, qRound(d.bottom()) - 1));
  if (device.isEmpty()) return;
  // For each device column and row: the pixel of `dest` it shows, counted at
  // the picture's own ratio (a device layer has finer pixels), then the
  // source pixel that one takes.
  const qreal fine = image.devicePixelRatio();
  const int fx = qRound(dest.x() * fine), fy = qRound(dest.y() * fine);
  const int fw = qRound((dest.x() + dest.width()) * fine) - fx, fh = qRound((dest.y() + dest.height()) * fine) - fy;
  if (fw < 1 || fh < 1) return;
  const std::vector<int> columns = LogicalPixels(device.left(), device.width(), t.m11() / fine, t.dx(), fx, fw);
  const std::vector<int> rows = LogicalPixels(device.top(), device.height(), t.m22() / fine, t.dy(), fy, fh);
  const QImage src = image.depth() == 32 ? image : image.convertToFormat(QImage::Format_RGB32);
  QImage pixels(device.size(), src.format());
  std::vector<int> sourceColumn(columns.size());
  for (size_t i = 0; i < columns.size(); ++i)
    sourceColumn[i] = source.left() + SourceAlong(columns[i], fw, source.width());
  for (int y = 0; y < device.height(); ++y) {
    const int sy = source.top() + SourceAlong(rows[size_t(y)], fh, source.height());
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
    auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
    for (int x = 0; x < device.width(); ++x) line[x] = in[sourceColumn[size_t(x)]];
  }
  DrawDevicePixels(p, device.topLeft(), pixels);
}

TCanvas::TCanvas(QImage* image) : FImage(image) {}
TCanvas::TCanvas(QPainter* painter) : FPainter(painter) {}
TCanvas::TCanvas(TBitmap* owner) : FImage(&owner->FImage), FOwner(owner) {}
TCanvas::~TCanvas() { Release(); }

QPainter& TCanvas::Painter() {
  if (FOwner && FOwner->FLayerCurrent) FOwner->DropLayer();
  return ImagePainter();
}

QPainter* TCanvas::LayerPainter() {
  if (!FOwner) return nullptr;
  if (!FLayerPainter) {
    QImage* layer = FOwner->LayerForDrawing();
    if (!layer) return nullptr;
    FLayerPainter = std::make_unique<QPainter>(layer);
    AlignLayerPainter(*FLayerPainter, FOwner->DeviceScale(), FOwner->DevicePhase());
    if (FClipped) FLayerPainter->setClipRect(ToQRect(FClipRect));
  }
  return FLayerPainter.get();
}

void TCanvas::CloseLayer() {
  if (FLayerPainter) {
    FLayerPainter->end();
    FLayerPainter.reset();
  }
}

void TCanvas::Paint(const std::function<void(QPainter&)>& paint) {
  // The layer catches up with the picture before either is drawn on.
  QPainter* layer = LayerPainter();
  paint(ImagePainter());
  if (layer) paint(*layer);
}

QPainter& TCanvas::ImagePainter() {
  if (!FPainter) {
    Q_ASSERT(FImage);
    FOwnPainter = std::make_unique<QPainter>(FImage);
    FPainter = FOwnPainter.get();
    if (FClipped) FPainter->setClipRect(ToQRect(FClipRect));
  }
  return *FPainter;
}

void TCanvas::Release() {
  CloseLayer();
  if (FOwnPainter) {
    FOwnPainter->end();
    FOwnPainter.reset();
    FPainter = nullptr;
  }
}

void TCanvas::SetClipRect(const TRect& r) {
  FClipped = true;
  FClipRect = r;
  Paint([&](QPainter& p) { p.setClipRect(ToQRect(r)); });
}

void TCanvas::ResetClip() {
  FClipped = false;
  if (FPainter) FPainter->setClipping(false);
  if (FLayerPainter) FLayerPainter->setClipping(false);
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
  const QColor color = ToQColor(Pen.Color);
  const int w = std::max(1, Pen.Width);
  Paint([&](QPainter& p) {
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
  });
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Paint([&](QPainter& p) { p.fillRect(x, y, 1, 1, ToQColor(color)); });
}

TColor TCanvas::Pixel(int x, int y) {
  if (!FImage || x < 0 || y < 0 || x >= FImage->width() || y >= FImage->height()) return clNone;
  return FromQColor(QColor(FImage->pixel(x, y)));
}

void TCanvas::FillRect(const TRect& r) {
  if (Brush.Style == bsClear || r.Width() <= 0 || r.Height() <= 0) return;
  Paint([&](QPainter& p) { p.fillRect(ToQRect(r), ToQColor(Brush.Color)); });
}

void TCanvas::FrameRect(const TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  const QColor c = ToQColor(Brush.Color);
  Paint([&](QPainter& p) {
    p.fillRect(r.Left, r.Top, r.Width(), 1, c);
    p.fillRect(r.Left, r.Bottom - 1, r.Width(), 1, c);
    p.fillRect(r.Left, r.Top, 1, r.Height(), c);
    p.fillRect(r.Right - 1, r.Top, 1, r.Height(), c);
  });
}

void TCanvas::Rectangle(const TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  FillRect(r);
  if (Pen.Style == psClear) return;
  const QColor c = ToQColor(Pen.Color);
  Paint([&](QPainter& p) {
    p.fillRect(r.Left, r.Top, r.Width(), 1, c);
    p.fillRect(r.Left, r.Bottom - 1, r.Width(), 1, c);
    p.fillRect(r.Left, r.Top, 1, r.Height(), c);
    p.fillRect(r.Right - 1, r.Top, 1, r.Height(), c);
  });
}

void TCanvas::DrawImage(const QRect& dest, const QImage& image, const QRect& source, const TBitmap* from) {
  if (dest.isEmpty() || source.isEmpty() || image.isNull()) return;
  const QImage* layer = from ? from->DeviceLayer() : nullptr;
  Paint([&](QPainter& p) {
    if (layer && dest.size() == source.size()) {
      // The layer fits when this device's pixels are the ones it was made for.
      const QTransform t = p.deviceTransform();
      const qreal ratio = from->DeviceScale();
      const QPointF origin = t.map(QPointF(dest.topLeft() - source.topLeft()));
      if (ScaleOnly(t) && Same(t.m11(), ratio) && Same(t.m22(), ratio) &&
          Same(Phase(origin.x()), from->DevicePhase().x()) && Same(Phase(origin.y()), from->DevicePhase().y())) {
        const QRectF d = t.mapRect(QRectF(dest));
        const QRect device(QPoint(qRound(d.left()), qRound(d.top())),
                           QPoint(qRound(d.right()) - 1, qRound(d.bottom()) - 1));
        const QPoint firstDevice(int(std::floor(origin.x() + kSame)), int(std::floor(origin.y() + kSame)));
        const QImage pixels = layer->copy(QRect(device.topLeft() - firstDevice, device.size()));
        if (!device.isEmpty()) DrawDevicePixels(p, device.topLeft(), pixels);
        return;
      }
    }
    DrawImageCrisp(p, dest, image, source);
  });
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& from, const TRect& source) {
  if (!from.FImage) return;
  if (&from == this) {
    // Overlapping copies within one image read from a snapshot (of the
    // picture only: the layer takes the copy mapped from it).
    const QImage snapshot = FImage->copy(ToQRect(source));
    DrawImage(ToQRect(dest), snapshot, snapshot.rect());
    return;
  }
  DrawImage(ToQRect(dest), *from.FImage, ToQRect(source), from.FOwner);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  const QImage& image = bitmap.Image();
  if (!bitmap.Transparent) {
    DrawImage(QRect(x, y, image.width(), image.height()), image, image.rect(), &bitmap);
    return;
  }
  // Drawn through the picture alone: the transparent colour is the picture's.
  const QImage masked = MaskedCopy(image, ToQColor(bitmap.TransparentColor()).rgb());
  DrawImage(QRect(x, y, image.width(), image.height()), masked, masked.rect());
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  DrawImage(ToQRect(dest), bitmap.Image(), bitmap.Image().rect(), &bitmap);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  TFontConfiguration::Wait();
  const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
  Paint([&](QPainter& p) {
    p.setFont(Font.ToQFont());
    const QFontMetrics fm(p.font());
    if (Brush.Style != bsClear)
      p.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), ToQColor(Brush.Color));
    p.setPen(ToQColor(Font.Color()));
    p.drawText(QPoint(x, y + fm.ascent()), s);
  });
}

void TCanvas::TextRect(const TRect& clip, int x, int y, const std::string& text) {
  Paint([&](QPainter& p) {
    p.save();
    p.setClipRect(ToQRect(clip), Qt::IntersectClip);
  });
  if (Brush.Style != bsClear) FillRect(clip);
  const TBrushStyle style = Brush.Style;
  Brush.Style = bsClear;
  TextOut(x, y, text);
  Brush.Style = style;
  Paint([&](QPainter& p) { p.restore(); });
}

int TCanvas::TextWidth(const std::string& text) {
  TFontConfiguration::Wait();
  const QFontMetrics fm(Font.ToQFont());
  return fm.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

int TCanvas::TextHeight(const std::string&) {
  TFontConfiguration::Wait();
  return QFontMetrics(Font.ToQFont()).height();
}
