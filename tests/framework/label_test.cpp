// SPDX-License-Identifier: GPL-3.0-or-later
// The framework label: its text measured and drawn by one routine, with
// accelerators, alignment, layout and the disabled look.

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QTest>

#include "framework/tedit.h"
#include "framework/tform.h"
#include "framework/tlabel.h"
#include "framework/thintwindow.h"

namespace {

TLabel* Make(QWidget* parent, const std::string& caption) {
  auto* l = new TLabel(parent);
  l->Font() = TFont("Arial", 14);
  l->SetCaption(caption);
  return l;
}

TEST(Label, AcceleratorMarksTakeNoRoomAndADoubleMarkIsOneCharacter) {
  QWidget parent;
  TLabel* marked = Make(&parent, "&Save");
  TLabel* plain = Make(&parent, "Save");
  EXPECT_EQ(marked->Width(), plain->Width());
  TLabel* twoMarks = Make(&parent, "a&&b");
  TLabel* written = Make(&parent, "a&b");
  written->SetShowAccelChar(false);  // "&" is an ordinary character
  EXPECT_EQ(twoMarks->Width(), written->Width());
  EXPECT_GT(written->Width(), Make(&parent, "ab")->Width());
}

TEST(Label, AutoSizeFollowsTheTextAndARightJustifiedLabelKeepsItsRightEdge) {
  QWidget parent;
  TLabel* l = Make(&parent, "short");
  l->SetBounds(100, 10, l->Width(), l->Height());
  const int oneLine = l->Height();
  l->SetAlignment(taRightJustify);
  const int right = l->Left() + l->Width();
  l->SetCaption("a good deal longer");
  EXPECT_EQ(l->Left() + l->Width(), right);
  l->SetCaption("two\nlines");
  EXPECT_NEAR(l->Height(), 2 * oneLine, 1);
  l->SetCaption("");
  EXPECT_EQ(l->Height(), oneLine) << "an empty caption keeps one line";
  l->SetAutoSize(false);
  l->SetCaption("no longer sized by its text at all");
  EXPECT_EQ(l->Height(), oneLine);
  EXPECT_EQ(l->Left() + l->Width(), right);
}

// Rows of the label that hold ink (not the background colour).
std::pair<int, int> InkRows(const QImage& image, QRgb background) {
  int first = -1, last = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) {
        if (first < 0) first = y;
        last = y;
        break;
      }
  return {first, last};
}

TEST(Label, LayoutPlacesTheTextAtTheTopMiddleOrBottom) {
  QWidget parent;
  TLabel* l = Make(&parent, "Text_");
  l->SetAutoSize(false);
  l->SetBounds(0, 0, 80, 60);
  const QRgb face = qRgb(212, 208, 200);
  auto rows = [&] { return InkRows(l->grab().toImage().convertToFormat(QImage::Format_RGB32), face); };
  const auto top = rows();
  l->SetLayout(tlBottom);
  const auto bottom = rows();
  l->SetLayout(tlCenter);
  const auto centre = rows();
  ASSERT_GE(top.first, 0);
  const int shift = bottom.first - top.first;
  EXPECT_GT(shift, 30);
  EXPECT_EQ(bottom.second - top.second, shift);
  EXPECT_NEAR(centre.first - top.first, shift / 2, 1);
}

TEST(Label, ADisabledLabelIsEmbossed) {
  QWidget parent;
  TLabel* l = Make(&parent, "Off_");
  l->SetEnabled(false);
  const QImage shot = l->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int shadow = 0, light = 0, black = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      shadow += shot.pixel(x, y) == qRgb(128, 128, 128);
      light += shot.pixel(x, y) == qRgb(255, 255, 255);
      black += shot.pixel(x, y) == qRgb(0, 0, 0);
    }
  EXPECT_GT(shadow, 3);
  EXPECT_GT(light, 0) << "the highlight shows below and right of the shadow";
  EXPECT_EQ(black, 0);
}

