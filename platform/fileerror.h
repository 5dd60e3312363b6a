// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reason a file operation failed, as the window says it: the common
// errors in our own words, anything rarer in the system's text.

#include <string>

std::string FileErrorText(int error);
