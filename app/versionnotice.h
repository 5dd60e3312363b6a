// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What --version prints after the name and version, the same for the program
// and its skin tool: who holds the copyright and under which licence.

inline constexpr const char* kVersionNotice =
    "Copyright (C) 2026 The batch-renamer developers\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";
