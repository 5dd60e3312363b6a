#pragma once

// The rename engine: lists the files of one folder that match a mask and
// renames such a list in one pass to a prefix plus a running number, each
// file keeping its extension. It never replaces an existing file and reports
// no failures: a file that cannot be renamed keeps its name.

#include <cstdint>
#include <string>
#include <vector>

class Trenamefile {
public:
  Trenamefile() = default;

  // Number of names the last ListFiles returned.
  int FileCount() const { return FFileCount; }

  // Pattern is a folder ending in "/" followed by a mask. Returns the bare
  // names of the matching files (directories excluded, hidden files
  // included) in natural order; an empty list when nothing matches, the
  // folder cannot be read or the pattern is no absolute path.
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
