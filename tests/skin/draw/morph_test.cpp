// SPDX-License-Identifier: GPL-3.0-or-later
// Morphs against a slow reference written directly from their formulas, on
// plain pixel arrays, for every kind at every fade factor.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "drawtesthelpers.h"
#include "skin/draw/tbseffectbmp.h"

namespace {

using Px = std::array<int, 3>;  // R, G, B

struct Picture {
  int W = 0, H = 0;
  std::vector<Px> P;
  Px& at(int x, int y) { return P[size_t(y * W + x)]; }
  Px at(int x, int y) const { return P[size_t(y * W + x)]; }
};

Picture FromImage(const QImage& image) {
  Picture p{image.width(), image.height(), {}};
  for (int y = 0; y < p.H; ++y)
    for (int x = 0; x < p.W; ++x) {
      const QRgb c = image.pixel(x, y);
      p.P.push_back({qRed(c), qGreen(c), qBlue(c)});
    }
  return p;
}

int Clamp(double v) { return int(std::clamp(v, 0.0, 255.0)); }

// mix(m) = round(m A + (1 - m) B); mix(0) is B, mix(1) is A.
Px Mix(Px a, Px b, double m) {
  Px r;
  for (int c = 0; c < 3; ++c) r[size_t(c)] = Clamp(std::nearbyint(m * a[size_t(c)] + (1 - m) * b[size_t(c)]));
  return r;
}

Picture Reference(int kind, Picture A, const Picture& B, double k) {
  const int W = A.W, H = A.H;
  const auto round = [](double v) { return int(std::nearbyint(v)); };
  switch (kind) {
    case mkDefault: {
      k = std::clamp(k, 0.0, 1.0);
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
          for (int c = 0; c < 3; ++c)
            A.at(x, y)[size_t(c)] = Clamp(std::nearbyint((1 - k) * A.at(x, y)[size_t(c)] + k * B.at(x, y)[size_t(c)]));
      break;
    }
    case mkGradient: {
      if (W >= H) {
        const int n = round(W * k), c = (W - n) / 2;
        const double f = c == 0 ? 1 : 1.0 / c;
        const int g = W / 2, d = n / 2, left = std::max(0, g - d), right = std::min(W - 1, g + d);
        for (int x = left; x <= right; ++x)
          for (int y = 0; y < H; ++y) A.at(x, y) = B.at(x, y);
        double m = 0;
        for (int x = left; x >= 0; --x) {
          for (int y = 0; y < H; ++y) A.at(x, y) = Mix(A.at(x, y), B.at(x, y), m);
          m = std::min(1.0, m + f);
        }
        m = 0;
        for (int x = right; x <= W - 1; ++x) {
          for (int y = 0; y < H; ++y) A.at(x, y) = Mix(A.at(x, y), B.at(x, y), m);
          m = std::min(1.0, m + f);
        }
      } else {
        const int n = round(H * k), c = (H - 1 - n) / 2;
        const double f = c == 0 ? 0 : 1.0 / c;
        const int g = H / 2, d = n / 2, top = std::max(0, g - d), bottom = std::min(H - 1, g + d);
        for (int y = top; y <= bottom; ++y)
          for (int x = 0; x < W; ++x) A.at(x, y) = B.at(x, y);
        double m = 0;
        for (int y = top; y >= 0; --y) {
          for (int x = 0; x < W; ++x) A.at(x, y) = Mix(A.at(x, y), B.at(x, y), m);
          m = std::min(1.0, m + f);
        }
        m = 0;
        for (int y = bottom; y <= H - 1; ++y) {
          for (int x = 0; x < W; ++x) A.at(x, y) = Mix(A.at(x, y), B.at(x, y), m);
          m = std::min(1.0, m + f);
        }
      }
      break;
    }
    case mkLeftGradient: {
      int a = std::max(1, round(W * k));
      a = std::min(a, W - 1);
      for (int y = 0; y < H; ++y) {
        double m = 0;
        for (int x = 0; x <= a && x < W; ++x) {
          A.at(x, y) = Mix(A.at(x, y), B.at(x, y), m);
          m = std::min(1.0, m + 1.0 / a);
        }
      }
      break;
    }
    case mkRightGradient: {
      const int a = std::clamp(W - round(W * k), 0, W - 1);
      const double s = W - a <= 0 ? 1 : 1.0 / (W - a);
      for (int y = 0; y < H; ++y) {
        double m = 0;
        for (int x = W - 1; x >= a; --x) {
          A.at(x, y) = Mix(A.at(x, y), B.at(x, y), m);
          m = std::min(1.0, m + s);
        }
      }
      break;
    }
    case mkLeftSlide:
    case mkRightSlide: {
      int b = std::max(1, round(W * k));
      b = std::min(b, W - 1);
      for (int y = 0; y < H; ++y)
        for (int i = 0; i <= b - 1; ++i) {
          if (kind == mkLeftSlide)
            A.at(i, y) = B.at(std::min(W - 1, W - b + i), y);
          else
            A.at(std::min(W - 1, W - b + i), y) = B.at(i, y);
        }
      break;
    }
    case mkPush: {
      const int a = std::clamp(round(W * k), 0, W - 1);
      for (int y = 0; y < H; ++y) {
        for (int j = W - 1; j >= a; --j) A.at(j, y) = A.at(j == a ? 0 : j - a - 1, y);
        for (int i = 0; i <= a; ++i) A.at(i, y) = B.at(std::min(W - 1, W - a - 1 + i), y);
      }
      break;
    }
  }
  return A;
}

struct MorphCase {
  const char* Name;
  int Kind;
};

class MorphKinds : public testing::TestWithParam<MorphCase> {};

TEST_P(MorphKinds, MatchTheirFormulasAtEveryFadeStep) {
  const int kind = GetParam().Kind;
  // Wide and tall pictures (the gradient has a form for each) and a
  // one-column picture where every clamp of the column indexes bites.
  for (auto [w, h] : {std::pair{23, 7}, {6, 19}, {1, 4}, {40, 40}}) {
    const QImage a = drawtest::Random(w, h, 1), b = drawtest::Random(w, h, 2);
    for (int step = 0; step <= 5; ++step) {
      const double k = step * 0.2;  // 0.6000000000000001 as a fade reaches it
      TbsEffectBmp bmp(a);
      bmp.Morph(kind, TbsEffectBmp(b), k);
      const Picture expected = Reference(kind, FromImage(a), FromImage(b), k);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const TbsPixel p = bmp.Pixel(x, y);
          const Px e = expected.at(x, y);
          ASSERT_EQ((Px{p.R, p.G, p.B}), e) << w << "x" << h << " k=" << k << " at " << x << "," << y;
        }
    }
  }
}

