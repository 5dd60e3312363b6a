// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbscustomedit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "framework/handlerguard.h"
#include "framework/tform.h"
#include "skin/data/tbsresourcestrdata.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/tbsskinframe.h"
#include "skin/form/tbsskinpopupmenu.h"

namespace {
constexpr char kEscape = 27;
constexpr char kEnter = 13;

bool IsEnter(const QKeyEvent* e) {
  return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !(e->modifiers() & Qt::AltModifier);
}

bool IsEscape(const QKeyEvent* e) { return e->key() == Qt::Key_Escape && !(e->modifiers() & Qt::AltModifier); }

// Keys that change the text without typing a character of their own.
bool EditsWithoutCharacter(const QKeyEvent* e) {
  if (e->key() == Qt::Key_Delete || e->key() == Qt::Key_Backspace) return true;
  for (const auto kind : {QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo,
                          QKeySequence::Delete, QKeySequence::Backspace, QKeySequence::DeleteStartOfWord,
                          QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine,
                          QKeySequence::DeleteCompleteLine})
    if (e->matches(kind)) return true;
  return false;
}

// The keys a read-only field still obeys although they carry a control character.
bool ReadsOnly(const QKeyEvent* e) { return e->matches(QKeySequence::Copy) || e->matches(QKeySequence::SelectAll); }
}  // namespace

TbsCustomEdit::TbsCustomEdit(QWidget* parent) : TEdit(parent) {
  // Transparent text leaves old glyphs on the picture beneath unless the
  // whole field is drawn again after every change.
  QLineEdit* editor = Editor();
  connect(editor, &QLineEdit::textChanged, this, [this] { Invalidate(); });
  connect(editor, &QLineEdit::selectionChanged, this, [this] { Invalidate(); });
  connect(editor, &QLineEdit::cursorPositionChanged, this, [this] { Invalidate(); });
}

TbsCustomEdit::~TbsCustomEdit() = default;

void TbsCustomEdit::SetTextTransparent(bool value) {
  if (FTextTransparent == value) return;
  FTextTransparent = value;
  UpdatePalette();
  Invalidate();
}

void TbsCustomEdit::SetReadOnly(bool value) {
  if (FReadOnly == value) return;
  FReadOnly = value;
  Invalidate();
}

void TbsCustomEdit::Invalidate() {
  if (FTextTransparent) {
    // What shows through the text is the parent's: it paints first.
    if (QWidget* p = parentWidget()) p->update(geometry());
  }
  update();
}

void TbsCustomEdit::UpdatePalette() {
  TEdit::UpdatePalette();
  if (!FTextTransparent) return;
  QPalette pal = Editor()->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    pal.setColor(group, QPalette::Base, Qt::transparent);
  Editor()->setPalette(pal);
  Editor()->setAutoFillBackground(false);
}

void TbsCustomEdit::Undo() {
  TEdit::Undo();
  Invalidate();
}

void TbsCustomEdit::CutToClipboard() {
  TEdit::CutToClipboard();
  Invalidate();
}

void TbsCustomEdit::PasteFromClipboard() {
  TEdit::PasteFromClipboard();
  Invalidate();
}

void TbsCustomEdit::ClearSelection() {
  TEdit::ClearSelection();
  Invalidate();
}

bool TbsCustomEdit::FilterEditKey(QKeyEvent* key) {
  if (IsEnter(key)) {
    // Raised once; the text never sees Enter (nor does a default button beyond it).
    char c = kEnter;
    if (OnKeyPress) CallGuarded([&] { OnKeyPress(c); });
    Invalidate();
    return true;
  }
  if (IsEscape(key)) {
    int vk = VK_ESCAPE;
    char c = kEscape;  // what the handlers make of these copies has no effect
    if (OnKeyDown && !CallGuarded([&] { OnKeyDown(vk, 0); })) return true;
    if (OnKeyPress && !CallGuarded([&] { OnKeyPress(c); })) return true;
  }
  Invalidate();
  if (!FReadOnly) return false;
  if (ReadsOnly(key)) return false;
  return EditsWithoutCharacter(key) || !key->text().isEmpty();
}

