// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A skinned control that copies its record's geometry, follows the control's
// size by the record's stretch kind, cuts its window to the skin's mask and
// takes its text font from the record or from DefaultFont.

#include <QRegion>
#include <optional>

#include "skin/controls/tbsskincontrol.h"

class TbsSkinCustomControl : public TbsSkinControl {
  Q_OBJECT
 public:
  explicit TbsSkinCustomControl(QWidget* parent = nullptr);
  ~TbsSkinCustomControl() override;

  // Used only while there is no record; 0 keeps the current size.
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int value);
  const TFont& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const TFont& value) { FDefaultFont = value; }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value) { FUseSkinFont = value; }

  void ReadSkinRecord() override;
  void SkinChanged() override;
  void BeforeSkinChange() override;
  // Applies the skin's fixed directions to a wanted size and moves the
  // sized geometry to it.
  virtual void CalcSkinSize(int& width, int& height);
  virtual void UpdateSkinRegion();
  void SetBounds(int left, int top, int width, int height) override;

  // The record's geometry, relative to SkinRect, and its pictures.
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  TRect SkinRect;
  TRect SkinClientRect;
  TPoint SizedLeftTopPoint, SizedRightTopPoint, SizedLeftBottomPoint, SizedRightBottomPoint;
  TRect SizedClientRect;
  TBitmap* SkinPicture = nullptr;
  TBitmap* SkinMaskPicture = nullptr;
  int StretchKind = -1;

  // The window's shape from the mask, none for a plain rectangle.
  const std::optional<QRegion>& SkinRegion() const { return FSkinRegion; }

 protected:
  void DrawDefaultImage(TBitmap& bitmap) override;
  void DrawSkinImage(TBitmap& bitmap) override;
  // Composes `source` (a rectangle of SkinPicture of SkinRect's size) at the
  // control's size; false when there is no picture to compose from.
  bool DrawSkinImageFrom(TBitmap& bitmap, const TRect& source);
  virtual void DefaultFontChanged() {}
  // The text font: the record's face when UseSkinFont holds and there is a
  // record, else DefaultFont; the character set of the skin's text table.
  TFont SkinTextFont(const std::string& recordName, int recordHeight, TFontStyles recordStyle) const;
  TFont DefaultTextFont() const;

  void resizeEvent(QResizeEvent* event) override;

 private:
  int FDefaultWidth = 0;
  int FDefaultHeight = 0;
  TFont FDefaultFont{"Arial", 14};
  bool FUseSkinFont = true;
  std::optional<QRegion> FSkinRegion;
};
