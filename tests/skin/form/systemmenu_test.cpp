// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's system menu: its items for each window state and set of
// caption buttons, what each item does, the application's own menu, where
// the menu opens and the menu mode around it.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "formtesthelpers.h"
#include "skin/data/tbsresourcestrdata.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupmenu.h"
#include "skin/form/tbsskinpopupwindow.h"
#include "skin/form/tbsskinstdbuttonobject.h"

using namespace formtest;

namespace {

std::string Captions(const TMenuItem* menu) {
  std::string out;
  for (int i = 0; i < menu->Count(); ++i) out += (i ? "|" : "") + menu->Items(i)->Caption();
  return out;
}

std::string Names(const TMenuItem* menu) {
  std::string out;
  for (int i = 0; i < menu->Count(); ++i) out += (i ? "|" : "") + menu->Items(i)->Name();
  return out;
}

TbsSkinStdButtonObject* SysMenuButton(TbsSkinFrame& frame) {
  for (int i = 0; i < frame.ObjectCount(); ++i)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(frame.Object(i)); b && b->Command == cmSysMenu) return b;
  return nullptr;
}

// The pointer goes to the middle of the caption; returns that point on the screen.
QPoint CaptionPoint(TbsSkinFrame& frame) {
  const TRect caption = frame.Skinned() ? frame.SizedCaptionRect() : frame.DefaultCaptionRect();
  const QPoint p((caption.Left + caption.Right) / 2, (caption.Top + caption.Bottom) / 2);
  MoveTo(*frame.Form(), p);
  return frame.Form()->mapToGlobal(p);
}

// The frame's own menu reads minimise, maximise, restore; joined to the
// application's own menu the frame's items read minimise, restore, maximise.
TEST(SystemMenu, ItemsFollowTheWindowStateAndTheCaptionButtons) {
  struct Row {
    const char* Name;
    TbsBorderIcons Icons;
    int State;  // 0 normal, 1 maximised, 2 rolled up, 3 minimised, 4 rolled up while maximised
    const char* Expected;
    const char* WithOwnMenu;  // the application's menu holds "&About"
  };
  const TbsBorderIcons all = kDefaultFrameBorderIcons;
  const Row rows[] = {
      {"normal", all, 0, "Mi&nimize|Ma&ximize|Ro&llUp|-|&Close", "Mi&nimize|Ma&ximize|Ro&llUp|&About|&Close"},
      {"maximised", all, 1, "Mi&nimize|&Restore|Ro&llUp|-|&Close", "Mi&nimize|&Restore|Ro&llUp|&About|&Close"},
      {"rolled up", all, 2, "Mi&nimize|Ma&ximize|&Restore|-|&Close",
       "Mi&nimize|&Restore|Ma&ximize|&About|&Close"},
      {"minimised", all, 3, "Ma&ximize|&Restore|-|&Close", "&Restore|Ma&ximize|&About|&Close"},
      {"rolled up while maximised", all, 4, "Mi&nimize|&Restore|-|&Close", "Mi&nimize|&Restore|&About|&Close"},
      {"normal without roll-up", all & ~biRollUp, 0, "Mi&nimize|Ma&ximize|-|&Close",
       "Mi&nimize|Ma&ximize|&About|&Close"},
      {"normal without maximise", all & ~biMaximize, 0, "Mi&nimize|Ro&llUp|-|&Close",
       "Mi&nimize|Ro&llUp|&About|&Close"},
      {"maximised without maximise", all & ~biMaximize, 1, "Mi&nimize|&Restore|Ro&llUp|-|&Close",
       "Mi&nimize|&Restore|Ro&llUp|&About|&Close"},
      {"rolled up without minimise", all & ~biMinimize, 2, "Ma&ximize|&Restore|-|&Close",
       "&Restore|Ma&ximize|&About|&Close"},
      {"with minimise to tray", all | biMinimizeToTray, 0, "Mi&nimize|Ma&ximize|Ro&llUp|Minimize to &Tray|-|&Close",
       "Mi&nimize|Ma&ximize|Ro&llUp|Minimize to &Tray|&About|&Close"},
      {"rolled up with minimise to tray", all | biMinimizeToTray, 2,
       "Mi&nimize|Ma&ximize|&Restore|Minimize to &Tray|-|&Close",
       "Mi&nimize|&Restore|Ma&ximize|Minimize to &Tray|&About|&Close"},
      {"nothing but close", biSystemMenu, 0, "&Close", "&About|&Close"},
  };
  for (const Row& row : rows) {
    FramedForm w;
    w.Frame->SetBorderIcons(row.Icons);
    if (row.State == 1 || row.State == 4) w.Frame->SetWindowState(bswsMaximized);
    if (row.State == 2 || row.State == 4) w.Frame->SetRollUp(true);
    if (row.State == 3) w.Frame->SetWindowState(bswsMinimized);
    EXPECT_EQ(Captions(w.Frame->BuildSystemMenu()), row.Expected) << row.Name;
    TPopupMenu own(&w.Form);
    own.Items()->Add("about", "&About");
    w.Frame->SetSystemMenu(&own);
    EXPECT_EQ(Captions(w.Frame->BuildSystemMenu()), row.WithOwnMenu) << row.Name << ", with its own menu";
    EXPECT_EQ(Captions(w.Frame->BuildSystemMenu()), row.WithOwnMenu) << row.Name << ", built again";
  }
}

