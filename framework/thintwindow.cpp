#include "framework/thintwindow.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kTextMargin = 2;  // between the border and the text
}

THintWindow::THintWindow() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
  const QFontMetrics fm(FFont.ToQFont());
  const QRect text = fm.boundingRect(QRect(0, 0, maxWidth, 10000), Qt::TextWordWrap,
                                     QString::fromStdString(hint));
  return TRect{0, 0, text.width() + 2 * kTextMargin + 4, text.height() + 2};
}

void THintWindow::ActivateHint(const TRect& rect, const std::string& hint) {
  FCaption = hint;
  setGeometry(ToQRect(rect));
  show();
  raise();
  update();
}

void THintWindow::Paint(TCanvas& canvas) {
  const TRect r{0, 0, width(), height()};
  canvas.Brush.Color = clInfoBk;
  canvas.FillRect(r);
  canvas.Brush.Color = clBlack;
  canvas.FrameRect(r);
  QPainter& p = canvas.Painter();
  p.setFont(FFont.ToQFont());
  p.setPen(ToQColor(FFont.Color()));
  p.drawText(QRect(kTextMargin + 1, 1, width() - 2 * kTextMargin - 2, height() - 2),
             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, QString::fromStdString(FCaption));
}

void THintWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  TCanvas canvas(&painter);
  Paint(canvas);
}
