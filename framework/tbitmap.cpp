#include "framework/tbitmap.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
constexpr QImage::Format kFormat = QImage::Format_RGB32;

QImage NewImage(int width, int height) {
  if (width <= 0 || height <= 0) return QImage();
  QImage image(width, height, kFormat);
  image.fill(Qt::white);
  return image;
}
}  // namespace

TBitmap::TBitmap() = default;
TBitmap::TBitmap(int width, int height) : FImage(NewImage(width, height)) {}
TBitmap::TBitmap(const QImage& image) { SetImage(image); }
TBitmap::TBitmap(const TBitmap& other)
    : Transparent(other.Transparent), FTransparentColor(other.FTransparentColor) {
  FImage = other.Image().copy();
  FDeviceScale = other.FDeviceScale;
  FDevicePhase = other.FDevicePhase;
  if (const QImage* layer = other.DeviceLayer()) {
    FLayer = layer->copy();
    FLayerCurrent = true;
  }
}
TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  if (FCanvas) FCanvas->Release();
  FImage = other.Image().copy();
  FDeviceScale = other.FDeviceScale;
  FDevicePhase = other.FDevicePhase;
  DropLayer();
  if (const QImage* layer = other.DeviceLayer()) {
    FLayer = layer->copy();
    FLayerCurrent = true;
  }
  Transparent = other.Transparent;
  FTransparentColor = other.FTransparentColor;
  return *this;
}
TBitmap::~TBitmap() {
  if (FCanvas) FCanvas->Release();
}

void TBitmap::SetSize(int width, int height) {
  if (width == Width() && height == Height() && !FImage.isNull()) return;
  if (FCanvas) FCanvas->Release();
  DropLayer();
  FImage = NewImage(width, height);
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(this);
  return *FCanvas;
}

QImage& TBitmap::Image() {
  if (FCanvas) FCanvas->Release();
  // The caller may change pixels the layer does not know of.
  DropLayer();
  return FImage;
}

const QImage& TBitmap::Image() const {
  if (FCanvas) FCanvas->Release();
  return FImage;
}

void TBitmap::SetImage(const QImage& image) {
  if (FCanvas) FCanvas->Release();
  DropLayer();
  FImage = image.isNull() ? QImage() : image.convertToFormat(kFormat);
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentColor != clNone) return FTransparentColor;
  if (Empty()) return clNone;
  return FromQColor(QColor(Image().pixel(0, Height() - 1)));
}

void TBitmap::SetDeviceScale(qreal ratio, QPointF phase) {
  // Ratios that differ by less than this are one screen's.
  constexpr qreal kSame = 1e-6;
  if (ratio < 1 + kSame) ratio = 1, phase = QPointF();
  if (std::abs(ratio - FDeviceScale) < kSame && std::abs(phase.x() - FDevicePhase.x()) < kSame &&
      std::abs(phase.y() - FDevicePhase.y()) < kSame)
    return;
  if (FCanvas) FCanvas->Release();
  DropLayer();
  FDeviceScale = ratio;
  FDevicePhase = phase;
}

void TBitmap::DropLayer() {
  if (!FLayerCurrent) return;
  if (FCanvas) FCanvas->Release();
  FLayerCurrent = false;
  FLayer = QImage();
}

const QImage* TBitmap::DeviceLayer() const { return FLayerCurrent ? &FLayer : nullptr; }

// Every device pixel the picture reaches, counted from the one its top-left falls in.
QSize TBitmap::LayerSize() const {
  return QSize(qRound(FImage.width() * FDeviceScale + FDevicePhase.x()),
               qRound(FImage.height() * FDeviceScale + FDevicePhase.y()));
}

void TBitmap::SetDeviceLayer(const QImage& layer) {
  if (FDeviceScale == 1 || Empty() || layer.size() != LayerSize()) return;
  if (FCanvas) FCanvas->Release();
  FLayer = layer.convertToFormat(kFormat);
  FLayer.setDevicePixelRatio(FDeviceScale);
  FLayerCurrent = true;
}

QImage* TBitmap::LayerForDrawing() {
  if (FDeviceScale == 1 || Empty()) return nullptr;
  if (!FLayerCurrent) {
    FLayer = QImage(LayerSize(), kFormat);
    FLayer.setDevicePixelRatio(FDeviceScale);
    QPainter painter(&FLayer);
    AlignLayerPainter(painter, FDeviceScale, FDevicePhase);
    DrawImageCrisp(painter, FImage.rect(), FImage, FImage.rect());
    FLayerCurrent = true;
  }
  return &FLayer;
}
