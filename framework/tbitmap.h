#pragma once
// A picture with a canvas. The pixels are an opaque 32-bit image (0xFFRRGGBB);
// `Transparent` makes Draw leave out the pixels of the transparent colour,
// which is the bottom-left pixel unless set explicitly.

#include <QImage>
#include <memory>

#include "framework/tcanvas.h"

class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);
  explicit TBitmap(const QImage& image);
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  ~TBitmap();

  int Width() const { return FImage.width(); }
  int Height() const { return FImage.height(); }
  bool Empty() const { return FImage.isNull() || FImage.width() == 0 || FImage.height() == 0; }
  void SetSize(int width, int height);  // keeps no pixels; new pixels are white
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }
  void Assign(const TBitmap& other) { *this = other; }
  void Clear() { SetSize(0, 0); }

  TCanvas& Canvas();
  // The pixels; closes the canvas painter first so they are complete.
  QImage& Image();
  const QImage& Image() const;
  void SetImage(const QImage& image);

  bool Transparent = false;
  TColor TransparentColor() const;  // bottom-left pixel, or the explicit colour
  void SetTransparentColor(TColor color) { FTransparentColor = color; }

 private:
  QImage FImage;
  std::unique_ptr<TCanvas> FCanvas;
  TColor FTransparentColor = clNone;
};
