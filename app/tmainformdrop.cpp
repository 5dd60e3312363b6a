// SPDX-License-Identifier: GPL-3.0-or-later
// A folder dropped on the main window, from a file manager say, is listed as
// a click on it in the tree would list it. Only a drag of exactly one folder
// of this computer is taken; files, several items, a remote address or plain
// text are refused (the pointer says so), and nothing is taken while a batch,
// an undo or a paste runs. The fields still take dropped text as ever.

#include <sys/stat.h>

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <functional>

#include "app/tmainform.h"
#include "framework/handlerguard.h"
#include "platform/readintime.h"

namespace {

// The one local folder `data` names, or "" when it names anything else.
std::string DraggedFolder(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
  // Without a trailing "/", as the tree names its folders.
  const std::string path = QDir::cleanPath(urls.front().toLocalFile()).toStdString();
  if (path.empty()) return {};
  // A folder on a mount that stopped answering keeps the drag waiting only so long.
  const std::optional<bool> folder = AnswerInTime<bool>(path, [path] {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  });
  return folder.value_or(false) ? path : std::string();
}

// Passes the events a field gets to `hook` first; true from it ends them there.
class TEventHook : public QObject {
 public:
  TEventHook(QObject* parent, std::function<bool(QEvent*)> hook) : QObject(parent), FHook(std::move(hook)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return FHook(event); }

 private:
  std::function<bool(QEvent*)> FHook;
};

}  // namespace

void TmainForm::AcceptDropsOfFolders() {
  setAcceptDrops(true);
  // A field takes dropped text itself, and a folder's address with it: a
  // folder goes to the window; plain text stays the field's.
  FFieldDragHook = new TEventHook(this, [this](QEvent* event) {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::DragLeave:
      case QEvent::Drop: return FolderDragEvent(event);
      default: return false;
    }
  });
  for (QWidget* w : findChildren<QWidget*>())
    if (w->acceptDrops()) w->installEventFilter(FFieldDragHook);
}

bool TmainForm::FolderDragEvent(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::DragLeave) FDraggedFolder.clear();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* drag = static_cast<QDropEvent*>(event);  // entering and moving drags are drop events too
  // Read once as the drag comes in, not at each move; at the drop once more.
  if (type != QEvent::DragMove) FDraggedFolder = DraggedFolder(drag->mimeData());
  const std::string folder = FDraggedFolder;
  if (type == QEvent::Drop) FDraggedFolder.clear();
  if (folder.empty()) return false;
  // Taken only as a copy, even where the source would rather move: the
  // folder is only read, and a move would tell the source to delete it.
  if (FBatchActive || !FRenamer || !(drag->possibleActions() & Qt::CopyAction)) {
    drag->ignore();
    return true;
  }
  drag->setDropAction(Qt::CopyAction);
  drag->accept();
  // Listed once the drop is answered: the source is not kept waiting while the folder is read.
  if (type == QEvent::Drop)
    QMetaObject::invokeMethod(
        this, [this, folder] { CallGuarded([this, &folder] { ListDroppedFolder(folder); }); }, Qt::QueuedConnection);
  return true;
}

void TmainForm::ListDroppedFolder(const std::string& folder) {
  if (FBatchActive || !FRenamer) return;  // started since the drop
  // As a click on its row: the tree shows it selected, the list its files.
  if (ShellTreeView1->SelectPath(folder)) filesearch->Execute();
}

void TmainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!FolderDragEvent(event)) event->ignore();
}

void TmainForm::dragMoveEvent(QDragMoveEvent* event) {
  if (!FolderDragEvent(event)) event->ignore();
}

void TmainForm::dropEvent(QDropEvent* event) {
  if (!FolderDragEvent(event)) event->ignore();
}
