#include "framework/tedit.h"

#include <QEvent>

TEdit::TEdit(QWidget* parent) : TControl(parent), FEditor(new QLineEdit(this)) {
  Font() = TFont("Arial", 14);
  SetColor(clWindow);
  FEditor->setGeometry(rect());
  setFocusProxy(FEditor);
  ForwardEventsOf(FEditor);
  connect(FEditor, &QLineEdit::textChanged, this, [this] {
    if (OnChange) OnChange();
  });
  FontChanged();
}

std::string TEdit::Text() const { return FEditor->text().toStdString(); }

void TEdit::SetText(const std::string& value) {
  const QString text = QString::fromUtf8(value.data(), qsizetype(value.size()));
  if (FEditor->text() == text) return;
  FEditor->setText(text);
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
  FEditor->setPalette(pal);
}

void TEdit::resizeEvent(QResizeEvent* event) {
  TControl::resizeEvent(event);
  FEditor->setGeometry(rect());
}

void TEdit::changeEvent(QEvent* event) {
  TControl::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) UpdatePalette();
}
