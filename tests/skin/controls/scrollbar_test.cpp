// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "skin/controls/scrollbargeometry.h"
#include "skin/controls/tbsskinscrollbar.h"
#include "skin/data/tbsdataskinscrollbarcontrol.h"
#include "embeddedskin.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

// The embedded skin's "vscrollbar" record: a 14 x 47 piece stretching below y 30.
const TbsScrollBarSkinGeometry kVertical{
    {252, 5, 266, 52}, {1, 13, 13, 34}, {1, 34, 13, 46}, {1, 1, 13, 13}, {270, 32, 280, 54}, 30};

struct GeometryRow {
  const char* name;
  TbsScrollState state;
  int width, height, bothMarker;
  bool skinned;
  TRect track, up, down, thumb;
};

TEST(ScrollBarGeometry, PartsByLookSizeAndState) {
  const GeometryRow rows[] = {
      {"default horizontal at the start", {false, 0, 100, 0, 0}, 200, 19, 0, false,
       {17, 1, 183, 18}, {183, 1, 199, 18}, {1, 1, 17, 18}, {17, 1, 33, 18}},
      {"default horizontal at the end", {false, 0, 100, 0, 100}, 200, 19, 0, false,
       {17, 1, 183, 18}, {183, 1, 199, 18}, {1, 1, 17, 18}, {167, 1, 183, 18}},
      {"default horizontal leaves the corner blank", {false, 0, 100, 0, 0}, 200, 19, 19, false,
       {17, 1, 164, 18}, {164, 1, 180, 18}, {1, 1, 17, 18}, {17, 1, 33, 18}},
      {"default vertical with a half page, halfway", {true, 0, 99, 50, 25}, 19, 200, 0, false,
       {1, 17, 18, 183}, {1, 183, 18, 199}, {1, 1, 18, 17}, {1, 59, 18, 141}},
      {"default page covering the range, vertical at the start", {true, 0, 9, 20, 0}, 19, 100, 0, false,
       {1, 17, 18, 83}, {1, 83, 18, 99}, {1, 1, 18, 17}, {1, 17, 18, 83}},
      {"skinned 446 high keeps the up button at the bottom", {true, 0, 280, 0, 0}, 14, 446, 0, true,
       {1, 13, 13, 433}, {1, 433, 13, 445}, {1, 1, 13, 13}, {2, 13, 12, 35}},
      {"skinned at the highest position ends at the track end", {true, 0, 280, 0, 280}, 14, 446, 0, true,
       {1, 13, 13, 433}, {1, 433, 13, 445}, {1, 1, 13, 13}, {2, 411, 12, 433}},
      {"skinned page thumb grows with the page", {true, 0, 279, 140, 0}, 14, 446, 0, true,
       {1, 13, 13, 433}, {1, 433, 13, 445}, {1, 1, 13, 13}, {2, 13, 12, 223}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const TbsScrollBarGeometry g = r.skinned ? SkinScrollBarGeometry(r.state, r.width, r.height, kVertical)
                                             : DefaultScrollBarGeometry(r.state, r.width, r.height, r.bothMarker);
    EXPECT_EQ(g.Track, r.track);
    EXPECT_EQ(g.Parts[spUpButton], r.up);
    EXPECT_EQ(g.Parts[spDownButton], r.down);
    EXPECT_EQ(g.Parts[spThumb], r.thumb);
  }
}

struct Bar : ::testing::Test {
  TForm form;
  TbsSkinScrollBar* bar = new TbsSkinScrollBar(form.ClientArea());
  int changes = 0;
  Bar() { bar->OnChange = [this] { ++changes; }; }
  TbsSkinScrollBar* Skinned(TScrollBarKind kind, int w, int h) {
    TbsSkinData* data = LoadEmbeddedSkin(&form);
    bar->SetKind(kind);
    bar->SetSkinDataName(kind == sbVertical ? "vscrollbar" : "hscrollbar");
    bar->SetBounds(0, 0, w, h);
    bar->SetSkinData(data);
    return bar;
  }
  QPoint Centre(TbsScrollBarPart part) const { return ToQRect(bar->PartRect(part)).center(); }
};

TEST_F(Bar, PositionIsClampedToTheRangeLessThePage) {
  const struct {
    int page, wanted, expected;
  } rows[] = {{0, 300, 280}, {0, -5, 0}, {0, 140, 140}, {100, 500, 181}, {100, 181, 181}, {100, -1, 0}};
  bar->SetMax(280);
  for (const auto& r : rows) {
    bar->SetRange(0, 280, r.page, 0);
    bar->SetPosition(r.wanted);
    EXPECT_EQ(bar->Position(), r.expected) << r.page << " " << r.wanted;
  }
}

TEST_F(Bar, OnlyRealPositionChangesRaiseOnChange) {
  bar->SetRange(0, 280, 0, 40);
  EXPECT_EQ(changes, 0);
  bar->SetPosition(40);
  EXPECT_EQ(changes, 0);
  bar->SetPosition(41);
  EXPECT_EQ(changes, 1);
  bar->SetPosition(999);
  bar->SetPosition(999);
  EXPECT_EQ(changes, 2);
  bar->SetMax(100);  // pulls the position in silently
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_EQ(changes, 2);
}

TEST_F(Bar, APageLargerThanWhatIsLeftIsRefused) {
  bar->SetRange(0, 99, 0, 60);
  bar->SetPageSize(50);
  EXPECT_EQ(bar->PageSize(), 0);
  bar->SetPageSize(40);
  EXPECT_EQ(bar->PageSize(), 40);
}

TEST_F(Bar, TheSkinFixesTheThicknessAndPlacesTheButtons) {
  Skinned(sbVertical, 19, 446);
  EXPECT_EQ(bar->Width(), 14);
  EXPECT_EQ(bar->Height(), 446);
  EXPECT_EQ(bar->PartRect(spUpButton), (TRect{1, 433, 13, 445}));
  EXPECT_EQ(bar->PartRect(spDownButton), (TRect{1, 1, 13, 13}));
}

TEST_F(Bar, HoldingAButtonStepsAtOnceThenAfterTheDelayThenEveryInterval) {
  bar->SetRange(0, 100, 0, 0);
  const QPoint up = Centre(spUpButton);
  Enter(*bar, up);
  Press(*bar, up);
  QTimer& timer = bar->RepeatTimer();
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), TbsSkinScrollBar::kRepeatDelayMs);
  Tick(&timer);  // the delay ends: no step, faster ticks from now on
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_EQ(timer.interval(), TbsSkinScrollBar::kRepeatIntervalMs);
  Tick(&timer);
  Tick(&timer);
  EXPECT_EQ(bar->Position(), 3);
  DragTo(*bar, QPoint(1000, up.y()));  // off the button: the repeat pauses
  EXPECT_FALSE(timer.isActive());
  EXPECT_FALSE(bar->PartActive(spUpButton));
  DragTo(*bar, up);  // back: it resumes at the fast rate
  EXPECT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), TbsSkinScrollBar::kRepeatIntervalMs);
  Tick(&timer);
  EXPECT_EQ(bar->Position(), 4);
  Release(*bar, up);
  EXPECT_FALSE(timer.isActive());
  EXPECT_FALSE(bar->PartDown(spUpButton));
}

