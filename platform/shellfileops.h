// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the folder context menu does to real folders: new folder, delete to
// the trash, copy and cut through the system clipboard in the formats
// desktop file managers use, and paste that never replaces anything.
// Paths are bytes; each operation returns false with a reason the user can
// read when it did nothing (or, for paste, stopped).

#include <string>
#include <vector>

// The first free name among "新建文件夹", "新建文件夹 (2)", ... in `folder`,
// made there; "" and `error` when none could be made.
std::string MakeNewFolder(const std::string& folder, std::string& error);

// Moves `path` to the user's trash: $XDG_DATA_HOME/Trash for the home
// folder's disk, and on any other disk that disk's own trash in its top
// folder ($topdir/.Trash/$uid, or $topdir/.Trash-$uid). Only ever a rename:
// when no trash on the item's disk can take it (it cannot be made, or fails
// the rules' safety checks), the item stays where it is.
bool MoveToTrash(const std::string& path, std::string& error);

// The mount point (from /proc/self/mountinfo text) of the file system that
// holds the canonical `path`: the longest that covers it, "" when none does.
std::string MountPointOf(const std::string& mountinfo, const std::string& path);

// `name` made free in `folder`: unchanged when free, else "name (2)",
// "name (3)", ... (before the extension for a file).
std::string FreeNameIn(const std::string& folder, const std::string& name, bool isFolder);

// Copies (or, with `move`, moves) every source into `folder`, recursively,
// under a free name: RunPaste (pastejob.h) on the calling thread. A move on
// one file system is a rename that cannot replace; across file systems only
// what was copied whole and is unchanged leaves the source. A folder is never
// pasted into itself or below itself.
bool PasteInto(const std::string& folder, const std::vector<std::string>& sources, bool move, std::string& error);

// Clipboard formats. A path in a file URI keeps every byte (percent-encoded).
std::string PathToFileUri(const std::string& path);
// The path of a "file:" URI (with an empty or "localhost" host), or "".
std::string FileUriToPath(const std::string& uri);
// "copy" or "cut", then one URI a line, as the GNOME-style file managers write.
std::string GnomeCopiedFiles(const std::vector<std::string>& paths, bool cut);
// Paths of a text/uri-list or x-special/gnome-copied-files body; `cut` from
// the latter's first line.
std::vector<std::string> PathsFromUriList(const std::string& body);
std::vector<std::string> PathsFromGnomeCopiedFiles(const std::string& body, bool& cut);

// The system clipboard.
void PutFilesOnClipboard(const std::vector<std::string>& paths, bool cut);
// False when the clipboard holds no files.
bool FilesOnClipboard(std::vector<std::string>& paths, bool& cut);
