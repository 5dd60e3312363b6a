#include "skin/data/tbsdataskinmainmenubarbutton.h"

void TbsDataSkinMainMenuBarButton::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinStdButton::Exchange(filer);
}
