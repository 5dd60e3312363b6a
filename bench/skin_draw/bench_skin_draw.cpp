// SPDX-License-Identifier: GPL-3.0-or-later
// Skin drawing at full-screen size (1920 x 1080), each fast path next to the
// baseline it is measured against:
//   effects            vs memcpy of the same 24-bit buffer (and a scalar table pass)
//   MorphBlend         vs QPainter drawing one RGB32 image over another with opacity
//   mask -> QRegion    vs createMaskFromColor + QBitmap + QRegion(QBitmap)
//   ComposeFrameEdges  alone (median of repetitions)
// Before timing, every fast path is checked to give the same bytes (or the
// same region) as its reference; a mismatch stops the run.

#include <benchmark/benchmark.h>

#include <QBitmap>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "skin/draw/pixelkernels.h"
#include "skin/draw/skinimage.h"
#include "skin/draw/skinregion.h"
#include "skin/draw/tbseffectbmp.h"

namespace {

constexpr int kW = 1920, kH = 1080;

QImage Photo(uint32_t seed) {
  // Smooth gradients with grain, like a skin picture rather than white noise.
  std::mt19937 gen(seed);
  QImage image(kW, kH, QImage::Format_RGB32);
  for (int y = 0; y < kH; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kW; ++x)
      line[x] = qRgb((x / 8 + int(gen() % 16)) & 0xFF, (y / 4 + int(gen() % 16)) & 0xFF, ((x + y) / 12) & 0xFF);
  }
  return image;
}

// A window shape: rounded corners, a few round holes and a ragged bottom edge.
QImage ShapedMask() {
  QImage mask(kW, kH, QImage::Format_RGB32);
  mask.fill(Qt::black);
  QPainter p(&mask);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  const int r = 24;
  for (auto [cx, cy] : {std::pair{0, 0}, {kW, 0}, {0, kH}, {kW, kH}}) {
    p.fillRect(cx == 0 ? 0 : kW - r, cy == 0 ? 0 : kH - r, r, r, Qt::white);
    p.setBrush(Qt::black);
    p.drawEllipse(QPoint(cx == 0 ? r : kW - r, cy == 0 ? r : kH - r), r, r);
    p.setBrush(Qt::white);
  }
  for (int i = 0; i < 12; ++i) p.drawEllipse(QPoint(150 + i * 140, 300 + (i % 3) * 200), 40 + i * 3, 30 + i * 2);
  for (int x = 0; x < kW; x += 16) p.fillRect(x, kH - 8 - (x / 16) % 5, 8, 8 + (x / 16) % 5, Qt::white);
  return mask;
}

// ---------------------------------------------------------------------------
// Exactness checks.

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fast path differs from its reference: %s\n", what);
  std::exit(1);
}

void CheckExactness() {
  const TbsEffectBmp photo(Photo(1));
  const TbsEffectBmp other(Photo(2));
  const size_t n = size_t(photo.Size());
  std::vector<uint8_t> a(photo.Bits(), photo.Bits() + n), b(a);
  uint8_t table[256];
  for (int c = 0; c < 256; ++c) table[c] = uint8_t(std::clamp(std::nearbyint(0.5 * c + 0.5 * 255), 0.0, 255.0));
  bspixels::ApplyByteTable(a.data(), n, table);
  bspixels::ApplyByteTableScalar(b.data(), n, table);
  Require(a == b, "byte table");
  for (double k : {0.2, 0.4, 0.6000000000000001, 0.8, 0.5}) {
    a.assign(photo.Bits(), photo.Bits() + n);
    b = a;
    bspixels::BlendBytes(a.data(), other.Bits(), n, k);
    bspixels::BlendBytesScalar(b.data(), other.Bits(), n, k);
    Require(a == b, "blend");
  }
  a.assign(photo.Bits(), photo.Bits() + n);
  b = a;
  for (int y = 0; y < kH; ++y) {
    bspixels::GrayRow(a.data() + size_t(y) * size_t(photo.RowSize()), kW);
    bspixels::GrayRowScalar(b.data() + size_t(y) * size_t(photo.RowSize()), kW);
    bspixels::NoiseRow(a.data() + size_t(y) * size_t(photo.RowSize()), kW, 50, 7, uint32_t(y * kW));
    bspixels::NoiseRowScalar(b.data() + size_t(y) * size_t(photo.RowSize()), kW, 50, 7, uint32_t(y * kW));
  }
  Require(a == b, "gray and noise");

  const QImage mask = ShapedMask();
  const QRegion ours = RegionFromData(MaskToRegionData(mask, 0, 0));
  const QRegion qt(QBitmap::fromImage(mask.createMaskFromColor(qRgb(0, 0, 0), Qt::MaskOutColor)));
  Require((ours ^ qt).isEmpty(), "mask region");
}

