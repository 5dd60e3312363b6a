// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskincustomlistbox.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <algorithm>
#include <climits>

#include "skin/data/tbsdataskinlistbox.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/defaultlook.h"
#include "skin/draw/skinimage.h"
#include "framework/handlerguard.h"

namespace {

constexpr int kDefaultBarThickness = 19;  // bars of the default look, and the "both" corner
constexpr int kNewBarWidth = 20;           // a bar's size before the layout places it
constexpr int kNewBarHeight = 100;
constexpr int kMaxDefaultButtonSize = 17;  // caption buttons of the default look
constexpr int kCheckGlyphInset = 4;        // the check mark's offset inside its button

// A dotted focus frame: every other pixel of the outline inverted, starting
// at the top-left, so drawing it twice takes it away again.
void DrawFocusFrame(QImage& image, const TRect& r) {
  auto invert = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return;
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    row[x] = (row[x] ^ 0x00FFFFFF) | 0xFF000000;
  };
  int k = 0;
  for (int x = r.Left; x < r.Right; ++x, ++k)
    if (k % 2 == 0) invert(x, r.Top);
  for (int y = r.Top + 1; y < r.Bottom; ++y, ++k)
    if (k % 2 == 0) invert(r.Right - 1, y);
  for (int x = r.Right - 2; x >= r.Left; --x, ++k)
    if (k % 2 == 0) invert(x, r.Bottom - 1);
  for (int y = r.Bottom - 2; y > r.Top; --y, ++k)
    if (k % 2 == 0) invert(r.Left, y);
}

}  // namespace

TbsSkinCustomListBox::TbsSkinCustomListBox(QWidget* parent)
    : TbsSkinCustomControl(parent), FInnerList(new TbsListBox(this)), FRepeatTimer(this) {
  FRepeatTimer.setObjectName("RepeatTimer");
  connect(&FRepeatTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { RepeatTick(); }); });
  Font() = TFont("Arial", 14, 0, clWindowText);
  FInnerList->SkinBox = this;
  FInnerList->SetItemHeight(FDefaultItemHeight);
  FInnerList->Font() = TFont("Arial", 14, 0, clWindowText);
  FInnerList->show();
  // Hints and the focus reach the list through the frame.
  setFocusProxy(FInnerList);
  FDefaultCaptionFont.OnChange = [this] {
    if (FSkinIndex == -1 && FCaptionMode) update();
  };
  resize(120, 120);
  SetSkinDataName("listbox");
  AdjustLayout();
}

TbsSkinCustomListBox::~TbsSkinCustomListBox() {
  FDefaultCaptionFont.OnChange = nullptr;
  FInnerList->SkinBox = nullptr;
}

void TbsSkinCustomListBox::SetItems(const TStringList& value) {
  FInnerList->Items().Assign(value);
  UpdateScrollBars();
}

void TbsSkinCustomListBox::SetColumns(int value) {
  if (Columns() == value) return;
  // A bar of the other direction cannot be reused.
  if (FVScrollBar) HideVScrollBar();
  FInnerList->SetColumns(value);
  UpdateScrollBars();
}

void TbsSkinCustomListBox::SetSorted(bool value) {
  if (Sorted() == value) return;
  if (FVScrollBar) HideVScrollBar();
  FInnerList->SetSorted(value);
  UpdateScrollBars();
}

void TbsSkinCustomListBox::SetUseSkinItemHeight(bool value) {
  if (FUseSkinItemHeight == value) return;
  FUseSkinItemHeight = value;
  if (Skinned() && value) FInnerList->SetItemHeight(FItemRect.Height());
}

void TbsSkinCustomListBox::SetDefaultItemHeight(int value) {
  if (FDefaultItemHeight == value) return;
  FDefaultItemHeight = value;
  if (!Skinned() || !FUseSkinItemHeight) {
    FInnerList->SetItemHeight(value);
    UpdateScrollBars();
  }
}

void TbsSkinCustomListBox::SetHorizontalExtent(bool value) {
  if (FHorizontalExtent == value) return;
  FHorizontalExtent = value;
  UpdateScrollBars();
}

void TbsSkinCustomListBox::SetRowCount(int value) {
  if (FRowCount == value) return;
  FRowCount = value;
  if (value != 0) SetHeight(HeightForRows(value));
}

void TbsSkinCustomListBox::SetImageIndex(int value) {
  if (FImageIndex == value) return;
  FImageIndex = value;
  FInnerList->update();
}

void TbsSkinCustomListBox::SetNumGlyphs(int value) {
  if (FNumGlyphs == value) return;
  FNumGlyphs = value;
  update();
}

void TbsSkinCustomListBox::SetSpacing(int value) {
  if (FSpacing == value) return;
  FSpacing = value;
  update();
}

