// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/shell/shellmenu.h"

#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QWidget>
#include <strings.h>

#include "framework/handlerguard.h"
#include "framework/sysutils.h"
#include "platform/shellfileops.h"
#include "platform/shellopen.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/tbsskinpopupmenu.h"
#include "skin/shell/ishellpastehost.h"
#include "skin/shell/ishellverbsink.h"
#include "skin/shell/tbsshellfolder.h"

namespace {
const char* const kTrashAddress = "trash:///";

bool Is(const std::string& verb, const char* name) { return strcasecmp(verb.c_str(), name) == 0; }

// While a paste runs on the window's worker no other file command starts;
// copying to the clipboard or opening harms nothing.
bool MayRunWhilePasting(const std::string& verb) { return Is(verb, "open") || Is(verb, "copy") || Is(verb, "cut"); }

// The window that shows a long paste: the nearest up from `control` that offers it.
IShellPasteHost* PasteHostOf(QWidget* control) {
  for (QWidget* w = control; w; w = w->parentWidget())
    if (auto* host = dynamic_cast<IShellPasteHost*>(w)) return host;
  return nullptr;
}

bool ClipboardHasFiles() {
  std::vector<std::string> paths;
  bool cut = false;
  return FilesOnClipboard(paths, cut);
}

// The command itself; false with a reason when it did nothing.
bool Invoke(TbsShellFolder& item, const std::string& verb, std::string& error) {
  const TShellPlace place = item.Place();
  const std::string path = place.Path;
  if (Is(verb, "open")) {
    const std::string target = place.Kind == TShellPlaceKind::Trash ? kTrashAddress : path;
    if (target.empty() || !ShellOpen(target)) return error = "无法打开“" + item.NameInParent() + "”", false;
    return true;
  }
  if (path.empty()) return error = "“" + item.NameInParent() + "”不是文件夹，无法执行此命令", false;
  if (Is(verb, "cut") || Is(verb, "copy")) {
    PutFilesOnClipboard({path}, Is(verb, "cut"));
    return true;
  }
  if (Is(verb, "paste")) {
    std::vector<std::string> sources;
    bool cut = false;
    if (!FilesOnClipboard(sources, cut)) return error = "剪贴板上没有文件", false;
    if (!PasteInto(path, sources, cut, error)) return false;
    // What was cut is gone from where it was: it cannot be pasted twice.
    if (cut) QApplication::clipboard()->clear();
    return true;
  }
  if (Is(verb, "delete")) return MoveToTrash(path, error);
  if (Is(verb, "newfolder")) return !MakeNewFolder(path, error).empty();
  return false;  // rename needs a control that edits
}
}  // namespace

std::vector<TShellVerb> ShellVerbsFor(const TbsShellFolder& item) {
  const TShellPlace place = item.Place();
  switch (place.Kind) {
    case TShellPlaceKind::Trash: return {{"open", "打开(&O)"}};
    case TShellPlaceKind::Computer:
    case TShellPlaceKind::Invalid: return {};
    default: break;
  }
  if (place.Virtual()) return {};  // a desktop without a folder of its own
  const TCapabilitySet caps = item.CapabilitySet();
  const bool entry = place.Kind == TShellPlaceKind::Entry;
  const bool dropTarget = caps & (1u << caDropTarget);
  std::vector<TShellVerb> verbs{{"open", "打开(&O)"}};
  if (entry) verbs.push_back({"cut", "剪切(&T)", bool(caps & (1u << caMove))});
  verbs.push_back({"copy", "复制(&C)", bool(caps & (1u << caCopy))});
  verbs.push_back({"paste", "粘贴(&P)", dropTarget && ClipboardHasFiles()});
  if (entry) {
    verbs.push_back({"rename", "重命名(&M)", bool(caps & (1u << caRename))});
    verbs.push_back({"delete", "删除(&D)", bool(caps & (1u << caDelete))});
  }
  verbs.push_back({"newfolder", "新建文件夹(&W)", dropTarget});
  return verbs;
}

bool RunShellVerb(QWidget* control, TbsShellFolder& item, const std::string& verb) {
  IShellPasteHost* host = PasteHostOf(control);
  if (host && host->PasteRunning() && !MayRunWhilePasting(verb)) throw Exception("正在粘贴文件，请等它完成或先停止它");
  auto* sink = dynamic_cast<IShellVerbSink*>(control);
  bool handled = false;
  if (sink) sink->BeforeVerb(verb, handled);
  if (handled || !Is(verb, "paste")) host = nullptr;
  std::vector<std::string> sources;
  bool cut = false;
  if (host && !item.Place().Path.empty() && FilesOnClipboard(sources, cut)) {
    // The rest happens when the worker is done: AfterVerb, then the error if any.
    QPointer<QWidget> owner(control);
    const bool started = host->StartPaste(item.Place().Path, std::move(sources), cut,
                                          [owner, verb, cut](const TPasteResult& result) {
      // What was cut is gone from where it was: it cannot be pasted twice.
      if (cut && result.Ok) QApplication::clipboard()->clear();
      if (auto* s = dynamic_cast<IShellVerbSink*>(owner.data())) s->AfterVerb(verb, result.Ok || result.Changed);
      if (!result.Ok) throw Exception(result.Error);
    });
    if (started) return true;
    if (sink) sink->AfterVerb(verb, false);
    throw Exception("正在进行另一项文件操作，请稍后再粘贴");
  }
  std::string error;
  const bool succeeded = handled || Invoke(item, verb, error);
  if (sink) sink->AfterVerb(verb, succeeded);
  if (!succeeded && !error.empty()) throw Exception(error);
  return succeeded;
}

TbsSkinPopupMenu* ShowShellMenu(QWidget* control, TbsShellFolder* item, int x, int y, TbsSkinData* skinData) {
  if (!control || !item) return nullptr;
  const std::vector<TShellVerb> verbs = ShellVerbsFor(*item);
  if (verbs.empty()) return nullptr;
  auto* menu = new TbsSkinPopupMenu(control);
  menu->SetSkinData(skinData);
  menu->SetPopupComponent(control);
  QPointer<QWidget> owner(control);
  // The item's node may be read again (and its object freed) while the menu
  // is open: a command runs on an object made afresh from the item's list.
  const TIdList full = item->FullIdList();
  for (const TShellVerb& v : verbs) {
    if (v.Verb == "rename" || v.Verb == "newfolder") menu->Items()->Add("sep" + v.Verb, "-");
    const std::string verb = v.Verb;
    TMenuItem* mi = menu->Items()->Add(verb, v.Caption, [owner, full, verb] {
      if (!owner) return;
      CallGuarded([&] {
        const std::unique_ptr<TbsShellFolder> target = MakeRootItem(full);
        RunShellVerb(owner, *target, verb);
      });
    });
    mi->SetEnabled(v.Enabled);
    if (verb == "open") mi->SetDefault(true);
  }
  const QPoint at = control->mapToGlobal(QPoint(x, y));
  menu->Popup(at.x(), at.y());
  return menu;
}
