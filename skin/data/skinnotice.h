// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A control bound to one skin data acts on the skin change notices that its
// own skin data sends, or that name no sender. Notices from another skin data
// in the same window are not its business and go nowhere.

#include <functional>

#include "framework/tmessage.h"

class TbsSkinData;

// True when Message was a skin notice the caller must not pass on: one of its
// own runs BeforeChange or Change, one from other skin data is dropped. A
// control without a BeforeChange leaves that notice to its base class.
inline bool DispatchSkinNotice(const TMessage& message, const TbsSkinData* own,
                               const std::function<void()>& beforeChange, const std::function<void()>& change) {
  const bool before = message.Msg == SkinMsgBeforeChange && beforeChange;
  if (!before && message.Msg != SkinMsgChange) return false;
  const auto* sender = reinterpret_cast<const TbsSkinData*>(message.WParam);
  if (sender && sender != own) return true;
  if (before)
    beforeChange();
  else
    change();
  return true;
}
