// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinanimate.h"

void TbsDataSkinAnimate::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinObject::Exchange(filer);
  if (filer.Reading()) Morphing = false;  // the frames replace any fade
  filer.Integer("countframes", CountFrames, 1);
  filer.Boolean("cycle", Cycle, false);
  filer.Boolean("buttonstyle", ButtonStyle, false);
  filer.Integer("timerinterval", TimerInterval, 50);
  filer.Command("command", Command, cmDefault);
}
