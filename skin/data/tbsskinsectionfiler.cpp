// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsskinsectionfiler.h"

#include "framework/sysutils.h"

namespace {
// A list count beyond this is taken as damaged data rather than allocated.
constexpr int kMaxListCount = 65536;
}  // namespace

TbsSkinSectionFiler TbsSkinSectionFiler::Reader(const TbsSkinDescription& source, std::string section) {
  return TbsSkinSectionFiler(&source, nullptr, std::move(section));
}

TbsSkinSectionFiler TbsSkinSectionFiler::Writer(TbsSkinDescription& target, std::string section) {
  return TbsSkinSectionFiler(nullptr, &target, std::move(section));
}

const std::string* TbsSkinSectionFiler::Value(const char* key) const { return FSource->Find(FSection, key); }

void TbsSkinSectionFiler::Write(const std::string& key, const std::string& value) {
  FTarget->WriteString(FSection, key, value);
}

void TbsSkinSectionFiler::Text(const char* key, std::string& field, const char* fallback) {
  if (!Reading()) return Write(key, field);
  const std::string* v = Value(key);
  field = v ? *v : fallback;
}

void TbsSkinSectionFiler::Integer(const char* key, int& field, int fallback) {
  if (!Reading()) return Write(key, IntToStr(field));
  const std::string* v = Value(key);
  field = v ? SkinMeasureValue(*v, fallback) : fallback;
}

void TbsSkinSectionFiler::Color(const char* key, TColor& field, TColor fallback) {
  if (!Reading()) return Write(key, IntToStr(field));
  const std::string* v = Value(key);
  field = v ? SkinIntegerValue(*v, fallback) : fallback;
}

void TbsSkinSectionFiler::Boolean(const char* key, bool& field, bool fallback) {
  if (!Reading()) return Write(key, field ? "1" : "0");
  const std::string* v = Value(key);
  field = v ? SkinBooleanValue(*v) : fallback;
}

void TbsSkinSectionFiler::Point(const char* key, TPoint& field, TPoint fallback) {
  if (!Reading()) return Write(key, SkinPointText(field));
  const std::string* v = Value(key);
  field = v ? Located(key, [&] { return SkinPointValue(*v); }) : fallback;
}

void TbsSkinSectionFiler::Rect(const char* key, TRect& field, TRect fallback) {
  if (!Reading()) return Write(key, SkinRectText(field));
  const std::string* v = Value(key);
  field = v ? Located(key, [&] { return SkinRectValue(*v); }) : fallback;
}

void TbsSkinSectionFiler::FontStyle(const char* key, TFontStyles& field, TFontStyles fallback) {
  if (!Reading()) return Write(key, SkinFontStyleText(field));
  const std::string* v = Value(key);
  field = v ? SkinFontStyleValue(*v) : fallback;
}

void TbsSkinSectionFiler::Alignment(const char* key, TAlignment& field, TAlignment fallback) {
  if (!Reading()) return Write(key, SkinAlignmentText(field));
  const std::string* v = Value(key);
  field = v ? SkinAlignmentValue(*v) : fallback;
}

void TbsSkinSectionFiler::ImageEffect(const char* key, TbsImageEffect& field, TbsImageEffect fallback) {
  if (!Reading()) return Write(key, SkinImageEffectText(field));
  const std::string* v = Value(key);
  field = v ? SkinImageEffectValue(*v) : fallback;
}

void TbsSkinSectionFiler::MorphKind(const char* key, TbsMorphKind& field, TbsMorphKind fallback) {
  if (!Reading()) return Write(key, SkinMorphKindText(field));
  const std::string* v = Value(key);
  field = v ? SkinMorphKindValue(*v) : fallback;
}

void TbsSkinSectionFiler::Command(const char* key, TbsStdCommand& field, TbsStdCommand fallback) {
  if (!Reading()) return Write(key, SkinCommandText(field));
  const std::string* v = Value(key);
  field = v ? SkinCommandValue(*v) : fallback;
}

void TbsSkinSectionFiler::List(const char* name, std::vector<std::string>& field) {
  const std::string countKey = std::string(name) + "count";
  if (!Reading()) {
    Write(countKey, IntToStr(int64_t(field.size())));
    for (size_t i = 0; i < field.size(); ++i) Write(IntToStr(int64_t(i)), field[i]);
    return;
  }
  field.clear();
  const std::string* v = Value(countKey.c_str());
  const int count = v ? SkinIntegerValue(*v, 0) : 0;
  // Every entry must be a key of its own, so the section's size bounds a
  // genuine count; anything larger is damaged and reads as far as it goes.
  for (int i = 0; i < count && i < kMaxListCount; ++i) {
    const std::string* item = Value(IntToStr(i).c_str());
    field.push_back(item ? *item : std::string());
  }
}
