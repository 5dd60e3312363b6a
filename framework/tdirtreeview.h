#pragma once
// A plain folder tree rooted at the desktop: the home folder, the computer
// (the file-system root) and the desktop folder's folders below it, folders
// only, filled when a node is first expanded. The desktop is virtual when it
// has no folder of its own. A mouse click runs
// OnClick; moving the selection with the keyboard does not.

#include <QTreeWidget>
#include <string>

#include "framework/tcontrol.h"

class TScrollBar;

class TDirTreeView : public TControl {
  Q_OBJECT
 public:
  explicit TDirTreeView(QWidget* parent = nullptr);

  // The selected folder's path as the file system names it, a virtual folder's
  // display name, or "" with no selection.
  std::string SelectedPath() const;
  // Selects the node of `path`, expanding the nodes above it; false when the
  // path is not below the desktop folder.
  bool SelectPath(const std::string& path);
  // Rebuilds the tree from the desktop folder and selects its root.
  void Reload();

  void SetIndent(int value) { FTree->setIndentation(value); }
  void SetShowRoot(bool value) { FTree->setRootIsDecorated(value); }
  // Scroll bars that stand in for the tree's own, shown only when needed.
  void SetScrollBars(TScrollBar* vertical, TScrollBar* horizontal);
  QTreeWidget* Tree() const { return FTree; }

 protected:
  void FontChanged() override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QTreeWidgetItem* AddFolderItem(QTreeWidgetItem* parent, const std::string& path,
                                 const std::string& name);
  void Fill(QTreeWidgetItem* item);
  // Whether a child of the virtual `item` is or holds `path`.
  bool Holds(const QTreeWidgetItem* item, const std::string& path) const;

  QTreeWidget* FTree;
};
