#pragma once
// The rename button's 40 x 40 picture, drawn by us.

#include <QIcon>

#include "framework/tbitmap.h"

TBitmap MakeRenameGlyph();
// The same picture as the window's icon, its background see-through.
QIcon MakeRenameIcon();
