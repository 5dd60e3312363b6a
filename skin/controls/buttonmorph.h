// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fade of a button between two looks, kept apart from the button so the
// effect buffers' names stay out of code that reads skin records.

#include "framework/tbitmap.h"

// Replaces `from` by its blend towards `to` (same size) by morph kind and factor.
void MorphBitmap(TBitmap& from, const TBitmap& to, int kind, double factor);
