// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/shell/tbscustomshelltreeview.h"

#include <QApplication>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "framework/sysutils.h"
#include "platform/shellfileops.h"
#include "platform/shellopen.h"
#include "platform/readintime.h"
#include "platform/shownname.h"
#include "platform/systemimagelist.h"
#include "skin/form/tbsskinpopupmenu.h"
#include "skin/shell/shellmenu.h"

namespace {
bool Is(const std::string& verb, const char* name) { return strcasecmp(verb.c_str(), name) == 0; }

// A node owns the object it shows; its icon follows the selection.
class TbsShellNode : public QTreeWidgetItem {
 public:
  static constexpr int kType = QTreeWidgetItem::UserType + 16;
  TbsShellNode() : QTreeWidgetItem(kType) {}
  QVariant data(int column, int role) const override {
    if (role == Qt::DecorationRole && column == 0) {
      const int index = isSelected() && SelectedIndex >= 0 ? SelectedIndex : ImageIndex;
      if (index < 0) return QVariant();
      return TSystemImageList::Instance().Icon(index);
    }
    return QTreeWidgetItem::data(column, role);
  }

  std::unique_ptr<TbsShellFolder> Folder;
  int ImageIndex = -1;
  int SelectedIndex = -1;
  bool Closed = false;  // the user closed it: opened again, it is read again
};

// An hourglass for as long as a folder is being read.
class TBusyCursor {
 public:
  TBusyCursor() { if (qApp) QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TBusyCursor() { if (qApp) QApplication::restoreOverrideCursor(); }
};

// A caption shows a name on one line, a mark for each stray byte or control
// character; the name's bytes stay in the object, and an edit maps back to them.
QString Caption(const std::string& name) {
  if (ShownAsIs(name)) return QString::fromUtf8(name.data(), qsizetype(name.size()));  // most names: no copy
  const std::string shown = ShownName(name);
  return QString::fromUtf8(shown.data(), qsizetype(shown.size()));
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::string();
  return slash == 0 ? "/" : path.substr(0, slash);
}
}  // namespace

TbsCustomShellTreeView::TbsCustomShellTreeView(QWidget* parent) : TbsSkinCustomTreeView(parent) {
  SetShowRoot(false);
  SetRightClickSelect(true);
  // No caption names the tree on the screen; assistive technology says what
  // it holds, and its one column (the hidden header) is called the same.
  Tree()->setAccessibleName(QString::fromUtf8(kFolderTreeName));
  Tree()->headerItem()->setText(0, QString::fromUtf8(kFolderTreeName));
  connect(Tree(), &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem* node) {
    if (node->type() == TbsShellNode::kType) static_cast<TbsShellNode*>(node)->Closed = true;
  });
}

TbsCustomShellTreeView::~TbsCustomShellTreeView() {
  FChangeNotifier.reset();  // no refresh may reach a tree being taken apart
  // The nodes' objects go before the root object their parents may name.
  ClearNodes();
}

TbsShellFolder* TbsCustomShellTreeView::FolderOf(const QTreeWidgetItem* node) {
  if (!node || node->type() != TbsShellNode::kType) return nullptr;
  return static_cast<const TbsShellNode*>(node)->Folder.get();
}

void TbsCustomShellTreeView::SetRoot(const TRoot& value) {
  if (strcasecmp(value.c_str(), FRoot.c_str()) == 0) return;
  FOldRoot = FRoot;
  FRoot = value;
  RebuildRoot();
}

void TbsCustomShellTreeView::SetObjectTypes(TShellObjectTypes value) {
  if (FObjectTypes == value) return;
  FObjectTypes = value;
  RebuildRoot();
}

void TbsCustomShellTreeView::SetUseShellImages(bool value) {
  if (FUseShellImages == value) return;
  FUseShellImages = value;
  for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
    if (TbsShellFolder* folder = FolderOf(*it)) SetNodeLook(*it, *folder);
  Tree()->viewport()->update();
}

void TbsCustomShellTreeView::ClearNodes() {
  Tree()->setUpdatesEnabled(false);
  Tree()->clear();  // each node frees its object
  Tree()->setUpdatesEnabled(true);
}

void TbsCustomShellTreeView::Loaded() {
  SkinChanged();
  BuildRoot();
}

