// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Horizontal placement of text in a control.

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
