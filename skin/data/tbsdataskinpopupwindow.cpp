// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinpopupwindow.h"

namespace {
constexpr const char* kSection = "POPUPWINDOW";
}

void TbsDataSkinPopupWindow::LoadFromDescription(const TbsSkinDescription& description) {
  auto filer = TbsSkinSectionFiler::Reader(description, kSection);
  Exchange(filer);
}

void TbsDataSkinPopupWindow::SaveToDescription(TbsSkinDescription& description) const {
  auto filer = TbsSkinSectionFiler::Writer(description, kSection);
  const_cast<TbsDataSkinPopupWindow*>(this)->Exchange(filer);  // writing leaves the fields as they are
}

void TbsDataSkinPopupWindow::Exchange(TbsSkinSectionFiler& filer) {
  filer.Integer("windowpictureindex", WindowPictureIndex, -1);
  filer.Integer("maskpictureindex", MaskPictureIndex, -1);
  filer.Point("lefttoppoint", LeftTopPoint, {0, 0});
  filer.Point("righttoppoint", RightTopPoint, {0, 0});
  filer.Point("leftbottompoint", LeftBottomPoint, {0, 0});
  filer.Point("rightbottompoint", RightBottomPoint, {0, 0});
  filer.Rect("itemsrect", ItemsRect, {0, 0, 0, 0});
  filer.Color("scrollmarkercolor", ScrollMarkerColor, 0);
  filer.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor, 0);
  filer.Boolean("leftstretch", LeftStretch, false);
  filer.Boolean("rightstretch", RightStretch, false);
  filer.Boolean("topstretch", TopStretch, false);
  filer.Boolean("bottomstretch", BottomStretch, false);
}
