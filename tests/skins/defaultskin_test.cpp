// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own skins, the default one and the dark one, read as the
// program reads them: the pictures, the frame values, the objects and the
// records the main window asks for. Both are one drawing in two palettes, so
// every fact but the colours holds for both.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "skin/data/tbsdataskincaption.h"
#include "skin/data/tbsdataskineditcontrol.h"
#include "skin/data/tbsdataskinlistbox.h"
#include "skin/data/tbsdataskinpanelcontrol.h"
#include "skin/data/tbsdataskinscrollbarcontrol.h"
#include "skin/data/tbsdataskinstdbutton.h"
#include "skin/data/tbsdataskinstdlabelcontrol.h"
#include "skin/data/tbsdataskintreeview.h"
#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinpackage.h"
#include "skin/draw/skinimage.h"
#include "tests/skins/skinfacts.h"

namespace {

struct TSkinCase {
  const char* Name;
  const char* Folder;
  TColor Text;      // record text
  TColor Field;     // the tree's background
  TColor LinkHot;   // the label under the pointer
  TColor Grey;      // disabled text
};

const TSkinCase kSkinCases[] = {
    {"default", DEFAULT_SKIN_DIR, RGBColor(0, 0, 0), RGBColor(255, 255, 255), RGBColor(0, 128, 192), RGBColor(128, 128, 128)},
    {"dark", DARK_SKIN_DIR, RGBColor(230, 232, 236), RGBColor(29, 31, 35), RGBColor(112, 182, 242), RGBColor(118, 122, 128)},
};

class DefaultSkin : public ::testing::TestWithParam<TSkinCase> {
 protected:
  static void TearDownTestSuite() { loaded.clear(); }
  void SetUp() override {
    auto& slot = loaded[GetParam().Name];
    if (!slot) slot = LoadSkinFolder(GetParam().Folder);
    skin = slot.get();
    ASSERT_TRUE(skin && skin->Data.HasSkin());
  }

  static const TbsSkinData& Data() { return skin->Data; }
  template <class Record>
  static const Record& Control(const std::string& name) {
    const int index = skin->Data.FindControlRecord(name);
    EXPECT_GE(index, 0) << name;
    const auto* record = dynamic_cast<const Record*>(skin->Data.ControlRecords.at(size_t(index)).get());
    if (record == nullptr) throw std::runtime_error(name + " has another class");
    return *record;
  }
  static int Kind(const TbsDataSkinCustomControl& c) {
    return StretchKind(c.SkinRect, c.LeftTopPoint, c.RightTopPoint, c.LeftBottomPoint, c.RightBottomPoint);
  }
  static const QImage& ActiveImage(int index) { return skin->Data.ActivePicture(index)->Image(); }

