// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's batch side: the journalled rename on its worker, the
// progress strip, cancel, the report, undo, the system menu's own items and
// the preview of new names.

#include <QApplication>
#include <QKeySequence>
#include <QShortcut>
#include <QMoveEvent>
#include <QShowEvent>

#include "app/appsettings.h"
#include "app/tbatchstrip.h"
#include "app/tmainform.h"
#include "app/tpreviewlist.h"
#include "framework/handlerguard.h"
#include "framework/sysutils.h"
#include "framework/tapplication.h"
#include "framework/tpopupmenu.h"
#include "skin/controls/tbsskinhintwindow.h"

namespace {
const char* const kPreviewCaption = "预览新文件名";
const char* const kUndoCaption = "撤销上次重命名";
const char* const kUndoShortCutText = "Ctrl+Z";
const char* const kUndoingTitle = "正在撤销";
const char* const kInterruptedText = "上次的批量重命名没有做完。按 Ctrl+Z（或系统菜单中的“撤销上次重命名”）可以撤销已改的文件名。";
constexpr int kReportOffset = 8;  // the report's distance from the list's edges
}  // namespace

void TmainForm::CreateBatchParts() {
  // Under the list, hidden: while shown it takes its height from the list.
  BatchStrip = new TBatchStrip(bsSkinPanel2);
  BatchStrip->setObjectName(QStringLiteral("BatchStrip"));
  BatchStrip->SetVisible(false);
  BatchStrip->SetBounds(ListBox1->Left(), ListBox1->Top() + ListBox1->Height(), ListBox1->Width(), TBatchStrip::kHeight);
  BatchStrip->SetAlign(alBottom);

  // The system menu's own items; the frame adds its items round them, the skin menu joins below.
  AppMenu = new TPopupMenu(this);
  AppMenu->SetName("AppMenu");
  AppMenu->Items()->Add("AppSeparator", "-");
  PreviewItem = AppMenu->Items()->Add("PreviewItem", kPreviewCaption, [this] { SetPreview(!Preview()); });
  PreviewItem->SetCheckable(true);
  CreateOrderParts();
  UndoItem = AppMenu->Items()->Add("UndoItem", kUndoCaption, [this] { CallGuarded([this] { UndoLastBatch(); }); });
  UndoItem->SetShortCutText(kUndoShortCutText);
  SkinForm->SetSystemMenu(AppMenu);

  FPreview = std::make_unique<TPreviewList>(*ListBox1);
  FBatch = std::make_unique<TRenameBatch>();
}

void TmainForm::BindBatchEvents() {
  // The worker says it has ended; the window takes it up on its own thread.
  FBatch->OnFinished = [this](const TBatchResult&) {
    QMetaObject::invokeMethod(this, [this] { BatchFinished(); }, Qt::QueuedConnection);
  };
  FProgressTimer.setInterval(kProgressPollMs);
  connect(&FProgressTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { ProgressTick(); }); });
  BatchStrip->OnCancel = [this] { CancelBatch(); };

  // In a text field Ctrl+Z stays the field's own undo of typing.
  FUndoKey = new QShortcut(QKeySequence::Undo, this);
  connect(FUndoKey, &QShortcut::activated, this, [this] { CallGuarded([this] { UndoLastBatch(); }); });
  FCancelKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  FCancelKey->setEnabled(false);
  connect(FCancelKey, &QShortcut::activated, this, [this] { CallGuarded([this] { CancelBatch(); }); });

  EdtFrontName->OnChange = [this] { PatternChanged(); };
  EdtRangestart->OnChange = [this] { PatternChanged(); };
  FMaskTimer.setSingleShot(true);
  FMaskTimer.setInterval(kMaskRelistDelayMs);
  connect(&FMaskTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { MaskChanged(); }); });
  EdtFindEx->OnChange = [this] {
    if (Preview()) FMaskTimer.start();
  };
  FReportTimer.setSingleShot(true);
  connect(&FReportTimer, &QTimer::timeout, this, [this] { HideReport(); });
  FDismissKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  FDismissKey->setEnabled(false);
  connect(FDismissKey, &QShortcut::activated, this, [this] { HideReport(); });
  TNotifyEvent previous = SkinForm->OnSkinMenuOpen;
  SkinForm->OnSkinMenuOpen = [this, previous] {
    if (previous) previous();
    UpdateUndoItem();
    UpdateNumberItems();
  };
}

// ---- Preview ------------------------------------------------------------------

bool TmainForm::Preview() const { return FPreview->Enabled(); }

void TmainForm::SetPreview(bool value) {
  PreviewItem->SetChecked(value);
  if (Preview() == value) return;
  FPreview->SetEnabled(value);
  WriteSetting(FSettingsFile, kPreviewSetting, value ? "true" : "false");
}

void TmainForm::PatternChanged() { FPreview->PatternChanged(EdtFrontName->Text(), EdtRangestart->Text()); }

void TmainForm::MaskChanged() {
  if (!Preview() || FBatchActive || !FRenamer) return;
  // The list follows the mask, so the preview shows what the button would
  // do; the folder stays the one listed (the tree's selection moved by keys
  // is not listed, as ever). A start that is no number only leaves the range
  // end as it was: the list is already read by then.
  try {
    ListFolder(FCurrentDir);
  } catch (const EConvertError&) {
  }
}

// ---- Batch ----------------------------------------------------------------------

