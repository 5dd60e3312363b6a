// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tfont.h"

#include <cstdlib>

#include "framework/tfontconfiguration.h"

#ifdef BR_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

// The family the system's font configuration picks for Chinese text, or
// none when no font it has covers Chinese (the toolkit's own fallback then).
QString AskChineseFamily() {
#ifdef BR_HAVE_FONTCONFIG
  // Asked of the configuration read ahead: asking while it is still being
  // read would read a second one.
  TFontConfiguration::Wait();
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=zh-cn"));
  if (!pattern) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return {};
  QString family;
  FcLangSet* languages = nullptr;
  FcChar8* name = nullptr;
  // The best match is only the closest when nothing installed covers Chinese.
  if (FcPatternGetLangSet(match, FC_LANG, 0, &languages) == FcResultMatch &&
      FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("zh-cn")) == FcLangEqual &&
      FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
    family = QString::fromUtf8(reinterpret_cast<const char*>(name));
  FcPatternDestroy(match);
  return family;
#else
  return {};
#endif
}

// Asked once: every control's font is made again on each paint.
const QString& ChineseFamily() {
  static const QString family = AskChineseFamily();
  return family;
}

}  // namespace

TFont::TFont(std::string name, int height, TFontStyles style, TColor color)
    : FName(std::move(name)), FHeight(height), FStyle(style), FColor(color) {}

TFont::TFont(const TFont& other)
    : FName(other.FName), FHeight(other.FHeight), FStyle(other.FStyle), FColor(other.FColor),
      FCharSet(other.FCharSet) {}

TFont& TFont::operator=(const TFont& other) {
  if (this == &other || SameLook(other)) return *this;
  FName = other.FName;
  FHeight = other.FHeight;
  FStyle = other.FStyle;
  FColor = other.FColor;
  FCharSet = other.FCharSet;
  Changed();
  return *this;
}

bool TFont::SameLook(const TFont& o) const {
  return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
         FCharSet == o.FCharSet;
}

void TFont::SetName(const std::string& value) {
  if (FName == value) return;
  FName = value;
  Changed();
}
void TFont::SetHeight(int value) {
  if (FHeight == value) return;
  FHeight = value;
  Changed();
}
void TFont::SetStyle(TFontStyles value) {
  if (FStyle == value) return;
  FStyle = value;
  Changed();
}
void TFont::SetColor(TColor value) {
  if (FColor == value) return;
  FColor = value;
  Changed();
}
void TFont::SetCharSet(int value) {
  if (FCharSet == value) return;
  FCharSet = value;
  Changed();
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

QString ResolveFontFamily(const std::string& name) {
  if (name == "Arial" || name == "MS Sans Serif" || name == "Tahoma" || name == "Microsoft Sans Serif")
    return QStringLiteral("Liberation Sans");
  if (name == "Times New Roman") return QStringLiteral("Liberation Serif");
  if (name == "Courier New") return QStringLiteral("Liberation Mono");
  return QString::fromStdString(name);
}

QFont TFont::ToQFont() const {
  const QString face = ResolveFontFamily(FName);
  QFont f(face);
  f.setPixelSize(std::max(1, std::abs(FHeight)));
  f.setBold(FStyle & fsBold);
  f.setItalic(FStyle & fsItalic);
  f.setUnderline(FStyle & fsUnderline);
  f.setStrikeOut(FStyle & fsStrikeOut);
  // Chinese texts fall back to the system's Chinese font when the face lacks the glyphs.
  if (const QString& chinese = ChineseFamily(); !chinese.isEmpty()) f.setFamilies({face, chinese});
  return f;
}
