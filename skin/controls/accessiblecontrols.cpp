// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/accessiblecontrols.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <unordered_map>

#include "framework/acceltext.h"
#include "framework/handlerguard.h"
#include "framework/tapplication.h"
#include "framework/tedit.h"
#include "framework/tgroupbox.h"
#include "framework/thintwindow.h"
#include "skin/controls/tbslistbox.h"
#include "skin/controls/tbsskinbutton.h"
#include "skin/controls/tbsskincustomlistbox.h"
#include "skin/controls/tbsskinhint.h"
#include "skin/controls/tbsskinhintwindow.h"
#include "skin/controls/tbsskinlinklabel.h"
#include "skin/form/accessibleform.h"

namespace {

QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

void Send(QAccessibleEvent& event) { SendAccessibleEvent(event); }

// ---- Push button ------------------------------------------------------------

class TbsButtonAccessible : public QAccessibleWidget {
 public:
  explicit TbsButtonAccessible(TbsSkinButton* button) : QAccessibleWidget(button, QAccessible::PushButton) {}

  QString text(QAccessible::Text t) const override {
    const TbsSkinButton* b = Button();
    if (t == QAccessible::Name) return ToQ(AccessibleControlName(b, StripAccelerator(b->Caption())));
    // The hint says more when the name is something else (the rename button's "no files here").
    if (t == QAccessible::Description) {
      const QString hint = ToQ(TApplication::GetHint(b));
      return hint != text(QAccessible::Name) ? hint : QString();
    }
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (Button()->GroupIndex() != 0) {
      s.checkable = true;
      s.checked = Button()->Down();
    } else {
      s.pressed = Button()->Down();
    }
    return s;
  }

  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action != pressAction()) return QAccessibleWidget::doAction(action);
    // Called from the accessibility bus: an error of the handler ends here, shown as a click's would be.
    CallGuarded([this] { Button()->Press(); });
  }

  QStringList keyBindingsForAction(const QString& action) const override {
    if (action == pressAction() && Button()->CanFocused()) return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(action);
  }

 private:
  TbsSkinButton* Button() const { return static_cast<TbsSkinButton*>(widget()); }
};

// ---- One-line field ---------------------------------------------------------

