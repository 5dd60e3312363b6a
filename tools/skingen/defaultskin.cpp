// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/skingen/defaultskin.h"

#include "skin/data/tbsdataskinanimate.h"
#include "skin/data/tbsdataskinbevel.h"
#include "skin/data/tbsdataskinbuttoncontrol.h"
#include "skin/data/tbsdataskincaption.h"
#include "skin/data/tbsdataskinchecklistbox.h"
#include "skin/data/tbsdataskincheckradiocontrol.h"
#include "skin/data/tbsdataskincombobox.h"
#include "skin/data/tbsdataskincontrolbar.h"
#include "skin/data/tbsdataskineditcontrol.h"
#include "skin/data/tbsdataskinexpanelcontrol.h"
#include "skin/data/tbsdataskingaugecontrol.h"
#include "skin/data/tbsdataskingridcontrol.h"
#include "skin/data/tbsdataskinlabelcontrol.h"
#include "skin/data/tbsdataskinlistbox.h"
#include "skin/data/tbsdataskinlistview.h"
#include "skin/data/tbsdataskinmainmenubar.h"
#include "skin/data/tbsdataskinmainmenubarbutton.h"
#include "skin/data/tbsdataskinmainmenubaritem.h"
#include "skin/data/tbsdataskinmemocontrol.h"
#include "skin/data/tbsdataskinmenubuttoncontrol.h"
#include "skin/data/tbsdataskinmenuitem.h"
#include "skin/data/tbsdataskinpanelcontrol.h"
#include "skin/data/tbsdataskinrichedit.h"
#include "skin/data/tbsdataskinscrollbarcontrol.h"
#include "skin/data/tbsdataskinscrollboxcontrol.h"
#include "skin/data/tbsdataskinslider.h"
#include "skin/data/tbsdataskinspineditcontrol.h"
#include "skin/data/tbsdataskinsplittercontrol.h"
#include "skin/data/tbsdataskinstdbutton.h"
#include "skin/data/tbsdataskinstdlabelcontrol.h"
#include "skin/data/tbsdataskintabcontrol.h"
#include "skin/data/tbsdataskintrackbarcontrol.h"
#include "skin/data/tbsdataskintreeview.h"
#include "skin/data/tbsdataskinupdowncontrol.h"
#include "tools/skingen/piecepainter.h"
#include "tools/skingen/skinpalette.h"

