// SPDX-License-Identifier: GPL-3.0-or-later
// Caption objects driven by non-client mouse input, the way the pointer
// reaches them through the form.

#include <gtest/gtest.h>

#include "formtesthelpers.h"
#include "skin/form/tbsskinanimateobject.h"
#include "skin/form/tbsskincaptionobject.h"
#include "skin/form/tbsskinstdbuttonobject.h"

using namespace formtest;

namespace {

QPoint Centre(const TbsActiveSkinObject* o) {
  return QPoint((o->Bounds.Left + o->Bounds.Right) / 2, (o->Bounds.Top + o->Bounds.Bottom) / 2);
}

// Whether the object's rectangle on screen shows row `look` (0 normal,
// 1 hot, 2 pressed) of button column `column` of the active picture.
bool ShowsLook(FramedForm& w, const TbsActiveSkinObject* o, int column, int look) {
  const QImage shot = w.Shot();
  for (int y = o->Bounds.Top; y < o->Bounds.Bottom; ++y)
    for (int x = o->Bounds.Left; x < o->Bounds.Right; ++x)
      if (shot.pixel(x, y) != ButtonPixel(column * kButton + x - o->Bounds.Left, look * kButtonH + y - o->Bounds.Top))
        return false;
  return true;
}

// The pointer moves over the frame; the hover timer (running since the skin
// was applied) picks the object under it up.
void Hover(FramedForm& w, const QPoint& p) {
  MoveTo(w.Form, p);
  w.Frame->HoverTimerStep();
}

// The pointer leaves the buttons for the client area; the hover timer notices.
void LeaveForClient(FramedForm& w) {
  QCursor::setPos(w.Form.mapToGlobal(QPoint(200, 150)));
  w.Frame->HoverTimerStep();
}

struct SkinnedObjects : ::testing::Test {
  void SetUp() override {
    LoadSkin(*w.Data, FrameSkin());
    close = dynamic_cast<TbsSkinStdButtonObject*>(w.Frame->FindObject("closebutton"));
    max = dynamic_cast<TbsSkinStdButtonObject*>(w.Frame->FindObject("maxbutton"));
    min = dynamic_cast<TbsSkinStdButtonObject*>(w.Frame->FindObject("minbutton"));
    ASSERT_TRUE(close && max && min);
  }
  FramedForm w{400, 300};
  TbsSkinStdButtonObject *close = nullptr, *max = nullptr, *min = nullptr;
};

TEST_F(SkinnedObjects, TheButtonRowFollowsTheCaptionsRightEdge) {
  const int right = 150 + 400 - kPicW;
  EXPECT_EQ(close->Bounds, Rect(right - 16, 4, right, 18));
  EXPECT_EQ(max->Bounds, Rect(right - 33, 4, right - 17, 18));
  const auto* sys = w.Frame->FindObject("sysmenubutton");
  EXPECT_EQ(sys->Bounds, Rect(30, 4 + 9 - 7, 46, 4 + 9 + 7)) << "centred in the caption box";
  const auto* caption = w.Frame->FindObject("caption1");
  EXPECT_EQ(caption->Bounds.Left, 46);
  EXPECT_EQ(caption->Bounds.Right, right - 4 * 17 + 1);
}

TEST_F(SkinnedObjects, HoverFadesInFiveStepsToExactlyTheActiveLookAndBack) {
  Hover(w, Centre(close));
  EXPECT_TRUE(close->Hot);
  EXPECT_TRUE(close->MouseInside);
  EXPECT_EQ(w.Frame->HotIndex(), 1);
  EXPECT_TRUE(w.Frame->MorphTimer().isActive());
  w.Frame->MorphTimer().stop();
  std::vector<double> factors;
  for (int i = 0; i < 6; ++i) {
    w.Frame->MorphTimerStep();
    factors.push_back(close->MorphFactor);
  }
  EXPECT_EQ(factors, (std::vector<double>{0.2, 0.4, 0.6, 0.8, 1.0, 1.0}));
  EXPECT_FALSE(close->NeedsMorphStep());
  EXPECT_TRUE(ShowsLook(w, close, 0, 1));

  LeaveForClient(w);
  EXPECT_FALSE(close->Hot);
  EXPECT_EQ(w.Frame->HotIndex(), -1);
  w.Frame->MorphTimer().stop();
  for (int i = 0; i < 5; ++i) w.Frame->MorphTimerStep();
  EXPECT_EQ(close->MorphFactor, 0.0);
  EXPECT_FALSE(close->NeedsMorphStep()) << "five steps back reach exactly the normal look";
  EXPECT_TRUE(ShowsLook(w, close, 0, 0));
}

TEST_F(SkinnedObjects, AButtonWithoutMorphingShowsItsHotAndPressedLooksAtOnce) {
  Hover(w, Centre(max));
  EXPECT_TRUE(ShowsLook(w, max, 1, 1));
  Press(w.Form, Centre(max));
  EXPECT_TRUE(max->Down);
  EXPECT_TRUE(w.Form.HasCapture());
  EXPECT_TRUE(ShowsLook(w, max, 1, 2));
}

TEST_F(SkinnedObjects, CloseRunsOnReleaseAfterTheButtonDrewItselfReleased) {
  bool downAtClose = true;
  QRgb pixelAtClose = 0;
  w.Form.OnClose = [&](TCloseAction&) {
    downAtClose = close->Down;
    pixelAtClose = w.Shot().pixel(close->Bounds.Left, close->Bounds.Top);
  };
  Hover(w, Centre(close));
  Press(w.Form, Centre(close));
  EXPECT_TRUE(close->Down);
  EXPECT_TRUE(ShowsLook(w, close, 0, 2));
  Release(w.Form, Centre(close));
  EXPECT_FALSE(downAtClose);
  EXPECT_EQ(pixelAtClose, ButtonPixel(0, kButtonH)) << "released and hot at full fade";
  EXPECT_FALSE(w.Form.isVisible());
  EXPECT_FALSE(w.Form.HasCapture());
}

TEST_F(SkinnedObjects, AFormThatRefusesToCloseStaysWithTheButtonReleased) {
  int asked = 0;
  w.Form.OnClose = [&](TCloseAction& action) {
    ++asked;
    action = caNone;
  };
  Hover(w, Centre(close));
  Press(w.Form, Centre(close));
  Release(w.Form, Centre(close));
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_FALSE(close->Down);
  EXPECT_EQ(w.Frame->CapturedIndex(), -1);
}

TEST_F(SkinnedObjects, ReleasingOutsideReleasesTheCaptureWithoutTheCommand) {
  Hover(w, Centre(max));
  Press(w.Form, Centre(max));
  ASSERT_TRUE(w.Form.HasCapture());
  const QPoint outside = w.Form.mapToGlobal(QPoint(600, 500));
  QCursor::setPos(outside);
  SendMouse(&w.Form, QEvent::MouseMove, outside, Qt::LeftButton);
  w.Frame->HoverTimerStep();
  EXPECT_FALSE(max->Hot);
  SendMouse(&w.Form, QEvent::MouseButtonRelease, outside, Qt::NoButton, Qt::LeftButton);
  EXPECT_FALSE(max->Down);
  EXPECT_FALSE(w.Form.HasCapture());
  EXPECT_EQ(w.Frame->CapturedIndex(), -1);
  EXPECT_EQ(w.Frame->WindowState(), bswsNormal);
}

TEST_F(SkinnedObjects, AReleaseWhileCapturedReachesTheObjectAtMinusOne) {
  std::vector<std::tuple<std::string, int, int>> ups;
  w.Frame->OnMouseUpEvent = [&](const std::string& id, int x, int y, const TRect&, TMouseButton) {
    ups.emplace_back(id, x, y);
  };
  Hover(w, Centre(min));
  Press(w.Form, Centre(min));
  Release(w.Form, Centre(min));
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(ups[0], std::make_tuple(std::string("minbutton"), -1, -1));
  EXPECT_EQ(w.Frame->WindowState(), bswsMinimized);
}

TEST_F(SkinnedObjects, AClickThatMovesTheWindowPressesNoButton) {
  const auto* caption = w.Frame->FindObject("caption1");
  Drag(w.Form, QPoint(200, 12), QPoint(260, 40));
  // A window manager confirms moves later; offscreen and bare X at once.
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.Form.pos() == w.Start.topLeft() + QPoint(60, 28); }));
  EXPECT_EQ(w.Frame->CapturedIndex(), -1);
  EXPECT_EQ(w.Frame->HotIndex(), -1);
  for (int i = 0; i < w.Frame->ObjectCount(); ++i)
    if (auto* b = dynamic_cast<TbsSkinButtonObject*>(w.Frame->Object(i))) EXPECT_FALSE(b->Down) << b->IDName;
  EXPECT_FALSE(caption->MouseInside);
}

