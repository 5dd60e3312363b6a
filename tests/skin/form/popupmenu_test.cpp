// SPDX-License-Identifier: GPL-3.0-or-later
// Skinned popup menus: size and rows from the program's skin and in the
// plain look, scrolling with its marker bands, the keyboard, submenus,
// running an item, and the pixels of a highlighted row.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <memory>

#include "formtesthelpers.h"
#include "framework/tmessage.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/draw/skinimage.h"
#include "skin/form/popupgeometry.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupmenu.h"
#include "skin/form/tbsskinpopupwindow.h"
#include "skins/defaultskinblock.h"

using namespace formtest;

namespace {

// Records the notices a menu sends to the control that opened it.
class Opener : public QObject {
 public:
  std::string Log;
  bool event(QEvent* e) override {
    if (!IsMessageEvent(e)) return QObject::event(e);
    const unsigned msg = static_cast<TMessageEvent*>(e)->Message.Msg;
    Log += msg == SkinMsgMenuClosed ? "closed;" : msg == SkinMsgMenuCommand ? "command;" : "other;";
    return true;
  }
};

void LoadEmbedded(TbsSkinData& data) {
  auto* stored = new TbsCompressedStoredSkin(&data);
  stored->SetCompressedData(DefaultSkinBlock());
  data.SetCompressedStoredSkin(stored);
}

QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }
QColor Rgb(int r, int g, int b) { return QColor(r, g, b); }
QColor FromTColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

TRect WorkArea() { return FromQRect(QGuiApplication::primaryScreen()->availableGeometry()); }

struct MenuFixture {
  MenuFixture() : Menu(&Owner) {}
  QObject Owner;
  TbsSkinMenu Menu;
  TMenuItem Items;
  Opener Control;
  TbsSkinPopupWindow* Open(TbsSkinData* skin, const TRect& anchor = {100, 100, 100, 100}) {
    Menu.Popup(&Control, skin, false, &Items, anchor);
    return Menu.Window(0);
  }
};

TEST(SkinMenu, NothingOpensForAnEmptyListAHiddenListOrAFirstIndexPastTheEnd) {
  MenuFixture f;
  EXPECT_EQ(f.Open(nullptr), nullptr);
  f.Items.Add("a", "A")->SetVisible(false);
  EXPECT_EQ(f.Open(nullptr), nullptr);
  f.Items.Items(0)->SetVisible(true);
  f.Menu.Popup(&f.Control, nullptr, false, &f.Items, {0, 0, 0, 0}, 1);
  EXPECT_FALSE(f.Menu.IsOpen());
  f.Menu.Popup(&f.Control, nullptr, false, &f.Items, {0, 0, 0, 0}, -1);
  EXPECT_FALSE(f.Menu.IsOpen());
  EXPECT_EQ(f.Control.Log, "");  // nothing opened, so nothing closed
  ASSERT_NE(f.Open(nullptr), nullptr);
}