TEST(SystemMenu, ItemNamesAndTheCloseShortcut) {
  FramedForm w;
  w.Frame->SetBorderIcons(kDefaultFrameBorderIcons | biMinimizeToTray);
  TMenuItem* menu = w.Frame->BuildSystemMenu();
  EXPECT_EQ(Names(menu), "BSF_MINITEM|BSF_MAXITEM|BSF_ROLLUP|BSF_MINTOTRAY||BSF_CLOSE");
  EXPECT_EQ(menu->Find("BSF_CLOSE")->ShortCutText(), "Alt+F4");
  // Rebuilt on every opening: no item twice.
  w.Frame->SetWindowState(bswsMaximized);
  EXPECT_EQ(Names(w.Frame->BuildSystemMenu()), "BSF_MINITEM|BSF_RESTORE|BSF_ROLLUP|BSF_MINTOTRAY||BSF_CLOSE");
}

TEST(SystemMenu, CaptionsComeFromTheSkinsTextsWhenItHasThem) {
  FramedForm w;
  TbsResourceStrData texts(&w.Form);
  TStringList lines = TbsResourceStrData::InitialStrings();
  for (int i = 0; i < lines.Count(); ++i)
    if (lines.Strings(i).rfind("MI_MINCAPTION=", 0) == 0) lines.SetStrings(i, "MI_MINCAPTION=Kleiner &machen");
  texts.SetResStrings(lines);
  w.Data->SetResourceStrData(&texts);
  EXPECT_EQ(w.Frame->BuildSystemMenu()->Items(0)->Caption(), "Kleiner &machen");
  // The menus' own skin data wins over the frame's.
  TbsSkinData menus(&w.Form);
  w.Frame->SetMenusSkinData(&menus);
  EXPECT_EQ(w.Frame->BuildSystemMenu()->Items(0)->Caption(), "Mi&nimize");
}

TEST(SystemMenu, EachItemDoesWhatItSays) {
  FramedForm w;
  auto click = [&](const char* name) {
    TMenuItem* item = w.Frame->BuildSystemMenu()->Find(name);
    ASSERT_NE(item, nullptr) << name;
    EXPECT_TRUE(item->Click()) << name;
  };
  click("BSF_MAXITEM");
  EXPECT_EQ(w.Frame->WindowState(), bswsMaximized);
  click("BSF_RESTORE");
  EXPECT_EQ(w.Frame->WindowState(), bswsNormal);
  click("BSF_ROLLUP");
  EXPECT_TRUE(w.Frame->RolledUp());
  click("BSF_RESTORE");  // rolled up in the normal state: unrolls
  EXPECT_FALSE(w.Frame->RolledUp());
  EXPECT_EQ(w.Frame->WindowState(), bswsNormal);
  w.Frame->SetWindowState(bswsMaximized);
  click("BSF_ROLLUP");
  ASSERT_TRUE(w.Frame->RolledUp());
  click("BSF_RESTORE");  // rolled up while maximised: unrolls and stays maximised
  EXPECT_FALSE(w.Frame->RolledUp());
  EXPECT_EQ(w.Frame->WindowState(), bswsMaximized);
  click("BSF_RESTORE");
  click("BSF_MINITEM");
  EXPECT_EQ(w.Frame->WindowState(), bswsMinimized);
  click("BSF_RESTORE");
  EXPECT_EQ(w.Frame->WindowState(), bswsNormal);
  bool closed = false;
  QObject::connect(&w.Form, &QObject::destroyed, [&] { closed = true; });
  click("BSF_CLOSE");
  EXPECT_FALSE(w.Form.isVisible());
}

