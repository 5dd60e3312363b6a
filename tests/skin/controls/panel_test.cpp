// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "skin/controls/skinrectmapping.h"
#include "skin/controls/tbsskinpanel.h"
#include "skinfixture.h"

namespace {

using namespace skintest;
using BS = TbsSkinBorderStyle;

const QImage kPicture = Pattern(200, 150);
const QImage kBackground = Pattern(7, 5).mirrored(true, false);

const char* kControls =
    "[SKINCONTROLS]\r\ncount=3\r\n0=panel:panel\r\n1=bgpanel:panel\r\n2=captionpanel:panel\r\n"
    "[panel]\r\npictureindex=0\r\nskinrect=10,20,77,69\r\nlefttoppoint=2,2\r\nrighttoppoint=63,2\r\n"
    "leftbottompoint=2,45\r\nrightbottompoint=63,45\r\nclientrect=1,1,66,48\r\n"
    "[bgpanel]\r\npictureindex=0\r\nbgpictureindex=1\r\nskinrect=10,20,77,69\r\nlefttoppoint=2,2\r\n"
    "righttoppoint=63,2\r\nleftbottompoint=2,45\r\nrightbottompoint=63,45\r\nclientrect=1,1,66,48\r\n"
    "[captionpanel]\r\npictureindex=0\r\nskinrect=10,20,77,69\r\nlefttoppoint=2,14\r\nrighttoppoint=63,14\r\n"
    "leftbottompoint=2,45\r\nrightbottompoint=63,45\r\nclientrect=1,14,66,48\r\ncaptionrect=1,1,64,13\r\n"
    "fontcolor=16777215\r\nalignment=taleftjustify\r\n";

constexpr QRgb kFace = qRgb(212, 208, 200), kShadow = qRgb(128, 128, 128), kLight = qRgb(255, 255, 255);

struct Panel : ::testing::Test {
  TForm form;
  TbsSkinData* data = LoadSkin(&form, kControls, {kPicture, kBackground});