TEST(SkinMenu, PlainPopupSizeAndRowsFollowTheWidestTextAndTheDefaultHeights) {
  MenuFixture f;
  f.Items.Add("a", "&Short");
  f.Items.Add("", "-");
  TMenuItem* wide = f.Items.Add("b", "A much wider caption");
  wide->SetShortCutText("Alt+F4");
  f.Items.Add("hidden", "Never shown")->SetVisible(false);
  TbsSkinPopupWindow* w = f.Open(nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(w->Skinned());
  ASSERT_EQ(w->ItemCount(), 3);
  // Rows: 20, 4, 20 inside the two-pixel frame.
  EXPECT_EQ(w->height(), 20 + 4 + 20 + 4);
  EXPECT_EQ(w->Item(0).ItemRect, Rect(2, 2, w->width() - 2, 22));
  EXPECT_EQ(w->Item(1).ItemRect, Rect(2, 22, w->width() - 2, 26));
  EXPECT_EQ(w->Item(2).ItemRect, Rect(2, 26, w->width() - 2, 46));
  QFont font(ResolveFontFamily("Arial"));
  font.setPixelSize(14);
  const int text = QFontMetrics(font).horizontalAdvance("A much wider caption  Alt+F4");
  // text + 2, glyph column 19, arrow column 19, plain frames 10; a pixel of rounding allowed.
  EXPECT_NEAR(w->width(), text + 2 + 19 + 19 + 10, 1);
}

TEST(SkinMenu, SkinnedPopupAddsTheWindowPictureAndTheRowPiecesToTheSize) {
  TbsSkinData skin;
  LoadEmbedded(skin);
  ASSERT_TRUE(skin.HasSkin());
  MenuFixture plain, skinned;
  for (MenuFixture* f : {&plain, &skinned}) {
    f->Items.Add("a", "&Open");
    f->Items.Add("", "-");
    f->Items.Add("b", "Ma&ximize");
  }
  TbsSkinPopupWindow* p = plain.Open(nullptr);
  TbsSkinPopupWindow* s = skinned.Open(&skin);
  ASSERT_TRUE(p && s);
  ASSERT_TRUE(s->Skinned());
  const TbsDataSkinPopupWindow& r = skin.PopupWindowRecord;
  const TBitmap* picture = skin.ActivePicture(r.WindowPictureIndex);
  ASSERT_NE(picture, nullptr);
  // The skin's rows: items 70,100,110,120 (20 high), divider 6 high, text area 24..36 of 40.
  EXPECT_EQ(s->height(), 20 + 6 + 20 + picture->Height() - RectHeight(r.ItemsRect));
  EXPECT_EQ(s->width() - p->width(), (picture->Width() - RectWidth(r.ItemsRect)) + 24 + (40 - 36) - 10);
  // The rows start at the items rectangle, which keeps its distance from each edge.
  const TRect items = s->ItemsRect();
  EXPECT_EQ(items.Left, r.ItemsRect.Left);
  EXPECT_EQ(items.Top, r.ItemsRect.Top);
  EXPECT_EQ(s->width() - items.Right, picture->Width() - r.ItemsRect.Right);
  EXPECT_EQ(s->Item(0).ItemRect, Rect(items.Left, items.Top, items.Right, items.Top + 20));
  EXPECT_EQ(s->Item(1).ItemRect, Rect(items.Left, items.Top + 20, items.Right, items.Top + 26));
  EXPECT_EQ(s->Item(2).ItemRect, Rect(items.Left, items.Top + 26, items.Right, items.Top + 46));
}

TEST(SkinMenu, APopupOpensBelowItsAnchorOnScreen) {
  MenuFixture f;
  f.Items.Add("a", "A");
  TbsSkinPopupWindow* w = f.Open(nullptr, TRect{120, 80, 140, 96});
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->geometry().topLeft(), QPoint(120, 96));
  EXPECT_TRUE(w->isVisible());
}