TEST(SystemMenu, TheApplicationsMenuKeepsItsItemsBetweenTheFramesOwn) {
  FramedForm w;
  TPopupMenu own(&w.Form);
  own.Items()->Add("BSF_CLOSE", "stale close");  // replaced by the frame's
  own.Items()->Add("about", "&About");
  w.Frame->SetSystemMenu(&own);
  EXPECT_EQ(Names(w.Frame->BuildSystemMenu()), "BSF_MINITEM|BSF_MAXITEM|BSF_ROLLUP|about|BSF_CLOSE");
  w.Frame->SetWindowState(bswsMaximized);
  TMenuItem* items = w.Frame->BuildSystemMenu();
  EXPECT_EQ(items, own.Items());
  EXPECT_EQ(Names(items), "BSF_MINITEM|BSF_RESTORE|BSF_ROLLUP|about|BSF_CLOSE");
  EXPECT_EQ(Captions(items), "Mi&nimize|&Restore|Ro&llUp|&About|&Close");
  // Without UseDefaultSysMenu the application's menu shows as it is.
  TPopupMenu bare(&w.Form);
  bare.Items()->Add("about", "&About");
  w.Frame->SetSystemMenu(&bare);
  w.Frame->SetUseDefaultSysMenu(false);
  EXPECT_EQ(Names(w.Frame->BuildSystemMenu()), "about");
}

TEST(SystemMenu, TheButtonOpensTheMenuBelowItAndEscapeReleasesTheButton) {
  FramedForm w(400, 300);
  std::string log;
  w.Frame->OnSkinMenuOpen = [&] { log += "open;"; };
  w.Frame->OnSkinMenuClose = [&] { log += "close;"; };
  TbsSkinStdButtonObject* button = SysMenuButton(*w.Frame);
  ASSERT_NE(button, nullptr);
  button->MouseDown(button->Bounds.Left + 2, button->Bounds.Top + 2, mbLeft);
  EXPECT_TRUE(button->Down);
  ASSERT_TRUE(w.Frame->SkinMenu()->IsOpen());
  EXPECT_TRUE(w.Frame->InMenuMode());
  EXPECT_EQ(log, "open;");
  TbsSkinPopupWindow* popup = w.Frame->SkinMenu()->Window(0);
  const QPoint origin = w.Form.mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(popup->pos(), QPoint(origin.x() + button->Bounds.Left, origin.y() + button->Bounds.Bottom));
  EXPECT_EQ(popup->ItemCount(), 5);
  QTest::keyClick(popup, Qt::Key_Escape);
  EXPECT_FALSE(w.Frame->SkinMenu()->IsOpen());
  EXPECT_FALSE(button->Down);
  EXPECT_FALSE(w.Frame->InMenuMode());
  EXPECT_EQ(log, "open;close;");
}

