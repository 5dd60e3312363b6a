// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinlistbox.h"

void TbsDataSkinListBox::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Rect("itemrect", ItemRect, {0, 0, 0, 0});
  filer.Rect("activeitemrect", ActiveItemRect, {0, 0, 0, 0});
  filer.Rect("focusitemrect", FocusItemRect, {0, 0, 0, 0});
  filer.Integer("itemleftoffset", ItemLeftOffset, 0);
  filer.Integer("itemrightoffset", ItemRightOffset, 0);
  filer.Rect("itemtextrect", ItemTextRect, {0, 0, 0, 0});
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("activefontcolor", ActiveFontColor, 0);
  filer.Color("focusfontcolor", FocusFontColor, 0);
  filer.Rect("captionrect", CaptionRect, {0, 0, 0, 0});
  filer.Text("captionfontname", CaptionFontName, "Arial");
  filer.Integer("captionfontheight", CaptionFontHeight, 14);
  filer.FontStyle("captionfontstyle", CaptionFontStyle, 0);
  filer.Color("captionfontcolor", CaptionFontColor, 0);
  filer.Rect("upbuttonrect", UpButtonRect, {0, 0, 0, 0});
  filer.Rect("activeupbuttonrect", ActiveUpButtonRect, {0, 0, 0, 0});
  filer.Rect("downupbuttonrect", DownUpButtonRect, {0, 0, 0, 0});
  filer.Rect("downbuttonrect", DownButtonRect, {0, 0, 0, 0});
  filer.Rect("activedownbuttonrect", ActiveDownButtonRect, {0, 0, 0, 0});
  filer.Rect("downdownbuttonrect", DownDownButtonRect, {0, 0, 0, 0});
  filer.Rect("checkbuttonrect", CheckButtonRect, {0, 0, 0, 0});
  filer.Rect("activecheckbuttonrect", ActiveCheckButtonRect, {0, 0, 0, 0});
  filer.Rect("downcheckbuttonrect", DownCheckButtonRect, {0, 0, 0, 0});
  filer.Text("vscrollbarname", VScrollBarName, "vscrollbar");
  filer.Text("hscrollbarname", HScrollBarName, "hscrollbar");
  filer.Text("bothhscrollbarname", BothHScrollBarName, "bothhscrollbar");
}
