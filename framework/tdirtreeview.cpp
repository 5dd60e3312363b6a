#include "framework/tdirtreeview.h"

#include <QHeaderView>
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "framework/tscrollbar.h"
#include "platform/naturalorder.h"
#include "platform/userdirs.h"

namespace {
constexpr int kPathRole = Qt::UserRole;       // the folder's path, as bytes
constexpr int kFilledRole = Qt::UserRole + 1;  // children already read

QString Display(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Visible subfolders of `folder` in the order file managers show them.
std::vector<std::string> SubFolders(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name.empty() || name[0] == '.') continue;
    bool isDir = e->d_type == DT_DIR;
    if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
      struct stat st {};
      isDir = stat(JoinPath(folder, name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    if (isDir) names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return NaturalCompare(a, b) < 0; });
  return names;
}
}  // namespace

TDirTreeView::TDirTreeView(QWidget* parent) : TControl(parent), FTree(new QTreeWidget(this)) {
  Font() = TFont("Arial", 14);
  SetColor(clWindow);
  FTree->setHeaderHidden(true);
  FTree->setColumnCount(1);
  FTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  FTree->header()->setStretchLastSection(false);
  FTree->setSelectionMode(QAbstractItemView::SingleSelection);
  FTree->setGeometry(rect());
  setFocusProxy(FTree);
  ForwardEventsOf(FTree->viewport());
  connect(FTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { Fill(item); });
  FontChanged();
  Reload();
}

QTreeWidgetItem* TDirTreeView::AddFolderItem(QTreeWidgetItem* parent, const std::string& path,
                                             const std::string& name) {
  auto* item = new QTreeWidgetItem(QStringList{Display(name)});
  item->setData(0, kPathRole, QByteArray::fromStdString(path));
  item->setData(0, kFilledRole, false);
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  if (parent) parent->addChild(item);
  else FTree->addTopLevelItem(item);
  return item;
}

void TDirTreeView::Fill(QTreeWidgetItem* item) {
  if (item->data(0, kFilledRole).toBool()) return;
  item->setData(0, kFilledRole, true);
  const std::string path = item->data(0, kPathRole).toByteArray().toStdString();
  for (const std::string& name : SubFolders(path)) AddFolderItem(item, JoinPath(path, name), name);
  if (item->childCount() == 0) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

void TDirTreeView::Reload() {
  FTree->clear();
  QTreeWidgetItem* root = AddFolderItem(nullptr, DesktopDirectory(), "Desktop");
  root->setIcon(0, style()->standardIcon(QStyle::SP_DesktopIcon));
  FTree->expandItem(root);
  FTree->setCurrentItem(root);
}

std::string TDirTreeView::SelectedPath() const {
  const QTreeWidgetItem* item = FTree->currentItem();
  return item ? item->data(0, kPathRole).toByteArray().toStdString() : std::string();
}

bool TDirTreeView::SelectPath(const std::string& path) {
  QTreeWidgetItem* item = FTree->topLevelItem(0);
  while (item) {
    const std::string here = item->data(0, kPathRole).toByteArray().toStdString();
    if (here == path) {
      FTree->setCurrentItem(item);
      FTree->scrollToItem(item);
      return true;
    }
    const std::string prefix = JoinPath(here, "");
    if (path.rfind(prefix, 0) != 0) return false;
    FTree->expandItem(item);
    Fill(item);
    QTreeWidgetItem* next = nullptr;
    for (int i = 0; i < item->childCount() && !next; ++i) {
      const std::string child = item->child(i)->data(0, kPathRole).toByteArray().toStdString();
      if (path == child || path.rfind(JoinPath(child, ""), 0) == 0) next = item->child(i);
    }
    item = next;
  }
  return false;
}

void TDirTreeView::SetScrollBars(TScrollBar* vertical, TScrollBar* horizontal) {
  if (vertical) {
    FTree->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vertical->Mirror(FTree->verticalScrollBar());
  }
  if (horizontal) {
    FTree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontal->Mirror(FTree->horizontalScrollBar());
  }
}

void TDirTreeView::FontChanged() {
  TControl::FontChanged();
  FTree->setFont(Font().ToQFont());
}

void TDirTreeView::resizeEvent(QResizeEvent* event) {
  TControl::resizeEvent(event);
  FTree->setGeometry(rect());
}
