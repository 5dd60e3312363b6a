// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plain controls a skinned panel holds (group boxes, labels and link
// labels bound to no skin) dressed in the skin's colours, for skins that
// describe them: a "groupbox" bevel record gives the group frame's light and
// dark lines, a "linklabel" label record the link's colours. The boxes and
// their labels take the panel's own face and text colours. A skin without
// these records leaves every such control with the colours it was given.

#include <QPointer>
#include <vector>

#include "framework/tcolor.h"

class QWidget;
class TControl;
class TbsSkinData;

class TbsPlainChildColors {
 public:
  // Gives the plain controls under `panel` the colours of `skin` (or back
  // their own when the skin has none for them). `face` and `text` are the
  // panel's background and text colours under that skin.
  void Apply(QWidget* panel, const TbsSkinData* skin, TColor face, TColor text);

 private:
  struct TKept {
    QPointer<TControl> Control;
    TColor Color, FontColor, FrameLight, FrameDark, DefaultFontColor, ActiveColor;
  };
  void RestoreAll();
  void Keep(TControl* control);

  std::vector<TKept> FKept;
};
