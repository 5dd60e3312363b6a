// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small drawing routines shared by the frame, the menus and the controls:
// frames of glyph strips, text fitting, arrows, the check mark and the
// default caption-button glyphs. Glyphs are drawn with the canvas pen, lines
// without their end point, boxes without their right and bottom edges.

#include <string>

#include "framework/tbitmap.h"
#include "framework/tcanvas.h"

// Frame Index (1-based) of Count equal-width frames of `Strip`, drawn with
// the strip's bottom-left colour transparent.
void DrawGlyphFrame(TCanvas& Canvas, int X, int Y, const TBitmap& Strip, int Count, int Index);

// Shortens Text character by character until Text + "..." fits MaxWidth.
void TruncateTextToWidth(TCanvas& Canvas, std::string& Text, int MaxWidth);
void DrawTextVCentered(TCanvas& Canvas, const std::string& Text, const TRect& R, int ExtraX = 0);

enum TbsArrowKind { akLeft = 1, akRight = 2, akUp = 3, akDown = 4 };
void DrawArrowGlyph(TCanvas& Canvas, const TRect& R, TColor Color, int Kind);
void DrawCheckGlyph(TCanvas& Canvas, int X, int Y, TColor Color);

void DrawCloseGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawSysMenuGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMinimizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMaximizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRestoreGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRollDownGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRollUpGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawTrayGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
