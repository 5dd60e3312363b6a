// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skinned one-line field as layouts use it: every property of the
// skinned edit published (no password character).

#include "skin/controls/tbsskincustomedit.h"

class TbsSkinEdit : public TbsSkinCustomEdit {
  Q_OBJECT
 public:
  explicit TbsSkinEdit(QWidget* parent = nullptr);
};
