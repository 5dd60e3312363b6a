// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/skingen/skinpalette.h"

namespace skinpalette {

void UseDarkPalette() {
  // Window chrome: the caption a shade lighter than the borders, so the
  // window's top reads as its handle.
  kOuterBorder = QColor(18, 20, 24);
  kCaptionTop = QColor(64, 68, 77);
  kCaptionBottom = QColor(46, 49, 55);
  kChrome = QColor(46, 49, 55);
  kClientEdge = QColor(28, 30, 34);
  kClient = QColor(37, 40, 45);

  kGlyph = QColor(222, 226, 232);
  kGlyphInactive = QColor(118, 123, 131);
  kButtonHot = QColor(68, 73, 82);
  kButtonPressed = QColor(88, 94, 105);
  kCloseHot = QColor(196, 52, 52);
  kClosePressed = QColor(150, 38, 38);
  kGlyphOnRed = QColor(255, 255, 255);

  kField = QColor(29, 31, 35);
  kFieldBorder = QColor(80, 86, 96);
  kFieldBorderHot = QColor(92, 152, 222);
  kAccent = QColor(88, 158, 236);
  kAccentSoft = QColor(38, 68, 108);
  kAccentBorder = QColor(70, 120, 182);
  kSelectionIdle = QColor(58, 62, 70);
  kSelectionIdleBorder = QColor(76, 81, 90);
  kPanel = QColor(40, 43, 48);
  kPanelBorder = QColor(62, 66, 74);
  kButtonTop = QColor(68, 72, 80);
  kButtonBottom = QColor(52, 56, 63);
  kButtonHotTop = QColor(74, 88, 108);
  kButtonHotBottom = QColor(58, 72, 94);
  kButtonDown = QColor(38, 60, 92);
  kButtonDisabled = QColor(43, 46, 51);
  kBorderDisabled = QColor(58, 62, 68);
  kTrack = QColor(33, 35, 39);
  kTrackLine = QColor(45, 48, 53);
  kArrow = QColor(168, 174, 184);
  kArrowDown = QColor(236, 239, 243);
  kThumb = QColor(84, 90, 100);
  kThumbHot = QColor(110, 117, 129);
  kThumbDown = QColor(140, 148, 162);
  kHint = QColor(50, 54, 60);
  kHintBorder = QColor(98, 104, 114);

  kText = RGBColor(230, 232, 236);
  kTextSoft = RGBColor(204, 208, 214);
  kTextGrey = RGBColor(118, 122, 128);
  kCaptionText = RGBColor(236, 238, 242);
  kCaptionTextInactive = RGBColor(138, 143, 150);
  kLinkHot = RGBColor(112, 182, 242);
  kTextDim = RGBColor(108, 113, 120);
  kTextAccent = RGBColor(88, 158, 236);
  kMarker = RGBColor(168, 174, 184);
  kFieldColor = RGBColor(29, 31, 35);
  kGridLine = RGBColor(56, 60, 66);
  kBevelDark = RGBColor(18, 20, 24);
  kSliderBG = RGBColor(40, 43, 48);

  kDressPlainControls = true;
  kGroupFrameLight = RGBColor(70, 75, 84);
  kGroupFrameDark = RGBColor(20, 22, 26);

  kSkinName = "深色";
  kSkinComments = "A dark frame with a light caption text, muted fields, one blue accent.";
}

}  // namespace skinpalette
