#include "framework/tbitmap.h"

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
}
TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  if (FCanvas) FCanvas->Release();
  FImage = other.Image().copy();
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
  FImage = NewImage(width, height);
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(&FImage);
  return *FCanvas;
}

QImage& TBitmap::Image() {
  if (FCanvas) FCanvas->Release();
  return FImage;
}

const QImage& TBitmap::Image() const {
  if (FCanvas) FCanvas->Release();
  return FImage;
}

void TBitmap::SetImage(const QImage& image) {
  if (FCanvas) FCanvas->Release();
  FImage = image.isNull() ? QImage() : image.convertToFormat(kFormat);
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentColor != clNone) return FTransparentColor;
  if (Empty()) return clNone;
  return FromQColor(QColor(Image().pixel(0, Height() - 1)));
}
