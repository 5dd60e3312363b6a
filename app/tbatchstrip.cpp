// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tbatchstrip.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include "app/accessibleapp.h"
#include "framework/tbitmap.h"
#include "framework/tcanvas.h"
#include "skin/form/accessibleform.h"
#include "skin/data/tbsdataskinlistbox.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/skinimage.h"

namespace {
constexpr int kCrossInset = 7;  // from the glyph square's edges to the cross
}  // namespace

TBatchStrip::TBatchStrip(QWidget* parent) : TControl(parent) {
  InstallAppAccessibility();
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::ArrowCursor);
}

void TBatchStrip::SetTitle(const std::string& value) {
  if (FTitle == value) return;
  FTitle = value;
  update();
}

void TBatchStrip::SetProgress(std::size_t done, std::size_t total) {
  if (FDone == done && FTotal == total) return;
  FDone = done;
  FTotal = total;
  update();
  if (AccessibleClientListens()) {
    QAccessibleValueChangeEvent event(this, qulonglong(done));
    SendAccessibleEvent(event);
  }
}

std::string TBatchStrip::Text() const {
  return FTitle + " " + std::to_string(FDone) + " / " + std::to_string(FTotal);
}

TRect TBatchStrip::CancelRect() const { return TRect{width() - kCancelWidth, 0, width(), height()}; }

int TBatchStrip::FilledWidth() const {
  const int bar = std::max(0, width() - kCancelWidth);
  if (FTotal == 0) return 0;
  return int(double(bar) * double(std::min(FDone, FTotal)) / double(FTotal));
}

void TBatchStrip::paintEvent(QPaintEvent*) {
  TBitmap strip;
  strip.SetSize(width(), height());
  TCanvas& c = strip.Canvas();
  const int filled = FilledWidth();
  TFont font("Arial", 14, 0, clBtnText);

  // The list record's rows, read at every paint so a skin change shows at once.
  const TbsDataSkinListBox* record = nullptr;
  TBitmap* picture = nullptr;
  if (FSkinData) {
    const int index = FSkinData->FindControlRecord("listbox");
    if (index != -1) record = dynamic_cast<const TbsDataSkinListBox*>(FSkinData->ControlRecords[size_t(index)].get());
    if (record) picture = FSkinData->ActivePicture(record->PictureIndex);
  }
  // The filled part wears the row the user sees selected: focused, else just selected.
  const TRect fill = record && !IsEmptyRect(record->FocusItemRect) ? record->FocusItemRect
                     : record                                       ? record->ActiveItemRect
                                                                    : TRect{};
  if (record && picture && !picture->Empty() && !IsEmptyRect(record->ItemRect) && !IsEmptyRect(fill)) {
    TBitmap track, bar;
    ComposeHorizontalSkinImage(record->ItemLeftOffset, record->ItemRightOffset, track, *picture, record->ItemRect,
                               width());
    ComposeHorizontalSkinImage(record->ItemLeftOffset, record->ItemRightOffset, bar, *picture, fill, width());
    c.StretchDraw(TRect{0, 0, width(), height()}, track);
    if (filled > 0)
      c.CopyRect(TRect{0, 0, filled, height()}, bar.Canvas(), TRect{0, 0, filled, bar.Height()});
    font = TFont(record->FontName, record->FontHeight > 0 ? record->FontHeight : 14, record->FontStyle,
                 record->FontColor);
  } else {
    c.Brush.Color = clBtnFace;
    c.FillRect(TRect{0, 0, width(), height()});
    c.Brush.Color = clHighlight;
    if (filled > 0) c.FillRect(TRect{0, 0, filled, height()});
    c.Brush.Color = clBtnShadow;
    c.FrameRect(TRect{0, 0, width(), height()});
  }

  c.Font = font;
  c.Brush.Style = bsClear;
  const std::string text = Text();
  const TRect bar{0, 0, width() - kCancelWidth, height()};
  c.TextRect(bar, (bar.Right - c.TextWidth(text)) / 2, (height() - c.TextHeight(text)) / 2, text);

  // The cancel glyph: a cross two pixels thick in the text colour.
  const TRect g = CancelRect();
  c.Pen.Color = font.Color();
  const int a = g.Left + kCrossInset, b = g.Right - kCrossInset;
  const int top = g.Top + (RectHeight(g) - (b - a)) / 2;
  for (int dx = 0; dx < 2; ++dx) {
    c.MoveTo(a + dx, top);
    c.LineTo(b + dx, top + (b - a));
    c.MoveTo(b - 1 + dx, top);
    c.LineTo(a - 1 + dx, top + (b - a));
  }
  c.Release();
  QPainter painter(this);
  painter.drawImage(0, 0, strip.Image());
}

void TBatchStrip::mousePressEvent(QMouseEvent* event) {
  const TPoint p = FromQPoint(event->position().toPoint());
  if (event->button() == Qt::LeftButton && PtInRect(CancelRect(), p) && OnCancel) {
    OnCancel();
    return;
  }
  TControl::mousePressEvent(event);
}
