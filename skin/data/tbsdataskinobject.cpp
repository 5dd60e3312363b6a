// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinobject.h"

void TbsDataSkinObject::LoadFromDescription(const TbsSkinDescription& description) {
  auto filer = TbsSkinSectionFiler::Reader(description, IDName);
  Exchange(filer);
}

void TbsDataSkinObject::SaveToDescription(TbsSkinDescription& description) const {
  auto filer = TbsSkinSectionFiler::Writer(description, IDName);
  // Writing only reads the fields, so the shared key list may take them by reference.
  const_cast<TbsDataSkinObject*>(this)->Exchange(filer);
}

void TbsDataSkinObject::Exchange(TbsSkinSectionFiler& filer) {
  filer.Text("hint", Hint, "");
  filer.Integer("activepictureindex", ActivePictureIndex, -1);
  filer.Boolean("skinrectinapicture", SkinRectInAPicture, false);
  filer.Rect("skinrect", SkinRect, {0, 0, 0, 0});
  filer.Rect("activeskinrect", ActiveSkinRect, {0, 0, 0, 0});
  filer.Rect("inactiveskinrect", InActiveSkinRect, {0, 0, 0, 0});
  filer.Boolean("morphing", Morphing, false);
  filer.MorphKind("morphkind", MorphKind, mkDefault);
}
