// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskingridcontrol.h"

void TbsDataSkinGridControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinControl::Exchange(filer);
  filer.Rect("fixedcellrect", FixedCellRect, {0, 0, 0, 0});
  filer.Rect("selectcellrect", SelectCellRect, {0, 0, 0, 0});
  filer.Rect("focuscellrect", FocusCellRect, {0, 0, 0, 0});
  filer.Integer("fixedcellleftoffset", FixedCellLeftOffset, 0);
  filer.Integer("fixedcellrightoffset", FixedCellRightOffset, 0);
  filer.Rect("fixedcelltextrect", FixedCellTextRect, {0, 0, 0, 0});
  filer.Integer("cellleftoffset", CellLeftOffset, 0);
  filer.Integer("cellrightoffset", CellRightOffset, 0);
  filer.Rect("celltextrect", CellTextRect, {0, 0, 0, 0});
  filer.Color("linescolor", LinesColor, 0);
  filer.Color("bgcolor", BGColor, 0);
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("selectfontcolor", SelectFontColor, 0);
  filer.Color("focusfontcolor", FocusFontColor, 0);
  filer.Text("fixedfontname", FixedFontName, "Arial");
  filer.Integer("fixedfontheight", FixedFontHeight, 14);
  filer.FontStyle("fixedfontstyle", FixedFontStyle, 0);
  filer.Color("fixedfontcolor", FixedFontColor, 0);
}