// The platform edit inside a field. Reading goes straight to it; every change
// of the text goes through the field, as typing would.
class TbsFieldAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
 public:
  TbsFieldAccessible(QLineEdit* editor, TEdit* owner)
      : QAccessibleWidget(editor, QAccessible::EditableText), FOwner(owner) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Editor()->text();
    if (t == QAccessible::Name && FOwner) return ToQ(FieldName());
    return QAccessibleWidget::text(t);
  }

  void setText(QAccessible::Text t, const QString& value) override {
    if (t != QAccessible::Value) return QAccessibleWidget::setText(t, value);
    replaceText(0, characterCount(), value);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    s.readOnly = !FOwner || !FOwner->TakesEdits();
    s.selectableText = true;
    return s;
  }

  // Text.
  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || !Editor()->hasSelectedText()) return;
    *start = Editor()->selectionStart();
    *end = *start + int(Editor()->selectedText().size());
  }
  int selectionCount() const override { return Editor()->hasSelectedText() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int index) override {
    if (index == 0) Editor()->deselect();
  }
  void setSelection(int index, int start, int end) override {
    if (index == 0) Editor()->setSelection(start, end - start);
  }
  int cursorPosition() const override { return Editor()->cursorPosition(); }
  void setCursorPosition(int position) override { Editor()->setCursorPosition(position); }
  QString text(int start, int end) const override { return Editor()->text().mid(start, end - start); }
  int characterCount() const override { return int(Editor()->text().size()); }
  QRect characterRect(int offset) const override {
    const QString content = Editor()->text();
    if (offset < 0 || offset >= content.size()) return {};
    const QFontMetrics fm(Editor()->font());
    const int left = TextStart() + fm.horizontalAdvance(content.left(offset));
    const QRect local(left, (Editor()->height() - fm.height()) / 2, fm.horizontalAdvance(content.at(offset)),
                      fm.height());
    return QRect(Editor()->mapToGlobal(local.topLeft()), local.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint local = Editor()->mapFromGlobal(point);
    if (!Editor()->rect().contains(local)) return -1;
    return std::min(Editor()->cursorPositionAt(local), characterCount() - 1);
  }
  void scrollToSubstring(int start, int end) override {
    Editor()->setCursorPosition(end);
    Editor()->setCursorPosition(start);
  }
  // One run of plain text: the field has no attributes of its own.
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

  // Editable text.
  void deleteText(int start, int end) override { Replace(start, end, QString()); }
  void insertText(int offset, const QString& typed) override { Replace(offset, offset, typed); }
  void replaceText(int start, int end, const QString& typed) override { Replace(start, end, typed); }

 private:
  QLineEdit* Editor() const { return static_cast<QLineEdit*>(widget()); }

  void Replace(int start, int end, const QString& typed) {
    if (FOwner) CallGuarded([&] { FOwner->ReplaceAsTyped(start, end, typed); });
  }

  // The field's own name, else the caption of the group it stands in, else its hint.
  std::string FieldName() const {
    if (!FOwner->accessibleName().isEmpty()) return FOwner->accessibleName().toStdString();
    for (QWidget* w = FOwner->parentWidget(); w; w = w->parentWidget())
      if (auto* group = qobject_cast<TGroupBox*>(w)) {
        if (!group->Caption().empty()) return StripAccelerator(group->Caption());
        break;
      }
    return TApplication::GetHint(FOwner);
  }

  // Where the text's first character starts: found from the edit's own
  // placing of the text (alignment and scrolling), as the point where the
  // caret moves past the middle of that character.
  int TextStart() const {
    const QString content = Editor()->text();
    if (content.isEmpty()) return 0;
    const int y = Editor()->height() / 2;
    int lo = -Editor()->width(), hi = Editor()->width();
    while (lo < hi) {
      const int mid = lo + (hi - lo) / 2;
      if (Editor()->cursorPositionAt(QPoint(mid, y)) >= 1)
        hi = mid;
      else
        lo = mid + 1;
    }
    return lo - QFontMetrics(Editor()->font()).horizontalAdvance(content.at(0)) / 2;
  }

  QPointer<TEdit> FOwner;
};

// ---- List and rows ----------------------------------------------------------

class TbsListAccessible;

// One row of a list: not a widget of its own, so the list's interface makes
// it and registers it, and it reads everything from the list as asked.
class TbsListRowAccessible : public TbsAccessibleLeaf {
 public:
  TbsListRowAccessible(TbsListBox* list, int index) : FList(list), FIndex(index) {}

  int Index() const { return FIndex; }

  bool isValid() const override { return FList && FIndex < FList->Count(); }
  QWindow* window() const override { return FList ? FList->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(FList.data()); }

  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    if (t == QAccessible::Name) return ToQ(FList->Items()[FIndex]);
    if (t == QAccessible::Description && FList->SkinBox && FList->SkinBox->OnItemDescription)
      return ToQ(FList->SkinBox->OnItemDescription(FIndex));
    return {};
  }

  QRect rect() const override {
    if (!isValid()) return {};
    const TRect r = FList->ItemRect(FIndex);
    return QRect(FList->mapToGlobal(QPoint(r.Left, r.Top)), QSize(r.Width(), r.Height()));
  }

  QAccessible::Role role() const override { return QAccessible::ListItem; }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.selectable = true;
    s.focusable = true;
    s.selected = FList->Selected(FIndex);
    s.focused = FList->hasFocus() && FList->ItemIndex() == FIndex;
    s.disabled = !FList->isEnabled();
    const TRect r = FList->ItemRect(FIndex);
    s.offscreen = r.Bottom <= 0 || r.Top >= FList->height() || r.Right <= 0 || r.Left >= FList->width();
    s.invisible = !FList->isVisible();
    return s;
  }

 private:
  QPointer<TbsListBox> FList;
  int FIndex;
};

