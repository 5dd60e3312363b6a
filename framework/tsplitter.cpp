// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tsplitter.h"

#include <QMouseEvent>
#include <QPainter>

#include "framework/tcanvas.h"
#include "framework/tpanel.h"

TSplitter::TSplitter(QWidget* parent) : TControl(parent) {
  SetCursor(crHSplit);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSplitter::SetBeveled(bool value) {
  if (FBeveled == value) return;
  FBeveled = value;
  update();
}

TControl* TSplitter::FindControl() const {
  TControl* p = ParentControl();
  if (!p) return nullptr;
  const QRect me = geometry();
  for (QObject* o : p->children()) {
    auto* c = qobject_cast<TControl*>(o);
    if (!c || c == this || c->isHidden() || c->Align() != Align()) continue;
    const QRect g = c->geometry();
    switch (Align()) {
      case alLeft: if (g.x() + g.width() == me.x()) return c; break;
      case alRight: if (g.x() == me.x() + me.width()) return c; break;
      case alTop: if (g.y() + g.height() == me.y()) return c; break;
      case alBottom: if (g.y() == me.y() + me.height()) return c; break;
      default: break;
    }
  }
  return nullptr;
}

int TSplitter::FarRoom() const {
  const TControl* p = ParentControl();
  if (!p) return 0;
  // Room on the far side: what the splitter's side has not claimed.
  const TRect client = p->ClientRect();
  int far = 0;
  switch (Align()) {
    case alLeft: far = client.Right - (x() + width()); break;
    case alRight: far = x() - client.Left; break;
    case alTop: far = client.Bottom - (y() + height()); break;
    case alBottom: far = y() - client.Top; break;
    default: break;
  }
  for (QObject* o : p->children()) {
    auto* c = qobject_cast<TControl*>(o);
    if (!c || c->isHidden()) continue;
    // Controls aligned to the opposite side are not free room.
    if (Align() == alLeft && c->Align() == alRight) far -= c->width();
    if (Align() == alRight && c->Align() == alLeft && c->x() > x()) far -= c->width();
    if (Align() == alTop && c->Align() == alBottom) far -= c->height();
    if (Align() == alBottom && c->Align() == alTop && c->y() > y()) far -= c->height();
  }
  return far;
}

int TSplitter::ClampedSize(int wanted) const {
  if (!FControl) return wanted;
  if (wanted < FMinSize && FAutoSnap) return 0;
  return std::max(FMinSize, std::min(wanted, std::max(FMinSize, FMaxSize)));
}

void TSplitter::ShowLine(int size) {
  if (!FLine) {
    FLine = new QWidget(parentWidget());
    FLine->setAutoFillBackground(true);
    QPalette pal = FLine->palette();
    pal.setColor(QPalette::Window, Qt::black);
    FLine->setPalette(pal);
  }
  const QRect c = FControl->geometry();
  QRect line;
  switch (Align()) {
    case alLeft: line = QRect(c.x() + size, y(), width(), height()); break;
    case alRight: line = QRect(c.x() + c.width() - size - width(), y(), width(), height()); break;
    case alTop: line = QRect(x(), c.y() + size, width(), height()); break;
    default: line = QRect(x(), c.y() + c.height() - size - height(), width(), height()); break;
  }
  FLine->setGeometry(line);
  FLine->show();
  FLine->raise();
}

void TSplitter::enterEvent(QEnterEvent* event) {
  // The split cursor points across the bar, whichever side it is aligned to.
  if (Cursor() == crHSplit && Horizontal()) SetCursor(crVSplit);
  else if (Cursor() == crVSplit && !Horizontal()) SetCursor(crHSplit);
  TControl::enterEvent(event);
}

void TSplitter::mousePressEvent(QMouseEvent* event) {
  TControl::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  FControl = FindControl();
  if (!FControl) return;
  const QPoint global = PixelAt(event->globalPosition());
  FDownPos = Horizontal() ? global.y() : global.x();
  FStartSize = Horizontal() ? FControl->height() : FControl->width();
  FNewSize = FStartSize;
  // Taken before the drag: a live drag moves the splitter and its far room.
  FMaxSize = FStartSize + FarRoom() - FMinSize;
  if (FResizeStyle == rsLine) ShowLine(FNewSize);
}

void TSplitter::mouseMoveEvent(QMouseEvent* event) {
  TControl::mouseMoveEvent(event);
  if (!FControl || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint global = PixelAt(event->globalPosition());
  int delta = (Horizontal() ? global.y() : global.x()) - FDownPos;
  if (Align() == alRight || Align() == alBottom) delta = -delta;
  int size = ClampedSize(FStartSize + delta);
  bool accept = true;
  if (OnCanResize) OnCanResize(size, accept);
  if (!accept || size == FNewSize) return;
  FNewSize = std::max(0, size);
  if (FResizeStyle == rsLine) ShowLine(FNewSize);
  else if (FResizeStyle == rsUpdate) ApplySize(FNewSize);
}

void TSplitter::mouseReleaseEvent(QMouseEvent* event) {
  TControl::mouseReleaseEvent(event);
  if (!FControl || event->button() != Qt::LeftButton) return;
  if (FLine) FLine->hide();
  ApplySize(FNewSize);
  FControl = nullptr;
  if (OnMoved) OnMoved();
}

void TSplitter::ApplySize(int size) {
  if (Horizontal()) FControl->SetHeight(size);
  else FControl->SetWidth(size);
}

void TSplitter::Paint(TCanvas& canvas) {
  const TRect r{0, 0, width(), height()};
  canvas.Brush.Color = Color();
  canvas.FillRect(r);
  if (FBeveled) {
    // A raised ridge along the bar, short of its ends.
    const TRect ridge = Horizontal() ? TRect{2, 1, r.Right - 2, r.Bottom - 1} : TRect{1, 2, r.Right - 1, r.Bottom - 2};
    DrawBevel(canvas, ridge, bvRaised);
  }
  if (OnPaint) OnPaint();
}

void TSplitter::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  QPainter painter(this);
  TCanvas canvas(&painter);
  Paint(canvas);
}
