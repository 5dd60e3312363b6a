// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbsskinpopupwindow.h"

#include <QAccessible>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "framework/acceltext.h"
#include "framework/tapplication.h"
#include "skin/data/tbsdataskinmenuitem.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/skinimage.h"
#include "skin/draw/skinregion.h"
#include "skin/draw/skinwindow.h"
#include "skin/form/accessibleform.h"
#include "skin/form/popupgeometry.h"
#include "skin/form/tbsskinmenu.h"
#include "framework/handlerguard.h"

namespace {

constexpr int kTextExtra = 2;        // around the widest text
constexpr int kArrowColumn = 19;     // right of the texts
constexpr int kPlainExtraWidth = 10; // plain look: frames and spare room
constexpr int kPlainExtraHeight = 4; // plain look: the two frames, top and bottom
constexpr int kFadeStep = 3;         // alpha per fade-in step
constexpr int kOpaque = 255;

// The first menu-item record of the skin, if any.
const TbsDataSkinMenuItem* MenuItemRecord(const TbsSkinData* skinData) {
  if (!skinData || !skinData->HasSkin()) return nullptr;
  for (const auto& r : skinData->ObjectRecords)
    if (auto* item = dynamic_cast<const TbsDataSkinMenuItem*>(r.get())) return item;
  return nullptr;
}

}  // namespace

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu* menu, int level)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint), FMenu(menu),
      FLevel(level) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setMouseTracking(true);
  InstallFormAccessibility();
  FMouseTimer.setInterval(kMouseInterval);
  FMorphTimer.setInterval(kMorphInterval);
  FScrollTimer.setInterval(kScrollInterval);
  FFadeTimer.setInterval(1);
  connect(&FMouseTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { MouseTimerStep(); }); });
  connect(&FMorphTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { MorphTimerStep(); }); });
  connect(&FScrollTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { ScrollStep(); }); });
  connect(&FFadeTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { FadeInStep(); }); });
}

TbsSkinPopupWindow::~TbsSkinPopupWindow() = default;

