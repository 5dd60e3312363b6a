// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A form that records every skin notice it receives, with what the skin data
// looked like at that moment, into one log shared by all such forms.

#include <string>
#include <vector>

#include "framework/tform.h"
#include "skin/data/tbsskindata.h"

struct Notice {
  std::string Form;
  unsigned Msg;
  intptr_t WParam;
  intptr_t LParam;
  bool HasSkin;
  bool operator==(const Notice&) const = default;
};

class RecordingForm : public TForm {
 public:
  RecordingForm(std::string name, std::vector<Notice>& log) : FName(std::move(name)), FLog(log) {}
  void WndProc(TMessage& m) override {
    const auto* data = reinterpret_cast<TbsSkinData*>(m.WParam);
    FLog.push_back({FName, m.Msg, m.WParam, m.LParam, data && data->HasSkin()});
  }

 private:
  std::string FName;
  std::vector<Notice>& FLog;
};
