// SPDX-License-Identifier: GPL-3.0-or-later
// The test skin set: every skin loads, and each carries the feature it is
// there for.

#include <gtest/gtest.h>

#include <QDir>
#include <functional>
#include <set>

#include "skin/data/tbsdataskinanimate.h"
#include "skin/data/tbsskindescription.h"
#include "tests/skins/skinfacts.h"

namespace {

struct TTestSkinCase {
  const char* Folder;
  std::function<void(const TbsSkinData&)> Check;
};

void CheckAutoInactive(const TbsSkinData& d, TbsImageEffect effect) {
  EXPECT_TRUE(d.AutoRenderingInactiveImage);
  EXPECT_EQ(d.InactiveEffect, effect);
}

const TTestSkinCase kCases[] = {
    {"shaped",
     [](const TbsSkinData& d) {
       ASSERT_FALSE(d.Mask.Empty());
       EXPECT_EQ(d.Mask.Width(), d.Picture.Width());
       EXPECT_EQ(d.Mask.Height(), d.Picture.Height());
       EXPECT_EQ(d.MaskRectArea, d.ClientRect);  // an empty mask area takes the client rectangle
       EXPECT_NE(d.ActivePicture(d.PopupWindowRecord.MaskPictureIndex), nullptr);
       EXPECT_NE(d.ActivePicture(d.HintWindowRecord.MaskPictureIndex), nullptr);
       int shapedControls = 0;
       for (const auto& c : d.ControlRecords) shapedControls += d.ActivePicture(c->MaskPictureIndex) != nullptr;
       EXPECT_GE(shapedControls, 2);
     }},
    {"inactive-picture",
     [](const TbsSkinData& d) {
       ASSERT_FALSE(d.InactivePicture.Empty());
       EXPECT_EQ(d.InactivePicture.Width(), d.Picture.Width());
       EXPECT_NE(d.InactivePicture.Image(), d.Picture.Image());
     }},
    {"autoinactive-brightness", [](const TbsSkinData& d) { CheckAutoInactive(d, ieBrightness); }},
    {"autoinactive-darkness", [](const TbsSkinData& d) { CheckAutoInactive(d, ieDarkness); }},
    {"autoinactive-grayscale", [](const TbsSkinData& d) { CheckAutoInactive(d, ieGrayScale); }},
    {"autoinactive-noise", [](const TbsSkinData& d) { CheckAutoInactive(d, ieNoise); }},
    {"autoinactive-splitblur", [](const TbsSkinData& d) { CheckAutoInactive(d, ieSplitBlur); }},
    {"autoinactive-invert", [](const TbsSkinData& d) { CheckAutoInactive(d, ieInvert); }},
    {"stretched",
     [](const TbsSkinData& d) {
       EXPECT_TRUE(d.LeftStretch && d.TopStretch && d.RightStretch && d.BottomStretch);
       EXPECT_TRUE(d.PopupWindowRecord.TopStretch && d.HintWindowRecord.LeftStretch);
       // A uniform edge would look the same tiled or stretched.
       EXPECT_FALSE(ColumnsAlike(d.Picture.Image(), d.LeftTopPoint.X, 0, d.RightTopPoint.X, d.ClientRect.Top));
     }},
    {"left-buttons",
     [](const TbsSkinData& d) {
       EXPECT_TRUE(d.ButtonsInLeft);
       EXPECT_LT(d.ButtonsRect.Left, d.Picture.Width() / 2);
     }},
    {"objects",
     [](const TbsSkinData& d) {
       std::set<int> morphKinds;
       bool animate = false, user = false;
       for (const auto& o : d.ObjectRecords) {
         if (o->Morphing) morphKinds.insert(o->MorphKind);
         if (const auto* a = dynamic_cast<const TbsDataSkinAnimate*>(o.get())) animate = a->CountFrames > 1;
         user = user || std::string(o->ClassName()) == "TbsDataUserObject";
       }
       EXPECT_EQ(morphKinds, (std::set<int>{mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide,
                                            mkRightSlide, mkPush}));
       EXPECT_TRUE(animate);
       EXPECT_TRUE(user);
     }},
};

TEST(TestSkins, EveryTestSkinLoadsAndCarriesItsFeature) {
  for (const TTestSkinCase& c : kCases) {
    SCOPED_TRACE(c.Folder);
    std::unique_ptr<TLoadedSkin> skin;
    ASSERT_NO_THROW(skin = LoadSkinFolder(std::string(TEST_SKINS_DIR) + "/" + c.Folder));
    ASSERT_TRUE(skin && skin->Data.HasSkin());
    c.Check(skin->Data);
  }
}

TEST(TestSkins, TheSetHoldsExactlyTheSkinsCheckedHere) {
  const QStringList folders = QDir(TEST_SKINS_DIR).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  std::set<std::string> found, expected;
  for (const QString& f : folders) found.insert(f.toStdString());
  for (const TTestSkinCase& c : kCases) expected.insert(c.Folder);
  EXPECT_EQ(found, expected);
}

}  // namespace