  TbsSkinPanel* Make(int w, int h, const std::string& record = {}) {
    auto* p = new TbsSkinPanel(form.ClientArea());
    p->SetBounds(0, 0, w, h);
    if (!record.empty()) {
      p->SetSkinDataName(record);
      p->SetSkinData(data);
    }
    return p;
  }
  static TControl* Child(TbsSkinPanel* p, TAlign align = alClient) {
    auto* c = new TControl(p);
    c->SetBounds(0, 0, 10, 10);
    c->SetAlign(align);
    return c;
  }
};

TEST_F(Panel, DefaultLookClientAreaFollowsBorderAndCaption) {
  const std::tuple<BS, bool, TRect> rows[] = {
      {BS::bvFrame, false, {1, 1, 149, 99}},  {BS::bvNone, false, {0, 0, 150, 100}},
      {BS::bvRaised, true, {1, 23, 149, 99}}, {BS::bvNone, true, {0, 22, 150, 100}},
  };
  for (auto [style, caption, expected] : rows) {
    TbsSkinPanel* p = Make(150, 100);
    TControl* child = Child(p);
    p->SetBorderStyle(style);
    p->SetCaptionMode(caption);
    EXPECT_EQ(p->ClientRect(), expected);
    EXPECT_EQ(child->BoundsRect(), expected);
  }
}

TEST_F(Panel, SkinnedPanelLeavesTheSkinFrameAroundItsChildrenAndNoEmptyCaption) {
  TbsSkinPanel* p = Make(200, 120, "panel");
  TControl* child = Child(p);
  p->Realign();
  EXPECT_EQ(child->BoundsRect(), Rect(1, 1, 199, 119));
  child->hide();
  const QImage plain = Grab(*p);
  p->SetCaption("Hello");
  p->SetCaptionMode(true);
  EXPECT_EQ(Grab(*p), plain) << "the record has no caption area, so no caption is drawn";
}

TEST_F(Panel, BorderlessFullRecordIsATextureOverTheWholePanel) {
  TbsSkinPanel* p = Make(150, 110, "panel");
  p->SetBorderStyle(BS::bvNone);
  EXPECT_EQ(p->ClientRect(), Rect(0, 0, 150, 110));
  const QImage got = Grab(*p);
  const int cw = 65, ch = 47;  // the record's client rectangle 1,1,66,48
  for (int y = 0; y < 110; ++y)
    for (int x = 0; x < 150; ++x)
      ASSERT_EQ(got.pixel(x, y), kPicture.pixel(10 + 1 + x % cw, 20 + 1 + y % ch)) << x << "," << y;
}

TEST_F(Panel, BackgroundPictureCoversEverything) {
  TbsSkinPanel* p = Make(30, 12, "bgpanel");
  EXPECT_EQ(p->ClientRect(), Rect(0, 0, 30, 12));
  const QImage got = Grab(*p);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(got.pixel(x, y), kBackground.pixel(x % 7, y % 5)) << x << "," << y;
}

TEST_F(Panel, DefaultFramesDrawTopLeftAndBottomRightColours) {
  const std::tuple<BS, QRgb, QRgb> rows[] = {{BS::bvFrame, kShadow, kShadow},
                                             {BS::bvRaised, kLight, kShadow},
                                             {BS::bvLowered, kShadow, kLight}};
  for (auto [style, topLeft, bottomRight] : rows) {
    TbsSkinPanel* p = Make(10, 8);
    p->SetBorderStyle(style);
    QImage expected = Solid(10, 8, kFace);
    for (int x = 0; x < 9; ++x) expected.setPixel(x, 0, topLeft);
    for (int y = 0; y < 7; ++y) expected.setPixel(0, y, topLeft);
    for (int y = 0; y < 8; ++y) expected.setPixel(9, y, bottomRight);
    for (int x = 0; x < 10; ++x) expected.setPixel(x, 7, bottomRight);
    EXPECT_EQ(Grab(*p), expected) << int(style);
  }
  TbsSkinPanel* none = Make(10, 8);
  none->SetBorderStyle(BS::bvNone);
  EXPECT_EQ(Grab(*none), Solid(10, 8, kFace));
}

TEST_F(Panel, RollUpIgnoredOutsideRollUpMode) {
  TbsSkinPanel* p = Make(100, 90);
  p->SetRollUpState(true);
  EXPECT_FALSE(p->RollUpState());
  EXPECT_EQ(p->height(), 90);
  EXPECT_EQ(p->RealHeight(), -1);
}

TEST_F(Panel, RollUpKeepsTheHeightAndRestoresOnlyTheChildrenItHid) {
  TbsSkinPanel* p = Make(100, 90);
  TControl* shown = Child(p, alTop);
  TControl* hidden = Child(p, alBottom);
  hidden->hide();
  p->SetRollUpMode(true);
  p->SetRollUpState(true);
  EXPECT_EQ(p->height(), 22 + 1);
  EXPECT_EQ(p->RealHeight(), 90);
  EXPECT_TRUE(shown->isHidden());
  p->SetRollUpState(true);
  EXPECT_EQ(p->RealHeight(), 90) << "a second roll-up keeps the remembered height";
  p->SetRollUpState(false);
  EXPECT_EQ(p->height(), 90);
  EXPECT_EQ(p->RealHeight(), -1);
  EXPECT_FALSE(shown->isHidden());
  EXPECT_TRUE(hidden->isHidden());
}

TEST_F(Panel, RolledUpSkinnedPanelKeepsOnlyTheFrameAcrossASkinChange) {
  TbsSkinPanel* p = Make(120, 100, "panel");
  p->SetRollUpMode(true);
  p->SetRollUpState(true);
  EXPECT_EQ(p->height(), 49 - 47);
  p->SetSkinDataName("captionpanel");
  SendNotice(p, SkinMsgChange, data);
  EXPECT_EQ(p->height(), 49 - 34);
  EXPECT_EQ(p->RealHeight(), 100);
  p->SetRollUpState(false);
  EXPECT_EQ(p->height(), 100);
}

TEST_F(Panel, CheckedEnablesChildrenOnlyInCheckedMode) {
  TbsSkinPanel* p = Make(100, 90);
  TControl* child = Child(p);
  int notices = 0;
  p->OnChecked = [&] { ++notices; };
  p->SetChecked(true);
  p->SetChecked(false);
  EXPECT_EQ(notices, 2);
  EXPECT_TRUE(child->isEnabled());
  p->SetCheckedMode(true);
  p->SetChecked(true);
  EXPECT_TRUE(child->isEnabled());
  p->SetChecked(false);
  EXPECT_FALSE(child->isEnabled());
  EXPECT_EQ(notices, 4);
  p->SetChecked(false);
  EXPECT_EQ(notices, 4) << "the same value is no change";
}

TEST_F(Panel, CaptionClickTogglesCheckAndRollUp) {
  TbsSkinPanel* p = Make(100, 90);
  p->SetCaptionMode(true);
  p->SetCheckedMode(true);
  p->SetRollUpMode(true);
  Press(*p, {50, 60});
  Release(*p, {50, 60});
  EXPECT_FALSE(p->Checked()) << "below the caption";
  Press(*p, {99, 22});
  Release(*p, {99, 22});
  EXPECT_TRUE(p->Checked()) << "the caption area's edges count";
  EXPECT_TRUE(p->RollUpState());
  EXPECT_EQ(p->height(), 23);
}

TEST_F(Panel, SkinnedCaptionStaysInsideTheSizedCaptionArea) {
  TbsSkinPanel* p = Make(150, 80, "captionpanel");
  EXPECT_EQ(p->SizedCaptionRect(), Rect(1, 1, 64 + 83, 13));
  const QImage plain = Grab(*p);
  p->SetCaption("Wide caption text");
  const QImage captioned = Grab(*p);
  int changed = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 150; ++x)
      if (plain.pixel(x, y) != captioned.pixel(x, y)) {
        ++changed;
        ASSERT_TRUE(PtInRect(p->SizedCaptionRect(), {x, y})) << x << "," << y;
      }
  EXPECT_GT(changed, 20);
}

