// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "skin/controls/tbsskincustomcontrol.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

const QImage kPicture = Pattern(200, 150);

// 20 x 10: black (inside) where x >= 2y, white elsewhere.
QImage MaskPicture() {
  QImage m(20, 10, QImage::Format_RGB32);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) m.setPixel(x, y, x >= 2 * y ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  return m;
}

const char* kControls =
    "[SKINCONTROLS]\r\ncount=7\r\n0=full:panel\r\n1=horizontal:panel\r\n2=vertical:panel\r\n3=fixed:panel\r\n"
    "4=masked:panel\r\n5=label:stdlabel\r\n6=emptyrect:panel\r\n"
    "[full]\r\npictureindex=0\r\nskinrect=10,20,77,69\r\nlefttoppoint=2,2\r\nrighttoppoint=63,2\r\n"
    "leftbottompoint=2,45\r\nrightbottompoint=63,45\r\nclientrect=1,1,66,48\r\n"
    "[horizontal]\r\npictureindex=0\r\nskinrect=100,10,140,35\r\nlefttoppoint=5,0\r\nrighttoppoint=33,0\r\n"
    "clientrect=3,3,37,22\r\n"
    "[vertical]\r\npictureindex=0\r\nskinrect=150,10,170,50\r\nlefttoppoint=0,6\r\nleftbottompoint=0,30\r\n"
    "clientrect=2,2,18,38\r\n"
    "[fixed]\r\npictureindex=0\r\nskinrect=100,60,120,70\r\nclientrect=1,1,19,9\r\n"
    "[masked]\r\npictureindex=0\r\nmaskpictureindex=1\r\nskinrect=100,60,120,70\r\n"
    "[label]\r\nfontcolor=255\r\n"
    "[emptyrect]\r\npictureindex=0\r\n";

struct SkinnedControl : ::testing::Test {
  TForm form;
  TbsSkinData* data = LoadSkin(&form, kControls, {kPicture, MaskPicture()});

  TbsSkinCustomControl* Make(const std::string& name, int w = 50, int h = 40) {
    auto* c = new TbsSkinCustomControl(form.ClientArea());
    c->SetBounds(0, 0, w, h);
    c->SetSkinDataName(name);
    c->SetSkinData(data);
    return c;
  }
};

struct SizeRow {
  const char* Name;
  QSize Wanted, Got;
  TRect SizedClient;
};

TEST_F(SkinnedControl, SkinDecidesWhichDimensionsFollowAWantedSize) {
  ASSERT_TRUE(data && data->HasSkin());
  const SizeRow rows[] = {
      {"full", {100, 80}, {100, 80}, {1, 1, 99, 79}},
      {"horizontal", {100, 80}, {100, 25}, {3, 3, 97, 22}},
      {"vertical", {100, 80}, {20, 80}, {2, 2, 18, 78}},
      {"fixed", {100, 80}, {20, 10}, {1, 1, 19, 9}},
      {"emptyrect", {100, 80}, {100, 80}, {}},
      {"label", {100, 80}, {100, 80}, {}},
      {"nosuchrecord", {100, 80}, {100, 80}, {}},
  };
  for (const SizeRow& row : rows) {
    TbsSkinCustomControl* c = Make(row.Name);
    c->SetBounds(5, 6, row.Wanted.width(), row.Wanted.height());
    EXPECT_EQ(c->size(), row.Got) << row.Name;
    EXPECT_EQ(c->pos(), QPoint(5, 6)) << row.Name;
    if (row.SizedClient.Right) EXPECT_EQ(c->SizedClientRect, row.SizedClient) << row.Name;
  }
}

TEST_F(SkinnedControl, StretchKindFollowsTheRecordsPoints) {
  const std::pair<const char*, int> rows[] = {{"full", 1}, {"horizontal", 2}, {"vertical", 3},
                                              {"fixed", 0}, {"emptyrect", -1}, {"label", 0}};
  for (auto [name, kind] : rows) EXPECT_EQ(Make(name)->StretchKind, kind) << name;
}

TEST_F(SkinnedControl, BindingSizesAtOnceAndAlignmentCannotOverrideFixedDirections) {
  TbsSkinCustomControl* c = Make("horizontal", 70, 70);
  EXPECT_EQ(c->size(), QSize(70, 25)) << "setting the skin data of a loaded skin applies the record";
  form.show();  // a hidden control learns its aligned size only when shown
  c->SetAlign(alClient);
  form.SetClientSize(300, 200);
  form.ClientArea()->Realign();
  EXPECT_EQ(c->size(), QSize(300, 25));
}

TEST_F(SkinnedControl, RecordNamesAreMatchedExactly) {
  EXPECT_EQ(Make("vertical")->SkinIndex(), 2);
  EXPECT_EQ(Make("Vertical")->SkinIndex(), -1);
}

TEST_F(SkinnedControl, ComposedAtItsOwnSizeTheControlIsItsSkinRectangle) {
  for (auto [name, l, t, r, b] : {std::tuple{"full", 10, 20, 77, 69}, std::tuple{"horizontal", 100, 10, 140, 35},
                                  std::tuple{"vertical", 150, 10, 170, 50}, std::tuple{"fixed", 100, 60, 120, 70}}) {
    TbsSkinCustomControl* c = Make(name, r - l, b - t);
    EXPECT_EQ(Grab(*c), Piece(kPicture, l, t, r, b)) << name;
  }
}

