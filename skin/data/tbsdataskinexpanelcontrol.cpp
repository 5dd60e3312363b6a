// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinexpanelcontrol.h"

void TbsDataSkinExPanelControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Rect("rollhskinrect", RollHSkinRect, {0, 0, 0, 0});
  filer.Rect("rollvskinrect", RollVSkinRect, {0, 0, 0, 0});
  filer.Integer("rollleftoffset", RollLeftOffset, 0);
  filer.Integer("rollrightoffset", RollRightOffset, 0);
  filer.Integer("rolltopoffset", RollTopOffset, 0);
  filer.Integer("rollbottomoffset", RollBottomOffset, 0);
  filer.Rect("rollvcaptionrect", RollVCaptionRect, {0, 0, 0, 0});
  filer.Rect("rollhcaptionrect", RollHCaptionRect, {0, 0, 0, 0});
  filer.Rect("closebuttonrect", CloseButtonRect, {0, 0, 0, 0});
  filer.Rect("closebuttonactiverect", CloseButtonActiveRect, {0, 0, 0, 0});
  filer.Rect("closebuttondownrect", CloseButtonDownRect, {0, 0, 0, 0});
  filer.Rect("hrollbuttonrect", HRollButtonRect, {0, 0, 0, 0});
  filer.Rect("hrollbuttonactiverect", HRollButtonActiveRect, {0, 0, 0, 0});
  filer.Rect("hrollbuttondownrect", HRollButtonDownRect, {0, 0, 0, 0});
  filer.Rect("hrestorebuttonrect", HRestoreButtonRect, {0, 0, 0, 0});
  filer.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect, {0, 0, 0, 0});
  filer.Rect("hrestorebuttondownrect", HRestoreButtonDownRect, {0, 0, 0, 0});
  filer.Rect("vrollbuttonrect", VRollButtonRect, {0, 0, 0, 0});
  filer.Rect("vrollbuttonactiverect", VRollButtonActiveRect, {0, 0, 0, 0});
  filer.Rect("vrollbuttondownrect", VRollButtonDownRect, {0, 0, 0, 0});
  filer.Rect("vrestorebuttonrect", VRestoreButtonRect, {0, 0, 0, 0});
  filer.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect, {0, 0, 0, 0});
  filer.Rect("vrestorebuttondownrect", VRestoreButtonDownRect, {0, 0, 0, 0});
  filer.Rect("captionrect", CaptionRect, {0, 0, 0, 0});
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
}