void TbsSkinCustomListBox::SetCaptionMode(bool value) {
  if (FCaptionMode == value) return;
  FCaptionMode = value;
  if (!value) {
    StopRepeat();
    FPressedButton = FHotButton = -1;
    for (auto& b : FCaptionButtons) b.MouseIn = b.Down = false;
  }
  // A skin keeps its caption outside the client part, so only the default look moves the list.
  if (!Skinned()) AdjustLayout();
  update();
}

void TbsSkinCustomListBox::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  if (FCaptionMode) update();
}

void TbsSkinCustomListBox::SetGlyph(const TBitmap& value) {
  if (FGlyph.Image() == value.Image()) return;
  FGlyph = value;
  update();
}

void TbsSkinCustomListBox::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  if (FCaptionMode) update();
}

void TbsSkinCustomListBox::SetDefaultCaptionHeight(int value) {
  if (FDefaultCaptionHeight == value) return;
  FDefaultCaptionHeight = value;
  if (!Skinned() && FCaptionMode) {
    AdjustLayout();
    update();
  }
}

int TbsSkinCustomListBox::HeightForRows(int rows) const {
  int h;
  if (Skinned())
    h = SkinRect.Height() + rows * ItemHeight() + SkinClientRect.Top - SkinClientRect.Bottom;
  else
    h = rows * ItemHeight() + 4 + (FCaptionMode ? FDefaultCaptionHeight : 0);
  if (FHScrollBar) h += FHScrollBar->Height();
  return h;
}

void TbsSkinCustomListBox::ReadSkinRecord() {
  FHasListRecord = false;
  TbsSkinCustomControl::ReadSkinRecord();
  if (FSkinIndex == -1) return;
  const auto* r = dynamic_cast<const TbsDataSkinListBox*>(SkinData()->ControlRecords[size_t(FSkinIndex)].get());
  if (!r) return;
  FHasListRecord = true;
  FItemRect = r->ItemRect;
  FActiveItemRect = IsEmptyRect(r->ActiveItemRect) ? r->ItemRect : r->ActiveItemRect;
  FFocusItemRect = IsEmptyRect(r->FocusItemRect) ? r->ItemRect : r->FocusItemRect;
  FItemLeftOffset = r->ItemLeftOffset;
  FItemRightOffset = r->ItemRightOffset;
  FItemTextRect = r->ItemTextRect;
  FFontName = r->FontName;
  FFontStyle = r->FontStyle;
  FFontHeight = r->FontHeight;
  FFontColor = r->FontColor;
  FActiveFontColor = r->ActiveFontColor;
  FFocusFontColor = r->FocusFontColor;
  FCaptionRect = r->CaptionRect;
  FCaptionFontName = r->CaptionFontName;
  FCaptionFontHeight = r->CaptionFontHeight;
  FCaptionFontStyle = r->CaptionFontStyle;
  FCaptionFontColor = r->CaptionFontColor;
  auto buttonRects = [&](int b, const TRect& normal, const TRect& active, const TRect& down) {
    FButtonRects[b][0] = normal;
    FButtonRects[b][1] = active;
    FButtonRects[b][2] = IsEmptyRect(down) ? active : down;
  };
  buttonRects(cbUpButton, r->UpButtonRect, r->ActiveUpButtonRect, r->DownUpButtonRect);
  buttonRects(cbDownButton, r->DownButtonRect, r->ActiveDownButtonRect, r->DownDownButtonRect);
  buttonRects(cbCheckButton, r->CheckButtonRect, r->ActiveCheckButtonRect, r->DownCheckButtonRect);
  FVScrollBarName = r->VScrollBarName;
  FHScrollBarName = r->HScrollBarName;
  FBothHScrollBarName = r->BothHScrollBarName;
}

void TbsSkinCustomListBox::SkinChanged() {
  TbsSkinCustomControl::SkinChanged();
  SkinUpdating = true;
  if (!Skinned()) {
    FInnerList->SetItemHeight(FDefaultItemHeight);
    Font() = DefaultFont();
  } else if (FUseSkinItemHeight) {
    FInnerList->SetItemHeight(FItemRect.Height());
  }
  if (FVScrollBar) {
    FVScrollBar->SetSkinDataName(!Skinned() ? std::string() : Columns() < 2 ? FVScrollBarName : FHScrollBarName);
    FVScrollBar->SetSkinData(SkinData());
    FVScrollBar->SkinChanged();
  }
  if (FHScrollBar) {
    const bool both = FVScrollBar != nullptr;
    FHScrollBar->SetBothSkinDataName(Skinned() ? FBothHScrollBarName : std::string());
    FHScrollBar->SetSkinDataName(!Skinned() ? std::string() : both ? FBothHScrollBarName : FHScrollBarName);
    FHScrollBar->SetBoth(!Skinned() && both);
    FHScrollBar->SetSkinData(SkinData());
    FHScrollBar->SkinChanged();
  }
  if (FRowCount != 0) SetHeight(HeightForRows(FRowCount));
  AdjustLayout();
  SkinUpdating = false;
  UpdateScrollBars();
  FInnerList->update();
}

