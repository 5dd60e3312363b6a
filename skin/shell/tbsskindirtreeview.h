// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder tree as windows place it: the shell tree with every property
// public. Nothing of its own.

#include "skin/shell/tbscustomshelltreeview.h"

class TbsSkinDirTreeView : public TbsCustomShellTreeView {
  Q_OBJECT
 public:
  using TbsCustomShellTreeView::TbsCustomShellTreeView;
};
