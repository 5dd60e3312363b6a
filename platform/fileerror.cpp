// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fileerror.h"

#include <cerrno>
#include <cstring>

std::string FileErrorText(int error) {
  switch (error) {
    case EEXIST:
    case ENOTEMPTY: return "名称已被占用";
    case EACCES:
    case EPERM: return "没有权限";
    case ENOSPC:
    case EDQUOT: return "磁盘空间不足";
    case ENAMETOOLONG: return "名称太长";
    case EROFS: return "磁盘是只读的";
    case ENOENT: return "找不到文件或文件夹";
    case ENOTDIR: return "不是文件夹";
    case EINVAL: return "名称无效";
    default: return std::strerror(error);
  }
}
