// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsskindata.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

#include "framework/sysutils.h"
#include "framework/tform.h"
#include "framework/tmessage.h"
#include "skin/data/tbsdataskinanimate.h"
#include "skin/data/tbsdataskinbevel.h"
#include "skin/data/tbsdataskinbutton.h"
#include "skin/data/tbsdataskinbuttoncontrol.h"
#include "skin/data/tbsdataskincaption.h"
#include "skin/data/tbsdataskinchecklistbox.h"
#include "skin/data/tbsdataskincheckradiocontrol.h"
#include "skin/data/tbsdataskincombobox.h"
#include "skin/data/tbsdataskincontrol.h"
#include "skin/data/tbsdataskincontrolbar.h"
#include "skin/data/tbsdataskincustomcontrol.h"
#include "skin/data/tbsdataskineditcontrol.h"
#include "skin/data/tbsdataskinexpanelcontrol.h"
#include "skin/data/tbsdataskingaugecontrol.h"
#include "skin/data/tbsdataskingridcontrol.h"
#include "skin/data/tbsdataskinhintwindow.h"
#include "skin/data/tbsdataskinlabelcontrol.h"
#include "skin/data/tbsdataskinlistbox.h"
#include "skin/data/tbsdataskinlistview.h"
#include "skin/data/tbsdataskinmainmenubar.h"
#include "skin/data/tbsdataskinmainmenubarbutton.h"
#include "skin/data/tbsdataskinmainmenubaritem.h"
#include "skin/data/tbsdataskinmainmenuitem.h"
#include "skin/data/tbsdataskinmemocontrol.h"
#include "skin/data/tbsdataskinmenubuttoncontrol.h"
#include "skin/data/tbsdataskinmenuitem.h"
#include "skin/data/tbsdataskinobject.h"
#include "skin/data/tbsdataskinpanelcontrol.h"
#include "skin/data/tbsdataskinpopupwindow.h"
#include "skin/data/tbsdataskinrichedit.h"
#include "skin/data/tbsdataskinscrollbarcontrol.h"
#include "skin/data/tbsdataskinscrollboxcontrol.h"
#include "skin/data/tbsdataskinslider.h"
#include "skin/data/tbsdataskinspineditcontrol.h"
#include "skin/data/tbsdataskinsplittercontrol.h"
#include "skin/data/tbsdataskinstdbutton.h"
#include "skin/data/tbsdataskinstdlabelcontrol.h"
#include "skin/data/tbsdataskintabcontrol.h"
#include "skin/data/tbsdataskintrackbarcontrol.h"
#include "skin/data/tbsdataskintreeview.h"
#include "skin/data/tbsdataskinupdowncontrol.h"
#include "skin/data/tbsdatauserobject.h"
#include "skin/data/tbsskinpackage.h"
#include "skin/data/tbsskinpackageprefetch.h"

