// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window-level helpers the frame, the menus and the hint share.

#include "framework/trect.h"

class QWidget;

// The work area (WorkArea true) or the full area of the screen the window is
// on; the primary screen's without a window. Returns false when there is no screen.
bool GetMonitorWorkArea(QWidget* Window, bool WorkArea, TRect& R);

// Window transparency, alpha 0 (invisible) .. 255 (opaque).
void SetWindowAlphaValue(QWidget* Window, int Alpha);
