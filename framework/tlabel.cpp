#include "framework/tlabel.h"

#include <QPainter>

#include "framework/tcanvas.h"
#include "platform/shellopen.h"

TLabel::TLabel(QWidget* parent) : TControl(parent) {}

void TLabel::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  AdjustBounds();
  update();
}

void TLabel::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  AdjustBounds();
}

void TLabel::FontChanged() {
  TControl::FontChanged();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || Align() != alNone) return;
  QImage probe(1, 1, QImage::Format_RGB32);
  TCanvas canvas(&probe);
  canvas.Font = Font();
  const std::string text = FCaption.empty() ? std::string(" ") : FCaption;
  SetBounds(Left(), Top(), canvas.TextWidth(text), canvas.TextHeight(text));
}

void TLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  TCanvas canvas(&painter);
  canvas.Font = Font();
  canvas.Font.SetColor(isEnabled() ? TextColor() : clGrayText);
  canvas.Brush.Style = bsClear;
  canvas.TextOut(0, 0, FCaption);
}

TLinkLabel::TLinkLabel(QWidget* parent) : TLabel(parent) {
  OpenAddress = [](const std::string& url) { return ShellOpen(url); };
}

void TLinkLabel::SetActiveFontColor(TColor value) {
  if (FActiveFontColor == value) return;
  FActiveFontColor = value;
  if (FActive) update();
}

void TLinkLabel::Click() {
  TLabel::Click();
  if (!FURL.empty() && OpenAddress) OpenAddress(FURL);
}

void TLinkLabel::enterEvent(QEnterEvent* event) {
  FActive = true;
  update();
  TLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event) {
  FActive = false;
  update();
  TLabel::leaveEvent(event);
}
