// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Renaming a file without ever replacing an existing one.

#include <string>

// Moves OldPath to NewPath; fails (false, errno set) when NewPath exists,
// OldPath is missing, or the move is otherwise refused. Uses
// renameat2(RENAME_NOREPLACE), and MoveFileByLinkOrCheck where the file
// system does not support that flag.
bool MoveFile(const std::string& OldPath, const std::string& NewPath);

// The fallback: link + unlink for anything but a directory; where hard links
// are unsupported too, an existence check right before rename(2). Exposed so
// that it can be tested on file systems that support the flag.
bool MoveFileByLinkOrCheck(const std::string& OldPath, const std::string& NewPath);
