// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures with a different colour in every pixel, so a pixel copied from the
// wrong place cannot pass unnoticed, and set-of-pixels helpers for glyphs.

#include <QApplication>
#include <QImage>
#include <cstdint>
#include <random>
#include <set>
#include <utility>

#include "framework/tbitmap.h"

namespace drawtest {

inline void EnsureApp() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "skin_draw_tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
}

// Colour of pixel (x, y) of a picture made by Pattern: unique for pictures
// up to 4096 x 4096.
inline QRgb PatternColor(int x, int y, int salt = 0) {
  return qRgb((x * 7 + salt) & 0xFF, (y * 13 + (x >> 8)) & 0xFF, ((x * 3 + y * 5 + salt * 11) ^ (y >> 4)) & 0xFF);
}

inline QImage Pattern(int w, int h, int salt = 0) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, PatternColor(x, y, salt));
  return image;
}

inline QImage Random(int w, int h, uint32_t seed) {
  std::mt19937 gen(seed);
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xFF000000u | (gen() & 0xFFFFFFu));
  return image;
}

using PixelSet = std::set<std::pair<int, int>>;

// Pixels of `image` that differ from `background`, relative to (x0, y0).
inline PixelSet Painted(const QImage& image, QRgb background, int x0 = 0, int y0 = 0) {
  PixelSet set;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) | 0xFF000000u) != (background | 0xFF000000u)) set.insert({x - x0, y - y0});
  return set;
}

}  // namespace drawtest
