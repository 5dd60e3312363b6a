// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's numbering: the order the listed files get their numbers
// in (by name, by modification time, by the time a photo was taken) and the
// zero padding of the numbers, both in the system menu's 编号 submenu and
// remembered. Dates are read on a worker: the list shows the files by name at
// once and takes their order when it comes; a rename pressed meanwhile waits
// for it in the batch strip, and Escape calls the rename off.

#include "app/appsettings.h"
#include "app/tbatchstrip.h"
#include "app/tmainform.h"
#include "app/tpreviewlist.h"
#include "framework/handlerguard.h"
#include "framework/sysutils.h"
#include "framework/tpopupmenu.h"

namespace {
const char* const kNumberCaption = "编号";
const char* const kByNameCaption = "按名称";
const char* const kByModifiedCaption = "按修改时间";
const char* const kByTakenCaption = "按拍摄时间";
const char* const kZeroPadCaption = "编号补零";
const char* const kReadingModifiedTitle = "正在读取修改时间";
const char* const kReadingTakenTitle = "正在读取拍摄时间";
}  // namespace

void TmainForm::CreateOrderParts() {
  NumberItem = AppMenu->Items()->Add("NumberItem", kNumberCaption);
  const auto orderItem = [this](const char* name, const char* caption, TNumberOrder order) {
    TMenuItem* item = NumberItem->Add(name, caption, [this, order] {
      CallGuarded([this, order] { SetNumberOrder(order); });
    });
    item->SetRadioItem(true);
    return item;
  };
  OrderByNameItem = orderItem("OrderByNameItem", kByNameCaption, TNumberOrder::Name);
  OrderByModifiedItem = orderItem("OrderByModifiedItem", kByModifiedCaption, TNumberOrder::Modified);
  OrderByTakenItem = orderItem("OrderByTakenItem", kByTakenCaption, TNumberOrder::Taken);
  NumberItem->Add("NumberSeparator", "-");
  ZeroPadItem = NumberItem->Add("ZeroPadItem", kZeroPadCaption, [this] { SetZeroPad(!ZeroPad()); });
  ZeroPadItem->SetCheckable(true);
  FOrderJob = std::make_unique<TNumberOrderJob>();
  UpdateNumberItems();
}

void TmainForm::UpdateNumberItems() {
  const TNumberOrder order = FOrder;
  (order == TNumberOrder::Modified ? OrderByModifiedItem
   : order == TNumberOrder::Taken  ? OrderByTakenItem
                                   : OrderByNameItem)
      ->SetChecked(true);
  ZeroPadItem->SetChecked(FZeroPad);
  // The running batch numbers the list as it was pressed on.
  NumberItem->SetEnabled(!FBatchActive);
}

void TmainForm::SetNumberOrder(TNumberOrder value) {
  if (value != FOrder && !FBatchActive) {
    FOrder = value;
    WriteSetting(FSettingsFile, kOrderSetting, NumberOrderKey(value));
    // The listed folder again, in the new order. A start that is no number
    // only leaves the range end as it was: the list is read by then.
    if (FRenamer && !FCurrentDir.empty()) {
      try {
        ListFolder(FCurrentDir);
      } catch (const EConvertError&) {
      }
    }
  }
  UpdateNumberItems();
}

void TmainForm::SetZeroPad(bool value) {
  ZeroPadItem->SetChecked(value);
  if (FZeroPad == value) return;
  FZeroPad = value;
  FPreview->SetZeroPad(value);
  WriteSetting(FSettingsFile, kZeroPadSetting, value ? "true" : "false");
}

void TmainForm::StartOrdering(const std::vector<std::string>& names) {
  Q_ASSERT(!FWaitingRename);  // the list is never read again while a rename waits on it
  const uint64_t listing = ++FListing;
  // Whatever was being read is for a listing that is gone.
  FOrderJob->Cancel();
  FOrderPending = FOrder != TNumberOrder::Name && names.size() > 1;
  if (!FOrderPending) return;
  // Set between two jobs, so no worker reads it meanwhile.
  FOrderJob->OnFinished = [this, listing] {
    QMetaObject::invokeMethod(
        this, [this, listing] { CallGuarded([this, listing] { OrderFinished(listing); }); }, Qt::QueuedConnection);
  };
  FOrderJob->Start(FCurrentDir, names, FOrder);
}

void TmainForm::OrderFinished(uint64_t listing) {
  // A job's end posted just before the folder was listed again is not this listing's.
  if (listing != FListing || !FOrderPending || !FRenamer || !FOrderJob->Finished()) return;
  std::vector<std::string> ordered = FOrderJob->TakeResult();
  Q_ASSERT(ordered.size() == ListBox1->Items().Items().size());
  FOrderPending = false;
  // The same names in their new order: the count, and so the range end, stay.
  ListBox1->Items().Assign(std::move(ordered));
  FPreview->ListingChanged(FCurrentDir, std::size_t(FRenamer->FileCount()));
  if (!FWaitingRename) return;
  const TRenamePattern pattern = std::move(*FWaitingRename);
  FWaitingRename.reset();
  RenameInListOrder(pattern);
}

void TmainForm::WaitForOrder(TRenamePattern pattern) {
  FWaitingRename = std::move(pattern);
  EnterBusy(FOrder == TNumberOrder::Taken ? kReadingTakenTitle : kReadingModifiedTitle, FCancelKey);
  FProgressTimer.start();
}

void TmainForm::StopWaitingForOrder() {
  // Only the rename is called off: the dates are still read and the list takes its order.
  FWaitingRename.reset();
  FProgressTimer.stop();
  LeaveBusy(FCancelKey);
}