TEST(SkinMenu, ATallMenuStartsAtTheTopScrollsAndShowsBothMarkerBands) {
  TbsSkinData skin;
  LoadEmbedded(skin);
  MenuFixture f;
  const TRect work = WorkArea();
  const int count = work.Height() / 20 + 10;
  for (int i = 0; i < count; ++i) f.Items.Add("i" + std::to_string(i), "Item " + std::to_string(i));
  TbsSkinPopupWindow* w = f.Open(&skin, TRect{100, 300, 100, 300});
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(w->Scroll());
  EXPECT_EQ(w->height(), work.Height());
  EXPECT_EQ(w->y(), work.Top);
  EXPECT_EQ(w->FirstVisible(), 0);
  EXPECT_LT(w->VisibleCount(), count);
  // The first row sits below the up band.
  EXPECT_EQ(w->Item(0).ItemRect.Top, w->ItemsRect().Top + kPopupScrollBand);

  const TColor normal = skin.PopupWindowRecord.ScrollMarkerColor;
  const TColor active = skin.PopupWindowRecord.ScrollMarkerActiveColor;
  auto bandHas = [&](const TRect& band, TColor c) {
    const QImage image = w->Render();
    for (int y = band.Top; y < band.Bottom; ++y)
      for (int x = band.Left; x < band.Right; ++x)
        if (At(image, x, y) == FromTColor(c)) return true;
    return false;
  };
  EXPECT_TRUE(bandHas(w->UpBand(), normal));
  EXPECT_TRUE(bandHas(w->DownBand(), normal));
  EXPECT_FALSE(bandHas(w->DownBand(), active));

  // Over the up band at the top nothing happens; over the down band it scrolls.
  const TRect up = w->UpBand(), down = w->DownBand();
  w->ProcessMousePosition({(up.Left + up.Right) / 2, up.Top + 2});
  EXPECT_EQ(w->ScrollDirection(), TbsSkinPopupWindow::sdNone);
  w->ProcessMousePosition({(down.Left + down.Right) / 2, down.Top + 2});
  EXPECT_EQ(w->ScrollDirection(), TbsSkinPopupWindow::sdDown);
  EXPECT_TRUE(w->ScrollTimer().isActive());
  EXPECT_TRUE(bandHas(w->DownBand(), active));
  w->ScrollStep();
  EXPECT_EQ(w->FirstVisible(), 1);
  EXPECT_FALSE(w->Item(0).Visible);
  EXPECT_EQ(w->Item(1).ItemRect.Top, w->ItemsRect().Top + kPopupScrollBand);
  // It stops at the end.
  for (int i = 0; i < count; ++i) w->ScrollStep();
  EXPECT_EQ(w->FirstVisible() + w->VisibleCount(), count);
  EXPECT_EQ(w->ScrollDirection(), TbsSkinPopupWindow::sdNone);
  EXPECT_FALSE(w->ScrollTimer().isActive());
  // Moving off the bands stops scrolling too.
  w->ProcessMousePosition({(up.Left + up.Right) / 2, up.Top + 2});
  EXPECT_EQ(w->ScrollDirection(), TbsSkinPopupWindow::sdUp);
  w->ProcessMousePosition({(up.Left + up.Right) / 2, w->height() / 2});
  EXPECT_EQ(w->ScrollDirection(), TbsSkinPopupWindow::sdNone);
}

TEST(SkinMenu, ArrowKeysSkipSeparatorsAndDisabledItemsAndWrapAround) {
  MenuFixture f;
  f.Items.Add("", "-");
  f.Items.Add("a", "&Alpha");
  f.Items.Add("", "-");
  f.Items.Add("b", "&Beta")->SetEnabled(false);
  f.Items.Add("c", "&Gamma");
  TbsSkinPopupWindow* w = f.Open(nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->ActiveItem(), 1);  // the first item that can be chosen
  EXPECT_TRUE(w->Item(1).Highlighted);
  auto key = [&](Qt::Key k) { QTest::keyClick(w, k); };
  key(Qt::Key_Down);
  EXPECT_EQ(w->ActiveItem(), 4);
  EXPECT_FALSE(w->Item(1).Highlighted);
  EXPECT_TRUE(w->Item(4).Highlighted);
  key(Qt::Key_Down);
  EXPECT_EQ(w->ActiveItem(), 1);
  key(Qt::Key_Up);
  EXPECT_EQ(w->ActiveItem(), 4);
  // A disabled item under the pointer becomes active but is not highlighted, and Enter does nothing.
  w->ProcessMousePosition({10, w->Item(3).ItemRect.Top + 2});
  EXPECT_EQ(w->ActiveItem(), 3);
  EXPECT_FALSE(w->Item(3).Highlighted);
  key(Qt::Key_Return);
  EXPECT_TRUE(f.Menu.IsOpen());
  // The accelerator of a disabled item does nothing either.
  QTest::keyClick(w, Qt::Key_B);
  EXPECT_TRUE(f.Menu.IsOpen());
}

TEST(SkinMenu, RunningAnItemClosesEverythingFirstThenRunsItThenTellsTheOpener) {
  MenuFixture f;
  std::string seen;
  f.Items.Add("a", "&Alpha", [&] { seen = f.Menu.IsOpen() ? "open" : "closed"; f.Control.Log += "click;"; });
  f.Items.Add("b", "&Beta");
  TbsSkinPopupWindow* w = f.Open(nullptr);
  ASSERT_NE(w, nullptr);
  QPointer<TbsSkinPopupWindow> window(w);
  QTest::keyClick(w, Qt::Key_Return);
  EXPECT_EQ(seen, "closed");
  EXPECT_EQ(f.Control.Log, "closed;click;command;");
  EXPECT_FALSE(f.Menu.IsOpen());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  // The accelerator letter runs its item at once.
  f.Control.Log.clear();
  w = f.Open(nullptr);
  QTest::keyClick(w, Qt::Key_A);
  EXPECT_EQ(f.Control.Log, "closed;click;command;");
  // Escape closes without running anything.
  f.Control.Log.clear();
  w = f.Open(nullptr);
  QTest::keyClick(w, Qt::Key_Escape);
  EXPECT_EQ(f.Control.Log, "closed;");
}

