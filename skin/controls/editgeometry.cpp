// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/editgeometry.h"

#include "skin/draw/skinimage.h"

TbsEditGeometry ComputeEditGeometry(const TbsEditSkinGeometry* skin, int width, int height, bool buttonMode) {
  TbsEditGeometry g;
  if (!skin) {
    g.ClientRect = TRect{kEditBorder, kEditBorder, width - (buttonMode ? kEditButtonInset : kEditBorder),
                         height - kEditBorder};
    if (buttonMode) {
      g.ButtonArea = TRect{width - height, 0, width, height};
      g.TextArea = TRect{kEditBorder, kEditBorder, g.ButtonArea.Left - kEditBorder, height - kEditBorder};
    } else {
      g.TextArea = TRect{kEditBorder, kEditBorder, width - kEditBorder, height - kEditBorder};
    }
    return g;
  }
  const TRect& cr = skin->SkinClientRect;
  const int w0 = RectWidth(skin->SkinRect), h0 = RectHeight(skin->SkinRect);
  const int dx = width - w0;  // how far the right end moved
  g.ClientRect = TRect{cr.Left, cr.Top, width - (w0 - cr.Right), height - (h0 - cr.Bottom)};
  g.TextArea = TRect{cr.Left, cr.Top, cr.Right + dx, cr.Bottom};
  g.ButtonArea = skin->ButtonRect;
  // A button in the right end follows it; one further left stays put.
  if (skin->ButtonRect.Left >= skin->RightTopX) {
    g.ButtonArea.Left += dx;
    g.ButtonArea.Right += dx;
  }
  return g;
}

TbsEditHit EditHitTest(const TPoint& point, const TbsEditGeometry& geometry, bool buttonMode) {
  if (buttonMode && PtInRect(geometry.ButtonArea, point)) return TbsEditHit::Button;
  if (!PtInRect(geometry.TextArea, point)) return TbsEditHit::Frame;
  return TbsEditHit::Text;
}
