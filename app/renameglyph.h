#pragma once
// The rename button's 40 x 40 picture, drawn by us.

#include "framework/tbitmap.h"

TBitmap MakeRenameGlyph();
