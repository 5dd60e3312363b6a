// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tedit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScopeGuard>
#include <algorithm>
#include <memory>

#include "framework/handlerguard.h"
#include "framework/tpopupmenu.h"
#include "framework/tfontconfiguration.h"

namespace {
constexpr int kPlatformMaxLength = 32767;  // the longest text a one-line field holds
}  // namespace

int VirtualKeyOf(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<int>('A' + (qtKey - Qt::Key_A));
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<int>('0' + (qtKey - Qt::Key_0));
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<int>(VK_F1 + (qtKey - Qt::Key_F1));
  switch (qtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Menu: return VK_APPS;
    default: return 0;
  }
}

// The platform edit with every way text gets in without a key of its own
// (pasting by key, menu or middle button, dropping) led through the owner's
// character judgement; typed keys and input-method text are judged by the
// owner's event filter before they get here.
class TEditField : public QLineEdit {
 public:
  explicit TEditField(TEdit* owner) : QLineEdit(owner), FOwner(owner) {}

  // An input method asks the field whether to compose in it, and the line
  // edit says yes whenever it is editable; a field whose input method is
  // off must say no, or the method shows a preedit and candidates whose
  // choice the field then drops.
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
    if (query == Qt::ImEnabled && !testAttribute(Qt::WA_InputMethodEnabled)) return false;
    return QLineEdit::inputMethodQuery(query);
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->matches(QKeySequence::Paste)) {
      FOwner->PasteFromClipboard();
      e->accept();
      return;
    }
    if (e->matches(QKeySequence::Cut)) {
      FOwner->CutToClipboard();
      e->accept();
      return;
    }
    if (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo)) {
      if (FOwner->RefusesEdits()) {
        e->accept();
        return;
      }
    }
    QLineEdit::keyPressEvent(e);
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (e->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
      if (!FOwner->RefusesEdits()) {
        deselect();
        FOwner->PasteJudged(clipboard->text(QClipboard::Selection));
      }
      return;
    }
    QLineEdit::mouseReleaseEvent(e);
  }

  void contextMenuEvent(QContextMenuEvent* e) override {
    FOwner->ContextMenuRequested(e->globalPos(), e->reason() == QContextMenuEvent::Keyboard);
  }

  void focusInEvent(QFocusEvent* e) override {
    QLineEdit::focusInEvent(e);
    // The platform edit selects everything on Tab itself; the owner decides.
    const bool fromControl = e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason &&
                             e->reason() != Qt::MouseFocusReason;
    if (FOwner->AutoSelect() && fromControl)
      selectAll();
    else if (!FOwner->AutoSelect() && hasSelectedText() &&
             (e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason))
      deselect();
  }

  void focusOutEvent(QFocusEvent* e) override {
    const int start = selectionStart(), length = selectedText().size();
    QLineEdit::focusOutEvent(e);
    // The platform edit drops the selection when the focus moves on.
    if (!FOwner->HideSelection() && start >= 0 && !hasSelectedText()) setSelection(start, length);
  }

  void dragEnterEvent(QDragEnterEvent* e) override {
    if (FOwner->RefusesEdits()) return e->ignore();
    QLineEdit::dragEnterEvent(e);
  }

  void dropEvent(QDropEvent* e) override {
    if (FOwner->RefusesEdits()) return e->ignore();
    if (!e->mimeData()->hasText()) return QLineEdit::dropEvent(e);
    const QString text = e->mimeData()->text();
    const QString kept = FOwner->JudgeTyped(TEdit::OneLine(text));
    if (kept == text) return QLineEdit::dropEvent(e);
    if (kept.isEmpty()) {
      e->ignore();
      return;
    }
    QMimeData judged;
    judged.setText(kept);
    QDropEvent changed(e->position(), e->possibleActions(), &judged, e->buttons(), e->modifiers());
    changed.setDropAction(e->dropAction());
    QLineEdit::dropEvent(&changed);
    if (changed.isAccepted()) e->acceptProposedAction();
  }

 private:
  TEdit* FOwner;
};

TEdit::TEdit(QWidget* parent) : TControl(parent) {
  // The font first: the field is born in it instead of laying its text out
  // in the default control font once only to lay it out again.
  Font() = TFont("Arial", 14);
  TFontConfiguration::Wait();  // the field lays out its text as it is made
  FEditor = new TEditField(this);
  SetColor(clWindow);
  FEditor->setGeometry(rect());
  FEditor->setMaxLength(kPlatformMaxLength);
  setFocusProxy(FEditor);
  ForwardEventsOf(FEditor);
  // Emitted from inside the platform edit's own key handling.
  connect(FEditor, &QLineEdit::textChanged, this, [this] {
    ApplyCharCase();
    if (OnChange) CallGuarded(OnChange);
  });
  FontChanged();
}