void TbsCustomShellTreeView::BuildRoot() {
  if (AlignDisabled()) return;  // the window is still being built: its loaded phase builds the root
  std::string error;
  try {
    ResolveRoot(FRootItem, FOldRoot, FRoot);
  } catch (const std::exception& e) {
    error = e.what();
  }
  // A root that cannot be resolved leaves the tree as it was.
  if (FRootItem && error.empty()) {
    FBuildingRoot = true;
    ClearNodes();
    auto* node = new TbsShellNode;
    node->Folder = std::make_unique<TbsShellFolder>(nullptr, FRootItem->FolderInterface(), FRootItem->FullIdList());
    node->setText(0, QString::fromStdString(
                         ItemDisplayName(TShellFolderInterface::Desktop().get(), FRootItem->FullIdList(), kShgdnNormal)));
    node->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    SetNodeLook(node, *node->Folder);
    node->setChildIndicatorPolicy(node->Folder->HasChildFolders() ? QTreeWidgetItem::ShowIndicator
                                                                  : QTreeWidgetItem::DontShowIndicator);
    Tree()->addTopLevelItem(node);
    Tree()->expandItem(node);
    Select(node);
    FBuildingRoot = false;
  }
  if (!error.empty()) throw Exception(error);
}

void TbsCustomShellTreeView::RebuildRoot() {
  if (FUpdating) return;
  FUpdating = true;
  try {
    BuildRoot();
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
}

void TbsCustomShellTreeView::SetNodeLook(QTreeWidgetItem* node, TbsShellFolder& folder) {
  auto* n = static_cast<TbsShellNode*>(node);
  if (!FUseShellImages) {
    n->ImageIndex = n->SelectedIndex = -1;
    return;
  }
  const TShellPlace place = folder.Place();
  n->ImageIndex = ShellIconIndexOf(place, false);
  n->SelectedIndex = ShellIconIndexOf(place, true);
  if (n->SelectedIndex == 0) n->SelectedIndex = n->ImageIndex;
}

void TbsCustomShellTreeView::MarkChildren(QTreeWidgetItem* node) {
  node->setChildIndicatorPolicy(node->childCount() > 0 ? QTreeWidgetItem::DontShowIndicatorWhenChildless
                                                       : QTreeWidgetItem::DontShowIndicator);
}

void TbsCustomShellTreeView::Expanding(QTreeWidgetItem* node) {
  TbsShellFolder* folder = FolderOf(node);
  if (!folder) return;
  // The look at the folder, its listing and its children's checks wait on
  // the disk for one timeout together, so a mount that stopped answering
  // holds the window once, not once a child.
  const TReadDeadline deadline;
  if (folder->IsRealFolder()) {
    if (auto* shellNode = static_cast<TbsShellNode*>(node); shellNode->Closed && node->childCount() > 0 && !FUpdating) {
      // Opened again: read again, so folders made or gone meanwhile show.
      // Not from within the expansion the view is still making of this node.
      shellNode->Closed = false;
      QTimer::singleShot(0, this, [this, list = folder->FullIdList()] {
        if (QTreeWidgetItem* again = FindNodeOf(list, nullptr); again && again->isExpanded()) RefreshNode(again);
      });
    } else if (node->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator && node->childCount() == 0 &&
        !PopulateNode(node)) {
      // Not read rather than empty: the button stays, and expanding again
      // reads the folder once its mount answers.
      Tree()->collapseItem(node);
      return;
    }
  } else {
    // A folder that is really a document (an archive): its program opens it.
    const std::string path = folder->FullPath();
    if (!path.empty() && path[0] == '/') {
      const std::string saved = FSavedCurrentDir;
      ShellOpen(path);
    }
  }
  MarkChildren(node);
}

bool TbsCustomShellTreeView::PopulateNode(QTreeWidgetItem* node) {
  TbsShellFolder* folder = FolderOf(node);
  if (!folder || !folder->FolderInterface()) return true;
  TBusyCursor busy;
  const TReadDeadline deadline;
  std::vector<TIdList> items;
  if (!folder->FolderInterface()->EnumObjects(ObjectTypeFlags(FObjectTypes), items))
    return !IsUnanswering(folder->FullPath());
  // The shell's order: virtual items first, then names as the user reads them.
  const TShellFolderInterface& order = *folder->FolderInterface();
  std::sort(items.begin(), items.end(), [&](const TIdList& a, const TIdList& b) { return order.CompareIDs(a, b) < 0; });
  QList<QTreeWidgetItem*> children;
  children.reserve(qsizetype(items.size()));
  for (const TIdList& item : items) {
    auto* child = new TbsShellNode;
    if (InitNode(child, item, node)) children.push_back(child);
  }
  // One insertion: the view lays the rows out once, not once a child.
  node->addChildren(children);
  return true;
}

bool TbsCustomShellTreeView::InitNode(QTreeWidgetItem* node, const TIdList& list, QTreeWidgetItem* parentNode) {
  auto* n = static_cast<TbsShellNode*>(node);
  TbsShellFolder* parent = FolderOf(parentNode);
  TFolderInterface folder = BindFolderInterface(parent ? parent->FolderInterface() : nullptr, list);
  n->Folder = std::make_unique<TbsShellFolder>(parent, folder, list);
  n->setText(0, Caption(n->Folder->NameInParent()));
  n->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
  SetNodeLook(n, *n->Folder);
  bool hasChildren = n->Folder->HasChildFolders();
  if ((FObjectTypes & (1u << otNonFolders)) && folder)
    hasChildren = HasEnumerableItems(folder.get(), ObjectTypeFlags(FObjectTypes));
  n->setChildIndicatorPolicy(hasChildren ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicator);
  bool canAdd = true;
  if (OnAddFolder) OnAddFolder(this, n->Folder.get(), canAdd);
  if (!canAdd) {
    delete n;
    return false;
  }
  return true;
}

std::string TbsCustomShellTreeView::SelectedPath() const {
  const TbsShellFolder* folder = SelectedItem();
  return folder ? folder->FullPath() : std::string();
}

TbsShellFolder* TbsCustomShellTreeView::SelectedItem() const { return FolderOf(Selected()); }

TbsShellFolder* TbsCustomShellTreeView::ItemAt(int index) const {
  if (index < 0) return nullptr;
  for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
    if (index-- == 0) return FolderOf(*it);
  return nullptr;
}

QTreeWidgetItem* TbsCustomShellTreeView::FindNode(const std::string& text) const {
  const QString wanted = QString::fromUtf8(text.data(), qsizetype(text.size()));
  for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
    if ((*it)->text(0) == wanted) return *it;
  return nullptr;
}

// The node of `full` in the subtree of `from` (every top-level node when
// none); identical bytes are the same item here.
QTreeWidgetItem* TbsCustomShellTreeView::FindNodeOf(const TIdList& full, QTreeWidgetItem* from) const {
  auto matches = [&](QTreeWidgetItem* n) {
    const TbsShellFolder* f = FolderOf(n);
    return f && f->FullIdList() == full;
  };
  std::vector<QTreeWidgetItem*> stack;
  if (from) {
    stack.push_back(from);
  } else {
    for (int i = Tree()->topLevelItemCount() - 1; i >= 0; --i) stack.push_back(Tree()->topLevelItem(i));
  }
  while (!stack.empty()) {
    QTreeWidgetItem* n = stack.back();
    stack.pop_back();
    if (matches(n)) return n;
    for (int i = n->childCount() - 1; i >= 0; --i) stack.push_back(n->child(i));
  }
  return nullptr;
}

void TbsCustomShellTreeView::SelectPath(const TIdList& list) {
  if (!IsValidIdList(list)) return;
  if (const TbsShellFolder* selected = SelectedItem(); selected && SameItem(selected->FullIdList(), list)) return;
  FUpdating = true;
  QTreeWidgetItem* current = nullptr;
  std::vector<TIdList> chain = AncestorIdLists(list);
  chain.push_back(list);
  for (std::size_t i = 0; i < chain.size(); ++i) {
    QTreeWidgetItem* found = FindNodeOf(chain[i], current);
    if (!found) continue;  // above the root, or gone
    current = found;
    if (i + 1 < chain.size()) Tree()->expandItem(found);
  }
  FUpdating = false;
  const TbsShellFolder* f = FolderOf(current);
  if (f && f->FullIdList() == list) Select(current);
}

bool TbsCustomShellTreeView::SelectPath(const std::string& path) {
  const auto list = TShellFolderInterface::Desktop()->ParseDisplayName(path);
  if (!list) return false;
  SelectPath(*list);
  const TbsShellFolder* selected = SelectedItem();
  return selected && selected->FullIdList() == *list;
}

void TbsCustomShellTreeView::RefreshNode(QTreeWidgetItem* node) {
  auto* old = static_cast<TbsShellNode*>(node);
  TbsShellFolder* folder = FolderOf(node);
  if (!folder || !folder->FolderInterface()) return;
  TBusyCursor busy;
  // What to bring back: the top row, the selection, every expanded node below.
  const TbsShellFolder* top = FolderOf(Tree()->itemAt(0, 0));
  const TIdList topList = top ? top->FullIdList() : TIdList();
  const TIdList selectedList = SelectedItem() ? SelectedItem()->FullIdList() : TIdList();
  std::vector<TIdList> expanded;
  std::vector<QTreeWidgetItem*> stack{node};
  while (!stack.empty()) {
    QTreeWidgetItem* n = stack.back();
    stack.pop_back();
    if (n != node && n->isExpanded())
      if (const TbsShellFolder* f = FolderOf(n)) expanded.push_back(f->FullIdList());
    for (int i = 0; i < n->childCount(); ++i) stack.push_back(n->child(i));
  }
  // Ancestors first, so each is expanded before what lies below it.
  std::sort(expanded.begin(), expanded.end(),
            [](const TIdList& a, const TIdList& b) { return IdListItemCount(a) < IdListItemCount(b); });
  const bool wasExpanded = node->isExpanded();

  FUpdating = true;
  Tree()->setUpdatesEnabled(false);
  auto* fresh = new TbsShellNode;
  fresh->Folder = std::make_unique<TbsShellFolder>(folder->ParentItem() == DesktopItem() ? nullptr : folder->ParentItem(),
                                                   folder->FolderInterface(), folder->ItemIdList());
  fresh->setText(0, old->text(0));
  fresh->setFlags(old->flags());
  if (QTreeWidgetItem* parent = node->parent()) {
    parent->insertChild(parent->indexOfChild(node), fresh);
  } else {
    Tree()->insertTopLevelItem(Tree()->indexOfTopLevelItem(node), fresh);
  }
  const bool read = PopulateNode(fresh);
  SetNodeLook(fresh, *fresh->Folder);
  if (read)
    MarkChildren(fresh);
  else
    fresh->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);  // unread: it may have children
  const std::string name = fresh->Folder->NameInParent();
  if (fresh->Folder->ParentItem() != DesktopItem() || IdListItemCount(fresh->Folder->FullIdList()) > 0)
    fresh->setText(0, Caption(name));
  if (wasExpanded) Tree()->expandItem(fresh);
  for (const TIdList& list : expanded)
    if (QTreeWidgetItem* n = FindNodeOf(list, fresh)) Tree()->expandItem(n);
  const bool selectionInside = !selectedList.empty() && FindNodeOf(selectedList, node);
  delete old;
  if (!selectedList.empty()) {
    QTreeWidgetItem* again = FindNodeOf(selectedList, selectionInside ? fresh : nullptr);
    Select(again ? again : (selectionInside ? fresh : Selected()));
  }
  if (!topList.empty())
    if (QTreeWidgetItem* n = FindNodeOf(topList, nullptr)) Tree()->scrollToItem(n, QAbstractItemView::PositionAtTop);
  Tree()->setUpdatesEnabled(true);
  FUpdating = false;
  UpdateScrollBars();
}

