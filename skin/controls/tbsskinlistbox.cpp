// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskinlistbox.h"

TbsSkinListBox::TbsSkinListBox(QWidget* parent) : TbsSkinCustomListBox(parent) {}