void TbsSkinPopupWindow::Prepare(TMenuItem* items, int first, TbsSkinData* skinData, const TRect& workArea) {
  FParentItem = items;
  FWorkArea = workArea;
  FItems.clear();
  FDefItemHeight = FMenu->DefMenuItemHeight();

  const TbsDataSkinPopupWindow* record = skinData && skinData->HasSkin() ? &skinData->PopupWindowRecord : nullptr;
  const TBitmap* picture = record ? skinData->ActivePicture(record->WindowPictureIndex) : nullptr;
  FSkinned = picture && !picture->Empty();
  FWindowPicture = FSkinned ? *picture : TBitmap();
  FMaskPicture = TBitmap();
  if (FSkinned) {
    FRecord = *record;
    if (const TBitmap* mask = skinData->ActivePicture(record->MaskPictureIndex);
        mask && mask->Width() == picture->Width() && mask->Height() == picture->Height())
      FMaskPicture = *mask;
  }
  const TbsDataSkinMenuItem* itemRecord = FSkinned ? MenuItemRecord(skinData) : nullptr;

  for (int i = std::max(first, 0); items && i < items->Count(); ++i) {
    TMenuItem* item = items->Items(i);
    item->UpdateFromAction();
    if (!item->Visible()) continue;
    FItems.push_back(std::make_unique<TbsSkinMenuItem>(item, itemRecord, skinData));
  }

  // Font: the record's while the skin draws the items and asks for it.
  FContext = TbsMenuPaintContext{};
  FContext.Skinned = itemRecord != nullptr;
  FContext.GlyphColumnWidth = kPlainGlyphColumn;
  FContext.Font = FMenu->DefMenuItemFont();
  if (itemRecord && FMenu->UseSkinFontInMenu()) {
    FContext.Font.SetName(itemRecord->FontName);
    FContext.Font.SetHeight(itemRecord->FontHeight);
    FContext.Font.SetStyle(itemRecord->FontStyle);
  }
  if (skinData && skinData->ResourceStrData()) FContext.Font.SetCharSet(skinData->ResourceStrData()->CharSet());

  // Width from the widest text, height from the rows.
  TBitmap measure(1, 1);
  TCanvas& canvas = measure.Canvas();
  canvas.Font = FContext.Font;
  int widest = 0, rows = 0;
  for (const auto& item : FItems) {
    int w = AccelTextWidth(canvas, item->Caption());
    if (item->MenuItem() && !item->MenuItem()->ShortCutText().empty())
      w += canvas.TextWidth("  " + item->MenuItem()->ShortCutText());
    widest = std::max(widest, w + kTextExtra);
    rows += item->Height(FDefItemHeight);
  }
  int w = widest + FContext.GlyphColumnWidth + kArrowColumn;
  int h = rows;
  if (FSkinned) {
    const TbsSkinMenuItem* sample = FItems.empty() ? nullptr : FItems.front().get();
    const int textMargins = sample && sample->HasRecord()
                                ? sample->TextRect.Left + (RectWidth(sample->SkinRect) - sample->TextRect.Right)
                                : 0;
    w += FWindowPicture.Width() - RectWidth(FRecord.ItemsRect) + std::max(0, textMargins);
    h += FWindowPicture.Height() - RectHeight(FRecord.ItemsRect);
  } else {
    w += kPlainExtraWidth;
    h += kPlainExtraHeight;
  }
  FScroll = h > FWorkArea.Height() && FWorkArea.Height() > 0;
  if (FScroll) h = FWorkArea.Height();
  w = std::max(w, 1);
  h = std::max(h, 1);
  resize(w, h);

  FRegion.reset();
  if (FSkinned) {
    const TRect skinRect{0, 0, FWindowPicture.Width(), FWindowPicture.Height()};
    const TbsSizedGeometry g = ComputeSizedGeometry(skinRect, FRecord.LeftTopPoint, FRecord.RightTopPoint,
                                                    FRecord.LeftBottomPoint, FRecord.RightBottomPoint,
                                                    FRecord.ItemsRect, w, h);
    FSizedLT = g.SizedLeftTopPoint;
    FSizedRT = g.SizedRightTopPoint;
    FSizedLB = g.SizedLeftBottomPoint;
    FSizedRB = g.SizedRightBottomPoint;
    FItemsRect = g.SizedClientRect;
    if (!FMaskPicture.Empty())
      FRegion = BuildSkinRegion(FRecord.LeftTopPoint, FRecord.RightTopPoint, FRecord.LeftBottomPoint,
                                FRecord.RightBottomPoint, FRecord.ItemsRect, FSizedLT, FSizedRT, FSizedLB, FSizedRB,
                                FItemsRect, FMaskPicture, w, h);
  } else {
    FItemsRect = TRect{kPlainBorder, kPlainBorder, w - kPlainBorder, h - kPlainBorder};
  }
  if (FRegion) setMask(*FRegion);
  else clearMask();
  FFirstVisible = 0;
  FActiveItem = FOldActiveItem = -1;
  Layout();
}

void TbsSkinPopupWindow::Layout() {
  std::vector<int> heights;
  heights.reserve(FItems.size());
  for (const auto& item : FItems) heights.push_back(item->Height(FDefItemHeight));
  const std::vector<TRect> rects = LayoutPopupItems(FItemsRect, heights, FFirstVisible, FScroll);
  FVisibleCount = int(rects.size());
  for (int i = 0; i < ItemCount(); ++i) {
    TbsSkinMenuItem& item = *FItems[size_t(i)];
    item.Visible = i >= FFirstVisible && i < FFirstVisible + FVisibleCount;
    item.ItemRect = item.Visible ? rects[size_t(i - FFirstVisible)] : TRect{};
  }
}

void TbsSkinPopupWindow::ShowAt(const TRect& anchor, bool upwards) {
  TbsPopupPlaceRequest request;
  request.Anchor = anchor;
  request.WorkArea = FWorkArea;
  request.Width = width();
  request.Height = height();
  request.Submenu = FLevel > 0;
  request.Upwards = upwards;
  request.Scroll = FScroll;
  request.ItemsTop = FItemsRect.Top;
  const TbsPopupPlacement place = PlacePopup(request);
  move(place.TopLeft.X, place.TopLeft.Y);

  // A window system that cannot blend ignores the opacity; the menu still shows.
  const bool alpha = FMenu->AlphaBlend();
  const bool fade = alpha && FLevel == 0 && FMenu->AlphaBlendAnimation();
  FAlpha = !alpha ? kOpaque : fade ? 0 : FMenu->AlphaBlendValue();
  if (alpha) SetWindowAlphaValue(this, FAlpha);
  FCursorAtShow = FLastCursor = QCursor::pos();
  FPressedInside = false;
  show();
  raise();
  if (fade) FFadeTimer.start();
  FMouseTimer.start();
  // A screen reader hears the menu open before the item it starts on.
  if (AccessibleClientListens()) {
    FAnnounced = true;
    QAccessibleEvent opened(this, QAccessible::PopupMenuStart);
    SendAccessibleEvent(opened);
  }
  SetActiveItem(NextSelectable(-1, 1));
}