  static inline std::map<std::string, std::unique_ptr<TLoadedSkin>> loaded;  // each skin loaded once
  static inline TLoadedSkin* skin = nullptr;
};

TEST_P(DefaultSkin, HasAMainPictureOfTheFrameSizeNoInactivePictureNoMaskAndFiveActivePictures) {
  EXPECT_EQ(Data().Picture.Width(), 177);
  EXPECT_EQ(Data().Picture.Height(), 124);
  EXPECT_TRUE(Data().InactivePicture.Empty());
  EXPECT_TRUE(Data().Mask.Empty());
  EXPECT_TRUE(Data().MaskName.empty());
  EXPECT_EQ(Data().ActivePictures.size(), 5u);
}

TEST_P(DefaultSkin, FrameValuesAreReadAsWrittenWithNothingAdjusted) {
  EXPECT_EQ(Data().ClientRect, (TRect{8, 26, 168, 116}));
  // Without a mask only the corner points could be pulled onto the client
  // rectangle; they already lie there, so the values read are the ones written.
  std::vector<uint8_t> bytes;
  skin->Stored.InflateInto(bytes);
  TbsSkinDescription written;
  written.LoadFromText(TbsSkinPackage::Read(bytes.data(), bytes.size()).DescriptionText);
  const std::pair<const char*, TPoint> points[] = {
      {"lefttoppoint", Data().LeftTopPoint},
      {"righttoppoint", Data().RightTopPoint},
      {"leftbottompoint", Data().LeftBottomPoint},
      {"rightbottompoint", Data().RightBottomPoint},
      {"hittestlefttoppoint", Data().HitTestLeftTopPoint},
      {"hittestrighttoppoint", Data().HitTestRightTopPoint},
      {"hittestleftbottompoint", Data().HitTestLeftBottomPoint},
      {"hittestrightbottompoint", Data().HitTestRightBottomPoint}};
  for (const auto& [key, value] : points) {
    const std::string* text = written.Find("FORMINFO", key);
    ASSERT_NE(text, nullptr) << key;
    EXPECT_EQ(*text, std::to_string(value.X) + "," + std::to_string(value.Y)) << key;
  }
  const TRect& cr = Data().ClientRect;
  EXPECT_GE(Data().LeftTopPoint.X, cr.Left);
  EXPECT_GE(Data().LeftTopPoint.Y, cr.Top);
  EXPECT_LE(Data().RightBottomPoint.X, cr.Right);
  EXPECT_LE(Data().RightBottomPoint.Y, cr.Bottom);
}

TEST_P(DefaultSkin, FrameEdgesAndClientTileWithoutSeams) {
  const QImage& f = Data().Picture.Image();
  const TPoint lt = Data().LeftTopPoint, rt = Data().RightTopPoint, lb = Data().LeftBottomPoint,
               rb = Data().RightBottomPoint;
  const TRect cr = Data().ClientRect;
  EXPECT_TRUE(ColumnsAlike(f, lt.X, 0, rt.X, cr.Top)) << "top edge";
  EXPECT_TRUE(ColumnsAlike(f, lb.X, cr.Bottom, rb.X, f.height())) << "bottom edge";
  EXPECT_TRUE(RowsAlike(f, 0, lt.Y, cr.Left, lb.Y)) << "left edge";
  EXPECT_TRUE(RowsAlike(f, cr.Right, rt.Y, f.width(), rb.Y)) << "right edge";
  // The client area doubles as the window's background tile: one colour.
  EXPECT_TRUE(ColumnsAlike(f, cr.Left, cr.Top, cr.Right, cr.Bottom) && RowsAlike(f, cr.Left, cr.Top, cr.Right, cr.Bottom));
}

TEST_P(DefaultSkin, ListsTheTwelveFrameObjectsInOrder) {
  const std::pair<const char*, const char*> expected[] = {
      {"MENUITEM", "TbsDataSkinMenuItem"},
      {"caption1", "TbsDataSkinCaption"},
      {"closebutton", "TbsDataSkinStdButton"},
      {"maxbutton", "TbsDataSkinStdButton"},
      {"minbutton", "TbsDataSkinStdButton"},
      {"rollupbutton", "TbsDataSkinStdButton"},
      {"sysmenubutton", "TbsDataSkinStdButton"},
      {"mainmenubaritem", "TbsDataSkinMainMenuBarItem"},
      {"menubarsysmenubutton", "TbsDataSkinMainMenuBarButton"},
      {"menubarclosebutton", "TbsDataSkinMainMenuBarButton"},
      {"menubarmaxbutton", "TbsDataSkinMainMenuBarButton"},
      {"menubarminbutton", "TbsDataSkinMainMenuBarButton"}};
  ASSERT_EQ(Data().ObjectRecords.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(Data().ObjectRecords[i]->IDName, expected[i].first);
    EXPECT_STREQ(Data().ObjectRecords[i]->ClassName(), expected[i].second) << expected[i].first;
  }
  const auto& close = dynamic_cast<const TbsDataSkinStdButton&>(*Data().ObjectRecords[2]);
  EXPECT_EQ(close.Hint, "Close");
  EXPECT_EQ(close.Command, cmClose);
  const auto& max = dynamic_cast<const TbsDataSkinStdButton&>(*Data().ObjectRecords[3]);
  EXPECT_EQ(max.RestoreRect, (TRect{0, 0, 0, 0}));
  EXPECT_EQ(max.Command, cmMaximize);
}

TEST_P(DefaultSkin, CaptionButtonsHaveEveryLookInTheirPicture) {
  for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"}) {
    const auto& b = dynamic_cast<const TbsDataSkinStdButton&>(*Data().ObjectRecords[size_t(Data().FindObjectRecord(name))]);
    ASSERT_NE(Data().ActivePicture(b.ActivePictureIndex), nullptr) << name;
    EXPECT_TRUE(b.SkinRectInAPicture) << name;
    for (const TRect& r : {b.SkinRect, b.ActiveSkinRect, b.DownRect, b.InActiveSkinRect}) {
      EXPECT_FALSE(IsEmptyRect(r)) << name;
      EXPECT_EQ(RectHeight(r), RectHeight(b.SkinRect)) << name;
      EXPECT_LE(r.Right, Data().ActivePicture(b.ActivePictureIndex)->Width()) << name;
    }
    EXPECT_TRUE(b.Morphing) << name;
  }
}

