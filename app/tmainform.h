// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The batch renamer's one window: a folder tree on the left, the file list
// on the right under a tool strip with the mask, prefix and range fields and
// the rename button. Its handlers list the clicked folder and rename every
// listed file to prefix + running number + its own extension.
//
// Beyond that (tmainformbatch.cpp): the rename runs as a journalled batch on
// a worker thread, with progress in a strip under the list after half a
// second, Escape or the strip's cross to stop it, a report when files kept
// their names, and undo of the last batch (Ctrl+Z, or the system menu's item);
// the list can preview each file's new name (system menu switch, remembered).
//
// The numbering (tmainformorder.cpp): the files can be numbered by name, by
// modification time or by the time a photo was taken, read on a worker while
// the list shows them by name; a rename pressed meanwhile waits for the order.
// Numbers can be padded with zeros. Dropping a folder on the window lists it
// (tmainformdrop.cpp).

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "framework/taction.h"
#include "framework/tform.h"
#include "framework/tgroupbox.h"
#include "framework/tlabel.h"
#include "renamer/numberorder.h"
#include "renamer/trenamebatch.h"
#include "renamer/trenamefile.h"
#include "skin/controls/tbsskinbutton.h"
#include "skin/controls/tbsskinedit.h"
#include "skin/controls/tbsskinhint.h"
#include "skin/controls/tbsskinlinklabel.h"
#include "skin/controls/tbsskinlistbox.h"
#include "skin/controls/tbsskinpanel.h"
#include "skin/controls/tbsskinscrollbar.h"
#include "skin/controls/tbsskinsplitter.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/tbsskinframe.h"
#include "skin/shell/ishellpastehost.h"
#include "skin/shell/tbsskindirtreeview.h"

class QShortcut;
class TBatchStrip;
class TMenuItem;
class TPopupMenu;
class TPreviewList;
class TbsSkinHintWindow;

class TmainForm : public TForm, public IShellPasteHost {
  Q_OBJECT
 public:
  explicit TmainForm(QWidget* parent = nullptr);
  ~TmainForm() override;

  // Components, in the order the window creates them.
  TbsSkinSplitter* bsSkinSplitter1;
  TbsSkinPanel* bsSkinPanel1;
  TbsSkinDirTreeView* ShellTreeView1;
  TbsSkinScrollBar* bsSkinScrollBar1;
  TbsSkinScrollBar* bsSkinScrollBar2;
  TbsSkinPanel* bsSkinPanel2;
  TbsSkinListBox* ListBox1;
  TbsSkinPanel* bsSkinPanel3;
  TbsSkinLinkLabel* bsSkinLinkLabel1;
  TGroupBox* GroupBox4;
  TbsSkinEdit* EdtFindEx;
  TGroupBox* GroupBox1;
  TbsSkinEdit* EdtFrontName;
  TGroupBox* GroupBox2;
  TbsSkinEdit* EdtRangestart;
  TLabel* Label1;
  TbsSkinEdit* EdtRangeend;
  TbsSkinButton* btnQuillo;
  TbsSkinFrame* SkinForm;
  TbsSkinData* bsSkinData;
  TbsCompressedStoredSkin* StoredSkin;
  TActionList* ActionList;
  TAction* filesearch;
  TAction* filerename;
  TbsSkinHint* bsSkinHint1;

  // Added to the shipped layout: the progress strip under the list (hidden
  // but while a long batch runs) and the system menu's own items.
  TBatchStrip* BatchStrip;
  TPopupMenu* AppMenu;
  TMenuItem* PreviewItem;
  TMenuItem* NumberItem;  // the numbering's submenu: the three orders, then padding
  TMenuItem* OrderByNameItem;
  TMenuItem* OrderByModifiedItem;
  TMenuItem* OrderByTakenItem;
  TMenuItem* ZeroPadItem;
  TMenuItem* UndoItem;

