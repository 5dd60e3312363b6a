// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture of a skin package that the BMP reader refuses. The message is
// the reader's own, exactly as the program reports it; Where() tells a skin
// maker's tool which picture of the package it is.

#include <string>

#include "skin/data/ebsbitmaperror.h"

class EbsSkinPictureError : public EbsBitmapError {
 public:
  EbsSkinPictureError(std::string where, const std::string& message)
      : EbsBitmapError(message), FWhere(std::move(where)) {}
  const std::string& Where() const { return FWhere; }
  std::string Located() const { return FWhere + ": " + what(); }

 private:
  std::string FWhere;
};
