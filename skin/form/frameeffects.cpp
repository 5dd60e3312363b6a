// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/frameeffects.h"

#include <optional>

#include "framework/tbitmap.h"
#include "skin/draw/tbseffectbmp.h"

namespace {
// False for an unknown effect.
bool RunInactiveEffect(TbsEffectBmp& e, int Effect) {
  switch (Effect) {
    case 0: e.Brightness(0.5); return true;
    case 1: e.Darkness(0.3); return true;
    case 2: e.GrayScale(); return true;
    case 3: e.Noise(50); return true;
    case 4: e.SplitBlur(1); return true;
    case 5: e.Invert(); return true;
    default: return false;
  }
}
}  // namespace

void ApplyInactiveEffect(TBitmap& Bitmap, int Effect) {
  if (Bitmap.Empty()) return;
  // Effects that change each pixel by its own colour alone give the same
  // picture on the device layer as on the picture, so the layer keeps its
  // full-resolution text; noise and blur depend on pixel positions.
  const bool perPixel = Effect == 0 || Effect == 1 || Effect == 2 || Effect == 5;
  std::optional<TbsEffectBmp> layer;
  if (const QImage* l = Bitmap.DeviceLayer(); l && perPixel) {
    layer.emplace(*l);
    RunInactiveEffect(*layer, Effect);
  }
  TbsEffectBmp e(Bitmap);
  if (!RunInactiveEffect(e, Effect)) return;
  Bitmap.SetImage(e.ToImage());
  if (layer) Bitmap.SetDeviceLayer(layer->ToImage());
}

void MorphBitmaps(TBitmap& Normal, const TBitmap& Active, int Kind, double K) {
  if (Normal.Empty() || Normal.Width() != Active.Width() || Normal.Height() != Active.Height()) return;
  TbsEffectBmp a(Normal);
  const TbsEffectBmp b(Active);
  a.Morph(Kind, b, K);
  Normal.SetImage(a.ToImage());
}
