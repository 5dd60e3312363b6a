// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/draw/defaultlook.h"

void DrawDefaultPart(TCanvas& canvas, const TRect& r, TbsDefaultPartState state) {
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = state == dpsNormal ? clBtnShadow : kDefaultHotFrameColor;
  canvas.FillRect(r);
  canvas.Brush.Color = state == dpsDown ? kDefaultDownFaceColor : state == dpsHot ? kDefaultHotFaceColor : clBtnFace;
  canvas.FillRect(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
}
