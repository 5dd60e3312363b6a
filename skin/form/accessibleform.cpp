// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/accessibleform.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/acceltext.h"
#include "framework/handlerguard.h"
#include "framework/tform.h"
#include "skin/data/tbsresourcestrdata.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/tbsskinframe.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupwindow.h"
#include "skin/form/tbsskinstdbuttonobject.h"

namespace {

// Follows QAccessible::setActive, which the platform's bridge calls as a
// client comes and goes.
class TbsClientWatch : public QAccessible::ActivationObserver {
 public:
  void accessibilityActiveChanged(bool active) override { Active = active; }
  bool Active = false;
};

TbsClientWatch& ClientWatch() {
  static TbsClientWatch watch;
  return watch;
}

std::function<void(const QAccessibleEvent&)>& EventWatch() {
  static std::function<void(const QAccessibleEvent&)> watch;
  return watch;
}

QString Shown(const std::string& caption) { return QString::fromStdString(StripAccelerator(caption)); }

TbsSkinFrame* FrameOf(const TForm* form) {
  return form ? form->findChild<TbsSkinFrame*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

// The frame's caption buttons in its object order.
std::vector<TbsSkinStdButtonObject*> CaptionButtons(const TbsSkinFrame* frame) {
  std::vector<TbsSkinStdButtonObject*> buttons;
  if (!frame) return buttons;
  for (int i = 0; i < frame->ObjectCount(); ++i)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(frame->Object(i))) buttons.push_back(b);
  return buttons;
}

// The first levels of the menus open for `form`: a popup window is no child
// of any widget, so the window it serves lists it, and a client walking the
// window finds the open menu there.
std::vector<TbsSkinPopupWindow*> OpenMenus(const QWidget* form) {
  std::vector<TbsSkinPopupWindow*> menus;
  if (!form) return menus;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* popup = qobject_cast<TbsSkinPopupWindow*>(w);
        popup && popup->isVisible() && popup->Level() == 0 && popup->Menu() && popup->Menu()->Form() == form)
      menus.push_back(popup);
  return menus;
}

// A caption button. The frame makes its objects anew with every skin, so the
// button is looked up by its name on every question, never held.
class TbsAccessibleCaptionButton : public TbsAccessibleLeaf, public QAccessibleActionInterface {
 public:
  TbsAccessibleCaptionButton(TbsSkinFrame* frame, std::string idName) : FFrame(frame), FIDName(std::move(idName)) {}

  // None once the frame or its window has gone.
  TbsSkinStdButtonObject* Button() const {
    if (!FFrame || !FFrame->Form()) return nullptr;
    return dynamic_cast<TbsSkinStdButtonObject*>(FFrame->FindObject(FIDName));
  }
  const std::string& IDName() const { return FIDName; }

  bool isValid() const override { return Button() != nullptr; }
  QWindow* window() const override { return FFrame && FFrame->Form() ? FFrame->Form()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return FFrame && FFrame->Form() ? QAccessible::queryAccessibleInterface(FFrame->Form()) : nullptr;
  }

  QString text(QAccessible::Text t) const override {
    const TbsSkinStdButtonObject* b = Button();
    if (!b) return {};
    switch (t) {
      case QAccessible::Name: return QString::fromStdString(b->Hint);
      case QAccessible::Description:
        // The maximise, minimise and roll-up buttons undo their state once in it.
        if (!b->InRestoreState()) return {};
        return Shown(FFrame->SkinData() ? FFrame->SkinData()->Text("MI_RESTORECAPTION")
                                        : TbsResourceStrData::BuiltInText("MI_RESTORECAPTION"));
      case QAccessible::Accelerator:
        return b->Command == cmSysMenu ? QString::fromLatin1(kSystemMenuKeyText) : QString();
      default: return {};
    }
  }

