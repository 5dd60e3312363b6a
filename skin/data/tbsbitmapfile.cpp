// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsbitmapfile.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

#include "skin/data/ebsbitmaperror.h"
#include "skin/data/skininputfile.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;   // OS/2 1.x header: 16-bit sizes, 3-byte palette entries
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

[[noreturn]] void Fail(const std::string& problem) { throw EbsBitmapError("Bitmap image is not valid: " + problem); }

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }
void Put16(std::vector<uint8_t>& out, uint16_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

// One colour channel of a bit-field pixel, scaled to 0..255.
struct Channel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;
  explicit Channel(uint32_t mask) : Mask(mask) {
    if (!mask) return;
    while (!((mask >> Shift) & 1)) ++Shift;
    Max = mask >> Shift;
  }
  uint32_t Value(uint32_t pixel) const {
    if (!Max) return 0;
    const uint64_t v = (pixel & Mask) >> Shift;
    return uint32_t((v * 255 + Max / 2) / Max);
  }
};

// Indexes past a short colour table are black (and opaque, as the image format needs).
std::array<QRgb, 256> BlackPalette() {
  std::array<QRgb, 256> palette;
  palette.fill(qRgb(0, 0, 0));
  return palette;
}

struct Layout {
  int Width = 0;
  int Height = 0;  // rows, always positive
  bool TopDown = false;
  int BitCount = 0;
  uint32_t Compression = kBiRgb;
  std::array<QRgb, 256> Palette = BlackPalette();
  uint32_t Masks[3] = {0, 0, 0};  // red, green, blue
};

// Expands RLE8 or RLE4 data into one palette index per pixel, bottom row
// first. Pixels the stream never sets keep index 0; pixels beyond a row's end
// are dropped; every input byte is checked before it is read.
std::vector<uint8_t> ExpandRle(const uint8_t* p, size_t n, const Layout& l) {
  std::vector<uint8_t> index(size_t(l.Width) * size_t(l.Height), 0);
  const bool four = l.Compression == kBiRle4;
  size_t i = 0;
  int64_t x = 0, y = 0;
  auto set = [&](uint8_t v) {
    if (x < l.Width && y < l.Height) index[size_t(y) * size_t(l.Width) + size_t(x)] = v;
    ++x;
  };
  while (y < l.Height) {
    if (i + 2 > n) Fail("compressed pixel data ends without an end-of-bitmap mark");
    const uint8_t count = p[i], value = p[i + 1];
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count; ++k) set(four ? uint8_t(k % 2 ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // move right and up
      if (i + 2 > n) Fail("compressed pixel data ends inside a move");
      x += p[i];
      y += p[i + 1];
      i += 2;
    } else {  // a run of literal pixels, padded to a 16-bit boundary
      const size_t bytes = four ? (value + 1) / 2 : value;
      if (i + bytes > n) Fail("compressed pixel data ends inside a literal run");
      for (int k = 0; k < value; ++k) set(four ? uint8_t(k % 2 ? p[i + k / 2] & 0x0F : p[i + k / 2] >> 4) : p[i + k]);
      i += bytes + (bytes & 1);
    }
  }
  return index;
}

}  // namespace

size_t TbsBitmapFile::DeclaredLength(const uint8_t* data, size_t size) {
  if (size < kFileHeaderSize) Fail("the file header is incomplete");
  if (data[0] != 'B' || data[1] != 'M') Fail("the header is not \"BM\"");
  const uint32_t length = U32(data + 2);
  if (length < kFileHeaderSize + kCoreHeaderSize) Fail("the file length " + std::to_string(length) + " is too small");
  if (length > size)
    Fail("the file length " + std::to_string(length) + " runs past the end of the data (" + std::to_string(size) +
         " bytes)");
  return length;
}

