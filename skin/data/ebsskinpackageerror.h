// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A skin package whose structure is damaged: a length or count that runs
// past the end of the data, or a package larger than any skin can be.

#include "framework/sysutils.h"

class EbsSkinPackageError : public Exception {
 public:
  using Exception::Exception;
};