  QRect rect() const override {
    const TbsSkinStdButtonObject* b = Button();
    if (!b) return {};
    const QPoint topLeft = FFrame->Form()->mapToGlobal(QPoint(b->Bounds.Left, b->Bounds.Top));
    return QRect(topLeft, QSize(RectWidthOf(b->Bounds), RectHeightOf(b->Bounds)));
  }
  QAccessible::Role role() const override { return QAccessible::Button; }
  QAccessible::State state() const override {
    QAccessible::State s;
    const TbsSkinStdButtonObject* b = Button();
    if (!b) {
      s.invalid = true;
      return s;
    }
    s.disabled = !b->Enabled;
    s.invisible = !b->Visible || !FFrame->Form()->isVisible();
    s.pressed = b->Down;
    s.hotTracked = b->Hot;
    s.hasPopup = b->Command == cmSysMenu;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override {
    const TbsSkinStdButtonObject* b = Button();
    if (!b || !b->Enabled || !b->Visible) return {};
    return {pressAction()};
  }
  void doAction(const QString& name) override {
    if (name != pressAction() || !FFrame) return;
    // After the client's call has returned: the press may close the window.
    QMetaObject::invokeMethod(
        FFrame.data(),
        [frame = FFrame, id = FIDName] {
          if (auto* b = frame ? dynamic_cast<TbsSkinStdButtonObject*>(frame->FindObject(id)) : nullptr)
            CallGuarded([b] { b->Click(); });
        },
        Qt::QueuedConnection);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    const TbsSkinStdButtonObject* b = Button();
    if (name != pressAction() || !b || b->Command != cmSysMenu) return {};
    return {QString::fromLatin1(kSystemMenuKeyText)};
  }

 private:
  QPointer<TbsSkinFrame> FFrame;
  std::string FIDName;
};

// A form: its widgets, the frame's caption buttons, the menus open for it.
class TbsAccessibleForm : public QAccessibleWidget {
 public:
  explicit TbsAccessibleForm(TForm* form) : QAccessibleWidget(form, QAccessible::Window) {}
  ~TbsAccessibleForm() override {
    for (const auto& [name, id] : FButtonIds) QAccessible::deleteAccessibleInterface(id);
  }

  TForm* Form() const { return static_cast<TForm*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return QString::fromStdString(Form()->Caption());
    return QAccessibleWidget::text(t);
  }

  // Widgets, caption buttons, open menus.
  int childCount() const override {
    return QAccessibleWidget::childCount() + int(CaptionButtons(FrameOf(Form())).size()) +
           int(OpenMenus(Form()).size());
  }
  QAccessibleInterface* child(int index) const override {
    if (index < 0) return nullptr;
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) return QAccessibleWidget::child(index);
    index -= widgets;
    TbsSkinFrame* frame = FrameOf(Form());
    const std::vector<TbsSkinStdButtonObject*> buttons = CaptionButtons(frame);
    if (index < int(buttons.size())) return ButtonInterface(frame, buttons[size_t(index)]->IDName);
    index -= int(buttons.size());
    const std::vector<TbsSkinPopupWindow*> menus = OpenMenus(Form());
    return index < int(menus.size()) ? QAccessible::queryAccessibleInterface(menus[size_t(index)]) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child) return -1;
    const int widgets = QAccessibleWidget::childCount();
    const std::vector<TbsSkinStdButtonObject*> buttons = CaptionButtons(FrameOf(Form()));
    if (const auto* button = dynamic_cast<const TbsAccessibleCaptionButton*>(child)) {
      for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i]->IDName == button->IDName()) return widgets + int(i);
      return -1;
    }
    const std::vector<TbsSkinPopupWindow*> menus = OpenMenus(Form());
    for (size_t i = 0; i < menus.size(); ++i)
      if (child->object() == menus[i]) return widgets + int(buttons.size()) + int(i);
    return QAccessibleWidget::indexOfChild(child);
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    TbsSkinFrame* frame = FrameOf(Form());
    for (TbsSkinStdButtonObject* b : CaptionButtons(frame)) {
      QAccessibleInterface* button = ButtonInterface(frame, b->IDName);
      if (b->Visible && button->rect().contains(x, y)) return button;
    }
    return QAccessibleWidget::childAt(x, y);
  }

 private:
  // One interface per button name, so a client's reference stays good
  // across skin changes; made again only for another frame.
  QAccessibleInterface* ButtonInterface(TbsSkinFrame* frame, const std::string& idName) const {
    if (auto found = FButtonIds.find(idName); found != FButtonIds.end()) {
      QAccessibleInterface* known = QAccessible::accessibleInterface(found->second);
      if (known && known->isValid()) return known;
      if (known) QAccessible::deleteAccessibleInterface(found->second);
    }
    auto* button = new TbsAccessibleCaptionButton(frame, idName);
    FButtonIds[idName] = QAccessible::registerAccessibleInterface(button);
    return button;
  }

  mutable std::map<std::string, QAccessible::Id> FButtonIds;
};