TEdit::~TEdit() = default;

std::string TEdit::Text() const { return FEditor->text().toStdString(); }

void TEdit::SetText(const std::string& value) {
  const QString text = QString::fromUtf8(value.data(), qsizetype(value.size()));
  if (FEditor->text() == text) return;
  FEditor->setText(text);
}

void TEdit::SetMaxLength(int value) {
  if (FMaxLength == value) return;
  FMaxLength = value;
  FEditor->setMaxLength(value > 0 ? std::min(value, kPlatformMaxLength) : kPlatformMaxLength);
}

void TEdit::SetCharCase(TEditCharCase value) {
  if (FCharCase == value) return;
  FCharCase = value;
  ApplyCharCase();
}

void TEdit::ApplyCharCase() {
  if (FCharCase == ecNormal) return;
  const QString text = FEditor->text();
  const QString cased = FCharCase == ecUpperCase ? text.toUpper() : text.toLower();
  if (cased == text) return;
  const int cursor = FEditor->cursorPosition();
  FEditor->setText(cased);  // comes back here once, with nothing left to change
  FEditor->setCursorPosition(cursor);
}

void TEdit::SetImeMode(TImeMode value) {
  if (FImeMode == value) return;
  FImeMode = value;
  FEditor->setAttribute(Qt::WA_InputMethodEnabled, value != imDisable);
  Qt::InputMethodHints hints = FEditor->inputMethodHints() & ~(Qt::ImhPreferLatin | Qt::ImhLatinOnly);
  if (value == imAlpha || value == imSAlpha) hints |= Qt::ImhPreferLatin;
  FEditor->setInputMethodHints(hints);
}

TPopupMenu* TEdit::PopupMenu() const { return FPopupMenu.data(); }
void TEdit::SetPopupMenu(TPopupMenu* value) { FPopupMenu = value; }

int TEdit::SelStart() const {
  return FEditor->hasSelectedText() ? FEditor->selectionStart() : FEditor->cursorPosition();
}

void TEdit::SetSelStart(int value) {
  FEditor->deselect();
  FEditor->setCursorPosition(value);
}

int TEdit::SelLength() const { return int(FEditor->selectedText().size()); }

void TEdit::SetSelLength(int value) { FEditor->setSelection(SelStart(), value); }

std::string TEdit::SelText() const { return FEditor->selectedText().toStdString(); }

bool TEdit::CanUndo() const { return FEditor->isUndoAvailable(); }

void TEdit::Undo() {
  if (!RefusesEdits()) FEditor->undo();
}

void TEdit::CutToClipboard() {
  if (RefusesEdits() || !FEditor->hasSelectedText()) return;
  FEditor->copy();
  FEditor->del();
}

void TEdit::CopyToClipboard() { FEditor->copy(); }

void TEdit::ClearSelection() {
  if (!RefusesEdits() && FEditor->hasSelectedText()) FEditor->del();
}

void TEdit::PasteFromClipboard() {
  if (!RefusesEdits()) PasteJudged(QGuiApplication::clipboard()->text());
}

QString TEdit::OneLine(const QString& text) {
  QString line;
  line.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;  // CR LF is one break
      line += u' ';
    } else if (c.unicode() >= 0x20 && c.unicode() != 0x7F) {
      line += c;
    }
  }
  return line;
}

void TEdit::ReplaceAsTyped(int start, int end, const QString& text) {
  if (!TakesEdits()) return;
  const int length = int(FEditor->text().size());
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  if (end > start) {
    FEditor->setSelection(start, end - start);
  } else {
    FEditor->deselect();
    FEditor->setCursorPosition(start);
  }
  PasteJudged(text);
}

void TEdit::PasteJudged(const QString& pasted) {
  // Only as much as the field can hold is judged: a huge clipboard costs no
  // more than a full field (twice as much is read, as a CR LF makes one space).
  const QString line = OneLine(pasted.left(qsizetype(FEditor->maxLength()) * 2));
  const QString kept = JudgeTyped(line.left(FEditor->maxLength()));
  // Text the handler dropped whole leaves the field as it was, as a swallowed
  // key does; an empty clipboard still replaces a selection, as the platform's paste does.
  if (kept.isEmpty() && (!pasted.isEmpty() || !FEditor->hasSelectedText())) return;
  FEditor->insert(kept);
}

void TEdit::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  const Qt::Alignment h = value == taCenter ? Qt::AlignHCenter
                          : value == taRightJustify ? Qt::AlignRight
                                                    : Qt::AlignLeft;
  FEditor->setAlignment(h | Qt::AlignVCenter);
}

