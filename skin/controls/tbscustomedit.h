// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The edit the skinned field stands on: the framework's edit with its text
// drawn over whatever lies beneath (transparent mode), a read-only mode of
// its own that still lets the user select and copy, Escape and Enter raised
// to the key handlers as the platform's dialogs expect (Enter never reaches
// the text), and a built-in skinned context menu.

#include <QPointer>

#include "framework/tedit.h"
#include "skin/form/tbsskinpopupmenu.h"

class TbsSkinFrame;

class TbsCustomEdit : public TEdit {
  Q_OBJECT
 public:
  explicit TbsCustomEdit(QWidget* parent = nullptr);
  ~TbsCustomEdit() override;

  bool TextTransparent() const { return FTextTransparent; }
  void SetTextTransparent(bool value);
  // Independent of the platform edit's read-only state: typing, Delete, cut,
  // paste, clear and undo change nothing; selecting, copying and moving the caret work.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  bool LeftButtonDown() const { return FLeftButtonDown; }
  // The built-in menu last opened; none once a command ran.
  TbsSkinPopupMenu* ContextMenu() const { return FContextMenu.data(); }

  // Repaints the field with whatever shows through its text.
  virtual void Invalidate();

  void Undo() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void ClearSelection() override;

  void WndProc(TMessage& message) override;

 protected:
  bool RefusesEdits() const override { return FReadOnly || TEdit::RefusesEdits(); }
  bool FilterEditKey(QKeyEvent* key) override;
  void ShowContextMenu(const QPoint& screenPoint) override;
  void UpdatePalette() override;
  void EditorFocusIn(QFocusEvent* event) override;
  void EditorFocusOut(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  // The skin frame of the field's form whose texts and look the menu takes; none without one.
  TbsSkinFrame* FormSkinFrame() const;

 private:
  void FreeContextMenu();
  // The built-in menu's text for a resource name, from the form's skin texts when present.
  std::string MenuText(const char* name) const;

  bool FTextTransparent = false;
  bool FReadOnly = false;
  bool FLeftButtonDown = false;
  QPointer<TbsSkinPopupMenu> FContextMenu;
};
