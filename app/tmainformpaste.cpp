// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of the folder tree's paste: a long copy or move
// runs on a worker and shows in the strip a rename batch uses.

#include <QKeySequence>
#include <QShortcut>

#include "app/tbatchstrip.h"
#include "app/tmainform.h"
#include "framework/handlerguard.h"
#include "skin/controls/tbsskinhintwindow.h"

namespace {
const char* const kMovingTitle = "正在移动";
const char* const kCopyingTitle = "正在复制";
}  // namespace

bool TmainForm::StartPaste(const std::string& folder, std::vector<std::string> sources, bool move,
                           std::function<void(const TPasteResult&)> finished) {
  if (FBatchActive) return false;
  if (!FPaste) {
    FPaste = std::make_unique<TPasteJob>();
    FPaste->OnFinished = [this](const TPasteResult&) {
      QMetaObject::invokeMethod(this, [this] { CallGuarded([this] { PasteFinished(); }); }, Qt::QueuedConnection);
    };
    FPasteTimer.setInterval(kProgressPollMs);
    connect(&FPasteTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { PasteTick(); }); });
    // Enabled only while a paste runs; then no batch runs, so Escape is never taken twice.
    FPasteCancelKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    FPasteCancelKey->setEnabled(false);
    connect(FPasteCancelKey, &QShortcut::activated, this, [this] { CancelPaste(); });
  }
  if (!FPaste->Start(folder, std::move(sources), move)) return false;
  FPasteFinished = std::move(finished);
  // As for a batch: nothing else renames, undoes or pastes until it ends.
  EnterBusy(move ? kMovingTitle : kCopyingTitle, FPasteCancelKey);
  FStripCancel = BatchStrip->OnCancel;
  BatchStrip->OnCancel = [this] { CancelPaste(); };
  FPasteTimer.start();
  return true;
}

void TmainForm::CancelPaste() {
  if (PasteRunning()) FPaste->Cancel();
}

void TmainForm::PasteTick() {
  if (!PasteRunning() || FBatchClock.elapsed() < kProgressDelayMs) return;
  BatchStrip->SetProgress(FPaste->Done(), FPaste->Total());
  if (!BatchStrip->Visible()) BatchStrip->SetVisible(true);
}

void TmainForm::PasteFinished() {
  if (!PasteRunning() || !FPaste->Finished()) return;
  const std::function<void(const TPasteResult&)> finished = std::move(FPasteFinished);
  FPasteFinished = nullptr;
  FPasteTimer.stop();
  LeaveBusy(FPasteCancelKey);
  BatchStrip->OnCancel = FStripCancel;
  // The tree refreshes, and an error is said, as for any command of its menu.
  finished(FPaste->Result());
}
