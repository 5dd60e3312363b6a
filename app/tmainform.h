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

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <string>

#include "framework/taction.h"
#include "framework/tform.h"
#include "framework/tgroupbox.h"
#include "framework/tlabel.h"
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

 protected:
  void showEvent(QShowEvent* event) override;
  // The report stands over the list: it goes when the window moves or goes.
  void moveEvent(QMoveEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // Enter on a tree row lists that folder, as a click does (arrows only move
  // the highlight); F5 in the tree or the list reads the selected folder again.
  bool eventFilter(QObject* watched, QEvent* event) override;

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