QImage TbsBitmapFile::Decode(const uint8_t* data, size_t size) {
  const size_t length = DeclaredLength(data, size);
  const uint32_t offBits = U32(data + 10);
  const uint32_t headerSize = U32(data + kFileHeaderSize);
  if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize && headerSize != 52 && headerSize != 56 &&
      headerSize != 108 && headerSize != 124)
    Fail("unknown information header size " + std::to_string(headerSize));
  if (kFileHeaderSize + headerSize > length) Fail("the information header runs past the file length");
  const uint8_t* h = data + kFileHeaderSize;

  Layout l;
  int64_t height = 0;
  size_t paletteEntry = 4;
  uint32_t colorsUsed = 0;
  size_t tableStart = kFileHeaderSize + headerSize;
  if (headerSize == kCoreHeaderSize) {
    l.Width = U16(h + 4);
    height = U16(h + 6);
    l.BitCount = U16(h + 10);
    paletteEntry = 3;
  } else {
    l.Width = int32_t(U32(h + 4));
    height = int32_t(U32(h + 8));
    l.BitCount = U16(h + 14);
    l.Compression = U32(h + 16);
    colorsUsed = U32(h + 32);
    if (l.Compression == kBiBitfields) {
      // The masks follow a plain information header, or sit inside a longer one.
      const uint8_t* m = h + kInfoHeaderSize;
      if (headerSize == kInfoHeaderSize) {
        if (tableStart + 12 > length) Fail("the colour masks run past the file length");
        tableStart += 12;
      }
      for (int c = 0; c < 3; ++c) l.Masks[c] = U32(m + 4 * c);
    }
  }
  if (l.Width <= 0 || l.Width > kMaxDimension) Fail("the width " + std::to_string(l.Width) + " is out of range");
  if (height == 0 || height > kMaxDimension || height < -kMaxDimension)
    Fail("the height " + std::to_string(height) + " is out of range");
  l.TopDown = height < 0;
  l.Height = int(l.TopDown ? -height : height);
  if (int64_t(l.Width) * l.Height > kMaxPixels)
    Fail("the picture of " + std::to_string(l.Width) + " x " + std::to_string(l.Height) + " pixels is too large");
  const int bpp = l.BitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    Fail(std::to_string(bpp) + " bits per pixel are not supported");
  const bool compressionFits = l.Compression == kBiRgb || (l.Compression == kBiRle8 && bpp == 8) ||
                               (l.Compression == kBiRle4 && bpp == 4) ||
                               (l.Compression == kBiBitfields && (bpp == 16 || bpp == 32));
  if (!compressionFits)
    Fail("compression " + std::to_string(l.Compression) + " with " + std::to_string(bpp) + " bits per pixel is not supported");
  if (l.TopDown && (l.Compression == kBiRle8 || l.Compression == kBiRle4)) Fail("a compressed picture cannot be top-down");

  if (bpp <= 8) {
    const uint32_t maxColors = 1u << bpp;
    const uint32_t count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
    if (tableStart + size_t(count) * paletteEntry > length) Fail("the colour table runs past the file length");
    for (uint32_t i = 0; i < count; ++i) {
      const uint8_t* e = data + tableStart + i * paletteEntry;
      l.Palette[i] = qRgb(e[2], e[1], e[0]);
    }
  } else if (l.Compression == kBiRgb && bpp == 16) {
    l.Masks[0] = 0x7C00, l.Masks[1] = 0x03E0, l.Masks[2] = 0x001F;
  } else if (l.Compression == kBiRgb && bpp == 32) {
    l.Masks[0] = 0x00FF0000, l.Masks[1] = 0x0000FF00, l.Masks[2] = 0x000000FF;
  }
  if (offBits < tableStart || offBits > length) Fail("the pixel data offset " + std::to_string(offBits) + " is out of range");
  const uint8_t* pixels = data + offBits;
  const size_t available = length - offBits;

  QImage image(l.Width, l.Height, QImage::Format_RGB32);
  if (image.isNull()) Fail("the picture cannot be held in memory");

  if (l.Compression == kBiRle8 || l.Compression == kBiRle4) {
    const std::vector<uint8_t> index = ExpandRle(pixels, available, l);
    for (int r = 0; r < l.Height; ++r) {
      auto* out = reinterpret_cast<QRgb*>(image.scanLine(l.Height - 1 - r));
      const uint8_t* in = index.data() + size_t(r) * size_t(l.Width);
      for (int x = 0; x < l.Width; ++x) out[x] = l.Palette[in[x]];
    }
    return image;
  }

  const size_t rowSize = ((size_t(l.Width) * size_t(bpp) + 31) / 32) * 4;
  if (rowSize * size_t(l.Height) > available)
    Fail("the pixel data needs " + std::to_string(rowSize * size_t(l.Height)) + " bytes but the file has " +
         std::to_string(available));
  const Channel red(l.Masks[0]), green(l.Masks[1]), blue(l.Masks[2]);
  for (int r = 0; r < l.Height; ++r) {
    const uint8_t* in = pixels + size_t(r) * rowSize;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(l.TopDown ? r : l.Height - 1 - r));
    switch (bpp) {
      case 1:
      case 4:
      case 8: {
        const int perByte = 8 / bpp;
        const uint8_t mask = uint8_t((1 << bpp) - 1);
        for (int x = 0; x < l.Width; ++x) {
          const int shift = 8 - bpp * (x % perByte + 1);
          out[x] = l.Palette[(in[x / perByte] >> shift) & mask];
        }
        break;
      }
      case 24:
        for (int x = 0; x < l.Width; ++x, in += 3) out[x] = qRgb(in[2], in[1], in[0]);
        break;
      case 16:
        for (int x = 0; x < l.Width; ++x, in += 2) {
          const uint32_t v = U16(in);
          out[x] = qRgb(int(red.Value(v)), int(green.Value(v)), int(blue.Value(v)));
        }
        break;
      case 32:
        for (int x = 0; x < l.Width; ++x, in += 4) {
          const uint32_t v = U32(in);
          out[x] = qRgb(int(red.Value(v)), int(green.Value(v)), int(blue.Value(v)));
        }
        break;
    }
  }
  return image;
}