TEST(SkinMenu, AReleaseOverARowRunsItButTheReleaseOfTheOpeningPressDoesNot) {
  MenuFixture f;
  int runs = 0;
  f.Items.Add("a", "Alpha", [&] { ++runs; });
  QCursor::setPos(100, 100);
  TbsSkinPopupWindow* w = f.Open(nullptr, TRect{100, 100, 100, 100});
  ASSERT_NE(w, nullptr);
  const QPoint row(20, w->Item(0).ItemRect.Top + 5);
  // The pointer has not moved since the menu opened at it: not a choice.
  SendMouse(w, QEvent::MouseButtonRelease, QPoint(100, 100), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(runs, 0);
  EXPECT_TRUE(f.Menu.IsOpen());
  SendMouse(w, QEvent::MouseButtonPress, w->mapToGlobal(row), Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, w->mapToGlobal(row), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(f.Menu.IsOpen());
}

TEST(SkinMenu, ASubmenuOpensOnTheTimerBesideItsItemAndClosesOnLeftAndEscape) {
  MenuFixture f;
  f.Items.Add("a", "&Alpha");
  TMenuItem* sub = f.Items.Add("s", "&More");
  sub->Add("x", "&Inner one");
  sub->Add("y", "I&nner two");
  TbsSkinPopupWindow* w = f.Open(nullptr);
  ASSERT_NE(w, nullptr);
  w->ProcessMousePosition({10, w->Item(1).ItemRect.Top + 3});
  EXPECT_EQ(w->ActiveItem(), 1);
  EXPECT_TRUE(f.Menu.SubMenuTimer().isActive());
  EXPECT_EQ(f.Menu.SubMenuTimer().interval(), 500);
  EXPECT_EQ(f.Menu.Count(), 1);  // not before the timer
  f.Menu.SubMenuTimerStep();
  ASSERT_EQ(f.Menu.Count(), 2);
  TbsSkinPopupWindow* inner = f.Menu.Window(1);
  EXPECT_EQ(inner->ParentItem(), sub);
  // Beside the item, its first row level with the item.
  const TRect item = w->ItemScreenRect(1);
  EXPECT_EQ(inner->x(), item.Right + 1);
  EXPECT_EQ(inner->y() + inner->ItemsRect().Top, item.Top);
  // Left closes the submenu only; Right opens it again at once; Escape closes the deepest.
  QTest::keyClick(inner, Qt::Key_Left);
  EXPECT_EQ(f.Menu.Count(), 1);
  QTest::keyClick(w, Qt::Key_Right);
  ASSERT_EQ(f.Menu.Count(), 2);
  QTest::keyClick(f.Menu.Window(1), Qt::Key_Escape);
  EXPECT_EQ(f.Menu.Count(), 1);
  EXPECT_EQ(f.Control.Log, "");
  // Moving to an item without sub-items closes an open submenu.
  QTest::keyClick(w, Qt::Key_Right);
  ASSERT_EQ(f.Menu.Count(), 2);
  w->ProcessMousePosition({10, w->Item(0).ItemRect.Top + 3});
  EXPECT_EQ(f.Menu.Count(), 1);
  EXPECT_FALSE(f.Menu.SubMenuTimer().isActive());
  QTest::keyClick(w, Qt::Key_Escape);
  EXPECT_FALSE(f.Menu.IsOpen());
  EXPECT_EQ(f.Control.Log, "closed;");
}

TEST(SkinMenu, AHandlerThatFreesTheWholeMenuDoesNotBringThePopupDown) {
  auto owner = std::make_unique<QObject>();
  auto* popup = new TbsSkinPopupMenu(owner.get());
  int runs = 0;
  popup->Items()->Add("bye", "&Bye", [&] { ++runs; owner.reset(); });
  popup->Popup(50, 50);
  ASSERT_TRUE(popup->IsOpen());
  QTest::keyClick(popup->SkinMenu().Window(0), Qt::Key_Return);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(owner, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SkinMenu, PlainHighlightIsANavyFrameAroundTheBlueGreyFill) {
  MenuFixture f;
  f.Items.Add("a", "Alpha");
  f.Items.Add("b", "Beta");
  TbsSkinPopupWindow* w = f.Open(nullptr);
  ASSERT_NE(w, nullptr);
  const QImage image = w->Render();
  const TRect hot = w->Item(0).ItemRect, cold = w->Item(1).ItemRect;
  EXPECT_EQ(At(image, hot.Left, hot.Top), Rgb(0, 0, 128));
  EXPECT_EQ(At(image, hot.Right - 1, hot.Bottom - 1), Rgb(0, 0, 128));
  EXPECT_EQ(At(image, hot.Left + 1, hot.Bottom - 2), Rgb(182, 189, 210));
  EXPECT_EQ(At(image, hot.Right - 2, hot.Top + 1), Rgb(182, 189, 210));
  // Not highlighted: the glyph column in button face, the rest in the window colour.
  EXPECT_EQ(At(image, cold.Left + 1, cold.Bottom - 2), Rgb(212, 208, 200));
  EXPECT_EQ(At(image, cold.Right - 2, cold.Top + 1), Rgb(255, 255, 255));
  // The window's frames: button shadow outside, window colour inside.
  EXPECT_EQ(At(image, 0, 0), Rgb(128, 128, 128));
  EXPECT_EQ(At(image, 1, 1), Rgb(255, 255, 255));
}

TEST(SkinMenu, SkinnedHighlightFadesInToTheActivePieceOfTheMenuItemRecord) {
  TbsSkinData skin;
  LoadEmbedded(skin);
  MenuFixture f;
  f.Items.Add("a", "Alpha");
  f.Items.Add("b", "Beta");
  TbsSkinPopupWindow* w = f.Open(&skin);
  ASSERT_NE(w, nullptr);
  const TbsSkinMenuItem& hot = w->Item(0);
  ASSERT_TRUE(hot.Morphing);
  EXPECT_EQ(hot.MorphFactor, 0);  // the fade has just begun
  EXPECT_TRUE(w->MorphTimer().isActive());
  for (int i = 0; i < 5; ++i) w->MorphTimerStep();
  EXPECT_EQ(hot.MorphFactor, 1);
  EXPECT_FALSE(w->MorphTimer().isActive());
  const QImage image = w->Render();
  // The record: active 70,120,110,140 and normal 70,100,110,120 in picture 0,
  // two pixels kept at each end; compare a pixel of each end and of the middle.
  const QImage& picture = skin.ActivePicture(0)->Image();
  const TRect a = hot.ItemRect, b = w->Item(1).ItemRect;
  for (int y : {0, 7, 19}) {
    EXPECT_EQ(At(image, a.Left + 1, a.Top + y), QColor(picture.pixel(71, 120 + y))) << y;
    EXPECT_EQ(At(image, a.Right - 1, a.Top + y), QColor(picture.pixel(109, 120 + y))) << y;
    EXPECT_EQ(At(image, b.Left + 1, b.Top + y), QColor(picture.pixel(71, 100 + y))) << y;
    EXPECT_EQ(At(image, b.Right - 2, b.Top + y), QColor(picture.pixel(108, 100 + y))) << y;
  }
}

TEST(SkinMenu, AnOpenMenuKeepsPaintingItsOwnCopyWhenTheSkinDataGoes) {
  auto skin = std::make_unique<TbsSkinData>();
  LoadEmbedded(*skin);
  MenuFixture f;
  f.Items.Add("a", "Alpha");
  TbsSkinPopupWindow* w = f.Open(skin.get());
  ASSERT_TRUE(w && w->Skinned());
  const QImage before = w->Render();
  skin.reset();
  EXPECT_EQ(w->Render(), before);
}

TEST(SkinMenu, ARecordWhosePictureIsMissingDrawsRowsWithoutBackgroundsYetKeepsThemUsable) {
  TbsSkinData skin;
  LoadSkin(skin, FrameSkin(FrameSkinText("[POPUPWINDOW]\r\nwindowpictureindex=0\r\nlefttoppoint=2,2\r\n"
                                         "righttoppoint=78,2\r\nleftbottompoint=2,40\r\nrightbottompoint=78,40\r\n"
                                         "itemsrect=2,2,78,40\r\n",
                                         "[MENUITEM]\r\nactivepictureindex=9\r\nskinrect=0,0,16,14\r\n"
                                         "activeskinrect=0,14,16,28\r\n")));
  ASSERT_TRUE(skin.HasSkin());
  MenuFixture f;
  f.Items.Add("a", "Alpha");
  TbsSkinPopupWindow* w = f.Open(&skin);
  ASSERT_TRUE(w && w->Skinned());
  EXPECT_TRUE(IsEmptyRect(w->Item(0).SkinRect));
  EXPECT_TRUE(IsEmptyRect(w->Item(0).ActiveSkinRect));
  EXPECT_EQ(RectHeight(w->Item(0).ItemRect), 20);  // the default row height, not zero
  const QImage image = w->Render();
  EXPECT_EQ(image.size(), w->size());
}

}  // namespace

namespace {

TEST(SkinMenu, APopupClosedFromOutsideTheMenuTakesItsSubmenusAlongAndGoesAway) {
  MenuFixture f;
  TMenuItem* sub = f.Items.Add("s", "&More");
  sub->Add("x", "Inner");
  TbsSkinPopupWindow* w = f.Open(nullptr);
  ASSERT_NE(w, nullptr);
  QTest::keyClick(w, Qt::Key_Right);
  ASSERT_EQ(f.Menu.Count(), 2);
  QPointer<TbsSkinPopupWindow> outer(w), inner(f.Menu.Window(1));
  w->close();  // as a press outside every popup closes it
  EXPECT_FALSE(f.Menu.IsOpen());
  EXPECT_EQ(f.Control.Log, "closed;");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(outer.isNull());
  EXPECT_TRUE(inner.isNull());
}

}  // namespace

namespace {

// Pixels of `c` inside the glyph column of row `r`.
int GlyphPixels(const QImage& image, const TRect& r, const QColor& c) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Left + 19; ++x) n += At(image, x, y) == c;
  return n;
}

TEST(SkinMenu, CheckedItemsShowAMarkAndTheFramesItemsTheirGlyphsInTheGlyphColumn) {
  MenuFixture f;
  f.Items.Add("", "-");  // keeps the highlight off the rows below
  f.Items.Add("plain", "Plain");
  f.Items.Add("checked", "Checked")->SetChecked(true);
  TMenuItem* radio = f.Items.Add("radio", "Radio");
  radio->SetRadioItem(true);
  radio->SetChecked(true);
  f.Items.Add("BSF_CLOSE", "&Close");
  f.Items.Add("disabled", "Disabled")->SetEnabled(false);
  f.Items.Items(5)->SetChecked(true);
  TbsSkinPopupWindow* w = f.Open(nullptr);
  ASSERT_NE(w, nullptr);
  w->SetActiveItem(-1);
  const QImage image = w->Render();
  const QColor text(0, 0, 0), grey(128, 128, 128);
  EXPECT_EQ(GlyphPixels(image, w->Item(1).ItemRect, text), 0);
  const int check = GlyphPixels(image, w->Item(2).ItemRect, text);
  EXPECT_GT(check, 10);
  const int dot = GlyphPixels(image, w->Item(3).ItemRect, text);
  EXPECT_GT(dot, 10);
  EXPECT_GT(GlyphPixels(image, w->Item(4).ItemRect, text), 10);
  // A disabled checked item draws its mark in grey.
  EXPECT_EQ(GlyphPixels(image, w->Item(5).ItemRect, text), 0);
  EXPECT_EQ(GlyphPixels(image, w->Item(5).ItemRect, grey), check);
}

}  // namespace
