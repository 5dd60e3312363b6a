// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skinned list box as forms place it: the frame with its inner list and
// scroll bars, adding nothing of its own.

#include "skin/controls/tbsskincustomlistbox.h"

class TbsSkinListBox : public TbsSkinCustomListBox {
  Q_OBJECT
 public:
  explicit TbsSkinListBox(QWidget* parent = nullptr);
};
