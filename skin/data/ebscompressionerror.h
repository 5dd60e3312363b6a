// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The zlib block of a stored skin could not be inflated or deflated.

#include "framework/sysutils.h"

class EbsCompressionError : public Exception {
 public:
  using Exception::Exception;
};
