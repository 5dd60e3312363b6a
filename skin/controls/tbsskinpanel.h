// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A container drawn from a panel record: a framed background whose skin
// client rectangle holds the aligned children, with an optional caption
// strip carrying a glyph, a check box that enables the children, and a
// roll-up arrow that shrinks the panel to its frame.

#include <QPointer>
#include <string>
#include <vector>

#include "skin/controls/tbsplainchildcolors.h"
#include "skin/controls/tbsskincustomcontrol.h"
#include "skin/data/tbsskinvalues.h"

// Scoped: the plain panel's bevel names are taken.
enum class TbsSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

class TbsSkinPanel : public TbsSkinCustomControl {
  Q_OBJECT
 public:
  explicit TbsSkinPanel(QWidget* parent = nullptr);
  ~TbsSkinPanel() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  bool CheckedMode() const { return FCheckedMode; }
  void SetCheckedMode(bool value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  const TBitmap& Glyph() const { return FGlyph; }
  void SetGlyph(const TBitmap& value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  int RealHeight() const { return FRealHeight; }
  void SetRealHeight(int value) { FRealHeight = value; }
  bool RollUpState() const { return FRollUpState; }
  void SetRollUpState(bool value);
  bool RollUpMode() const { return FRollUpMode; }
  void SetRollUpMode(bool value);
  bool CaptionMode() const { return FCaptionMode; }
  virtual void SetCaptionMode(bool value);
  TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TbsSkinBorderStyle value);
  int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
  virtual void SetDefaultCaptionHeight(int value);
  TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(TAlignment value);
  bool AutoEnabledControls() const { return FAutoEnabledControls; }
  void SetAutoEnabledControls(bool value) { FAutoEnabledControls = value; }

  TNotifyEvent OnChecked;

  TRect ClientRect() const override;
  void ReadSkinRecord() override;
  void SkinChanged() override;
  void SetBounds(int left, int top, int width, int height) override;

  // The record's caption area at the panel's present size.
  TRect SizedCaptionRect() const { return FSizedCaptionRect; }

 protected:
  void DrawDefaultImage(TBitmap& bitmap) override;
  void DrawSkinImage(TBitmap& bitmap) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool HasRecord() const { return FSkinIndex != -1; }
  void RealignAndRepaint();
  void RollUp();
  void Unroll();
  void UpdateSizedCaptionRect();
  // Caption text, glyph, check box and arrow inside K, shared by both looks.
  void DrawCaptionContent(TCanvas& canvas, TRect K, TAlignment alignment, int leftPad, TColor arrowColor);
  int GlyphImage() const;
  void DressPlainChildren();

  std::string FCaption;
  bool FCheckedMode = false;
  bool FChecked = false;
  TBitmap FGlyph;
  int FNumGlyphs = 1;
  int FSpacing = 2;
  int FRealHeight = -1;
  bool FRollUpState = false;
  bool FRollUpMode = false;
  bool FCaptionMode = false;
  TbsSkinBorderStyle FBorderStyle = TbsSkinBorderStyle::bvFrame;
  int FDefaultCaptionHeight = 22;
  TAlignment FDefaultAlignment = taLeftJustify;
  std::vector<QPointer<QWidget>> FHiddenControls;
  bool FAutoEnabledControls = true;
  TbsPlainChildColors FPlainChildColors;

  // Copied from the panel record.
  std::string FFontName = "Arial";
  TFontStyles FFontStyle = 0;
  int FFontHeight = 14;
  TColor FFontColor = clBtnText;
  TAlignment FAlignment = taLeftJustify;
  TRect FCaptionRect;
  TRect FSizedCaptionRect;
  int FBGPictureIndex = -1;
  TRect FCheckImageRect;
  TRect FUnCheckImageRect;
};
