// SPDX-License-Identifier: GPL-3.0-or-later
// The dark skin's own facts: the default skin's records in a dark palette,
// a light caption text on a dark frame, and every state of the window's
// controls telling itself apart from the others.

#include <gtest/gtest.h>

#include <cmath>

#include "skin/data/tbsdataskinbevel.h"
#include "skin/data/tbsdataskinbuttoncontrol.h"
#include "skin/data/tbsdataskincaption.h"
#include "skin/data/tbsdataskineditcontrol.h"
#include "skin/data/tbsdataskinlistbox.h"
#include "skin/data/tbsdataskinscrollbarcontrol.h"
#include "skin/data/tbsdataskinstdbutton.h"
#include "skin/data/tbsdataskinstdlabelcontrol.h"
#include "skin/draw/skinimage.h"
#include "tests/skins/skinfacts.h"

namespace {

// Perceived lightness 0..255 (Rec. 601 weights).
double Lightness(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }
double Lightness(TColor c) { return Lightness(qRgb(GetRValue(c), GetGValue(c), GetBValue(c))); }

double MeanLightness(const QImage& image, const TRect& r) {
  double sum = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) sum += Lightness(image.pixel(x, y));
  return sum / (RectWidth(r) * RectHeight(r));
}

// Two pieces of one picture look different when some pixel differs clearly.
bool Distinct(const QImage& image, const TRect& a, const TRect& b) {
  if (RectWidth(a) != RectWidth(b) || RectHeight(a) != RectHeight(b)) return true;
  constexpr double kVisibleStep = 6;  // lightness steps a user sees on a calm palette
  for (int y = 0; y < RectHeight(a); ++y)
    for (int x = 0; x < RectWidth(a); ++x)
      if (std::abs(Lightness(image.pixel(a.Left + x, a.Top + y)) - Lightness(image.pixel(b.Left + x, b.Top + y))) >=
          kVisibleStep)
        return true;
  return false;
}

void ExpectAllDistinct(const QImage& image, const std::vector<TRect>& states, const std::string& what) {
  for (size_t i = 0; i < states.size(); ++i)
    for (size_t j = i + 1; j < states.size(); ++j)
      EXPECT_TRUE(Distinct(image, states[i], states[j])) << what << ": states " << i << " and " << j << " look alike";
}

class DarkSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dark = LoadSkinFolder(DARK_SKIN_DIR);
    light = LoadSkinFolder(DEFAULT_SKIN_DIR);
  }
  static void TearDownTestSuite() { dark.reset(), light.reset(); }
  void SetUp() override { ASSERT_TRUE(dark && dark->Data.HasSkin() && light && light->Data.HasSkin()); }

  template <class Record>
  static const Record& Control(const std::string& name) {
    const int index = dark->Data.FindControlRecord(name);
    if (index < 0) throw std::runtime_error(name + " is missing");
    return dynamic_cast<const Record&>(*dark->Data.ControlRecords.at(size_t(index)));
  }
  static const QImage& Picture(int index) { return dark->Data.ActivePicture(index)->Image(); }

  static inline std::unique_ptr<TLoadedSkin> dark, light;
};

TEST_F(DarkSkin, HasTheDefaultSkinsRecordsAndPictureSizesUnderItsOwnName) {
  const TbsSkinData &d = dark->Data, &l = light->Data;
  EXPECT_EQ(d.SkinName, "深色");
  EXPECT_EQ(l.SkinName, "默认");
  ASSERT_EQ(d.ObjectRecords.size(), l.ObjectRecords.size());
  for (size_t i = 0; i < d.ObjectRecords.size(); ++i) {
    EXPECT_EQ(d.ObjectRecords[i]->IDName, l.ObjectRecords[i]->IDName);
    EXPECT_STREQ(d.ObjectRecords[i]->ClassName(), l.ObjectRecords[i]->ClassName());
  }
  // Then the records that dress the window's plain controls, which the default skin leaves as they are.
  ASSERT_EQ(d.ControlRecords.size(), l.ControlRecords.size() + 2);
  EXPECT_EQ(d.ControlRecords[l.ControlRecords.size()]->IDName, "groupbox");
  EXPECT_EQ(d.ControlRecords[l.ControlRecords.size() + 1]->IDName, "linklabel");
  EXPECT_EQ(l.FindControlRecord("groupbox"), -1);
  EXPECT_EQ(l.FindControlRecord("linklabel"), -1);
  for (size_t i = 0; i < l.ControlRecords.size(); ++i) {
    EXPECT_EQ(d.ControlRecords[i]->IDName, l.ControlRecords[i]->IDName);
    EXPECT_STREQ(d.ControlRecords[i]->ClassName(), l.ControlRecords[i]->ClassName());
    EXPECT_EQ(d.ControlRecords[i]->SkinRect, l.ControlRecords[i]->SkinRect) << d.ControlRecords[i]->IDName;
  }
  EXPECT_EQ(d.Picture.Image().size(), l.Picture.Image().size());
  ASSERT_EQ(d.ActivePictures.size(), l.ActivePictures.size());
  for (size_t i = 0; i < d.ActivePictures.size(); ++i) {
    EXPECT_EQ(d.ActivePictures[i]->Image().size(), l.ActivePictures[i]->Image().size()) << i;
    EXPECT_NE(d.ActivePictures[i]->Image(), l.ActivePictures[i]->Image()) << i << " is not redrawn";
  }
}

