// SPDX-License-Identifier: GPL-3.0-or-later
// The journalled batch against the least a program can do, side by side in
// one run on tmpfs: renaming 100,000 files with the journal and the worker
// thread, and undoing them, each compared with a bare renameat2 loop over the
// same names. Only the renaming is timed (manual time): making and removing
// the folders is not. The journal is kept on the same tmpfs; on a disk its
// two flushes add the disk's sync time once per batch, not per file.
//
// Usage: bench_batch [--files=100000] [--parent=/dev/shm] [benchmark flags]

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <map>
#include <string>
#include <vector>

#include "bench/folderbench.h"
#include "renamer/trenamebatch.h"
#include "renamer/trenamefile.h"

namespace {

int gFiles = 100000;
std::string gParent = "/dev/shm";
const std::string kPrefix = "My";

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const std::string& what) {
  std::perror(what.c_str());
  std::exit(1);
}

// A fresh folder of gFiles files, listed as the window lists it.
struct TFolder {
  std::string Path;
  std::vector<std::string> Names;

  TFolder() {
    std::string tmpl = gParent + "/bench_batch-XXXXXX";
    if (!mkdtemp(tmpl.data())) Fail("mkdtemp");
    Path = tmpl + "/";
    for (int i = 1; i <= gFiles; ++i) {
      // Names whose natural order differs from byte order, as in a photo folder.
      const std::string name = Path + "IMG_" + std::to_string(i) + (i % 3 ? ".jpg" : ".JPG");
      const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
      if (fd < 0) Fail("create " + name);
      close(fd);
    }
    Trenamefile engine;
    Names = engine.ListFiles(Path + "*.*");
    if (static_cast<int>(Names.size()) != gFiles) Fail("listing");
  }
  ~TFolder() {
    DIR* dir = opendir(Path.c_str());
    if (!dir) return;
    std::vector<std::string> names;
    while (const dirent* e = readdir(dir))
      if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.emplace_back(e->d_name);
    closedir(dir);
    for (const auto& name : names) unlink((Path + name).c_str());
    rmdir(Path.c_str());
  }
  // Files carrying the new prefix.
  int Renamed() const {
    int n = 0;
    DIR* dir = opendir(Path.c_str());
    while (const dirent* e = readdir(dir)) n += std::strncmp(e->d_name, kPrefix.c_str(), kPrefix.size()) == 0;
    closedir(dir);
    return n;
  }
};

void Check(bool ok, benchmark::State& state, const char* what) {
  if (!ok) state.SkipWithError(what);
}

// The bare loop: new names built on the spot, each moved relative to the open
// folder, no journal, no thread.
void BareLoop(benchmark::State& state) {
  for (auto _ : state) {
    const TFolder folder;
    const auto start = Clock::now();
    const int dir = open(folder.Path.c_str(), O_PATH | O_DIRECTORY);
    std::string target;
    long n = 0;
    for (const auto& name : folder.Names) {
      const std::size_t dot = name.rfind('.');
      target.assign(kPrefix).append(std::to_string(++n));
      if (dot != std::string::npos) target.append(name, dot);
      renameat2(dir, name.c_str(), dir, target.c_str(), RENAME_NOREPLACE);
    }
    close(dir);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    Check(folder.Renamed() == gFiles, state, "bare loop missed files");
  }
}

// Runs one batch or undo on the worker and waits for it.
TBatchResult RunOnWorker(TRenameBatch& batch, const std::function<bool(TRenameBatch&)>& start) {
  std::promise<void> done;
  batch.OnFinished = [&](const TBatchResult&) { done.set_value(); };
  if (!start(batch)) Fail("start");
  done.get_future().wait();
  return batch.Result();
}

void JournalledBatch(benchmark::State& state) {
  for (auto _ : state) {
    const TFolder folder;
    TRenameBatch batch;
    const auto start = Clock::now();
    const TBatchResult r = RunOnWorker(batch, [&](TRenameBatch& b) {
      return b.StartRename(folder.Path, folder.Names, folder.Names.size(), kPrefix, 0);
    });
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    Check(r.Started && r.Renamed == static_cast<std::size_t>(gFiles) && folder.Renamed() == gFiles, state,
          "batch missed files");
  }
}

void UndoOfBatch(benchmark::State& state) {
  for (auto _ : state) {
    const TFolder folder;
    TBatchControl control;
    {
      TRenameJournal journal;  // let go at once, as by a window that closed
      TRenameBatch::RunRename(folder.Path, folder.Names, folder.Names.size(), kPrefix, 0, control, journal);
    }
    TRenameBatch batch;
    batch.AdoptOrphanJournal();
    const auto start = Clock::now();
    const TBatchResult r = RunOnWorker(batch, [](TRenameBatch& b) { return b.StartUndo(); });
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    Check(r.Started && r.Renamed == static_cast<std::size_t>(gFiles) && folder.Renamed() == 0, state,
          "undo missed files");
  }
}

// The ratios to the bare loop, once by the medians and once by the best times.
void PrintRatios(const TRatioReporter& reporter) {
  for (const auto& [kind, times] : reporter.Kinds()) {
    const auto bare = times->find("BareLoop");
    const auto batch = times->find("JournalledBatch");
    const auto undo = times->find("UndoOfBatch");
    if (bare == times->end() || batch == times->end() || undo == times->end()) continue;
    std::printf("%-6s ratios to the bare loop: batch %.3f (target <= 1.3), undo %.3f (target <= 1.5)\n", kind,
                batch->second / bare->second, undo->second / bare->second);
  }
}

}  // namespace

BENCHMARK(BareLoop)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7);
BENCHMARK(JournalledBatch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7);
BENCHMARK(UndoOfBatch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7);

int main(int argc, char** argv) {
  InitializeFolderBenchmark(argc, argv, gFiles, gParent);

  // The journal on the same tmpfs, in a state folder of its own.
  std::string state = gParent + "/bench_batch-state-XXXXXX";
  if (!mkdtemp(state.data())) Fail("mkdtemp");
  setenv("XDG_STATE_HOME", state.c_str(), 1);

  std::printf("%d files in %s\n", gFiles, gParent.c_str());
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  if (DIR* journals = opendir(TRenameBatch::JournalFolder().c_str())) {
    while (const dirent* e = readdir(journals))
      if (e->d_name[0] != '.') unlink((TRenameBatch::JournalFolder() + "/" + e->d_name).c_str());
    closedir(journals);
  }
  rmdir(TRenameBatch::JournalFolder().c_str());
  rmdir((state + "/batch-renamer").c_str());
  rmdir(state.c_str());

  PrintRatios(reporter);
  return 0;
}