TEST(SystemMenu, ThePressThatOpensTheMenuLeavesNoCaptureBehindSoTheCaptionStillAnswers) {
  FramedForm w;
  LoadSkin(*w.Data, FrameSkin());
  ASSERT_TRUE(w.Frame->Skinned());
  TbsSkinStdButtonObject* button = SysMenuButton(*w.Frame);
  ASSERT_NE(button, nullptr);
  const QPoint centre((button->Bounds.Left + button->Bounds.Right) / 2, (button->Bounds.Top + button->Bounds.Bottom) / 2);
  MoveTo(w.Form, centre);
  Press(w.Form, centre);  // the release goes to the menu, never to the form
  ASSERT_TRUE(w.Frame->SkinMenu()->IsOpen());
  EXPECT_FALSE(w.Form.HasCapture());
  EXPECT_EQ(w.Frame->CapturedIndex(), -1);
  QTest::keyClick(w.Frame->SkinMenu()->Window(0), Qt::Key_Escape);
  ASSERT_FALSE(w.Frame->SkinMenu()->IsOpen());
  // A right press on the caption now opens the menu again.
  const QPoint at = CaptionPoint(*w.Frame);
  SendMouse(&w.Form, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
  EXPECT_TRUE(w.Frame->SkinMenu()->IsOpen());
}

TEST(SystemMenu, ChoosingMaximiseFromTheMenuMaximisesAndEndsMenuMode) {
  FramedForm w;
  std::string log;
  w.Frame->OnSkinMenuClose = [&] { log += "close;"; };
  w.Frame->ShowSystemMenu(TRect{300, 200, 300, 200});
  TbsSkinPopupWindow* popup = w.Frame->SkinMenu()->Window(0);
  ASSERT_NE(popup, nullptr);
  QTest::keyClick(popup, Qt::Key_X);  // Ma&ximize
  EXPECT_EQ(w.Frame->WindowState(), bswsMaximized);
  EXPECT_FALSE(w.Frame->SkinMenu()->IsOpen());
  EXPECT_EQ(log, "close;");
}

TEST(SystemMenu, ARightClickOnTheCaptionNearTheBottomOpensAboveTheCursor) {
  FramedForm w(300, 200);
  const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
  const TRect caption = w.Frame->DefaultCaptionRect();
  const QPoint inCaption((caption.Left + caption.Right) / 2, (caption.Top + caption.Bottom) / 2);
  for (bool nearBottom : {false, true}) {
    const int top = nearBottom ? work.bottom() - 30 : work.top() + 40;
    w.Form.SetBounds(work.left() + 100, top, 300, 200);
    const QPoint at = w.Form.mapToGlobal(inCaption);
    w.Form.Perform(WM_NCRBUTTONDOWN, HTCAPTION, MakeLParam(at.x(), at.y()));
    TbsSkinPopupWindow* popup = w.Frame->SkinMenu()->Window(0);
    ASSERT_NE(popup, nullptr) << nearBottom;
    if (nearBottom) EXPECT_EQ(popup->geometry().bottom() + 1, at.y());
    else EXPECT_EQ(popup->y(), at.y());
    EXPECT_EQ(popup->x(), at.x());
    w.Frame->CloseMenus();
    w.Form.Perform(WM_NCRBUTTONUP, HTCAPTION, MakeLParam(at.x(), at.y()));
  }
}

TEST(SystemMenu, AltSpaceOpensTheMenuAndAltF4ClosesTheWindow) {
  FramedForm w;
  QTest::keyClick(&w.Form, Qt::Key_Space, Qt::AltModifier);
  ASSERT_TRUE(w.Frame->SkinMenu()->IsOpen());
  TbsSkinStdButtonObject* button = SysMenuButton(*w.Frame);
  ASSERT_NE(button, nullptr);
  const QPoint origin = w.Form.mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(w.Frame->SkinMenu()->Window(0)->pos(), QPoint(origin.x() + button->Bounds.Left, origin.y() + button->Bounds.Bottom));
  w.Frame->CloseMenus();
  QTest::keyClick(&w.Form, Qt::Key_F4, Qt::AltModifier);
  EXPECT_FALSE(w.Form.isVisible());
}

TEST(SystemMenu, ASkinnedPopupMenuAsSystemMenuShowsThroughItsOwnController) {
  FramedForm w;
  TbsSkinPopupMenu own(&w.Form);
  own.Items()->Add("about", "&About");
  w.Frame->SetSystemMenu(&own);
  w.Frame->ShowSystemMenu(TRect{100, 100, 120, 116});
  EXPECT_FALSE(w.Frame->SkinMenu()->IsOpen());
  ASSERT_TRUE(own.IsOpen());
  EXPECT_EQ(own.PopupComponent(), &w.Form);
  EXPECT_EQ(own.SkinMenu().Window(0)->ItemCount(), 5);
  EXPECT_EQ(own.SkinMenu().Window(0)->pos(), QPoint(100, 116));
  QTest::keyClick(own.SkinMenu().Window(0), Qt::Key_Escape);
  EXPECT_FALSE(w.Frame->InMenuMode());
}

TEST(SystemMenu, ASkinChangeClosesAnOpenMenu) {
  FramedForm w;
  w.Frame->ShowSystemMenu(TRect{100, 100, 100, 100});
  ASSERT_TRUE(w.Frame->SkinMenu()->IsOpen());
  LoadSkin(*w.Data, FrameSkin());
  EXPECT_FALSE(w.Frame->SkinMenu()->IsOpen());
  EXPECT_FALSE(w.Frame->InMenuMode());
}

}  // namespace

