// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture with a canvas. The pixels are an opaque 32-bit image (0xFFRRGGBB);
// `Transparent` makes Draw leave out the pixels of the transparent colour,
// which is the bottom-left pixel unless set explicitly.
//
// On a screen with more device pixels than logical ones a bitmap can keep a
// device layer: the picture in the very device pixels it will cover there,
// kept by every canvas call, where text is drawn at full resolution.
// Changing the pixels directly (Image(), SetImage, SetSize) drops the layer,
// which then starts again as the picture mapped by nearest pixel.

#include <QImage>
#include <QPointF>
#include <cstddef>
#include <memory>

#include "framework/tcanvas.h"

class TBitmap {
 public:
  struct ForPaintTag {};
  // For a paint's off-screen buffer (see TBitmap(width, height, ForPaint)).
  static constexpr ForPaintTag ForPaint{};

  TBitmap();
  TBitmap(int width, int height);
  // A white bitmap like the one above, whose pixels are lent for one paint
  // from memory that the paints of a window update take in turn; given back
  // when the last picture sharing them goes.
  TBitmap(int width, int height, ForPaintTag);
  // Faults in the first `bytes` of the memory paints are lent ahead of the
  // next update, so its paints do not stop at every new page.
  static void PreparePaintMemory(std::size_t bytes);
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

  // Device pixels per logical pixel where the bitmap will be drawn, and
  // where its top-left falls within a device pixel there (0 <= phase < 1).
  // A ratio of 1 keeps no layer; a change drops the layer.
  void SetDeviceScale(qreal ratio, QPointF phase = QPointF());
  qreal DeviceScale() const { return FDeviceScale; }
  QPointF DevicePhase() const { return FDevicePhase; }
  // The layer (its devicePixelRatio is the scale) with everything drawn
  // through the canvas since the pixels last changed directly; null when
  // there is none.
  const QImage* DeviceLayer() const;
  // Puts back a layer worked on outside the canvas (a colour effect run on
  // both pictures alike); ignored unless it has the layer's size.
  void SetDeviceLayer(const QImage& layer);

  bool Transparent = false;
  TColor TransparentColor() const;  // bottom-left pixel, or the explicit colour
  void SetTransparentColor(TColor color) { FTransparentColor = color; }

 private:
  friend class TCanvas;
  QImage* LayerForDrawing();  // brought up to date with the picture first
  void DropLayer();
  QSize LayerSize() const;

  QImage FImage;
  qreal FDeviceScale = 1;
  QPointF FDevicePhase;
  QImage FLayer;
  bool FLayerCurrent = false;
  std::unique_ptr<TCanvas> FCanvas;
  TColor FTransparentColor = clNone;
};
