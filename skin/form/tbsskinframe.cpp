// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's core: construction, its properties, the message hook that
// takes over the form's non-client messages, skin changes and fading in.

#include "skin/form/tbsskinframe.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <algorithm>

#include "framework/handlerguard.h"
#include "framework/tapplication.h"
#include "framework/tmessage.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/skinwindow.h"
#include "skin/form/accessibleform.h"
#include "skin/form/framegeometry.h"
#include "skin/form/tbsactiveskinobject.h"

namespace {

constexpr int kCaptionHeight = 19;         // default caption height
constexpr int kToolCaptionHeight = 15;     // ... of tool windows
constexpr int kButtonSize = 17;            // default caption buttons
constexpr int kToolButtonSize = 13;
constexpr int kAlphaStep = 5;              // fade-in step
constexpr int kOpaque = 255;

bool ToolWindow(const TForm* form) {
  return form->BorderStyle() == bsToolWindow || form->BorderStyle() == bsSizeToolWin;
}

}  // namespace

TbsSkinFrame::TbsSkinFrame(TForm* form) : TComponent(form), FForm(form) {
  Q_ASSERT(form);
  FHoverTimer.setInterval(kHoverInterval);
  FMorphTimer.setInterval(kMorphInterval);
  FAnimateTimer.setInterval(kAnimateInterval);
  connect(&FHoverTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { HoverTimerStep(); }); });
  connect(&FMorphTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { MorphTimerStep(); }); });
  connect(&FAnimateTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { AnimateTimerStep(); }); });
  if (ComponentState() & csDesigning) return;
  FPrevWindowProc = form->WindowProc;
  form->WindowProc = [this](TMessage& m) { Hook(m); };
  form->installEventFilter(this);
  FPlatformMaximized = form->isMaximized();
  form->SetPlatformCaption(false);
  form->SetBorderIcons(0);
  FActiveFlag = form->Active();
  FFrameWidth = form->width();
  FFrameHeight = form->height();
  form->FrameChanged();
  CreateMenus();
  AdoptFormAccessibility(form);  // the window's caption buttons are ours to tell of
}

TbsSkinFrame::~TbsSkinFrame() {
  StopTimers();
  FObjects.clear();
  // A frame whose form is going was detached by WM_DESTROY while the form was
  // still whole (FForm is null then: Qt is tearing the form down and it is no
  // longer a TForm); only a frame removed from a living form gives the
  // procedure back.
  if (!FFormDestroyed && FForm && FPrevWindowProc) {
    FForm->WindowProc = FPrevWindowProc;
    FForm->clearMask();
    FForm->FrameChanged();
  }
}

// ---------------------------------------------------------------- properties

void TbsSkinFrame::SetSkinData(TbsSkinData* value) {
  if (FSkinData == value) return;
  disconnect(FSkinDataGone);
  FSkinData = value;
  // When the skin data goes, its pictures go with it: fall back to the
  // default frame at once instead of painting from freed pictures.
  if (value) FSkinDataGone = connect(value, &QObject::destroyed, this, [this] { ApplySkin(); });
  if (!(ComponentState() & csDesigning)) ApplySkin();
}

void TbsSkinFrame::SetBorderIcons(TbsBorderIcons value) {
  if (FBorderIcons == value) return;
  FBorderIcons = value;
  ApplyBorderIcons();
  RelayoutObjects();
}

void TbsSkinFrame::SetHideCaptionButtons(bool value) {
  if (FHideCaptionButtons == value) return;
  FHideCaptionButtons = value;
  ApplyBorderIcons();
  RelayoutObjects();
}

void TbsSkinFrame::SetShowIcon(bool value) {
  if (FShowIcon == value) return;
  FShowIcon = value;
  RepaintFrame();
}

void TbsSkinFrame::SetUseDefaultObjectHint(bool value) {
  if (FUseDefaultObjectHint == value) return;
  FUseDefaultObjectHint = value;
  FillDefaultHints();
}

void TbsSkinFrame::SetAlphaBlend(bool value) {
  if (FAlphaBlend == value) return;
  FAlphaBlend = value;
  if (!(ComponentState() & csDesigning)) ApplyAlpha(value ? FAlphaBlendValue : kOpaque);
}

void TbsSkinFrame::SetAlphaBlendValue(int value) {
  value = std::clamp(value, 0, kOpaque);
  if (FAlphaBlendValue == value) return;
  FAlphaBlendValue = value;
  if (FAlphaBlend) ApplyAlpha(value);
}