TEST_F(Bar, AButtonHandlerReplacesTheSmallStep) {
  bar->SetRange(0, 100, 0, 50);
  int downClicks = 0;
  bar->OnDownButtonClick = [&] { ++downClicks; };
  Press(*bar, Centre(spDownButton));
  Release(*bar, Centre(spDownButton));
  EXPECT_EQ(downClicks, 1);
  EXPECT_EQ(bar->Position(), 50);
}

TEST_F(Bar, HoldingTheTrackPagesUntilTheThumbPassesThePointer) {
  bar->SetRange(0, 100, 0, 0);
  bar->SetLargeChange(10);
  int pages = 0;
  bar->OnPageDown = [&] { ++pages; };
  // The track runs from 17 to 183 with a 16-pixel thumb: position p puts
  // the thumb's left at 17 + round(p x 1.5).
  const QPoint at(100, 9);
  Press(*bar, at);
  EXPECT_EQ(bar->Position(), 10);
  QTimer& timer = bar->RepeatTimer();
  Tick(&timer);
  for (int i = 0; i < 20 && timer.isActive(); ++i) Tick(&timer);
  EXPECT_FALSE(timer.isActive());
  EXPECT_EQ(bar->RepeatKind(), 0);
  // It stopped at the first position whose thumb reaches the pointer.
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_EQ(pages, 5);
  EXPECT_LE(bar->PartRect(spThumb).Left, at.x());
}

TEST_F(Bar, DraggingTheThumbFollowsThePointerAndReportsTheEnd) {
  bar->SetRange(0, 300, 0, 0);
  int lastChanges = 0;
  bar->OnLastChange = [&] { ++lastChanges; };
  const QPoint start = Centre(spThumb);
  Press(*bar, start);
  ASSERT_TRUE(bar->Dragging());
  // ThumbEnd - ThumbStart = 150 pixels for 300 positions: two per pixel.
  const struct {
    int dx, expected;
  } rows[] = {{10, 20}, {75, 150}, {149, 298}, {500, 300}, {-40, 0}};
  for (const auto& r : rows) {
    DragTo(*bar, start + QPoint(r.dx, 0));
    EXPECT_EQ(bar->Position(), r.expected) << r.dx;
  }
  EXPECT_EQ(lastChanges, 0);
  Release(*bar, start);
  EXPECT_FALSE(bar->Dragging());
  EXPECT_EQ(lastChanges, 1);
}

TEST_F(Bar, DragWithAPageUsesTheRangeLessThePage) {
  bar->SetRange(0, 199, 100, 0);  // 100 positions; thumb 83 of a 166-pixel track
  const QPoint start = Centre(spThumb);
  Press(*bar, start);
  DragTo(*bar, start + QPoint(42, 0));  // half of the 84-pixel span
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_EQ(bar->PositionFromDrag(84), 100);
  Release(*bar, start);
}