void TbsCustomShellTreeView::RefreshSelected() {
  if (QTreeWidgetItem* node = Selected()) RefreshNode(node);
}

void TbsCustomShellTreeView::Changed(QTreeWidgetItem* node) {
  if (!FAutoRefresh || !node) return;
  TbsShellFolder* folder = FolderOf(node);
  // Reselecting the same folder (after a refresh) keeps the watch it has, so
  // a refresh run by the notifier never frees that notifier.
  if (FChangeNotifier && folder && FChangeNotifier->Root() == folder->FullPath() && FChangeNotifier->OnChange())
    return;
  FChangingTo = node;
  SetAutoRefresh(true);
  FChangingTo = nullptr;
}

void TbsCustomShellTreeView::SetAutoRefresh(bool value) {
  FAutoRefresh = value;
  FChangeNotifier.reset();
  if (!value) return;
  TbsShellFolder* folder = FChangingTo ? FolderOf(FChangingTo) : RootItem();
  const std::string path = folder ? folder->FullPath() : std::string();
  FChangeNotifier = std::make_unique<TbsShellChangeNotifier>();
  FChangeNotifier->SetWatchSubTree(false);
  if (path.empty()) return;  // a virtual folder: nothing on disk to watch
  FChangeNotifier->SetRoot(path);
  FChangeNotifier->SetOnChange([this] { RefreshSelected(); });
}

