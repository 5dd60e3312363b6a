// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours of our skins in one place. The default is a light, cool grey
// chrome, white fields and one blue accent for focus and selection; the dark
// skin is the same drawing in the dark palette. The values are variables so
// one generator run draws one palette: UseDarkPalette() switches them before
// a skin is built.

#include <QColor>

#include "framework/tcolor.h"

namespace skinpalette {

// Window chrome.
inline QColor kOuterBorder(138, 147, 160);
inline QColor kCaptionTop(253, 253, 254);
inline QColor kCaptionBottom(231, 235, 240);
inline QColor kChrome(231, 235, 240);      // side and bottom borders: the caption's last row
inline QColor kClientEdge(201, 207, 215);  // the line round the client area
inline QColor kClient(246, 247, 249);      // window background

// Caption buttons.
inline QColor kGlyph(68, 73, 80);
inline QColor kGlyphInactive(160, 165, 172);
inline QColor kButtonHot(219, 224, 231);
inline QColor kButtonPressed(199, 206, 215);
inline QColor kCloseHot(216, 64, 64);
inline QColor kClosePressed(180, 48, 48);
inline QColor kGlyphOnRed(255, 255, 255);

// Controls.
inline QColor kField(255, 255, 255);
inline QColor kFieldBorder(168, 176, 187);
inline QColor kFieldBorderHot(121, 164, 214);
inline QColor kAccent(38, 118, 206);
inline QColor kAccentSoft(214, 232, 251);    // selection with the focus
inline QColor kAccentBorder(126, 176, 232);
inline QColor kSelectionIdle(228, 231, 236);  // selection without the focus
inline QColor kSelectionIdleBorder(206, 211, 218);
inline QColor kPanel(246, 247, 249);
inline QColor kPanelBorder(208, 213, 220);
inline QColor kButtonTop(255, 255, 255);
inline QColor kButtonBottom(237, 240, 244);
inline QColor kButtonHotTop(244, 249, 255);
inline QColor kButtonHotBottom(222, 235, 250);
inline QColor kButtonDown(203, 223, 246);
inline QColor kButtonDisabled(243, 244, 246);
inline QColor kBorderDisabled(205, 209, 215);
inline QColor kTrack(240, 241, 243);
inline QColor kTrackLine(224, 227, 231);
inline QColor kArrow(104, 110, 118);
inline QColor kArrowDown(46, 50, 56);
inline QColor kThumb(192, 198, 206);
inline QColor kThumbHot(164, 171, 181);
inline QColor kThumbDown(134, 142, 153);
inline QColor kHint(251, 251, 252);
inline QColor kHintBorder(150, 158, 170);

// Text colours as the skin description writes them (0x00BBGGRR).
inline TColor kText = RGBColor(0, 0, 0);
inline TColor kTextSoft = RGBColor(40, 44, 50);
inline TColor kTextGrey = RGBColor(128, 128, 128);  // disabled text
inline TColor kCaptionText = RGBColor(38, 42, 48);
inline TColor kCaptionTextInactive = RGBColor(140, 145, 152);
inline TColor kLinkHot = RGBColor(0, 128, 192);
inline TColor kTextDim = RGBColor(160, 165, 172);     // disabled menu items, track marks
inline TColor kTextAccent = RGBColor(38, 118, 206);   // active markers
inline TColor kMarker = RGBColor(104, 110, 118);      // scroll markers
inline TColor kFieldColor = RGBColor(255, 255, 255);  // backgrounds drawn as a colour
inline TColor kGridLine = RGBColor(225, 228, 232);
inline TColor kBevelDark = RGBColor(208, 213, 220);
inline TColor kSliderBG = RGBColor(246, 247, 249);

// Records for the plain group boxes and the link label bound to no skin:
// only a palette that sets them apart from the system look writes them.
inline bool kDressPlainControls = false;
inline TColor kGroupFrameLight = RGBColor(255, 255, 255);
inline TColor kGroupFrameDark = RGBColor(128, 128, 128);

// The skin's name and words in its [VERSION] section.
inline const char* kSkinName = "默认";
inline const char* kSkinComments = "Light and calm: a soft grey chrome, white fields, one blue accent.";

// A dark frame with a light caption text, muted fields, the same blue accent
// a little lighter; states stay as far apart as in the light palette.
void UseDarkPalette();

}  // namespace skinpalette
