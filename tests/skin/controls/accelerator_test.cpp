// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "skin/controls/tbsskinbutton.h"
#include "skin/controls/tbsskinpanel.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

struct Span {
  int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;  // inclusive; empty when right < left
  void Add(int x, int y) {
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
  bool Empty() const { return right < left; }
};

Span Difference(const QImage& a, const QImage& b) {
  Span s;
  for (int y = 0; y < std::min(a.height(), b.height()); ++y)
    for (int x = 0; x < std::min(a.width(), b.width()); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) s.Add(x, y);
  return s;
}

// A control's picture with a given caption; captions are held at the left,
// so a letter stays where it is whatever follows it.
using Render = std::function<QImage(const std::string& caption)>;

// A caption that shows `text` as it is, nothing marked.
std::string Plain(const std::string& text) {
  std::string caption;
  for (char c : text) caption += c == '&' ? std::string("&&") : std::string(1, c);
  return caption;
}

// The marked caption differs from its plain text only by a line below the
// letters that spans the marked letter's ink and ends before the next one's.
void ExpectUnderlined(const Render& render, const std::string& caption, const std::string& shown,
                      const std::string& before, const std::string& through) {
  SCOPED_TRACE(caption);
  const auto plain = [&](const std::string& text) { return render(Plain(text)); };
  const Span line = Difference(render(caption), plain(shown));
  ASSERT_FALSE(line.Empty()) << "no underline";
  EXPECT_LE(line.bottom - line.top, 2);  // a line, not a glyph
  const Span letters = Difference(plain(shown), plain(""));
  EXPECT_GE(line.top, letters.bottom - 3);  // under the letters (a descender may reach lower)
  const Span letter = Difference(plain(through), plain(before));
  EXPECT_LE(line.left, letter.left);
  EXPECT_GE(line.right, letter.right);
  const std::string next = shown.substr(0, through.size() + 1);
  if (next.size() > through.size()) EXPECT_LT(line.right, Difference(plain(next), plain(through)).left);
}

// "&&" shows an ampersand, and a caption of it alone has no underline.
void ExpectALiteralAmpersand(const Render& render) {
  const Span amp = Difference(render("a&&b"), render("ab"));
  EXPECT_GT(amp.bottom - amp.top, 4);  // a glyph, not a line
  EXPECT_TRUE(Difference(render("&&"), render("&&&")).Empty());  // a last lone mark draws nothing
}

struct Accelerator : ::testing::Test {
  TForm form;
};

TEST_F(Accelerator, AButtonUnderlinesItsMarkedLetter) {
  auto* b = new TbsSkinButton(form.ClientArea());
  b->SetCanFocused(false);
  b->SetBounds(0, 0, 120, 25);
  b->SetMargin(4);
  b->SetLayout(blGlyphLeft);
  const Render render = [b](const std::string& caption) {
    b->SetCaption(caption);
    return Grab(*b);
  };
  ExpectUnderlined(render, "&Go", "Go", "", "G");
  ExpectUnderlined(render, "Save && &Quit", "Save & Quit", "Save & ", "Save & Q");
  ExpectALiteralAmpersand(render);
}

TEST_F(Accelerator, APanelCaptionUnderlinesItsMarkedLetter) {
  auto* p = new TbsSkinPanel(form.ClientArea());
  p->SetBounds(0, 0, 160, 60);
  p->SetCaptionMode(true);
  p->SetDefaultAlignment(taLeftJustify);
  const Render render = [p](const std::string& caption) {
    p->SetCaption(caption);
    return Grab(*p);
  };
  ExpectUnderlined(render, "&Folders", "Folders", "", "F");
  ExpectUnderlined(render, "Fo&lders", "Folders", "Fo", "Fol");
  ExpectALiteralAmpersand(render);
}

}  // namespace