std::vector<uint8_t> TbsBitmapFile::Encode(const QImage& source) {
  if (source.isNull() || source.width() <= 0 || source.height() <= 0) Fail("an empty picture cannot be written");
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const int w = image.width(), h = image.height();
  const size_t rowSize = ((size_t(w) * 24 + 31) / 32) * 4;
  const size_t imageSize = rowSize * size_t(h);
  const size_t offBits = kFileHeaderSize + kInfoHeaderSize;
  std::vector<uint8_t> out;
  out.reserve(offBits + imageSize);
  out.insert(out.end(), {'B', 'M'});
  Put32(out, uint32_t(offBits + imageSize));
  Put32(out, 0);  // two reserved words
  Put32(out, uint32_t(offBits));
  Put32(out, uint32_t(kInfoHeaderSize));
  Put32(out, uint32_t(w));
  Put32(out, uint32_t(h));  // positive: bottom row first
  Put16(out, 1);            // planes
  Put16(out, 24);
  Put32(out, kBiRgb);
  Put32(out, uint32_t(imageSize));
  Put32(out, 0);  // horizontal resolution
  Put32(out, 0);  // vertical resolution
  Put32(out, 0);  // colours used
  Put32(out, 0);  // important colours
  for (int y = h - 1; y >= 0; --y) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const size_t rowStart = out.size();
    for (int x = 0; x < w; ++x) out.insert(out.end(), {uint8_t(qBlue(in[x])), uint8_t(qGreen(in[x])), uint8_t(qRed(in[x]))});
    out.resize(rowStart + rowSize, 0);
  }
  return out;
}

QImage TbsBitmapFile::LoadFromFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  const std::string problem = ReadSkinInputFile(path, bytes);
  if (!problem.empty()) throw EbsBitmapError(problem);
  try {
    return Decode(bytes.data(), bytes.size());
  } catch (const EbsBitmapError& e) {
    // The reader's own text, with the file it came from.
    throw EbsBitmapError("\"" + path + "\": " + e.what());
  }
}

void TbsBitmapFile::SaveToFile(const std::string& path, const QImage& image) {
  const std::vector<uint8_t> bytes = Encode(image);
  std::ofstream file(path, std::ios::binary);
  if (!file) throw EbsBitmapError("Cannot create file \"" + path + "\"");
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!file) throw EbsBitmapError("Cannot write file \"" + path + "\"");
}
