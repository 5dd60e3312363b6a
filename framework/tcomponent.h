// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The root of non-visual components. The owner is the Qt parent and frees the
// component; references between components are QPointers, so they clear
// themselves when the component they point to goes.

#include <QObject>
#include <string>

enum TComponentStateFlag : unsigned { csLoading = 1, csDesigning = 2, csDestroying = 4 };
using TComponentState = unsigned;

class TComponent : public QObject {
  Q_OBJECT
 public:
  explicit TComponent(QObject* owner = nullptr);
  ~TComponent() override;

  QObject* Owner() const { return parent(); }
  std::string Name() const { return objectName().toStdString(); }
  void SetName(const std::string& name) { setObjectName(QString::fromStdString(name)); }
  TComponentState ComponentState() const { return FComponentState; }

  // The stored layout has been read and references resolved.
  void BeginLoading() { FComponentState |= csLoading; }
  void EndLoading();

 protected:
  virtual void Loaded() {}

 private:
  TComponentState FComponentState = 0;
};
