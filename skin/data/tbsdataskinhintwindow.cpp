// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinhintwindow.h"

namespace {
constexpr const char* kSection = "HINTWINDOW";
}

void TbsDataSkinHintWindow::LoadFromDescription(const TbsSkinDescription& description) {
  auto filer = TbsSkinSectionFiler::Reader(description, kSection);
  Exchange(filer);
}

void TbsDataSkinHintWindow::SaveToDescription(TbsSkinDescription& description) const {
  auto filer = TbsSkinSectionFiler::Writer(description, kSection);
  const_cast<TbsDataSkinHintWindow*>(this)->Exchange(filer);  // writing leaves the fields as they are
}

void TbsDataSkinHintWindow::Exchange(TbsSkinSectionFiler& filer) {
  filer.Integer("windowpictureindex", WindowPictureIndex, -1);
  filer.Integer("maskpictureindex", MaskPictureIndex, -1);
  filer.Point("lefttoppoint", LeftTopPoint, {0, 0});
  filer.Point("righttoppoint", RightTopPoint, {0, 0});
  filer.Point("leftbottompoint", LeftBottomPoint, {0, 0});
  filer.Point("rightbottompoint", RightBottomPoint, {0, 0});
  filer.Rect("clientrect", ClientRect, {0, 0, 0, 0});
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Boolean("leftstretch", LeftStretch, false);
  filer.Boolean("rightstretch", RightStretch, false);
  filer.Boolean("topstretch", TopStretch, false);
  filer.Boolean("bottomstretch", BottomStretch, false);
}
