#pragma once
// The batch renamer's one window: a folder tree on the left, the file list
// on the right under a tool strip with the mask, prefix and range fields and
// the rename button. Its handlers list the clicked folder and rename every
// listed file to prefix + running number + its own extension.

#include <memory>
#include <string>

#include "framework/taction.h"
#include "framework/tform.h"
#include "framework/tgroupbox.h"
#include "framework/tlabel.h"
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
#include "skin/shell/tbsskindirtreeview.h"

class TmainForm : public TForm {
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

  // Handlers.
  void FormCreate();
  void FormClose(TCloseAction& action);
  void filesearchExecute();
  void filerenameExecute();
  void ListBox1ListBoxClick();
  void EdtRangestartKeyPress(char& key);
  void EdtRangestartExit();
  void btnQuilloMouseMove(TShiftState shift, int x, int y);

  const Trenamefile* Renamer() const { return FRenamer.get(); }
  const std::string& FindMask() const { return FFindMask; }
  const std::string& CurrentDir() const { return FCurrentDir; }

 private:
  void CreateComponents();
  void BindEvents();
  void ResolveReferences();

  std::unique_ptr<Trenamefile> FRenamer;
  std::string FFindMask;
  std::string FCurrentDir;
};

// The folder the search lists: the selected path with exactly one "/" at its end.
std::string FolderOf(const std::string& selectedPath);
