// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skin record of a frame object (caption, caption button, animation,
// menu item look): one section of the skin description in typed fields. The
// frame builds its live objects from these.

#include <string>

#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinsectionfiler.h"

class TbsDataSkinObject {
 public:
  explicit TbsDataSkinObject(std::string idName) : IDName(std::move(idName)) {}
  virtual ~TbsDataSkinObject() = default;
  TbsDataSkinObject(const TbsDataSkinObject&) = delete;
  TbsDataSkinObject& operator=(const TbsDataSkinObject&) = delete;

  virtual const char* ClassName() const { return "TbsDataSkinObject"; }
  // Reads the section `IDName`; every field takes its key or the key's default.
  virtual void LoadFromDescription(const TbsSkinDescription& description);
  // Writes every key into the section `IDName`, in reading order.
  virtual void SaveToDescription(TbsSkinDescription& description) const;

  std::string IDName;
  std::string Hint;
  int ActivePictureIndex = -1;
  bool SkinRectInAPicture = false;
  TRect SkinRect;
  TRect ActiveSkinRect;
  TRect InActiveSkinRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;

 protected:
  // Lists the keys of the class, base keys first; reads or writes them.
  virtual void Exchange(TbsSkinSectionFiler& filer);
};
