// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "skin/data/ebsbitmaperror.h"
#include "skin/data/tbsbitmapfile.h"
#include "skinbytes.h"

namespace {

using namespace skinbytes;

QImage Decode(const Bytes& b) { return TbsBitmapFile::Decode(b.data(), b.size()); }

// The expected 2 x 2 picture: top row red, green; bottom row blue, white.
const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255), kWhite = qRgb(255, 255, 255);
void ExpectQuad(const QImage& image) {
  ASSERT_EQ(image.size(), QSize(2, 2));
  EXPECT_EQ(image.pixel(0, 0), kRed);
  EXPECT_EQ(image.pixel(1, 0), kGreen);
  EXPECT_EQ(image.pixel(0, 1), kBlue);
  EXPECT_EQ(image.pixel(1, 1), kWhite);
}
// Palette entries as 0x00RRGGBB, which little-endian stores blue, green, red, 0.
const std::vector<uint32_t> kQuadPalette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

struct DepthRow { const char* name; Bytes file; };
class EveryDepth : public ::testing::TestWithParam<DepthRow> {};
TEST_P(EveryDepth, DecodesThePixelsExactly) { ExpectQuad(Decode(GetParam().file)); }
INSTANTIATE_TEST_SUITE_P(Bmp, EveryDepth, ::testing::Values(
    // Rows bottom-up, each padded to four bytes.
    DepthRow{"FourBit", Bmp(2, 2, 4, 0, kQuadPalette, {0x23, 0, 0, 0, 0x01, 0, 0, 0})},
    DepthRow{"EightBit", Bmp(2, 2, 8, 0, kQuadPalette, {2, 3, 0, 0, 0, 1, 0, 0})},
    DepthRow{"SixteenBit555", Bmp(2, 2, 16, 0, {}, {0x1F, 0x00, 0xFF, 0x7F, 0x00, 0x7C, 0xE0, 0x03})},
    DepthRow{"SixteenBit565Fields", Bmp(2, 2, 16, 3, {}, {0x1F, 0x00, 0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07},
                                         {0xF800, 0x07E0, 0x001F})},
    DepthRow{"TwentyFourBit", Bmp(2, 2, 24, 0, {}, {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0})},
    DepthRow{"ThirtyTwoBit", Bmp(2, 2, 32, 0, {}, {255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0})},
    DepthRow{"TopDown", Bmp(2, -2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0})},
    // RLE8: three literal pixels padded to a word (the third falls past the
    // row and is dropped), end of line, two runs of one, end of bitmap.
    DepthRow{"Rle8", Bmp(2, 2, 8, 1, kQuadPalette, {0, 3, 2, 3, 0, 0, 0, 0, 1, 0, 1, 1, 0, 1})},
    // RLE8 move: one step right on the top row; the pixel skipped stays index 0.
    DepthRow{"Rle8Move", Bmp(2, 2, 8, 1, kQuadPalette, {1, 2, 1, 3, 0, 0, 0, 2, 1, 0, 1, 1, 0, 1})},
    DepthRow{"Rle4", Bmp(2, 2, 4, 2, kQuadPalette, {2, 0x23, 0, 0, 2, 0x01, 0, 1})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpReader, OneBitPictureUsesItsPalette) {
  // Two black-white pictures: the first pixel of the bottom row is set.
  const QImage image = Decode(Bmp(2, 1, 1, 0, {0x000000, 0xFFFFFF}, {0x80, 0, 0, 0}));
  EXPECT_EQ(image.pixel(0, 0), kWhite);
  EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 0));
}

struct BadRow { const char* name; Bytes file; const char* problem; };
class BadBitmap : public ::testing::TestWithParam<BadRow> {};
TEST_P(BadBitmap, FailsNamingTheProblem) {
  try {
    Decode(GetParam().file);
    FAIL() << "decoded a bad file";
  } catch (const EbsBitmapError& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam().problem), std::string::npos) << e.what();
  }
}
Bytes WithLength(Bytes b, uint32_t length) {
  for (int i = 0; i < 4; ++i) b[2 + i] = uint8_t(length >> (8 * i));
  return b;
}
Bytes Truncated(Bytes b, size_t keep) {
  b.resize(keep);
  return b;
}
Bytes Patched32(Bytes b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
  return b;
}
const Bytes kGood = SolidBmp(3, 3, kRed);
INSTANTIATE_TEST_SUITE_P(Bmp, BadBitmap, ::testing::Values(
    BadRow{"NotBM", [] { Bytes b = kGood; b[0] = 'P'; return b; }(), "not \"BM\""},
    BadRow{"LengthPastEnd", WithLength(kGood, uint32_t(kGood.size() + 1)), "runs past the end"},
    BadRow{"LengthTooSmall", WithLength(kGood, 10), "too small"},
    BadRow{"HeaderCut", Truncated(kGood, 10), "incomplete"},
    BadRow{"PixelsMissing", WithLength(Truncated(kGood, kGood.size() - 4), uint32_t(kGood.size() - 4)), "pixel data needs"},
    BadRow{"AbsurdWidth", Patched32(kGood, 18, 0x7FFFFFFF), "width"},
    BadRow{"AbsurdArea", Patched32(Patched32(kGood, 18, 30000), 22, 30000), "too large"},
    BadRow{"ZeroHeight", Patched32(kGood, 22, 0), "height"},
    BadRow{"UnknownHeader", Patched32(kGood, 14, 77), "header size"},
    BadRow{"BadDepth", [] { Bytes b = kGood; b[28] = 7; return b; }(), "bits per pixel"},
    BadRow{"PixelOffsetPastEnd", Patched32(kGood, 10, 100000), "offset"},
    BadRow{"PaletteTooLong", WithLength(Truncated(Bmp(1, 1, 8, 0, std::vector<uint32_t>(256, 0), {0, 0, 0, 0}), 60), 60), "colour table"},
    BadRow{"RleWithoutEnd", Bmp(4, 4, 8, 1, kQuadPalette, {2, 1, 0, 0}), "end-of-bitmap"},
    BadRow{"RleLiteralPastEnd", Bmp(4, 4, 8, 1, kQuadPalette, {0, 200, 1, 2}), "literal"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpWriter, WritesTwentyFourBitFilesThatReadBackPixelForPixel) {
  QImage image(5, 3, QImage::Format_RGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) image.setPixel(x, y, qRgb(x * 50, y * 80, 7));
  QTemporaryDir dir;
  const std::string path = dir.filePath("p.bmp").toStdString();
  TbsBitmapFile::SaveToFile(path, image);
  const Bytes bytes = TbsBitmapFile::Encode(image);
  EXPECT_EQ(bytes.size(), size_t(54 + 16 * 3)) << "rows of 15 bytes padded to 16";
  EXPECT_EQ(bytes[28], 24);
  EXPECT_EQ(TbsBitmapFile::LoadFromFile(path), image);
}

TEST(BmpReader, MissingFileFailsWithItsName) {
  EXPECT_THROW(TbsBitmapFile::LoadFromFile("/nonexistent/x.bmp"), EbsBitmapError);
}

}  // namespace