namespace {

TEST(FrameMenus, APlainPopupMenuOfTheFrameShowsInTheFramesMenuSkin) {
  FramedForm w;
  LoadSkin(*w.Data, FrameSkin(FrameSkinText("[POPUPWINDOW]\r\nwindowpictureindex=0\r\nlefttoppoint=2,2\r\n"
                                            "righttoppoint=78,2\r\nleftbottompoint=2,40\r\nrightbottompoint=78,40\r\n"
                                            "itemsrect=2,2,78,40\r\n")));
  auto* menu = new TPopupMenu(w.Frame);  // as a tray menu the frame owns
  menu->Items()->Add("restore", "&Restore");
  menu->Popup(60, 70);
  ASSERT_TRUE(w.Frame->SkinMenu()->IsOpen());
  TbsSkinPopupWindow* popup = w.Frame->SkinMenu()->Window(0);
  EXPECT_TRUE(popup->Skinned());
  EXPECT_EQ(popup->pos(), QPoint(60, 70));
  w.Frame->CloseMenus();
  // A menu of no frame at all shows in the plain look.
  TPopupMenu loose;
  loose.Items()->Add("x", "&X");
  loose.Popup(30, 30);
  EXPECT_FALSE(w.Frame->SkinMenu()->IsOpen());
  QWidget* shown = QApplication::activePopupWidget();
  auto* plain = qobject_cast<TbsSkinPopupWindow*>(shown);
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(plain->Skinned());
  plain->HandleKey(Qt::Key_Escape, {});
}

TEST(FrameMenus, MenusFadeInToTheFramesAlphaWhenAsked) {
  FramedForm w;
  w.Frame->SetMenusAlphaBlend(true);
  w.Frame->SetMenusAlphaBlendValue(150);
  w.Frame->ShowSystemMenu(TRect{100, 100, 100, 100});
  TbsSkinPopupWindow* popup = w.Frame->SkinMenu()->Window(0);
  ASSERT_NE(popup, nullptr);
  EXPECT_NEAR(popup->windowOpacity(), 150 / 255.0, 0.01);
  w.Frame->CloseMenus();
  w.Frame->SetMenusAlphaBlendAnimation(true);
  w.Frame->ShowSystemMenu(TRect{100, 100, 100, 100});
  popup = w.Frame->SkinMenu()->Window(0);
  EXPECT_NEAR(popup->windowOpacity(), 0, 0.01);  // the fade starts invisible
  EXPECT_TRUE(QTest::qWaitFor([&] { return popup->windowOpacity() > 149 / 255.0; }, 3000));
  w.Frame->CloseMenus();
}

}  // namespace

namespace {

TEST(FrameMenus, ClosingAWindowThatIsFreedOnCloseFromItsOwnMenuIsSafe) {
  auto* form = new TForm;
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->SetBounds(40, 40, 300, 200);
  auto* frame = new TbsSkinFrame(form);
  form->show();
  const QPointer<TForm> guard(form);
  frame->ShowSystemMenu(TRect{60, 60, 60, 60});
  TbsSkinPopupWindow* popup = frame->SkinMenu()->Window(0);
  ASSERT_NE(popup, nullptr);
  QTest::keyClick(popup, Qt::Key_C);  // &Close
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guard.isNull());
}

}  // namespace
