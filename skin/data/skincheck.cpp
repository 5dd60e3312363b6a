// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/skincheck.h"

#include <algorithm>
#include <map>
#include <set>

#include "framework/sysutils.h"
#include "skin/data/tbsdataskinbutton.h"
#include "skin/data/tbsdatauserobject.h"

namespace {

// The loader reads no more entries of a record list than this.
constexpr int kMaxRecordEntries = 65536;

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return text;
}

// Lower-case section -> lower-case keys that some reader takes from it.
using KeysRead = std::map<std::string, std::set<std::string>>;

void AddWritten(KeysRead& read, const TbsSkinDescription& written) {
  for (const std::string& section : written.SectionNames())
    for (const std::string& key : written.Keys(section)) read[Lower(section)].insert(Lower(key));
}

class Checker {
 public:
  Checker(const TbsSkinData& data, const TbsSkinDescription& description) : D(data), Desc(description) {}

  std::vector<std::string> Run() {
    if (Desc.HadByteOrderMark())
      Warn(Source() + ", line 1: a UTF-8 byte-order mark: read as if it were not there, but other skin editors may not");
    CheckList("SKINOBJECTS", "object", &TbsSkinData::IsObjectType);
    CheckList("SKINCONTROLS", "control", &TbsSkinData::IsControlType);
    CheckKeys();
    CheckPictureIndexes();
    CheckPieces();
    for (const std::string& name : MainWindowRecordNames())
      if (D.FindControlRecord(name) < 0)
        Warn(Source() + ": no control record \"" + name + "\": the main window's " + name +
             " shows its default look");
    return std::move(FWarnings);
  }

 private:
  std::string Source() const { return Desc.SourceName().empty() ? "skin description" : Desc.SourceName(); }
  void Warn(std::string text) { FWarnings.push_back(std::move(text)); }

  void CheckList(const char* section, const char* kind, bool (*isType)(const std::string&)) {
    const std::string* countText = Desc.Find(section, "count");
    const int count = countText ? StrToIntDef(*countText, 0) : 0;
    for (int i = 0; i < count && i < kMaxRecordEntries; ++i) {
      const std::string key = IntToStr(i);
      const std::string* entry = Desc.Find(section, key);
      if (!entry) {
        Warn(Desc.Where(section, "count") + ": entry " + key + " is missing, so no record is made for it");
        continue;
      }
      const size_t colon = entry->find(':');
      if (colon == std::string::npos) {
        Warn(Desc.Where(section, key) + ": not \"name:type\" (no colon), skipped");
        continue;
      }
      const std::string name = entry->substr(0, colon), type = entry->substr(colon + 1);
      if (!isType(type)) {
        Warn(Desc.Where(section, key) + ": \"" + type + "\" is no " + kind + " type (the type is matched exactly), skipped");
        continue;
      }
      // Section names are trimmed and cannot hold "]", so such a name never
      // finds its section and every key of the record takes its default.
      if (name.empty() || name != Trim(name) || name.find_first_of("[]") != std::string::npos) {
        Warn(Desc.Where(section, key) + ": the record name \"" + name + "\" cannot name a section");
        continue;
      }
      if (!Desc.SectionExists(name))
        Warn(Desc.Where(section, key) + ": there is no section [" + name + "], every key takes its default");
    }
  }

  void CheckKeys() {
    KeysRead read;
    TbsSkinDescription globals;
    D.SaveToDescription(globals);
    AddWritten(read, globals);
    for (const char* list : {"SKINOBJECTS", "SKINCONTROLS"}) {
      auto& keys = read[Lower(list)];
      keys.insert("count");
      const std::string* countText = Desc.Find(list, "count");
      const int count = countText ? StrToIntDef(*countText, 0) : 0;
      for (int i = 0; i < count && i < kMaxRecordEntries; ++i) keys.insert(IntToStr(i));
    }
    for (const auto& r : D.ObjectRecords) {
      TbsSkinDescription written;
      r->SaveToDescription(written);
      // A user object reads only its place, whatever else it writes.
      if (dynamic_cast<const TbsDataUserObject*>(r.get())) read[Lower(r->IDName)].insert("skinrect");
      else AddWritten(read, written);
      read[Lower(r->IDName)];
    }
    for (const auto& r : D.ControlRecords) {
      TbsSkinDescription written;
      r->SaveToDescription(written);
      AddWritten(read, written);
    }
    for (const std::string& section : Desc.SectionNames()) {
      const auto it = read.find(Lower(section));
      if (it == read.end()) {
        Warn(Source() + ": no record reads the section [" + section + "]");
        continue;
      }
      for (const std::string& key : Desc.Keys(section))
        if (!it->second.count(Lower(key))) Warn(Desc.Where(section, key) + ": no record of this kind reads this key");
    }
  }