void TbsSkinPopupWindow::FadeInStep() {
  FAlpha = std::min(FAlpha + kFadeStep, FMenu->AlphaBlendValue());
  SetWindowAlphaValue(this, FAlpha);
  if (FAlpha >= FMenu->AlphaBlendValue()) FFadeTimer.stop();
}

TRect TbsSkinPopupWindow::UpBand() const {
  if (!FSkinned) return TRect{3, 3, width() - 3, 3 + kPopupScrollBand};
  return TRect{FItemsRect.Left, FItemsRect.Top, FItemsRect.Right, FItemsRect.Top + kPopupScrollBand};
}

TRect TbsSkinPopupWindow::DownBand() const {
  if (!FSkinned) return TRect{3, height() - kPopupScrollBand, width() - 3, height() - 3};
  return TRect{FItemsRect.Left, FItemsRect.Bottom - kPopupScrollBand, FItemsRect.Right, FItemsRect.Bottom};
}

int TbsSkinPopupWindow::ItemAt(const TPoint& p) const {
  for (int i = FFirstVisible; i < FFirstVisible + FVisibleCount; ++i)
    if (PtInRect(FItems[size_t(i)]->ItemRect, p)) return i;
  return -1;
}

TRect TbsSkinPopupWindow::ItemScreenRect(int index) const {
  if (index < 0 || index >= ItemCount()) return {};
  TRect r = FItems[size_t(index)]->ItemRect;
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  OffsetRect(r, origin.x(), origin.y());
  return r;
}

// ---------------------------------------------------------------- pointer

void TbsSkinPopupWindow::MouseTimerStep() {
  const QPoint cursor = QCursor::pos();
  if (cursor == FLastCursor) return;
  FLastCursor = cursor;
  if (geometry().contains(cursor)) ProcessMousePosition(FromQPoint(mapFromGlobal(cursor)));
  else if (FScroll) StopScroll();
}

void TbsSkinPopupWindow::ProcessMousePosition(const TPoint& p) {
  if (FScroll) {
    if (PtInRect(UpBand(), p) && FFirstVisible > 0) StartScroll(sdUp);
    else if (PtInRect(DownBand(), p) && FFirstVisible + FVisibleCount < ItemCount()) StartScroll(sdDown);
    else if (!PtInRect(UpBand(), p) && !PtInRect(DownBand(), p)) StopScroll();
  }
  const int index = ItemAt(p);
  if (index >= 0 && index != FActiveItem) SetActiveItem(index);
}

void TbsSkinPopupWindow::SetActiveItem(int index) {
  if (index == FActiveItem) return;
  FOldActiveItem = FActiveItem;
  FActiveItem = index;
  for (int i = 0; i < ItemCount(); ++i) {
    TbsSkinMenuItem& item = *FItems[size_t(i)];
    const bool highlight = i == index && item.Selectable();
    if (item.Highlighted != highlight) {
      item.Highlighted = highlight;
      if (!item.Morphing) item.MorphFactor = highlight ? 1 : 0;
    }
  }
  StartMorph();
  update();
  if (index < 0 || !FItems[size_t(index)]->Selectable()) return;
  AnnounceActiveItem();
  TbsSkinMenuItem& item = *FItems[size_t(index)];
  if (item.HasSubItems()) {
    FMenu->StartSubMenuTimer(FLevel, item.MenuItem());
  } else {
    FMenu->StopSubMenuTimer();
    FMenu->CloseFrom(FLevel + 1);
  }
}

void TbsSkinPopupWindow::AnnounceActiveItem() {
  if (!AccessibleClientListens() || FActiveItem < 0 || !FItems[size_t(FActiveItem)]->Selectable()) return;
  QAccessibleEvent focus(this, QAccessible::Focus);
  focus.setChild(FActiveItem);
  SendAccessibleEvent(focus);
}

void TbsSkinPopupWindow::StartMorph() {
  for (const auto& item : FItems)
    if (item->Morphing && item->Fading()) {
      if (!FMorphTimer.isActive()) FMorphTimer.start();
      return;
    }
}

