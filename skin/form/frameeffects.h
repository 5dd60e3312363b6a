// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pixel effects the frame and its objects apply to whole bitmaps: the
// inactive-frame effect and the fade between two looks. Kept in their own
// unit because the effect buffer and the skin records both declare a morph
// kind type; the frame passes the skin's numbers through as plain ints.

class TBitmap;

// Applies inactive effect number `Effect` (the skin's "inactiveeffect").
void ApplyInactiveEffect(TBitmap& Bitmap, int Effect);

// Replaces `Normal` with its fade towards `Active` (same size) by morph kind
// number `Kind` at factor `K` (0 = normal, 1 = active).
void MorphBitmaps(TBitmap& Normal, const TBitmap& Active, int Kind, double K);
