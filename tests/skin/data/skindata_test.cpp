// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "framework/sysutils.h"
#include "noticelog.h"
#include "skin/data/tbsdataskinanimate.h"
#include "skin/data/tbsdataskinbuttoncontrol.h"
#include "skin/data/tbsdataskincaption.h"
#include "skin/data/tbsdataskineditcontrol.h"
#include "skin/data/tbsdataskinlistbox.h"
#include "skin/data/tbsdataskinmainmenubaritem.h"
#include "skin/data/tbsdataskinmenuitem.h"
#include "skin/data/tbsdataskinpanelcontrol.h"
#include "skin/data/tbsdataskinscrollbarcontrol.h"
#include "skin/data/tbsdataskinsplittercontrol.h"
#include "skin/data/tbsdataskinstdbutton.h"
#include "skin/data/tbsdataskinstdlabelcontrol.h"
#include "skin/data/tbsdataskintreeview.h"
#include "skin/data/tbsdataskinupdowncontrol.h"
#include "skin/data/tbsdatauserobject.h"
#include "skinbytes.h"

namespace {

using namespace skinbytes;

// Loads a description (no pictures) the way a stored skin is loaded.
void Load(TbsSkinData& data, const std::string& text) {
  Package p;
  p.Text = text;
  const Bytes b = p.Build();
  data.LoadFromPackage(b.data(), b.size());
}

template <class R>
const R& Control(const TbsSkinData& data, const std::string& name) {
  const int i = data.FindControlRecord(name);
  EXPECT_GE(i, 0) << name;
  const auto* r = dynamic_cast<const R*>(data.ControlRecords.at(size_t(i)).get());
  EXPECT_TRUE(r) << name << " has the wrong class";
  return *r;
}

template <class R>
const R& Object(const TbsSkinData& data, const std::string& name) {
  const int i = data.FindObjectRecord(name);
  EXPECT_GE(i, 0) << name;
  const auto* r = dynamic_cast<const R*>(data.ObjectRecords.at(size_t(i)).get());
  EXPECT_TRUE(r) << name << " has the wrong class";
  return *r;
}

const char* kControls = R"(
[SKINCONTROLS]
count=12
0=resizebutton:button
1=panel:panel
2=edit:edit
3=listbox:listbox
4=vscrollbar:scrollbar
5=hscrollbar:scrollbar
6=vsplitter:splitter
7=stdlabel:stdlabel
8=updown:updown
9=treeview:treeview
10=odd:nosuchtype
11=panel:label
[resizebutton]
pictureindex=2
skinrect=10,20,30,40
lefttoppoint=3,3
clientrect=2,2,18,18
fontname=Tahoma
fontstyle=fsbold,fsunderline
activefontcolor=$FF
morphing=1
morphkind=mkleftslide
[PANEL]
bgpictureindex=4
alignment=taleftjustify
[edit]
activeskinrect=1,1,2,2
disabledfontcolor=128
[listbox]
itemtextrect=4,0,60,16
captionfontheight=11
[vscrollbar]
upbuttonrect=1,34,13,46
thumboffset2=6
[hscrollbar]
thumboffset2=9
[vsplitter]
pictureindex=0
skinrect=5,5,9,60
[stdlabel]
fontcolor=255
[updown]
lefttoppoint=4,4
rightbottompoint=9,9
clientrect=1,1,8,8
upbuttonrect=0,0,10,10
[treeview]
bgcolor=16777215
)";

