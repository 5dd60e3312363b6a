// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/thintwindow.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <cstdlib>

namespace {
constexpr int kTextMargin = 2;           // between the border and the text
constexpr int kSystemCursorHeight = 24;  // X's cursor size unless XCURSOR_SIZE says otherwise
constexpr int kMaxCursorHeight = 256;

int SystemCursorHeight() {
  const char* size = std::getenv("XCURSOR_SIZE");
  const int n = size ? std::atoi(size) : 0;
  return n > 0 && n <= kMaxCursorHeight ? n : kSystemCursorHeight;
}
}  // namespace

int CursorRowsBelowHotSpot(const QImage& cursor, const QPoint& hotSpot) {
  const QImage argb = cursor.convertToFormat(QImage::Format_ARGB32);
  for (int y = argb.height() - 1; y >= std::max(0, hotSpot.y()); --y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x)
      if (qAlpha(row[x]) != 0) return y - hotSpot.y() + 1;
  }
  return 0;
}

int HintCursorHeight() {
  QCursor cursor;
  if (const QCursor* over = QGuiApplication::overrideCursor()) cursor = *over;
  else if (QWidget* under = QApplication::widgetAt(QCursor::pos())) cursor = under->cursor();
  // Only a cursor made from a picture can be read; the shapes of the
  // window system cannot, and count as the system cursor height.
  const QPixmap picture = cursor.pixmap();
  if (picture.isNull()) return SystemCursorHeight();
  const int rows = CursorRowsBelowHotSpot(picture.toImage(), cursor.hotSpot());
  return rows > 0 ? rows : SystemCursorHeight();
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