// ---------------------------------------------------------------------------

void BM_Memcpy(benchmark::State& state) {
  TbsEffectBmp src(Photo(1)), dst(kW, kH);
  for (auto _ : state) {
    std::memcpy(dst.Bits(), src.Bits(), size_t(src.Size()));
    benchmark::DoNotOptimize(dst.Bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMicrosecond);

void BM_ScalarTablePass(benchmark::State& state) {
  TbsEffectBmp bmp(Photo(1));
  uint8_t table[256];
  for (int c = 0; c < 256; ++c) table[c] = uint8_t(255 - c);
  for (auto _ : state) {
    bspixels::ApplyByteTableScalar(bmp.Bits(), size_t(bmp.Size()), table);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ScalarTablePass)->Unit(benchmark::kMicrosecond);

template <class Effect>
void RunEffect(benchmark::State& state, Effect effect) {
  TbsEffectBmp bmp(Photo(1));
  for (auto _ : state) {
    effect(bmp);
    benchmark::ClobberMemory();
  }
}

void BM_Brightness(benchmark::State& s) { RunEffect(s, [](TbsEffectBmp& b) { b.Brightness(0.5); }); }
void BM_Darkness(benchmark::State& s) { RunEffect(s, [](TbsEffectBmp& b) { b.Darkness(0.3); }); }
void BM_GrayScale(benchmark::State& s) { RunEffect(s, [](TbsEffectBmp& b) { b.GrayScale(); }); }
void BM_Noise(benchmark::State& s) { RunEffect(s, [](TbsEffectBmp& b) { b.Noise(50); }); }
void BM_SplitBlur(benchmark::State& s) { RunEffect(s, [](TbsEffectBmp& b) { b.SplitBlur(1); }); }
void BM_Invert(benchmark::State& s) { RunEffect(s, [](TbsEffectBmp& b) { b.Invert(); }); }
BENCHMARK(BM_Brightness)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Darkness)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrayScale)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Noise)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SplitBlur)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Invert)->Unit(benchmark::kMicrosecond);

void BM_MorphBlend(benchmark::State& state) {
  TbsEffectBmp a(Photo(1)), b(Photo(2));
  for (auto _ : state) {
    a.MorphBlend(b, 0.4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MorphBlend)->Unit(benchmark::kMicrosecond);

void BM_QtOpacityBlend(benchmark::State& state) {
  QImage a = Photo(1);
  const QImage b = Photo(2);
  for (auto _ : state) {
    QPainter p(&a);
    p.setOpacity(0.4);
    p.drawImage(0, 0, b);
    p.end();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_QtOpacityBlend)->Unit(benchmark::kMicrosecond);

void BM_MaskToRegion(benchmark::State& state) {
  const TBitmap mask(ShapedMask());
  for (auto _ : state) {
    QRegion region = RegionFromData(MaskToRegionData(mask, 0, 0));
    benchmark::DoNotOptimize(region);
  }
}
BENCHMARK(BM_MaskToRegion)->Unit(benchmark::kMicrosecond);

void BM_QtMaskToRegion(benchmark::State& state) {
  const TBitmap mask(ShapedMask());
  for (auto _ : state) {
    QRegion region(QBitmap::fromImage(mask.Image().createMaskFromColor(qRgb(0, 0, 0), Qt::MaskOutColor)));
    benchmark::DoNotOptimize(region);
  }
}
BENCHMARK(BM_QtMaskToRegion)->Unit(benchmark::kMicrosecond);

void BM_ComposeFrameEdges(benchmark::State& state) {
  // A 200 x 150 frame picture: 30-pixel caption, 6-pixel sides, 8-pixel
  // bottom, edge pieces 40 pixels long, tiled to full-screen size.
  const QImage picture = Photo(3).copy(0, 0, 200, 150);
  const TBitmap source(picture);
  const TRect skin{0, 0, 200, 150};
  const TPoint LT{60, 50}, RT{100, 50}, LB{60, 90}, RB{100, 90};
  const TRect CR{6, 30, 194, 142};
  const TbsSizedGeometry g = ComputeSizedGeometry(skin, LT, RT, LB, RB, CR, kW, kH);
  TBitmap left, top, right, bottom;
  for (auto _ : state) {
    ComposeFrameEdges(LT, RT, LB, RB, CR, g.SizedLeftTopPoint, g.SizedRightTopPoint, g.SizedLeftBottomPoint,
                      g.SizedRightBottomPoint, g.SizedClientRect, left, top, right, bottom, source, skin, kW, kH,
                      false, false, false, false);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ComposeFrameEdges)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);  // QBitmap needs the GUI side of Qt
  CheckExactness();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
