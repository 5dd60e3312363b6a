#include "skin/data/tbsdataskinsplittercontrol.h"

void TbsDataSkinSplitterControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
}
