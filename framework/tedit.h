#pragma once
// A plain one-line text field.

#include <QLineEdit>
#include <string>

#include "framework/talignment.h"
#include "framework/tcontrol.h"


class TEdit : public TControl {
  Q_OBJECT
 public:
  explicit TEdit(QWidget* parent = nullptr);

  std::string Text() const;
  void SetText(const std::string& value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  bool ReadOnly() const { return FEditor->isReadOnly(); }
  void SetReadOnly(bool value) { FEditor->setReadOnly(value); }
  void SelectAll() { FEditor->selectAll(); }
  void SetFocus() { FEditor->setFocus(Qt::OtherFocusReason); }
  QLineEdit* Editor() const { return FEditor; }
  // Pastes the clipboard's text; every character goes through OnKeyPress
  // first, as if typed.
  void PasteFromClipboard();

  TNotifyEvent OnChange;

 protected:
  void FontChanged() override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class TEditField;
  void UpdatePalette();
  void PasteJudged(const QString& text);

  QLineEdit* FEditor;
  TAlignment FAlignment = taLeftJustify;
};
