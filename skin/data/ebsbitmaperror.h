// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A skin picture that is not a BMP file this program can read: the message
// names what is wrong with it.

#include "framework/sysutils.h"

class EbsBitmapError : public Exception {
 public:
  using Exception::Exception;
};