TEST(Label, AltAndTheMarkedLetterFocusTheFocusControl) {
  TForm form;
  auto* label = Make(form.ClientArea(), "&Name");
  auto* field = new TEdit(form.ClientArea());
  field->SetBounds(60, 0, 80, 20);
  auto* other = new TEdit(form.ClientArea());
  other->SetBounds(60, 30, 80, 20);
  label->SetFocusControl(field);
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  other->Editor()->setFocus();
  QTest::keyClick(other->Editor(), Qt::Key_N, Qt::AltModifier);
  EXPECT_TRUE(field->Editor()->hasFocus());

  // A new caption moves the key; without its mark the label takes none.
  other->Editor()->setFocus();
  label->SetCaption("Na&me");
  QTest::keyClick(other->Editor(), Qt::Key_N, Qt::AltModifier);
  EXPECT_TRUE(other->Editor()->hasFocus());
  QTest::keyClick(other->Editor(), Qt::Key_M, Qt::AltModifier);
  EXPECT_TRUE(field->Editor()->hasFocus());
  other->Editor()->setFocus();
  label->SetShowAccelChar(false);
  QTest::keyClick(other->Editor(), Qt::Key_M, Qt::AltModifier);
  EXPECT_TRUE(other->Editor()->hasFocus());

  // A label that goes takes its key with it.
  label->SetShowAccelChar(true);
  delete label;
  QTest::keyClick(other->Editor(), Qt::Key_M, Qt::AltModifier);
  EXPECT_TRUE(other->Editor()->hasFocus());
}

TEST(HintCursor, RowsBelowTheHotSpotDownToTheLowestVisibleRow) {
  QImage arrow(32, 32, QImage::Format_ARGB32);
  arrow.fill(Qt::transparent);
  for (int y = 0; y < 20; ++y) arrow.setPixel(y / 2, y, qRgba(0, 0, 0, 255));
  arrow.setPixel(5, 24, qRgba(0, 0, 0, 1));  // barely visible still counts
  const struct {
    const char* name;
    QImage image;
    QPoint hotSpot;
    int rows;
  } table[] = {
      {"hot spot at the tip", arrow, {0, 0}, 25},
      {"hot spot lower down", arrow, {3, 10}, 15},
      {"hot spot on the lowest row", arrow, {0, 24}, 1},
      {"hot spot below everything", arrow, {0, 30}, 0},
      {"no picture", QImage(), {0, 0}, 0},
  };
  for (const auto& row : table) EXPECT_EQ(CursorRowsBelowHotSpot(row.image, row.hotSpot), row.rows) << row.name;
}

}  // namespace

namespace {

// A label in a form being built keeps its stored bounds and takes its text's
// size once the build ends, in its final caption and font; a right-justified
// one keeps the right edge it was stored with.
TEST(Label, InAFormBeingBuiltALabelIsSizedOnceAtTheEndInItsFinalCaptionAndFont) {
  QWidget plain;
  TLabel* sizedAtOnce = Make(&plain, "~");
  sizedAtOnce->Font() = TFont("MS Sans Serif", -19, fsBold);

  TForm form;
  form.BeginBuild();
  auto* built = new TLabel(form.ClientArea());
  built->SetBounds(62, 25, 13, 24);
  built->SetCaption("~");
  built->Font() = TFont("MS Sans Serif", -19, fsBold);
  auto* right = new TLabel(form.ClientArea());
  right->SetBounds(100, 5, 30, 24);
  right->SetAlignment(taRightJustify);
  right->Font() = TFont("Arial", 14);
  right->SetCaption("a good deal longer");
  EXPECT_EQ(built->Width(), 13);
  EXPECT_EQ(built->Height(), 24);
  EXPECT_EQ(right->Width(), 30);
  form.EndBuild();
  EXPECT_EQ(built->Left(), 62);
  EXPECT_EQ(built->Width(), sizedAtOnce->Width());
  EXPECT_EQ(built->Height(), sizedAtOnce->Height());
  EXPECT_GT(right->Width(), 30);
  EXPECT_EQ(right->Left() + right->Width(), 130);

  // Built, the form's labels follow their text at once again.
  built->SetCaption("~~~");
  EXPECT_GT(built->Width(), sizedAtOnce->Width());
}

}  // namespace
