// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned splitter: thickness and smallest pane size from its record,
// the composed bar by alignment, the framework's look where the record does
// not apply, and a real drag held to MinSize on both sides.

#include <gtest/gtest.h>

#include <QTest>

#include "embeddedskin.h"
#include "framework/tpanel.h"
#include "skin/controls/tbsskinsplitter.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

const QImage kPicture = Pattern(60, 40);

// "bar": a 6 x 11 piece at (20, 10), ends of 3 and 2 pixels along either
// direction. "nopicture" names a picture the skin does not have.
const char* kControls =
    "[SKINCONTROLS]\r\ncount=3\r\n0=bar:splitter\r\n1=nopicture:splitter\r\n2=label:stdlabel\r\n"
    "[bar]\r\npictureindex=0\r\nskinrect=20,10,26,21\r\nlefttoppoint=2,3\r\nrighttoppoint=4,3\r\n"
    "leftbottompoint=2,9\r\n"
    "[nopicture]\r\npictureindex=7\r\nskinrect=20,10,26,21\r\nlefttoppoint=2,3\r\nrighttoppoint=4,3\r\n"
    "leftbottompoint=2,9\r\n"
    "[label]\r\nfontcolor=0\r\n";

constexpr TColor kPlain = RGBColor(10, 200, 30);

struct Splitter : ::testing::Test {
  TForm form;
  QWidget loose;  // no layout: a bar here keeps the size it is given
  TbsSkinData* data = LoadSkin(&form, kControls, {kPicture});

  TbsSkinSplitter* Make(TAlign align, const std::string& record = "bar", QWidget* parent = nullptr) {
    auto* s = new TbsSkinSplitter(parent ? parent : form.ClientArea());
    s->SetBounds(0, 0, 30, 30);
    s->SetAlign(align);
    s->SetColor(kPlain);
    s->SetSkinDataName(record);
    return s;
  }
};

TEST_F(Splitter, ThicknessAndMinSizeComeFromTheRecordForEveryAlignment) {
  struct Row {
    const char* name;
    TAlign align;
    bool alongHeight;  // the thickness is the height
    int thickness;
  } rows[] = {
      {"left", alLeft, false, 6},     {"right", alRight, false, 6}, {"top", alTop, true, 11},
      {"bottom", alBottom, true, 11}, {"none", alNone, false, 6},   {"custom", alCustom, false, 6},
  };
  for (const Row& row : rows) {
    TbsSkinSplitter* s = Make(row.align);
    s->SetSkinData(data);
    EXPECT_EQ(s->SkinIndex(), 0) << row.name;
    EXPECT_EQ(row.alongHeight ? s->Height() : s->Width(), row.thickness) << row.name;
    EXPECT_EQ(s->MinSize(), row.thickness) << row.name;
    delete s;
  }
}

TEST_F(Splitter, WithoutARecordTheBarTakesDefaultSizeEvenWhenSkinDataIsCleared) {
  TbsSkinSplitter* s = Make(alLeft, "no such record");
  s->SetDefaultSize(13);
  s->SetSkinData(data);
  EXPECT_EQ(s->SkinIndex(), -1);
  EXPECT_EQ(s->Width(), 13);
  EXPECT_EQ(s->MinSize(), 13);

  TbsSkinSplitter* bound = Make(alTop);
  bound->SetSkinData(data);
  ASSERT_EQ(bound->Height(), 11);
  bound->SetDefaultSize(17);
  bound->SetSkinData(nullptr);  // null still runs the reaction
  EXPECT_EQ(bound->Height(), 17);
  EXPECT_EQ(bound->MinSize(), 17);
}

TEST_F(Splitter, TheEmbeddedVerticalSplitterRecordMakesABoundBarEightPixelsWide) {
  TbsSkinData* embedded = LoadEmbeddedSkin(&form);
  TbsSkinSplitter* s = Make(alLeft, "vsplitter");
  s->SetBounds(225, 0, 10, 467);
  s->SetMinSize(10);
  s->SetSkinData(embedded);
  SaveRender(Grab(*s), "splitter-embedded");
  EXPECT_EQ(s->Width(), 8);
  EXPECT_EQ(s->MinSize(), 8);
}

TEST_F(Splitter, OnlyItsOwnSkinDataChangesItsThickness) {
  TbsSkinSplitter* s = Make(alLeft);
  s->SetDefaultSize(15);
  s->SetSkinData(data);
  ASSERT_EQ(s->Width(), 6);
  TbsSkinData* other = LoadSkin(&form, kControls, {kPicture});
  s->SetWidth(20);
  SendNotice(s, SkinMsgChange, other);
  EXPECT_EQ(s->Width(), 20) << "another skin's notice";
  SendNotice(s, SkinMsgBeforeChange, data);
  EXPECT_EQ(s->Width(), 20) << "no before-change reaction";
  SendNotice(s, SkinMsgChange, data);
  EXPECT_EQ(s->Width(), 6);
}

// Along the bar: the first 3 rows and the last 2 copied, the 6 rows between
// them tiled from the bar's top end on.
TEST_F(Splitter, AVerticalBarCopiesItsEndsAndTilesTheRunBetween) {
  TbsSkinSplitter* s = Make(alLeft, "bar", &loose);
  s->SetSkinData(data);
  s->SetBounds(0, 0, 6, 40);
  const QImage shot = Grab(*s);
  ASSERT_EQ(shot.size(), QSize(6, 40));
  for (int y = 0; y < 40; ++y) {
    const int sy = y < 3 ? y : y >= 40 - 2 ? 11 - (40 - y) : 3 + (y - 3) % 6;
    for (int x = 0; x < 6; ++x) ASSERT_EQ(shot.pixel(x, y), kPicture.pixel(20 + x, 10 + sy)) << x << "," << y;
  }
}

