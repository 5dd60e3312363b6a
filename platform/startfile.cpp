// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/startfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>

namespace {

// Closes the descriptor on every way out.
struct TFd {
  int Fd;
  ~TFd() {
    if (Fd >= 0) close(Fd);
  }
};

void SayOnce(const std::string& path, const std::string& why) {
  static std::mutex lock;
  static std::set<std::string> said;
  const std::lock_guard<std::mutex> guard(lock);
  if (!said.insert(path).second) return;
  std::fprintf(stderr, "batch-renamer: %s %s; using the defaults instead\n", path.c_str(), why.c_str());
}

// Opens `path` for reading if it may be read: -1 when missing or refused.
int OpenStartFile(const std::string& path, TStartFile& state, struct stat& st) {
  // Non-blocking: a FIFO without a writer must not hold the open.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    state = errno == ENOENT || errno == ENOTDIR ? TStartFile::Missing : TStartFile::Refused;
    if (state == TStartFile::Refused) SayOnce(path, std::string("cannot be opened (") + std::strerror(errno) + ")");
    return -1;
  }
  std::string why;
  if (fstat(fd, &st) != 0)
    why = std::string("cannot be read (") + std::strerror(errno) + ")";
  else if (!S_ISREG(st.st_mode))
    why = "is not a regular file";
  else if (std::size_t(st.st_size) > kMaxStartFileBytes)
    why = "is larger than " + std::to_string(kMaxStartFileBytes >> 20) + " MB";
  if (!why.empty()) {
    close(fd);
    state = TStartFile::Refused;
    SayOnce(path, why);
    return -1;
  }
  state = TStartFile::Usable;
  return fd;
}

}  // namespace

TStartFile CheckStartFile(const std::string& path) {
  TStartFile state;
  struct stat st {};
  const TFd file{OpenStartFile(path, state, st)};
  return state;
}

bool ReadStartFile(const std::string& path, std::string& text) {
  text.clear();
  TStartFile state;
  struct stat st {};
  const TFd file{OpenStartFile(path, state, st)};
  if (file.Fd < 0) return false;
  // Read to the end, but never past the limit: the file may grow meanwhile.
  char buffer[1 << 14];
  for (;;) {
    const ssize_t n = read(file.Fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    text.append(buffer, std::size_t(n));
    if (text.size() > kMaxStartFileBytes) {
      text.clear();
      SayOnce(path, "grew past " + std::to_string(kMaxStartFileBytes >> 20) + " MB while being read");
      return false;
    }
  }
  return true;
}
