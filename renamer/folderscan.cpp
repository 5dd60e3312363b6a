// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamer/folderscan.h"

#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace {
constexpr std::size_t kScanBuffer = 1 << 20;  // directory entries read per call
constexpr uint32_t kEmptySlot = std::numeric_limits<uint32_t>::max();
}  // namespace

bool ScanListedEntries(int Dir, std::size_t Count, const std::function<std::string_view(std::size_t)>& NameOf,
                       const std::function<void(std::size_t, const dirent64&)>& Found) {
  if (Count >= kEmptySlot) return false;
  // An open-addressed table of the names' indexes.
  const std::size_t slots = std::bit_ceil(Count * 2 + 1);
  std::vector<uint32_t> table(slots, kEmptySlot);
  const std::hash<std::string_view> hash;
  for (std::size_t i = 0; i < Count; ++i) {
    std::size_t s = hash(NameOf(i)) & (slots - 1);
    while (table[s] != kEmptySlot) s = (s + 1) & (slots - 1);
    table[s] = static_cast<uint32_t>(i);
  }
  const int fd = openat(Dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const std::unique_ptr<char[]> buffer(new char[kScanBuffer]);
  ssize_t n;
  while ((n = getdents64(fd, buffer.get(), kScanBuffer)) > 0) {
    for (ssize_t off = 0; off < n;) {
      const auto* e = reinterpret_cast<const dirent64*>(buffer.get() + off);
      off += e->d_reclen;
      const std::string_view name(e->d_name);
      for (std::size_t s = hash(name) & (slots - 1); table[s] != kEmptySlot; s = (s + 1) & (slots - 1))
        if (NameOf(table[s]) == name) Found(table[s], *e);
    }
  }
  close(fd);
  return n == 0;
}