void TbsSkinFrame::SetLogoBitMap(const TBitmap& value) {
  FLogoBitMap = value;
  if (FForm) FForm->ClientArea()->update();
}

void TbsSkinFrame::SetLogoBitMapTransparent(bool value) {
  if (FLogoBitMapTransparent == value) return;
  FLogoBitMapTransparent = value;
  if (FForm) FForm->ClientArea()->update();
}

// ---------------------------------------------------------------- state

bool TbsSkinFrame::IsFormActive() const { return FActiveFlag; }

int TbsSkinFrame::DefaultCaptionHeight() const { return ToolWindow(FForm) ? kToolCaptionHeight : kCaptionHeight; }
int TbsSkinFrame::DefaultButtonSize() const { return ToolWindow(FForm) ? kToolButtonSize : kButtonSize; }

TbsActiveSkinObject* TbsSkinFrame::Object(int index) const {
  return index >= 0 && index < int(FObjects.size()) ? FObjects[size_t(index)].get() : nullptr;
}

TbsActiveSkinObject* TbsSkinFrame::FindObject(const std::string& idName) const {
  for (const auto& o : FObjects)
    if (o->IDName == idName) return o.get();
  return nullptr;
}

bool TbsSkinFrame::IsMainForm() const { return Application() && Application()->MainForm() == FForm; }

TPoint TbsSkinFrame::WindowPoint(int screenX, int screenY) const {
  return FromQPoint(FForm->mapFromGlobal(QPoint(screenX, screenY)));
}

int TbsSkinFrame::SmallIconSize() const {
  const int size = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
  return size > 0 ? size : DefaultButtonSize();
}

const QPixmap& TbsSkinFrame::SmallIcon() {
  if (FSmallIcon.isNull()) {
    QIcon icon = FForm->windowIcon();
    if (icon.isNull()) icon = QApplication::windowIcon();
    if (icon.isNull()) icon = QApplication::style()->standardIcon(QStyle::SP_TitleBarMenuButton);
    const int size = SmallIconSize();
    FSmallIcon = icon.pixmap(size, size);
  }
  return FSmallIcon;
}

// ---------------------------------------------------------------- messages

bool TbsSkinFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FForm && event->type() == QEvent::WindowStateChange) FollowPlatformState();
  return TComponent::eventFilter(watched, event);
}

bool TbsSkinFrame::FromOurSkin(const TMessage& m) const {
  return FSkinData && reinterpret_cast<TbsSkinData*>(m.WParam) == FSkinData.data();
}

void TbsSkinFrame::PassNoticeToControls(const TMessage& m) {
  // Collected first: a control may create or drop children while it handles
  // the notice. A container comes before its children.
  std::vector<QPointer<TControl>> controls;
  std::function<void(QObject*)> walk = [&](QObject* parent) {
    for (QObject* child : parent->children()) {
      auto* control = qobject_cast<TControl*>(child);
      if (!control) continue;
      if (control != FForm->ClientArea()) controls.emplace_back(control);
      walk(control);
    }
  };
  walk(FForm);
  for (const QPointer<TControl>& control : controls)
    if (control) SendMessage(control.data(), m.Msg, m.WParam, m.LParam);
}

