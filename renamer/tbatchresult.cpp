// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamer/tbatchresult.h"

#include <cerrno>
#include <string_view>

#include "platform/utf8.h"

TKeptReason KeptReasonOf(int Errno) {
  switch (Errno) {
    case EEXIST:
    case ENOTEMPTY:
      return TKeptReason::NameTaken;
    case EACCES:
    case EPERM:
    case EROFS:
      return TKeptReason::NoPermission;
    case ENOENT:
    case ENOTDIR:
      return TKeptReason::FileGone;
    case ENAMETOOLONG:
      return TKeptReason::NameTooLong;
    default:
      return TKeptReason::Other;
  }
}

namespace {

// A name as text: bytes that are no UTF-8 and control characters (a name may
// hold a newline) become U+FFFD, so the report stays one readable line.
std::string Shown(std::string_view name) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string text;
  text.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    const TUtf8Char c = NextUtf8Char(name, i);
    if (c.Code >= kInvalidByteBase || c.Code < 0x20 || c.Code == 0x7F)
      text.append(kReplacement);
    else
      text.append(name.substr(i, c.Len));
    i += c.Len;
  }
  return text;
}

}  // namespace

std::string ReasonText(const TKeptFile& File) {
  switch (File.Reason) {
    case TKeptReason::NameTaken: return Shown(File.Target) + " 已存在";
    case TKeptReason::NoPermission: return "没有权限";
    case TKeptReason::FileGone: return "文件已不存在";
    case TKeptReason::NameTooLong: return "新文件名过长";
    case TKeptReason::Other: break;
  }
  return "无法移动";
}

std::string ReportText(const TBatchResult& Result) {
  if (!Result.Started) return Result.Error;
  const bool undo = Result.Kind == TBatchResult::TKind::Undo;
  if (Result.Kept.empty() && !Result.Cancelled) return {};
  std::string text;
  if (Result.Cancelled) text = "已取消。";
  text += undo ? "已恢复 " + std::to_string(Result.Renamed) + " 个文件的原名"
               : "已重命名 " + std::to_string(Result.Renamed) + " 个文件";
  if (Result.Kept.empty()) return text + "。";
  text += "，" + std::to_string(Result.Kept.size()) +
          (undo ? " 个文件未能恢复：" : " 个文件保留原名：");
  for (std::size_t i = 0; i < Result.Kept.size() && i < kReportNamedFiles; ++i) {
    if (i > 0) text += "，";
    text += Shown(Result.Kept[i].Name) + "（" + ReasonText(Result.Kept[i]) + "）";
  }
  if (Result.Kept.size() > kReportNamedFiles) text += "…";
  return text;
}