namespace {

// Entries beyond this in [SKINOBJECTS] or [SKINCONTROLS] are taken as a
// damaged count; a real skin has a few dozen.
constexpr int kMaxRecordEntries = 65536;

template <class Base>
using RecordFactory = std::pair<const char*, std::function<std::unique_ptr<Base>(std::string)>>;

template <class Record, class Base>
RecordFactory<Base> Make(const char* type) {
  return {type, [](std::string name) -> std::unique_ptr<Base> { return std::make_unique<Record>(std::move(name)); }};
}

const std::vector<RecordFactory<TbsDataSkinObject>>& ObjectTypes() {
  static const std::vector<RecordFactory<TbsDataSkinObject>> types = {
      Make<TbsDataSkinMenuItem, TbsDataSkinObject>("menuitem"),
      Make<TbsDataSkinMainMenuBarItem, TbsDataSkinObject>("mainmenubaritem"),
      Make<TbsDataSkinStdButton, TbsDataSkinObject>("stdbutton"),
      Make<TbsDataSkinMainMenuBarButton, TbsDataSkinObject>("mainmenubarbutton"),
      Make<TbsDataSkinButton, TbsDataSkinObject>("button"),
      Make<TbsDataSkinCaption, TbsDataSkinObject>("caption"),
      Make<TbsDataSkinAnimate, TbsDataSkinObject>("animate"),
      Make<TbsDataUserObject, TbsDataSkinObject>("userobject"),
  };
  return types;
}

const std::vector<RecordFactory<TbsDataSkinControl>>& ControlTypes() {
  using C = TbsDataSkinControl;
  static const std::vector<RecordFactory<C>> types = {
      Make<TbsDataSkinPanelControl, C>("panel"),
      Make<TbsDataSkinExPanelControl, C>("expanel"),
      Make<TbsDataSkinMenuButtonControl, C>("menubutton"),
      Make<TbsDataSkinButtonControl, C>("button"),
      Make<TbsDataSkinCheckRadioControl, C>("checkradio"),
      Make<TbsDataSkinGaugeControl, C>("gauge"),
      Make<TbsDataSkinSplitterControl, C>("splitter"),
      Make<TbsDataSkinTrackBarControl, C>("trackbar"),
      Make<TbsDataSkinLabelControl, C>("label"),
      Make<TbsDataSkinStdLabelControl, C>("stdlabel"),
      Make<TbsDataSkinUpDownControl, C>("updown"),
      Make<TbsDataSkinGridControl, C>("grid"),
      Make<TbsDataSkinTabControl, C>("tab"),
      Make<TbsDataSkinMainMenuBar, C>("mainmenubar"),
      Make<TbsDataSkinControlBar, C>("controlbar"),
      Make<TbsDataSkinMemoControl, C>("memo"),
      Make<TbsDataSkinEditControl, C>("edit"),
      Make<TbsDataSkinCheckListBox, C>("checklistbox"),
      Make<TbsDataSkinListBox, C>("listbox"),
      Make<TbsDataSkinComboBox, C>("combobox"),
      Make<TbsDataSkinScrollBarControl, C>("scrollbar"),
      Make<TbsDataSkinSpinEditControl, C>("spinedit"),
      Make<TbsDataSkinScrollBoxControl, C>("scrollbox"),
      Make<TbsDataSkinTreeView, C>("treeview"),
      Make<TbsDataSkinBevel, C>("bevel"),
      Make<TbsDataSkinSlider, C>("slider"),
      Make<TbsDataSkinListView, C>("listview"),
      Make<TbsDataSkinRichEdit, C>("richedit"),
  };
  return types;
}

// Reads the "count" entries of a record list section; each entry is
// "name:type", the type compared exactly. A record is appended before it
// reads its section, so a record whose values stop the load stays listed.
template <class Base>
void ReadRecordList(const TbsSkinDescription& description, const char* section,
                    const std::vector<RecordFactory<Base>>& types, std::vector<std::unique_ptr<Base>>& records) {
  auto filer = TbsSkinSectionFiler::Reader(description, section);
  int count = 0;
  filer.Integer("count", count, 0);
  count = std::min(count, kMaxRecordEntries);
  for (int i = 0; i < count; ++i) {
    std::string entry;
    filer.Text(IntToStr(i).c_str(), entry, "");
    const size_t colon = entry.find(':');
    if (colon == std::string::npos) continue;  // no name and no type: no record
    const std::string type = entry.substr(colon + 1);
    const auto it = std::find_if(types.begin(), types.end(), [&](const auto& t) { return type == t.first; });
    if (it == types.end()) continue;
    records.push_back(it->second(entry.substr(0, colon)));
    records.back()->LoadFromDescription(description);
  }
}

template <class Base>
bool IsType(const std::vector<RecordFactory<Base>>& types, const std::string& type) {
  return std::any_of(types.begin(), types.end(), [&](const auto& t) { return type == t.first; });
}

template <class List>
int FindRecord(const List& records, const std::string& name) {
  for (size_t i = 0; i < records.size(); ++i)
    if (records[i]->IDName == name) return int(i);
  return -1;
}

}  // namespace

TbsSkinData::TbsSkinData(QObject* owner) : TComponent(owner) {}

TbsSkinData::~TbsSkinData() { FHasSkin = false; }

void TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* value) {
  if (FCompressedStoredSkin == value) return;
  FCompressedStoredSkin = value;
  if (value && !(ComponentState() & csDesigning)) LoadCompressedStoredSkin();
}

void TbsSkinData::SetResourceStrData(TbsResourceStrData* value) {
  if (FResourceStrData == value) return;
  FResourceStrData = value;
  if (!(ComponentState() & csDesigning)) SendSkinMessage(SkinMsgStringsChange);
}

void TbsSkinData::LoadCompressedStoredSkin() {
  if (!FCompressedStoredSkin || FCompressedStoredSkin->Empty()) return;
  BeginLoad();
  // The program may have decoded these very bytes ahead, on a worker thread.
  if (std::optional<TbsSkinPackage> ready = TbsSkinPackagePrefetch::Take(FCompressedStoredSkin->CompressedData())) {
    ApplyPackage(std::move(*ready));
    return;
  }
  std::vector<uint8_t> package;
  FCompressedStoredSkin->InflateInto(package);
  ReadPackage(package.data(), package.size());
}