void TEdit::FontChanged() {
  TControl::FontChanged();
  if (!FEditor) return;  // still being made
  FEditor->setFont(Font().ToQFont());
  UpdatePalette();
}

void TEdit::UpdatePalette() {
  QPalette pal = FEditor->palette();
  pal.setColor(QPalette::Base, ToQColor(Color()));
  pal.setColor(QPalette::Active, QPalette::Text, ToQColor(Font().Color()));
  pal.setColor(QPalette::Inactive, QPalette::Text, ToQColor(Font().Color()));
  // A disabled field shows its text in the font colour it was given (grey text).
  pal.setColor(QPalette::Disabled, QPalette::Text, ToQColor(Font().Color()));
  pal.setColor(QPalette::Highlight, ToQColor(clHighlight));
  pal.setColor(QPalette::HighlightedText, ToQColor(clHighlightText));
  FEditor->setPalette(pal);
}

void TEdit::resizeEvent(QResizeEvent* event) {
  TControl::resizeEvent(event);
  UpdateEditorGeometry();
}

void TEdit::changeEvent(QEvent* event) {
  TControl::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) UpdatePalette();
}

void TEdit::keyPressEvent(QKeyEvent* event) {
  // A key the platform edit left comes up from it, judged there already:
  // it goes on to the parent as it is.
  event->ignore();
}

void TEdit::ContextMenuRequested(const QPoint& screenPoint, bool keyboard) {
  const QPoint at = keyboard ? KeyboardMenuPoint() : screenPoint;
  if (TPopupMenu* menu = FPopupMenu.data()) {
    menu->SetPopupComponent(this);
    menu->Popup(at.x(), at.y());
    return;
  }
  ShowContextMenu(at);
}

QPoint TEdit::KeyboardMenuPoint() const { return mapToGlobal(QPoint(width() / 2, height() / 2)); }

void TEdit::ShowContextMenu(const QPoint& screenPoint) {
  std::unique_ptr<QMenu> menu(FEditor->createStandardContextMenu());
  // The platform's menu names its paste command only by its (translated) text.
  const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
  for (QAction* action : menu->actions()) {
    if (action->text().section(QLatin1Char('\t'), 0, 0) != pasteText) continue;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, [this] { PasteFromClipboard(); });
  }
  menu->exec(screenPoint);
}

static bool OpensContextMenu(const QKeyEvent* e) {
  return (e->key() == Qt::Key_Menu && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) ||
         (e->key() == Qt::Key_F10 && (e->modifiers() & Qt::ShiftModifier));
}

bool TEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FEditor) return TControl::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress: {
      // A key the judgement changed comes back once more for the platform edit.
      if (FKeyDepth > 0) return TControl::eventFilter(watched, event);
      ++FKeyDepth;
      const auto done = qScopeGuard([this] { --FKeyDepth; });
      auto* key = static_cast<QKeyEvent*>(event);
      const bool dialogTab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                             !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
      if (int vk = VirtualKeyOf(key->key()); OnKeyDown && vk != 0 && !dialogTab) {
        const TShiftState shift = ShiftStateOf(key->modifiers(), Qt::NoButton);
        // A handler that cleared the key (or failed) keeps it from the field.
        if (!CallGuarded([&] { OnKeyDown(vk, shift); }) || vk == 0) return true;
      }
      if (OpensContextMenu(key)) {
        ContextMenuRequested({}, true);
        return true;
      }
      if (FilterEditKey(key)) return true;
      return TControl::eventFilter(watched, event);
    }
    case QEvent::KeyRelease:
      if (OnKeyUp) {
        auto* key = static_cast<QKeyEvent*>(event);
        int vk = VirtualKeyOf(key->key());
        if (vk != 0) CallGuarded([&] { OnKeyUp(vk, ShiftStateOf(key->modifiers(), Qt::NoButton)); });
      }
      return TControl::eventFilter(watched, event);
    case QEvent::InputMethod:
      if (RefusesEdits()) {
        auto* im = static_cast<QInputMethodEvent*>(event);
        if (!im->commitString().isEmpty()) im->setCommitString({}, im->replacementStart(), im->replacementLength());
      }
      return TControl::eventFilter(watched, event);
    case QEvent::FocusIn:
      EditorFocusIn(static_cast<QFocusEvent*>(event));
      return TControl::eventFilter(watched, event);
    case QEvent::FocusOut:
      EditorFocusOut(static_cast<QFocusEvent*>(event));
      return TControl::eventFilter(watched, event);
    default:
      return TControl::eventFilter(watched, event);
  }
}
