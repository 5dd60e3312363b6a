// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/accessibleapp.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include "app/tbatchstrip.h"
#include "framework/handlerguard.h"
#include "skin/form/accessibleform.h"

namespace {

QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

const char* const kCancelName = "取消";

// The cross at the strip's right end: part of the strip's picture, so an
// interface of its own that the strip's interface makes and registers.
class TBatchCancelAccessible : public TbsAccessibleLeaf, public QAccessibleActionInterface {
 public:
  explicit TBatchCancelAccessible(TBatchStrip* strip) : FStrip(strip) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  bool isValid() const override { return FStrip; }
  QWindow* window() const override { return FStrip ? FStrip->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(FStrip.data()); }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return ToQ(kCancelName);
    if (t == QAccessible::Accelerator) return QStringLiteral("Esc");
    return {};
  }
  QRect rect() const override {
    if (!FStrip) return {};
    const TRect r = FStrip->CancelRect();
    return QRect(FStrip->mapToGlobal(QPoint(r.Left, r.Top)), QSize(r.Width(), r.Height()));
  }
  QAccessible::Role role() const override { return QAccessible::PushButton; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!FStrip) {
      s.invalid = true;
      return s;
    }
    s.invisible = !FStrip->isVisible();
    s.disabled = !FStrip->isEnabled();
    return s;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    // The same as a press on the cross.
    if (action == pressAction() && FStrip && FStrip->OnCancel) CallGuarded(FStrip->OnCancel);
  }
  QStringList keyBindingsForAction(const QString& action) const override {
    return action == pressAction() ? QStringList{QStringLiteral("Escape")} : QStringList();
  }

 private:
  QPointer<TBatchStrip> FStrip;
};

class TBatchStripAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit TBatchStripAccessible(TBatchStrip* strip) : QAccessibleWidget(strip, QAccessible::ProgressBar) {}
  ~TBatchStripAccessible() override {
    if (FCancel) QAccessible::deleteAccessibleInterface(FCancel);
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return ToQ(Strip()->Title());
    if (t == QAccessible::Value)
      return QString::number(qulonglong(Strip()->Done())) + QStringLiteral(" / ") +
             QString::number(qulonglong(Strip()->Total()));
    return QAccessibleWidget::text(t);
  }

  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    if (index != 0) return nullptr;
    if (!FCancel) FCancel = QAccessible::registerAccessibleInterface(new TBatchCancelAccessible(Strip()));
    return QAccessible::accessibleInterface(FCancel);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return FCancel && child == QAccessible::accessibleInterface(FCancel) ? 0 : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QAccessibleInterface* cancel = child(0);
    return cancel->rect().contains(x, y) ? cancel : nullptr;
  }

  // Value: files done of the batch's files.
  QVariant currentValue() const override { return qulonglong(Strip()->Done()); }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return qulonglong(Strip()->Total()); }
  QVariant minimumValue() const override { return qulonglong(0); }
  QVariant minimumStepSize() const override { return qulonglong(1); }

 private:
  TBatchStrip* Strip() const { return static_cast<TBatchStrip*>(widget()); }

  mutable QAccessible::Id FCancel = 0;
};

QAccessibleInterface* AppFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("TBatchStrip"))
    if (auto* strip = qobject_cast<TBatchStrip*>(object)) return new TBatchStripAccessible(strip);
  return nullptr;
}

}  // namespace

void InstallAppAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(AppFactory);
    return true;
  }();
  (void)installed;
}
