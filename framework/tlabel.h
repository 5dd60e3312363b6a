// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text on its parent's background. TCustomLabel draws its caption through one
// routine (DoDrawText) that also measures it for AutoSize, so a label that
// draws differently (another font, a second pass) sizes itself the same way.

#include <QPointer>
#include <string>

#include "framework/talignment.h"
#include "framework/tcontrol.h"

class TCanvas;
class QShortcut;

enum TTextLayout { tlTop, tlCenter, tlBottom };

// How DoDrawText is asked to draw; the label builds them from its properties.
enum TTextDrawFlag : unsigned {
  tdCalcRect = 1,    // only measure: set the rectangle's right and bottom
  tdWordBreak = 2,   // wrap at the rectangle's width
  tdNoPrefix = 4,    // "&" is an ordinary character
  tdCenter = 8,
  tdRight = 16,
};

class TCustomLabel : public TControl {
  Q_OBJECT
 public:
  explicit TCustomLabel(QWidget* parent = nullptr);
  ~TCustomLabel() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  // On: the label takes the size of its text, keeping its top-left corner
  // (its top-right corner when right-justified).
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  // On: "&x" underlines x and "&&" draws one "&".
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  // On: the parent shows through; off: the label fills itself in Color.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // The control that takes the focus when Alt and the label's marked
  // letter are pressed in the label's window.
  TControl* FocusControl() const { return FFocusControl.data(); }
  void SetFocusControl(TControl* value);

  // Sizes the label to its text now (when AutoSize is on), or, while its
  // form is being built, once the building ends: in its final caption and
  // font, instead of once for every property set on the way.
  void AdjustBounds();
  void FormBuilt() override { AdjustBounds(); }

 protected:
  // Draws the caption into `rect`, or with tdCalcRect only measures it.
  virtual void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags);
  // Draws or measures `text` in the canvas font and colour: the one place
  // where a label's text meets the painter.
  static void DrawLabelText(TCanvas& canvas, TRect& rect, unsigned flags, const std::string& text);
  // Draws `text` once in the canvas font, or embossed in two colours when
  // the label is disabled; measures it with tdCalcRect.
  void DrawCaption(TCanvas& canvas, TRect& rect, unsigned flags, const std::string& text) const;
  // The caption, with a blank added when measuring an empty one.
  std::string LabelText(unsigned flags) const;
  virtual void Paint(TCanvas& canvas);
  unsigned DrawFlags() const;

  void paintEvent(QPaintEvent* event) override;
  void FontChanged() override;

 private:
  std::string FCaption;
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  bool FTransparent = false;
  QPointer<TControl> FFocusControl;
  // Alt + the marked letter anywhere in the label's window, while there is
  // a FocusControl.
  void UpdateShortcut();
  void DropShortcut();
  QPointer<QShortcut> FShortcut;
};

class TLabel : public TCustomLabel {
  Q_OBJECT
 public:
  using TCustomLabel::TCustomLabel;
};
