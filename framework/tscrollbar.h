// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain scroll bar that can stand outside the control it scrolls: Mirror
// follows that control's own bar (range, page, position) and drives it, and
// shows itself only while there is something to scroll.

#include <QScrollBar>

#include "framework/tcontrol.h"

enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TControl {
  Q_OBJECT
 public:
  explicit TScrollBar(TScrollBarKind kind, QWidget* parent = nullptr);

  TScrollBarKind Kind() const { return FKind; }
  int Position() const { return FBar->value(); }
  void SetPosition(int value) { FBar->setValue(value); }
  void SetParams(int position, int min, int max);
  int Min() const { return FBar->minimum(); }
  int Max() const { return FBar->maximum(); }

  // Keeps this bar in step with `source`, hiding it while `source` has no range.
  void Mirror(QScrollBar* source);

  TNotifyEvent OnChange;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  TScrollBarKind FKind;
  QScrollBar* FBar;
};
