// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsskinvalues.h"

#include <algorithm>
#include <array>
#include <vector>

#include "framework/sysutils.h"

namespace {

constexpr std::array<const char*, 4> kFontStyleWords = {"fsbold", "fsitalic", "fsunderline", "fsstrikeout"};
constexpr std::array<TFontStyle, 4> kFontStyles = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
constexpr std::array<const char*, 6> kImageEffectWords = {"iebrightness", "iedarkness", "iegrayscale",
                                                          "ienoise",      "iesplitblur", "ieinvert"};
constexpr std::array<const char*, 7> kMorphKindWords = {"mkdefault",  "mkgradient",    "mkleftgradient", "mkrightgradient",
                                                        "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<const char*, 7> kCommandWords = {"cmclose",   "cmmaximize", "cmminimize",      "cmsysmenu",
                                                      "cmdefault", "cmrollup",   "cmminimizetotray"};

// Splits at every "," and keeps only the digits of the first `count` fields.
// A field that is missing or has no digit fails the integer conversion, with
// the digits-only text in the message, exactly as the conversion sees it.
std::vector<int32_t> DigitFields(std::string_view text, size_t count) {
  std::vector<int32_t> values;
  values.reserve(count);
  size_t start = 0;
  for (size_t i = 0; i < count; ++i) {
    std::string digits;
    if (start <= text.size()) {
      size_t end = text.find(',', start);
      if (end == std::string_view::npos) end = text.size();
      for (size_t k = start; k < end; ++k)
        if (text[k] >= '0' && text[k] <= '9') digits += text[k];
      start = end + 1;  // past the end once the last field is used up
    }
    values.push_back(ClampSkinValue(StrToInt(digits)));
  }
  return values;
}

}  // namespace

int32_t ClampSkinValue(int64_t value) { return int32_t(std::clamp<int64_t>(value, -kSkinValueLimit, kSkinValueLimit)); }

int32_t SkinIntegerValue(std::string_view text, int32_t fallback) { return StrToIntDef(text, fallback); }

int32_t SkinMeasureValue(std::string_view text, int32_t fallback) {
  return ClampSkinValue(SkinIntegerValue(text, fallback));
}

bool SkinBooleanValue(std::string_view text) { return StrToIntDef(text, 0) == 1; }

TPoint SkinPointValue(std::string_view text) {
  const auto v = DigitFields(text, 2);
  return TPoint{v[0], v[1]};
}

TRect SkinRectValue(std::string_view text) {
  const auto v = DigitFields(text, 4);
  return TRect{v[0], v[1], v[2], v[3]};
}

TFontStyles SkinFontStyleValue(std::string_view text) {
  TFontStyles style = 0;
  for (size_t i = 0; i < kFontStyleWords.size(); ++i)
    if (text.find(kFontStyleWords[i]) != std::string_view::npos) style |= kFontStyles[i];
  return style;
}

TAlignment SkinAlignmentValue(std::string_view text) {
  if (text == "tacenter") return taCenter;
  if (text == "taleftjustify") return taLeftJustify;
  return taRightJustify;
}

TbsImageEffect SkinImageEffectValue(std::string_view text) {
  for (size_t i = 0; i < kImageEffectWords.size(); ++i)
    if (text == kImageEffectWords[i]) return TbsImageEffect(i);
  return ieGrayScale;
}

TbsMorphKind SkinMorphKindValue(std::string_view text) {
  for (size_t i = 0; i < kMorphKindWords.size(); ++i)
    if (text == kMorphKindWords[i]) return TbsMorphKind(i);
  return mkDefault;
}

TbsStdCommand SkinCommandValue(std::string_view text) {
  // The six words are compared exactly; everything else, "cmMinimize" too,
  // is the tray command.
  for (size_t i = 0; i < size_t(cmMinimizeToTray); ++i)
    if (text == kCommandWords[i]) return TbsStdCommand(i);
  return cmMinimizeToTray;
}

std::string SkinPointText(const TPoint& p) { return IntToStr(p.X) + "," + IntToStr(p.Y); }

std::string SkinRectText(const TRect& r) {
  return IntToStr(r.Left) + "," + IntToStr(r.Top) + "," + IntToStr(r.Right) + "," + IntToStr(r.Bottom);
}

std::string SkinFontStyleText(TFontStyles style) {
  std::string text;
  for (size_t i = 0; i < kFontStyleWords.size(); ++i) {
    if (!(style & kFontStyles[i])) continue;
    if (!text.empty()) text += ',';
    text += kFontStyleWords[i];
  }
  return text;
}

std::string SkinAlignmentText(TAlignment alignment) {
  switch (alignment) {
    case taLeftJustify: return "taleftjustify";
    case taCenter: return "tacenter";
    case taRightJustify: break;
  }
  return "tarightjustify";
}

std::string SkinImageEffectText(TbsImageEffect effect) {
  return size_t(effect) < kImageEffectWords.size() ? kImageEffectWords[effect] : "iegrayscale";
}

std::string SkinMorphKindText(TbsMorphKind kind) {
  return size_t(kind) < kMorphKindWords.size() ? kMorphKindWords[kind] : "mkdefault";
}

std::string SkinCommandText(TbsStdCommand command) {
  return size_t(command) < kCommandWords.size() ? kCommandWords[command] : "cmminimizetotray";
}
