// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real mount whose server stopped answering, for the tests of what the
// folder tree does with one: a FUSE mount whose server answers the kernel's
// INIT request and then nothing more, so every stat, opendir and lookup
// under it waits until the connection is aborted.
//
// Such a test runs in a child process of the test program (the same test,
// started again with BR_PRIVATE_MOUNTS set) in a mount namespace of its own,
// so nothing it mounts can outlive it or show outside it; the parent kills
// the child when it does not finish in time, which aborts the connection and
// fails the test instead of hanging the run.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fuse.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace hungmount {
constexpr const char* kChildVariable = "BR_PRIVATE_MOUNTS";
constexpr int kWatchdogMs = 30000;  // a child still running by then is hung: killed, and the test fails

// Called first thing in main, before any thread exists: in the child, moves
// the process into a mount namespace of its own whose mounts propagate nowhere.
inline void EnterPrivateMountsIfChild() {
  if (!std::getenv(kChildVariable)) return;
  if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    std::fprintf(stderr, "no mount namespace of our own: %s\n", std::strerror(errno));
    std::_Exit(3);
  }
}

inline bool InChild() { return std::getenv(kChildVariable) != nullptr; }

// In the parent: runs the current test again in a child with private mounts
// and fails unless it passes there in time.
inline void RunInChild() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string filter = std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
  // Everything the child needs is made before the fork: only exec follows it.
  std::vector<std::string> env{std::string(kChildVariable) + "=1"};
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  std::vector<char*> envp, argv{const_cast<char*>("/proc/self/exe"), const_cast<char*>(filter.c_str()), nullptr};
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  int out[2];
  ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(out[1], 1);
    dup2(out[1], 2);
    execve("/proc/self/exe", argv.data(), envp.data());
    _exit(127);
  }
  close(out[1]);
  std::string output;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWatchdogMs);
  bool finished = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, int(left.count())) <= 0) continue;
    char buffer[4096];
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) {
      finished = true;  // the child closed its output: it has ended
      break;
    }
    output.append(buffer, std::size_t(n));
  }
  close(out[0]);
  if (!finished) kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(finished) << "the child hung and was killed:\n" << output;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
  EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

// A tmpfs on /mnt (private to the child), so the test builds its folders
// there without touching the machine's own /mnt.
class ScratchMnt {
 public:
  ScratchMnt() { Ok = mount("br-scratch", "/mnt", "tmpfs", MS_NOSUID | MS_NODEV, "size=4m,mode=755") == 0; }
  ~ScratchMnt() {
    if (Ok) umount2("/mnt", MNT_DETACH);
  }
  bool Ok = false;
};

// A FUSE mount at `point` that answers INIT and then never again.
class HungMount {
 public:
  explicit HungMount(std::string point) : FPoint(std::move(point)) {
    mkdir(FPoint.c_str(), 0755);
    FFd = open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (FFd < 0) {
      Error = std::string("open /dev/fuse: ") + std::strerror(errno);
      return;
    }
    const std::string options = "fd=" + std::to_string(FFd) + ",rootmode=40000,user_id=0,group_id=0";
    if (mount("br-hung", FPoint.c_str(), "fuse", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
      Error = std::string("mount fuse: ") + std::strerror(errno);
      return;
    }
    FMounted = true;
    AnswerInit();
  }
  ~HungMount() {
    FStop = true;
    if (FServer.joinable()) FServer.join();
    // Detaching and closing the device abort the connection: every thread
    // still waiting on the mount gets an error and goes on.
    if (FMounted) umount2(FPoint.c_str(), MNT_DETACH);
    if (FFd >= 0) close(FFd);
  }
  bool Ok() const { return Error.empty(); }
  std::string Error;

  // From now on the server answers again, as an empty folder: the requests
  // that waited since it fell silent first.
  void Answer() { FServer = std::thread([this] { Serve(); }); }

 private:
  void Serve() {
    std::vector<char> buffer(FUSE_MIN_READ_BUFFER + 65536);
    while (!FStop) {
      pollfd p{FFd, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      const ssize_t n = read(FFd, buffer.data(), buffer.size());
      if (n < 0 && errno != EINTR && errno != ENOENT) return;  // the connection is gone
      fuse_in_header in{};
      if (n < ssize_t(sizeof in)) continue;
      std::memcpy(&in, buffer.data(), sizeof in);
      switch (in.opcode) {
        case FUSE_FORGET:
        case FUSE_BATCH_FORGET:
        case FUSE_INTERRUPT:
          break;  // never answered
        case FUSE_GETATTR: {
          fuse_attr_out out{};
          out.attr.ino = in.nodeid;
          out.attr.mode = S_IFDIR | 0755;
          out.attr.nlink = 2;
          Reply(in.unique, 0, &out, sizeof out);
          break;
        }
        case FUSE_OPENDIR: {
          fuse_open_out out{};
          Reply(in.unique, 0, &out, sizeof out);
          break;
        }
        case FUSE_READDIR:
        case FUSE_READDIRPLUS:  // nothing: the folder is empty
        case FUSE_RELEASEDIR:
        case FUSE_ACCESS:
          Reply(in.unique, 0, nullptr, 0);
          break;
        case FUSE_LOOKUP:
          Reply(in.unique, -ENOENT, nullptr, 0);
          break;
        default:
          Reply(in.unique, -ENOSYS, nullptr, 0);
          break;
      }
    }
  }
  void Reply(uint64_t unique, int error, const void* body, std::size_t size) {
    fuse_out_header header{};
    header.len = uint32_t(sizeof header + size);
    header.error = error;
    header.unique = unique;
    iovec parts[2] = {{&header, sizeof header}, {const_cast<void*>(body), size}};
    if (writev(FFd, parts, size ? 2 : 1) < 0) {
      // The request was interrupted meanwhile: nobody waits for this answer.
    }
  }

  void AnswerInit() {
    std::string buffer(FUSE_MIN_READ_BUFFER, '\0');
    const ssize_t n = read(FFd, buffer.data(), buffer.size());
    fuse_in_header in{};
    if (n < ssize_t(sizeof in)) {
      Error = "no INIT request";
      return;
    }
    std::memcpy(&in, buffer.data(), sizeof in);
    if (in.opcode != FUSE_INIT) {
      Error = "first request is not INIT";
      return;
    }
    struct {
      fuse_out_header Header;
      fuse_init_out Init;
    } reply{};
    reply.Header.len = sizeof reply;
    reply.Header.unique = in.unique;
    reply.Init.major = FUSE_KERNEL_VERSION;
    reply.Init.minor = FUSE_KERNEL_MINOR_VERSION;
    reply.Init.max_readahead = 65536;
    reply.Init.max_write = 4096;
    reply.Init.max_background = 16;
    reply.Init.congestion_threshold = 12;
    reply.Init.time_gran = 1;
    if (write(FFd, &reply, sizeof reply) != ssize_t(sizeof reply))
      Error = std::string("INIT reply: ") + std::strerror(errno);
  }
  std::string FPoint;
  int FFd = -1;
  bool FMounted = false;
  std::atomic<bool> FStop{false};
  std::thread FServer;
};
}  // namespace hungmount
