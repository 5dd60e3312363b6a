// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One row of a skinned popup window: the framework item it shows, the look
// it takes from the skin's menu-item record (copied when the popup opens, so
// a skin that changes or goes while the menu is open is never read), its
// place in the popup and its highlight with the fade towards it.

#include <QPointer>
#include <string>

#include "framework/tbitmap.h"
#include "framework/tcanvas.h"
#include "framework/tfont.h"
#include "framework/tmenuitem.h"
#include "framework/trect.h"

class TbsDataSkinMenuItem;
class TbsSkinData;

// What every item of one popup shares when it draws.
struct TbsMenuPaintContext {
  bool Skinned = false;     // the item record's look (else the plain one)
  TFont Font;               // the menu's font; its colour is set per item
  int GlyphColumnWidth = 19;
};

class TbsSkinMenuItem {
 public:
  static constexpr double kMorphStep = 0.2;  // fade step per morph tick
  static constexpr int kSeparatorHeight = 4;  // a plain separator

  // `record` may be null (the plain look); its active picture is looked up
  // in `skinData`.
  TbsSkinMenuItem(TMenuItem* item, const TbsDataSkinMenuItem* record, const TbsSkinData* skinData);

  TMenuItem* MenuItem() const { return FMenuItem.data(); }
  bool HasRecord() const { return FHasRecord; }
  // The caption, or "" once the framework item has gone.
  std::string Caption() const;
  bool IsLine() const;
  bool Enabled() const;
  bool HasSubItems() const;
  // Enabled and not a separator: the keyboard and the mouse may stop on it.
  bool Selectable() const { return Enabled() && !IsLine(); }

  // The row height: the record's item or divider piece, else the default.
  int Height(int defaultItemHeight) const;
  // Caption plus two spaces and the shortcut text, as measured for the width.
  std::string MeasuredText() const;

  // Moves the fade one step; false once it has arrived.
  bool MorphStep();
  bool Fading() const;

  void Draw(TCanvas& canvas, const TbsMenuPaintContext& context) const;

  TRect ItemRect;
  bool Visible = false;
  bool Highlighted = false;
  bool Pressed = false;
  double MorphFactor = 0;

  // The record's values, copied.
  TBitmap ActivePicture;
  TRect SkinRect, ActiveSkinRect, DividerRect, TextRect;
  int ItemLeftOffset = 0, ItemRightOffset = 0, DividerLeftOffset = 0, DividerRightOffset = 0;
  TColor FontColor = clWindowText, ActiveFontColor = clWindowText, UnEnabledFontColor = clBtnShadow;
  bool Morphing = false;
  int MorphKind = 0;

 private:
  void DrawSkinned(TCanvas& canvas, const TbsMenuPaintContext& context) const;
  void DrawPlain(TCanvas& canvas, const TbsMenuPaintContext& context) const;
  void DrawGlyph(TCanvas& canvas, TColor color) const;
  void DrawTexts(TCanvas& canvas, const TbsMenuPaintContext& context, TColor color, int textLeft,
                 int textRight) const;

  QPointer<TMenuItem> FMenuItem;
  bool FHasRecord = false;
};
