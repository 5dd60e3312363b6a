// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QResizeEvent>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <functional>

#include "framework/tform.h"
#include "framework/tpanel.h"
#include "framework/tscrollbar.h"
#include "framework/tsplitter.h"

namespace {

TControl* Child(QWidget* parent, int l, int t, int w, int h, TAlign align) {
  auto* c = new TControl(parent);
  c->SetBounds(l, t, w, h);
  c->SetAlign(align);
  return c;
}

TEST(Align, TopThenBottomThenLeftThenRightThenClient) {
  TPanel parent;
  parent.SetBorderStyle(bvNone);
  parent.SetBounds(0, 0, 200, 100);
  TControl* client = Child(&parent, 0, 0, 10, 10, alClient);
  TControl* right = Child(&parent, 0, 0, 30, 10, alRight);
  TControl* left = Child(&parent, 0, 0, 20, 10, alLeft);
  TControl* bottom = Child(&parent, 0, 0, 10, 15, alBottom);
  TControl* top = Child(&parent, 0, 0, 10, 10, alTop);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 10));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 85, 200, 100));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 10, 20, 85));
  EXPECT_EQ(right->BoundsRect(), Rect(170, 10, 200, 85));
  EXPECT_EQ(client->BoundsRect(), Rect(20, 10, 170, 85));
  parent.SetBounds(0, 0, 300, 100);
  EXPECT_EQ(client->BoundsRect(), Rect(20, 10, 270, 85));
  right->SetVisible(false);
  EXPECT_EQ(client->BoundsRect(), Rect(20, 10, 300, 85));
}

TEST(Align, SameSideGoesByPositionThenCreationOrder) {
  TForm form;
  form.SetClientSize(300, 50);
  form.BeginBuild();
  TControl* second = Child(form.ClientArea(), 100, 0, 40, 50, alLeft);
  TControl* first = Child(form.ClientArea(), 0, 0, 60, 50, alLeft);
  TControl* tieA = Child(form.ClientArea(), 200, 0, 10, 50, alLeft);
  TControl* tieB = Child(form.ClientArea(), 200, 0, 20, 50, alLeft);
  EXPECT_EQ(second->Left(), 100);  // nothing moves while the form is being built
  form.EndBuild();
  EXPECT_EQ(first->BoundsRect(), Rect(0, 0, 60, 50));
  EXPECT_EQ(second->BoundsRect(), Rect(60, 0, 100, 50));
  EXPECT_EQ(tieA->BoundsRect(), Rect(100, 0, 110, 50));
  EXPECT_EQ(tieB->BoundsRect(), Rect(110, 0, 130, 50));
}

class SizeRecorder : public TControl {
 public:
  QSize Seen;
 protected:
  void resizeEvent(QResizeEvent* e) override {
    TControl::resizeEvent(e);
    Seen = e->size();
  }
};

TEST(Align, AHiddenControlLaysItselfOutWhenItsSizeChanges) {
  SizeRecorder hidden;
  ASSERT_FALSE(hidden.isVisible());
  hidden.SetBounds(0, 0, 80, 40);
  EXPECT_EQ(hidden.Seen, QSize(80, 40));
  hidden.SetBounds(5, 5, 80, 40);  // a move alone is no resize
  EXPECT_EQ(hidden.Seen, QSize(80, 40));
}

TEST(Align, PanelChildrenShareTheAreaInsideTheBorder) {
  TPanel panel;
  panel.SetBounds(0, 0, 100, 50);
  TControl* fill = Child(&panel, 0, 0, 5, 5, alClient);
  EXPECT_EQ(fill->BoundsRect(), Rect(1, 1, 99, 49));
}

class ResizeWatcher : public TControl {
 public:
  using TControl::TControl;
  std::function<void()> OnResized;
 protected:
  void resizeEvent(QResizeEvent* e) override {
    TControl::resizeEvent(e);
    if (OnResized) OnResized();
  }
};