TEST_P(DefaultSkin, HasARecordForEveryControlType) {
  const std::set<std::string> expected = {
      "TbsDataSkinPanelControl",      "TbsDataSkinExPanelControl",   "TbsDataSkinMenuButtonControl",
      "TbsDataSkinButtonControl",     "TbsDataSkinCheckRadioControl", "TbsDataSkinGaugeControl",
      "TbsDataSkinSplitterControl",   "TbsDataSkinTrackBarControl",  "TbsDataSkinLabelControl",
      "TbsDataSkinStdLabelControl",   "TbsDataSkinUpDownControl",    "TbsDataSkinGridControl",
      "TbsDataSkinTabControl",        "TbsDataSkinMainMenuBar",      "TbsDataSkinControlBar",
      "TbsDataSkinMemoControl",       "TbsDataSkinEditControl",      "TbsDataSkinCheckListBox",
      "TbsDataSkinListBox",           "TbsDataSkinComboBox",         "TbsDataSkinScrollBarControl",
      "TbsDataSkinSpinEditControl",   "TbsDataSkinScrollBoxControl", "TbsDataSkinTreeView",
      "TbsDataSkinBevel",             "TbsDataSkinSlider",           "TbsDataSkinListView",
      "TbsDataSkinRichEdit"};
  std::set<std::string> found;
  for (const auto& record : Data().ControlRecords) found.insert(record->ClassName());
  EXPECT_EQ(found, expected);
  // Every record's picture pieces lie inside its picture.
  for (const auto& record : Data().ControlRecords) {
    if (record->PictureIndex < 0) continue;
    const TBitmap* picture = Data().ActivePicture(record->PictureIndex);
    ASSERT_NE(picture, nullptr) << record->IDName;
    EXPECT_LE(record->SkinRect.Right, picture->Width()) << record->IDName;
    EXPECT_LE(record->SkinRect.Bottom, picture->Height()) << record->IDName;
  }
}

TEST_P(DefaultSkin, PanelHasTheStatedGeometry) {
  const auto& panel = Control<TbsDataSkinPanelControl>("panel");
  EXPECT_EQ(panel.SkinRect, (TRect{307, 21, 374, 70}));
  EXPECT_EQ(panel.LeftTopPoint, (TPoint{2, 2}));
  EXPECT_EQ(panel.RightBottomPoint, (TPoint{63, 45}));
  EXPECT_EQ(panel.ClientRect, (TRect{1, 1, 66, 48}));
  EXPECT_TRUE(IsEmptyRect(panel.CaptionRect));
  EXPECT_EQ(Kind(panel), 1);
}

TEST_P(DefaultSkin, EditHasTheStatedValues) {
  const auto& edit = Control<TbsDataSkinEditControl>("edit");
  EXPECT_EQ(edit.PictureIndex, 3);
  EXPECT_EQ(edit.SkinRect, (TRect{84, 58, 108, 80}));
  EXPECT_EQ(edit.LeftTopPoint, (TPoint{4, 13}));
  EXPECT_EQ(edit.RightTopPoint, (TPoint{20, 12}));
  EXPECT_EQ(edit.ClientRect, (TRect{2, 2, 22, 20}));
  EXPECT_EQ(edit.ActiveSkinRect, (TRect{110, 58, 134, 80}));
  EXPECT_EQ(edit.FontName, "Arial");
  EXPECT_EQ(edit.FontHeight, 14);
  EXPECT_EQ(edit.FontColor, GetParam().Text);
  EXPECT_EQ(edit.ActiveFontColor, GetParam().Text);
  EXPECT_EQ(edit.DisabledFontColor, GetParam().Grey);
  for (const TRect& r : {edit.ButtonRect, edit.ActiveButtonRect, edit.DownButtonRect, edit.UnEnabledButtonRect})
    EXPECT_TRUE(IsEmptyRect(r));
  EXPECT_EQ(Kind(edit), 2);
}