void TbsSkinCustomListBox::resizeEvent(QResizeEvent* event) {
  TbsSkinCustomControl::resizeEvent(event);
  AdjustLayout();
  UpdateScrollBars();
  if (FVScrollBar) FVScrollBar->update();
  if (!Skinned()) update();  // the default frame has no stretchable picture to follow
}

void TbsSkinCustomListBox::AdjustLayout() {
  const int W = width(), H = height();
  const bool skinned = Skinned();
  const int top = skinned ? 0 : FCaptionMode ? FDefaultCaptionHeight : 1;
  const TRect client = skinned ? SizedClientRect : TRect{};
  const bool oneColumn = Columns() < 2;
  int h = 0;
  if (oneColumn && FHScrollBar && FHScrollBar->Visible()) {
    if (!skinned) {
      FHScrollBar->SetBounds(1, H - kDefaultBarThickness - 1, W - 2, kDefaultBarThickness);
      h = FHScrollBar->Height() - 1;
    } else {
      FHScrollBar->SetBounds(client.Left, client.Bottom - FHScrollBar->Height(), client.Width(),
                             FHScrollBar->Height());
      h = FHScrollBar->Height();
    }
  }
  if (FVScrollBar && FVScrollBar->Visible()) {
    TbsSkinScrollBar& bar = *FVScrollBar;
    if (!skinned && oneColumn) {
      bar.SetBounds(W - kDefaultBarThickness - 1, top, kDefaultBarThickness, H - top - h - 1);
      FListRect = TRect{2, top + 1, bar.Left(), H - h - 2};
    } else if (!skinned) {
      bar.SetBounds(1, H - kDefaultBarThickness - 1, W - 2, kDefaultBarThickness);
      FListRect = TRect{2, top + 1, W - 2, bar.Top()};
    } else if (oneColumn) {
      bar.SetBounds(client.Right - bar.Width(), client.Top, bar.Width(), client.Height() - h);
      FListRect = client;
      FListRect.Right -= bar.Width();
    } else {
      bar.SetBounds(client.Left, client.Bottom - bar.Height(), client.Width(), bar.Height());
      FListRect = client;
      h = bar.Height();
    }
    if (skinned) FListRect.Bottom -= h;
  } else {
    FListRect = skinned ? client : TRect{2, top + 1, W - 2, H - 2};
  }
  FInnerList->SetBounds(FListRect.Left, FListRect.Top, std::max(0, FListRect.Width()),
                        std::max(0, FListRect.Height()));
}

void TbsSkinCustomListBox::UpdateScrollBars() {
  TbsListBox& list = *FInnerList;
  const int itemHeight = std::max(1, list.ItemHeight());
  if (Columns() < 2) {
    if (!FHorizontalExtent || SkinUpdating) {
      if (FHScrollBar) HideHScrollBar();
    } else {
      int widest = 0;
      for (const std::string& item : list.Items().Items()) widest = std::max(widest, ItemTextWidth(item));
      int available = Skinned() ? list.Width() + FItemTextRect.Width() - FItemRect.Width() : list.Width() - 4;
      if (widest > available) {
        if (!FHScrollBar) ShowHScrollBar();
        FHScrollBar->SetRange(0, widest, available, FHScrollBar->Position());
        const int step = ItemTextWidth("0");
        FHScrollBar->SetSmallChange(step);
        FHScrollBar->SetLargeChange(step);
      } else if (FHScrollBar) {
        HideHScrollBar();
      }
    }
    if (FRowCount < 1 || FRowCount != list.Count()) {
      const TbsListScrollInfo info = list.VScrollInfo();
      const int rows = list.Height() / itemHeight;
      if (info.Min < info.Max && info.Max >= info.Position && rows < list.Count()) {
        if (!FVScrollBar) ShowVScrollBar();
        FVScrollBar->SetRange(info.Min, info.Max, rows, info.Position);
        FVScrollBar->SetLargeChange(rows);
        return;
      }
    }
  } else {
    const TbsListScrollInfo info = list.HScrollInfo();
    if (info.Min < info.Max && info.Max >= Columns() && (list.Height() / itemHeight) * Columns() < list.Count()) {
      if (!FVScrollBar) ShowVScrollBar();
      FVScrollBar->SetRange(info.Min, info.Max, Columns(), info.Position);
      return;
    }
  }
  if (FVScrollBar) HideVScrollBar();
}

