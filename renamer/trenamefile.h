// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rename engine: lists the files of one folder that match a mask and
// renames such a list in one pass to a prefix plus a running number, each
// file keeping its extension. It never replaces an existing file and reports
// no failures: a file that cannot be renamed keeps its name.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The naming rules every rename of this program follows. RenameAll, the
// journalled batch (TRenameBatch) and the window's preview all build names
// only through these, so what the preview shows is what the rename does: a
// preview of row i is RenamedName(Names[i], Prefix, RenameNumber(Start, i))
// when IsValidPrefix(Prefix) and IsRenamable(Names[i]).
//
// File i of a list (0-based) gets the number RenameNumber(Start, i), also
// when it is skipped: a skipped file still uses up its number.

// A prefix is part of a name: one holding "/" would move files to another
// folder and a NUL byte would cut the name short. With such a prefix nothing
// is renamed at all.
bool IsValidPrefix(std::string_view Prefix);
constexpr std::size_t kMaxNameBytes = 255;  // the longest name the file systems a folder can be on take
// Bytes of the shortest name any file of a batch can get: the prefix and the
// shortest running number (the first, numbers only grow), with no extension.
// Past kMaxNameBytes every rename of the batch must fail.
std::size_t ShortestNewNameBytes(std::string_view Prefix, int32_t Start, int Width = 0);

// Only a bare name of the folder is renamed: never "", ".", ".." or a name
// holding "/" or NUL. Such a list entry is skipped (its number still used).
bool IsRenamable(std::string_view Name);

// The number file Index of a list gets: int64_t(Start) + 1 + Index. 64 bits,
// since Start + Index may pass INT32_MAX and the names go on counting.
int64_t RenameNumber(int32_t Start, std::size_t Index);

// The extension of a bare name: the text from its last ".", or "" if none.
std::string_view NameExtension(std::string_view Name);

// Zero padding, off by default (Width 0): every number of a batch is written
// with at least as many digits as the batch's last number has, so that
// names sort right as text (My001 ... My120). A number never gets shorter.
// The digits of RenameNumber(Start, Count - 1) without its sign; 0 when Count is 0.
int NumberWidth(int32_t Start, std::size_t Count);
// Number in decimal, its digits padded with zeros to Width ("-" before the zeros).
std::string NumberText(int64_t Number, int Width = 0);

// The bare new name: Prefix + NumberText(Number, Width) + the old name's
// extension. It may be longer than the file system allows; the move then
// fails and the file keeps its name.
std::string RenamedName(std::string_view OldName, std::string_view Prefix, int64_t Number, int Width = 0);

// One move a rename of a list makes: Names[Index] becomes NewName.
struct TPlannedRename {
  std::size_t Index;
  std::string NewName;
};

// The moves, in order, that renaming the first Count names of Names makes
// (Count is clamped to Names.size()); empty when the prefix is not valid.
// Width is the zero padding of every number (see NumberWidth), 0 for none.
std::vector<TPlannedRename> PlanRenames(const std::vector<std::string>& Names, std::size_t Count,
                                        std::string_view Prefix, int32_t Start, int Width = 0);

class Trenamefile {
public:
  Trenamefile() = default;

  // Number of names the last ListFiles returned.
  int FileCount() const { return FFileCount; }

  // Pattern is a folder ending in "/" followed by a mask. Returns the bare
  // names of the matching files (directories excluded, hidden files
  // included) in natural order; an empty list when nothing matches, the
  // folder cannot be read, its mount gives no answer within the folder
  // deadline (then the next listing there gives up at once) or the pattern
  // is no absolute path.
  std::vector<std::string> ListFiles(const std::string& Pattern);

  // Renames Folder + Names[i] to Folder + Prefix + (Start + 1 + i) + the
  // old name's extension for the first FileCount names. A prefix holding "/"
  // or a NUL byte renames nothing; a name that is empty, "." or "..", or holds
  // "/" is skipped (its number is still used).
  void RenameAll(const std::string& Folder, const std::vector<std::string>& Names,
                 const std::string& Prefix, int32_t Start);

private:
  int32_t FFileCount = 0;
};
