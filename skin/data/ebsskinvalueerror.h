// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A value of the skin description that cannot be converted. The message is
// the conversion's own, exactly as the program reports it; Where() tells a
// skin maker's tool where the value stands (file, line, section, key and the
// value quoted).

#include <string>

#include "framework/sysutils.h"

class EbsSkinValueError : public EConvertError {
 public:
  EbsSkinValueError(std::string where, const std::string& message)
      : EConvertError(message), FWhere(std::move(where)) {}
  const std::string& Where() const { return FWhere; }
  std::string Located() const { return FWhere + ": " + what(); }

 private:
  std::string FWhere;
};
