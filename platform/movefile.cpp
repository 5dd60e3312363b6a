// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/movefile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

bool FlagUnsupported(int err) {
  return err == EINVAL || err == ENOSYS || err == EOPNOTSUPP;
}

// Errors by which link(2) says the file system (or policy) gives no hard
// links here, as opposed to a reason the move itself must fail.
bool LinkUnsupported(int err) {
  return err == EPERM || err == EOPNOTSUPP || err == ENOSYS || err == EMLINK;
}

// rename(2) replaces silently, so it only runs after the target was seen to be
// absent. The remaining race window is the price of such a file system.
bool RenameIfAbsent(const char* oldPath, const char* newPath) {
  struct stat st;
  if (lstat(newPath, &st) == 0) {
    errno = EEXIST;
    return false;
  }
  if (errno != ENOENT) return false;
  return rename(oldPath, newPath) == 0;
}

}  // namespace

bool MoveFile(const std::string& OldPath, const std::string& NewPath) {
  if (renameat2(AT_FDCWD, OldPath.c_str(), AT_FDCWD, NewPath.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  if (!FlagUnsupported(errno)) return false;
  return MoveFileByLinkOrCheck(OldPath, NewPath);
}

bool MoveFileByLinkOrCheck(const std::string& OldPath, const std::string& NewPath) {
  const char* oldPath = OldPath.c_str();
  const char* newPath = NewPath.c_str();
  struct stat st;
  if (lstat(oldPath, &st) != 0) return false;
  if (!S_ISDIR(st.st_mode)) {
    // linkat without AT_SYMLINK_FOLLOW links a symlink itself, not its target.
    if (linkat(AT_FDCWD, oldPath, AT_FDCWD, newPath, 0) == 0) {
      if (unlink(oldPath) == 0) return true;
      const int err = errno;
      unlink(newPath);  // undo: the file keeps exactly its old name
      errno = err;
      return false;
    }
    if (!LinkUnsupported(errno)) return false;
  }
  return RenameIfAbsent(oldPath, newPath);
}