TEST_F(Splitter, AHorizontalBarCopiesItsEndsAndTilesTheRunBetween) {
  TbsSkinSplitter* s = Make(alTop, "bar", &loose);
  s->SetSkinData(data);
  s->SetBounds(0, 0, 25, 11);
  const QImage shot = Grab(*s);
  ASSERT_EQ(shot.size(), QSize(25, 11));
  // Left end 2 columns, right end 6 - 4 = 2 columns, 2 tiled between.
  for (int x = 0; x < 25; ++x) {
    const int sx = x < 2 ? x : x >= 25 - 2 ? 6 - (25 - x) : 2 + (x - 2) % 2;
    for (int y = 0; y < 11; ++y) ASSERT_EQ(shot.pixel(x, y), kPicture.pixel(20 + sx, 10 + y)) << x << "," << y;
  }
}

bool AllPixels(const QImage& image, QRgb c) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != c) return false;
  return true;
}

TEST_F(Splitter, ClientNoneAndAMissingPictureDrawTheFrameworkLookEvenWithARecord) {
  const QRgb plain = ToQColor(kPlain).rgb();
  TbsSkinSplitter* client = Make(alClient);
  client->SetSkinData(data);
  ASSERT_EQ(client->SkinIndex(), 0);
  EXPECT_TRUE(AllPixels(Grab(*client), plain));

  TbsSkinSplitter* none = Make(alNone);
  none->SetSkinData(data);
  none->SetBounds(0, 0, 6, 30);
  EXPECT_TRUE(AllPixels(Grab(*none), plain));

  TbsSkinSplitter* missing = Make(alLeft, "nopicture");
  missing->SetSkinData(data);
  EXPECT_EQ(missing->SkinIndex(), 1);
  EXPECT_EQ(missing->SkinPicture, nullptr);
  EXPECT_EQ(missing->Width(), 6) << "the record's thickness still holds";
  EXPECT_TRUE(AllPixels(Grab(*missing), plain));
}

TEST_F(Splitter, ARecordOfAnotherKindBindsNoGeometry) {
  TbsSkinSplitter* s = Make(alLeft, "label");
  s->SetSkinData(data);
  EXPECT_EQ(s->SkinPicture, nullptr);
  EXPECT_TRUE(AllPixels(Grab(*s), ToQColor(kPlain).rgb()));
}

TEST_F(Splitter, LosingTheSkinDataFallsBackToTheFrameworkLook) {
  TbsSkinSplitter* s = Make(alLeft);
  s->SetSkinData(data);
  delete data;
  EXPECT_EQ(s->SkinData(), nullptr);
  EXPECT_TRUE(AllPixels(Grab(*s), ToQColor(kPlain).rgb()));
}

// A window with a pane on the left, the bar and a pane filling the rest;
// the line style moves the pane only on release.
struct SplitterDrag : ::testing::Test {
  void SetUp() override {
    form.SetClientSize(300, 100);
    form.BeginBuild();
    splitter = new TbsSkinSplitter(form.ClientArea());
    splitter->SetBounds(100, 0, 10, 100);
    splitter->SetAlign(alLeft);
    splitter->SetResizeStyle(rsLine);
    splitter->SetSkinDataName("bar");
    left = new TPanel(form.ClientArea());
    left->SetBounds(0, 0, 100, 100);
    left->SetAlign(alLeft);
    right = new TPanel(form.ClientArea());
    right->SetBounds(106, 0, 194, 100);
    right->SetAlign(alClient);
    form.EndBuild();
    data = LoadSkin(&form, kControls, {kPicture});
    splitter->SetSkinData(data);  // 6 wide, MinSize 6
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(splitter->Width(), 6);
    ASSERT_EQ(splitter->Left(), 100);
  }

  // Presses on the bar, moves by dx, checks nothing moved yet, releases.
  void Drag(int dx) {
    const int before = left->Width();
    Press(*splitter, QPoint(2, 50));
    DragTo(*splitter, QPoint(2 + dx, 50));
    EXPECT_EQ(left->Width(), before) << "the line style changes the size only on release";
    Release(*splitter, QPoint(2 + dx, 50));
  }

  TForm form;
  TbsSkinSplitter* splitter = nullptr;
  TPanel* left = nullptr;
  TPanel* right = nullptr;
  TbsSkinData* data = nullptr;
};

TEST_F(SplitterDrag, TheBarDragsThePaneAndTheRestFollows) {
  Drag(40);
  EXPECT_EQ(left->Width(), 140);
  EXPECT_EQ(splitter->Left(), 140);
  EXPECT_EQ(right->Left(), 146);
  EXPECT_EQ(right->Width(), 154);
}

TEST_F(SplitterDrag, NeitherPaneBecomesSmallerThanTheRecordsThickness) {
  Drag(-500);
  EXPECT_EQ(left->Width(), 6);
  Drag(+1000);
  EXPECT_EQ(right->Width(), 6);
  EXPECT_EQ(left->Width(), 300 - 6 - 6);
}

}  // namespace
