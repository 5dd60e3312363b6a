// SPDX-License-Identifier: GPL-3.0-or-later
// The frame wearing the program's own skin and the shaped and object test
// skins built from their folders.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QScreen>

#include "formtesthelpers.h"
#include "realx.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skins/defaultskinblock.h"

using namespace formtest;

namespace {

void LoadEmbedded(TbsSkinData& data) {
  auto* stored = new TbsCompressedStoredSkin(&data);
  stored->SetCompressedData(DefaultSkinBlock());
  data.SetCompressedStoredSkin(stored);
}

void LoadFolder(TbsSkinData& data, const std::string& name) {
  auto* stored = new TbsCompressedStoredSkin(&data);
  ASSERT_TRUE(stored->BuildFromDescriptionFile(std::string(TEST_SKINS_DIR) + "/" + name + "/skin.ini"));
  data.SetCompressedStoredSkin(stored);
}

int HitAt(TForm& form, const QPoint& p) {
  const QPoint g = form.mapToGlobal(p);
  return int(form.Perform(WM_NCHITTEST, 0, MakeLParam(g.x(), g.y())));
}

QPoint Centre(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

TEST(EmbeddedSkin, TheClientAreaIsTheSkinsClientRectangleAtEverySize) {
  FramedForm w;
  LoadEmbedded(*w.Data);
  ASSERT_TRUE(w.Frame->Skinned());
  const int pw = w.Data->Picture.Width(), ph = w.Data->Picture.Height();
  for (QSize size : {QSize(500, 400), QSize(pw, ph), QSize(1280, 720)}) {
    w.Form.SetBounds(10, 10, size.width(), size.height());
    EXPECT_EQ(w.Form.ClientRectInWindow(), Rect(8, 26, size.width() - (pw - 168), size.height() - (ph - 116)));
  }
}

TEST(EmbeddedSkin, HitTestingRowByRow) {
  FramedForm w(500, 400);
  LoadEmbedded(*w.Data);
  const TRect caption = w.Frame->FindObject("caption1")->Bounds;
  const TRect close = w.Frame->FindObject("closebutton")->Bounds;
  struct Row {
    const char* Name;
    QPoint P;
    int Expected;
  } rows[] = {
      {"top-left corner", {0, 0}, HTTOPLEFT},
      {"top-right corner", {499, 0}, HTTOPRIGHT},
      {"bottom-left corner", {0, 399}, HTBOTTOMLEFT},
      {"bottom-right corner", {499, 399}, HTBOTTOMRIGHT},
      {"top edge", {250, 1}, HTTOP},
      {"bottom edge", {250, 398}, HTBOTTOM},
      {"left edge", {1, 200}, HTLEFT},
      {"right edge", {498, 200}, HTRIGHT},
      {"the border width inside the left edge", {4, 200}, HTOBJECT},
      {"one pixel closer", {3, 200}, HTLEFT},
      {"client", {250, 200}, HTCLIENT},
      {"caption", Centre(caption), HTCAPTION},
      {"close button", Centre(close), HTOBJECT},
  };
  for (const Row& row : rows) EXPECT_EQ(HitAt(w.Form, row.P), row.Expected) << row.Name;

  // The pointer on the close button makes it hot: the edges stop sizing.
  MoveTo(w.Form, Centre(close));
  w.Frame->HoverTimerStep();
  ASSERT_NE(w.Frame->HotIndex(), -1);
  EXPECT_EQ(HitAt(w.Form, {0, 0}), HTOBJECT) << "an object is hot";
  EXPECT_EQ(HitAt(w.Form, {250, 200}), HTCLIENT);
  MoveTo(w.Form, {250, 200});
  w.Frame->HoverTimerStep();

  w.Frame->SetWindowState(bswsMaximized);
  EXPECT_EQ(HitAt(w.Form, {0, 0}), HTOBJECT) << "maximised never sizes";
  w.Frame->SetWindowState(bswsNormal);
  w.Frame->SetRollUp(true);
  EXPECT_EQ(HitAt(w.Form, {0, 0}), HTOBJECT) << "rolled up never sizes";
  EXPECT_EQ(HitAt(w.Form, Centre(caption)), HTCAPTION);
}

TEST(EmbeddedSkin, HasNoMaskSoTheWindowStaysRectangular) {
  FramedForm w(500, 400);
  LoadEmbedded(*w.Data);
  EXPECT_FALSE(w.Frame->HasWindowRegion());
  EXPECT_TRUE(w.Form.mask().isEmpty());
}

TEST(ShapedSkin, TheMaskCutsRoundedCornersAndBringsTheirEdgesIn) {
  FramedForm w(300, 200);
  LoadFolder(*w.Data, "shaped");
  ASSERT_TRUE(w.Frame->HasWindowRegion());
  const QRegion shape = w.Form.mask();
  EXPECT_FALSE(shape.contains(QPoint(0, 0)));
  EXPECT_FALSE(shape.contains(QPoint(299, 0)));
  EXPECT_FALSE(shape.contains(QPoint(0, 199)));
  EXPECT_FALSE(shape.contains(QPoint(299, 199)));
  EXPECT_TRUE(shape.contains(QPoint(5, 0)));
  EXPECT_TRUE(shape.contains(QPoint(150, 0)));
  EXPECT_TRUE(shape.contains(QPoint(0, 100)));
  EXPECT_TRUE(shape.contains(QPoint(150, 100)));
  struct Row {
    const char* Name;
    QPoint P;
    int Expected;
  } rows[] = {
      {"beside the cut corner the shape's edge is near", {3, 3}, HTTOPLEFT},
      {"further in the corner is frame", {4, 4}, HTOBJECT},
      {"top edge", {150, 1}, HTTOP},
      {"left edge", {1, 100}, HTLEFT},
      {"bottom-right corner", {297, 197}, HTBOTTOMRIGHT},
      {"client", {150, 100}, HTCLIENT},
  };
  for (const Row& row : rows) EXPECT_EQ(HitAt(w.Form, row.P), row.Expected) << row.Name;
}

TEST(ObjectsSkin, EveryKindOfObjectIsCreatedAndCustomButtonsNeedTheApplication) {
  FramedForm w(400, 300);
  std::vector<std::string> asked;
  w.Frame->OnActivateCustomObject = [&](const std::string& id, bool& active) {
    asked.push_back(id);
    active = true;
  };
  LoadFolder(*w.Data, "objects");
  std::vector<std::string> ids;
  for (int i = 0; i < w.Frame->ObjectCount(); ++i) ids.push_back(w.Frame->Object(i)->IDName);
  EXPECT_EQ(ids, (std::vector<std::string>{"caption", "closebutton", "maxbutton", "minbutton", "rollupbutton",
                                           "sysmenubutton", "helpbutton", "framebutton", "spinner", "logo"}));
  EXPECT_EQ(asked, (std::vector<std::string>{"helpbutton", "spinner"}));
  EXPECT_TRUE(w.Frame->FindObject("helpbutton")->Visible);
  int painted = 0;
  w.Frame->OnPaintEvent = [&](const std::string& id, TCanvas&, const TRect&) { painted += id == "logo"; };
  (void)w.Shot();
  EXPECT_GT(painted, 0) << "the user object is painted by the application";
}

TEST(LeftButtonsSkin, TheSystemMenuButtonEndsTheRowAndTheTitleStartsAfterIt) {
  FramedForm w(300, 200);
  LoadFolder(*w.Data, "left-buttons");
  EXPECT_EQ(w.Frame->FindObject("closebutton")->Bounds, Rect(3, 1, 31, 25));
  const TRect rollUp = w.Frame->FindObject("rollupbutton")->Bounds;
  const TRect sysMenu = w.Frame->FindObject("sysmenubutton")->Bounds;
  EXPECT_EQ(sysMenu.Left, rollUp.Right + 1);
  EXPECT_EQ(w.Frame->FindObject("caption")->Bounds.Left, sysMenu.Right + 2);
}

// Real pointer input from the X server, in the real-X run.
TEST(RealInput, TheCaptionMovesAndTheCornerSizesTheWindow) {
  BR_REQUIRE_REAL_X();
  FramedForm w(400, 300);
  LoadEmbedded(*w.Data);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.Form, realx::kPatienceMs));
  QTest::qWait(200);
  auto drag = [](const QPoint& from, const QPoint& to) {
    QProcess::startDetached("xdotool", {"mousemove", QString::number(from.x()), QString::number(from.y()), "mousedown",
                                        "1", "mousemove", QString::number((from.x() + to.x()) / 2),
                                        QString::number((from.y() + to.y()) / 2), "mousemove", QString::number(to.x()),
                                        QString::number(to.y()), "mouseup", "1"});
  };
  const QPoint caption = w.Form.mapToGlobal(Centre(w.Frame->FindObject("caption1")->Bounds));
  drag(caption, caption + QPoint(70, 40));
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.Form.pos() == w.Start.topLeft() + QPoint(70, 40) && !w.Form.InMoveSizeLoop(); }, realx::kPatienceMs))
      << w.Form.pos().x() << "," << w.Form.pos().y();
  const QPoint corner = w.Form.mapToGlobal(QPoint(399, 299));
  drag(corner, corner + QPoint(60, 30));
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.Form.size() == QSize(460, 330) && !w.Form.InMoveSizeLoop(); }, realx::kPatienceMs))
      << w.Form.width() << " x " << w.Form.height();
  EXPECT_EQ(w.Form.ClientRectInWindow(), Rect(8, 26, 460 - 9, 330 - 8));
}