void TbsSkinData::LoadFromPackage(const uint8_t* data, size_t size) {
  BeginLoad();
  ReadPackage(data, size);
}

void TbsSkinData::BeginLoad() {
  FHasSkin = false;
  SendSkinMessage(SkinMsgBeforeChange);
  ClearSkin();
}

void TbsSkinData::ReadPackage(const uint8_t* data, size_t size) { ApplyPackage(TbsSkinPackage::Read(data, size)); }

void TbsSkinData::ApplyPackage(TbsSkinPackage package) {
  if (package.Version > TbsSkinPackage::kVersion) return;  // refused: the skin data stays empty
  Picture.SetImage(package.Picture);
  InactivePicture.SetImage(package.InactivePicture);
  Mask.SetImage(package.Mask);
  for (const QImage& image : package.ActivePictures) ActivePictures.push_back(std::make_unique<TBitmap>(image));

  TbsSkinDescription description;
  if (package.Description) description = std::move(*package.Description);
  else description.LoadFromText(package.DescriptionText);
  if (FCompressedStoredSkin)  // names the file in an error about a value
    description.SetSourceName(!FCompressedStoredSkin->FileName().empty() ? FCompressedStoredSkin->FileName()
                                                                         : FCompressedStoredSkin->CompressedFileName());
  auto version = TbsSkinSectionFiler::Reader(description, "VERSION");
  auto pictures = TbsSkinSectionFiler::Reader(description, "PICTURES");
  ExchangeHeader(version, pictures);
  auto formInfo = TbsSkinSectionFiler::Reader(description, "FORMINFO");
  ExchangeFormInfo(formInfo);
  AdjustFormInfo();
  PopupWindowRecord.LoadFromDescription(description);
  HintWindowRecord.LoadFromDescription(description);
  ReadRecordList(description, "SKINOBJECTS", ObjectTypes(), ObjectRecords);
  ReadRecordList(description, "SKINCONTROLS", ControlTypes(), ControlRecords);

  FHasSkin = true;
  SendSkinMessage(SkinMsgChange);
  SendSkinMessage(SkinMsgAfterChange);
}

void TbsSkinData::ExchangeHeader(TbsSkinSectionFiler& version, TbsSkinSectionFiler& pictures) {
  version.Text("skinname", SkinName, "");
  version.Text("skinauthor", SkinAuthor, "");
  version.Text("authoremail", AuthorEmail, "");
  version.Text("authorurl", AuthorURL, "");
  version.Text("skincomments", SkinComments, "");
  pictures.Text("picture", PictureName, "");
  pictures.Text("inactivepicture", InactivePictureName, "");
  pictures.Text("mask", MaskName, "");
  pictures.List("activepictures", ActivePicturesNames);
}

void TbsSkinData::ExchangeFormInfo(TbsSkinSectionFiler& f) {
  f.Point("lefttoppoint", LeftTopPoint, {0, 0});
  f.Point("righttoppoint", RightTopPoint, {0, 0});
  f.Point("leftbottompoint", LeftBottomPoint, {0, 0});
  f.Point("rightbottompoint", RightBottomPoint, {0, 0});
  f.Rect("clientrect", ClientRect, {0, 0, 0, 0});
  f.Integer("bgpictureindex", BGPictureIndex, -1);
  f.Integer("mdibgpictureindex", MDIBGPictureIndex, -1);
  f.Boolean("leftstretch", LeftStretch, false);
  f.Boolean("rightstretch", RightStretch, false);
  f.Boolean("topstretch", TopStretch, false);
  f.Boolean("bottomstretch", BottomStretch, false);
  f.Rect("maskrectarea", MaskRectArea, {0, 0, 0, 0});
  f.Point("hittestlefttoppoint", HitTestLeftTopPoint, {0, 0});
  f.Point("hittestrighttoppoint", HitTestRightTopPoint, {0, 0});
  f.Point("hittestleftbottompoint", HitTestLeftBottomPoint, {0, 0});
  f.Point("hittestrightbottompoint", HitTestRightBottomPoint, {0, 0});
  f.Rect("buttonsrect", ButtonsRect, {0, 0, 0, 0});
  f.Rect("captionrect", CaptionRect, {0, 0, 0, 0});
  f.Integer("buttonsoffset", ButtonsOffset, 0);
  f.Boolean("buttonsinleft", ButtonsInLeft, false);
  f.Boolean("mainmenupopupup", MainMenuPopupUp, false);
  f.Integer("borderwidth", BorderWidth, 0);
  f.Boolean("autorenderinginactiveimage", AutoRenderingInactiveImage, false);
  f.ImageEffect("inactiveeffect", InactiveEffect, ieBrightness);
}

