#include "renamer/trenamefile.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "platform/findfile.h"
#include "platform/movefile.h"

namespace {

// Hidden and system files are listed; directories and volume labels are not.
constexpr int kListAttributes = 0x46;

// The text from the last "." of the path, when no "/" follows it.
std::string_view Extension(std::string_view path) {
  const std::size_t pos = path.find_last_of("./");
  if (pos == std::string_view::npos || path[pos] != '.') return {};
  return path.substr(pos);
}

bool IsBareName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

}  // namespace

std::vector<std::string> Trenamefile::ListFiles(const std::string& Pattern) {
  std::vector<std::string> names;
  FFileCount = 0;
  TSearchRec search;
  // Closes the search on every path, also when appending throws.
  struct Closer {
    TSearchRec& Rec;
    ~Closer() { FindClose(Rec); }
  } closer{search};
  if (FindFirst(Pattern, kListAttributes, search) == 0) {
    do {
      names.push_back(std::move(search.Name));  // FindNext overwrites it anyway
      ++FFileCount;
    } while (FindNext(search) == 0);
  }
  return names;
}

void Trenamefile::RenameAll(const std::string& Folder, const std::vector<std::string>& Names,
                            const std::string& Prefix, int32_t Start) {
  // A prefix is part of a name: with "/" the files would move to another
  // folder, and a NUL byte would cut the name short.
  if (Prefix.find_first_of(std::string_view("/\0", 2)) != std::string::npos) return;
  // A shorter list than the last listing must not be read past its end.
  const std::size_t count = std::min(static_cast<std::size_t>(FFileCount), Names.size());
  // 64 bits: Start + FileCount may pass INT32_MAX, and the names go on counting.
  int64_t number = Start;
  std::string oldPath, newPath;
  for (std::size_t i = 0; i < count; ++i) {
    ++number;
    // Only a bare name of this folder is renamed; never ".", ".." or a path.
    if (!IsBareName(Names[i])) continue;
    oldPath.assign(Folder).append(Names[i]);
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    newPath.assign(Folder)
        .append(Prefix)
        .append(digits, end - digits)
        .append(Extension(oldPath));
    MoveFile(oldPath, newPath);  // a file that cannot be renamed keeps its name
  }
}
