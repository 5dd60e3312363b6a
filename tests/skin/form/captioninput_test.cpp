// SPDX-License-Identifier: GPL-3.0-or-later
// A caption button's command follows where the pointer is when the button
// goes up, not what the 50 ms hover timer last saw.

#include <gtest/gtest.h>

#include "formtesthelpers.h"
#include "skin/form/tbsskinstdbuttonobject.h"

using namespace formtest;

namespace {

QPoint Centre(const TbsActiveSkinObject* o) {
  return QPoint((o->Bounds.Left + o->Bounds.Right) / 2, (o->Bounds.Top + o->Bounds.Bottom) / 2);
}

struct CaptionButtonRelease : ::testing::Test {
  void SetUp() override {
    LoadSkin(*w.Data, FrameSkin());
    max = dynamic_cast<TbsSkinStdButtonObject*>(w.Frame->FindObject("maxbutton"));
    close = dynamic_cast<TbsSkinStdButtonObject*>(w.Frame->FindObject("closebutton"));
    ASSERT_TRUE(max && close);
    w.Frame->OnMouseUpEvent = [this](const std::string& id, int, int, const TRect&, TMouseButton) {
      ups.push_back(id);
    };
  }
  // Hovered (the timer saw it) and pressed: the button holds the mouse.
  void PressOn(TbsActiveSkinObject* o) {
    MoveTo(w.Form, Centre(o));
    w.Frame->HoverTimerStep();
    ASSERT_TRUE(o->Hot);
    Press(w.Form, Centre(o));
    ASSERT_TRUE(w.Form.HasCapture());
  }
  // The pointer goes to `p` and the button goes up there, with no hover tick between.
  void ReleaseAt(const QPoint& p) {
    const QPoint g = w.Form.mapToGlobal(p);
    QCursor::setPos(g);
    SendMouse(&w.Form, QEvent::MouseMove, g, Qt::LeftButton);
    SendMouse(&w.Form, QEvent::MouseButtonRelease, g, Qt::NoButton, Qt::LeftButton);
  }
  FramedForm w{400, 300};
  TbsSkinStdButtonObject *max = nullptr, *close = nullptr;
  std::vector<std::string> ups;
};

TEST_F(CaptionButtonRelease, OffTheButtonBeforeTheHoverTimerTicksRunsNoCommand) {
  struct Row {
    const char* name;
    QPoint (*where)(const TbsActiveSkinObject*);
  };
  const Row rows[] = {
      {"one pixel left of the button", [](const TbsActiveSkinObject* o) { return QPoint(o->Bounds.Left - 1, Centre(o).y()); }},
      {"one pixel below the button", [](const TbsActiveSkinObject* o) { return QPoint(Centre(o).x(), o->Bounds.Bottom); }},
      {"on the caption", [](const TbsActiveSkinObject*) { return QPoint(100, 12); }},
      {"in the client area", [](const TbsActiveSkinObject*) { return QPoint(200, 150); }},
      {"outside the window", [](const TbsActiveSkinObject*) { return QPoint(600, 500); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ups.clear();
    PressOn(max);
    ReleaseAt(row.where(max));
    EXPECT_EQ(w.Frame->WindowState(), bswsNormal);
    EXPECT_FALSE(max->Down);
    EXPECT_FALSE(max->Hot);
    EXPECT_FALSE(max->MouseInside);
    EXPECT_TRUE(ups.empty()) << "no button-up event for an object the pointer left";
    EXPECT_FALSE(w.Form.HasCapture());
    EXPECT_EQ(w.Frame->CapturedIndex(), -1);
    EXPECT_EQ(w.Frame->HotIndex(), -1);
  }
}

TEST_F(CaptionButtonRelease, CloseReleasedOffTheButtonKeepsTheFormOpen) {
  int asked = 0;
  w.Form.OnClose = [&](TCloseAction&) { ++asked; };
  PressOn(close);
  ReleaseAt(QPoint(close->Bounds.Right, Centre(close).y()));
  EXPECT_EQ(asked, 0);
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_FALSE(close->Down);
}

TEST_F(CaptionButtonRelease, BackOverTheButtonBeforeTheTimerNoticesRunsTheCommand) {
  PressOn(max);
  // Out: the timer sees it and the button loses its hover.
  QCursor::setPos(w.Form.mapToGlobal(QPoint(200, 150)));
  w.Frame->HoverTimerStep();
  ASSERT_FALSE(max->Hot);
  // Back in and up at once.
  ReleaseAt(Centre(max));
  EXPECT_EQ(w.Frame->WindowState(), bswsMaximized);
  EXPECT_EQ(ups, std::vector<std::string>{"maxbutton"});
  EXPECT_FALSE(max->Down);
}

}  // namespace
