// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A skin as the generator builds it: pictures, the global values and the
// object and control records, written out as a skin folder (skin.ini and its
// BMP files). The records write their own sections, so every key in the
// description is one that the program reads, spelt as it reads it.

#include <QImage>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/data/tbsdataskincontrol.h"
#include "skin/data/tbsdataskinobject.h"
#include "skin/data/tbsskindata.h"

class TGeneratedSkin {
 public:
  TGeneratedSkin();

  // [VERSION], [PICTURES] names, [FORMINFO], [POPUPWINDOW], [HINTWINDOW].
  TbsSkinData Globals;
  QImage Picture, InactivePicture, Mask;  // null: none
  std::vector<QImage> ActivePictures;      // named by Globals.ActivePicturesNames

  // Adds a picture to the active list and returns its index.
  int AddActivePicture(const std::string& fileName, QImage image);

  // A new record under `name` of the description type `type`, with every
  // field at its key's default.
  template <class Record>
  Record& AddObject(const std::string& name, const std::string& type) {
    auto record = std::make_unique<Record>(name);
    Record& result = *record;
    InitDefaults(result);
    FObjects.emplace_back(type, std::move(record));
    return result;
  }
  template <class Record>
  Record& AddControl(const std::string& name, const std::string& type) {
    auto record = std::make_unique<Record>(name);
    Record& result = *record;
    InitDefaults(result);
    FControls.emplace_back(type, std::move(record));
    return result;
  }
  TbsDataSkinObject* FindObject(const std::string& name) const;
  TbsDataSkinControl* FindControl(const std::string& name) const;
  void RemoveObject(const std::string& name);

  // The description text, CR LF lines, starting with a note on its origin.
  std::string DescriptionText() const;
  // Writes skin.ini and the pictures into `folder`, creating it.
  void Write(const std::string& folder) const;

 private:
  template <class Record>
  static void InitDefaults(Record& record) {
    const TbsSkinDescription empty;
    record.LoadFromDescription(empty);
  }

  std::vector<std::pair<std::string, std::unique_ptr<TbsDataSkinObject>>> FObjects;
  std::vector<std::pair<std::string, std::unique_ptr<TbsDataSkinControl>>> FControls;
};
