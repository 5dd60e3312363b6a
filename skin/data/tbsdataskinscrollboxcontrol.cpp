#include "skin/data/tbsdataskinscrollboxcontrol.h"

void TbsDataSkinScrollBoxControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Integer("bgpictureindex", BGPictureIndex, -1);
}
