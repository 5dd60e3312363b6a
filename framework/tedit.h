// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain one-line text field: text, selection, undo, clipboard, key events
// and the framework's character judgement (every character that gets in,
// however it comes, is offered to OnKeyPress first). Skinned edits build on
// it through the protected hooks.

#include <QLineEdit>
#include <QPointer>
#include <functional>
#include <string>

#include "framework/talignment.h"
#include "framework/tcontrol.h"

class TPopupMenu;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
// What the field asks of the input method when it takes the focus.
enum TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
                imSHanguel, imHanguel };
// A virtual key code (the platform's numbering: 13 Enter, 27 Escape, 46 Delete,
// 'A'..'Z', '0'..'9'); a handler that sets it to 0 keeps the key from the field.
using TKeyEvent = std::function<void(int& key, TShiftState shift)>;

constexpr int VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
                         VK_ESCAPE = 27, VK_SPACE = 32, VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38,
                         VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46, VK_APPS = 93, VK_F1 = 112;
// The virtual key of a Qt key; 0 for keys without one.
int VirtualKeyOf(int qtKey);

class TEdit : public TControl {
  Q_OBJECT
 public:
  explicit TEdit(QWidget* parent = nullptr);
  ~TEdit() override;

  std::string Text() const;
  void SetText(const std::string& value);
  TAlignment Alignment() const { return FAlignment; }
  virtual void SetAlignment(TAlignment value);
  // The platform edit's own read-only state.
  bool ReadOnly() const { return FEditor->isReadOnly(); }
  void SetReadOnly(bool value) { FEditor->setReadOnly(value); }
  // 0: as long as the platform allows (32767 characters).
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase value);
  // Focus that comes from another control (not a click) selects the whole text.
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  // Off: the selection stays when the focus leaves.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value) { FHideSelection = value; }
  // Kept for the layout; the field does not mask its input.
  const std::string& EditMask() const { return FEditMask; }
  void SetEditMask(const std::string& value) { FEditMask = value; }
  // imDisable keeps every input method out (typed keys only); the modes that
  // ask for native text drop any preference for Latin letters.
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode value);
  // The input method the layout names; kept only, since no desktop here
  // switches input methods by name.
  const std::string& ImeName() const { return FImeName; }
  void SetImeName(const std::string& value) { FImeName = value; }
  // Shown on a right click instead of the field's own menu; not owned.
  TPopupMenu* PopupMenu() const;
  void SetPopupMenu(TPopupMenu* value);

  // Selection, in characters.
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  std::string SelText() const;
  void SelectAll() { FEditor->selectAll(); }
  bool Focused() const { return FEditor->hasFocus(); }
  void SetFocus() { FEditor->setFocus(Qt::OtherFocusReason); }
  QLineEdit* Editor() const { return FEditor; }

  bool CanUndo() const;
  virtual void Undo();
  virtual void CutToClipboard();
  void CopyToClipboard();
  // Pastes the clipboard's text; every character goes through OnKeyPress
  // first, as if typed.
  virtual void PasteFromClipboard();
  // Deletes the selection.
  virtual void ClearSelection();

  // Whether text may go in now: enabled and not refusing edits.
  bool TakesEdits() const { return isEnabled() && !RefusesEdits(); }
  // Replaces characters [start, end) as selecting them and typing `text`
  // would: nothing while the field takes no edits, every character offered
  // to OnKeyPress first. How assistive technology edits the text, so what it
  // sets is what the user could have typed.
  void ReplaceAsTyped(int start, int end, const QString& text);

  // A line of text as a one-line field takes it: line breaks become spaces,
  // NUL and the other control characters go.
  static QString OneLine(const QString& text);

  TNotifyEvent OnChange;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;

 protected:
  void FontChanged() override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  // Where the platform edit lies; the whole control here.
  virtual QRect EditorRect() const { return rect(); }
  void UpdateEditorGeometry() { FEditor->setGeometry(EditorRect()); }
  virtual void UpdatePalette();
  // Text may not change (typing, pasting, dropping, cutting, undo).
  virtual bool RefusesEdits() const { return FEditor->isReadOnly(); }
  // A key press for the platform edit after OnKeyDown; true when the
  // control dealt with it and the platform edit must not see it.
  virtual bool FilterEditKey(QKeyEvent*) { return false; }
  // Focus events of the platform edit, before the framework's OnEnter / OnExit.
  virtual void EditorFocusIn(QFocusEvent*) {}
  virtual void EditorFocusOut(QFocusEvent*) {}
  // The field's own menu at a screen point (PopupMenu aside).
  virtual void ShowContextMenu(const QPoint& screenPoint);
  // The right click or the menu key: PopupMenu when assigned, else the field's
  // own; `keyboard` opens it at the field's centre.
  void ContextMenuRequested(const QPoint& screenPoint, bool keyboard);
  // Where a menu opened by the keyboard appears, in screen coordinates.
  virtual QPoint KeyboardMenuPoint() const;

 private:
  friend class TEditField;
  void PasteJudged(const QString& text);
  void ApplyCharCase();

  QLineEdit* FEditor = nullptr;
  TAlignment FAlignment = taLeftJustify;
  int FMaxLength = 0;
  TEditCharCase FCharCase = ecNormal;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  std::string FEditMask;
  TImeMode FImeMode = imDontCare;
  std::string FImeName;
  QPointer<TPopupMenu> FPopupMenu;
  int FKeyDepth = 0;  // >0 while a key press is being judged: a redelivered key is not judged again
};