TEST(SkinRectMapping, PartsMoveWithTheCornersTheyLieIn) {
  // A 67 x 49 skin with its corner points at 2 and 63 across, 14 and 45 down.
  const TbsSkinCorners c{{2, 14}, {63, 14}, {2, 45}, {63, 45}, 67, 49};
  const struct {
    const char* Name;
    int Kind;
    TRect In, Out;
  } rows[] = {
      {"inside the left-top corner", 1, {0, 0, 1, 1}, {0, 0, 1, 1}},
      {"inside the right-top corner", 1, {64, 1, 66, 3}, {64 + 10, 1, 66 + 10, 3}},
      {"inside the left-bottom corner", 1, {0, 46, 1, 48}, {0, 46 + 5, 1, 48 + 5}},
      {"inside the right-bottom corner", 1, {64, 46, 66, 48}, {74, 51, 76, 53}},
      {"across the top", 1, {1, 1, 64, 13}, {1, 1, 74, 13}},
      {"across everything", 1, {1, 1, 64, 46}, {1, 1, 74, 51}},
      {"down the left side", 1, {0, 1, 2, 46}, {0, 1, 2, 51}},
      {"along the bottom", 1, {1, 46, 64, 48}, {1, 51, 74, 53}},
      {"down the right side", 1, {64, 1, 66, 46}, {74, 1, 76, 51}},
      {"in the middle", 1, {20, 20, 30, 30}, {20, 20, 30, 30}},
      {"horizontal: spanning", 2, {1, 1, 64, 13}, {1, 1, 74, 13}},
      {"horizontal: right end", 2, {63, 1, 66, 13}, {73, 1, 76, 13}},
      {"horizontal: left end", 2, {1, 1, 30, 13}, {1, 1, 30, 13}},
      {"vertical: spanning", 3, {1, 10, 5, 46}, {1, 10, 5, 51}},
      {"vertical: bottom end", 3, {1, 45, 5, 48}, {1, 50, 5, 53}},
      {"fixed", 0, {1, 45, 5, 48}, {1, 45, 5, 48}},
  };
  for (const auto& row : rows) EXPECT_EQ(MapSkinRect(row.In, row.Kind, c, 10, 5), row.Out) << row.Name;
}

}  // namespace