TEST_P(DefaultSkin, ListBoxHasTheStatedValues) {
  const auto& list = Control<TbsDataSkinListBox>("listbox");
  EXPECT_EQ(list.PictureIndex, 3);
  EXPECT_EQ(list.SkinRect, (TRect{115, 154, 182, 218}));
  EXPECT_EQ(list.ClientRect, (TRect{1, 1, 66, 63}));
  EXPECT_EQ(list.ItemRect, (TRect{117, 156, 174, 175}));
  EXPECT_EQ(list.ActiveItemRect, (TRect{184, 154, 242, 173}));
  EXPECT_EQ(list.FocusItemRect, (TRect{184, 175, 242, 194}));
  EXPECT_EQ(list.ItemLeftOffset, 4);
  EXPECT_EQ(list.ItemRightOffset, 4);
  EXPECT_EQ(list.ItemTextRect, (TRect{2, 2, 55, 17}));
  EXPECT_EQ(list.FontName, "Arial");
  EXPECT_EQ(list.FontHeight, 14);
  EXPECT_EQ(list.FontColor, GetParam().Text);
  EXPECT_EQ(list.ActiveFontColor, GetParam().Text);
  EXPECT_EQ(list.FocusFontColor, GetParam().Text);
  EXPECT_TRUE(IsEmptyRect(list.CaptionRect));
  EXPECT_EQ(list.VScrollBarName, "vscrollbar");
  EXPECT_EQ(list.HScrollBarName, "hscrollbar");
  EXPECT_EQ(list.BothHScrollBarName, "bothhscrollbar");
  // The plain item is the list's own inside: one colour, like the client tile.
  const QImage& pic = ActiveImage(3);
  EXPECT_TRUE(ColumnsAlike(pic, 116, 155, 181, 217) && RowsAlike(pic, 116, 155, 181, 217));
}

TEST_P(DefaultSkin, ScrollBarsAreFourteenPixelsThickAndStretchOneWay) {
  const auto& v = Control<TbsDataSkinScrollBarControl>("vscrollbar");
  EXPECT_EQ(v.SkinRect, (TRect{252, 5, 266, 52}));
  EXPECT_EQ(RectWidth(v.SkinRect), 14);
  EXPECT_EQ(Kind(v), 3);
  EXPECT_EQ(v.LeftBottomPoint.Y, 30);
  EXPECT_EQ(v.UpButtonRect, (TRect{1, 34, 13, 46}));
  EXPECT_EQ(v.DownButtonRect, (TRect{1, 1, 13, 13}));
  EXPECT_EQ(v.DownUpButtonRect, (TRect{270, 5, 282, 17}));
  // The stretched run between the fixed ends tiles without a seam.
  EXPECT_TRUE(RowsAlike(ActiveImage(v.PictureIndex), v.SkinRect.Left, v.SkinRect.Top + v.LeftTopPoint.Y,
                        v.SkinRect.Right, v.SkinRect.Top + v.LeftBottomPoint.Y));
  for (const char* name : {"hscrollbar", "bothhscrollbar"}) {
    const auto& h = Control<TbsDataSkinScrollBarControl>(name);
    EXPECT_EQ(RectHeight(h.SkinRect), 14) << name;
    EXPECT_EQ(Kind(h), 2) << name;
    EXPECT_TRUE(ColumnsAlike(ActiveImage(h.PictureIndex), h.SkinRect.Left + h.LeftTopPoint.X, h.SkinRect.Top,
                             h.SkinRect.Left + h.RightTopPoint.X, h.SkinRect.Bottom))
        << name;
  }
}

