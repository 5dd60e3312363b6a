// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a journalled rename (or its undo) did: how many files moved, which kept
// their names and why, and the short Chinese report the window shows. Plain
// data, filled by TRenameBatch.

#include <cstddef>
#include <string>
#include <vector>

// Why a file kept its name, from the errno the move returned.
enum class TKeptReason {
  NameTaken,     // EEXIST, ENOTEMPTY: the name it was to get belongs to another file
  NoPermission,  // EACCES, EPERM, EROFS
  FileGone,      // ENOENT, ENOTDIR; for undo also: another file now has the new name
  NameTooLong,   // ENAMETOOLONG
  Other,         // anything else (I/O error, busy, ...)
};

TKeptReason KeptReasonOf(int Errno);

struct TKeptFile {
  std::string Name;    // the name it still has (for undo: the new name it keeps)
  std::string Target;  // the name it was to get (for undo: its old name)
  TKeptReason Reason;
};

struct TBatchResult {
  enum class TKind { Rename, Undo };
  TKind Kind = TKind::Rename;

  // False when nothing was moved because the batch could not begin: the
  // journal could not be written (no space, state folder not writable), the
  // folder cannot be opened, or (undo) the journal is missing, damaged, not
  // ours or its folder is gone. Error then says why, in Chinese, ready to show.
  bool Started = false;
  std::string Error;

  bool Cancelled = false;  // stopped between two files; what moved stays journalled
  std::size_t Total = 0;   // moves planned (undo: journal lines)
  std::size_t Renamed = 0;  // files moved (undo: files moved back to their old names)
  std::vector<TKeptFile> Kept;  // files that were to move and did not, in list order
};

// How many kept files the report names before "…".
constexpr std::size_t kReportNamedFiles = 3;

// The text the window shows after a batch, UTF-8 Chinese; "" when there is
// nothing to say (every file moved, or nothing was to move and nothing failed):
//   rename: "已重命名 7 个文件，1 个文件保留原名：b.jpg（My3.jpg 已存在）"
//   undo:   "已恢复 6 个文件的原名，1 个文件未能恢复：My3.jpg（文件已不存在）"
//   cancelled batches say so first: "已取消。已重命名 120 个文件。"
//   not started: Error.
// Names that are not valid UTF-8 are shown with U+FFFD in place of bad bytes.
std::string ReportText(const TBatchResult& Result);

// The short reason shown in brackets after a kept file, e.g. "My3.jpg 已存在".
std::string ReasonText(const TKeptFile& File);
