// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A font as controls and skin records describe it: face name, height (a
// negative height means character height in pixels; either way the pixel size
// is |Height|), style set and colour.

#include <QFont>
#include <functional>
#include <string>

#include "framework/tcolor.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;  // a set of TFontStyle bits

class TFont {
 public:
  TFont() = default;
  TFont(std::string name, int height, TFontStyles style = 0, TColor color = clWindowText);
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);  // Assign: copies the look, keeps OnChange

  const std::string& Name() const { return FName; }
  void SetName(const std::string& value);
  int Height() const { return FHeight; }
  void SetHeight(int value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  int CharSet() const { return FCharSet; }
  void SetCharSet(int value);

  bool SameLook(const TFont& other) const;
  // The face, with the family the system's font configuration picks for
  // Chinese after it for the characters the face lacks.
  QFont ToQFont() const;

  std::function<void()> OnChange;

 private:
  void Changed();

  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
  int FCharSet = 1;  // the system default character set
};

// Face names the layout uses that have no font on Linux map to a
// metric-compatible family ("Arial" to Liberation Sans).
QString ResolveFontFamily(const std::string& name);
