// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamer/trenamefile.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "platform/findfile.h"
#include "platform/movefile.h"
#include "platform/readintime.h"

namespace {

// Hidden and system files are listed; directories and volume labels are not.
constexpr int kListAttributes = 0x46;

constexpr std::string_view kNotInNames("/\0", 2);

}  // namespace

bool IsValidPrefix(std::string_view Prefix) {
  return Prefix.find_first_of(kNotInNames) == std::string_view::npos;
}

bool IsRenamable(std::string_view Name) {
  return !Name.empty() && Name != "." && Name != ".." &&
         Name.find_first_of(kNotInNames) == std::string_view::npos;
}

std::size_t ShortestNewNameBytes(std::string_view Prefix, int32_t Start, int Width) {
  // A start below zero counts through "0", the shortest number of all.
  const int64_t first = RenameNumber(Start, 0);
  return Prefix.size() + std::max<std::size_t>(std::max(Width, 1), first <= 0 ? 1 : std::to_string(first).size());
}

int64_t RenameNumber(int32_t Start, std::size_t Index) {
  return int64_t{Start} + 1 + static_cast<int64_t>(Index);
}

std::string_view NameExtension(std::string_view Name) {
  const std::size_t pos = Name.find_last_of("./");
  if (pos == std::string_view::npos || Name[pos] != '.') return {};
  return Name.substr(pos);
}

int NumberWidth(int32_t Start, std::size_t Count) {
  if (Count == 0) return 0;
  const int64_t last = RenameNumber(Start, Count - 1);
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, last).ptr;
  return int(end - digits) - (last < 0 ? 1 : 0);
}

std::string NumberText(int64_t Number, int Width) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, Number).ptr;
  const char* first = digits + (Number < 0 ? 1 : 0);
  std::string text(Number < 0 ? "-" : "");
  if (Width > end - first) text.append(std::size_t(Width - (end - first)), '0');
  return text.append(first, end);
}

std::string RenamedName(std::string_view OldName, std::string_view Prefix, int64_t Number, int Width) {
  const std::string number = NumberText(Number, Width);
  const std::string_view extension = NameExtension(OldName);
  std::string name;
  name.reserve(Prefix.size() + number.size() + extension.size());
  name.append(Prefix).append(number).append(extension);
  return name;
}

std::vector<TPlannedRename> PlanRenames(const std::vector<std::string>& Names, std::size_t Count,
                                        std::string_view Prefix, int32_t Start, int Width) {
  std::vector<TPlannedRename> plan;
  if (!IsValidPrefix(Prefix)) return plan;
  Count = std::min(Count, Names.size());
  plan.reserve(Count);
  for (std::size_t i = 0; i < Count; ++i) {
    if (!IsRenamable(Names[i])) continue;
    plan.push_back({i, RenamedName(Names[i], Prefix, RenameNumber(Start, i), Width)});
  }
  return plan;
}

namespace {

std::vector<std::string> MatchingNames(const std::string& pattern) {
  std::vector<std::string> names;
  TSearchRec search;
  // Closes the search on every path, also when appending throws.
  struct Closer {
    TSearchRec& Rec;
    ~Closer() { FindClose(Rec); }
  } closer{search};
  if (FindFirst(pattern, kListAttributes, search) == 0) {
    do {
      names.push_back(std::move(search.Name));  // FindNext overwrites it anyway
    } while (FindNext(search) == 0);
  }
  return names;
}

}  // namespace

std::vector<std::string> Trenamefile::ListFiles(const std::string& Pattern) {
  FFileCount = 0;
  // A folder on a mount that stopped answering lists nothing once the
  // deadline passes instead of holding the window; the search, left to
  // finish on its own, owns its copy of the pattern.
  const std::string folder = Pattern.substr(0, Pattern.rfind('/') + 1);
  std::optional<std::vector<std::string>> names =
      AnswerInTime<std::vector<std::string>>(folder, [Pattern] { return MatchingNames(Pattern); });
  if (!names) return {};
  FFileCount = int(names->size());
  return std::move(*names);
}

void Trenamefile::RenameAll(const std::string& Folder, const std::vector<std::string>& Names,
                            const std::string& Prefix, int32_t Start) {
  // A shorter list than the last listing must not be read past its end.
  const std::size_t count = static_cast<std::size_t>(std::max(FFileCount, 0));
  for (const TPlannedRename& move : PlanRenames(Names, count, Prefix, Start))
    MoveFile(Folder + Names[move.Index], Folder + move.NewName);  // a failed move keeps the name
}
