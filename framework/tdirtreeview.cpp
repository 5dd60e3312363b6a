#include "framework/tdirtreeview.h"

#include <QHeaderView>
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "framework/handlerguard.h"
#include "framework/tscrollbar.h"
#include "platform/naturalorder.h"
#include "platform/userdirs.h"

namespace {
constexpr int kPathRole = Qt::UserRole;       // the folder's path, as bytes
constexpr int kFilledRole = Qt::UserRole + 1;  // children already read
// Fixed names of the virtual places, in the window's language.
const char* const kDesktopName = "桌面";
const char* const kHomeName = "主文件夹";
const char* const kComputerName = "计算机";

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
  connect(FTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    CallGuarded([&] { Fill(item); });
  });
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
  // A desktop without a folder of its own is virtual: it lists nothing.
  QTreeWidgetItem* root = AddFolderItem(nullptr, DesktopDirectory(), kDesktopName);
  root->setIcon(0, style()->standardIcon(QStyle::SP_DesktopIcon));
  // The places a desktop offers before its own folders.
  root->setData(0, kFilledRole, true);
  QTreeWidgetItem* home = AddFolderItem(root, HomeDirectory(), kHomeName);
  home->setIcon(0, style()->standardIcon(QStyle::SP_DirHomeIcon));
  QTreeWidgetItem* computer = AddFolderItem(root, std::string(), kComputerName);
  computer->setIcon(0, style()->standardIcon(QStyle::SP_ComputerIcon));
  computer->setData(0, kFilledRole, true);
  AddFolderItem(computer, "/", "/")->setIcon(0, style()->standardIcon(QStyle::SP_DriveHDIcon));
  const std::string desktop = DesktopDirectory();
  if (!desktop.empty())
    for (const std::string& name : SubFolders(desktop)) AddFolderItem(root, JoinPath(desktop, name), name);
  FTree->expandItem(root);
  FTree->setCurrentItem(root);
}

std::string TDirTreeView::SelectedPath() const {
  const QTreeWidgetItem* item = FTree->currentItem();
  if (!item) return std::string();
  const std::string path = item->data(0, kPathRole).toByteArray().toStdString();
  // A virtual folder answers with its display name, which names no file-system folder.
  return path.empty() ? item->text(0).toStdString() : path;
}

bool TDirTreeView::SelectPath(const std::string& path) {
  if (path.empty()) return false;
  QTreeWidgetItem* item = FTree->topLevelItem(0);
  while (item) {
    const std::string here = item->data(0, kPathRole).toByteArray().toStdString();
    if (here == path) {
      FTree->setCurrentItem(item);
      FTree->scrollToItem(item);
      return true;
    }
    FTree->expandItem(item);
    Fill(item);
    // The deepest place that holds the path; a virtual place holds what its children hold.
    QTreeWidgetItem* next = nullptr;
    std::size_t bestLength = 0;
    for (int i = 0; i < item->childCount(); ++i) {
      QTreeWidgetItem* child = item->child(i);
      const std::string p = child->data(0, kPathRole).toByteArray().toStdString();
      const bool holds = p.empty() ? Holds(child, path) : path == p || path.rfind(JoinPath(p, ""), 0) == 0;
      if (holds && (next == nullptr || p.size() > bestLength)) {
        next = child;
        bestLength = p.size();
      }
    }
    item = next;
  }
  return false;
}

bool TDirTreeView::Holds(const QTreeWidgetItem* item, const std::string& path) const {
  for (int i = 0; i < item->childCount(); ++i) {
    const std::string p = item->child(i)->data(0, kPathRole).toByteArray().toStdString();
    if (path == p || path.rfind(JoinPath(p, ""), 0) == 0) return true;
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
