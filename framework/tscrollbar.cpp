// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tscrollbar.h"

#include "framework/handlerguard.h"

TScrollBar::TScrollBar(TScrollBarKind kind, QWidget* parent)
    : TControl(parent),
      FKind(kind),
      FBar(new QScrollBar(kind == sbVertical ? Qt::Vertical : Qt::Horizontal, this)) {
  FBar->setGeometry(rect());
  FBar->setFocusPolicy(Qt::NoFocus);
  ForwardEventsOf(FBar);
  connect(FBar, &QScrollBar::valueChanged, this, [this] {
    if (OnChange) CallGuarded(OnChange);
  });
}

void TScrollBar::SetParams(int position, int min, int max) {
  FBar->setRange(min, max);
  FBar->setValue(position);
}

void TScrollBar::Mirror(QScrollBar* source) {
  auto sync = [this, source] {
    FBar->setRange(source->minimum(), source->maximum());
    FBar->setPageStep(source->pageStep());
    FBar->setSingleStep(source->singleStep());
    FBar->setValue(source->value());
    SetVisible(source->maximum() > source->minimum());
  };
  connect(source, &QScrollBar::rangeChanged, this, sync);
  connect(source, &QScrollBar::valueChanged, FBar, &QScrollBar::setValue);
  connect(FBar, &QScrollBar::valueChanged, source, &QScrollBar::setValue);
  sync();
}

void TScrollBar::resizeEvent(QResizeEvent* event) {
  TControl::resizeEvent(event);
  FBar->setGeometry(rect());
}
