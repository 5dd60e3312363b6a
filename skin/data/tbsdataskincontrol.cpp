// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskincontrol.h"

void TbsDataSkinControl::LoadFromDescription(const TbsSkinDescription& description) {
  auto filer = TbsSkinSectionFiler::Reader(description, IDName);
  Exchange(filer);
}

void TbsDataSkinControl::SaveToDescription(TbsSkinDescription& description) const {
  auto filer = TbsSkinSectionFiler::Writer(description, IDName);
  // Writing only reads the fields, so the shared key list may take them by reference.
  const_cast<TbsDataSkinControl*>(this)->Exchange(filer);
}

void TbsDataSkinControl::Exchange(TbsSkinSectionFiler& filer) {
  filer.Integer("pictureindex", PictureIndex, -1);
  filer.Integer("maskpictureindex", MaskPictureIndex, -1);
  filer.Rect("skinrect", SkinRect, {0, 0, 0, 0});
}
