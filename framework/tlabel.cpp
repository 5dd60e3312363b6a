// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tlabel.h"

#include <QFontMetrics>
#include <QKeySequence>
#include <QPainter>
#include <QShortcut>
#include <cctype>

#include "framework/acceltext.h"
#include "framework/tcanvas.h"

TCustomLabel::TCustomLabel(QWidget* parent) : TControl(parent) {}

TCustomLabel::~TCustomLabel() { DropShortcut(); }

void TCustomLabel::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  UpdateShortcut();
  AdjustBounds();
  update();
}

void TCustomLabel::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  update();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  update();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (FWordWrap == value) return;
  FWordWrap = value;
  AdjustBounds();
  update();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (FShowAccelChar == value) return;
  FShowAccelChar = value;
  UpdateShortcut();
  AdjustBounds();
  update();
}

void TCustomLabel::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  update();
}

void TCustomLabel::SetFocusControl(TControl* value) {
  FFocusControl = value;
  UpdateShortcut();
}

void TCustomLabel::DropShortcut() {
  if (!FShortcut) return;
  // The window owns it; off at once, as it goes only when the loop runs.
  FShortcut->setEnabled(false);
  FShortcut->deleteLater();
  FShortcut = nullptr;
}

void TCustomLabel::UpdateShortcut() {
  const char accelerator = FShowAccelChar ? AcceleratorOf(FCaption) : '\0';
  if (!FFocusControl || !accelerator || !std::isalnum(static_cast<unsigned char>(accelerator))) {
    DropShortcut();
    return;
  }
  const QKeySequence keys(QKeyCombination(Qt::AltModifier, Qt::Key(std::toupper(accelerator))));
  if (!FShortcut) {
    FShortcut = new QShortcut(keys, window());
    QObject::connect(FShortcut, &QShortcut::activated, this, [this] {
      TControl* target = FFocusControl.data();
      if (target && isVisible() && target->isVisible() && target->isEnabled()) target->setFocus(Qt::ShortcutFocusReason);
    });
  }
  FShortcut->setKey(keys);
}

void TCustomLabel::FontChanged() {
  TControl::FontChanged();
  AdjustBounds();
}

unsigned TCustomLabel::DrawFlags() const {
  unsigned flags = 0;
  if (FWordWrap) flags |= tdWordBreak;
  if (!FShowAccelChar) flags |= tdNoPrefix;
  if (FAlignment == taCenter) flags |= tdCenter;
  if (FAlignment == taRightJustify) flags |= tdRight;
  return flags;
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || Align() != alNone || AlignDisabled()) return;
  QImage probe(1, 1, QImage::Format_RGB32);
  TCanvas canvas(&probe);
  TRect r{0, 0, Width(), 0};
  DoDrawText(canvas, r, (DrawFlags() | tdCalcRect) & ~(tdCenter | tdRight));
  const int left = FAlignment == taRightJustify ? Left() + Width() - r.Right : Left();
  SetBounds(left, Top(), r.Right, r.Bottom);
}

void TCustomLabel::DrawLabelText(TCanvas& canvas, TRect& rect, unsigned flags, const std::string& text) {
  const bool accel = !(flags & tdNoPrefix);
  const TBrushStyle brush = canvas.Brush.Style;
  canvas.Brush.Style = bsClear;  // text over whatever the label drew below it
  if (!(flags & tdWordBreak) && text.find('\n') == std::string::npos) {
    // One line: the shared caption routine, which underlines the marked letter.
    const int w = accel ? AccelTextWidth(canvas, text) : canvas.TextWidth(text);
    const int h = accel ? AccelTextHeight(canvas, text) : canvas.TextHeight(text);
    if (flags & tdCalcRect) {
      rect.Right = rect.Left + w;
      rect.Bottom = rect.Top + h;
    } else {
      const int x = flags & tdCenter ? rect.Left + (rect.Width() - w) / 2
                    : flags & tdRight ? rect.Right - w
                                      : rect.Left;
      if (accel) AccelTextOut(canvas, x, rect.Top, text);
      else canvas.TextOut(x, rect.Top, text);
    }
    canvas.Brush.Style = brush;
    return;
  }
  // Several lines, or wrapped: laid out as a block; the marks are taken out
  // (no letter is underlined across lines).
  int qtFlags = Qt::AlignTop;
  qtFlags |= flags & tdCenter ? Qt::AlignHCenter : flags & tdRight ? Qt::AlignRight : Qt::AlignLeft;
  if (flags & tdWordBreak) qtFlags |= Qt::TextWordWrap;
  const std::string shown = accel ? StripAccelerator(text) : text;
  const QString s = QString::fromUtf8(shown.data(), qsizetype(shown.size()));
  const QFont font = canvas.Font.ToQFont();
  if (flags & tdCalcRect) {
    const int wrapWidth = flags & tdWordBreak ? std::max(1, rect.Width()) : 0;
    const QRect used = QFontMetrics(font).boundingRect(QRect(rect.Left, rect.Top, wrapWidth, 0), qtFlags, s);
    rect.Right = rect.Left + used.width();
    rect.Bottom = rect.Top + used.height();
  } else {
    QPainter& p = canvas.Painter();
    p.setFont(font);
    p.setPen(ToQColor(canvas.Font.Color()));
    p.drawText(ToQRect(rect), qtFlags, s);
  }
  canvas.Brush.Style = brush;
}

std::string TCustomLabel::LabelText(unsigned flags) const {
  // An empty caption, or a lone accelerator mark, still measures one line.
  if ((flags & tdCalcRect) && (FCaption.empty() || (FShowAccelChar && FCaption == "&"))) return FCaption + ' ';
  return FCaption;
}

void TCustomLabel::DrawCaption(TCanvas& canvas, TRect& rect, unsigned flags, const std::string& text) const {
  if (Enabled() || (flags & tdCalcRect)) {
    DrawLabelText(canvas, rect, flags, text);
    return;
  }
  // Disabled: the text pressed into the face, a highlight below and right.
  TRect shifted{rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1};
  canvas.Font.SetColor(clBtnHighlight);
  DrawLabelText(canvas, shifted, flags, text);
  canvas.Font.SetColor(clBtnShadow);
  DrawLabelText(canvas, rect, flags, text);
}

void TCustomLabel::DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) {
  canvas.Font = Font();
  DrawCaption(canvas, rect, flags, LabelText(flags));
}

void TCustomLabel::Paint(TCanvas& canvas) {
  TRect r{0, 0, width(), height()};
  if (!FTransparent) {
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
  }
  const unsigned flags = DrawFlags();
  if (FLayout != tlTop) {
    TRect measured = r;
    DoDrawText(canvas, measured, flags | tdCalcRect);
    const int offset = FLayout == tlBottom ? r.Height() - measured.Height() : (r.Height() - measured.Height()) / 2;
    r.Top += offset;
    r.Bottom += offset;
  }
  DoDrawText(canvas, r, flags);
}

void TCustomLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  TCanvas canvas(&painter);
  Paint(canvas);
}
