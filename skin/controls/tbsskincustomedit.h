// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line field dressed in a skin's edit record: the border (and an
// optional push button) drawn from the record's picture around the text,
// the field held at the record's height, the text in the record's font and
// in its colour for the state (normal, active on focus or hover, disabled).
// Without a record it shows a plain two-line frame on white.

#include <QPointer>
#include <string>

#include "framework/tbitmap.h"
#include "skin/controls/editgeometry.h"
#include "skin/controls/tbscustomedit.h"
#include "skin/data/tbsskindata.h"

class TbsSkinCustomEdit : public TbsCustomEdit {
  Q_OBJECT
 public:
  static constexpr int kDefaultHeight = 20;
  static constexpr int kDefaultWidth = 121;

  explicit TbsSkinCustomEdit(QWidget* parent = nullptr);
  ~TbsSkinCustomEdit() override;

  // Not owned; clears itself when the skin data component goes.
  TbsSkinData* SkinData() const { return FSkinData.data(); }
  virtual void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& value) { FSkinDataName = value; }
  int SkinIndex() const { return FSkinIndex; }

  const TFont& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const TFont& value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value) { FUseSkinFont = value; }
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int value);
  bool ButtonMode() const { return FButtonMode; }
  void SetButtonMode(bool value);
  void SetAlignment(TAlignment value) override;

  virtual void ReadSkinRecord();
  virtual void SkinChanged();
  void SetBounds(int left, int top, int width, int height) override;
  void Invalidate() override;

  // The record's values (relative to SkinRect) and picture.
  TBitmap* SkinPicture = nullptr;
  TRect SkinRect, ActiveSkinRect, SkinClientRect;
  int LeftEndWidth = 0, RightEndWidth = 0;
  std::string FontName = "Arial";
  TFontStyles FontStyle = 0;
  int FontHeight = 14;
  TColor FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
  TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;

  bool ButtonHot() const { return FButtonHot; }
  bool ButtonPressed() const { return FButtonPressed; }
  bool MouseIn() const { return FMouseIn; }
  // Computed for the present size and record.
  TRect ButtonArea() const { return Geometry().ButtonArea; }
  TRect TextArea() const { return Geometry().TextArea; }
  // A record is bound whose piece can dress the field.
  bool UsesSkin() const;

  TNotifyEvent OnButtonClick;

  // Skin notices of its own skin data (or of none), then the edit's messages.
  void WndProc(TMessage& message) override;

 protected:
  QRect EditorRect() const override;
  QPoint KeyboardMenuPoint() const override;
  void EditorFocusIn(QFocusEvent* event) override;
  void EditorFocusOut(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

  // The whole field into `bitmap` (of the field's size).
  void DrawField(TBitmap& bitmap);
  void DrawDefaultField(TBitmap& bitmap);

 private:
  TbsEditGeometry Geometry() const;
  // The text colour for the present state.
  TColor StateFontColor(bool focused) const;
  void UpdateFontColor(bool focused);
  void UpdateFontColor();
  void SetButtonHot(bool value);
  void BeforeSkinChange();

  QPointer<TbsSkinData> FSkinData;
  std::string FSkinDataName = "edit";
  int FSkinIndex = -1;
  bool FEditRecord = false;
  TFont FDefaultFont{"Arial", 14};
  bool FUseSkinFont = true;
  int FDefaultWidth = 0;
  int FDefaultHeight = kDefaultHeight;
  bool FButtonMode = false;
  bool FButtonHot = false;
  bool FButtonPressed = false;
  bool FMouseIn = false;
  int RightTopX = 0;
};