void TbsSkinFrame::Hook(TMessage& m) {
  switch (m.Msg) {
    case WM_DESTROY:
      // The form is whole now and never again: let go of it and of the skin
      // data, whose loss would otherwise repaint a form being torn down.
      StopTimers();
      disconnect(FSkinDataGone);
      FFormDestroyed = true;
      Default(m);
      FForm = nullptr;
      return;
    case WM_SIZE: {
      const bool liveResize = FInSizeMove && FFullDragSetting;
      if (!liveResize) {
        Default(m);
        FFrameWidth = FForm->width();
        FFrameHeight = FForm->height();
        if (!FSkinned) RepaintFrame();
        else if (FFrameWidth >= MinimumWidth() && FFrameHeight >= MinimumHeight()) RebuildFrame(true);
        if (FAlphaBlend && FAlphaBlendValue != kOpaque) {
          RepaintFrame();
          FForm->update();
        }
        if (!FLogoBitMap.Empty()) FForm->ClientArea()->update();
      } else {
        if (!FLogoBitMap.Empty()) FForm->ClientArea()->update();
        Default(m);
      }
      return;
    }
    case WM_SIZING: {
      Default(m);
      const auto* r = reinterpret_cast<const TRect*>(m.LParam);
      FFrameWidth = r->Width();
      FFrameHeight = r->Height();
      if (FSkinned && FFrameWidth >= MinimumWidth() && FFrameHeight >= MinimumHeight()) RebuildFrame(true);
      return;
    }
    case WM_ACTIVATE:
      Default(m);
      RepaintFrame();
      ResetObjectLooks();
      UpdateActivationLook(true);
      return;
    case WM_SETTEXT:
      Default(m);
      if (FForm->HasBorder()) RepaintFrame();
      return;
    case WM_ERASEBKGND:
      EraseBackground(*reinterpret_cast<TCanvas*>(m.WParam));
      m.Result = 1;
      return;
    case WM_SHOWWINDOW:
      if (m.WParam) {
        PrepareFadeIn();
        Nudge();
      } else if (FAlphaBlend) {
        ApplyAlpha(kOpaque);
      }
      Default(m);
      return;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<TMinMaxInfo*>(m.LParam);
      info->MinTrackSize = {MinimumWidth(), MinimumHeight()};
      const TRect area = MaximizeArea();
      info->MaxTrackSize = {area.Width(), area.Height()};
      Default(m);
      return;
    }
    case WM_NCCALCSIZE:
      CalcSize(*reinterpret_cast<TRect*>(m.LParam));
      return;
    case WM_NCHITTEST: {
      const TPoint p = WindowPoint(LParamX(m.LParam), LParamY(m.LParam));
      m.Result = HitTest(p);
      if (m.Result == HTOBJECT && !FHoverTimer.isActive()) {
        UpdateHover(p, true);
        FHoverTimer.start();
      }
      return;
    }
    case WM_NCPAINT:
      if (FForm->HasBorder()) {
        auto& canvas = *reinterpret_cast<TCanvas*>(m.WParam);
        if (FSkinned) PaintSkinned(canvas);
        else PaintDefault(canvas);
      }
      return;
    case WM_NCACTIVATE:
      FActiveFlag = m.WParam != 0;
      m.Result = 1;
      if (!FForm->HasBorder()) {
        UpdateActivationLook(false);
      } else {
        RepaintFrame();
        UpdateActivationLook(true);
      }
      return;
    case WM_MOVING: {
      auto* r = reinterpret_cast<TRect*>(m.LParam);
      if (FWindowState == bswsMaximized) {
        *r = FForm->BoundsRect();  // a maximised window stays where it is
      } else if (FMagnetic) {
        TRect work;
        if (GetMonitorWorkArea(FForm, true, work)) *r = SnapToEdges(*r, work, FMagneticSize);
      }
      Default(m);
      return;
    }
    case WM_ENTERSIZEMOVE:
      ResetObjectLooks();
      FHoverTimer.stop();
      FHotIndex = FCapturedIndex = -1;
      FInSizeMove = true;
      FFullDragSetting = true;  // the framework's loop always sizes the window live
      Default(m);
      return;
    case WM_EXITSIZEMOVE:
      FHoverTimer.stop();
      FHotIndex = FPrevHotIndex = FCapturedIndex = -1;
      if (FSkinned) RepaintFrame();
      Default(m);
      return;
    case SkinMsgBeforeChange:
      if (FromOurSkin(m)) {
        CloseMenus();  // a menu open on the old skin goes with it
        FSkinned = false;
        StopTimers();
        FreeObjects();
        PassNoticeToControls(m);
      }
      Default(m);
      return;
    case SkinMsgChange:
      if (FromOurSkin(m)) {
        ApplySkin();
        PassNoticeToControls(m);
      }
      Default(m);
      return;
    case SkinMsgStringsChange:
      FillDefaultHints();
      Default(m);
      return;
    case SkinMsgMenuClosed:
      SystemMenuClosed();
      Default(m);
      return;
    case WM_NCMOUSEMOVE: {
      Default(m);
      const TPoint p = WindowPoint(LParamX(m.LParam), LParamY(m.LParam));
      TbsActiveSkinObject* target = Object(FCapturedIndex);
      if (!target) target = Object(FHotIndex);
      if (target) target->MouseMove(p.X, p.Y);
      return;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: {
      Default(m);  // may run the whole move/size loop
      const bool left = m.Msg == WM_NCLBUTTONDOWN;
      if (left && FInSizeMove) {
        FInSizeMove = false;  // this press moved or sized the window
        return;
      }
      const TPoint p = WindowPoint(LParamX(m.LParam), LParamY(m.LParam));
      ObjectButtonDown(int(m.WParam), p, left ? mbLeft : mbRight);
      if (!left && m.WParam == HTCAPTION) {
        const int x = LParamX(m.LParam), y = LParamY(m.LParam);
        ShowSystemMenu({x, y, x, y});
      }
      return;
    }
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP: {
      Default(m);
      const TPoint p = WindowPoint(LParamX(m.LParam), LParamY(m.LParam));
      ObjectButtonUp(p, p, m.Msg == WM_NCLBUTTONUP ? mbLeft : mbRight);
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      Default(m);
      const TPoint origin = FromQPoint(FForm->ClientArea()->pos());
      const TPoint releasedAt{LParamX(m.LParam) + origin.X, LParamY(m.LParam) + origin.Y};
      ObjectButtonUp(releasedAt, {-1, -1}, m.Msg == WM_LBUTTONUP ? mbLeft : mbRight);
      return;
    }
    case WM_NCLBUTTONDBLCLK: {
      Default(m);
      const TPoint p = WindowPoint(LParamX(m.LParam), LParamY(m.LParam));
      ObjectButtonDown(int(m.WParam), p, mbLeft);
      if (TbsActiveSkinObject* hot = Object(FHotIndex)) hot->DblClick();
      if (m.WParam == HTCAPTION) CaptionDblClick();
      return;
    }
    case WM_NCRBUTTONDBLCLK: {
      Default(m);
      ObjectButtonDown(int(m.WParam), WindowPoint(LParamX(m.LParam), LParamY(m.LParam)), mbRight);
      return;
    }
    default:
      Default(m);
      return;
  }
}

