// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Placing a glyph image and a caption together inside a rectangle, beside,
// above or below each other, centred as one block or held at a margin from
// an edge; and drawing them so. Captions may mark an accelerator with "&",
// which is underlined.

#include <string>

#include "framework/acceltext.h"
#include "framework/tbitmap.h"
#include "framework/tcanvas.h"

enum TbsButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TbsGlyphTextPlace {
  TPoint Glyph;  // top-left corners
  TPoint Text;
};

// gw x gh is one glyph image, tw x th the caption's extent; Margin -1 centres
// glyph, spacing and text as one block.
TbsGlyphTextPlace LayoutGlyphAndText(const TRect& R, int Margin, int gw, int gh, int tw, int th, int Spacing,
                                     TbsButtonLayout Layout);

// Glyph image `Image` (1-based) of `Count` side by side in `Glyph`, and the
// caption, in the canvas font; a pressed look moves both one pixel right and down.
void DrawGlyphAndText(TCanvas& Canvas, const TRect& R, int Margin, bool Pressed, int Image, int Count,
                      const TBitmap& Glyph, const std::string& Text, TbsButtonLayout Layout, int Spacing);
