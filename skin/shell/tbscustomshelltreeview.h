// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder tree of the shell namespace: one top node for the root (the
// desktop by default), children read when a node is first expanded, in the
// shell's order, with the shell's names and icons. Each node owns the shell
// folder object it shows. It renames by in-place editing and runs the
// folder context menu's commands, taking part in them as IShellVerbSink.

#include <QPointer>
#include <functional>
#include <memory>

#include "skin/form/tbsskinpopupmenu.h"
#include "skin/shell/ishellverbsink.h"
#include "skin/shell/tbsshellchangenotifier.h"
#include "skin/shell/tbsshellfolder.h"
#include "skin/shell/tbsskincustomtreeview.h"

// The tree's name for assistive technology.
constexpr const char* kFolderTreeName = "文件夹";

// Sender, folder, may the folder get a node.
using TAddFolderEvent = std::function<void(QObject*, TbsShellFolder*, bool&)>;

class TbsCustomShellTreeView : public TbsSkinCustomTreeView, public IShellVerbSink {
  Q_OBJECT
 public:
  explicit TbsCustomShellTreeView(QWidget* parent = nullptr);
  ~TbsCustomShellTreeView() override;

  const TRoot& Root() const { return FRoot; }
  // A new name (ignoring case) rebuilds the tree; an unknown one raises
  // "Error setting path" and leaves tree and name as they were.
  void SetRoot(const TRoot& value);
  TbsShellFolder* RootItem() const { return FRootItem.get(); }
  TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
  void SetObjectTypes(TShellObjectTypes value);
  bool UseShellImages() const { return FUseShellImages; }
  void SetUseShellImages(bool value);
  // On: the selected folder (not its subfolders) is watched and a change
  // there reads its node again; the watch follows the selection.
  bool AutoRefresh() const { return FAutoRefresh; }
  void SetAutoRefresh(bool value);
  TbsShellChangeNotifier* ChangeNotifier() const { return FChangeNotifier.get(); }
  bool AutoContextMenus() const { return FAutoContextMenus; }
  void SetAutoContextMenus(bool value) { FAutoContextMenus = value; }

  // The selected folder's FullPath, or "" with no selection.
  std::string SelectedPath() const;
  TbsShellFolder* SelectedItem() const;
  // The object of the node with this absolute index (counted through every
  // loaded node, top to bottom), or none.
  TbsShellFolder* ItemAt(int index) const;
  static TbsShellFolder* FolderOf(const QTreeWidgetItem* node);

  // Selects the node of the full list `list`, expanding its ancestors.
  void SelectPath(const TIdList& list);
  // The same for a folder's path; false when the path names no folder.
  bool SelectPath(const std::string& path);
  // Reads `node`'s children again, keeping what was expanded below it, the
  // selection and the top row where they still exist.
  void RefreshNode(QTreeWidgetItem* node);
  void RefreshSelected();
  // The node whose caption is `text`, searching every loaded node; none when absent.
  QTreeWidgetItem* FindNode(const std::string& text) const;

  void BuildRoot();
  void RebuildRoot();
  // The loaded phase: the skin, then the root.
  void Loaded();

  // Only an item the file system lets us rename is edited.
  bool CanEdit(QTreeWidgetItem* node) override;

  void BeforeVerb(const std::string& verb, bool& handled) override;
  void AfterVerb(const std::string& verb, bool succeeded) override;
  // The context menu open now, if any.
  TbsSkinPopupMenu* ShellMenu() const { return FShellMenu.data(); }

  TAddFolderEvent OnAddFolder;

 protected:
  void Expanding(QTreeWidgetItem* node) override;
  void Changed(QTreeWidgetItem* node) override;
  void Edited(QTreeWidgetItem* node, const std::string& text) override;
  void ContextMenu(const QPoint& pos) override;

  // False when the folder's mount did not answer in time: nothing was read,
  // so the node may still have children.
  bool PopulateNode(QTreeWidgetItem* node);
  // Makes `node` show the item `list` of `parentNode`'s folder; false when
  // OnAddFolder refused it (the node is then deleted).
  bool InitNode(QTreeWidgetItem* node, const TIdList& list, QTreeWidgetItem* parentNode);

 private:
  void ClearNodes();
  void SetNodeLook(QTreeWidgetItem* node, TbsShellFolder& folder);
  QTreeWidgetItem* FindNodeOf(const TIdList& full, QTreeWidgetItem* from) const;
  void MarkChildren(QTreeWidgetItem* node);

  TRoot FRoot = "rfDesktop";
  TRoot FOldRoot;
  std::unique_ptr<TbsShellFolder> FRootItem;
  TShellObjectTypes FObjectTypes = ShellObjectTypes({otFolders});
  bool FUseShellImages = true;
  bool FAutoRefresh = false;
  // Freed at once, never later: a notifier left alive would still refresh.
  std::unique_ptr<TbsShellChangeNotifier> FChangeNotifier;
  QTreeWidgetItem* FChangingTo = nullptr;  // the node being selected while the watch is re-armed
  bool FAutoContextMenus = true;
  bool FBuildingRoot = false;
  bool FUpdating = false;
  std::string FSavedCurrentDir;
  QPointer<TbsSkinPopupMenu> FShellMenu;
};
