// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tfont.h"

#include <cstdlib>

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
  QFont f(ResolveFontFamily(FName));
  f.setPixelSize(std::max(1, std::abs(FHeight)));
  f.setBold(FStyle & fsBold);
  f.setItalic(FStyle & fsItalic);
  f.setUnderline(FStyle & fsUnderline);
  f.setStrikeOut(FStyle & fsStrikeOut);
  // Chinese texts fall back to the CJK font when the face lacks the glyphs.
  f.setFamilies({ResolveFontFamily(FName), QStringLiteral("WenQuanYi Micro Hei")});
  return f;
}