TEST_F(SkinnedObjects, WithoutTheMaximiseIconItsOwnPictureButtonGoesAndTheRowCloses) {
  const TRect maxPlace = max->Bounds;
  w.Frame->SetBorderIcons(biSystemMenu | biMinimize | biRollUp);
  EXPECT_FALSE(max->Visible);
  EXPECT_FALSE(max->Enabled);
  EXPECT_EQ(min->Bounds, maxPlace) << "laid out at the next paint";
  Hover(w, Centre(min));
  EXPECT_TRUE(min->Hot);
  EXPECT_EQ(w.Frame->HideCaptionButtons(), false);
  w.Frame->SetHideCaptionButtons(true);
  EXPECT_FALSE(close->Enabled);
  EXPECT_FALSE(close->Visible);
}

TEST_F(SkinnedObjects, AMaximisedWindowKeepsTheMaximiseLookWithoutRestorePieces) {
  Hover(w, Centre(max));
  Press(w.Form, Centre(max));
  Release(w.Form, Centre(max));
  ASSERT_EQ(w.Frame->WindowState(), bswsMaximized);
  EXPECT_TRUE(max->InRestoreState());
  LeaveForClient(w);
  EXPECT_TRUE(ShowsLook(w, max, 1, 0));
}

TEST(DefaultObjects, HoverAndPressChangeTheButtonFace) {
  FramedForm w(300, 200);
  const auto* close = w.Frame->FindObject("closebutton");
  Hover(w, Centre(close));
  QImage shot = w.Shot();
  EXPECT_EQ(shot.pixel(close->Bounds.Left, close->Bounds.Top), qRgb(0, 0, 128)) << "navy frame";
  EXPECT_EQ(shot.pixel(close->Bounds.Left + 1, close->Bounds.Top + 1), qRgb(182, 189, 210));
  Press(w.Form, Centre(close));
  shot = w.Shot();
  EXPECT_EQ(shot.pixel(close->Bounds.Left + 1, close->Bounds.Top + 1), qRgb(133, 147, 181));
  w.Form.OnClose = [](TCloseAction& a) { a = caNone; };
  Release(w.Form, Centre(close));
  LeaveForClient(w);
  shot = w.Shot();
  EXPECT_EQ(shot.pixel(close->Bounds.Left, close->Bounds.Top), qRgb(212, 208, 200)) << "button face again";
}