// ---------------------------------------------------------------- skin

void TbsSkinFrame::ApplySkin() {
  FHotIndex = FPrevHotIndex = FCapturedIndex = -1;
  FSkinned = FSkinData && FSkinData->HasSkin() && !FSkinData->Picture.Empty();
  if (FSkinned) {
    CreateObjects();
    ApplyBorderIcons();
  } else {
    FreeObjects();
    ClearRegion();
    FMaskStrips.Clear();
  }
  FForm->FrameChanged();  // the client area follows the new frame
  BringToMinimumSize();
  FFrameWidth = FForm->width();
  FFrameHeight = FForm->height();
  if (FSkinned) RebuildFrame(true);
  FForm->update();
  UpdateActivationLook(true);
  FHoverTimer.start();
  if (OnChangeSkinData) OnChangeSkinData();
  if (FClientWidth > 0) FForm->SetClientWidth(FClientWidth);
  if (FClientHeight > 0) FForm->SetClientHeight(FClientHeight);
}

void TbsSkinFrame::BringToMinimumSize() {
  const int minW = MinimumWidth(), minH = MinimumHeight();
  const int w = FForm->width(), h = FForm->height();
  if (w < minW && h < minH) FForm->SetBounds(FForm->Left(), FForm->Top(), minW, minH);
  else if (h < minH) FForm->SetHeight(minH);
  else if (w < minW) FForm->SetWidth(minW);
  else Nudge();
  if (FRolledUp || FWindowState == bswsMinimized) FForm->SetHeight(minH);
  if (FWindowState == bswsMinimized) FForm->SetWidth(minW);
}

void TbsSkinFrame::Nudge() {
  // A size change makes the form lay its controls out again; a minimised
  // window has nothing to show, and a size change would restore it.
  if (FForm->isMinimized()) return;
  const int w = FForm->width();
  FForm->SetWidth(w + 1);
  FForm->SetWidth(w);
}

// ---------------------------------------------------------------- transparency

void TbsSkinFrame::ApplyAlpha(int alpha) {
  FCurrentAlpha = alpha;
  SetWindowAlphaValue(FForm, alpha);
}

void TbsSkinFrame::PrepareFadeIn() {
  if (!FAlphaBlend && !FAlphaBlendAnimation) return;
  ApplyAlpha(0);
  QTimer::singleShot(1, this, [this] { FadeInStep(); });
}

void TbsSkinFrame::FadeInStep() {
  const int target = FAlphaBlend || !FAlphaBlendAnimation ? FAlphaBlendValue : kOpaque;
  if (FAlphaBlendAnimation) {
    QCoreApplication::processEvents();
    for (int alpha = kAlphaStep; alpha < target; alpha += kAlphaStep) ApplyAlpha(alpha);
    ApplyAlpha(target);
  } else if (target != kOpaque) {
    ApplyAlpha(target);
  }
  if (target == kOpaque) ApplyAlpha(kOpaque);
}
