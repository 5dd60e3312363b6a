#include "renamer/trenamebatch.h"

TRenameBatch::~TRenameBatch() {
  Cancel();
  Join();
}

void TRenameBatch::Join() {
  if (FWorker.joinable()) FWorker.join();
}

void TRenameBatch::Launch(std::function<TBatchResult(TBatchControl&)> work) {
  Join();
  FControl.CancelRequested = false;
  FControl.Done = 0;
  FControl.Total = 0;
  FControl.AfterEachFile = TestHookAfterEachFile;
  FFinished = false;
  FRunning = true;
  FWorker = std::thread([this, work = std::move(work)] {
    FResult = work(FControl);
    FFinished = true;  // before Running() turns false: !Running() after a start means Finished()
    FRunning = false;
    if (OnFinished) OnFinished(FResult);
  });
}

bool TRenameBatch::StartRename(std::string Folder, std::vector<std::string> Names, std::size_t Count,
                               std::string Prefix, int32_t Start) {
  if (Running()) return false;
  Launch([Folder = std::move(Folder), Names = std::move(Names), Count, Prefix = std::move(Prefix),
          Start](TBatchControl& control) {
    return RunRename(Folder, Names, Count, Prefix, Start, control);
  });
  return true;
}

bool TRenameBatch::StartUndo() {
  if (Running()) return false;
  Launch([](TBatchControl& control) { return RunUndo(control); });
  return true;
}

bool TRenameBatch::CanUndo() { return false; }

std::string TRenameBatch::JournalPath() { return {}; }

TBatchResult TRenameBatch::RunRename(const std::string&, const std::vector<std::string>&, std::size_t,
                                     const std::string&, int32_t, TBatchControl&) {
  return {};
}

TBatchResult TRenameBatch::RunUndo(TBatchControl&) { return {}; }