void TbsSkinCustomListBox::ShowVScrollBar() {
  auto* bar = new TbsSkinScrollBar(this);
  FVScrollBar = bar;
  bar->hide();
  bar->SetKind(Columns() < 2 ? sbVertical : sbHorizontal);
  bar->SetBounds(0, 0, kNewBarWidth, kNewBarHeight);
  bar->SetRange(0, bar->Max(), 0, 0);
  bar->OnChange = [this] { VScrollChanged(); };
  bar->SetSkinDataName(!Skinned() ? std::string() : Columns() < 2 ? FVScrollBarName : FHScrollBarName);
  bar->SetSkinData(SkinData());
  if (FHScrollBar) {
    // The horizontal bar now also covers the corner beside the vertical one.
    if (Skinned()) {
      FHScrollBar->SetBothSkinDataName(FBothHScrollBarName);
      FHScrollBar->SetSkinDataName(FBothHScrollBarName);
      FHScrollBar->SkinChanged();
    } else {
      FHScrollBar->SetSkinDataName(std::string());
      FHScrollBar->SetBothMarkerWidth(kDefaultBarThickness);
      FHScrollBar->SetBoth(true);
    }
  }
  bar->SetVisible(true);
  AdjustLayout();
  bar->update();
}

void TbsSkinCustomListBox::HideVScrollBar() {
  TbsSkinScrollBar* bar = FVScrollBar;
  FVScrollBar = nullptr;
  bar->hide();
  bar->OnChange = nullptr;
  // The bar may be the one whose handler runs now; it goes once that returns.
  bar->deleteLater();
  if (FHScrollBar) {
    // No vertical bar left: the horizontal one takes the whole width again.
    FHScrollBar->SetBoth(false);
    if (Skinned()) {
      FHScrollBar->SetSkinDataName(FHScrollBarName);
      FHScrollBar->SkinChanged();
    }
  }
  AdjustLayout();
}

void TbsSkinCustomListBox::ShowHScrollBar() {
  auto* bar = new TbsSkinScrollBar(this);
  FHScrollBar = bar;
  bar->hide();
  bar->SetKind(sbHorizontal);
  bar->SetBounds(0, 0, kNewBarWidth, kNewBarHeight);
  bar->SetRange(0, bar->Max(), 0, 0);
  bar->OnChange = [this] { HScrollChanged(); };
  if (!Skinned()) {
    bar->SetSkinDataName(std::string());
    if (FVScrollBar) {
      bar->SetBothMarkerWidth(kDefaultBarThickness);
      bar->SetBoth(true);
    }
  } else {
    const std::string& name = FVScrollBar ? FBothHScrollBarName : FHScrollBarName;
    bar->SetSkinDataName(name);
    bar->SetBothSkinDataName(name);
  }
  bar->SetSkinData(SkinData());
  bar->SetVisible(true);
  AdjustLayout();
  bar->update();
}

void TbsSkinCustomListBox::HideHScrollBar() {
  FInnerList->HScrollOffset = 0;
  TbsSkinScrollBar* bar = FHScrollBar;
  FHScrollBar = nullptr;
  bar->hide();
  bar->OnChange = nullptr;
  bar->deleteLater();
  AdjustLayout();
  FInnerList->update();
}

void TbsSkinCustomListBox::VScrollChanged() {
  if (FVScrollBar) FInnerList->ScrollTo(FVScrollBar->Position());
}

void TbsSkinCustomListBox::HScrollChanged() {
  if (!FHScrollBar) return;
  FInnerList->HScrollOffset = FHScrollBar->Position();
  FInnerList->update();
}

void TbsSkinCustomListBox::ListBoxWheel(int angleDelta) {
  const int steps = FWheelSteps.Take(angleDelta);
  if (steps == 0) return;
  if (FVScrollBar) {
    FInnerList->SetTopIndex(FInnerList->TopIndex() - steps);
    UpdateScrollBars();
  } else if (FHScrollBar) {
    const int64_t to = FHScrollBar->Position() - int64_t(steps) * FHScrollBar->SmallChange();
    FHScrollBar->SetPosition(int(std::clamp<int64_t>(to, INT_MIN, INT_MAX)));
  }
}

void TbsSkinCustomListBox::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0 || !isEnabled()) {
    event->ignore();
    return;
  }
  FInnerList->Wheel(delta);
  event->accept();
}

bool TbsSkinCustomListBox::ScrollHorizontallyByKey(int key) {
  if (!FHScrollBar || (key != Qt::Key_Left && key != Qt::Key_Right)) return false;
  const int step = FHScrollBar->SmallChange();
  FHScrollBar->SetPosition(FHScrollBar->Position() + (key == Qt::Key_Left ? -step : step));
  return true;
}

