// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskinedit.h"

TbsSkinEdit::TbsSkinEdit(QWidget* parent) : TbsSkinCustomEdit(parent) {}
