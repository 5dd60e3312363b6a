// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamer/fileidentity.h"
#include "renamer/folderscan.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <functional>
#include <limits>
#include <memory>
#include <string_view>

namespace {

constexpr long kTickWaitNs = 500'000;  // checks of the coarse clock while waiting for its tick
constexpr int kMaxTickWaits = 100;

// File systems whose directory entries carry the inode numbers stat gives.
// Others (overlay, FUSE, network) may give other numbers there.
bool DirentInodesAreTrue(int dir) {
  struct statfs fs;
  if (fstatfs(dir, &fs) != 0) return false;
  switch (static_cast<unsigned long>(fs.f_type)) {
    case TMPFS_MAGIC:
    case EXT4_SUPER_MAGIC:  // also ext2 and ext3
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
      return true;
    default:
      return false;
  }
}

void StatEach(int dir, std::vector<TFileIdentity>& files) {
  for (TFileIdentity& f : files) {
    struct stat st;
    if (fstatat(dir, f.Name->c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      f.Error = errno;
      continue;
    }
    f.Dev = st.st_dev;
    f.Ino = st.st_ino;
    f.Looked = true;
    f.Size = static_cast<uint64_t>(st.st_size);
    f.MtimeNs = static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000000u + static_cast<uint64_t>(st.st_mtim.tv_nsec);
    f.Error = 0;
  }
}

// One pass over the folder's entries gives each file its inode. False when
// the folder cannot be read.
bool Scan(int dir, uint64_t dev, std::vector<TFileIdentity>& files) {
  for (TFileIdentity& f : files) f.Error = ENOENT;  // until the folder shows it
  return ScanListedEntries(
      dir, files.size(), [&files](std::size_t i) { return std::string_view(*files[i].Name); },
      [&files, dev](std::size_t i, const dirent64& e) {
        files[i].Dev = dev;
        files[i].Ino = e.d_ino;
        files[i].Error = 0;
      });
}

}  // namespace

void IdentifyFiles(int Dir, std::vector<TFileIdentity>& Files) {
  if (Files.empty()) return StatEach(Dir, Files);
  struct stat folder;
  if (!DirentInodesAreTrue(Dir) || fstat(Dir, &folder) != 0 || !Scan(Dir, folder.st_dev, Files))
    return StatEach(Dir, Files);
  // Trusted only when a stat of one found file agrees (a file mounted over
  // another, or a file system not as expected, makes every file stat itself)
  // and shows a birth time: without one, undo needs each file's size and time.
  for (const TFileIdentity& f : Files) {
    if (f.Error != 0) continue;
    struct statx stx;
    if (statx(Dir, f.Name->c_str(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME, &stx) != 0 ||
        makedev(stx.stx_dev_major, stx.stx_dev_minor) != f.Dev || stx.stx_ino != f.Ino || !(stx.stx_mask & STATX_BTIME))
      StatEach(Dir, Files);
    return;
  }
}

namespace {

uint64_t ClockNs(clockid_t clock) {
  timespec ts;
  clock_gettime(clock, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000000000u + static_cast<uint64_t>(ts.tv_nsec);
}

}  // namespace

uint64_t BatchBeginning() { return ClockNs(CLOCK_REALTIME); }

void WaitForFileTimesPast(uint64_t Begun) {
  // Bounded: a clock set back meanwhile must not hold the batch up.
  for (int wait = 0; wait < kMaxTickWaits && ClockNs(CLOCK_REALTIME_COARSE) <= Begun; ++wait) {
    const timespec pause{0, kTickWaitNs};
    nanosleep(&pause, nullptr);
  }
}

bool IsSameFile(int Dir, const std::string& Name, uint64_t Dev, uint64_t Ino, uint64_t Begun, const TFileLook* Look) {
  struct statx stx;
  if (statx(Dir, Name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME | STATX_SIZE | STATX_MTIME, &stx) != 0)
    return false;
  if (makedev(stx.stx_dev_major, stx.stx_dev_minor) != Dev || stx.stx_ino != Ino) return false;
  if (stx.stx_mask & STATX_BTIME) {
    // The birth time decides: a file edited since the batch is still the same file.
    const uint64_t born = static_cast<uint64_t>(stx.stx_btime.tv_sec) * 1000000000u + stx.stx_btime.tv_nsec;
    return born <= Begun;
  }
  if (!Look) return true;  // journalled by an older version: device and inode are all there is
  const uint64_t mtime = static_cast<uint64_t>(stx.stx_mtime.tv_sec) * 1000000000u + stx.stx_mtime.tv_nsec;
  return (stx.stx_mask & STATX_SIZE) && (stx.stx_mask & STATX_MTIME) && stx.stx_size == Look->Size &&
         mtime == Look->MtimeNs;
}