int TbsSkinCustomListBox::ItemTextWidth(const std::string& text) const {
  const QFontMetrics metrics(ItemFont().ToQFont());
  return metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void TbsSkinCustomListBox::ListBoxMouseDown(Qt::MouseButton button, const TPoint& p) {
  if (OnListBoxMouseDown)
    OnListBoxMouseDown(button == Qt::RightButton ? mbRight : button == Qt::MiddleButton ? mbMiddle : mbLeft,
                       ShiftStateOf(Qt::NoModifier, button), p.X, p.Y);
}

void TbsSkinCustomListBox::ListBoxMouseMove(const TPoint& p) {
  if (OnListBoxMouseMove) OnListBoxMouseMove(0, p.X, p.Y);
}

void TbsSkinCustomListBox::ListBoxMouseUp(Qt::MouseButton button, const TPoint& p) {
  if (OnListBoxMouseUp)
    OnListBoxMouseUp(button == Qt::RightButton ? mbRight : button == Qt::MiddleButton ? mbMiddle : mbLeft, 0, p.X,
                     p.Y);
}

void TbsSkinCustomListBox::ListBoxClick() {
  if (OnListBoxClick) OnListBoxClick();
}

void TbsSkinCustomListBox::ListBoxDblClick() {
  if (OnListBoxDblClick) OnListBoxDblClick();
}

void TbsSkinCustomListBox::ListBoxKeyDown(int& key, TShiftState shift) {
  if (OnListBoxKeyDown) OnListBoxKeyDown(key, shift);
}

void TbsSkinCustomListBox::ListBoxKeyUp(int& key, TShiftState shift) {
  if (OnListBoxKeyUp) OnListBoxKeyUp(key, shift);
}

void TbsSkinCustomListBox::ListBoxKeyPress(char& key) {
  if (OnListBoxKeyPress) OnListBoxKeyPress(key);
}

void TbsSkinCustomListBox::DefaultFontChanged() {
  if (!Skinned()) Font() = DefaultFont();
}

void TbsSkinCustomListBox::DrawDefaultImage(TBitmap& bitmap) {
  TbsSkinCustomControl::DrawDefaultImage(bitmap);
  TCanvas& c = bitmap.Canvas();
  c.Brush.Color = clBtnShadow;
  c.FrameRect(TRect{0, 0, width(), height()});
  if (!FCaptionMode) return;
  UpdateCaptionButtons();
  c.Font = FDefaultCaptionFont;
  DrawCaptionContent(c, CaptionTextRect());
  // The strip ends one row above the list area, as the frame's top edge does without it.
  c.Pen.Color = clBtnShadow;
  c.MoveTo(1, FDefaultCaptionHeight - 1);
  c.LineTo(width() - 1, FDefaultCaptionHeight - 1);
  for (int b = cbUpButton; b <= cbCheckButton; ++b) DrawDefaultCaptionButton(c, b);
}

void TbsSkinCustomListBox::DrawSkinImage(TBitmap& bitmap) {
  // A record of another kind is laid out as the default look, so it is drawn so too.
  if (!Skinned() || !DrawSkinImageFrom(bitmap, SkinRect)) {
    DrawDefaultImage(bitmap);
    return;
  }
  if (!FCaptionMode) return;
  UpdateCaptionButtons();
  TCanvas& c = bitmap.Canvas();
  const TRect K = CaptionTextRect();
  if (!IsEmptyRect(K)) {
    TFont font = SkinTextFont(FCaptionFontName, FCaptionFontHeight, FCaptionFontStyle);
    font.SetColor(FCaptionFontColor);
    c.Font = font;
    DrawCaptionContent(c, K);
  }
  for (int b = cbUpButton; b <= cbCheckButton; ++b) DrawSkinCaptionButton(c, b);
}

void TbsSkinCustomListBox::PrepareListPaint() { ReadSkinRecord(); }

TFont TbsSkinCustomListBox::ItemFont() const {
  if (!Skinned()) return FInnerList->Font();
  return SkinTextFont(FFontName, FFontHeight, FFontStyle);
}

void TbsSkinCustomListBox::FillListBackground(QPainter& painter, const TRect& area) {
  if (IsEmptyRect(area)) return;
  if (!Skinned() || !SkinPicture || SkinPicture->Empty()) {
    painter.fillRect(ToQRect(area), ToQColor(clWindow));
    return;
  }
  // The frame picture's client part, repeated unscaled from the area's top-left.
  TRect source = SkinClientRect;
  OffsetRect(source, SkinRect.Left, SkinRect.Top);
  if (IsEmptyRect(source)) {
    painter.fillRect(ToQRect(area), ToQColor(clWindow));
    return;
  }
  const QImage tile = SkinPicture->Image().copy(ToQRect(source));
  TileRun(tile.height(), area.Top, area.Bottom, [&](int y, int h) {
    TileRun(tile.width(), area.Left, area.Right,
            [&](int x, int w) { DrawImageCrisp(painter, QRect(x, y, w, h), tile, QRect(0, 0, w, h)); });
  });
}

TColor TbsSkinCustomListBox::ItemTextColor() const {
  return Skinned() && SkinPicture && !SkinPicture->Empty() && !IsEmptyRect(FItemRect) ? FFontColor
                                                                                      : FInnerList->Font().Color();
}

void TbsSkinCustomListBox::DrawItemContents(TCanvas& canvas, int index, const TRect& textRect,
                                            TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(canvas, index, canvas.Image()->width(), canvas.Image()->height(), textRect, state);
    return;
  }
  canvas.Brush.Style = bsClear;
  // Only here does an item's text become display text.
  DrawTextVCentered(canvas, FInnerList->Items()[index], textRect, -FInnerList->HScrollOffset);
}