TEST_F(Bar, BothSwitchesToTheCornerRecordAndBack) {
  Skinned(sbHorizontal, 200, 19);
  bar->SetBoth(true);
  EXPECT_EQ(bar->SkinDataName(), "bothhscrollbar");
  EXPECT_EQ(bar->Width(), 200);
  bar->SetBoth(false);
  EXPECT_EQ(bar->SkinDataName(), "hscrollbar");
}

TEST_F(Bar, ARightButtonPressOnlyReportsTheMouseDown) {
  bar->SetRange(0, 100, 0, 0);
  int downs = 0;
  bar->OnMouseDown = [&](TMouseButton, TShiftState, int, int) { ++downs; };
  const QPoint up = Centre(spUpButton);
  QMouseEvent e(QEvent::MouseButtonPress, up, bar->mapToGlobal(up), Qt::RightButton, Qt::RightButton,
                Qt::NoModifier);
  QApplication::sendEvent(bar, &e);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_FALSE(bar->RepeatTimer().isActive());
}

TEST_F(Bar, KeysAndTheWheelWorkOnlyWhenTheBarCanTakeTheFocus) {
  bar->SetRange(0, 100, 0, 50);
  form.show();
  QTest::keyClick(bar, Qt::Key_Right);
  EXPECT_EQ(bar->Position(), 50);
  bar->SetCanFocused(true);
  EXPECT_TRUE(bar->TabStop());
  bar->setFocus();
  QTest::keyClick(bar, Qt::Key_Right);
  QTest::keyClick(bar, Qt::Key_Down);
  QTest::keyClick(bar, Qt::Key_Left);
  EXPECT_EQ(bar->Position(), 51);
}

// The skin's pieces land on the bar pixel for pixel: the composed bar, the
// hot button from its own rectangle, the thumb with its grip in the middle.
TEST_F(Bar, SkinnedPixelsComeFromTheRecordPieces) {
  Skinned(sbVertical, 19, 120);
  bar->SetRange(0, 280, 0, 0);
  const auto* record = dynamic_cast<const TbsDataSkinScrollBarControl*>(
      bar->SkinData()->ControlRecords[size_t(bar->SkinData()->FindControlRecord("vscrollbar"))].get());
  ASSERT_NE(record, nullptr);
  const QImage picture = bar->SkinData()->ActivePicture(record->PictureIndex)->Image();
  const QPoint down = Centre(spDownButton);
  Enter(*bar, down);
  DragTo(*bar, down);  // hover, no button
  const QImage img = Grab(*bar);
  SaveRender(img.scaled(img.size() * 4), "vscrollbar-hot-down-button");
  // The top stretch end (down button at rest would be the piece's own top).
  const TRect hot = bar->PartRect(spDownButton);
  EXPECT_EQ(img.copy(ToQRect(hot)),
            Piece(picture, record->ActiveDownButtonRect.Left, record->ActiveDownButtonRect.Top,
                  record->ActiveDownButtonRect.Right, record->ActiveDownButtonRect.Bottom));
  // The bottom end of the bar is the bottom end of the piece, moved down.
  const int bottomLength = 47 - 30;
  EXPECT_EQ(img.copy(0, 120 - bottomLength, 14, bottomLength),
            Piece(picture, 252, 52 - bottomLength, 266, 52));
  // The thumb: its piece at its own size with the grip centred on it.
  QImage thumb = Piece(picture, 270, 32, 280, 54);
  const QImage grip = Piece(picture, 270, 56, 276, 61);
  QPainter(&thumb).drawImage(10 / 2 - 6 / 2, 22 / 2 - 5 / 2, grip);
  EXPECT_EQ(img.copy(ToQRect(bar->PartRect(spThumb))), thumb.convertToFormat(QImage::Format_RGB32));
}

TEST_F(Bar, DefaultLookShowsPressedAndHotParts) {
  bar->SetRange(0, 100, 0, 0);
  const QPoint up = Centre(spUpButton);
  Enter(*bar, up);
  Press(*bar, up);
  QImage img = Grab(*bar);
  SaveRender(img.scaled(img.size() * 4), "hscrollbar-default-up-pressed");
  const TRect r = bar->PartRect(spUpButton);
  EXPECT_EQ(img.pixel(r.Left, r.Top), qRgb(0, 0, 128));
  EXPECT_EQ(img.pixel(r.Left + 2, r.Top + 2), qRgb(133, 147, 181));
  Release(*bar, up);
  img = Grab(*bar);
  EXPECT_EQ(img.pixel(r.Left + 2, r.Top + 2), qRgb(182, 189, 210));  // still under the pointer
  Leave(*bar);
  img = Grab(*bar);
  EXPECT_EQ(img.pixel(r.Left, r.Top), qRgb(128, 128, 128));
  EXPECT_EQ(img.pixel(r.Left + 2, r.Top + 2), qRgb(212, 208, 200));
  bar->SetEnabled(false);
  img = Grab(*bar);
  const TRect t = bar->PartRect(spThumb);
  EXPECT_EQ(img.pixel(t.Left, t.Top), qRgb(212, 208, 200));  // a disabled bar has no thumb
}

}  // namespace