void TbsSkinPopupWindow::MorphTimerStep() {
  bool any = false;
  for (const auto& item : FItems)
    if (item->Morphing) any = item->MorphStep() || any;
  update();
  if (!any) FMorphTimer.stop();
}

void TbsSkinPopupWindow::StartScroll(int direction) {
  if (FScrollDirection == direction) return;
  FScrollDirection = direction;
  FMenu->CloseFrom(FLevel + 1);
  FScrollTimer.start();
  update();
}

void TbsSkinPopupWindow::StopScroll() {
  if (FScrollDirection == sdNone) return;
  FScrollDirection = sdNone;
  FScrollTimer.stop();
  update();
}

void TbsSkinPopupWindow::ScrollStep() {
  if (FScrollDirection == sdUp && FFirstVisible > 0) {
    --FFirstVisible;
  } else if (FScrollDirection == sdDown && FFirstVisible + FVisibleCount < ItemCount()) {
    ++FFirstVisible;
  } else {
    StopScroll();
    return;
  }
  Layout();
  update();
  const bool atEnd = FScrollDirection == sdUp ? FFirstVisible == 0 : FFirstVisible + FVisibleCount >= ItemCount();
  if (atEnd) StopScroll();
}

void TbsSkinPopupWindow::ScrollTo(int index) {
  if (!FScroll || index < 0) return;
  if (index < FFirstVisible) {
    FFirstVisible = index;
  } else {
    while (index >= FFirstVisible + FVisibleCount && FFirstVisible < index) {
      ++FFirstVisible;
      Layout();
    }
  }
  Layout();
}

void TbsSkinPopupWindow::mouseMoveEvent(QMouseEvent* e) {
  FLastCursor = PixelAt(e->globalPosition());
  if (rect().contains(PixelAt(e->position()))) ProcessMousePosition(FromQPoint(PixelAt(e->position())));
}

void TbsSkinPopupWindow::mousePressEvent(QMouseEvent* e) {
  if (!rect().contains(PixelAt(e->position()))) {
    QWidget::mousePressEvent(e);  // a press outside closes the menu
    return;
  }
  FPressedInside = true;
}

void TbsSkinPopupWindow::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  // The release of the press that opened the menu is not a choice, unless
  // the pointer went somewhere first.
  if (!FPressedInside && PixelAt(e->globalPosition()) == FCursorAtShow) return;
  const int index = ItemAt(FromQPoint(PixelAt(e->position())));
  if (index < 0) return;
  if (index != FActiveItem) SetActiveItem(index);
  ExecuteActiveItem();  // may free this window: nothing after it
}

void TbsSkinPopupWindow::ExecuteActiveItem() {
  if (FActiveItem < 0 || FActiveItem >= ItemCount()) return;
  TbsSkinMenuItem& item = *FItems[size_t(FActiveItem)];
  if (!item.Selectable()) return;
  FMenu->ExecuteItem(FLevel, item.MenuItem(), ItemScreenRect(FActiveItem));
}

// ---------------------------------------------------------------- keyboard

int TbsSkinPopupWindow::NextSelectable(int from, int step) const {
  const int n = ItemCount();
  for (int k = 1; k <= n; ++k) {
    const int i = ((from + step * k) % n + n) % n;
    if (FItems[size_t(i)]->Selectable()) return i;
  }
  return -1;
}

bool TbsSkinPopupWindow::HandleKey(int key, const QString& text) {
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int step = key == Qt::Key_Down ? 1 : -1;
      const int from = FActiveItem >= 0 ? FActiveItem : (step > 0 ? -1 : 0);
      const int next = NextSelectable(from, step);
      if (next >= 0) {
        ScrollTo(next);
        SetActiveItem(next);
        update();
      }
      return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
      ExecuteActiveItem();
      return true;
    case Qt::Key_Escape:
    case Qt::Key_Left:
      if (FLevel == 0) {
        if (key == Qt::Key_Escape) FMenu->CloseFrom(0);  // may free the menu: nothing after it
        return true;
      }
      FMenu->CloseFrom(FLevel);
      // Back in the menu above: its highlighted item has the focus again.
      if (TbsSkinPopupWindow* above = FMenu->Window(FLevel - 1)) above->AnnounceActiveItem();
      return true;
    case Qt::Key_Right:
      if (FActiveItem >= 0 && FItems[size_t(FActiveItem)]->Selectable() && FItems[size_t(FActiveItem)]->HasSubItems())
        FMenu->OpenSubMenu(FLevel, FItems[size_t(FActiveItem)]->MenuItem(), ItemScreenRect(FActiveItem));
      return true;
    default: break;
  }
  if (text.size() != 1) return false;
  const std::string typed = text.toLower().toStdString();
  if (typed.size() != 1) return false;
  for (int i = FFirstVisible; i < FFirstVisible + FVisibleCount; ++i) {
    TMenuItem* item = FItems[size_t(i)]->MenuItem();
    if (item && FItems[size_t(i)]->Selectable() && item->Accelerator() == typed[0]) {
      SetActiveItem(i);
      ExecuteActiveItem();  // may free this window
      return true;
    }
  }
  return false;
}