  static constexpr int kProgressDelayMs = 500;   // a batch shorter than this shows no progress
  static constexpr int kProgressPollMs = 100;    // how often the strip reads the counts
  static constexpr int kMaskRelistDelayMs = 300;  // preview on: a pause in typing the mask lists again
  static constexpr int kReportShowMs = 10000;     // how long a batch's report stays

  // Handlers.
  void FormCreate();
  void FormClose(TCloseAction& action);
  void filesearchExecute();
  void filerenameExecute();
  void ListBox1ListBoxClick();
  void EdtRangestartKeyPress(char& key);
  void EdtRangestartExit();
  void btnQuilloMouseMove(TShiftState shift, int x, int y);

  // The preview of new names in the list; off as shipped. Switching it
  // remembers the choice in the settings file.
  bool Preview() const;
  void SetPreview(bool value);
  TPreviewList& PreviewList() { return *FPreview; }
  // The order the listed files are numbered in, by name as shipped; a change
  // lists the folder again in the new order and is remembered. No change
  // while a batch runs.
  TNumberOrder NumberOrder() const { return FOrder; }
  void SetNumberOrder(TNumberOrder value);
  // While true the list shows the files by name and their dates are being
  // read; the preview shows no new names and a rename waits for the order.
  bool OrderPending() const { return FOrderPending; }
  // Zero padding of the numbers to the width of a batch's last one; off as
  // shipped, remembered.
  bool ZeroPad() const { return FZeroPad; }
  void SetZeroPad(bool value);
  // Undoes this window's last batch (Ctrl+Z outside a text field, or the
  // menu item); nothing while a batch runs or when there is nothing to undo.
  // A journal that cannot be used is said so in a message.
  void UndoLastBatch();
  // From the start of a batch or undo until its end is handled (list read again).
  bool BatchRunning() const { return FBatchActive; }
  // Stops the running batch between two files (Escape, the strip's cross).
  void CancelBatch();
  TRenameBatch& Batch() { return *FBatch; }
  // The window showing the last report, or null; it hides itself after kReportShowMs.
  TbsSkinHintWindow* ReportWindow() const { return FReportWindow.get(); }
  // The embedded skin leaves the splitter unbound, in its stored width and
  // plain look; a skin chosen from a file draws it from its own record.
  void SkinFromFile(bool fromFile);

  // The tree's paste (tmainformpaste.cpp): on a worker, in the batch strip,
  // stopped by Escape or the strip's cross; no batch, undo or other paste
  // meanwhile (BatchRunning() is true).
  bool StartPaste(const std::string& folder, std::vector<std::string> sources, bool move,
                  std::function<void(const TPasteResult&)> finished) override;
  bool PasteRunning() const override { return FPaste && FPasteFinished != nullptr; }
  void CancelPaste();

  const Trenamefile* Renamer() const { return FRenamer.get(); }
  const std::string& FindMask() const { return FFindMask; }
  const std::string& CurrentDir() const { return FCurrentDir; }

