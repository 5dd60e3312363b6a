#include "skin/controls/tbsskinlistbox.h"

TbsSkinListBox::TbsSkinListBox(QWidget* parent) : TbsSkinCustomListBox(parent) {}