namespace defaultskin {

using namespace skinpalette;
using P = TPiecePainter;

namespace {

// The frame picture doubles as the smallest window: 177 x 124, its client
// area inset 8 left, 26 top, 9 right and 8 bottom.
constexpr int kFrameWidth = 177;
constexpr int kFrameHeight = 124;
constexpr TRect kFrameClient{8, 26, 168, 116};
constexpr int kCaptionRows = kFrameClient.Top - 2;  // between the outer border and the client line

// Picture indexes of the default skin.
constexpr int kCaptionPicture = 0;   // caption buttons, menu looks
constexpr int kButtonsPicture = 1;   // push buttons and the less used controls
constexpr int kPopupPicture = 2;     // the popup menu window, whole
constexpr int kControlsPicture = 3;  // fields, lists, scroll bars, panel, splitters
constexpr int kHintPicture = 4;      // the hint window, whole

QColor SoftCorner(QColor border) { return P::Mix(border, kField, 55); }

QColor CaptionRow(int row, int captionRows) {
  return P::GradientAt(kCaptionTop, kCaptionBottom, row, captionRows);
}

// ---------------------------------------------------------------- glyphs

// Caption glyphs live in a 10 x 10 box (the system-menu glyph in 10 x 7).
void PaintCaptionGlyph(P& p, TCaptionGlyph glyph, int x, int y, QColor c) {
  switch (glyph) {
    case cgClose:
      for (int i = 0; i < 10; ++i) {
        p.Pixel(x + i, y + i, c);
        p.Pixel(x + 9 - i, y + i, c);
      }
      break;
    case cgMaximize:
      p.Frame({x, y, x + 10, y + 10}, c);
      break;
    case cgMinimize:
      p.HLine(x, x + 10, y + 5, c);
      break;
    case cgRollUp:
      p.Pattern(x, y + 3, {"....x....", "...x.x...", "..x...x..", ".x.....x.", "x.......x"}, c);
      break;
    case cgRollDown:
      p.Pattern(x, y + 2, {"x.......x", ".x.....x.", "..x...x..", "...x.x...", "....x...."}, c);
      break;
    case cgSysMenu:
      for (int i = 0; i < 3; ++i) p.HLine(x, x + 10, y + 3 * i, c);
      break;
    case cgCount:
      break;
  }
}

// Small arrows for scroll bars and spin buttons, pointing where they scroll.
enum TArrow { arUp, arDown, arLeft, arRight };
void PaintArrow(P& p, TArrow arrow, const TRect& box, QColor c) {
  const int cx = box.Left + (box.Right - box.Left) / 2, cy = box.Top + (box.Bottom - box.Top) / 2;
  switch (arrow) {
    case arUp:
      p.Pattern(cx - 3, cy - 2, {"...x...", "..xxx..", ".xx.xx.", "xx...xx"}, c);
      break;
    case arDown:
      p.Pattern(cx - 3, cy - 2, {"xx...xx", ".xx.xx.", "..xxx..", "...x..."}, c);
      break;
    case arLeft:
      p.Pattern(cx - 2, cy - 3, {"...x", "..xx", ".xx.", "xx..", ".xx.", "..xx", "...x"}, c);
      break;
    case arRight:
      p.Pattern(cx - 2, cy - 3, {"x...", "xx..", ".xx.", "..xx", ".xx.", "xx..", "x..."}, c);
      break;
  }
}

void PaintCheckMark(P& p, int x, int y, QColor c) {
  p.Pattern(x, y, {"......x", ".....xx", "x...xx.", "xx.xx..", ".xxx...", "..x...."}, c);
}

// ---------------------------------------------------------------- boxes

// A push button face in one of its states: rounded by its corner pixels,
// a gentle vertical gradient (rows only, so it tiles along the width).
void PaintPushFace(P& p, const TRect& r, TButtonState state, bool flat) {
  QColor top = kButtonTop, bottom = kButtonBottom, border = kFieldBorder;
  switch (state) {
    case bsActive:
      top = kButtonHotTop, bottom = kButtonHotBottom, border = kFieldBorderHot;
      break;
    case bsDown:
      top = bottom = kButtonDown, border = P::Mix(kAccent, kField, 35);
      break;
    case bsInactive:  // disabled
      top = bottom = kButtonDisabled, border = kBorderDisabled;
      break;
    default:
      break;
  }
  if (flat) {
    // Stretches both ways: a flat middle, a light line under the top edge
    // and a shade above the bottom edge, both inside the border bands.
    p.Fill(r, bottom);
    if (state != bsDown) p.HLine(r.Left + 1, r.Right - 1, r.Top + 1, top);
    p.HLine(r.Left + 1, r.Right - 1, r.Bottom - 2, P::Mix(bottom, border, 25));
  } else {
    p.VGradient({r.Left, r.Top + 1, r.Right, r.Bottom - 1}, top, bottom);
  }
  p.SoftFrame(r, border, SoftCorner(border));
}

// A white field with a square one-pixel border (edits, lists, memo).
void PaintField(P& p, const TRect& r, QColor border) {
  p.Fill(r, kField);
  p.Frame(r, border);
}

// A list selection: filled, bordered, corners softened against white.
void PaintSelection(P& p, const TRect& r, QColor fill, QColor border) {
  p.Fill(r, fill);
  p.SoftFrame(r, border, P::Mix(border, kField, 60));
}

void PaintCheckBox(P& p, int x, int y, bool checked, TButtonState state) {
  const TRect box{x, y, x + 13, y + 13};
  QColor border = state == bsActive ? kFieldBorderHot : kFieldBorder;
  QColor fill = kField;
  if (state == bsInactive) border = kBorderDisabled, fill = kButtonDisabled;
  if (checked && state != bsInactive) fill = state == bsActive ? P::Mix(kAccent, kField, 20) : kAccent, border = fill;
  p.Fill(box, fill);
  p.SoftFrame(box, border, P::Mix(border, kClient, 55));
  if (checked) PaintCheckMark(p, x + 3, y + 3, state == bsInactive ? kGlyphInactive : kField);
}

void PaintRadio(P& p, int x, int y, bool checked, TButtonState state) {
  p.Fill({x, y, x + 13, y + 13}, kClient);
  QColor ring = state == bsActive ? kFieldBorderHot : kFieldBorder;
  QColor fill = kField;
  if (state == bsInactive) ring = kBorderDisabled, fill = kButtonDisabled;
  p.Disc(x, y, 13, ring, fill);
  if (checked) p.Disc(x + 3, y + 3, 7, state == bsInactive ? kGlyphInactive : kAccent, state == bsInactive ? kGlyphInactive : kAccent);
}

}  // namespace

// ---------------------------------------------------------------- frame

QImage PaintFramePicture(int width, int height, const TRect& client) {
  QImage image(width, height, QImage::Format_RGB32);
  P p(image);
  const int captionRows = client.Top - 2;
  p.Fill({0, 0, width, height}, kChrome);
  for (int row = 0; row < captionRows; ++row) p.HLine(1, width - 1, 1 + row, CaptionRow(row, captionRows));
  p.Frame({0, 0, width, height}, kOuterBorder);
  p.Frame({client.Left - 1, client.Top - 1, client.Right + 1, client.Bottom + 1}, kClientEdge);
  p.Fill(client, kClient);
  return image;
}

TRect CaptionButtonCell(TCaptionGlyph glyph, TButtonState state) {
  const int left = glyph * kCaptionButtonWidth;
  const int width = glyph == cgSysMenu ? kSysMenuButtonWidth : kCaptionButtonWidth;
  const int top = state * kCaptionButtonHeight;
  return {left, top, left + width, top + kCaptionButtonHeight};
}

void PaintCaptionButtons(QImage& image, int captionRows) {
  P p(image);
  for (int g = 0; g < cgCount; ++g)
    for (int s = 0; s < bsStateCount; ++s) {
      const auto glyph = TCaptionGlyph(g);
      const auto state = TButtonState(s);
      const TRect cell = CaptionButtonCell(glyph, state);
      const bool close = glyph == cgClose;
      QColor glyphColour = kGlyph;
      if (state == bsActive || state == bsDown) {
        p.Fill(cell, close ? (state == bsActive ? kCloseHot : kClosePressed)
                           : (state == bsActive ? kButtonHot : kButtonPressed));
        if (close) glyphColour = kGlyphOnRed;
      } else {
        // The caption shows through: the cell's rows repeat the caption's,
        // the first cell row being the caption's first row.
        for (int row = 0; row < kCaptionButtonHeight; ++row)
          p.HLine(cell.Left, cell.Right, cell.Top + row, CaptionRow(std::min(row, captionRows - 1), captionRows));
        if (state == bsInactive) glyphColour = kGlyphInactive;
      }
      const int glyphHeight = glyph == cgSysMenu ? 7 : 10;
      const int gx = cell.Left + (cell.Right - cell.Left - (glyph == cgRollUp || glyph == cgRollDown ? 9 : 10)) / 2;
      const int gy = cell.Top + (kCaptionButtonHeight - glyphHeight) / 2;
      PaintCaptionGlyph(p, glyph, gx, gy, glyphColour);
    }
}

namespace {

// ---------------------------------------------------------------- picture 0

// Caption buttons (rows of 24: normal, active, down, inactive), then the
// looks of menu items, main menu bar items and its small buttons.
constexpr int kMenuTop = 100;
constexpr TRect kMenuItem{70, 100, 110, 120};
constexpr TRect kMenuItemActive{70, 120, 110, 140};
constexpr TRect kMenuDivider{70, 140, 110, 146};
constexpr TRect kBarItem{120, 100, 150, 120};
constexpr TRect kBarItemActive{150, 100, 180, 120};
constexpr TRect kBarItemDown{120, 120, 150, 140};
enum TBarButton { bbClose, bbMaximize, bbMinimize, bbSysMenu };
TRect BarButtonCell(TBarButton button, TButtonState state) {
  const int left = button * 16, top = kMenuTop + state * 16;
  return {left, top, left + 16, top + 16};
}

QImage PaintCaptionPicture() {
  QImage image(184, 152, QImage::Format_RGB32);
  image.fill(kClient);
  PaintCaptionButtons(image, kCaptionRows);
  P p(image);

  // Menu items: white, the highlighted one a soft blue box.
  p.Fill(kMenuItem, kField);
  PaintSelection(p, kMenuItemActive, kAccentSoft, kAccentBorder);
  p.Fill(kMenuDivider, kField);
  p.HLine(kMenuDivider.Left + 4, kMenuDivider.Right - 4, kMenuDivider.Top + 3, kTrackLine);

  // Main menu bar items on the window background.
  p.Fill(kBarItem, kClient);
  PaintSelection(p, kBarItemActive, kButtonHot, P::Mix(kButtonHot, kGlyph, 15));
  PaintSelection(p, kBarItemDown, kButtonPressed, P::Mix(kButtonPressed, kGlyph, 20));

  // Main menu bar buttons: 16 x 16 with 8 x 8 glyphs.
  for (int b = 0; b < 4; ++b)
    for (int s = 0; s < 3; ++s) {
      const TRect cell = BarButtonCell(TBarButton(b), TButtonState(s));
      p.Fill(cell, s == bsNormal ? kClient : s == bsActive ? kButtonHot : kButtonPressed);
      const int x = cell.Left + 4, y = cell.Top + 4;
      switch (TBarButton(b)) {
        case bbClose:
          for (int i = 0; i < 8; ++i) p.Pixel(x + i, y + i, kGlyph), p.Pixel(x + 7 - i, y + i, kGlyph);
          break;
        case bbMaximize:
          p.Frame({x, y, x + 8, y + 8}, kGlyph);
          break;
        case bbMinimize:
          p.HLine(x, x + 8, y + 6, kGlyph);
          break;
        case bbSysMenu:
          for (int i = 0; i < 3; ++i) p.HLine(x, x + 8, y + 1 + 3 * i, kGlyph);
          break;
      }
    }
  return image;
}

// ---------------------------------------------------------------- picture 1

constexpr int kPushWidth = 24;
TRect PushCell(int top, int height, TButtonState state, int width = kPushWidth) {
  return {state * width, top, state * width + width, top + height};
}
constexpr int kPushButtonTop = 0, kButtonHeight = 25;
constexpr int kResizeTop = 28, kResizeHeight = 24;
constexpr int kMenuButtonTop = 56, kMenuButtonWidth = 40;
constexpr TRect kCheckBox{0, 84, 80, 104};
constexpr int kCheckImagesTop = 106;
constexpr TRect kRadioBox{0, 122, 80, 142};
constexpr int kRadioImagesTop = 144;
TRect MarkCell(int top, int index) { return {index * 13, top, index * 13 + 13, top + 13}; }
constexpr TRect kGauge{0, 160, 60, 178};
constexpr TRect kGaugeProgress{62, 162, 72, 176};
constexpr TRect kTrackBar{0, 182, 60, 204};
constexpr TRect kTrackThumb{62, 182, 73, 202};
constexpr TRect kTrackThumbActive{75, 182, 86, 202};
constexpr TRect kTabNormal{170, 0, 210, 22};
constexpr TRect kTabActive{210, 0, 250, 22};
constexpr TRect kTabHot{250, 0, 290, 22};
constexpr TRect kTabPage{170, 26, 230, 70};
constexpr TRect kTabStrip{170, 72, 210, 94};
constexpr TRect kExPanel{240, 26, 300, 86};
constexpr int kExButtonsLeft = 302;
constexpr TRect kExRollV{346, 26, 368, 86};
constexpr TRect kMenuBar{170, 100, 230, 120};
constexpr TRect kControlBar{240, 100, 300, 130};
constexpr TRect kControlBarItem{302, 100, 320, 130};
constexpr TRect kSliderHRuler{170, 136, 230, 142};
constexpr TRect kSliderHThumb{232, 134, 243, 148};
constexpr TRect kSliderVRuler{246, 134, 252, 194};
constexpr TRect kSliderVThumb{254, 134, 268, 145};
TRect UpDownCell(int column, bool up) {
  const int left = 170 + column * 18, top = up ? 150 : 161;
  return {left, top, left + 16, top + 11};
}
TRect GridCell(int index) { return {170 + index * 40, 198, 210 + index * 40, 218}; }
enum TExGlyph { egClose, egUp, egDown, egLeft, egRight, egCount };
TRect ExButtonCell(TExGlyph glyph, TButtonState state) {
  const int left = kExButtonsLeft + int(state) * 14, top = 26 + glyph * 14;
  return {left, top, left + 14, top + 14};
}

QImage PaintButtonsPicture() {
  QImage image(370, 220, QImage::Format_RGB32);
  image.fill(kClient);
  P p(image);

  for (int s = 0; s < bsStateCount; ++s) {
    const auto state = TButtonState(s);
    PaintPushFace(p, PushCell(kPushButtonTop, kButtonHeight, state), state, false);
    PaintPushFace(p, PushCell(kResizeTop, kResizeHeight, state), state, true);
    // The menu button keeps its drop part in the fixed right end.
    const TRect mb = PushCell(kMenuButtonTop, kButtonHeight, state, kMenuButtonWidth);
    PaintPushFace(p, mb, state, false);
    const QColor line = state == bsInactive ? kBorderDisabled : state == bsNormal ? kFieldBorder : kFieldBorderHot;
    p.VLine(mb.Left + 24, mb.Top + 4, mb.Bottom - 4, line);
    PaintArrow(p, arDown, {mb.Left + 25, mb.Top, mb.Right - 1, mb.Bottom}, state == bsInactive ? kGlyphInactive : kArrow);
  }

  // Check boxes and radio buttons on the window background.
  p.Fill(kCheckBox, kClient);
  p.Fill(kRadioBox, kClient);
  const TButtonState markStates[] = {bsNormal, bsNormal, bsActive, bsActive, bsInactive, bsInactive};
  for (int i = 0; i < 6; ++i) {
    const bool checked = i % 2 == 0;
    PaintCheckBox(p, MarkCell(kCheckImagesTop, i).Left, kCheckImagesTop, checked, markStates[i]);
    PaintRadio(p, MarkCell(kRadioImagesTop, i).Left, kRadioImagesTop, checked, markStates[i]);
  }

  // Gauge: a sunken track and a blue progress piece.
  p.Fill(kGauge, kTrack);
  p.SoftFrame(kGauge, kFieldBorder, SoftCorner(kFieldBorder));
  p.VGradient(kGaugeProgress, P::Mix(kAccent, kField, 30), kAccent);

  // Track bar: a thin groove across, a thumb.
  p.Fill(kTrackBar, kClient);
  p.Fill({kTrackBar.Left + 3, kTrackBar.Top + 9, kTrackBar.Right - 3, kTrackBar.Top + 13}, kTrack);
  p.SoftFrame({kTrackBar.Left + 3, kTrackBar.Top + 9, kTrackBar.Right - 3, kTrackBar.Top + 13}, kFieldBorder,
              P::Mix(kFieldBorder, kClient, 55));
  PaintPushFace(p, kTrackThumb, bsNormal, false);
  PaintPushFace(p, kTrackThumbActive, bsActive, false);

  // Tabs: the page, tabs behind it, the chosen tab open towards the page.
  p.VGradient(kTabNormal, kButtonTop, kButtonBottom);
  p.Frame(kTabNormal, kPanelBorder);
  p.Fill(kTabActive, kPanel);
  p.Frame({kTabActive.Left, kTabActive.Top, kTabActive.Right, kTabActive.Bottom + 1}, kPanelBorder);
  p.VGradient(kTabHot, kButtonHotTop, kButtonHotBottom);
  p.Frame(kTabHot, kFieldBorderHot);
  p.HLine(kTabHot.Left, kTabHot.Right, kTabHot.Bottom - 1, kPanelBorder);
  p.Fill(kTabPage, kPanel);
  p.Frame(kTabPage, kPanelBorder);
  p.Fill(kTabStrip, kClient);

  // Expanding panel: a caption strip over a plain body; rolled-up strips.
  p.Fill(kExPanel, kPanel);
  p.VGradient({kExPanel.Left, kExPanel.Top, kExPanel.Right, kExPanel.Top + 21}, kCaptionTop, kCaptionBottom);
  p.HLine(kExPanel.Left, kExPanel.Right, kExPanel.Top + 21, kPanelBorder);
  p.Frame(kExPanel, kPanelBorder);
  p.HGradient(kExRollV, kCaptionTop, kCaptionBottom);
  p.Frame(kExRollV, kPanelBorder);
  for (int g = 0; g < egCount; ++g)
    for (int s = 0; s < 3; ++s) {
      const TRect cell = ExButtonCell(TExGlyph(g), TButtonState(s));
      p.Fill(cell, s == bsNormal ? kCaptionBottom : s == bsActive ? kButtonHot : kButtonPressed);
      if (g == egClose)
        for (int i = 0; i < 6; ++i) p.Pixel(cell.Left + 4 + i, cell.Top + 4 + i, kGlyph), p.Pixel(cell.Left + 9 - i, cell.Top + 4 + i, kGlyph);
      else
        PaintArrow(p, TArrow(g - egUp), cell, kGlyph);
    }

  // Main menu bar and control bar: window background with a closing line.
  p.Fill(kMenuBar, kClient);
  p.HLine(kMenuBar.Left, kMenuBar.Right, kMenuBar.Bottom - 1, kPanelBorder);
  p.Fill(kControlBar, kClient);
  p.Frame(kControlBar, kPanelBorder);
  p.Fill(kControlBarItem, kPanel);
  p.Frame(kControlBarItem, kPanelBorder);
  for (int y = kControlBarItem.Top + 4; y < kControlBarItem.Bottom - 4; y += 3) p.Pixel(kControlBarItem.Left + 4, y, kArrow);

  // Slider rulers and thumbs.
  p.Fill(kSliderHRuler, kTrack);
  p.Frame(kSliderHRuler, kFieldBorder);
  p.Fill(kSliderVRuler, kTrack);
  p.Frame(kSliderVRuler, kFieldBorder);
  PaintPushFace(p, kSliderHThumb, bsNormal, false);
  PaintPushFace(p, kSliderVThumb, bsNormal, false);

  // Up-down buttons in three states.
  for (int s = 0; s < 3; ++s)
    for (bool up : {true, false}) {
      const TRect cell = UpDownCell(s, up);
      PaintPushFace(p, cell, TButtonState(s), false);
      PaintArrow(p, up ? arUp : arDown, cell, s == bsDown ? kArrowDown : kArrow);
    }

  // Grid cells: header, selected, focused.
  p.VGradient(GridCell(0), kButtonTop, kButtonBottom);
  p.HLine(GridCell(0).Left, GridCell(0).Right, GridCell(0).Bottom - 1, kPanelBorder);
  p.VLine(GridCell(0).Right - 1, GridCell(0).Top, GridCell(0).Bottom, kPanelBorder);
  p.Fill(GridCell(1), kSelectionIdle);
  PaintSelection(p, GridCell(2), kAccentSoft, kAccentBorder);
  return image;
}

// ---------------------------------------------------------------- picture 2, 4

// Popup menu window: a white sheet in a one-pixel border, items inset by 3.
constexpr TRect kPopupItems{3, 3, 37, 27};
QImage PaintPopupPicture() {
  QImage image(40, 30, QImage::Format_RGB32);
  P p(image);
  p.Fill({0, 0, 40, 30}, kField);
  p.Frame({0, 0, 40, 30}, kFieldBorder);
  return image;
}

// Hint window: a near-white note with a grey border.
constexpr TRect kHintClient{7, 2, 27, 13};
QImage PaintHintPicture() {
  QImage image(34, 15, QImage::Format_RGB32);
  P p(image);
  p.Fill({0, 0, 34, 15}, kHint);
  p.Frame({0, 0, 34, 15}, kHintBorder);
  return image;
}

// ---------------------------------------------------------------- picture 3

constexpr TRect kEdit{84, 58, 108, 80};
constexpr TRect kEditActive{110, 58, 134, 80};
constexpr TRect kListBox{115, 154, 182, 218};
constexpr TRect kListItem{117, 156, 174, 175};
constexpr TRect kListItemActive{184, 154, 242, 173};
constexpr TRect kListItemFocus{184, 175, 242, 194};
constexpr TRect kPanelPiece{307, 21, 374, 70};
constexpr TRect kVScroll{252, 5, 266, 52};
constexpr TRect kHScroll{252, 80, 299, 94};
constexpr TRect kBothHScroll{252, 124, 313, 138};
constexpr int kScrollLength = 47;    // the bar's piece along its length
constexpr int kScrollEndStart = 30;  // where the fixed far end begins
// Button state pieces, 12 x 12.
constexpr TRect kVDownUp{270, 5, 282, 17};       // bottom button pressed
constexpr TRect kVActiveUp{270, 18, 282, 30};    // bottom button hot
constexpr TRect kVDownDown{284, 5, 296, 17};     // top button pressed
constexpr TRect kVActiveDown{284, 18, 296, 30};  // top button hot
constexpr TRect kHDownUp{252, 96, 264, 108};
constexpr TRect kHActiveUp{265, 96, 277, 108};
constexpr TRect kHDownDown{278, 96, 290, 108};
constexpr TRect kHActiveDown{291, 96, 303, 108};
// Thumbs (10 thick, 22 long) and their grips.
TRect VThumb(int state) { return {270 + 11 * state, 32, 280 + 11 * state, 54}; }
TRect VGrip(int state) { return {270 + 7 * state, 56, 276 + 7 * state, 61}; }
TRect HThumb(int state) { return {252 + 23 * state, 110, 274 + 23 * state, 120}; }
TRect HGrip(int state) { return {322 + 6 * state, 110, 327 + 6 * state, 116}; }
constexpr int kThumbEnd = 3;  // fixed ends of a stretched thumb
constexpr TRect kSpinEdit{0, 0, 50, 22};
constexpr TRect kSpinEditActive{0, 24, 50, 46};
constexpr TRect kSpinActiveUp{52, 0, 64, 9};
constexpr TRect kSpinDownUp{52, 10, 64, 19};
constexpr TRect kSpinActiveDown{66, 0, 78, 9};
constexpr TRect kSpinDownDown{66, 10, 78, 19};
constexpr TRect kCombo{0, 50, 50, 72};
constexpr TRect kComboButtonAt{33, 2, 48, 20};  // inside the combo piece
constexpr TRect kComboActiveButton{52, 50, 67, 68};
constexpr TRect kComboDownButton{52, 70, 67, 88};
constexpr TRect kComboDisabledButton{69, 50, 84, 68};
constexpr TRect kMemo{0, 100, 40, 140};
constexpr TRect kMemoActive{42, 100, 82, 140};
constexpr TRect kListCheck{0, 144, 13, 157};
constexpr TRect kListUncheck{14, 144, 27, 157};
constexpr TRect kVSplitter{0, 230, 8, 249};
constexpr TRect kHSplitter{12, 230, 31, 238};

void PaintScrollButton(P& p, const TRect& r, TArrow arrow, TButtonState state) {
  const QColor fill = state == bsActive ? kButtonHot : state == bsDown ? kButtonPressed : kTrack;
  p.Fill(r, fill);
  if (state != bsNormal) p.SoftFrame(r, fill, P::Mix(fill, kTrack, 50));
  PaintArrow(p, arrow, r, state == bsDown ? kArrowDown : kArrow);
}

// A thumb piece: a rounded bar with its ends fixed and a uniform middle.
void PaintThumb(P& p, const TRect& r, int state) {
  const QColor fill = state == 0 ? kThumb : state == 1 ? kThumbHot : kThumbDown;
  p.Fill(r, fill);
  for (const TPoint corner : {TPoint{r.Left, r.Top}, TPoint{r.Right - 1, r.Top}, TPoint{r.Left, r.Bottom - 1},
                              TPoint{r.Right - 1, r.Bottom - 1}})
    p.Pixel(corner.X, corner.Y, P::Mix(fill, kTrack, 60));
}

// The grip: three short lines across the thumb, on the thumb's own colour.
void PaintGrip(P& p, const TRect& r, int state, bool vertical) {
  const QColor fill = state == 0 ? kThumb : state == 1 ? kThumbHot : kThumbDown;
  const QColor line = P::Mix(fill, kField, 55);
  p.Fill(r, fill);
  for (int i = 0; i < 3; ++i) {
    if (vertical) p.HLine(r.Left, r.Right, r.Top + 2 * i, line);
    else p.VLine(r.Left + 2 * i, r.Top, r.Bottom, line);
  }
}

// A scroll bar piece: the track with a separating line on the content side
// and the two buttons at the ends; `corner` adds the square that completes a
// horizontal bar under a vertical one.
void PaintScrollBar(P& p, const TRect& r, bool vertical, int corner) {
  p.Fill(r, kTrack);
  if (vertical) {
    p.VLine(r.Left, r.Top, r.Bottom, kTrackLine);
    PaintScrollButton(p, {r.Left + 1, r.Top + 1, r.Left + 13, r.Top + 13}, arUp, bsNormal);
    PaintScrollButton(p, {r.Left + 1, r.Top + 34, r.Left + 13, r.Top + 46}, arDown, bsNormal);
  } else {
    p.HLine(r.Left, r.Right, r.Top, kTrackLine);
    PaintScrollButton(p, {r.Left + 1, r.Top + 1, r.Left + 13, r.Top + 13}, arLeft, bsNormal);
    PaintScrollButton(p, {r.Left + 34, r.Top + 1, r.Left + 46, r.Top + 13}, arRight, bsNormal);
    if (corner > 0) p.VLine(r.Right - corner, r.Top, r.Bottom, kTrackLine);
  }
}

QImage PaintControlsPicture() {
  QImage image(380, 250, QImage::Format_RGB32);
  image.fill(kClient);
  P p(image);

  PaintField(p, kEdit, kFieldBorder);
  PaintField(p, kEditActive, kAccent);
  PaintField(p, kMemo, kFieldBorder);
  PaintField(p, kMemoActive, kAccent);

  // The list: a white sheet whose inside also serves as the plain item.
  PaintField(p, kListBox, kFieldBorder);
  PaintSelection(p, kListItemActive, kSelectionIdle, kSelectionIdleBorder);
  PaintSelection(p, kListItemFocus, kAccentSoft, kAccentBorder);
  PaintCheckBox(p, kListCheck.Left, kListCheck.Top, true, bsNormal);
  PaintCheckBox(p, kListUncheck.Left, kListUncheck.Top, false, bsNormal);

  // Spin edit: a field with two stacked buttons in its right end.
  for (const auto& [r, border] : {std::pair{kSpinEdit, kFieldBorder}, std::pair{kSpinEditActive, kAccent}}) {
    PaintField(p, r, border);
    PaintScrollButton(p, {r.Left + 36, r.Top + 2, r.Left + 48, r.Top + 11}, arUp, bsNormal);
    PaintScrollButton(p, {r.Left + 36, r.Top + 11, r.Left + 48, r.Top + 20}, arDown, bsNormal);
  }
  PaintScrollButton(p, kSpinActiveUp, arUp, bsActive);
  PaintScrollButton(p, kSpinDownUp, arUp, bsDown);
  PaintScrollButton(p, kSpinActiveDown, arDown, bsActive);
  PaintScrollButton(p, kSpinDownDown, arDown, bsDown);

  // Combo box: a field with a drop button in its right end.
  PaintField(p, kCombo, kFieldBorder);
  const TRect comboButton{kCombo.Left + kComboButtonAt.Left, kCombo.Top + kComboButtonAt.Top,
                          kCombo.Left + kComboButtonAt.Right, kCombo.Top + kComboButtonAt.Bottom};
  PaintScrollButton(p, comboButton, arDown, bsNormal);
  PaintScrollButton(p, kComboActiveButton, arDown, bsActive);
  PaintScrollButton(p, kComboDownButton, arDown, bsDown);
  p.Fill(kComboDisabledButton, kButtonDisabled);
  PaintArrow(p, arDown, kComboDisabledButton, kGlyphInactive);

  // Scroll bars, their button states, thumbs and grips.
  PaintScrollBar(p, kVScroll, true, 0);
  PaintScrollBar(p, kHScroll, false, 0);
  PaintScrollBar(p, kBothHScroll, false, 14);
  PaintScrollButton(p, kVDownUp, arDown, bsDown);
  PaintScrollButton(p, kVActiveUp, arDown, bsActive);
  PaintScrollButton(p, kVDownDown, arUp, bsDown);
  PaintScrollButton(p, kVActiveDown, arUp, bsActive);
  PaintScrollButton(p, kHDownUp, arRight, bsDown);
  PaintScrollButton(p, kHActiveUp, arRight, bsActive);
  PaintScrollButton(p, kHDownDown, arLeft, bsDown);
  PaintScrollButton(p, kHActiveDown, arLeft, bsActive);
  for (int s = 0; s < 3; ++s) {
    PaintThumb(p, VThumb(s), s);
    PaintGrip(p, VGrip(s), s, true);
    PaintThumb(p, HThumb(s), s);
    PaintGrip(p, HGrip(s), s, false);
  }

  // Panel: the window background in a light one-pixel frame.
  p.Fill(kPanelPiece, kPanel);
  p.Frame(kPanelPiece, kPanelBorder);

  // Splitters: a quiet bar with hairlines along both sides.
  p.Fill(kVSplitter, kClient);
  p.VLine(kVSplitter.Left + 3, kVSplitter.Top, kVSplitter.Bottom, kPanelBorder);
  p.VLine(kVSplitter.Left + 4, kVSplitter.Top, kVSplitter.Bottom, kField);
  p.Fill(kHSplitter, kClient);
  p.HLine(kHSplitter.Left, kHSplitter.Right, kHSplitter.Top + 3, kPanelBorder);
  p.HLine(kHSplitter.Left, kHSplitter.Right, kHSplitter.Top + 4, kField);
  return image;
}

// ---------------------------------------------------------------- records

void SetPoints(TbsDataSkinCustomControl& c, TPoint lt, TPoint rt, TPoint lb, TPoint rb, TRect client) {
  c.LeftTopPoint = lt, c.RightTopPoint = rt, c.LeftBottomPoint = lb, c.RightBottomPoint = rb;
  c.ClientRect = client;
}

// A piece that follows the width only, with fixed ends of `left` and `right`.
void SetHorizontal(TbsDataSkinCustomControl& c, int left, int right, TRect client) {
  const int width = c.SkinRect.Width();
  SetPoints(c, {left, 0}, {width - right, 0}, {0, 0}, {0, 0}, client);
}

// A piece that follows both sizes around a client rectangle.
void SetFull(TbsDataSkinCustomControl& c, int corner, TRect client) {
  const int w = c.SkinRect.Width(), h = c.SkinRect.Height();
  SetPoints(c, {corner, corner}, {w - corner, corner}, {corner, h - corner}, {w - corner, h - corner}, client);
}

void AddObjects(TGeneratedSkin& skin) {
  auto& menu = skin.AddObject<TbsDataSkinMenuItem>("MENUITEM", "menuitem");
  menu.ActivePictureIndex = kCaptionPicture;
  menu.SkinRectInAPicture = true;
  menu.SkinRect = kMenuItem;
  menu.ActiveSkinRect = kMenuItemActive;
  menu.Morphing = true;
  menu.ItemLeftOffset = menu.ItemRightOffset = 2;
  menu.DividerRect = kMenuDivider;
  menu.DividerLeftOffset = menu.DividerRightOffset = 4;
  menu.TextRect = {24, 0, 36, 20};  // a column for check marks on the left
  menu.FontColor = kTextSoft;
  menu.ActiveFontColor = kText;
  menu.UnEnabledFontColor = kTextDim;

  // The caption lies in the frame picture between the two corner zones, so
  // it grows with the window; the buttons then trim its ends.
  auto& caption = skin.AddObject<TbsDataSkinCaption>("caption1", "caption");
  caption.SkinRect = {26, 1, 148, 25};
  caption.TextRect = {4, 0, 118, 24};
  caption.FontColor = kCaptionTextInactive;
  caption.ActiveFontColor = kCaptionText;
  caption.Alignment = taLeftJustify;

  struct ButtonSpec {
    const char* name;
    const char* hint;
    TCaptionGlyph glyph;
    TbsStdCommand command;
  };
  const ButtonSpec buttons[] = {{"closebutton", "Close", cgClose, cmClose},
                                {"maxbutton", "Maximize", cgMaximize, cmMaximize},
                                {"minbutton", "Minimize", cgMinimize, cmMinimize},
                                {"rollupbutton", "Roll Up", cgRollUp, cmRollUp},
                                {"sysmenubutton", "System menu", cgSysMenu, cmSysMenu}};
  for (const ButtonSpec& spec : buttons) {
    auto& button = skin.AddObject<TbsDataSkinStdButton>(spec.name, "stdbutton");
    button.Hint = spec.hint;
    button.ActivePictureIndex = kCaptionPicture;
    button.SkinRectInAPicture = true;
    button.SkinRect = CaptionButtonCell(spec.glyph, bsNormal);
    button.ActiveSkinRect = CaptionButtonCell(spec.glyph, bsActive);
    button.DownRect = CaptionButtonCell(spec.glyph, bsDown);
    button.InActiveSkinRect = CaptionButtonCell(spec.glyph, bsInactive);
    button.Morphing = true;
    button.MorphKind = mkDefault;
    button.Command = spec.command;
    if (spec.command == cmRollUp) {
      // Rolled up, the button offers to roll down.
      button.RestoreRect = CaptionButtonCell(cgRollDown, bsNormal);
      button.RestoreActiveRect = CaptionButtonCell(cgRollDown, bsActive);
      button.RestoreDownRect = CaptionButtonCell(cgRollDown, bsDown);
      button.RestoreInActiveRect = CaptionButtonCell(cgRollDown, bsInactive);
    }
  }

  auto& barItem = skin.AddObject<TbsDataSkinMainMenuBarItem>("mainmenubaritem", "mainmenubaritem");
  barItem.ActivePictureIndex = kCaptionPicture;
  barItem.SkinRectInAPicture = true;
  barItem.SkinRect = kBarItem;
  barItem.ActiveSkinRect = kBarItemActive;
  barItem.DownRect = kBarItemDown;
  barItem.ItemLeftOffset = barItem.ItemRightOffset = 3;
  barItem.TextRect = {6, 0, 24, 20};
  barItem.FontColor = kTextSoft;
  barItem.ActiveFontColor = barItem.DownFontColor = kText;
  barItem.UnEnabledFontColor = kTextDim;

  const std::pair<const char*, TBarButton> barButtons[] = {{"menubarsysmenubutton", bbSysMenu},
                                                           {"menubarclosebutton", bbClose},
                                                           {"menubarmaxbutton", bbMaximize},
                                                           {"menubarminbutton", bbMinimize}};
  for (const auto& [name, kind] : barButtons) {
    auto& button = skin.AddObject<TbsDataSkinMainMenuBarButton>(name, "mainmenubarbutton");
    button.ActivePictureIndex = kCaptionPicture;
    button.SkinRectInAPicture = true;
    button.SkinRect = BarButtonCell(kind, bsNormal);
    button.ActiveSkinRect = BarButtonCell(kind, bsActive);
    button.DownRect = BarButtonCell(kind, bsDown);
    button.Command = kind == bbClose ? cmClose : kind == bbMaximize ? cmMaximize : kind == bbMinimize ? cmMinimize : cmSysMenu;
  }
}

template <class Record>
void SetFont(Record& r, TColor colour) {
  r.FontName = "Arial";
  r.FontHeight = 14;
  r.FontColor = colour;
}

void AddButtonControls(TGeneratedSkin& skin) {
  const auto setButton = [](TbsDataSkinButtonControl& b, int top, int height, int width) {
    b.PictureIndex = kButtonsPicture;
    b.SkinRect = PushCell(top, height, bsNormal, width);
    b.ActiveSkinRect = PushCell(top, height, bsActive, width);
    b.DownSkinRect = PushCell(top, height, bsDown, width);
    b.DisabledSkinRect = PushCell(top, height, bsInactive, width);
    SetFont(b, kText);
    b.ActiveFontColor = b.DownFontColor = kText;
    b.DisabledFontColor = kTextGrey;
    b.Morphing = true;
    b.MorphKind = mkDefault;
  };
  auto& menuButton = skin.AddControl<TbsDataSkinMenuButtonControl>("menubutton", "menubutton");
  setButton(menuButton, kMenuButtonTop, kButtonHeight, kMenuButtonWidth);
  SetPoints(menuButton, {4, 4}, {20, 4}, {0, 0}, {0, 0}, {3, 3, 23, 22});
  menuButton.TrackButtonRect = {24, 0, 40, 25};

  // 25 pixels high, following the width only.
  auto& button = skin.AddControl<TbsDataSkinButtonControl>("button", "button");
  setButton(button, kPushButtonTop, kButtonHeight, kPushWidth);
  SetPoints(button, {4, 4}, {20, 4}, {0, 0}, {0, 0}, {3, 3, 21, 22});

  // Any size: the rename button with its large glyph.
  auto& resize = skin.AddControl<TbsDataSkinButtonControl>("resizebutton", "button");
  setButton(resize, kResizeTop, kResizeHeight, kPushWidth);
  SetFull(resize, 4, {3, 3, 21, 21});
}

void AddControls(TGeneratedSkin& skin) {
  auto& panel = skin.AddControl<TbsDataSkinPanelControl>("panel", "panel");
  panel.PictureIndex = kControlsPicture;
  panel.SkinRect = kPanelPiece;
  SetPoints(panel, {2, 2}, {63, 2}, {2, 45}, {63, 45}, {1, 1, 66, 48});
  SetFont(panel, kText);

  auto& ex = skin.AddControl<TbsDataSkinExPanelControl>("expanel", "expanel");
  ex.PictureIndex = kButtonsPicture;
  ex.SkinRect = kExPanel;
  SetPoints(ex, {3, 22}, {57, 22}, {3, 57}, {57, 57}, {1, 22, 59, 59});
  ex.RollHSkinRect = {kExPanel.Left, kExPanel.Top, kExPanel.Right, kExPanel.Top + 22};
  ex.RollVSkinRect = kExRollV;
  ex.RollLeftOffset = ex.RollRightOffset = ex.RollTopOffset = ex.RollBottomOffset = 3;
  ex.RollVCaptionRect = {0, 24, 22, 57};
  ex.RollHCaptionRect = {4, 1, 28, 21};
  ex.CloseButtonRect = ExButtonCell(egClose, bsNormal);
  ex.CloseButtonActiveRect = ExButtonCell(egClose, bsActive);
  ex.CloseButtonDownRect = ExButtonCell(egClose, bsDown);
  ex.HRollButtonRect = ExButtonCell(egUp, bsNormal);
  ex.HRollButtonActiveRect = ExButtonCell(egUp, bsActive);
  ex.HRollButtonDownRect = ExButtonCell(egUp, bsDown);
  ex.HRestoreButtonRect = ExButtonCell(egDown, bsNormal);
  ex.HRestoreButtonActiveRect = ExButtonCell(egDown, bsActive);
  ex.HRestoreButtonDownRect = ExButtonCell(egDown, bsDown);
  ex.VRollButtonRect = ExButtonCell(egLeft, bsNormal);
  ex.VRollButtonActiveRect = ExButtonCell(egLeft, bsActive);
  ex.VRollButtonDownRect = ExButtonCell(egLeft, bsDown);
  ex.VRestoreButtonRect = ExButtonCell(egRight, bsNormal);
  ex.VRestoreButtonActiveRect = ExButtonCell(egRight, bsActive);
  ex.VRestoreButtonDownRect = ExButtonCell(egRight, bsDown);
  ex.CaptionRect = {4, 1, 28, 21};
  SetFont(ex, kCaptionText);

  AddButtonControls(skin);

  const auto setMarks = [](TbsDataSkinCheckRadioControl& c, const TRect& piece, int imagesTop) {
    c.PictureIndex = kButtonsPicture;
    c.SkinRect = piece;
    SetHorizontal(c, 20, 4, {0, 0, piece.Width(), piece.Height()});
    SetFont(c, kText);
    c.ActiveFontColor = c.FrameFontColor = kText;
    c.UnEnabledFontColor = kTextGrey;
    c.CheckImageArea = {2, 3, 15, 16};
    c.TextArea = {20, 0, piece.Width() - 2, piece.Height()};
    c.CheckImageRect = MarkCell(imagesTop, 0);
    c.UnCheckImageRect = MarkCell(imagesTop, 1);
    c.ActiveCheckImageRect = MarkCell(imagesTop, 2);
    c.ActiveUnCheckImageRect = MarkCell(imagesTop, 3);
    c.UnEnabledCheckImageRect = MarkCell(imagesTop, 4);
    c.UnEnabledUnCheckImageRect = MarkCell(imagesTop, 5);
  };
  setMarks(skin.AddControl<TbsDataSkinCheckRadioControl>("checkbox", "checkradio"), kCheckBox, kCheckImagesTop);
  setMarks(skin.AddControl<TbsDataSkinCheckRadioControl>("radiobox", "checkradio"), kRadioBox, kRadioImagesTop);

  auto& gauge = skin.AddControl<TbsDataSkinGaugeControl>("gauge", "gauge");
  gauge.PictureIndex = kButtonsPicture;
  gauge.SkinRect = kGauge;
  SetHorizontal(gauge, 3, 3, {2, 2, 58, 16});
  gauge.ProgressArea = {2, 2, 58, 16};
  gauge.ProgressRect = kGaugeProgress;
  SetFont(gauge, kText);

  // Splitters: 8 pixels thick, uniform along their length.
  auto& vsplitter = skin.AddControl<TbsDataSkinSplitterControl>("vsplitter", "splitter");
  vsplitter.PictureIndex = kControlsPicture;
  vsplitter.SkinRect = kVSplitter;
  SetPoints(vsplitter, {0, 4}, {0, 0}, {0, 15}, {0, 0}, {0, 0, 0, 0});
  auto& hsplitter = skin.AddControl<TbsDataSkinSplitterControl>("hsplitter", "splitter");
  hsplitter.PictureIndex = kControlsPicture;
  hsplitter.SkinRect = kHSplitter;
  SetPoints(hsplitter, {4, 0}, {15, 0}, {0, 0}, {0, 0}, {0, 0, 0, 0});

  auto& track = skin.AddControl<TbsDataSkinTrackBarControl>("trackbar", "trackbar");
  track.PictureIndex = kButtonsPicture;
  track.SkinRect = kTrackBar;
  SetHorizontal(track, 6, 6, {0, 0, 60, 22});
  track.TrackArea = {6, 0, 54, 22};
  track.ButtonRect = kTrackThumb;
  track.ActiveButtonRect = kTrackThumbActive;

  SetFont(skin.AddControl<TbsDataSkinLabelControl>("label", "label"), kText);

  auto& stdLabel = skin.AddControl<TbsDataSkinStdLabelControl>("stdlabel", "stdlabel");
  SetFont(stdLabel, kText);
  stdLabel.ActiveFontColor = kLinkHot;

  auto& updown = skin.AddControl<TbsDataSkinUpDownControl>("updown", "updown");
  updown.PictureIndex = kButtonsPicture;
  updown.SkinRect = {UpDownCell(0, true).Left, UpDownCell(0, true).Top, UpDownCell(0, false).Right,
                     UpDownCell(0, false).Bottom};
  updown.UpButtonRect = UpDownCell(0, true);
  updown.ActiveUpButtonRect = UpDownCell(1, true);
  updown.DownUpButtonRect = UpDownCell(2, true);
  updown.DownButtonRect = UpDownCell(0, false);
  updown.ActiveDownButtonRect = UpDownCell(1, false);
  updown.DownDownButtonRect = UpDownCell(2, false);

  auto& grid = skin.AddControl<TbsDataSkinGridControl>("grid", "grid");
  grid.PictureIndex = kButtonsPicture;
  grid.FixedCellRect = GridCell(0);
  grid.SelectCellRect = GridCell(1);
  grid.FocusCellRect = GridCell(2);
  grid.FixedCellLeftOffset = grid.FixedCellRightOffset = 2;
  grid.FixedCellTextRect = {2, 2, 38, 18};
  grid.CellLeftOffset = grid.CellRightOffset = 2;
  grid.CellTextRect = {2, 2, 38, 18};
  grid.LinesColor = kGridLine;
  grid.BGColor = kFieldColor;
  SetFont(grid, kText);
  grid.SelectFontColor = grid.FocusFontColor = grid.FixedFontColor = kText;

  auto& tab = skin.AddControl<TbsDataSkinTabControl>("tab", "tab");
  tab.PictureIndex = kButtonsPicture;
  tab.SkinRect = kTabPage;
  tab.TabRect = kTabNormal;
  tab.ActiveTabRect = tab.FocusTabRect = kTabActive;
  tab.MouseInTabRect = kTabHot;
  tab.ClientRect = {1, 1, 59, 43};
  tab.LeftTopPoint = {3, 3}, tab.RightTopPoint = {57, 3}, tab.LeftBottomPoint = {3, 41}, tab.RightBottomPoint = {57, 41};
  tab.TabLeftOffset = tab.TabRightOffset = 3;
  tab.TabsBGRect = kTabStrip;
  SetFont(tab, kTextSoft);
  tab.ActiveFontColor = tab.FocusFontColor = tab.MouseInFontColor = kText;
  tab.UpDown = "updown";

  auto& menuBar = skin.AddControl<TbsDataSkinMainMenuBar>("mainmenubar", "mainmenubar");
  menuBar.PictureIndex = kButtonsPicture;
  menuBar.SkinRect = kMenuBar;
  menuBar.ItemsRect = {2, 0, 58, 19};
  menuBar.MenuBarItem = "mainmenubaritem";
  menuBar.CloseButton = "menubarclosebutton";
  menuBar.MinButton = "menubarminbutton";
  menuBar.MaxButton = "menubarmaxbutton";
  menuBar.SysMenuButton = "menubarsysmenubutton";
  menuBar.TrackMarkColor = kTextDim;
  menuBar.TrackMarkActiveColor = kTextAccent;

  auto& controlBar = skin.AddControl<TbsDataSkinControlBar>("controlbar", "controlbar");
  controlBar.PictureIndex = kButtonsPicture;
  controlBar.SkinRect = kControlBar;
  SetFull(controlBar, 2, {1, 1, 59, 29});
  controlBar.ItemRect = kControlBarItem;

  // Fields.
  const auto setEdit = [](TbsDataSkinEditControl& e, TRect normal, TRect active) {
    e.PictureIndex = kControlsPicture;
    e.SkinRect = normal;
    e.ActiveSkinRect = active;
    SetFont(e, kText);
    e.ActiveFontColor = kText;
    e.DisabledFontColor = kTextGrey;
  };
  auto& memo = skin.AddControl<TbsDataSkinMemoControl>("memo", "memo");
  setEdit(memo, kMemo, kMemoActive);
  SetFull(memo, 3, {2, 2, 38, 38});
  memo.BGColor = memo.ActiveBGColor = kFieldColor;

  // The four fields of the main window: 22 high, 4-pixel ends.
  auto& edit = skin.AddControl<TbsDataSkinEditControl>("edit", "edit");
  setEdit(edit, kEdit, kEditActive);
  SetPoints(edit, {4, 13}, {20, 12}, {0, 0}, {0, 0}, {2, 2, 22, 20});

  const auto setList = [](TbsDataSkinListBox& l) {
    l.PictureIndex = kControlsPicture;
    l.SkinRect = kListBox;
    SetPoints(l, {2, 2}, {65, 2}, {2, 62}, {65, 62}, {1, 1, 66, 63});
    l.ItemRect = kListItem;
    l.ActiveItemRect = kListItemActive;
    l.FocusItemRect = kListItemFocus;
    l.ItemLeftOffset = l.ItemRightOffset = 4;
    l.ItemTextRect = {2, 2, 55, 17};
    SetFont(l, kText);
    l.ActiveFontColor = l.FocusFontColor = kText;
    l.CaptionFontColor = kText;
    l.VScrollBarName = "vscrollbar";
    l.HScrollBarName = "hscrollbar";
    l.BothHScrollBarName = "bothhscrollbar";
  };
  auto& checkList = skin.AddControl<TbsDataSkinCheckListBox>("checklistbox", "checklistbox");
  setList(checkList);
  checkList.ItemCheckRect = {2, 3, 15, 16};
  checkList.CheckImageRect = kListCheck;
  checkList.UnCheckImageRect = kListUncheck;
  setList(skin.AddControl<TbsDataSkinListBox>("listbox", "listbox"));

  auto& combo = skin.AddControl<TbsDataSkinComboBox>("combobox", "combobox");
  combo.PictureIndex = kControlsPicture;
  combo.SkinRect = kCombo;
  SetHorizontal(combo, 4, 20, {2, 2, 31, 20});
  combo.ItemRect = kListItem;
  combo.FocusItemRect = kListItemFocus;
  combo.ItemLeftOffset = combo.ItemRightOffset = 4;
  combo.ItemTextRect = {2, 2, 55, 17};
  SetFont(combo, kText);
  combo.FocusFontColor = kText;
  combo.ListBoxName = "listbox";
  combo.ButtonRect = kComboButtonAt;
  combo.ActiveButtonRect = kComboActiveButton;
  combo.DownButtonRect = kComboDownButton;
  combo.UnEnabledButtonRect = kComboDisabledButton;

  // Scroll bars: 14 thick; the vertical one follows its height only, the
  // horizontal ones their width only.
  auto& v = skin.AddControl<TbsDataSkinScrollBarControl>("vscrollbar", "scrollbar");
  v.PictureIndex = kControlsPicture;
  v.SkinRect = kVScroll;
  SetPoints(v, {0, 14}, {0, 0}, {0, kScrollEndStart}, {0, 0}, {1, 13, 13, 34});
  v.TrackArea = {1, 13, 13, 34};
  v.UpButtonRect = {1, 34, 13, 46};
  v.ActiveUpButtonRect = kVActiveUp;
  v.DownUpButtonRect = kVDownUp;
  v.DownButtonRect = {1, 1, 13, 13};
  v.ActiveDownButtonRect = kVActiveDown;
  v.DownDownButtonRect = kVDownDown;
  v.ThumbRect = VThumb(0);
  v.ActiveThumbRect = VThumb(1);
  v.DownThumbRect = VThumb(2);
  v.ThumbOffset1 = v.ThumbOffset2 = kThumbEnd;
  v.GlyphRect = VGrip(0);
  v.ActiveGlyphRect = VGrip(1);
  v.DownGlyphRect = VGrip(2);

  const auto setHorizontalBar = [](TbsDataSkinScrollBarControl& h, const TRect& piece) {
    h.PictureIndex = kControlsPicture;
    h.SkinRect = piece;
    SetPoints(h, {14, 0}, {kScrollEndStart, 0}, {0, 0}, {0, 0}, {13, 1, 34, 13});
    h.TrackArea = {13, 1, 34, 13};
    h.UpButtonRect = {34, 1, 46, 13};
    h.ActiveUpButtonRect = kHActiveUp;
    h.DownUpButtonRect = kHDownUp;
    h.DownButtonRect = {1, 1, 13, 13};
    h.ActiveDownButtonRect = kHActiveDown;
    h.DownDownButtonRect = kHDownDown;
    h.ThumbRect = HThumb(0);
    h.ActiveThumbRect = HThumb(1);
    h.DownThumbRect = HThumb(2);
    h.ThumbOffset1 = h.ThumbOffset2 = kThumbEnd;
    h.GlyphRect = HGrip(0);
    h.ActiveGlyphRect = HGrip(1);
    h.DownGlyphRect = HGrip(2);
  };
  setHorizontalBar(skin.AddControl<TbsDataSkinScrollBarControl>("hscrollbar", "scrollbar"), kHScroll);
  // The same bar with the corner square under a vertical bar at its right.
  setHorizontalBar(skin.AddControl<TbsDataSkinScrollBarControl>("bothhscrollbar", "scrollbar"), kBothHScroll);

  auto& spin = skin.AddControl<TbsDataSkinSpinEditControl>("spinedit", "spinedit");
  spin.PictureIndex = kControlsPicture;
  spin.SkinRect = kSpinEdit;
  spin.ActiveSkinRect = kSpinEditActive;
  SetHorizontal(spin, 4, 18, {2, 2, 34, 20});
  SetFont(spin, kText);
  spin.ActiveFontColor = kText;
  spin.DisabledFontColor = kTextGrey;
  spin.UpButtonRect = {36, 2, 48, 11};
  spin.ActiveUpButtonRect = kSpinActiveUp;
  spin.DownUpButtonRect = kSpinDownUp;
  spin.DownButtonRect = {36, 11, 48, 20};
  spin.ActiveDownButtonRect = kSpinActiveDown;
  spin.DownDownButtonRect = kSpinDownDown;

  auto& scrollBox = skin.AddControl<TbsDataSkinScrollBoxControl>("scrollbox", "scrollbox");
  scrollBox.PictureIndex = kControlsPicture;
  scrollBox.SkinRect = kPanelPiece;
  SetPoints(scrollBox, {2, 2}, {63, 2}, {2, 45}, {63, 45}, {1, 1, 66, 48});

  auto& tree = skin.AddControl<TbsDataSkinTreeView>("treeview", "treeview");
  SetFont(tree, kText);
  tree.BGColor = kFieldColor;

  auto& bevel = skin.AddControl<TbsDataSkinBevel>("bevel", "bevel");
  bevel.LightColor = kFieldColor;
  bevel.DarkColor = kBevelDark;

  auto& slider = skin.AddControl<TbsDataSkinSlider>("slider", "slider");
  slider.PictureIndex = kButtonsPicture;
  slider.BGColor = kSliderBG;
  slider.HRulerRect = kSliderHRuler;
  slider.HThumbRect = kSliderHThumb;
  slider.VRulerRect = kSliderVRuler;
  slider.VThumbRect = kSliderVThumb;
  slider.EdgeSize = 4;
  slider.PointsColor = kTextDim;

  auto& listView = skin.AddControl<TbsDataSkinListView>("listview", "listview");
  SetFont(listView, kText);
  listView.BGColor = kFieldColor;

  auto& richEdit = skin.AddControl<TbsDataSkinRichEdit>("richedit", "richedit");
  SetFont(richEdit, kText);
  richEdit.BGColor = kFieldColor;

  // After the default skin's records, so both skins number those alike.
  if (kDressPlainControls) {
    auto& group = skin.AddControl<TbsDataSkinBevel>("groupbox", "bevel");
    group.LightColor = kGroupFrameLight;
    group.DarkColor = kGroupFrameDark;
    auto& link = skin.AddControl<TbsDataSkinStdLabelControl>("linklabel", "stdlabel");
    SetFont(link, kText);
    link.ActiveFontColor = kLinkHot;
  }
}

}  // namespace

void BuildDefaultSkin(TGeneratedSkin& skin) {
  TbsSkinData& g = skin.Globals;
  g.SkinName = kSkinName;
  g.SkinAuthor = "Batch Renamer";
  g.SkinComments = kSkinComments;

  g.PictureName = "frame.bmp";
  skin.Picture = PaintFramePicture(kFrameWidth, kFrameHeight, kFrameClient);
  skin.AddActivePicture("caption.bmp", PaintCaptionPicture());
  skin.AddActivePicture("buttons.bmp", PaintButtonsPicture());
  skin.AddActivePicture("popup.bmp", PaintPopupPicture());
  skin.AddActivePicture("controls.bmp", PaintControlsPicture());
  skin.AddActivePicture("hint.bmp", PaintHintPicture());

  // The corner points lie inside the client rectangle, so nothing moves
  // them; every edge between them is uniform.
  g.LeftTopPoint = {40, 30};
  g.RightTopPoint = {137, 30};
  g.LeftBottomPoint = {40, 110};
  g.RightBottomPoint = {137, 110};
  g.ClientRect = kFrameClient;
  // Corners grab for sizing 12 pixels along each edge.
  g.HitTestLeftTopPoint = {12, 12};
  g.HitTestRightTopPoint = {164, 12};
  g.HitTestLeftBottomPoint = {12, 111};
  g.HitTestRightBottomPoint = {164, 111};
  // The buttons sit at the right of the caption row, the system menu at its left.
  g.CaptionRect = {5, 1, 176, 25};
  g.ButtonsOffset = 0;
  g.BorderWidth = 4;

  skin.Globals.PopupWindowRecord.WindowPictureIndex = kPopupPicture;
  auto& popup = skin.Globals.PopupWindowRecord;
  popup.LeftTopPoint = {kPopupItems.Left, kPopupItems.Top};
  popup.RightTopPoint = {kPopupItems.Right, kPopupItems.Top};
  popup.LeftBottomPoint = {kPopupItems.Left, kPopupItems.Bottom};
  popup.RightBottomPoint = {kPopupItems.Right, kPopupItems.Bottom};
  popup.ItemsRect = kPopupItems;
  popup.ScrollMarkerColor = kMarker;
  popup.ScrollMarkerActiveColor = kTextAccent;

  auto& hint = skin.Globals.HintWindowRecord;
  hint.WindowPictureIndex = kHintPicture;
  hint.MaskPictureIndex = -1;
  hint.LeftTopPoint = {kHintClient.Left, kHintClient.Top};
  hint.RightTopPoint = {kHintClient.Right, kHintClient.Top};
  hint.LeftBottomPoint = {kHintClient.Left, kHintClient.Bottom};
  hint.RightBottomPoint = {kHintClient.Right, kHintClient.Bottom};
  hint.ClientRect = kHintClient;
  hint.FontName = "Arial";
  hint.FontHeight = 14;
  hint.FontColor = kText;

  AddObjects(skin);
  AddControls(skin);
}

}  // namespace defaultskin