  // Every key ending in "pictureindex", as the program holds it after reading.
  void CheckIndexesOf(const TbsSkinDescription& written) {
    const int pictures = int(D.ActivePictures.size());
    for (const std::string& section : written.SectionNames())
      for (const std::string& key : written.Keys(section)) {
        const std::string lower = Lower(key);
        if (lower.size() < 12 || lower.compare(lower.size() - 12, 12, "pictureindex") != 0) continue;
        const int index = StrToIntDef(*written.Find(section, key), -1);
        if (index == -1 || (index >= 0 && index < pictures)) continue;
        std::string where = Desc.Find(section, key) ? Desc.Where(section, key) : Source() + ", [" + section + "] " + key;
        Warn(where + ": picture index " + IntToStr(index) + " is past the " + IntToStr(pictures) +
             " active pictures (0 to " + IntToStr(pictures - 1) + ")");
      }
  }

  void CheckPictureIndexes() {
    TbsSkinDescription globals;
    D.SaveToDescription(globals);
    CheckIndexesOf(globals);
    for (const auto& r : D.ObjectRecords) {
      if (dynamic_cast<const TbsDataUserObject*>(r.get())) continue;
      TbsSkinDescription written;
      r->SaveToDescription(written);
      CheckIndexesOf(written);
    }
    for (const auto& r : D.ControlRecords) {
      TbsSkinDescription written;
      r->SaveToDescription(written);
      CheckIndexesOf(written);
    }
  }

  void CheckPiece(const std::string& section, const char* key, const TRect& piece, const TBitmap* picture,
                  const std::string& pictureName) {
    if (piece.Right - piece.Left < 1 || piece.Bottom - piece.Top < 1 || picture == nullptr || picture->Empty()) return;
    if (piece.Left >= 0 && piece.Top >= 0 && piece.Right <= picture->Width() && piece.Bottom <= picture->Height()) return;
    Warn(Desc.Where(section, key) + ": the piece lies outside " + pictureName + " (" + IntToStr(picture->Width()) +
         " x " + IntToStr(picture->Height()) + ")");
  }

  void CheckPieces() {
    for (const auto& r : D.ControlRecords)
      CheckPiece(r->IDName, "skinrect", r->SkinRect, D.ActivePicture(r->PictureIndex),
                 "active picture " + IntToStr(r->PictureIndex));
    for (const auto& r : D.ObjectRecords) {
      if (dynamic_cast<const TbsDataUserObject*>(r.get())) continue;  // a place, not a piece
      const std::string active = "active picture " + IntToStr(r->ActivePictureIndex);
      const TBitmap* activePicture = D.ActivePicture(r->ActivePictureIndex);
      if (r->SkinRectInAPicture) CheckPiece(r->IDName, "skinrect", r->SkinRect, activePicture, active);
      else CheckPiece(r->IDName, "skinrect", r->SkinRect, &D.Picture, "the main picture");
      CheckPiece(r->IDName, "activeskinrect", r->ActiveSkinRect, activePicture, active);
      CheckPiece(r->IDName, "inactiveskinrect", r->InActiveSkinRect, activePicture, active);
      if (const auto* b = dynamic_cast<const TbsDataSkinButton*>(r.get()))
        CheckPiece(r->IDName, "downrect", b->DownRect, activePicture, active);
    }
  }

  const TbsSkinData& D;
  const TbsSkinDescription& Desc;
  std::vector<std::string> FWarnings;
};

}  // namespace

const std::vector<std::string>& MainWindowRecordNames() {
  static const std::vector<std::string> names = {"panel",         "edit",         "listbox",  "vscrollbar",
                                                 "hscrollbar",    "bothhscrollbar", "resizebutton", "vsplitter",
                                                 "stdlabel",      "treeview"};
  return names;
}

std::vector<std::string> CheckSkin(const TbsSkinData& data, const TbsSkinDescription& description) {
  return Checker(data, description).Run();
}
