// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opens a document or an address with the desktop's default handler.

#include <string>

bool ShellOpen(const std::string& target);
