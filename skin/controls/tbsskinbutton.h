// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A push button drawn from a button record: normal, active (hot or
// focused), pressed and disabled pieces with their caption colours, a fade
// between normal and active, a glyph of up to four images, toggling in a
// group, auto-repeat while held, and the keyboard of a dialog button.

#include <QPointer>
#include <QTimer>
#include <string>

#include "framework/taction.h"
#include "skin/controls/glyphtextlayout.h"
#include "skin/controls/tbsskincustomcontrol.h"
#include "skin/data/tbsskinvalues.h"

class TbsSkinButton : public TbsSkinCustomControl {
  Q_OBJECT
 public:
  static constexpr int kMorphIntervalMs = 20;
  static constexpr double kMorphStep = 0.2;
  static constexpr int kFocusMarkInset = 3;  // inside the border of the skin's pieces and of the default look

  explicit TbsSkinButton(QWidget* parent = nullptr);
  ~TbsSkinButton() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  const TBitmap& Glyph() const { return FGlyph; }
  void SetGlyph(const TBitmap& value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  TbsButtonLayout Layout() const { return FLayout; }
  void SetLayout(TbsButtonLayout value);

  bool Down() const { return FDown; }
  void SetDown(bool value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value) { FAllowAllUp = value; }
  bool RepeatMode() const { return FRepeatMode; }
  void SetRepeatMode(bool value) { FRepeatMode = value; }
  int RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(int value) { FRepeatInterval = value; }
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }
  TAction* Action() const { return FAction.data(); }
  void SetAction(TAction* value) { FAction = value; }

  bool MouseIn() const { return FMouseIn; }
  // What a click does, for the keyboard of assistive technology: a toggle of
  // a group goes down (or up, when all may be up), then the click.
  void Press();
  bool ActiveDefault() const { return FActiveDefault; }
  double MorphFactor() const { return FMorphFactor; }

  // Image of the glyph (1 normal, 2 disabled, 3 pressed, 4 hot) for a state.
  int GlyphIndexFor(bool down, bool active) const;
  // The click: the form's modal result, then OnClick or the linked action.
  virtual void ButtonClick();

  void ReadSkinRecord() override;
  void SkinChanged() override;

 protected:
  void DrawDefaultImage(TBitmap& bitmap) override;
  void DrawControl(TBitmap& bitmap) override;
  virtual void DrawStateImage(TBitmap& bitmap, const TRect& source, bool active, bool down);
  void MouseEntered() override;
  void MouseLeft() override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void Click() override {}  // clicks come from ButtonClick only

  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Morphs() const { return FSkinIndex != -1 && FMorphing; }
  // The state's look, without the focus mark.
  void DrawLook(TBitmap& bitmap);
  TRect FocusMarkRect() const;
  TColor FocusMarkColor() const;
  bool FocusedHere() const { return hasFocus() && FCanFocused; }
  bool LooksChangeOnHover() const;
  // A state that shows changed: fade when the record fades, else repaint.
  void StartMorph();
  void MorphTick();
  void StopMorph();
  void StartRepeat();
  void StopRepeat();
  void UpdateFocusPolicy();
  void WatchWindow();
  void FocusChanged(QWidget* now);
  bool DialogKey(QKeyEvent* event);
  // The pointer crossing the button's edge (also while the mouse is held,
  // when no enter or leave events arrive).
  void PointerEntered();
  void PointerLeft();

  std::string FCaption;
  TBitmap FGlyph;
  int FNumGlyphs = 1;
  int FMargin = -1;
  int FSpacing = 1;
  TbsButtonLayout FLayout = blGlyphLeft;

  QTimer FRepeatTimer;
  bool FRepeatMode = false;
  int FRepeatInterval = 100;
  bool FActiveDefault = false;
  bool FAllowAllUp = false;
  bool FDownAtPress = false;
  bool FDefault = false;
  bool FCancel = false;
  int FModalResult = 0;
  bool FFocusingByMouse = false;
  bool FCanFocused = true;
  bool FTabStop = true;
  bool FDown = false;
  bool FMouseIn = false;
  bool FMousePressed = false;
  bool FPointerInside = false;
  int FGroupIndex = 0;
  QPointer<TAction> FAction;
  QTimer FMorphTimer;
  double FMorphFactor = 0;
  QPointer<QWidget> FWatchedWindow;

  // Copied from the button record.
  std::string FFontName = "Arial";
  TFontStyles FFontStyle = 0;
  int FFontHeight = 14;
  TColor FFontColor = clBtnText, FActiveFontColor = clBtnText, FDownFontColor = clBtnText,
         FDisabledFontColor = clGrayText;
  TRect FActiveSkinRect, FDownSkinRect, FDisabledSkinRect;
  bool FMorphing = false;
  TbsMorphKind FMorphKind = mkDefault;
};
