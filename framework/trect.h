// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Points and rectangles as the skin engine measures them: signed 32-bit
// coordinates, Right and Bottom exclusive (width = Right - Left).

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <cmath>

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return TPoint{x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}

// The platform's point test: right and bottom edges are outside.
inline bool PtInRect(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
inline void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

// Qt's QRect has an inclusive right/bottom; these conversions keep the pixels.
inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }
inline TRect FromQRect(const QRect& r) { return TRect{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
inline QPoint ToQPoint(const TPoint& p) { return QPoint(p.X, p.Y); }
// The logical pixel a pointer position falls in. QPointF::toPoint rounds,
// which on a scaled screen hands the right half of every pixel to its
// right-hand neighbour and so moves every hit area by a device pixel.
inline QPoint PixelAt(const QPointF& p) { return QPoint(int(std::floor(p.x())), int(std::floor(p.y()))); }
inline TPoint FromQPoint(const QPoint& p) { return TPoint{p.x(), p.y()}; }