void TbsSkinCustomListBox::DrawListItem(QPainter& painter, int index, const TRect& rect, TOwnerDrawState state) {
  if (index < 0 || index >= FInnerList->Count() || IsEmptyRect(rect)) return;
  const bool selected = state & odSelected, focused = state & odFocused;
  TBitmap item;
  if (Skinned() && SkinPicture && !SkinPicture->Empty() && !IsEmptyRect(FItemRect)) {
    TRect textRect = FItemTextRect;
    if (FUseSkinItemHeight) {
      const TRect& source = focused && selected ? FFocusItemRect : selected ? FActiveItemRect : FItemRect;
      ComposeHorizontalSkinImage(FItemLeftOffset, FItemRightOffset, item, *SkinPicture, source, rect.Width());
      if (focused && !selected) DrawFocusFrame(item.Image(), TRect{0, 0, item.Width(), item.Height()});
      textRect.Right += rect.Width() - FItemRect.Width();
    } else {
      // Composed at the piece's own height, then stretched to the row.
      const TRect& source = focused ? FFocusItemRect : selected ? FActiveItemRect : FItemRect;
      TBitmap piece;
      ComposeHorizontalSkinImage(FItemLeftOffset, FItemRightOffset, piece, *SkinPicture, source, rect.Width());
      item.SetSize(rect.Width(), rect.Height());
      item.Canvas().StretchDraw(TRect{0, 0, rect.Width(), rect.Height()}, piece);
      textRect.Right += rect.Width() - FItemRect.Width();
      textRect.Bottom += rect.Height() - FItemRect.Height();
    }
    PlaceOnDevice(item, painter, rect.Left, rect.Top);
    TFont font = ItemFont();
    // A row of the skin's own height is "focused" only while selected too.
    const bool focusLook = FUseSkinItemHeight ? focused && selected : focused;
    font.SetColor(focusLook ? FFocusFontColor : selected ? FActiveFontColor : FFontColor);
    item.Canvas().Font = font;
    DrawItemContents(item.Canvas(), index, textRect, state);
  } else {
    item.SetSize(rect.Width(), rect.Height());
    PlaceOnDevice(item, painter, rect.Left, rect.Top);
    TCanvas& c = item.Canvas();
    c.Brush.Style = bsSolid;
    c.Brush.Color = selected ? clHighlight : clWindow;
    c.FillRect(TRect{0, 0, rect.Width(), rect.Height()});
    TFont font = FInnerList->Font();
    if (SkinData() && SkinData()->ResourceStrData()) font.SetCharSet(SkinData()->ResourceStrData()->CharSet());
    if (selected) font.SetColor(clHighlightText);
    c.Font = font;
    DrawItemContents(c, index, TRect{2, 0, rect.Width() - 2, rect.Height()}, state);
    if (focused) DrawFocusFrame(item.Image(), TRect{0, 0, item.Width(), item.Height()});
  }
  TCanvas(&painter).Draw(rect.Left, rect.Top, item);
}

// ---- Caption strip ----------------------------------------------------------
//
// Default look, a = button size:
//
//   +--------------------------------------------------+
//   | [glyph] caption text            [chk][dn ][up ]  |   rows 2 .. a+1
//   +--------------------------------------------------+   line at caption height - 1
//   | list ...

int TbsSkinCustomListBox::DefaultCaptionButtonSize() const {
  return std::min(FDefaultCaptionHeight - 3, kMaxDefaultButtonSize);
}