// One row of an open popup menu: a command, a separator or the item of a
// submenu. Lives as long as its popup window's interface.
class TbsAccessibleMenuItem : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  TbsAccessibleMenuItem(TbsSkinPopupWindow* window, int index) : FWindow(window), FIndex(index) {}

  const TbsSkinMenuItem* Item() const {
    return FWindow && FIndex < FWindow->ItemCount() ? &FWindow->Item(FIndex) : nullptr;
  }
  // The popup of this item's submenu while it is open.
  TbsSkinPopupWindow* SubMenu() const {
    const TbsSkinMenuItem* item = Item();
    if (!item || !item->MenuItem() || !FWindow->Menu()) return nullptr;
    TbsSkinPopupWindow* next = FWindow->Menu()->Window(FWindow->Level() + 1);
    return next && next->ParentItem() == item->MenuItem() ? next : nullptr;
  }

  bool isValid() const override { return Item() && Item()->MenuItem(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return FWindow ? FWindow->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return FWindow ? QAccessible::queryAccessibleInterface(FWindow.data()) : nullptr;
  }
  int childCount() const override { return SubMenu() ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    TbsSkinPopupWindow* sub = index == 0 ? SubMenu() : nullptr;
    return sub ? QAccessible::queryAccessibleInterface(sub) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    TbsSkinPopupWindow* sub = SubMenu();
    return sub && child && child->object() == sub ? 0 : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QAccessibleInterface* sub = child(0);
    return sub && sub->rect().contains(x, y) ? sub : nullptr;
  }

  QString text(QAccessible::Text t) const override {
    const TbsSkinMenuItem* item = Item();
    if (!item || !item->MenuItem() || item->IsLine()) return {};
    switch (t) {
      case QAccessible::Name: return Shown(item->Caption());
      case QAccessible::Accelerator: return QString::fromStdString(item->MenuItem()->ShortCutText());
      case QAccessible::Help: return QString::fromStdString(item->MenuItem()->Hint());
      default: return {};
    }
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    const TRect r = FWindow ? FWindow->ItemScreenRect(FIndex) : TRect{};
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
  }
  QAccessible::Role role() const override {
    const TbsSkinMenuItem* item = Item();
    return item && item->IsLine() ? QAccessible::Separator : QAccessible::MenuItem;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    const TbsSkinMenuItem* item = Item();
    if (!item || !item->MenuItem()) {
      s.invalid = true;
      return s;
    }
    const TMenuItem& menuItem = *item->MenuItem();
    s.disabled = !item->Enabled();
    s.focusable = item->Selectable();
    s.focused = item->Highlighted;
    s.hotTracked = item->Highlighted;
    s.checkable = menuItem.Checkable();
    s.checked = menuItem.Checked();
    s.hasPopup = item->HasSubItems();
    s.expanded = SubMenu() != nullptr;
    s.offscreen = !item->Visible;  // scrolled out of a long menu
    s.invisible = !FWindow->isVisible();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override {
    const TbsSkinMenuItem* item = Item();
    if (!item || !item->Selectable()) return {};
    const TMenuItem& menuItem = *item->MenuItem();
    if (menuItem.Checkable()) return {pressAction(), toggleAction()};
    return {pressAction()};
  }
  void doAction(const QString& name) override {
    if ((name != pressAction() && name != toggleAction()) || !FWindow) return;
    // After the client's call has returned: running the item frees this menu.
    QMetaObject::invokeMethod(
        FWindow.data(),
        [window = FWindow, index = FIndex] {
          if (!window || index >= window->ItemCount() || !window->Item(index).Selectable()) return;
          window->SetActiveItem(index);
          window->ExecuteActiveItem();
        },
        Qt::QueuedConnection);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    const TbsSkinMenuItem* item = Item();
    if (name != pressAction() || !item || !item->MenuItem() || item->MenuItem()->ShortCutText().empty()) return {};
    return {QString::fromStdString(item->MenuItem()->ShortCutText())};
  }

 private:
  QPointer<TbsSkinPopupWindow> FWindow;
  int FIndex;
};

// An open level of a menu. The first level is named by its controller's
// title, a submenu after its item; a submenu's parent is that item.
class TbsAccessiblePopupMenu : public QAccessibleWidget {
 public:
  explicit TbsAccessiblePopupMenu(TbsSkinPopupWindow* window) : QAccessibleWidget(window, QAccessible::PopupMenu) {}
  ~TbsAccessiblePopupMenu() override {
    for (QAccessible::Id id : FItemIds)
      if (id) QAccessible::deleteAccessibleInterface(id);
  }

  TbsSkinPopupWindow* Window() const { return static_cast<TbsSkinPopupWindow*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    if (Window()->Level() == 0) return Window()->Menu() ? QString::fromStdString(Window()->Menu()->Title()) : QString();
    const TMenuItem* parent = Window()->ParentItem();
    return parent ? Shown(parent->Caption()) : QString();
  }
  // The first level belongs to the window it serves; a submenu to its item.
  QAccessibleInterface* parent() const override {
    TbsSkinMenu* menu = Window()->Menu();
    if (!menu || !Window()->isVisible()) return QAccessibleWidget::parent();
    if (Window()->Level() == 0) {
      auto* form = qobject_cast<TForm*>(menu->Form());
      return form ? QAccessible::queryAccessibleInterface(form) : QAccessibleWidget::parent();
    }
    TbsSkinPopupWindow* above = menu->Window(Window()->Level() - 1);
    if (!above) return QAccessibleWidget::parent();
    for (int i = 0; i < above->ItemCount(); ++i)
      if (above->Item(i).MenuItem() == Window()->ParentItem())
        return QAccessible::queryAccessibleInterface(above)->child(i);
    return QAccessibleWidget::parent();
  }
  int childCount() const override { return Window()->ItemCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= Window()->ItemCount()) return nullptr;
    if (FItemIds.size() < size_t(Window()->ItemCount())) FItemIds.resize(size_t(Window()->ItemCount()), 0);
    QAccessible::Id& id = FItemIds[size_t(index)];
    if (QAccessibleInterface* known = id ? QAccessible::accessibleInterface(id) : nullptr) return known;
    auto* item = new TbsAccessibleMenuItem(Window(), index);
    id = QAccessible::registerAccessibleInterface(item);
    return item;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (size_t i = 0; i < FItemIds.size(); ++i)
      if (FItemIds[i] && QAccessible::accessibleInterface(FItemIds[i]) == child) return int(i);
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const int index = Window()->ItemAt(FromQPoint(Window()->mapFromGlobal(QPoint(x, y))));
    return index >= 0 ? child(index) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    const int active = Window()->ActiveItem();
    return active >= 0 ? child(active) : nullptr;
  }

 private:
  mutable std::vector<QAccessible::Id> FItemIds;  // 0: not asked for yet
};

