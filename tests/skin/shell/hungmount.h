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
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace hungmount {
constexpr const char* kChildVariable = "BR_PRIVATE_MOUNTS";
constexpr int kWatchdogMs = 60000;  // a child still running by then is hung: killed, and the test fails

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
  const QString filter = QString("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name());
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kChildVariable, "1");
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start("/proc/self/exe", {filter});
  ASSERT_TRUE(child.waitForStarted());
  const bool finished = child.waitForFinished(kWatchdogMs);
  if (!finished) {
    child.kill();
    child.waitForFinished();
  }
  const std::string output = child.readAll().toStdString();
  ASSERT_TRUE(finished) << "the child hung and was killed:\n" << output;
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output;
  EXPECT_EQ(child.exitCode(), 0) << output;
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
    // Detaching and closing the device abort the connection: every thread
    // still waiting on the mount gets an error and goes on.
    if (FMounted) umount2(FPoint.c_str(), MNT_DETACH);
    if (FFd >= 0) close(FFd);
  }
  bool Ok() const { return Error.empty(); }
  std::string Error;

 private:
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
};
}  // namespace hungmount