TRect TbsSkinCustomListBox::SizedSkinPart(const TRect& r) const {
  TRect s = r;
  if (r.Left >= RightTopPoint.X) OffsetRect(s, width() - SkinRect.Width(), 0);
  if (r.Top >= LeftBottomPoint.Y) OffsetRect(s, 0, height() - SkinRect.Height());
  return s;
}

TRect TbsSkinCustomListBox::CaptionButtonRect(int button) const {
  if (!FCaptionMode || button < cbUpButton || button > cbCheckButton) return TRect{};
  if (Skinned()) {
    const TRect& r = FButtonRects[button][0];
    return IsEmptyRect(r) ? TRect{} : SizedSkinPart(r);
  }
  const int a = DefaultCaptionButtonSize();
  const int right = width() - 2 - button * a;
  return TRect{right - a, 2, right, a + 1};
}

TRect TbsSkinCustomListBox::CaptionTextRect() const {
  if (!FCaptionMode) return TRect{};
  if (!Skinned()) return TRect{3, 2, width() - 3 * DefaultCaptionButtonSize() - 3, FDefaultCaptionHeight - 2};
  TRect r = FCaptionRect;
  if (r.Right >= RightTopPoint.X) r.Right += width() - SkinRect.Width();
  return r;
}

void TbsSkinCustomListBox::UpdateCaptionButtons() {
  for (int b = cbUpButton; b <= cbCheckButton; ++b) FCaptionButtons[b].R = CaptionButtonRect(b);
}

int TbsSkinCustomListBox::CaptionButtonAt(const TPoint& p) const {
  for (int b = cbUpButton; b <= cbCheckButton; ++b)
    if (!IsEmptyRect(FCaptionButtons[b].R) && PtInRect(FCaptionButtons[b].R, p)) return b;
  return -1;
}

void TbsSkinCustomListBox::SetHotButton(int button) {
  // A held button keeps the pointer to itself: no other button lights up meanwhile.
  if (FPressedButton != -1 && button != FPressedButton) button = -1;
  if (button == FHotButton) return;
  FOldHotButton = FHotButton;
  FHotButton = button;
  if (FOldHotButton != -1) {
    FCaptionButtons[FOldHotButton].MouseIn = false;
    // The held button lost the pointer: the repeat pauses.
    if (FOldHotButton == FPressedButton && FRepeatMode != 0) FRepeatTimer.stop();
  }
  if (button != -1) {
    FCaptionButtons[button].MouseIn = true;
    if (button == FPressedButton && FRepeatMode != 0 && !FRepeatTimer.isActive()) {
      FFirstRepeat = false;
      StartRepeat(kRepeatReturnIntervalMs);
    }
  }
  update();
}

void TbsSkinCustomListBox::DrawCaptionContent(TCanvas& canvas, const TRect& K) {
  if (IsEmptyRect(K)) return;
  const bool hasGlyph = !FGlyph.Empty();
  const int count = std::max(1, FNumGlyphs);
  const int gw = hasGlyph ? FGlyph.Width() / count : 0;
  const int block = canvas.TextWidth(FCaption) + (hasGlyph ? gw + FSpacing : 0);
  int x = K.Left;
  if (FAlignment == taRightJustify) x = K.Right - block;
  if (FAlignment == taCenter) x = K.Left + (K.Width() - block) / 2;
  canvas.SetClipRect(K);
  if (hasGlyph) {
    const int image = !isEnabled() && FNumGlyphs == 2 ? 2 : 1;
    DrawGlyphFrame(canvas, x, K.Top + (K.Height() - FGlyph.Height()) / 2, FGlyph, count, image);
    x += gw + FSpacing;
  }
  if (!FCaption.empty()) {
    canvas.Brush.Style = bsClear;
    canvas.TextRect(K, x, K.Top + (K.Height() - canvas.TextHeight(FCaption)) / 2, FCaption);
  }
  canvas.ResetClip();
}

void TbsSkinCustomListBox::DrawDefaultCaptionButton(TCanvas& canvas, int button) {
  const TbsCaptionButtonState& b = FCaptionButtons[button];
  if (IsEmptyRect(b.R)) return;
  canvas.Brush.Style = bsSolid;
  if (b.MouseIn) {
    canvas.Brush.Color = b.Down ? kDefaultDownFaceColor : kDefaultHotFaceColor;
    canvas.FillRect(b.R);
    canvas.Brush.Color = kDefaultHotFrameColor;
    canvas.FrameRect(b.R);
  } else {
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(b.R);
  }
  if (button == cbCheckButton)
    DrawCheckGlyph(canvas, b.R.Left + kCheckGlyphInset, b.R.Top + kCheckGlyphInset, clBlack);
  else
    DrawArrowGlyph(canvas, b.R, clBlack, button == cbUpButton ? akUp : akDown);
}

