#include "skin/data/tbsdataskinmainmenubaritem.h"

void TbsDataSkinMainMenuBarItem::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinMainMenuItem::Exchange(filer);
}