TEST(SkinRecords, ControlRecordsReadTheirKeysAndDefaults) {
  TbsSkinData data;
  Load(data, kControls);
  ASSERT_EQ(data.ControlRecords.size(), 11u) << "the unknown type is skipped, the rest still load";

  const auto& b = Control<TbsDataSkinButtonControl>(data, "resizebutton");
  EXPECT_EQ(b.PictureIndex, 2);
  EXPECT_EQ(b.MaskPictureIndex, -1);
  EXPECT_EQ(b.SkinRect, Rect(10, 20, 30, 40));
  EXPECT_EQ(b.LeftTopPoint, Point(3, 3));
  EXPECT_EQ(b.RightBottomPoint, Point(0, 0));
  EXPECT_EQ(b.ClientRect, Rect(2, 2, 18, 18));
  EXPECT_EQ(b.FontName, "Tahoma");
  EXPECT_EQ(b.FontHeight, 14);
  EXPECT_EQ(b.FontStyle, TFontStyles(fsBold | fsUnderline));
  EXPECT_EQ(b.ActiveFontColor, 255);
  EXPECT_TRUE(b.Morphing);
  EXPECT_EQ(b.MorphKind, mkLeftSlide);

  const auto& panel = Control<TbsDataSkinPanelControl>(data, "panel");
  EXPECT_EQ(panel.BGPictureIndex, 4) << "a section written [PANEL] belongs to the record panel";
  EXPECT_EQ(panel.Alignment, taLeftJustify);
  EXPECT_EQ(panel.PictureIndex, -1);

  const auto& edit = Control<TbsDataSkinEditControl>(data, "edit");
  EXPECT_EQ(edit.ActiveSkinRect, Rect(1, 1, 2, 2));
  EXPECT_EQ(edit.DisabledFontColor, 128);
  EXPECT_EQ(edit.FontName, "Arial");

  const auto& list = Control<TbsDataSkinListBox>(data, "listbox");
  EXPECT_EQ(list.ItemTextRect, Rect(4, 0, 60, 16));
  EXPECT_EQ(list.CaptionFontHeight, 11);
  EXPECT_EQ(list.VScrollBarName, "vscrollbar");
  EXPECT_EQ(list.HScrollBarName, "hscrollbar");
  EXPECT_EQ(list.BothHScrollBarName, "bothhscrollbar");

  const auto& v = Control<TbsDataSkinScrollBarControl>(data, "vscrollbar");
  const auto& h = Control<TbsDataSkinScrollBarControl>(data, "hscrollbar");
  EXPECT_EQ(v.UpButtonRect, Rect(1, 34, 13, 46));
  EXPECT_EQ(v.ThumbOffset2, 6);
  EXPECT_EQ(h.ThumbOffset2, 9) << "two records of one type are independent";
  EXPECT_EQ(h.UpButtonRect, Rect(0, 0, 0, 0));

  const auto& splitter = Control<TbsDataSkinSplitterControl>(data, "vsplitter");
  EXPECT_EQ(splitter.SkinRect, Rect(5, 5, 9, 60));
  EXPECT_EQ(splitter.LeftTopPoint, Point(0, 0));

  const auto& label = Control<TbsDataSkinStdLabelControl>(data, "stdlabel");
  EXPECT_EQ(label.FontColor, 255);
  EXPECT_EQ(label.ActiveFontColor, 16711680) << "blue unless the skin says otherwise";

  const auto& updown = Control<TbsDataSkinUpDownControl>(data, "updown");
  EXPECT_EQ(updown.LeftTopPoint, Point(0, 0));
  EXPECT_EQ(updown.RightBottomPoint, Point(0, 0));
  EXPECT_EQ(updown.ClientRect, Rect(0, 0, 0, 0));
  EXPECT_EQ(updown.UpButtonRect, Rect(0, 0, 10, 10));

  EXPECT_EQ(Control<TbsDataSkinTreeView>(data, "treeview").BGColor, 16777215);
}

TEST(SkinRecords, LookupIsExactCaseSensitiveAndFirstMatchWins) {
  TbsSkinData data;
  Load(data, kControls);
  EXPECT_EQ(data.FindControlRecord("panel"), 1);
  EXPECT_NE(dynamic_cast<TbsDataSkinPanelControl*>(data.ControlRecords[1].get()), nullptr);
  EXPECT_EQ(data.ControlRecords.back()->IDName, "panel") << "the duplicate name still gives a record";
  EXPECT_EQ(data.FindControlRecord("Panel"), -1);
  EXPECT_EQ(data.FindControlRecord("odd"), -1);
  EXPECT_EQ(data.FindObjectRecord("panel"), -1);
}