class TbsListAccessible : public QAccessibleWidget {
 public:
  explicit TbsListAccessible(TbsListBox* list) : QAccessibleWidget(list, QAccessible::List) {}
  ~TbsListAccessible() override { ForgetRows(); }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    if (TbsSkinCustomListBox* frame = List()->SkinBox) return ToQ(AccessibleControlName(frame, frame->Caption()));
    return ToQ(AccessibleControlName(List(), std::string()));
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.multiSelectable = List()->MultiSelect();
    s.extSelectable = List()->MultiSelect() && List()->ExtendedSelect();
    return s;
  }

  int childCount() const override { return List()->Count(); }

  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= List()->Count()) return nullptr;
    auto found = FRows.find(index);
    if (found != FRows.end()) return QAccessible::accessibleInterface(found->second);
    auto* row = new TbsListRowAccessible(List(), index);
    FRows.emplace(index, QAccessible::registerAccessibleInterface(row));
    return row;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* row = dynamic_cast<const TbsListRowAccessible*>(child);
    return row && row->parent() == this ? row->Index() : -1;
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint p = List()->mapFromGlobal(QPoint(x, y));
    const int index = List()->ItemAtPos(TPoint{p.x(), p.y()});
    return index >= 0 ? child(index) : nullptr;
  }

  QAccessibleInterface* focusChild() const override {
    if (List()->hasFocus() && List()->ItemIndex() >= 0) return child(List()->ItemIndex());
    return QAccessibleWidget::focusChild();
  }

  // The rows stand for lines that are gone: their interfaces go with them.
  void ForgetRows() {
    for (const auto& [index, id] : FRows) QAccessible::deleteAccessibleInterface(id);
    FRows.clear();
  }

 private:
  TbsListBox* List() const { return static_cast<TbsListBox*>(widget()); }

  mutable std::unordered_map<int, QAccessible::Id> FRows;
};

// ---- Link -------------------------------------------------------------------

class TbsLinkAccessible : public QAccessibleWidget {
 public:
  explicit TbsLinkAccessible(TbsSkinLinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

  QString text(QAccessible::Text t) const override {
    const TbsSkinLinkLabel* l = Label();
    if (t == QAccessible::Name)
      return ToQ(AccessibleControlName(l, l->ShowAccelChar() ? StripAccelerator(l->Caption()) : l->Caption()));
    if (t == QAccessible::Value || t == QAccessible::Description) return ToQ(l->URL());
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.linked = true;
    return s;
  }

  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action != pressAction()) return QAccessibleWidget::doAction(action);
    CallGuarded([this] { Label()->Activate(); });
  }

  QStringList keyBindingsForAction(const QString& action) const override {
    if (action == pressAction()) return {QStringLiteral("Return")};
    return QAccessibleWidget::keyBindingsForAction(action);
  }

 private:
  TbsSkinLinkLabel* Label() const { return static_cast<TbsSkinLinkLabel*>(widget()); }
};

// ---- Hint -------------------------------------------------------------------

class TbsHintAccessible : public QAccessibleWidget {
 public:
  explicit TbsHintAccessible(THintWindow* hint) : QAccessibleWidget(hint, QAccessible::ToolTip) {}

  QAccessible::Role role() const override {
    const auto* skinned = qobject_cast<const TbsSkinHintWindow*>(widget());
    return skinned && skinned->Alert() ? QAccessible::AlertMessage : QAccessible::ToolTip;
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return ToQ(static_cast<const THintWindow*>(widget())->Caption());
    return QAccessibleWidget::text(t);
  }
};

// ---- Holders ----------------------------------------------------------------