void TmainForm::EnterBusy(const char* title, QShortcut* cancelKey) {
  FBatchActive = true;
  HideReport();
  // Disabling the button takes the focus from it; it comes back at the end.
  FFocusBeforeBatch = QApplication::focusWidget();
  // Taken first, so disabling does not hand it on to the next control (the link).
  if (FFocusBeforeBatch == btnQuillo) btnQuillo->clearFocus();
  // No second batch and no other folder until this one has ended.
  btnQuillo->SetEnabled(false);
  ShellTreeView1->SetEnabled(false);
  UndoItem->SetEnabled(false);
  cancelKey->setEnabled(true);
  BatchStrip->SetTitle(title);
  BatchStrip->SetProgress(0, 0);
  FBatchClock.start();
}

void TmainForm::LeaveBusy(QShortcut* cancelKey) {
  FBatchActive = false;
  cancelKey->setEnabled(false);
  BatchStrip->SetVisible(false);
  btnQuillo->SetEnabled(true);
  ShellTreeView1->SetEnabled(true);
  if (FFocusBeforeBatch && !QApplication::focusWidget() && isActiveWindow()) FFocusBeforeBatch->setFocus();
  UpdateUndoItem();
}

void TmainForm::StartBatchView(const char* title) {
  EnterBusy(title, FCancelKey);
  FProgressTimer.start();
}

void TmainForm::ProgressTick() {
  if (!FBatchActive || FBatchClock.elapsed() < kProgressDelayMs) return;
  if (FWaitingRename)
    BatchStrip->SetProgress(FOrderJob->Done(), FOrderJob->Total());
  else
    BatchStrip->SetProgress(FBatch->Done(), FBatch->Total());
  if (!BatchStrip->Visible()) BatchStrip->SetVisible(true);
}

void TmainForm::CancelBatch() {
  if (FWaitingRename) return StopWaitingForOrder();
  if (FBatchActive) FBatch->Cancel();
}

void TmainForm::BatchFinished() {
  if (!FBatchActive || FWaitingRename || !FBatch->Finished()) return;
  FProgressTimer.stop();
  LeaveBusy(FCancelKey);
  const TBatchResult& result = FBatch->Result();
  // A batch that could not journal moved nothing: say why, as errors are said.
  if (!result.Started) throw Exception(result.Error);
  const std::string report = ReportText(result);
  if (!report.empty()) ShowReport(report);
  // Once, at the end, never per file; the folder renamed, whatever the
  // tree's highlight moved to meanwhile by keys or a right click.
  ListFolder(FCurrentDir);
}

void TmainForm::UndoLastBatch() {
  if (FBatchActive) return;
  std::string why;
  switch (FBatch->UndoReadiness(&why)) {
    case TUndoReadiness::Nothing: return;  // nothing to undo: nothing to say
    case TUndoReadiness::Unanswering:
      UpdateUndoItem();
      throw Exception(why);  // the worker would wait on the mount for ever
    case TUndoReadiness::Ready:
    case TUndoReadiness::Unusable:
      // The undo itself says why a journal cannot be used (and drops a damaged one).
      if (FBatch->StartUndo()) StartBatchView(kUndoingTitle);
      return;
  }
}

void TmainForm::UpdateUndoItem() { UndoItem->SetEnabled(!FBatchActive && FBatch->CanUndo()); }

void TmainForm::ShowReport(const std::string& text) {
  if (!FReportWindow) {
    FReportWindow = std::make_unique<TbsSkinHintWindow>();
    FReportWindow->SetAlert(true);  // a screen reader says it as it comes up
    FReportWindow->SetOnClick([this] { HideReport(); });
  }
  // Wrapped inside the list, at its foot: the first rows stay readable.
  FReportWindow->SetMaxWidth(ListBox1->Width() - 2 * kReportOffset);
  const int height = FReportWindow->CalcHintRect(0, text).Height();  // sized first, to stand on the list's foot
  const int top = std::max(kReportOffset, ListBox1->Height() - kReportOffset - height);
  const QPoint at = ListBox1->mapToGlobal(QPoint(kReportOffset, top));
  FReportWindow->ShowHintWindow(TRect{at.x(), at.y(), at.x(), at.y()}, text);
  FDismissKey->setEnabled(FReportWindow->isVisible());
  FReportTimer.start(kReportShowMs);
}

void TmainForm::HideReport() {
  if (FReportWindow) FReportWindow->hide();
  FDismissKey->setEnabled(false);  // Escape is the batch's or the paste's again
  FReportTimer.stop();
}

// ---- A batch a crash cut short ----------------------------------------------------

void TmainForm::showEvent(QShowEvent* event) {
  TForm::showEvent(event);
  if (FOfferChecked) return;
  FOfferChecked = true;
  FitIntoWorkArea();
  // After the window is up, so the hint has a window to stand by.
  QTimer::singleShot(0, this, [this] { CallGuarded([this] { OfferInterruptedBatch(); }); });
}

void TmainForm::moveEvent(QMoveEvent* event) {
  TForm::moveEvent(event);
  HideReport();
}

void TmainForm::hideEvent(QHideEvent* event) {
  TForm::hideEvent(event);
  HideReport();
}

void TmainForm::OfferInterruptedBatch() {
  // The last batch of a window or program that is gone becomes this window's.
  if (!FBatchActive) FBatch->AdoptOrphanJournal();
  UpdateUndoItem();
  if (!FBatchActive && UndoItem->Enabled() && FBatch->JournalInterrupted()) ShowReport(kInterruptedText);
}
