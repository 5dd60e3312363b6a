// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinrichedit.h"

void TbsDataSkinRichEdit::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinControl::Exchange(filer);
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("bgcolor", BGColor, 0);
}
