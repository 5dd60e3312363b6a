#pragma once
// Horizontal placement of text in a control.

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
