// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's caption buttons show their hints through the frame's hint
// component, and only while ShowObjectHint is on.

#include <gtest/gtest.h>

#include "formtesthelpers.h"
#include "framework/tcustomhint.h"
#include "skin/form/tbsactiveskinobject.h"

using namespace formtest;

namespace {

// Records what the frame asks of its hint component.
class RecordingHint : public TCustomHint {
 public:
  using TCustomHint::TCustomHint;
  void ShowHintDelayed(const std::string& text) override { Calls.push_back("show " + text); }
  void HideHint() override { Calls.push_back("hide"); }
  std::vector<std::string> Calls;
};

QPoint Centre(const TbsActiveSkinObject* o) {
  return QPoint((o->Bounds.Left + o->Bounds.Right) / 2, (o->Bounds.Top + o->Bounds.Bottom) / 2);
}

struct ObjectHints : ::testing::Test {
  void SetUp() override {
    LoadSkin(*w.Data, FrameSkin());
    hint = new RecordingHint(&w.Form);
    w.Frame->SetSkinHint(hint);
    close = w.Frame->FindObject("closebutton");
    max = w.Frame->FindObject("maxbutton");
    ASSERT_TRUE(close && max);
    ASSERT_EQ(close->Hint, "Close");
  }
  void Hover(const QPoint& p) {
    MoveTo(w.Form, p);
    w.Frame->HoverTimerStep();
  }
  void Away() {
    QCursor::setPos(w.Form.mapToGlobal(QPoint(200, 150)));
    w.Frame->HoverTimerStep();
  }
  FramedForm w{400, 300};
  RecordingHint* hint = nullptr;
  const TbsActiveSkinObject* close = nullptr;
  const TbsActiveSkinObject* max = nullptr;
};

TEST_F(ObjectHints, EnteringAButtonShowsItsHintAfterThePauseAndLeavingHidesIt) {
  w.Frame->SetShowObjectHint(true);
  Hover(Centre(close));
  EXPECT_EQ(hint->Calls, std::vector<std::string>{"show Close"});
  Hover(Centre(max));
  EXPECT_EQ(hint->Calls, (std::vector<std::string>{"show Close", "hide", "show Maximize"}));
  Away();
  EXPECT_EQ(hint->Calls.back(), "hide");
  EXPECT_EQ(hint->Calls.size(), 4u);
}

TEST_F(ObjectHints, NothingIsShownWhileShowObjectHintIsOffOrWithoutAHintComponent) {
  Hover(Centre(close));
  Away();
  EXPECT_TRUE(hint->Calls.empty());

  w.Frame->SetShowObjectHint(true);
  delete hint;  // the frame's reference clears itself
  EXPECT_EQ(w.Frame->SkinHint(), nullptr);
  Hover(Centre(close));
  Away();
}

}  // namespace
