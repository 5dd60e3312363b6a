// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds BMP files, skin packages and zlib blocks byte by byte, independently
// of the code under test, so the tests check our reader against the format.

#include <zlib.h>

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace skinbytes {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
inline void Put32(Bytes& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}); }
inline void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }
inline void Append(Bytes& b, const std::string& more) { b.insert(b.end(), more.begin(), more.end()); }

// A BMP file with a 40-byte information header, the given palette (BGRX
// entries) and pixel rows already laid out as the file stores them.
inline Bytes Bmp(int width, int height, int bpp, uint32_t compression, const std::vector<uint32_t>& palette,
                 const Bytes& pixels, const std::vector<uint32_t>& masks = {}) {
  Bytes b;
  const uint32_t off = 14 + 40 + uint32_t(masks.size() * 4 + palette.size() * 4);
  b.insert(b.end(), {'B', 'M'});
  Put32(b, off + uint32_t(pixels.size()));
  Put32(b, 0);
  Put32(b, off);
  Put32(b, 40);
  Put32(b, uint32_t(width));
  Put32(b, uint32_t(height));
  Put16(b, 1);
  Put16(b, uint32_t(bpp));
  Put32(b, compression);
  Put32(b, uint32_t(pixels.size()));
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, uint32_t(palette.size()));
  Put32(b, 0);
  for (uint32_t m : masks) Put32(b, m);
  for (uint32_t c : palette) Put32(b, c);
  Append(b, pixels);
  return b;
}

// A 24-bit bottom-up BMP of a picture whose pixel (x, y) is colour(x, y).
template <class F>
Bytes Bmp24(int width, int height, F colour) {
  Bytes rows;
  const int rowSize = (width * 3 + 3) / 4 * 4;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const QRgb c = colour(x, y);
      rows.insert(rows.end(), {uint8_t(qBlue(c)), uint8_t(qGreen(c)), uint8_t(qRed(c))});
    }
    rows.resize(rows.size() + size_t(rowSize - width * 3), 0);
  }
  return Bmp(width, height, 24, 0, {}, rows);
}

inline Bytes SolidBmp(int width, int height, QRgb c) {
  return Bmp24(width, height, [c](int, int) { return c; });
}

inline QImage Solid(int width, int height, QRgb c) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(c);
  return image;
}

// The pieces of a package in their order; an empty picture writes flag 1.
struct Package {
  int32_t Version = 3;
  Bytes Picture, Inactive, Mask;
  Bytes Old1, Old2;  // the two extra pairs of version 2
  int32_t ActiveCount = -1;  // -1: the number of Active entries
  std::vector<Bytes> Active;
  std::string Text;

  Bytes Build() const {
    Bytes b;
    Put32(b, uint32_t(Version));
    auto optional = [&b](const Bytes& p) {
      b.push_back(p.empty() ? 1 : 0);
      Append(b, p);
    };
    optional(Picture);
    optional(Inactive);
    optional(Mask);
    if (Version == 2) {
      optional(Old1);
      optional(Old2);
    }
    Put32(b, uint32_t(ActiveCount >= 0 ? ActiveCount : int32_t(Active.size())));
    for (const Bytes& p : Active) Append(b, p);
    Append(b, Text);
    return b;
  }
};

inline Bytes Compress(const Bytes& data, int level = 9) {
  uLongf size = compressBound(uLong(data.size()));
  Bytes out(size);
  compress2(out.data(), &size, data.data(), uLong(data.size()), level);
  out.resize(size);
  return out;
}

}  // namespace skinbytes
