// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the window system itself has a top-level window, asked of it
// directly rather than taken from the toolkit's last configure notice.

#include <QPoint>

class QWindow;

// The top-left of the window's own area (inside any decoration) on the
// screen, in the toolkit's logical pixels. False when the window system cannot be asked (not X11, not created).
bool WindowSystemPosition(const QWindow* window, QPoint& position);

// The logical pixel under the pointer. The toolkit's cursor position rounds
// the server's device pixels to the nearest logical one; this takes the pixel
// the pointer is in, as pointer events do, asking the window system where it
// can and the toolkit otherwise.
QPoint PointerPixel();
