#include "framework/tbutton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "framework/tpanel.h"

TButton::TButton(QWidget* parent) : TControl(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
}

void TButton::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  update();
}

void TButton::SetGlyph(const TBitmap& value) {
  FGlyph = value;
  FGlyph.Transparent = true;
  update();
}

void TButton::SetDown(bool value) {
  if (FDown == value) return;
  FDown = value;
  update();
}

void TButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  TCanvas canvas(&painter);
  const TRect r{0, 0, width(), height()};
  canvas.Brush.Color = Color();
  canvas.FillRect(r);
  DrawBevel(canvas, r, FDown ? bvLowered : bvRaised);
  const int shift = FDown ? 1 : 0;
  canvas.Font = Font();
  const int textH = FCaption.empty() ? 0 : canvas.TextHeight(FCaption);
  const int glyphH = FGlyph.Empty() ? 0 : FGlyph.Height();
  int y = (height() - glyphH - textH) / 2 + shift;
  if (!FGlyph.Empty()) {
    canvas.Draw((width() - FGlyph.Width()) / 2 + shift, y, FGlyph);
    y += glyphH;
  }
  if (!FCaption.empty()) {
    canvas.Brush.Style = bsClear;
    canvas.TextOut((width() - canvas.TextWidth(FCaption)) / 2 + shift, y, FCaption);
  }
  if (hasFocus()) {
    canvas.Brush.Color = clBtnShadow;
    canvas.FrameRect(TRect{3, 3, width() - 3, height() - 3});
  }
}

void TButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    FTracking = true;
    SetDown(true);
  }
  TControl::mousePressEvent(event);
}

void TButton::mouseMoveEvent(QMouseEvent* event) {
  if (FTracking) SetDown(rect().contains(event->position().toPoint()));
  TControl::mouseMoveEvent(event);
}

void TButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    FTracking = false;
    SetDown(false);
  }
  TControl::mouseReleaseEvent(event);  // clicks when released over the button
}

void TButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    SetDown(true);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Click();
    return;
  }
  TControl::keyPressEvent(event);
}

void TButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && FDown) {
    SetDown(false);
    Click();
    return;
  }
  TControl::keyReleaseEvent(event);
}