void TbsCustomEdit::EditorFocusIn(QFocusEvent*) { Invalidate(); }
void TbsCustomEdit::EditorFocusOut(QFocusEvent*) { Invalidate(); }

void TbsCustomEdit::moveEvent(QMoveEvent* event) {
  TEdit::moveEvent(event);
  Invalidate();
}

bool TbsCustomEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Editor()) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
          FLeftButtonDown = true;
          Invalidate();
        }
        break;
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) FLeftButtonDown = false;
        break;
      case QEvent::MouseMove:
        if (FLeftButtonDown) Invalidate();  // selecting by dragging
        break;
      default:
        break;
    }
  }
  return TEdit::eventFilter(watched, event);
}

void TbsCustomEdit::contextMenuEvent(QContextMenuEvent* event) {
  // A right click on the border opens the same menu as one on the text.
  ContextMenuRequested(event->globalPos(), event->reason() == QContextMenuEvent::Keyboard);
}

TbsSkinFrame* TbsCustomEdit::FormSkinFrame() const {
  QWidget* form = window();
  if (!form) return nullptr;
  for (QObject* o : form->children())
    if (auto* frame = qobject_cast<TbsSkinFrame*>(o)) return frame;
  return nullptr;
}

std::string TbsCustomEdit::MenuText(const char* name) const {
  if (TbsSkinFrame* frame = FormSkinFrame())
    if (TbsSkinData* data = frame->SkinData())
      if (TbsResourceStrData* texts = data->ResourceStrData()) {
        std::string text = texts->LookupText(name);
        if (!text.empty()) return text;
      }
  return TbsResourceStrData::BuiltInText(name);
}

void TbsCustomEdit::FreeContextMenu() {
  // The menu may be inside its own command when this runs: it goes once that returns.
  if (TbsSkinPopupMenu* menu = FContextMenu.data()) {
    FContextMenu = nullptr;
    menu->CloseMenu();
    menu->deleteLater();
  }
}

void TbsCustomEdit::ShowContextMenu(const QPoint& screenPoint) {
  FreeContextMenu();
  auto* menu = new TbsSkinPopupMenu(this);
  FContextMenu = menu;
  menu->SetHostForm(window());
  menu->SetPopupComponent(this);
  if (TbsSkinFrame* frame = FormSkinFrame())
    menu->SetSkinData(frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData());

  QLineEdit* editor = Editor();
  const bool selected = editor->hasSelectedText();
  const int length = int(editor->text().size());
  const bool wholeSelected = SelStart() == 0 && SelLength() == length;  // an empty text counts as whole
  const bool clipboardText = !QGuiApplication::clipboard()->text().isEmpty();

  TMenuItem* items = menu->Items();
  auto add = [&](const char* name, const char* key, bool enabled, TNotifyEvent command) {
    TMenuItem* item = items->Add(name, MenuText(key), std::move(command));
    item->SetEnabled(enabled);
  };
  add("Undo", "EDIT_UNDO", CanUndo(), [this] { Undo(); });
  items->Add("N1", "-");
  add("Cut", "EDIT_CUT", selected && !FReadOnly, [this] { CutToClipboard(); });
  add("Copy", "EDIT_COPY", selected, [this] { CopyToClipboard(); });
  add("Paste", "EDIT_PASTE", clipboardText && !FReadOnly, [this] { PasteFromClipboard(); });
  add("Delete", "EDIT_DELETE", selected && !FReadOnly, [this] { ClearSelection(); });
  items->Add("N2", "-");
  add("SelectAll", "EDIT_SELECTALL", !wholeSelected, [this] {
    SelectAll();
    Invalidate();
  });
  menu->Popup(screenPoint.x(), screenPoint.y());
}

void TbsCustomEdit::WndProc(TMessage& message) {
  if (message.Msg == SkinMsgMenuCommand) {
    FreeContextMenu();
    return;
  }
  TEdit::WndProc(message);
}
