// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tcolor.h"

TColor ColorToRGB(TColor color) {
  if ((color & clSystemColor) == 0) return color & 0xFFFFFF;
  switch (color) {
    case clBtnFace:
    case cl3DLight: return RGBColor(212, 208, 200);
    case clBtnShadow: return RGBColor(128, 128, 128);
    case clBtnHighlight: return RGBColor(255, 255, 255);
    case cl3DDkShadow: return RGBColor(64, 64, 64);
    case clBtnText:
    case clWindowText:
    case clInfoText: return RGBColor(0, 0, 0);
    case clWindow: return RGBColor(255, 255, 255);
    case clHighlight: return RGBColor(10, 36, 106);
    case clHighlightText: return RGBColor(255, 255, 255);
    case clGrayText: return RGBColor(128, 128, 128);
    case clInfoBk: return RGBColor(255, 255, 225);
    default: return RGBColor(212, 208, 200);
  }
}

QColor ToQColor(TColor color) {
  const TColor c = ColorToRGB(color);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor& color) { return RGBColor(color.red(), color.green(), color.blue()); }
