// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mark that shows which control has the keyboard focus: a dotted frame,
// every other pixel of the outline in one colour, starting at the top-left.
// Controls draw it in a colour of their skin record (the text colour of the
// look shown), so it reads on that skin's own pieces.

#include "framework/tcanvas.h"
#include "framework/tcolor.h"
#include "framework/trect.h"

void DrawFocusMark(TCanvas& canvas, const TRect& r, TColor color);
