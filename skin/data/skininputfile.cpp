// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/skininputfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Closes the descriptor on every way out.
struct FileDescriptor {
  int Fd;
  ~FileDescriptor() {
    if (Fd >= 0) ::close(Fd);
  }
};

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

}  // namespace

std::string ReadSkinInputFile(const std::string& path, std::vector<uint8_t>& bytes, size_t limit) {
  bytes.clear();
  // Non-blocking, so opening a FIFO without a writer returns at once and is
  // then refused below instead of waiting for one.
  const FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (file.Fd < 0) {
    if (errno == ENOENT) return "File " + Quoted(path) + " does not exist";
    return "Cannot open file " + Quoted(path) + ": " + std::strerror(errno);
  }
  struct stat info {};
  if (::fstat(file.Fd, &info) != 0) return "Cannot read file " + Quoted(path) + ": " + std::strerror(errno);
  if (S_ISDIR(info.st_mode)) return Quoted(path) + " is a folder, not a file";
  if (!S_ISREG(info.st_mode)) return Quoted(path) + " is not a regular file (a FIFO, socket or device is never read)";
  if (uint64_t(info.st_size) > limit)
    return "File " + Quoted(path) + " is larger than " + std::to_string(limit >> 20) + " MB";

  bytes.resize(size_t(info.st_size));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(file.Fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return "Cannot read file " + Quoted(path) + ": " + std::strerror(errno);
    if (n == 0) break;  // shrank while being read: take what is there
    done += size_t(n);
  }
  bytes.resize(done);
  return {};
}