void TbsSkinPopupWindow::keyPressEvent(QKeyEvent* e) {
  // The keyboard goes to the deepest popup; this is it while it has the grab.
  TbsSkinPopupWindow* target = FMenu->ActiveWindow();
  if (!target) target = this;
  const QPointer<TbsSkinPopupWindow> guard(this);
  if (!target->HandleKey(e->key(), e->text()) && guard) QWidget::keyPressEvent(e);
}

void TbsSkinPopupWindow::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  if (FDismissed) return;
  // Closed from outside the menu (a press outside it): the menu follows.
  FDismissed = true;
  FMenu->CloseFrom(FLevel);
}

void TbsSkinPopupWindow::Dismiss() {
  if (FGone) return;
  FGone = FDismissed = true;
  if (FAnnounced && AccessibleClientListens()) {
    QAccessibleEvent closed(this, QAccessible::PopupMenuEnd);
    SendAccessibleEvent(closed);
  }
  FMouseTimer.stop();
  FMorphTimer.stop();
  FScrollTimer.stop();
  FFadeTimer.stop();
  hide();
  deleteLater();
}

// ---------------------------------------------------------------- painting

void TbsSkinPopupWindow::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  QPainter p(this);
  TBitmap buffer(width(), height(), TBitmap::ForPaint);
  PlaceOnDevice(buffer, p, 0, 0);
  Paint(buffer);
  TCanvas(&p).Draw(0, 0, buffer);
}

QImage TbsSkinPopupWindow::Render() const {
  TBitmap buffer(std::max(width(), 1), std::max(height(), 1));
  Paint(buffer);
  buffer.Canvas().Release();
  return buffer.Image().copy();
}

// The window picture around the items, as the record cuts it:
//
//   LT --------- RT     corners 1:1, edges tiled or stretched; the middle
//   |  items rect  |    only while scrolling (otherwise the rows cover it)
//   LB --------- RB
void TbsSkinPopupWindow::Paint(TBitmap& buffer) const {
  TCanvas& canvas = buffer.Canvas();
  const int w = buffer.Width(), h = buffer.Height();
  if (FSkinned) {
    ComposeSkinImageStretched(FRecord.LeftTopPoint, FRecord.RightTopPoint, FRecord.LeftBottomPoint,
                              FRecord.RightBottomPoint, FRecord.ItemsRect, FSizedLT, FSizedRT, FSizedLB, FSizedRB,
                              FItemsRect, buffer, FWindowPicture,
                              TRect{0, 0, FWindowPicture.Width(), FWindowPicture.Height()}, w, h, FScroll,
                              FRecord.LeftStretch, FRecord.TopStretch, FRecord.RightStretch, FRecord.BottomStretch);
  } else {
    const int column = kPlainBorder + FContext.GlyphColumnWidth;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(TRect{0, 0, column, h});
    canvas.Brush.Color = clWindow;
    canvas.FillRect(TRect{column, 0, w, h});
    canvas.Brush.Color = clBtnShadow;
    canvas.FrameRect(TRect{0, 0, w, h});
    canvas.Brush.Color = clWindow;
    canvas.FrameRect(TRect{1, 1, w - 1, h - 1});
  }
  for (int i = FFirstVisible; i < FFirstVisible + FVisibleCount; ++i) FItems[size_t(i)]->Draw(canvas, FContext);
  if (FScroll) {
    const TColor normal = FSkinned ? FRecord.ScrollMarkerColor : clBtnShadow;
    const TColor active = FSkinned ? FRecord.ScrollMarkerActiveColor : clBtnText;
    DrawArrowGlyph(canvas, UpBand(), FScrollDirection == sdUp ? active : normal, akUp);
    DrawArrowGlyph(canvas, DownBand(), FScrollDirection == sdDown ? active : normal, akDown);
  }
}
