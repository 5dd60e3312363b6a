// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Captions that mark an accelerator character with "&": the character after a
// single "&" is underlined, "&&" shows one "&", and the marks themselves are
// not drawn. Buttons, panels, labels and group boxes measure and draw their
// captions through these, so what is measured is what is drawn.

#include <string>

#include "framework/tcanvas.h"
#include "framework/trect.h"

struct TAccelText {
  std::string Shown;         // the caption without its marks
  size_t UnderlineStart = 0;  // byte range in Shown of the marked character
  size_t UnderlineLength = 0; // 0: nothing marked
};

// The first marked character is the accelerator; a whole UTF-8 character is
// marked, and a "&" at the very end marks nothing and is not shown.
TAccelText ParseAccelText(const std::string& caption);

// The caption as shown: "&x" shows "x", "&&" shows "&".
std::string StripAccelerator(const std::string& caption);
// The character after the first single "&", lower-cased; '\0' when there is none.
char AcceleratorOf(const std::string& caption);

// Extent of the caption as drawn, in the canvas font.
int AccelTextWidth(TCanvas& canvas, const std::string& caption);
int AccelTextHeight(TCanvas& canvas, const std::string& caption);
// Draws the caption like TCanvas::TextOut (top-left at x, y), with the
// accelerator underlined in the font colour.
void AccelTextOut(TCanvas& canvas, int x, int y, const std::string& caption);
// The same, clipped to `clip` like TCanvas::TextRect.
void AccelTextRect(TCanvas& canvas, const TRect& clip, int x, int y, const std::string& caption);
