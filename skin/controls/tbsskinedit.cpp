#include "skin/controls/tbsskinedit.h"

TbsSkinEdit::TbsSkinEdit(QWidget* parent) : TbsSkinCustomEdit(parent) {}
