// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing surface with the semantics the skinned parts are written
// against: lines exclude their end point, rectangles exclude right and
// bottom, CopyRect scales when the two rectangles differ in size (nearest
// pixel, no smoothing), text is drawn in the canvas font over the brush.
//
// A canvas either draws into an image it was made for (a bitmap's canvas;
// the painter is opened on first use and closed when the image is resized
// or read as a whole) or borrows a painter that is already open (a widget's
// paint event). A bitmap's canvas also draws into the bitmap's device layer
// when it has one, so text drawn there shows at the screen's full resolution.

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/tcolor.h"
#include "framework/tfont.h"
#include "framework/trect.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear };
enum TPenStyle { psSolid, psClear };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

// `bitmap` is about to be drawn with its top-left at (x, y) on `painter`:
// it keeps a device layer in that device's pixels while the painter's device
// has more than one per logical pixel (none for rotated or sheared painters).
void PlaceOnDevice(TBitmap& bitmap, const QPainter& painter, int x, int y);
// Lines up a painter on a device layer with the device pixels it stands for.
void AlignLayerPainter(QPainter& painter, qreal ratio, QPointF phase);

// Draws `source` (pixels of `image`) into `dest` (the painter's logical
// coordinates) by nearest pixel. On a scaled device the target's edges are
// rounded to whole device pixels, so pieces drawn side by side meet without
// a seam or an overlap, and no neighbouring source pixel bleeds in.
void DrawImageCrisp(QPainter& painter, const QRect& dest, const QImage& image, const QRect& source);

class TCanvas {
 public:
  explicit TCanvas(QImage* image);
  explicit TCanvas(QPainter* painter);
  explicit TCanvas(TBitmap* owner);  // the canvas of a bitmap
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  void MoveTo(int x, int y);
  void LineTo(int x, int y);  // the end point is not drawn
  void Polyline(const std::vector<TPoint>& points);
  void Rectangle(const TRect& r);  // outline in the pen, inside in the brush
  void FillRect(const TRect& r);   // brush only
  void FrameRect(const TRect& r);  // one-pixel outline in the brush colour
  void SetPixel(int x, int y, TColor color);
  TColor Pixel(int x, int y);  // clNone outside an image canvas

  // Copies `source` of `from` (a bitmap canvas) into `dest`, scaling when sizes differ.
  void CopyRect(const TRect& dest, TCanvas& from, const TRect& source);
  void Draw(int x, int y, const TBitmap& bitmap);  // honours bitmap.Transparent
  void StretchDraw(const TRect& dest, const TBitmap& bitmap);

  void TextOut(int x, int y, const std::string& text);
  void TextRect(const TRect& clip, int x, int y, const std::string& text);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);

  // Limits all further drawing to `r` (in canvas coordinates) until reset.
  void SetClipRect(const TRect& r);
  void ResetClip();

  // Opens the painter of an image canvas on demand. What is drawn through it
  // reaches only the picture, so a bitmap's device layer is dropped.
  QPainter& Painter();
  // Runs `paint` on every surface of the canvas, in canvas coordinates: the
  // picture and, for a bitmap with a device layer, that layer at its scale.
  void Paint(const std::function<void(QPainter&)>& paint);
  QImage* Image() const { return FImage; }
  // Closes the painter of an image canvas so the image can be resized or read.
  void Release();

 private:
  void DrawLinePixels(int x0, int y0, int x1, int y1);
  // `from` owns `image` (or is null): a surface whose device pixels are the
  // ones its device layer was made for takes the layer's pixels, every other
  // one the picture's.
  void DrawImage(const QRect& dest, const QImage& image, const QRect& source, const TBitmap* from = nullptr);
  QPainter& ImagePainter();
  QPainter* LayerPainter();  // null without a device layer
  void CloseLayer();

  QImage* FImage = nullptr;
  TBitmap* FOwner = nullptr;
  QPainter* FPainter = nullptr;
  std::unique_ptr<QPainter> FOwnPainter;
  std::unique_ptr<QPainter> FLayerPainter;
  TPoint FPenPos;
  bool FClipped = false;
  TRect FClipRect;
};