// The frame around an inner control that carries the name (a field around its
// edit, a list box around its list): a plain container, so the name a client
// says once is not said again for the frame.
class TbsHolderAccessible : public QAccessibleWidget {
 public:
  explicit TbsHolderAccessible(QWidget* holder) : QAccessibleWidget(holder, QAccessible::Client) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name || t == QAccessible::Description) return {};
    return QAccessibleWidget::text(t);
  }
};

// ---- Factory ----------------------------------------------------------------

QAccessibleInterface* ControlsFactory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  if (className == QLatin1String("TbsSkinButton"))
    if (auto* button = qobject_cast<TbsSkinButton*>(object)) return new TbsButtonAccessible(button);
  if (className == QLatin1String("TbsListBox"))
    if (auto* list = qobject_cast<TbsListBox*>(object)) return new TbsListAccessible(list);
  if (className == QLatin1String("TbsSkinLinkLabel"))
    if (auto* label = qobject_cast<TbsSkinLinkLabel*>(object)) return new TbsLinkAccessible(label);
  if (className == QLatin1String("THintWindow"))
    if (auto* hint = qobject_cast<THintWindow*>(object)) return new TbsHintAccessible(hint);
  if (className == QLatin1String("TEdit") || className == QLatin1String("TbsSkinCustomListBox"))
    return new TbsHolderAccessible(static_cast<QWidget*>(object));
  // A field's platform edit is no class of ours: it is known by its owner.
  if (className == QLatin1String("QLineEdit"))
    if (auto* owner = qobject_cast<TEdit*>(object->parent()))
      if (owner->Editor() == object) return new TbsFieldAccessible(owner->Editor(), owner);
  return nullptr;
}

void SendFocusToRow(TbsListBox* list, int row) {
  QAccessibleEvent focus(list, QAccessible::Focus);
  focus.setChild(row);
  Send(focus);
}

}  // namespace

void InstallControlsAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ControlsFactory);
    InstallFormAccessibility();  // which also follows a client's coming and going
    return true;
  }();
  (void)installed;
}

std::string AccessibleControlName(const TControl* control, const std::string& caption) {
  if (!control->accessibleName().isEmpty()) return control->accessibleName().toStdString();
  if (!caption.empty()) return caption;
  return TApplication::GetHint(control);
}

void ListRowsChanged(TbsListBox* list) {
  if (!AccessibleClientListens()) return;
  if (auto* iface = dynamic_cast<TbsListAccessible*>(QAccessible::queryAccessibleInterface(list)))
    iface->ForgetRows();
  QAccessibleEvent reorder(list, QAccessible::ObjectReorder);
  Send(reorder);
}

void ListCurrentRowChanged(TbsListBox* list) {
  if (!AccessibleClientListens()) return;
  const int row = list->ItemIndex();
  if (row >= 0 && !list->MultiSelect()) {
    QAccessibleEvent selection(list, QAccessible::Selection);
    selection.setChild(row);
    Send(selection);
  } else {
    QAccessibleEvent selection(list, QAccessible::SelectionWithin);
    Send(selection);
  }
  if (row >= 0 && list->hasFocus()) SendFocusToRow(list, row);
}

void ListFocused(TbsListBox* list) {
  if (!AccessibleClientListens()) return;
  // Qt tells of the list's own focus after its focus-in event: the row's comes after that.
  QMetaObject::invokeMethod(
      list,
      [list] {
        if (list->hasFocus() && list->ItemIndex() >= 0) SendFocusToRow(list, list->ItemIndex());
      },
      Qt::QueuedConnection);
}

void HintShown(QWidget* hint) {
  if (!AccessibleClientListens()) return;
  // Qt tells of no tool-tip window that shows; a screen reader speaks it from this.
  QAccessibleEvent show(hint, QAccessible::ObjectShow);
  Send(show);
  QAccessibleEvent name(hint, QAccessible::NameChanged);
  Send(name);
  const auto* skinned = qobject_cast<const TbsSkinHintWindow*>(hint);
  if (skinned && skinned->Alert()) {
    QAccessibleEvent alert(hint, QAccessible::Alert);
    Send(alert);
  }
}
