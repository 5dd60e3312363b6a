#pragma once
// The colours of our skin in one place: a light, cool grey chrome, white
// fields, one blue accent for focus and selection.

#include <QColor>

#include "framework/tcolor.h"

namespace skinpalette {

// Window chrome.
inline const QColor kOuterBorder(138, 147, 160);
inline const QColor kCaptionTop(253, 253, 254);
inline const QColor kCaptionBottom(231, 235, 240);
inline const QColor kChrome(231, 235, 240);      // side and bottom borders: the caption's last row
inline const QColor kClientEdge(201, 207, 215);  // the line round the client area
inline const QColor kClient(246, 247, 249);      // window background

// Caption buttons.
inline const QColor kGlyph(68, 73, 80);
inline const QColor kGlyphInactive(160, 165, 172);
inline const QColor kButtonHot(219, 224, 231);
inline const QColor kButtonPressed(199, 206, 215);
inline const QColor kCloseHot(216, 64, 64);
inline const QColor kClosePressed(180, 48, 48);
inline const QColor kGlyphOnRed(255, 255, 255);

// Controls.
inline const QColor kField(255, 255, 255);
inline const QColor kFieldBorder(168, 176, 187);
inline const QColor kFieldBorderHot(121, 164, 214);
inline const QColor kAccent(38, 118, 206);
inline const QColor kAccentSoft(214, 232, 251);    // selection with the focus
inline const QColor kAccentBorder(126, 176, 232);
inline const QColor kSelectionIdle(228, 231, 236);  // selection without the focus
inline const QColor kSelectionIdleBorder(206, 211, 218);
inline const QColor kPanel(246, 247, 249);
inline const QColor kPanelBorder(208, 213, 220);
inline const QColor kButtonTop(255, 255, 255);
inline const QColor kButtonBottom(237, 240, 244);
inline const QColor kButtonHotTop(244, 249, 255);
inline const QColor kButtonHotBottom(222, 235, 250);
inline const QColor kButtonDown(203, 223, 246);
inline const QColor kButtonDisabled(243, 244, 246);
inline const QColor kBorderDisabled(205, 209, 215);
inline const QColor kTrack(240, 241, 243);
inline const QColor kTrackLine(224, 227, 231);
inline const QColor kArrow(104, 110, 118);
inline const QColor kArrowDown(46, 50, 56);
inline const QColor kThumb(192, 198, 206);
inline const QColor kThumbHot(164, 171, 181);
inline const QColor kThumbDown(134, 142, 153);
inline const QColor kHint(251, 251, 252);
inline const QColor kHintBorder(150, 158, 170);

// Text colours as the skin description writes them (0x00BBGGRR).
constexpr TColor kText = RGBColor(0, 0, 0);
constexpr TColor kTextSoft = RGBColor(40, 44, 50);
constexpr TColor kTextGrey = RGBColor(128, 128, 128);  // disabled text
constexpr TColor kCaptionText = RGBColor(38, 42, 48);
constexpr TColor kCaptionTextInactive = RGBColor(140, 145, 152);
constexpr TColor kLinkHot = RGBColor(0, 128, 192);

}  // namespace skinpalette
