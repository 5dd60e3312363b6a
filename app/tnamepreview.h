// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the rename would make of each listed file, for the list's preview: the
// new name, and whether the file keeps its old one because that name is
// taken. The batch is played through in list order over the folder's names,
// as the moves will find them: a move to a free name frees the old name and
// takes the new one; a move to a taken name fails, and the old name stays
// taken. Rows are worked out only as far as a row is asked for, and the
// folder is read once per listing, so a list of any length costs nothing
// until it is painted.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

enum class TPreviewOutcome : uint8_t {
  Renamed,    // the file gets NewName
  Unchanged,  // NewName is the name it already has
  Taken,      // NewName belongs to another file by then: the file keeps its name
  TooLong,    // NewName is longer than a file name may be: the file keeps its name
  Skipped,    // the rename leaves this entry alone (its number is still used)
};

struct TPreviewRow {
  TPreviewOutcome Outcome = TPreviewOutcome::Renamed;
  std::string NewName;  // empty for Skipped
};

class TNamePreview {
 public:
  static constexpr std::size_t kMaxNameBytes = 255;  // NAME_MAX of the file systems a folder can be on

  // A new listing of `folder` (ends in "/"): the folder's names are read
  // again when next needed, and every row is worked out afresh.
  void SetListing(std::string folder);
  // The prefix, start number and zero padding (NumberWidth, 0 for none) the
  // rows are for; no start (a text that is not a number) or a prefix the
  // rename refuses means no preview. False when all are as they were (the
  // rows stay).
  bool SetPattern(std::string prefix, std::optional<int32_t> start, int width = 0);

  // Row `index` of `names`, of which the rename moves the first `count`;
  // nothing when there is no preview for it. `names` must stay the same
  // vector, unchanged, until the next SetListing (a change is noticed and
  // starts the rows afresh).
  std::optional<TPreviewRow> Row(const std::vector<std::string>& names, std::size_t count, std::size_t index);

  // How many rows have been worked out, and whether the folder has been read
  // (for the cost: both stay at nothing until a row is asked for).
  std::size_t RowsWorkedOut() const { return FOutcomes.size(); }
  bool FolderRead() const { return FFolderRead; }
  std::size_t FolderNameCount() const { return FFolderNames.size(); }

 private:
  void ReadFolder();
  void ForgetRows();
  bool Taken(std::string_view name) const;
  void WorkOutTo(const std::vector<std::string>& names, std::size_t index);

  std::string FFolder;
  std::string FPrefix;
  std::optional<int32_t> FStart;
  int FWidth = 0;

  // The folder's names as listed once: one block of text, and a set of views into it.
  bool FFolderRead = false;
  std::string FNameText;
  std::unordered_set<std::string_view> FFolderNames;

  // The played-through part of the batch: the names moves freed that a later
  // move could want (views into the listed names), and each row's outcome.
  // Names that moves take need no record: two moves never want the same
  // name, their numbers differ and an extension starts with ".".
  const std::vector<std::string>* FNames = nullptr;
  const std::string* FNamesData = nullptr;
  std::size_t FNamesSize = 0;
  std::unordered_set<std::string_view> FFreed;
  std::vector<TPreviewOutcome> FOutcomes;
};
