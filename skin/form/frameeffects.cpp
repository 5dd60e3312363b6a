#include "skin/form/frameeffects.h"

#include "framework/tbitmap.h"
#include "skin/draw/tbseffectbmp.h"

void ApplyInactiveEffect(TBitmap& Bitmap, int Effect) {
  if (Bitmap.Empty()) return;
  TbsEffectBmp e(Bitmap);
  switch (Effect) {
    case 0: e.Brightness(0.5); break;
    case 1: e.Darkness(0.3); break;
    case 2: e.GrayScale(); break;
    case 3: e.Noise(50); break;
    case 4: e.SplitBlur(1); break;
    case 5: e.Invert(); break;
    default: return;
  }
  Bitmap.SetImage(e.ToImage());
}

void MorphBitmaps(TBitmap& Normal, const TBitmap& Active, int Kind, double K) {
  if (Normal.Empty() || Normal.Width() != Active.Width() || Normal.Height() != Active.Height()) return;
  TbsEffectBmp a(Normal);
  const TbsEffectBmp b(Active);
  a.Morph(Kind, b, K);
  Normal.SetImage(a.ToImage());
}
