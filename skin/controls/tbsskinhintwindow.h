// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hint window drawn from the skin's [HINTWINDOW] record: the record's
// picture stretched around the text by its corner points, the text centred
// in the sized client rectangle. It takes its skin and fonts from the active
// skin hint component of the main form; without one it shows nothing.

#include <QPointer>
#include <QRegion>
#include <functional>
#include <optional>
#include <string>

#include "framework/tbitmap.h"
#include "framework/tfont.h"
#include "framework/thintwindow.h"

class TbsSkinData;
class TbsSkinHint;

class TbsSkinHintWindow : public THintWindow {
  Q_OBJECT
 public:
  TbsSkinHintWindow();
  ~TbsSkinHintWindow() override;

  // Shows `text` with its top-left at R's (R's size is ignored), sized from
  // the skin, moved left or up when it would leave the screen.
  void ShowHintWindow(const TRect& R, const std::string& text);
  // The size ShowHintWindow gives `text` with the current owner and skin.
  TRect CalcHintRect(int maxWidth, const std::string& hint) override;
  void ActivateHint(const TRect& rect, const std::string& hint) override;
  // Takes `text`, the skin (null or a skin without a usable [HINTWINDOW]
  // picture: the default look) and the fonts, and sizes the window and its
  // shape for them without showing it; grab() then gives the hint's picture.
  void PrepareHint(const std::string& text, TbsSkinData* skinData, const TFont& defaultFont, bool useSkinFont);

  // The record's client rectangle and corner points at the window's size.
  TRect SizedClientRect;
  TPoint SizedLeftTopPoint, SizedRightTopPoint, SizedLeftBottomPoint, SizedRightBottomPoint;
  // The skin of the hint shown last; null for the default look.
  TbsSkinData* HintSkinData() const { return FHintSkinData.data(); }
  TbsSkinHint* OwnerHint() const { return FOwnerHint.data(); }
  // The shape from the record's mask, none for a plain rectangle.
  const std::optional<QRegion>& HintRegion() const { return FRegion; }

  // Draws the window as it is now into `canvas` (W by H).
  void Paint(TCanvas& canvas) override;

  // The widest the window may be, 0 for no limit: a longer text wraps into
  // more lines. Takes effect at the next show.
  void SetMaxWidth(int value) { FMaxWidth = value; }
  // When set, the window takes the pointer (a hint lets it through) and a
  // press on it runs this.
  void SetOnClick(std::function<void()> value);
  // Told to assistive technology as an alert (a report to be heard), not as
  // a tool tip; nothing changes on the screen.
  bool Alert() const { return FAlert; }
  void SetAlert(bool value) { FAlert = value; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // The skin's hint picture when the skin data can draw a hint, else null.
  static TBitmap* HintPicture(const TbsSkinData* skinData);
  void DrawSkinned(TBitmap& buffer, const TBitmap& picture);
  void DrawDefault(TBitmap& buffer);
  // Lines break at line breaks, and between words too when a width is set.
  int TextFlags() const;

  QPointer<TbsSkinHint> FOwnerHint;
  QPointer<TbsSkinData> FHintSkinData;
  std::optional<QRegion> FRegion;
  bool FLastAlphaBlend = false;
  int FLastAlphaBlendValue = 0;
  TFont FHintFont;
  int FTextWidth = 0, FTextHeight = 0;
  int FMaxWidth = 0;
  std::function<void()> FOnClick;
  bool FAlert = false;
};

// The first active skin hint component of the application's main form.
TbsSkinHint* FindActiveSkinHint();