 private:
  void CreateComponents();
  void BindEvents();
  void ResolveReferences();
  // The widest the tree's pane may be in a client area `clientWidth` wide:
  // the list's pane keeps the whole tool strip (fields, rename button, link) in view.
  int MaxTreePaneWidth(int clientWidth) const;
  // At the first show: a window that does not fit its screen's work area is
  // moved, and if need be shrunk, into it, the tree's pane giving way first.
  void FitIntoWorkArea();
  // The search's work for `folder` (ends in "/"): list it by the mask, count, show the range end.
  void ListFolder(const std::string& folder);
  // What a rename was asked to do: read from the fields when the button was pressed.
  struct TRenamePattern {
    std::string Prefix;
    int32_t Start = 0;
    int Width = 0;  // zero padding, 0 for none
  };
  // Starts the batch over the list as it stands now.
  void RenameInListOrder(const TRenamePattern& pattern);
  // The range end: the last number as the rename writes it.
  std::string RangeEndText(int32_t start) const;
  // tmainformbatch.cpp
  void CreateBatchParts();
  void BindBatchEvents();
  // The window while a batch, an undo or a paste runs: nothing else starts
  // and the tree lists no other folder until it ends; `cancelKey` (Escape) stops it.
  void EnterBusy(const char* title, QShortcut* cancelKey);
  void LeaveBusy(QShortcut* cancelKey);
  void StartBatchView(const char* title);
  void BatchFinished();
  void ProgressTick();
  void UpdateUndoItem();
  void ShowReport(const std::string& text);
  // Hides the report; a click on it or Escape does so too.
  void HideReport();
  void PatternChanged();
  void MaskChanged();
  void OfferInterruptedBatch();
  // tmainformorder.cpp
  void CreateOrderParts();  // the submenu and the job; called where the menu is built
  // The listing just assigned in name order: orders it on the worker unless by name.
  void StartOrdering(const std::vector<std::string>& names);
  void OrderFinished(uint64_t listing);
  void WaitForOrder(TRenamePattern pattern);
  void StopWaitingForOrder();
  void UpdateNumberItems();
  // tmainformdrop.cpp
  void AcceptDropsOfFolders();
  // A drag event over the window or one of its fields: true when it carries
  // a folder (then taken, or refused while busy); false leaves it to the receiver.
  bool FolderDragEvent(QEvent* event);
  void ListDroppedFolder(const std::string& folder);

 protected:
  void showEvent(QShowEvent* event) override;
  // The report stands over the list: it goes when the window moves or goes.
  void moveEvent(QMoveEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // Enter on a tree row lists that folder, as a click does (arrows only move
  // the highlight); F5 in the tree or the list reads the selected folder again.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A folder dragged from a file manager and dropped anywhere on the window
  // is listed as a click on it in the tree would; anything else is refused.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  std::unique_ptr<Trenamefile> FRenamer;
  std::string FFindMask;
  std::string FCurrentDir;

  std::string FSettingsFile;
  std::unique_ptr<TPreviewList> FPreview;
  std::unique_ptr<TRenameBatch> FBatch;
  bool FBatchActive = false;
  bool FOfferChecked = false;
  QPointer<QWidget> FFocusBeforeBatch;  // the first show looked for a batch a crash cut short
  QElapsedTimer FBatchClock;
  QTimer FProgressTimer;
  QTimer FMaskTimer;
  QTimer FReportTimer;
  QShortcut* FUndoKey = nullptr;
  QShortcut* FCancelKey = nullptr;
  QShortcut* FDismissKey = nullptr;  // Escape while the report shows
  std::unique_ptr<TbsSkinHintWindow> FReportWindow;
  // tmainformorder.cpp
  TNumberOrder FOrder = TNumberOrder::Name;
  bool FZeroPad = false;
  bool FOrderPending = false;
  uint64_t FListing = 0;  // counts the listings, so an order for an older one is dropped
  std::optional<TRenamePattern> FWaitingRename;  // the rename pressed while the order was pending
  std::unique_ptr<TNumberOrderJob> FOrderJob;
  // tmainformdrop.cpp
  std::string FDraggedFolder;  // what the drag that entered last carries; empty: no folder
  QObject* FFieldDragHook = nullptr;  // passes the fields' drags to FolderDragEvent; owned by the window
  // tmainformpaste.cpp
  void PasteTick();
  void PasteFinished();
  QTimer FPasteTimer;
  QShortcut* FPasteCancelKey = nullptr;
  TNotifyEvent FStripCancel;  // the strip's own cancel, back when the paste ends
  std::function<void(const TPasteResult&)> FPasteFinished;
  // Last, so it is the first to go: its worker ends before anything it reports to.
  std::unique_ptr<TPasteJob> FPaste;
};

// The folder the search lists: the selected path with exactly one "/" at its end.
std::string FolderOf(const std::string& selectedPath);
