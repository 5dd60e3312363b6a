// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rename button's 40 x 40 picture, drawn by us.

#include <QIcon>
#include <QImage>

#include "framework/tbitmap.h"

TBitmap MakeRenameGlyph();
// The same picture as the window's icon, its background see-through.
QIcon MakeRenameIcon();
// The same shapes drawn smoothly at size x size on a see-through background:
// the program's icon in the desktop's icon theme.
QImage MakeRenameIconImage(int size);