// A pane whose content shows its scroll bar beside it only while it is too
// short for its 120 pixels: the bar's appearance asks for a re-layout in the
// middle of the one that sized the content.
TEST(Align, ALayoutAskedForDuringALayoutRunsAfterIt) {
  TControl pane;
  pane.SetBounds(0, 0, 200, 200);
  auto* bar = new TControl(&pane);
  bar->SetVisible(false);
  bar->SetBounds(0, 0, 16, 10);
  bar->SetAlign(alRight);
  auto* content = new ResizeWatcher(&pane);
  content->SetAlign(alClient);
  content->OnResized = [&] { bar->SetVisible(content->Height() < 120); };
  EXPECT_EQ(content->BoundsRect(), Rect(0, 0, 200, 200));

  pane.SetBounds(0, 0, 200, 100);  // rolled up
  ASSERT_TRUE(bar->Visible());
  EXPECT_EQ(bar->BoundsRect(), Rect(184, 0, 200, 100));
  EXPECT_EQ(content->BoundsRect(), Rect(0, 0, 184, 100));

  pane.SetBounds(0, 0, 200, 200);  // unrolled: no strip left where the bar was
  ASSERT_FALSE(bar->Visible());
  EXPECT_EQ(content->BoundsRect(), Rect(0, 0, 200, 200));
}

// The folder pane: a tree with the framework's scroll bars beside and below
// it, each showing itself only while the tree's own bar has a range. Rolling
// the pane up to nothing and back must leave no strip where a bar was.
TEST(Align, APaneRolledUpAndBackLeavesNoStripWhereAScrollBarWas) {
  TPanel pane;
  pane.SetBorderStyle(bvNone);
  pane.SetBounds(0, 0, 224, 466);
  QScrollBar treeBar(Qt::Vertical);  // the tree's own bar, ranged by its height
  auto* vertical = new TScrollBar(sbVertical, &pane);
  vertical->SetBounds(205, 0, 19, 466);
  vertical->SetAlign(alRight);
  auto* tree = new ResizeWatcher(&pane);
  constexpr int kContentHeight = 300;
  tree->OnResized = [&] { treeBar.setRange(0, std::max(0, kContentHeight - tree->Height())); };
  vertical->Mirror(&treeBar);
  tree->SetAlign(alClient);
  ASSERT_FALSE(vertical->Visible());
  EXPECT_EQ(tree->BoundsRect(), Rect(0, 0, 224, 466));

  pane.SetBounds(0, 0, 224, 0);  // rolled up
  pane.SetBounds(0, 0, 224, 466);
  EXPECT_FALSE(vertical->Visible());
  EXPECT_EQ(tree->BoundsRect(), Rect(0, 0, 224, 466));

  pane.SetBounds(0, 0, 224, 200);  // too short: the bar shows and the tree makes room
  ASSERT_TRUE(vertical->Visible());
  EXPECT_EQ(vertical->BoundsRect(), Rect(205, 0, 224, 200));
  EXPECT_EQ(tree->BoundsRect(), Rect(0, 0, 205, 200));
}

class SplitterDrag : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetClientSize(400, 100);
    form.BeginBuild();
    splitter = new TSplitter(form.ClientArea());
    splitter->SetBounds(100, 0, 3, 100);
    splitter->SetAlign(alLeft);
    splitter->SetMinSize(10);
    pane = Child(form.ClientArea(), 0, 0, 100, 100, alLeft);
    rest = Child(form.ClientArea(), 103, 0, 297, 100, alClient);
    form.EndBuild();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }

  // Drags the splitter by dx; with the line style nothing moves before release.
  void Drag(int dx) {
    QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(1, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(1 + dx, 50), splitter->mapToGlobal(QPointF(1 + dx, 50)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(splitter, &move);
    EXPECT_EQ(pane->Width(), widthBefore);
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(1 + dx, 50));
  }

  TForm form;
  TSplitter* splitter;
  TControl* pane;
  TControl* rest;
  int widthBefore = 100;
};

TEST_F(SplitterDrag, ResizesTheTouchingNeighbourOnRelease) {
  EXPECT_EQ(splitter->FindControl(), pane);
  Drag(50);
  EXPECT_EQ(pane->Width(), 150);
  EXPECT_EQ(splitter->Left(), 150);
  EXPECT_EQ(rest->BoundsRect(), Rect(153, 0, 400, 100));
}

TEST_F(SplitterDrag, KeepsBothSidesAtLeastMinSize) {
  Drag(-500);
  EXPECT_EQ(pane->Width(), 10);
  widthBefore = 10;
  Drag(1000);
  EXPECT_EQ(rest->Width(), 10);
  EXPECT_EQ(pane->Width(), 400 - 3 - 10);
}

}  // namespace