TEST_P(MorphKinds, LeaveAUnchangedWhenTheSizesDiffer) {
  const QImage a = drawtest::Random(8, 5, 1);
  TbsEffectBmp bmp(a);
  bmp.Morph(GetParam().Kind, TbsEffectBmp(drawtest::Random(8, 6, 2)), 0.6);
  EXPECT_EQ(bmp.ToImage(), a);
}

INSTANTIATE_TEST_SUITE_P(All, MorphKinds,
                         testing::Values(MorphCase{"Blend", mkDefault}, MorphCase{"Gradient", mkGradient},
                                         MorphCase{"LeftGradient", mkLeftGradient},
                                         MorphCase{"RightGradient", mkRightGradient},
                                         MorphCase{"LeftSlide", mkLeftSlide}, MorphCase{"RightSlide", mkRightSlide},
                                         MorphCase{"Push", mkPush}),
                         [](const testing::TestParamInfo<MorphCase>& info) { return std::string(info.param.Name); });

TEST(Morphs, BlendAtZeroKeepsAAndAtOneGivesB) {
  const QImage a = drawtest::Random(33, 9, 1), b = drawtest::Random(33, 9, 2);
  TbsEffectBmp zero(a), one(a);
  zero.MorphBlend(TbsEffectBmp(b), 0);
  one.MorphBlend(TbsEffectBmp(b), 1);
  EXPECT_EQ(zero.ToImage(), a);
  EXPECT_EQ(one.ToImage(), b);
}

TEST(Morphs, LeftSlideNearZeroStillChangesOneColumn) {
  QImage a(10, 3, QImage::Format_RGB32), b(10, 3, QImage::Format_RGB32);
  a.fill(Qt::white);
  b.fill(Qt::black);
  TbsEffectBmp bmp(a);
  bmp.MorphLeftSlide(TbsEffectBmp(b), 0.01);
  const QImage out = bmp.ToImage();
  for (int x = 0; x < 10; ++x) EXPECT_EQ(out.pixel(x, 1), x == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << x;
}

TEST(Morphs, UnknownKindDoesNothing) {
  const QImage a = drawtest::Random(5, 5, 1);
  TbsEffectBmp bmp(a);
  bmp.Morph(7, TbsEffectBmp(drawtest::Random(5, 5, 2)), 0.5);
  EXPECT_EQ(bmp.ToImage(), a);
}

}  // namespace