TEST(Renders, SaveRealSkinsForLooking) {
  const RenderFolder shots;
  for (const char* skin : {"embedded", "shaped", "objects", "left-buttons", "inactive-picture", "autoinactive-noise"}) {
    for (QSize size : {QSize(520, 360), QSize(300, 200)}) {
      FramedForm w(size.width(), size.height());
      w.Form.SetCaption("批量修改文件名");
      w.Frame->SetShowIcon(std::string(skin) == "embedded");
      if (std::string(skin) == "embedded") LoadEmbedded(*w.Data);
      else LoadFolder(*w.Data, skin);
      const QString name = QString(skin) + "-" + QString::number(size.width());
      EXPECT_TRUE(shots.Save(w.Shot(), name + "-active.png")) << name.toStdString();
      if (QGuiApplication::platformName() == "xcb") {
        // The real screen, with the window region applied by the X server.
        QTest::qWait(300);
        const QRect r = w.Form.geometry().adjusted(-10, -10, 10, 10);
        shots.Save(w.Form.screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage(), name + "-x11.png");
      }
      w.Form.Perform(WM_NCACTIVATE, 0);
      EXPECT_TRUE(shots.Save(w.Shot(), name + "-inactive.png")) << name.toStdString();
    }
  }
}

}  // namespace
