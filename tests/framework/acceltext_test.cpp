// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <string>

#include "framework/acceltext.h"
#include "framework/tgroupbox.h"

namespace {

TEST(AccelText, MarksTheFirstSingleAmpersandsCharacterAndShowsDoubleOnesOnce) {
  struct Row {
    const char* name;
    std::string caption, shown;
    size_t start, length;
  };
  const Row rows[] = {
      {"first letter", "&Save", "Save", 0, 1},
      {"after a literal ampersand", "Save && &Quit", "Save & Quit", 7, 1},
      {"nothing marked", "Plain", "Plain", 0, 0},
      {"only literal ampersands", "a&&b", "a&b", 0, 0},
      {"a last lone mark", "End&", "End", 0, 0},
      {"second mark shown, not marked", "&a&b", "ab", 0, 1},
      {"a whole wide character", "x&中文", "x中文", 1, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TAccelText text = ParseAccelText(row.caption);
    EXPECT_EQ(text.Shown, row.shown);
    EXPECT_EQ(text.UnderlineLength, row.length);
    if (row.length) EXPECT_EQ(text.UnderlineStart, row.start);
  }
  EXPECT_EQ(AcceleratorOf("Save && &Quit"), 'q');
  EXPECT_EQ(AcceleratorOf("a&&b"), '\0');
}

constexpr int kW = 200, kH = 40, kX = 10, kY = 5;

// `text` drawn plainly (TextOut) or as an accelerator caption, black on white.
QImage Draw(const std::string& text, bool accel) {
  QImage image(kW, kH, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    TCanvas canvas(&image);
    canvas.Font = TFont("Arial", -16, 0, clBlack);
    canvas.Brush.Style = bsClear;
    if (accel) AccelTextOut(canvas, kX, kY, text);
    else canvas.TextOut(kX, kY, text);
  }
  return image;
}

struct Span {
  int left = kW, right = -1, top = kH, bottom = -1;  // inclusive; empty when right < left
  void Add(int x, int y) {
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
  bool Empty() const { return right < left; }
};

// Where two pictures differ.
Span Difference(const QImage& a, const QImage& b) {
  Span s;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) s.Add(x, y);
  return s;
}

// Where a picture is not white.
Span Ink(const QImage& a) {
  QImage white(kW, kH, QImage::Format_RGB32);
  white.fill(Qt::white);
  return Difference(a, white);
}

// The underline is all that tells a marked caption from its plain text: it
// lies below the letters and spans the marked letter's ink, ending before
// the next letter's ink starts.
void ExpectUnderline(const std::string& caption, const std::string& shown, const std::string& before,
                     const std::string& through) {
  SCOPED_TRACE(caption);
  const Span line = Difference(Draw(caption, true), Draw(shown, false));
  ASSERT_FALSE(line.Empty());
  EXPECT_GT(line.top, Ink(Draw("Sx", false)).bottom);  // below the baseline
  EXPECT_LE(line.bottom - line.top, 2);                 // a line, not a glyph
  const Span letter = Difference(Draw(through, false), Draw(before, false));
  EXPECT_LE(line.left, letter.left);
  EXPECT_GE(line.right, letter.right);
  const std::string next = shown.substr(0, through.size() + 1);
  if (next.size() > through.size()) {
    const Span nextLetter = Difference(Draw(next, false), Draw(through, false));
    EXPECT_LT(line.right, nextLetter.left);
  }
  // Every pixel of the line row inside the span is drawn.
  const QImage marked = Draw(caption, true);
  for (int x = line.left; x <= line.right; ++x) EXPECT_EQ(marked.pixel(x, line.top), qRgb(0, 0, 0)) << x;
}

TEST(AccelText, TheMarkedLetterIsUnderlinedAndTheMarkIsNotDrawn) {
  ExpectUnderline("&Save", "Save", "", "S");
  ExpectUnderline("Save && &Quit", "Save & Quit", "Save & ", "Save & Q");
  ExpectUnderline("x&中文", "x中文", "x", "x中");
}

TEST(AccelText, ACaptionWithoutAMarkDrawsExactlyItsText) {
  EXPECT_EQ(Draw("a&&b", true), Draw("a&b", false));
  EXPECT_EQ(Draw("Plain", true), Draw("Plain", false));
  EXPECT_EQ(Draw("End&", true), Draw("End", false));
}

TEST(AccelText, MeasuresTheTextAsShown) {
  QImage probe(1, 1, QImage::Format_RGB32);
  TCanvas canvas(&probe);
  canvas.Font = TFont("Arial", -16);
  EXPECT_EQ(AccelTextWidth(canvas, "Save && &Quit"), canvas.TextWidth("Save & Quit"));
  EXPECT_GT(canvas.TextWidth("Save && &Quit"), AccelTextWidth(canvas, "Save && &Quit"));
  // The drawn ink ends within the measured width.
  EXPECT_LT(Ink(Draw("&Save", true)).right, kX + AccelTextWidth(canvas, "&Save") + 1);
}

TEST(AccelText, AGroupBoxCaptionUnderlinesItsMarkedLetter) {
  TGroupBox box;
  box.SetBounds(0, 0, kW, kH);
  const auto grab = [&box](const std::string& caption) {
    box.SetCaption(caption);
    return box.grab().toImage().convertToFormat(QImage::Format_RGB32);
  };
  const Span line = Difference(grab("&Options"), grab("Options"));
  ASSERT_FALSE(line.Empty());
  EXPECT_LE(line.bottom - line.top, 2);
  const Span letter = Difference(grab("O"), grab("x"));  // the O's ink, where no x covers it
  const Span rest = Difference(grab("Options"), grab("O"));
  EXPECT_LE(line.left, letter.left);
  EXPECT_LT(line.right, rest.left);
  EXPECT_GT(line.top, Difference(grab("xx"), grab("")).bottom - 2);
}

}  // namespace