void TbsCustomShellTreeView::Edited(QTreeWidgetItem* node, const std::string& text) {
  TbsShellFolder* folder = FolderOf(node);
  if (!folder) return;
  // The editor started from the caption, where every stray byte is the same mark:
  // the part the user left alone keeps its own bytes. A caption that is not
  // the name's (a fixed display name) has nothing to map back to.
  const std::string name = folder->NameInParent();
  const std::string newName = node->text(0) == Caption(name) ? NameAfterEdit(name, text) : text;
  if (newName == name || !folder->RenameTo(newName)) return;
  node->setText(0, Caption(newName));
  // Loaded children still name the old path in their lists.
  if (node->childCount() > 0) RefreshNode(node);
}

bool TbsCustomShellTreeView::CanEdit(QTreeWidgetItem* node) {
  const TbsShellFolder* folder = FolderOf(node);
  if (!folder || !(folder->CapabilitySet() & (1u << caRename))) return false;
  return TbsSkinCustomTreeView::CanEdit(node);
}

void TbsCustomShellTreeView::ContextMenu(const QPoint& pos) {
  if (!FAutoContextMenus) return;
  if (FShellMenu) FShellMenu->deleteLater();
  FShellMenu = ShowShellMenu(this, SelectedItem(), pos.x(), pos.y(), SkinData());
}