TEST_F(DarkSkin, IsADarkFrameWithALightCaptionTextAndCalmContrast) {
  const TbsSkinData& d = dark->Data;
  const QImage& frame = d.Picture.Image();
  const TRect caption{d.LeftTopPoint.X, 0, d.RightTopPoint.X, d.ClientRect.Top};
  const double captionLight = MeanLightness(frame, caption);
  const double clientLight = MeanLightness(frame, d.ClientRect);
  EXPECT_LT(captionLight, 90);
  EXPECT_LT(clientLight, 70);
  // The light skin for comparison: the same places are light there.
  EXPECT_GT(MeanLightness(light->Data.Picture.Image(), caption), 200);

  const int captionIndex = d.FindObjectRecord("caption1");
  ASSERT_GE(captionIndex, 0);
  const auto& captionRecord = dynamic_cast<const TbsDataSkinCaption&>(*d.ObjectRecords[size_t(captionIndex)]);
  const double text = Lightness(captionRecord.ActiveFontColor);
  EXPECT_GT(text - captionLight, 120) << "caption text must stand out";
  EXPECT_LT(text, 250) << "no glaring white";
  EXPECT_GT(Lightness(captionRecord.FontColor), captionLight + 40) << "inactive caption text still readable";
  EXPECT_LT(Lightness(captionRecord.FontColor), text) << "inactive caption text is the quieter one";

  // Text in the list and the tree reads on their fields.
  const auto& list = Control<TbsDataSkinListBox>("listbox");
  EXPECT_GT(Lightness(list.FontColor), 200);
}

TEST_F(DarkSkin, EveryStateOfTheWindowsControlsIsDistinct) {
  const TbsSkinData& d = dark->Data;
  for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"}) {
    const auto& b = dynamic_cast<const TbsDataSkinStdButton&>(*d.ObjectRecords[size_t(d.FindObjectRecord(name))]);
    ExpectAllDistinct(Picture(b.ActivePictureIndex), {b.SkinRect, b.ActiveSkinRect, b.DownRect, b.InActiveSkinRect},
                      name);
  }
  for (const char* name : {"button", "resizebutton"}) {
    const auto& b = Control<TbsDataSkinButtonControl>(name);
    ExpectAllDistinct(Picture(b.PictureIndex), {b.SkinRect, b.ActiveSkinRect, b.DownSkinRect, b.DisabledSkinRect}, name);
  }
  const auto& edit = Control<TbsDataSkinEditControl>("edit");
  ExpectAllDistinct(Picture(edit.PictureIndex), {edit.SkinRect, edit.ActiveSkinRect}, "edit");
  for (const char* name : {"vscrollbar", "hscrollbar"}) {
    const auto& s = Control<TbsDataSkinScrollBarControl>(name);
    const QImage& p = Picture(s.PictureIndex);
    ExpectAllDistinct(p, {s.ThumbRect, s.ActiveThumbRect, s.DownThumbRect}, std::string(name) + " thumb");
    ExpectAllDistinct(p, {s.UpButtonRect, s.ActiveUpButtonRect, s.DownUpButtonRect}, std::string(name) + " up");
    ExpectAllDistinct(p, {s.DownButtonRect, s.ActiveDownButtonRect, s.DownDownButtonRect}, std::string(name) + " down");
  }
}

}  // namespace

namespace {

TEST_F(DarkSkin, GroupFramesAndTheLinkStandOutFromTheDarkPanel) {
  const auto& group = Control<TbsDataSkinBevel>("groupbox");
  const auto& link = Control<TbsDataSkinStdLabelControl>("linklabel");
  // The etched frame: a light line above a dark one, both near the panel's own darkness.
  EXPECT_GT(Lightness(group.LightColor), Lightness(group.DarkColor) + 20);
  EXPECT_LT(Lightness(group.LightColor), 110);
  EXPECT_GT(Lightness(link.FontColor), 180);
  EXPECT_GT(Lightness(link.ActiveFontColor), 120);
  EXPECT_NE(link.FontColor, link.ActiveFontColor);
}

}  // namespace