TEST(SkinRecords, ObjectRecordsReadTheirKeysAndQuirks) {
  TbsSkinData data;
  Load(data, R"(
[SKINOBJECTS]
count=8
0=closebutton:stdbutton
1=trayish:stdbutton
2=plain:stdbutton
3=anim:animate
4=place:userobject
5=caption1:caption
6=MENUITEM:menuitem
7=mainmenubaritem:mainmenubaritem
[closebutton]
hint=Close
command=cmclose
activepictureindex=3
skinrectinapicture=1
disableskinrsect=1,2,3,4
restorerect=5,6,7,8
[trayish]
command=cmMinimize
[anim]
morphing=1
countframes=6
[place]
skinrect=1,1,9,9
activeskinrect=2,2,3,3
hint=ignored
[caption1]
textrect=0,0,100,20
shadow=1
alignment=nonsense
[MENUITEM]
dividerrightoffset=3
[mainmenubaritem]
unenabledfontcolor=77
)");
  const auto& close = Object<TbsDataSkinStdButton>(data, "closebutton");
  EXPECT_EQ(close.Hint, "Close");
  EXPECT_EQ(close.Command, cmClose);
  EXPECT_EQ(close.ActivePictureIndex, 3);
  EXPECT_TRUE(close.SkinRectInAPicture);
  EXPECT_EQ(close.DisableSkinRect, Rect(1, 2, 3, 4));
  EXPECT_EQ(close.RestoreRect, Rect(5, 6, 7, 8));
  EXPECT_EQ(Object<TbsDataSkinStdButton>(data, "trayish").Command, cmMinimizeToTray);
  EXPECT_EQ(Object<TbsDataSkinStdButton>(data, "plain").Command, cmDefault);

  const auto& anim = Object<TbsDataSkinAnimate>(data, "anim");
  EXPECT_FALSE(anim.Morphing);
  EXPECT_EQ(anim.CountFrames, 6);
  EXPECT_EQ(anim.TimerInterval, 50);
  EXPECT_EQ(anim.Command, cmDefault);

  const auto& place = Object<TbsDataUserObject>(data, "place");
  EXPECT_EQ(place.SkinRect, Rect(1, 1, 9, 9));
  EXPECT_EQ(place.ActiveSkinRect, Rect(0, 0, 0, 0));
  EXPECT_EQ(place.Hint, "");
  EXPECT_EQ(place.ActivePictureIndex, -1);

  const auto& caption = Object<TbsDataSkinCaption>(data, "caption1");
  EXPECT_EQ(caption.TextRect, Rect(0, 0, 100, 20));
  EXPECT_TRUE(caption.Shadow);
  EXPECT_EQ(caption.Alignment, taRightJustify);
  EXPECT_EQ(caption.FontHeight, 14);

  EXPECT_EQ(Object<TbsDataSkinMenuItem>(data, "MENUITEM").DividerRightOffset, 3);
  EXPECT_EQ(Object<TbsDataSkinMainMenuBarItem>(data, "mainmenubaritem").UnEnabledFontColor, 77);
}

TEST(FormInfo, WithoutAMaskNothingIsAdjustedWhenCornersLieOnTheClientArea) {
  TbsSkinData data;
  Load(data, R"(
[PICTURES]
picture=main.bmp
[FORMINFO]
lefttoppoint=8,26
righttoppoint=168,26
leftbottompoint=8,116
rightbottompoint=168,116
clientrect=8,26,168,116
hittestlefttoppoint=0,3
inactiveeffect=iedarkness
[POPUPWINDOW]
windowpictureindex=1
itemsrect=3,3,50,50
[HINTWINDOW]
fontcolor=255
)");
  EXPECT_EQ(data.LeftTopPoint, Point(8, 26));
  EXPECT_EQ(data.RightBottomPoint, Point(168, 116));
  EXPECT_EQ(data.HitTestLeftTopPoint, Point(0, 3));
  EXPECT_EQ(data.MaskRectArea, Rect(0, 0, 0, 0));
  EXPECT_EQ(data.BGPictureIndex, -1);
  EXPECT_EQ(data.InactiveEffect, ieDarkness);
  EXPECT_EQ(data.PopupWindowRecord.WindowPictureIndex, 1);
  EXPECT_EQ(data.PopupWindowRecord.ItemsRect, Rect(3, 3, 50, 50));
  EXPECT_EQ(data.HintWindowRecord.FontHeight, 14);
  EXPECT_EQ(data.HintWindowRecord.FontColor, 255);
  EXPECT_EQ(data.HintWindowRecord.WindowPictureIndex, -1);
}