TEST_F(SkinnedControl, HorizontalSkinKeepsItsEndsAndTilesTheMiddle) {
  TbsSkinCustomControl* c = Make("horizontal");
  c->SetBounds(0, 0, 97, 25);
  const QImage got = Grab(*c);
  const int left = 5, right = 40 - 33, middle = 33 - 5;  // from the record's points
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 97; ++x) {
      int sx = x < left ? x : x >= 97 - right ? 40 - (97 - x) : left + (x - left) % middle;
      ASSERT_EQ(got.pixel(x, y), kPicture.pixel(100 + sx, 10 + y)) << x << "," << y;
    }
}

TEST_F(SkinnedControl, VerticalSkinKeepsItsEndsAndTilesTheMiddle) {
  TbsSkinCustomControl* c = Make("vertical");
  c->SetBounds(0, 0, 20, 91);
  const QImage got = Grab(*c);
  const int top = 6, bottom = 40 - 30, middle = 30 - 6;
  for (int y = 0; y < 91; ++y)
    for (int x = 0; x < 20; ++x) {
      int sy = y < top ? y : y >= 91 - bottom ? 40 - (91 - y) : top + (y - top) % middle;
      ASSERT_EQ(got.pixel(x, y), kPicture.pixel(150 + x, 10 + sy)) << x << "," << y;
    }
}

TEST_F(SkinnedControl, MaskCutsTheWindowAndLeavingTheRecordRemovesTheCut) {
  TbsSkinCustomControl* c = Make("masked");
  QRegion expected;
  const QImage m = MaskPicture();
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      if (m.pixel(x, y) == qRgb(0, 0, 0)) expected += QRect(x, y, 1, 1);
  ASSERT_TRUE(c->SkinRegion().has_value());
  EXPECT_EQ(c->mask(), expected);
  c->SetSkinDataName("fixed");
  c->SkinChanged();
  EXPECT_FALSE(c->SkinRegion().has_value());
  EXPECT_TRUE(c->mask().isEmpty());
}

TEST_F(SkinnedControl, NoticesOfAnotherSkinDataAreIgnored) {
  TbsSkinData* other = LoadSkin(&form, kControls, {kPicture});
  TbsSkinCustomControl* c = Make("full", 100, 80);
  c->SetSkinDataName("fixed");
  SendNotice(c, SkinMsgChange, other);
  EXPECT_EQ(c->size(), QSize(100, 80));
  SendNotice(c, SkinMsgBeforeChange, other);
  EXPECT_EQ(c->SkinIndex(), 0);
  SendNotice(c, SkinMsgBeforeChange, data);
  EXPECT_EQ(c->SkinIndex(), -1);
  SendNotice(c, SkinMsgChange, data);
  EXPECT_EQ(c->size(), QSize(20, 10));
}

TEST_F(SkinnedControl, SkinDataWithoutASkinChangesNothingUntilTheNoticeArrives) {
  auto* empty = new TbsSkinData(&form);
  auto* c = new TbsSkinCustomControl(form.ClientArea());
  c->SetBounds(0, 0, 100, 80);
  c->SetSkinDataName("fixed");
  c->SetSkinData(empty);
  EXPECT_EQ(c->SkinIndex(), -1);
  EXPECT_EQ(c->size(), QSize(100, 80));
  // Loading sends its notices to forms; without a frame nobody passes them on.
  empty->SetCompressedStoredSkin(BuildSkin(&form, kControls, {kPicture}));
  ASSERT_TRUE(empty->HasSkin());
  EXPECT_EQ(c->size(), QSize(100, 80));
  SendNotice(c, SkinMsgChange, empty);
  EXPECT_EQ(c->size(), QSize(20, 10));
}

TEST_F(SkinnedControl, FreedSkinDataLeavesTheDefaultLookAtTheSameSize) {
  TbsSkinCustomControl* c = Make("full", 90, 60);
  delete data;
  EXPECT_EQ(c->SkinData(), nullptr);
  EXPECT_EQ(c->SkinIndex(), -1);
  EXPECT_EQ(c->size(), QSize(90, 60));
  EXPECT_EQ(Grab(*c), Solid(90, 60, qRgb(212, 208, 200)));
}

TEST_F(SkinnedControl, UnknownNameShowsTheDefaultLookAtTheNextPaint) {
  TbsSkinCustomControl* c = Make("full", 90, 60);
  c->SetSkinDataName("gone");
  EXPECT_EQ(Grab(*c), Solid(90, 60, qRgb(212, 208, 200)));
  EXPECT_EQ(c->size(), QSize(90, 60));
}

TEST_F(SkinnedControl, DefaultSizeAppliesOnlyWithoutARecordAndOnlyWhenPositive) {
  TbsSkinCustomControl* plain = Make("nosuchrecord", 50, 40);
  plain->SetDefaultWidth(0);
  plain->SetDefaultHeight(-4);
  EXPECT_EQ(plain->size(), QSize(50, 40));
  plain->SetDefaultWidth(77);
  EXPECT_EQ(plain->size(), QSize(77, 40));

  TbsSkinCustomControl* skinned = Make("full", 50, 40);
  skinned->SetDefaultHeight(33);
  EXPECT_EQ(skinned->DefaultHeight(), 33);
  EXPECT_EQ(skinned->size(), QSize(50, 40));
  // Once the record is gone the default size takes over at the skin change.
  skinned->SetSkinDataName("gone");
  skinned->SkinChanged();
  EXPECT_EQ(skinned->size(), QSize(50, 33));
}

}  // namespace
