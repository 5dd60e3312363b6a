// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A grid: fixed, selected and focused cell pieces, line and background
// colours, and the fonts of cells and fixed cells.

#include "skin/data/tbsdataskincontrol.h"

class TbsDataSkinGridControl : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  const char* ClassName() const override { return "TbsDataSkinGridControl"; }

  TRect FixedCellRect;
  TRect SelectCellRect;
  TRect FocusCellRect;
  int FixedCellLeftOffset = 0;
  int FixedCellRightOffset = 0;
  TRect FixedCellTextRect;
  int CellLeftOffset = 0;
  int CellRightOffset = 0;
  TRect CellTextRect;
  TColor LinesColor = 0;
  TColor BGColor = 0;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor SelectFontColor = 0;
  TColor FocusFontColor = 0;
  std::string FixedFontName = "Arial";
  int FixedFontHeight = 0;
  TFontStyles FixedFontStyle = 0;
  TColor FixedFontColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
