// SPDX-License-Identifier: GPL-3.0-or-later
// Lists and renames a large folder on tmpfs with the rename engine, and does
// the same with a bare readdir + renameat2(RENAME_NOREPLACE) loop on an
// identical fresh folder, to show what the engine's own work costs.
//
// The bare loop renames relative to the open directory; the engine moves full
// paths, so most of the gap between the two is the kernel walking the folder
// path twice per file.
//
// Each run happens in a child process, so its peak resident memory (VmHWM) is
// its own. File creation and removal are not timed.
//
// Usage: bench_renamer [files=100000] [rounds=3] [folder-parent=/dev/shm]

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "renamer/trenamefile.h"

namespace {

struct RunResult {
  double Seconds = 0;
  long StartRssKb = 0;  // resident memory when the run began
  long PeakRssKb = 0;   // VmHWM when it ended
};

long StatusFieldKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t len = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, len, field) == 0) return std::atol(line.c_str() + len + 1);
  return -1;
}

[[noreturn]] void Fail(const std::string& what) {
  std::perror(what.c_str());
  std::exit(1);
}

std::string MakeFolder(const std::string& parent, int files) {
  std::string tmpl = parent + "/bench_renamer-XXXXXX";
  if (!mkdtemp(tmpl.data())) Fail("mkdtemp");
  const std::string folder = tmpl + "/";
  for (int i = 1; i <= files; ++i) {
    // Names whose natural order differs from byte order, as in a photo folder.
    const std::string name = folder + "IMG_" + std::to_string(i) + (i % 3 ? ".jpg" : ".JPG");
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) Fail("create " + name);
    close(fd);
  }
  return folder;
}

// Removes the folder; returns how many of its files carry the new prefix.
int RemoveFolder(const std::string& folder, const std::string& prefix) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) Fail("opendir " + folder);
  int renamed = 0;
  std::vector<std::string> names;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (name.compare(0, prefix.size(), prefix) == 0) ++renamed;
    names.push_back(name);
  }
  closedir(dir);
  for (const auto& name : names) unlink((folder + name).c_str());
  rmdir(folder.c_str());
  return renamed;
}

void EngineRun(const std::string& folder, const std::string& prefix) {
  Trenamefile engine;
  const std::vector<std::string> names = engine.ListFiles(folder + "*.*");
  engine.RenameAll(folder, names, prefix, 0);
}

// The least a program can do: read the names, then rename each one relative
// to the directory, without sorting, matching or building paths.
void BareRun(const std::string& folder, const std::string& prefix) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) Fail("opendir");
  std::vector<std::string> names;
  while (const dirent* e = readdir(dir)) {
    if (e->d_type == DT_DIR) continue;
    names.emplace_back(e->d_name);
  }
  std::string target;
  long n = 0;
  for (const auto& name : names) {
    const std::size_t dot = name.rfind('.');
    target.assign(prefix).append(std::to_string(++n));
    if (dot != std::string::npos) target.append(name, dot);
    renameat2(dirfd(dir), name.c_str(), dirfd(dir), target.c_str(), RENAME_NOREPLACE);
  }
  closedir(dir);
}

RunResult RunInChild(void (*run)(const std::string&, const std::string&),
                     const std::string& folder, const std::string& prefix) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) Fail("pipe");
  const pid_t pid = fork();
  if (pid < 0) Fail("fork");
  if (pid == 0) {
    close(pipeFds[0]);
    RunResult r;
    r.StartRssKb = StatusFieldKb("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    run(folder, prefix);
    r.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.PeakRssKb = StatusFieldKb("VmHWM:");
    const bool ok = write(pipeFds[1], &r, sizeof r) == sizeof r;
    _exit(ok ? 0 : 1);
  }
  close(pipeFds[1]);
  RunResult r;
  const bool ok = read(pipeFds[0], &r, sizeof r) == sizeof r;
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0) Fail("child run");
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  const std::string parent = argc > 3 ? argv[3] : "/dev/shm";
  const std::string prefix = "My";

  std::vector<double> engineTimes, bareTimes;
  RunResult enginePeak, barePeak;
  std::printf("%d files in %s, %d rounds\n", files, parent.c_str(), rounds);
  for (int round = 0; round < rounds; ++round) {
    // Alternate which goes first so neither always meets a warmer cache.
    for (int k = 0; k < 2; ++k) {
      const bool engine = (round + k) % 2 == 0;
      const std::string folder = MakeFolder(parent, files);
      const RunResult r = RunInChild(engine ? EngineRun : BareRun, folder, prefix);
      const int renamed = RemoveFolder(folder, prefix);
      std::printf("  round %d %-6s %8.3f s  start RSS %6ld kB  peak RSS %6ld kB  renamed %d\n",
                  round + 1, engine ? "engine" : "bare", r.Seconds, r.StartRssKb, r.PeakRssKb,
                  renamed);
      if (renamed != files) {
        std::fprintf(stderr, "expected every file renamed\n");
        return 1;
      }
      (engine ? engineTimes : bareTimes).push_back(r.Seconds);
      RunResult& peak = engine ? enginePeak : barePeak;
      peak.PeakRssKb = std::max(peak.PeakRssKb, r.PeakRssKb);
      peak.StartRssKb = std::max(peak.StartRssKb, r.StartRssKb);
    }
  }
  std::sort(engineTimes.begin(), engineTimes.end());
  std::sort(bareTimes.begin(), bareTimes.end());
  const double engineMedian = engineTimes[engineTimes.size() / 2];
  const double bareMedian = bareTimes[bareTimes.size() / 2];
  std::printf("median engine %.3f s, bare %.3f s, ratio %.3f (target <= 1.25)\n", engineMedian,
              bareMedian, engineMedian / bareMedian);
  std::printf("best   engine %.3f s, bare %.3f s, ratio %.3f\n", engineTimes.front(),
              bareTimes.front(), engineTimes.front() / bareTimes.front());
  std::printf("peak RSS engine %ld kB (+%ld kB), bare %ld kB (+%ld kB)\n", enginePeak.PeakRssKb,
              enginePeak.PeakRssKb - enginePeak.StartRssKb, barePeak.PeakRssKb,
              barePeak.PeakRssKb - barePeak.StartRssKb);
  return 0;
}
