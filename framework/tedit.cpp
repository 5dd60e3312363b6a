#include "framework/tedit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <memory>

#include "framework/handlerguard.h"

// The platform edit with every way text gets in without a key of its own
// (pasting by key, menu or middle button, dropping) led through the owner's
// character judgement; typed keys and input-method text are judged by the
// owner's event filter before they get here.
class TEditField : public QLineEdit {
 public:
  explicit TEditField(TEdit* owner) : QLineEdit(owner), FOwner(owner) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->matches(QKeySequence::Paste)) {
      if (!isReadOnly()) FOwner->PasteFromClipboard();
      e->accept();
      return;
    }
    QLineEdit::keyPressEvent(e);
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (e->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
      deselect();
      FOwner->PasteJudged(clipboard->text(QClipboard::Selection));
      return;
    }
    QLineEdit::mouseReleaseEvent(e);
  }

  void contextMenuEvent(QContextMenuEvent* e) override {
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // The platform's menu names its paste command only by its (translated) text.
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
      if (action->text().section(QLatin1Char('\t'), 0, 0) != pasteText) continue;
      disconnect(action, &QAction::triggered, nullptr, nullptr);
      connect(action, &QAction::triggered, FOwner, [this] { FOwner->PasteFromClipboard(); });
    }
    menu->exec(e->globalPos());
  }

  void dropEvent(QDropEvent* e) override {
    if (!e->mimeData()->hasText() || isReadOnly()) return QLineEdit::dropEvent(e);
    const QString text = e->mimeData()->text();
    const QString kept = FOwner->JudgeTyped(text);
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

TEdit::TEdit(QWidget* parent) : TControl(parent), FEditor(new TEditField(this)) {
  Font() = TFont("Arial", 14);
  SetColor(clWindow);
  FEditor->setGeometry(rect());
  setFocusProxy(FEditor);
  ForwardEventsOf(FEditor);
  // Emitted from inside the platform edit's own key handling.
  connect(FEditor, &QLineEdit::textChanged, this, [this] {
    if (OnChange) CallGuarded(OnChange);
  });
  FontChanged();
}

std::string TEdit::Text() const { return FEditor->text().toStdString(); }

void TEdit::SetText(const std::string& value) {
  const QString text = QString::fromUtf8(value.data(), qsizetype(value.size()));
  if (FEditor->text() == text) return;
  FEditor->setText(text);
}

void TEdit::PasteFromClipboard() { PasteJudged(QGuiApplication::clipboard()->text()); }

void TEdit::PasteJudged(const QString& text) {
  const QString kept = JudgeTyped(text);
  // Text the handler dropped whole leaves the field as it was, as a swallowed
  // key does; an empty clipboard still replaces a selection, as the platform's paste does.
  if (kept.isEmpty() && (!text.isEmpty() || !FEditor->hasSelectedText())) return;
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