QAccessibleInterface* FormFactory(const QString& key, QObject* object) {
  if (key == QLatin1String("TbsSkinPopupWindow"))
    if (auto* window = qobject_cast<TbsSkinPopupWindow*>(object)) return new TbsAccessiblePopupMenu(window);
  if (key == QLatin1String("TForm"))
    if (auto* form = qobject_cast<TForm*>(object)) return new TbsAccessibleForm(form);
  return nullptr;
}

}  // namespace

void InstallFormAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(FormFactory);
    QAccessible::installActivationObserver(&ClientWatch());
    return true;
  }();
  (void)installed;
}

bool AccessibleClientListens() { return QAccessible::isActive() || ClientWatch().Active; }

void SendAccessibleEvent(QAccessibleEvent& event) {
  if (EventWatch()) EventWatch()(event);
  QAccessible::updateAccessibility(&event);
}

void WatchSentAccessibleEvents(std::function<void(const QAccessibleEvent&)> watch) { EventWatch() = std::move(watch); }

void AdoptFormAccessibility(TForm* form) {
  InstallFormAccessibility();
  if (!AccessibleClientListens()) return;  // without a client nothing was cached
  QAccessibleInterface* known = QAccessible::queryAccessibleInterface(form);
  if (known && !dynamic_cast<TbsAccessibleForm*>(known))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}
