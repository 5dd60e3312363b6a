// SPDX-License-Identifier: GPL-3.0-or-later
// compose POPUPWINDOW draws the popup menu the program shows: the sample
// menu composed by the tool equals, pixel for pixel, the same menu opened
// by the program's menu controller and grabbed from its window.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupwindow.h"
#include "skinpacktool.h"
#include "tools/skinpack/samplemenu.h"

namespace {

using namespace tooltest;

QImage ComposePopupFile(const std::string& skin, const QSize& size) {
  QTemporaryDir dir;
  const QString out = dir.filePath("popup.png");
  const ToolRun r = Skinpack({"compose", QString::fromStdString(skin), "POPUPWINDOW",
                              QString("%1x%2").arg(size.width()).arg(size.height()), out});
  EXPECT_EQ(r.Code, 0) << r.Err;
  return QImage(out).convertToFormat(QImage::Format_ARGB32);
}

// The sample menu as the program opens it, once its first row has faded in.
QImage ShownPopup(const std::string& skin) {
  QObject owner;
  auto* data = new TbsSkinData(&owner);
  auto* stored = new TbsCompressedStoredSkin(data);
  EXPECT_TRUE(stored->BuildFromDescriptionFile(skin));
  data->SetCompressedStoredSkin(stored);
  TMenuItem items;
  AddSampleMenuItems(items);
  TbsSkinMenu menu(&owner);
  menu.Popup(nullptr, data, false, &items, TRect{0, 0, 0, 0});
  TbsSkinPopupWindow* window = menu.Window(0);
  if (!window) return {};
  while (window->MorphTimer().isActive()) window->MorphTimerStep();
  QImage shot = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  if (window->WindowRegion())
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x)
        if (!window->WindowRegion()->contains(QPoint(x, y))) shot.setPixel(x, y, qRgba(0, 0, 0, 0));
  menu.CloseAll();
  return shot;
}

int DifferentPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

TEST(ComposePopup, EqualsThePopupMenuTheProgramShows) {
  const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
  for (const std::string& skin : {std::string(DEFAULT_SKIN_DIR "/skin.ini"), std::string(TEST_SKINS_DIR "/shaped/skin.ini")}) {
    SCOPED_TRACE(skin);
    const QImage shown = ShownPopup(skin);
    ASSERT_FALSE(shown.isNull());
    const QImage composed = ComposePopupFile(skin, screen);
    EXPECT_EQ(DifferentPixels(composed, shown), 0);
  }
}

TEST(ComposePopup, AHeightTooSmallForTheMenuMakesItScroll) {
  const std::string skin = DEFAULT_SKIN_DIR "/skin.ini";
  const QImage full = ComposePopupFile(skin, {1280, 1024});
  const QImage small = ComposePopupFile(skin, {1280, 60});
  ASSERT_FALSE(full.isNull());
  EXPECT_GT(full.height(), 60);
  EXPECT_EQ(small.height(), 60);
  EXPECT_EQ(small.width(), full.width());
  // The scrolling menu draws its down marker in the skin's marker colour (7761512 = 0x766E68, BGR).
  const QColor marker(0x68, 0x6E, 0x76);
  bool found = false;
  for (int y = 40; y < 60 && !found; ++y)
    for (int x = 0; x < small.width() && !found; ++x) found = QColor(small.pixel(x, y)) == marker;
  EXPECT_TRUE(found);
}

}  // namespace