void TbsSkinData::AdjustFormInfo() {
  if (!MaskName.empty()) {
    // The shaped area must cover the client area; unset hit-test points
    // fall back to the frame's own corners.
    if (MaskRectArea.Width() < 1 || MaskRectArea.Height() < 1) {
      MaskRectArea = ClientRect;
    } else {
      MaskRectArea.Left = std::min(MaskRectArea.Left, ClientRect.Left);
      MaskRectArea.Top = std::min(MaskRectArea.Top, ClientRect.Top);
      MaskRectArea.Right = std::max(MaskRectArea.Right, ClientRect.Right);
      MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClientRect.Bottom);
    }
    const auto fill = [](TPoint& hit, const TPoint& corner) {
      if (hit.X == 0 || hit.Y == 0) hit = corner;
    };
    fill(HitTestLeftTopPoint, LeftTopPoint);
    fill(HitTestRightTopPoint, RightTopPoint);
    fill(HitTestLeftBottomPoint, LeftBottomPoint);
    fill(HitTestRightBottomPoint, RightBottomPoint);
  }
  // Corner points must not cut into the client area, or the stretched
  // middle would cover it; a skin without corner points is left alone.
  if (RightBottomPoint.X == LeftTopPoint.X || RightBottomPoint.Y == LeftTopPoint.Y) return;
  const TRect& c = ClientRect;
  LeftTopPoint = {std::max(LeftTopPoint.X, c.Left), std::max(LeftTopPoint.Y, c.Top)};
  RightTopPoint = {std::min(RightTopPoint.X, c.Right), std::max(RightTopPoint.Y, c.Top)};
  LeftBottomPoint = {std::max(LeftBottomPoint.X, c.Left), std::min(LeftBottomPoint.Y, c.Bottom)};
  RightBottomPoint = {std::min(RightBottomPoint.X, c.Right), std::min(RightBottomPoint.Y, c.Bottom)};
}

void TbsSkinData::ClearSkin() {
  ObjectRecords.clear();
  ControlRecords.clear();
  ActivePictures.clear();
  ActivePicturesNames.clear();
  PopupWindowRecord.WindowPictureIndex = -1;
  HintWindowRecord.WindowPictureIndex = -1;
  Picture.Clear();
  InactivePicture.Clear();
  Mask.Clear();
  PictureName.clear();
  MaskName.clear();
  FHasSkin = false;
}

bool TbsSkinData::IsObjectType(const std::string& type) { return IsType(ObjectTypes(), type); }

bool TbsSkinData::IsControlType(const std::string& type) { return IsType(ControlTypes(), type); }

int TbsSkinData::FindObjectRecord(const std::string& name) const { return FindRecord(ObjectRecords, name); }

int TbsSkinData::FindControlRecord(const std::string& name) const { return FindRecord(ControlRecords, name); }

TBitmap* TbsSkinData::ActivePicture(int index) const {
  if (index < 0 || size_t(index) >= ActivePictures.size()) return nullptr;
  return ActivePictures[size_t(index)].get();
}

std::string TbsSkinData::Text(const std::string& name) const {
  return FResourceStrData ? FResourceStrData->LookupText(name) : TbsResourceStrData::BuiltInText(name);
}

void TbsSkinData::SendSkinMessage(unsigned message) {
  // Receivers may close forms while handling a notice, so the list is taken
  // first and every form is checked again before it is sent to.
  std::vector<QPointer<TForm>> receivers;
  TForm* ownerForm = dynamic_cast<TForm*>(Owner());
  if (ownerForm) receivers.emplace_back(ownerForm);
  for (TForm* form : Screen().Forms())
    if (form != ownerForm) receivers.emplace_back(form);
  for (const QPointer<TForm>& form : receivers)
    if (form) SendMessage(form.data(), message, reinterpret_cast<intptr_t>(this), kNoticeLParam);
}

void TbsSkinData::SaveToDescription(TbsSkinDescription& description) const {
  auto* self = const_cast<TbsSkinData*>(this);  // writing leaves every field as it is
  auto version = TbsSkinSectionFiler::Writer(description, "VERSION");
  auto pictures = TbsSkinSectionFiler::Writer(description, "PICTURES");
  self->ExchangeHeader(version, pictures);
  auto formInfo = TbsSkinSectionFiler::Writer(description, "FORMINFO");
  self->ExchangeFormInfo(formInfo);
  PopupWindowRecord.SaveToDescription(description);
  HintWindowRecord.SaveToDescription(description);
}