void TbsCustomShellTreeView::BeforeVerb(const std::string& verb, bool& handled) {
  QTreeWidgetItem* selected = Selected();
  if (Is(verb, "rename") && selected) {
    StartEditing(selected);
    handled = true;
  } else if (Is(verb, "open")) {
    char* cwd = getcwd(nullptr, 0);
    FSavedCurrentDir = cwd ? cwd : "";
    free(cwd);
    if (const TbsShellFolder* f = SelectedItem()) {
      // The document opens all the same when this fails or is given up (a
      // mount that stopped answering): only its working directory is the old one.
      if (const std::string dir = DirectoryOf(f->FullPath()); !dir.empty()) ChangeDirectoryInTime(dir);
    }
  } else if (Is(verb, "newfolder") && selected && SelectedItem()) {
    std::string error;
    const std::string name = MakeNewFolder(SelectedItem()->Place().Path, error);
    if (name.empty()) throw Exception(error);
    handled = true;
    RefreshNode(selected);
    QTreeWidgetItem* parent = Selected();
    Tree()->expandItem(parent);
    const TIdList item = MakeIdItem(name);
    const TIdList full = JoinIdLists(&FolderOf(parent)->FullIdList(), item);
    if (QTreeWidgetItem* created = FindNodeOf(full, parent)) {
      Select(created);
      StartEditing(created);
    }
  }
}

void TbsCustomShellTreeView::AfterVerb(const std::string& verb, bool succeeded) {
  if (Is(verb, "open") && !FSavedCurrentDir.empty()) {
    // When the old directory went meanwhile the program goes on: it names every path in full anyway.
    ChangeDirectoryInTime(FSavedCurrentDir);
    FSavedCurrentDir.clear();
  }
  QTreeWidgetItem* selected = Selected();
  if (!succeeded || !selected) return;
  if (Is(verb, "delete")) {
    // A folder never counts as a file that is still there: its node goes.
    QTreeWidgetItem* parent = selected->parent();
    delete selected;
    if (parent) MarkChildren(parent);
    UpdateScrollBars();
  } else if (Is(verb, "paste")) {
    // A move touched the sources' parents too, wherever they are in the tree:
    // every folder shown is read again (expansions and selection kept).
    // The folder pasted into is read even while closed: its button shows.
    QTreeWidgetItem* root = Tree()->topLevelItem(0);
    if (root && root != selected) RefreshNode(root);
    if (QTreeWidgetItem* target = Selected()) RefreshNode(target);
  }
}
