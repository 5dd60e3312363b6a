// SPDX-License-Identifier: GPL-3.0-or-later
// The window's Chinese texts in the font the system's configuration picks for
// Chinese: every character from that font (never a box), and every group's
// caption clear of its frame. Runs in app_tests under the tests' own
// configuration (WenQuanYi Micro Hei) and again as app_cjk_fonts under one
// whose Chinese font is Noto Sans CJK SC; BR_CHINESE_FONT names the family
// the run's configuration picks.

#include <gtest/gtest.h>

#include <QImage>
#include <QRawFont>
#include <QTextLayout>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/tgroupbox.h"
#include "framework/tmenuitem.h"
#include "skin/form/tbsskinframe.h"
#include "windowtest.h"

namespace {

QString ExpectedChineseFamily() {
  const char* named = std::getenv("BR_CHINESE_FONT");
  return QString::fromUtf8(named ? named : "WenQuanYi Micro Hei");  // tests/fonts.conf
}

// The family whose glyph draws `c` in `font`, empty when no font has one.
QString DrawingFamily(const QFont& font, QChar c) {
  QTextLayout layout(QString(c), font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  if (runs.size() != 1 || runs[0].glyphIndexes().value(0) == 0) return {};
  return runs[0].rawFont().familyName();
}

class ChineseText : public wintest::Window {};

TEST_F(ChineseText, EveryChineseCharacterOfTheWindowComesFromTheSystemsChineseFont) {
  TmainForm& f = Open();
  std::vector<std::string> texts{f.Caption(), f.Hint(), f.ListBox1->Hint(), f.bsSkinLinkLabel1->Caption()};
  for (const TGroupBox* group : f.findChildren<TGroupBox*>()) texts.push_back(group->Caption());
  TMenuItem* menu = f.SkinForm->BuildSystemMenu();
  for (int i = 0; i < menu->Count(); ++i) texts.push_back(menu->Items(i)->Caption());
  std::vector<TFont> fonts{f.SkinForm->DefCaptionFont(), f.SkinForm->DefMenuItemFont(),
                           f.bsSkinHint1->DefaultFont(), f.bsSkinLinkLabel1->DefaultFont()};
  for (const TControl* control : f.findChildren<TControl*>()) fonts.push_back(control->Font());

  const QString expected = ExpectedChineseFamily();
  int checked = 0;
  for (const TFont& font : fonts) {
    const QFont qfont = font.ToQFont();
    for (const std::string& text : texts)
      for (const QChar c : QString::fromStdString(text)) {
        if (c.script() != QChar::Script_Han) continue;
        ++checked;
        ASSERT_EQ(DrawingFamily(qfont, c).toStdString(), expected.toStdString())
            << QString(c).toStdString() << " of " << text << " in " << font.Name() << " " << font.Height();
      }
  }
  EXPECT_GT(checked, 100);
}

// The caption stands on the frame's top line, over a background of its own,
// and ends before the right border: some of the top line shows on both sides.
TEST_F(ChineseText, EveryGroupsCaptionEndsBeforeItsRightBorder) {
  TmainForm& f = Open();
  const QList<TGroupBox*> groups = f.findChildren<TGroupBox*>();
  ASSERT_EQ(groups.size(), 3);
  for (TGroupBox* group : groups) {
    const QImage image = group->grab().toImage();
    const QRgb dark = ToQColor(group->FrameDarkColor()).rgb();
    int top = 0;
    while (top < image.height() && image.pixel(0, top) != dark) ++top;
    ASSERT_LT(top, image.height()) << group->Caption();
    const int right = image.width() - 2;  // the dark line of the right border
    // The top line showing between each border and the caption.
    int leftGap = 0;
    while (1 + leftGap < right && image.pixel(1 + leftGap, top) == dark) ++leftGap;
    int rightGap = 0;
    while (right - 1 - rightGap > 0 && image.pixel(right - 1 - rightGap, top) == dark) ++rightGap;
    const QString caption = QString::fromStdString(group->Caption());
    EXPECT_GE(rightGap, 1) << group->Caption() << " is "
                                 << QFontMetrics(group->Font().ToQFont()).horizontalAdvance(caption)
                                 << " pixels wide in a group " << image.width() << " wide";
    EXPECT_LT(leftGap, right - 1) << group->Caption() << ": no caption on the top line";
  }
}

}  // namespace
