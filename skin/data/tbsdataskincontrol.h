// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skin record of a control: one section of the skin description, read
// into typed fields. Skinned controls find it by `IDName` and check its class.

#include <string>

#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinsectionfiler.h"

class TbsDataSkinControl {
 public:
  explicit TbsDataSkinControl(std::string idName) : IDName(std::move(idName)) {}
  virtual ~TbsDataSkinControl() = default;
  TbsDataSkinControl(const TbsDataSkinControl&) = delete;
  TbsDataSkinControl& operator=(const TbsDataSkinControl&) = delete;

  virtual const char* ClassName() const { return "TbsDataSkinControl"; }
  // Reads the section `IDName`; every field takes its key or the key's default.
  virtual void LoadFromDescription(const TbsSkinDescription& description);
  // Writes every key into the section `IDName`, in reading order.
  virtual void SaveToDescription(TbsSkinDescription& description) const;

  std::string IDName;
  int PictureIndex = -1;
  int MaskPictureIndex = -1;
  TRect SkinRect;

 protected:
  // Lists the keys of the class, base keys first; reads or writes them.
  virtual void Exchange(TbsSkinSectionFiler& filer);
};
