// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tnamepreview.h"

#include <dirent.h>

#include <algorithm>

#include "renamer/trenamefile.h"

void TNamePreview::SetListing(std::string folder) {
  FFolder = std::move(folder);
  FFolderRead = false;
  FFolderNames.clear();
  FNameText.clear();
  ForgetRows();
}

bool TNamePreview::SetPattern(std::string prefix, std::optional<int32_t> start, int width) {
  if (prefix == FPrefix && start == FStart && width == FWidth) return false;
  FPrefix = std::move(prefix);
  FStart = start;
  FWidth = width;
  ForgetRows();
  return true;
}

void TNamePreview::ForgetRows() {
  FNames = nullptr;
  FNamesData = nullptr;
  FNamesSize = 0;
  FFreed.clear();
  FOutcomes.clear();
}

void TNamePreview::ReadFolder() {
  FFolderRead = true;
  // Every entry counts, listed or not: a move never replaces a folder, a
  // hidden file or a file the mask left out either.
  if (DIR* dir = opendir(FFolder.c_str())) {
    std::size_t count = 0;
    while (const dirent* entry = readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name == "." || name == "..") continue;
      FNameText.append(name).push_back('\0');  // names never hold NUL
      ++count;
    }
    closedir(dir);
    // Views are taken once the text no longer grows, so none of them dangles.
    FFolderNames.reserve(count);
    for (std::size_t at = 0; at < FNameText.size();) {
      const std::size_t end = FNameText.find('\0', at);
      FFolderNames.insert(std::string_view(FNameText).substr(at, end - at));
      at = end + 1;
    }
  }
}

bool TNamePreview::Taken(std::string_view name) const { return FFolderNames.count(name) && !FFreed.count(name); }

void TNamePreview::WorkOutTo(const std::vector<std::string>& names, std::size_t index) {
  if (!FFolderRead) ReadFolder();
  for (std::size_t i = FOutcomes.size(); i <= index; ++i) {
    const std::string& old = names[i];
    TPreviewOutcome outcome;
    if (!IsRenamable(old)) {
      outcome = TPreviewOutcome::Skipped;
    } else {
      std::string name = RenamedName(old, FPrefix, RenameNumber(*FStart, i), FWidth);
      if (name == old) outcome = TPreviewOutcome::Unchanged;
      else if (name.size() > kMaxNameBytes) outcome = TPreviewOutcome::TooLong;
      else if (Taken(name)) outcome = TPreviewOutcome::Taken;
      else {
        outcome = TPreviewOutcome::Renamed;
        // Only a name that begins with the prefix can be a later move's new name.
        if (std::string_view(old).substr(0, FPrefix.size()) == FPrefix) FFreed.insert(old);
      }
    }
    FOutcomes.push_back(outcome);
  }
}

std::optional<TPreviewRow> TNamePreview::Row(const std::vector<std::string>& names, std::size_t count,
                                             std::size_t index) {
  if (!FStart || !IsValidPrefix(FPrefix)) return std::nullopt;
  if (index >= std::min(count, names.size())) return std::nullopt;
  if (&names != FNames || names.data() != FNamesData || names.size() != FNamesSize) {
    ForgetRows();
    FNames = &names;
    FNamesData = names.data();
    FNamesSize = names.size();
  }
  WorkOutTo(names, index);
  TPreviewRow row;
  row.Outcome = FOutcomes[index];
  if (row.Outcome != TPreviewOutcome::Skipped)
    row.NewName = RenamedName(names[index], FPrefix, RenameNumber(*FStart, index), FWidth);
  return row;
}
