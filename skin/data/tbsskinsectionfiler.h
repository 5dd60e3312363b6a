// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads or writes the keys of one section of a skin description. A record
// lists its keys once, each with its kind and its default, and the same list
// serves reading (missing keys take the default) and writing (every key is
// written in the order listed), so the two can never disagree.

#include <string>
#include <vector>

#include "skin/data/ebsskinvalueerror.h"
#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinvalues.h"

class TbsSkinSectionFiler {
 public:
  // Named, not overloaded: a non-const description must never pick writing
  // by accident.
  static TbsSkinSectionFiler Reader(const TbsSkinDescription& source, std::string section);
  static TbsSkinSectionFiler Writer(TbsSkinDescription& target, std::string section);

  bool Reading() const { return FTarget == nullptr; }
  const std::string& Section() const { return FSection; }

  void Text(const char* key, std::string& field, const char* fallback);
  void Integer(const char* key, int& field, int fallback);
  void Color(const char* key, TColor& field, TColor fallback);
  void Boolean(const char* key, bool& field, bool fallback);
  void Point(const char* key, TPoint& field, TPoint fallback);
  void Rect(const char* key, TRect& field, TRect fallback);
  void FontStyle(const char* key, TFontStyles& field, TFontStyles fallback);
  void Alignment(const char* key, TAlignment& field, TAlignment fallback);
  void ImageEffect(const char* key, TbsImageEffect& field, TbsImageEffect fallback);
  void MorphKind(const char* key, TbsMorphKind& field, TbsMorphKind fallback);
  void Command(const char* key, TbsStdCommand& field, TbsStdCommand fallback);
  // Key NAME + "count", then the keys "0" to count - 1; empty by default.
  void List(const char* name, std::vector<std::string>& field);

 private:
  TbsSkinSectionFiler(const TbsSkinDescription* source, TbsSkinDescription* target, std::string section)
      : FSource(source), FTarget(target), FSection(std::move(section)) {}
  const std::string* Value(const char* key) const;
  void Write(const std::string& key, const std::string& value);
  // Runs a conversion of the key's value; a conversion error keeps its own
  // text and carries where the value stands (file, line, section, key, value).
  template <class Convert>
  auto Located(const char* key, Convert convert) const -> decltype(convert()) {
    try {
      return convert();
    } catch (const EConvertError& e) {
      throw EbsSkinValueError(FSource->Where(FSection, key), e.what());
    }
  }

  const TbsSkinDescription* FSource = nullptr;
  TbsSkinDescription* FTarget = nullptr;
  std::string FSection;
};