void TbsSkinCustomListBox::DrawSkinCaptionButton(TCanvas& canvas, int button) {
  const TbsCaptionButtonState& b = FCaptionButtons[button];
  if (IsEmptyRect(b.R)) return;
  const TRect(&rects)[3] = FButtonRects[button];
  TRect source;
  if (b.Down && b.MouseIn && !IsEmptyRect(rects[2])) {
    source = rects[2];
  } else if (b.MouseIn && !IsEmptyRect(rects[1])) {
    source = rects[1];
  } else {
    // The normal piece, from the frame piece itself: a stretched frame may have lost it.
    source = rects[0];
    OffsetRect(source, SkinRect.Left, SkinRect.Top);
  }
  canvas.CopyRect(b.R, SkinPicture->Canvas(), source);
}

void TbsSkinCustomListBox::StartRepeat(int intervalMs) {
  FRepeatTimer.stop();
  FRepeatTimer.setInterval(intervalMs);
  FRepeatTimer.start();
}

void TbsSkinCustomListBox::StopRepeat() {
  FRepeatTimer.stop();
  FRepeatMode = 0;
  FFirstRepeat = false;
}

void TbsSkinCustomListBox::RepeatTick() {
  if (FRepeatMode == 0) {
    FRepeatTimer.stop();
    return;
  }
  if (FFirstRepeat) {
    FFirstRepeat = false;
    StartRepeat(kRepeatIntervalMs);
  }
  StepItemIndex(FRepeatMode == 1 ? -1 : 1);
}

void TbsSkinCustomListBox::StepItemIndex(int delta) {
  TbsListBox& list = *FInnerList;
  if (list.Count() == 0) return;
  const int at = list.ItemIndex();
  // Up from nothing selected stays; down from nothing starts at the top; never past the ends.
  if (delta < 0 && at <= 0) return;
  const int to = std::clamp(at + delta, 0, list.Count() - 1);
  if (to == at) return;
  list.SetItemIndex(to);
  list.MakeVisible(to);
}

void TbsSkinCustomListBox::mousePressEvent(QMouseEvent* event) {
  QPointer<TbsSkinCustomListBox> self(this);
  TbsSkinCustomControl::mousePressEvent(event);  // OnMouseDown
  if (!self || !FCaptionMode || event->button() != Qt::LeftButton) return;
  UpdateCaptionButtons();
  const int button = CaptionButtonAt(FromQPoint(event->position().toPoint()));
  if (button == -1) return;
  StopRepeat();
  FPressedButton = button;
  FCaptionButtons[button].Down = true;
  SetHotButton(button);
  update();
  if ((button == cbUpButton && !OnUpButtonClick) || (button == cbDownButton && !OnDownButtonClick)) {
    FRepeatMode = button == cbUpButton ? 1 : 2;
    FFirstRepeat = true;
    StartRepeat(kRepeatDelayMs);
  }
}

void TbsSkinCustomListBox::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TbsSkinCustomListBox::mouseMoveEvent(QMouseEvent* event) {
  if (FCaptionMode) {
    UpdateCaptionButtons();
    SetHotButton(CaptionButtonAt(FromQPoint(event->position().toPoint())));
  }
  TbsSkinCustomControl::mouseMoveEvent(event);  // OnMouseMove
}

void TbsSkinCustomListBox::mouseReleaseEvent(QMouseEvent* event) {
  QPointer<TbsSkinCustomListBox> self(this);
  TbsSkinCustomControl::mouseReleaseEvent(event);  // OnMouseUp
  if (!self || event->button() != Qt::LeftButton || FPressedButton == -1) return;
  const int button = FPressedButton;
  FPressedButton = -1;
  FCaptionButtons[button].Down = false;
  StopRepeat();
  UpdateCaptionButtons();
  const TPoint p = FromQPoint(event->position().toPoint());
  const bool over = CaptionButtonAt(p) == button;
  SetHotButton(CaptionButtonAt(p));
  update();
  // Letting go away from the button cancels it, as with any button.
  if (!over) return;
  switch (button) {
    case cbUpButton:
      if (OnUpButtonClick) OnUpButtonClick();
      else StepItemIndex(-1);
      break;
    case cbDownButton:
      if (OnDownButtonClick) OnDownButtonClick();
      else StepItemIndex(1);
      break;
    default:
      if (OnCheckButtonClick) OnCheckButtonClick();
      else FInnerList->Click();
      break;
  }
}

void TbsSkinCustomListBox::MouseLeft() {
  if (FCaptionMode) SetHotButton(-1);
}

void TbsSkinCustomListBox::changeEvent(QEvent* event) {
  TbsSkinCustomControl::changeEvent(event);
  // The glyph has a frame of its own for the disabled look.
  if (event->type() == QEvent::EnabledChange && FCaptionMode) update();
}
