// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skin the program carries: its pictures are painted here and its
// records filled in here. The pieces that the test skins reuse (a frame of
// any size, the caption buttons) are offered separately.

#include <QImage>

#include "framework/trect.h"
#include "tools/skingen/generatedskin.h"

namespace defaultskin {

// Caption buttons: one cell per button and state.
constexpr int kCaptionButtonWidth = 28;
constexpr int kCaptionButtonHeight = 24;
constexpr int kSysMenuButtonWidth = 20;
enum TCaptionGlyph { cgClose, cgMaximize, cgMinimize, cgRollUp, cgRollDown, cgSysMenu, cgCount };
enum TButtonState { bsNormal, bsActive, bsDown, bsInactive, bsStateCount };

// The window frame picture: a one-pixel outer border, a caption with a soft
// vertical gradient in the rows above `client`, flat borders, a line round
// the client area and the client background. Every edge is uniform along its
// length, so the frame tiles without seams at any size.
QImage PaintFramePicture(int width, int height, const TRect& client);

// Where the caption-button cell of a glyph and state lies in the picture
// made by PaintCaptionButtons.
TRect CaptionButtonCell(TCaptionGlyph glyph, TButtonState state);
// Paints every caption-button cell into `image` (at least 160 x 96). The
// normal and inactive cells repeat the caption gradient of a frame whose
// caption has `captionRows` rows, so a button sits on the caption invisibly.
void PaintCaptionButtons(QImage& image, int captionRows);

void BuildDefaultSkin(TGeneratedSkin& skin);

}  // namespace defaultskin