TEST(FormInfo, AMaskGrowsTheMaskAreaFillsHitPointsAndCornersArePulledOntoTheClientArea) {
  TbsSkinData data;
  Load(data, R"(
[PICTURES]
mask=mask.bmp
[FORMINFO]
lefttoppoint=2,30
righttoppoint=190,20
leftbottompoint=4,150
rightbottompoint=170,110
clientrect=10,25,160,120
maskrectarea=20,5,100,200
hittestlefttoppoint=0,7
hittestrighttoppoint=5,6
)");
  EXPECT_EQ(data.MaskRectArea, Rect(10, 5, 160, 200));
  EXPECT_EQ(data.HitTestLeftTopPoint, Point(2, 30)) << "a zero coordinate takes the corner point";
  EXPECT_EQ(data.HitTestRightTopPoint, Point(5, 6));
  EXPECT_EQ(data.HitTestLeftBottomPoint, Point(4, 150));
  EXPECT_EQ(data.LeftTopPoint, Point(10, 30));
  EXPECT_EQ(data.RightTopPoint, Point(160, 25));
  EXPECT_EQ(data.LeftBottomPoint, Point(10, 120));
  EXPECT_EQ(data.RightBottomPoint, Point(160, 110));

  TbsSkinData empty;
  Load(empty, "[PICTURES]\nmask=m.bmp\n[FORMINFO]\nclientrect=1,2,3,4\n");
  EXPECT_EQ(empty.MaskRectArea, Rect(1, 2, 3, 4)) << "an empty mask area becomes the client area";
  EXPECT_EQ(empty.LeftTopPoint, Point(0, 0)) << "a skin without corner points is left alone";
}

TEST(SkinLoad, ABadRectangleStopsTheLoadKeepingTheRecordsReadSoFar) {
  std::vector<Notice> log;
  auto form = std::make_unique<RecordingForm>("owner", log);
  auto* data = new TbsSkinData(form.get());
  try {
    Load(*data, "[SKINCONTROLS]\ncount=3\n0=a:panel\n1=b:panel\n2=c:panel\n[b]\nskinrect=1,,2,3\n");
    FAIL() << "loaded a rectangle with an empty field";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  EXPECT_FALSE(data->HasSkin());
  ASSERT_EQ(data->ControlRecords.size(), 2u);
  EXPECT_EQ(data->ControlRecords[1]->IDName, "b");
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Msg, SkinMsgBeforeChange);
}

TEST(SkinNotices, OwnerFormHearsFirstThenEveryOtherFormInCreationOrder) {
  std::vector<Notice> log;
  auto first = std::make_unique<RecordingForm>("first", log);
  auto owner = std::make_unique<RecordingForm>("owner", log);
  auto* data = new TbsSkinData(owner.get());
  Load(*data, "");
  const auto w = reinterpret_cast<intptr_t>(data);
  EXPECT_EQ(log, (std::vector<Notice>{
                     {"owner", SkinMsgBeforeChange, w, 1000, false}, {"first", SkinMsgBeforeChange, w, 1000, false},
                     {"owner", SkinMsgChange, w, 1000, true}, {"first", SkinMsgChange, w, 1000, true},
                     {"owner", SkinMsgAfterChange, w, 1000, true}, {"first", SkinMsgAfterChange, w, 1000, true}}));

  // Not owned by a form: every form in order.
  log.clear();
  TbsSkinData loose;
  loose.SendSkinMessage(SkinMsgChange);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].Form, "first");
  EXPECT_EQ(log[1].Form, "owner");
}

TEST(ResourceStrings, AttachingSendsTheStringsNoticeAndReferencesClearThemselves) {
  std::vector<Notice> log;
  auto owner = std::make_unique<RecordingForm>("owner", log);
  auto* data = new TbsSkinData(owner.get());
  EXPECT_EQ(data->Text("MI_ROLLUPCAPTION"), "Ro&llUp");
  auto strings = std::make_unique<TbsResourceStrData>();
  EXPECT_EQ(strings->ResStrings().Count(), 73);
  EXPECT_EQ(strings->CharSet(), 1);
  EXPECT_EQ(strings->ResStrings()[2], "MI_CLOSECAPTION=&Close");
  EXPECT_EQ(strings->LookupText("msg_btn_yes"), "&Yes");
  EXPECT_EQ(strings->LookupText("NOSUCH"), "");

  data->SetResourceStrData(strings.get());
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Msg, SkinMsgStringsChange);
  data->SetResourceStrData(strings.get());
  EXPECT_EQ(log.size(), 1u) << "setting the same table again sends nothing";

  strings->SetResStrings(TStringList{"MI_ROLLUPCAPTION=Roll=up"});
  EXPECT_EQ(data->Text("MI_ROLLUPCAPTION"), "Roll=up");
  strings.reset();  // the reference must clear itself when the table goes
  EXPECT_EQ(data->ResourceStrData(), nullptr);
  EXPECT_EQ(data->Text("MI_ROLLUPCAPTION"), "Ro&llUp");

  auto stored = std::make_unique<TbsCompressedStoredSkin>();
  data->SetCompressedStoredSkin(stored.get());
  stored.reset();
  EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
}

}  // namespace
