// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskincheckradiocontrol.h"

void TbsDataSkinCheckRadioControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("activefontcolor", ActiveFontColor, 0);
  filer.Color("unenabledfontcolor", UnEnabledFontColor, 0);
  filer.Color("framefontcolor", FrameFontColor, 0);
  filer.Rect("activeskinrect", ActiveSkinRect, {0, 0, 0, 0});
  filer.Rect("checkimagearea", CheckImageArea, {0, 0, 0, 0});
  filer.Rect("textarea", TextArea, {0, 0, 0, 0});
  filer.Rect("checkimagerect", CheckImageRect, {0, 0, 0, 0});
  filer.Rect("uncheckimagerect", UnCheckImageRect, {0, 0, 0, 0});
  filer.Rect("activecheckimagerect", ActiveCheckImageRect, {0, 0, 0, 0});
  filer.Rect("activeuncheckimagerect", ActiveUnCheckImageRect, {0, 0, 0, 0});
  filer.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect, {0, 0, 0, 0});
  filer.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect, {0, 0, 0, 0});
  filer.Boolean("morphing", Morphing, false);
  filer.MorphKind("morphkind", MorphKind, mkDefault);
}