TEST_P(DefaultSkin, ButtonsSplittersAndTextRecordsAreAsTheWindowNeedsThem) {
  const auto& button = Control<TbsDataSkinCustomControl>("button");
  EXPECT_EQ(RectHeight(button.SkinRect), 25);
  EXPECT_EQ(Kind(button), 2);
  const auto& resize = Control<TbsDataSkinCustomControl>("resizebutton");
  EXPECT_STREQ(resize.ClassName(), "TbsDataSkinButtonControl");
  EXPECT_EQ(Kind(resize), 1);
  const auto& vsplitter = Control<TbsDataSkinCustomControl>("vsplitter");
  EXPECT_EQ(RectWidth(vsplitter.SkinRect), 8);
  EXPECT_EQ(RectHeight(vsplitter.SkinRect), 19);
  EXPECT_STREQ(Control<TbsDataSkinCustomControl>("hsplitter").ClassName(), "TbsDataSkinSplitterControl");
  const auto& label = Control<TbsDataSkinStdLabelControl>("stdlabel");
  EXPECT_EQ(label.FontName, "Arial");
  EXPECT_EQ(label.FontHeight, 14);
  EXPECT_EQ(label.FontColor, GetParam().Text);
  EXPECT_EQ(label.ActiveFontColor, GetParam().LinkHot);
  const auto& tree = Control<TbsDataSkinTreeView>("treeview");
  EXPECT_EQ(tree.FontColor, GetParam().Text);
  EXPECT_EQ(tree.BGColor, GetParam().Field);
}

// Every one-way or two-way piece of every control record repeats only
// uniform runs, so it composes at any size without a seam.
TEST_P(DefaultSkin, EveryStretchingControlPieceTilesWithoutSeams) {
  for (const auto& record : Data().ControlRecords) {
    const auto* c = dynamic_cast<const TbsDataSkinCustomControl*>(record.get());
    if (c == nullptr || Data().ActivePicture(c->PictureIndex) == nullptr) continue;
    const QImage& pic = ActiveImage(c->PictureIndex);
    const TRect s = c->SkinRect;
    const TPoint lt = c->LeftTopPoint, rt = c->RightTopPoint, lb = c->LeftBottomPoint, rb = c->RightBottomPoint;
    const TRect cr = c->ClientRect;
    switch (Kind(*c)) {
      case 1:
        EXPECT_TRUE(ColumnsAlike(pic, s.Left + lt.X, s.Top, s.Left + rt.X, s.Top + cr.Top)) << c->IDName;
        EXPECT_TRUE(ColumnsAlike(pic, s.Left + lb.X, s.Top + cr.Bottom, s.Left + rb.X, s.Bottom)) << c->IDName;
        EXPECT_TRUE(RowsAlike(pic, s.Left, s.Top + lt.Y, s.Left + cr.Left, s.Top + lb.Y)) << c->IDName;
        EXPECT_TRUE(RowsAlike(pic, s.Left + cr.Right, s.Top + rt.Y, s.Right, s.Top + rb.Y)) << c->IDName;
        EXPECT_TRUE(ColumnsAlike(pic, s.Left + cr.Left, s.Top + cr.Top, s.Left + cr.Right, s.Top + cr.Bottom) &&
                    RowsAlike(pic, s.Left + cr.Left, s.Top + cr.Top, s.Left + cr.Right, s.Top + cr.Bottom))
            << c->IDName;
        break;
      case 2:
        EXPECT_TRUE(ColumnsAlike(pic, s.Left + lt.X, s.Top, s.Left + rt.X, s.Bottom)) << c->IDName;
        break;
      case 3:
        EXPECT_TRUE(RowsAlike(pic, s.Left, s.Top + lt.Y, s.Right, s.Top + lb.Y)) << c->IDName;
        break;
      default:
        break;
    }
  }
}

TEST_P(DefaultSkin, HintAndPopupWindowsHaveTheirPictures) {
  const auto& hint = Data().HintWindowRecord;
  EXPECT_EQ(hint.WindowPictureIndex, 4);
  EXPECT_EQ(hint.MaskPictureIndex, -1);
  EXPECT_EQ(hint.ClientRect, (TRect{7, 2, 27, 13}));
  EXPECT_EQ(hint.FontName, "Arial");
  EXPECT_EQ(hint.FontHeight, 14);
  EXPECT_EQ(hint.FontColor, GetParam().Text);
  const auto& popup = Data().PopupWindowRecord;
  ASSERT_NE(Data().ActivePicture(popup.WindowPictureIndex), nullptr);
  EXPECT_NE(popup.WindowPictureIndex, hint.WindowPictureIndex);
  EXPECT_FALSE(IsEmptyRect(popup.ItemsRect));
}

INSTANTIATE_TEST_SUITE_P(Skins, DefaultSkin, ::testing::ValuesIn(kSkinCases),
                         [](const ::testing::TestParamInfo<TSkinCase>& info) { return std::string(info.param.Name); });

}  // namespace