// Buttons on the left and a frame-animated button.
std::string LeftSkinText() {
  return "[PICTURES]\r\npicture=frame.bmp\r\n"
         "[FORMINFO]\r\nlefttoppoint=8,26\r\nrighttoppoint=168,26\r\nleftbottompoint=8,116\r\n"
         "rightbottompoint=168,116\r\nclientrect=8,26,168,116\r\nbuttonsoffset=2\r\ncaptionrect=30,4,150,22\r\n"
         "buttonsinleft=1\r\n"
         "[SKINOBJECTS]\r\ncount=4\r\n0=caption1:caption\r\n1=closebutton:stdbutton\r\n2=anim:animate\r\n"
         "3=framemax:stdbutton\r\n"
         "[caption1]\r\nskinrect=30,4,150,22\r\ntextrect=0,0,120,18\r\n"
         "[closebutton]\r\ncommand=cmclose\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=0,0,16,14\r\n"
         "[anim]\r\nactivepictureindex=0\r\nskinrect=152,4,168,18\r\nactiveskinrect=0,0,64,14\r\ncountframes=4\r\n"
         "buttonstyle=1\r\ntimerinterval=10\r\ncommand=cmrollup\r\n"
         "[framemax]\r\ncommand=cmmaximize\r\nskinrect=1,40,7,52\r\n";
}

TEST(LeftButtons, TheRowStartsAtTheCaptionsLeftAndTheCaptionFollowsIt) {
  FramedForm w(400, 300);
  LoadSkin(*w.Data, FrameSkin(LeftSkinText()));
  const auto* close = w.Frame->FindObject("closebutton");
  EXPECT_EQ(close->Bounds, Rect(30, 4, 46, 18));
  EXPECT_EQ(w.Frame->FindObject("caption1")->Bounds.Left, 30 + 16 + 2 + 2);
}

TEST(AnimatedObjects, RunForwardOnEnterAndBackOnLeave) {
  FramedForm w(400, 300);
  LoadSkin(*w.Data, FrameSkin(LeftSkinText()));
  auto* anim = dynamic_cast<TbsSkinAnimateObject*>(w.Frame->FindObject("anim"));
  ASSERT_NE(anim, nullptr);
  EXPECT_EQ(anim->TimerInterval, 25) << "no faster than the frame's tick";
  // Wholly in no corner zone: it stays where the skin put it.
  EXPECT_EQ(anim->Bounds, Rect(152, 4, 168, 18));
  Hover(w, Centre(anim));
  ASSERT_TRUE(anim->MouseInside);
  w.Frame->AnimateTimer().stop();
  std::vector<int> frames;
  for (int i = 0; i < 5; ++i) {
    w.Frame->AnimateTimerStep();
    frames.push_back(anim->CurrentFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{2, 3, 4, 4, 4}));
  EXPECT_TRUE(ShowsLook(w, anim, 3, 0));
  LeaveForClient(w);
  frames.clear();
  for (int i = 0; i < 4; ++i) {
    w.Frame->AnimateTimerStep();
    frames.push_back(anim->CurrentFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{3, 2, 1, 1}));
}

TEST(FramePictureButtons, StayVisibleButDisabledWithoutTheirIcon) {
  FramedForm w(400, 300);
  LoadSkin(*w.Data, FrameSkin(LeftSkinText()));
  auto* framemax = w.Frame->FindObject("framemax");
  w.Frame->SetBorderIcons(biSystemMenu | biMinimize | biRollUp);
  EXPECT_TRUE(framemax->Visible);
  EXPECT_FALSE(framemax->Enabled);
  Hover(w, Centre(framemax));
  EXPECT_FALSE(framemax->Hot) << "a disabled button does not react";
}

}  // namespace
