#include "skin/form/tbsskinframe.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "framework/tapplication.h"
#include "platform/windowposition.h"
#include "skin/data/tbsdataskinanimate.h"
#include "skin/data/tbsdataskinbutton.h"
#include "skin/data/tbsdataskincaption.h"
#include "skin/data/tbsdataskinmainmenubarbutton.h"
#include "skin/data/tbsdataskinmainmenuitem.h"
#include "skin/data/tbsdataskinmenuitem.h"
#include "skin/data/tbsdataskinstdbutton.h"
#include "skin/data/tbsdatauserobject.h"
#include "skin/data/tbsresourcestrdata.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/skinimage.h"
#include "skin/draw/skinregion.h"
#include "skin/draw/skinwindow.h"
#include "skin/form/frameeffects.h"
#include "skin/form/framegeometry.h"
#include "skin/form/tbsskinanimateobject.h"
#include "skin/form/tbsskincaptionobject.h"
#include "skin/form/tbsskinpopupmenu.h"
#include "skin/form/tbsskinstdbuttonobject.h"
#include "skin/form/tbsuserobject.h"
#include "framework/handlerguard.h"

namespace {

constexpr int kDefaultBorder = 3;          // the default frame's bevelled border
constexpr int kCaptionHeight = 19;         // default caption height
constexpr int kToolCaptionHeight = 15;     // ... of tool windows
constexpr int kButtonSize = 17;            // default caption buttons
constexpr int kToolButtonSize = 13;
constexpr int kDefaultButtonTop = 4;
constexpr int kUnskinnedMinWidth = 120;
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

// ---------------------------------------------------------------- geometry

void TbsSkinFrame::CalcSize(TRect& r) {
  if (!FForm->HasBorder()) return;
  if (!FSkinned) {
    r.Left += kDefaultBorder;
    r.Top += DefaultCaptionHeight() + kDefaultBorder;
    r.Right -= kDefaultBorder;
    r.Bottom -= kDefaultBorder;
  } else {
    SizeGeometry();
    const TbsSkinData& d = *FSkinData;
    const TRect& cr = d.ClientRect;
    r = TRect{r.Left + cr.Left, r.Top + cr.Top, r.Right + cr.Right - d.Picture.Width(),
              r.Bottom + cr.Bottom - d.Picture.Height()};
  }
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
}

void TbsSkinFrame::SizeGeometry() {
  if (!FSkinned) return;
  if (FFrameWidth == 0 || FFrameHeight == 0) {
    FFrameWidth = FForm->width();
    FFrameHeight = FForm->height();
  }
  const TbsSkinData& d = *FSkinData;
  const int pw = d.Picture.Width(), ph = d.Picture.Height();
  const int dw = FFrameWidth - pw, dh = FFrameHeight - ph;
  const TbsSizedGeometry g = ComputeSizedGeometry({0, 0, pw, ph}, d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint,
                                                  d.RightBottomPoint, d.ClientRect, FFrameWidth, FFrameHeight);
  FSizedLeftTopPoint = g.SizedLeftTopPoint;
  FSizedRightTopPoint = g.SizedRightTopPoint;
  FSizedLeftBottomPoint = g.SizedLeftBottomPoint;
  FSizedRightBottomPoint = g.SizedRightBottomPoint;
  FSizedClientRect = g.SizedClientRect;

  FSizedCaptionRect = d.CaptionRect;
  if (!IsEmptyPiece(d.CaptionRect)) FSizedCaptionRect.Right += dw;
  FSizedButtonsRect = d.ButtonsRect;
  FButtonsAnchoredLeft = false;
  if (!IsEmptyPiece(d.ButtonsRect)) {
    if (pw / 2 < d.ButtonsRect.Left) OffsetRect(FSizedButtonsRect, dw, 0);
    else FButtonsAnchoredLeft = true;
  }
  FSizedHitTestPoints[0] = d.HitTestLeftTopPoint;
  FSizedHitTestPoints[1] = {d.HitTestRightTopPoint.X + dw, d.HitTestRightTopPoint.Y};
  FSizedHitTestPoints[2] = {d.HitTestLeftBottomPoint.X, d.HitTestLeftBottomPoint.Y + dh};
  FSizedHitTestPoints[3] = {d.HitTestRightBottomPoint.X + dw, d.HitTestRightBottomPoint.Y + dh};
  FSizedMaskRectArea = d.MaskRectArea;
  FSizedMaskRectArea.Right += dw;
  FSizedMaskRectArea.Bottom += dh;
}

int TbsSkinFrame::MinimumWidth() const {
  const bool minimized = FWindowState == bswsMinimized;
  if (FSkinned) {
    const int pw = FSkinData->Picture.Width();
    return FMinWidth > pw && !minimized ? FMinWidth : pw;
  }
  return FMinWidth > 0 ? FMinWidth : kUnskinnedMinWidth;
}

int TbsSkinFrame::MinimumHeight() const {
  const int frameOnly = FSkinned ? FSkinData->Picture.Height() - FSkinData->ClientRect.Height()
                                 : DefaultCaptionHeight() + 2 * kDefaultBorder;
  if (frameOnly < FMinHeight && !FRolledUp && FWindowState != bswsMinimized) return FMinHeight;
  return frameOnly;
}

TRect TbsSkinFrame::MaximizeArea() const {
  TRect area, full;
  if (!GetMonitorWorkArea(FForm, !FMaximizeOnFullScreen, area)) return FForm->BoundsRect();
  // Without a taskbar a window covering the whole screen would hide an
  // auto-hidden one, so it stays a pixel inside.
  if (!FMaximizeOnFullScreen && GetMonitorWorkArea(FForm, false, full) && area.Width() == full.Width() &&
      area.Height() == full.Height())
    area = TRect{area.Left + 1, area.Top + 1, area.Right - 1, area.Bottom - 1};
  return area;
}

// ---------------------------------------------------------------- objects

void TbsSkinFrame::FreeObjects() {
  FHotIndex = FPrevHotIndex = FCapturedIndex = -1;
  FObjects.clear();
}

void TbsSkinFrame::CreateObjects() {
  FreeObjects();
  for (const auto& record : FSkinData->ObjectRecords) {
    const TbsDataSkinObject* r = record.get();
    if (dynamic_cast<const TbsDataSkinMenuItem*>(r) || dynamic_cast<const TbsDataSkinMainMenuItem*>(r) ||
        dynamic_cast<const TbsDataSkinMainMenuBarButton*>(r))
      continue;  // looks of menus, not frame parts
    if (dynamic_cast<const TbsDataSkinStdButton*>(r)) FObjects.push_back(std::make_unique<TbsSkinStdButtonObject>(this, r));
    else if (dynamic_cast<const TbsDataSkinButton*>(r)) FObjects.push_back(std::make_unique<TbsSkinButtonObject>(this, r));
    else if (dynamic_cast<const TbsDataSkinCaption*>(r)) FObjects.push_back(std::make_unique<TbsSkinCaptionObject>(this, r));
    else if (dynamic_cast<const TbsDataSkinAnimate*>(r)) FObjects.push_back(std::make_unique<TbsSkinAnimateObject>(this, r));
    else if (dynamic_cast<const TbsDataUserObject*>(r)) FObjects.push_back(std::make_unique<TbsUserObject>(this, r));
  }
}

void TbsSkinFrame::CreateDefaultObjects() {
  FreeObjects();
  const std::pair<const char*, TbsStdCommand> buttons[] = {
      {"closebutton", cmClose},   {"maxbutton", cmMaximize},     {"minbutton", cmMinimize},
      {"rollupbutton", cmRollUp}, {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray}};
  for (const auto& [name, command] : buttons)
    FObjects.push_back(std::make_unique<TbsSkinStdButtonObject>(this, name, command));
}

void TbsSkinFrame::ApplyBorderIcons() {
  for (const auto& o : FObjects) {
    TbsStdCommand command;
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) command = b->Command;
    else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()); a && a->ButtonStyle) command = a->Command;
    else continue;
    if (FHideCaptionButtons) {
      o->Enabled = false;
      o->Visible = !o->SkinRectInAPicture;
      continue;
    }
    if (command == cmDefault) {
      bool active = false;
      if (OnActivateCustomObject) OnActivateCustomObject(o->IDName, active);
      o->Visible = active;
      continue;
    }
    const unsigned needs = command == cmRollUp ? biRollUp : command == cmMaximize ? biMaximize
                         : command == cmMinimize ? biMinimize : command == cmSysMenu ? biSystemMenu
                         : command == cmMinimizeToTray ? biMinimizeToTray : 0;
    const bool allowed = needs == 0 || (FBorderIcons & needs);
    o->Enabled = allowed;
    o->Visible = allowed || !o->SkinRectInAPicture;
  }
  FillDefaultHints();
}

void TbsSkinFrame::FillDefaultHints() {
  if (!FUseDefaultObjectHint || !FSkinData) return;
  for (const auto& o : FObjects) {
    TbsStdCommand command;
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) command = b->Command;
    else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) command = a->Command;
    else continue;
    const char* key = nullptr;
    const char* text = nullptr;
    switch (command) {
      case cmClose: key = "CLOSEBUTTON_HINT", text = "Close"; break;
      case cmMaximize: key = "MAXBUTTON_HINT", text = "Maximize"; break;
      case cmMinimize: key = "MINBUTTON_HINT", text = "Minimize"; break;
      case cmSysMenu: key = "MENUBUTTON_HINT", text = "System menu"; break;
      case cmRollUp: key = "ROLLUPBUTTON_HINT", text = "Roll Up"; break;
      case cmMinimizeToTray: key = "TRAYBUTTON_HINT", text = "Minimize to Tray"; break;
      case cmDefault: continue;  // keeps the skin's own hint
    }
    const std::string fromSkin = FSkinData->ResourceStrData() ? FSkinData->Text(key) : std::string();
    o->Hint = fromSkin.empty() ? text : fromSkin;
  }
}

void TbsSkinFrame::LayoutObjects() {
  if (!FSkinned) return;
  const TbsSkinData& d = *FSkinData;
  const int pw = d.Picture.Width(), ph = d.Picture.Height();
  const int dx = FSizedRightBottomPoint.X - d.RightBottomPoint.X;
  const int dy = FSizedRightBottomPoint.Y - d.RightBottomPoint.Y;
  TbsSkinCaptionObject* caption = nullptr;
  for (const auto& o : FObjects) {
    if (!o->SkinRectInAPicture)
      o->Bounds = AnchorObjectRect(o->SkinRect, d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint,
                                   d.RightBottomPoint, pw, ph, dx, dy);
    if (!caption) caption = dynamic_cast<TbsSkinCaptionObject*>(o.get());
  }

  const bool buttonsBox = !IsEmptyPiece(FSizedButtonsRect);
  const TRect box = buttonsBox ? FSizedButtonsRect : FSizedCaptionRect;
  if (IsEmptyPiece(box)) return;
  auto ownPicture = [](TbsActiveSkinObject* o) { return o->Visible && o->SkinRectInAPicture; };
  // The row: close, maximise, minimise, roll-up, tray, then the
  // application's buttons in list order.
  std::vector<TbsSkinStdButtonObject*> row;
  for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
    for (const auto& o : FObjects)
      if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == command && ownPicture(b)) {
        row.push_back(b);
        break;
      }
  for (const auto& o : FObjects)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == cmDefault && ownPicture(b))
      row.push_back(b);
  TbsSkinStdButtonObject* sysMenu = nullptr;
  for (const auto& o : FObjects)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == cmSysMenu && ownPicture(b)) {
      sysMenu = b;
      break;
    }
  auto sizeOf = [this](TbsSkinStdButtonObject* b) {
    if (b->Command == cmSysMenu && FShowIcon) return TPoint{SmallIconSize(), SmallIconSize()};
    return TPoint{RectWidthOf(b->SkinRect), RectHeightOf(b->SkinRect)};
  };
  const int y = box.Top, gap = d.ButtonsOffset;
  auto placeSysMenuAtCaption = [&] {
    if (!sysMenu) return;
    const TPoint s = sizeOf(sysMenu);
    const int x = FSizedCaptionRect.Left, top = box.Top + RectHeightOf(box) / 2 - s.Y / 2;
    sysMenu->Bounds = Bounds(x, top, s.X, s.Y);
    if (caption) caption->Bounds.Left = x + s.X;
  };
  if (!d.ButtonsInLeft) {
    int x = box.Right;
    for (TbsSkinStdButtonObject* b : row) {
      const TPoint s = sizeOf(b);
      b->Bounds = TRect{x - s.X, y, x, y + s.Y};
      x -= s.X + gap;
    }
    if (!buttonsBox && caption) caption->Bounds.Right = x + gap;
    placeSysMenuAtCaption();
  } else {
    // On the left the system-menu button ends the row; the title starts
    // after the row wherever the row reaches into the caption.
    int x = box.Left;
    if (sysMenu) row.push_back(sysMenu);
    for (TbsSkinStdButtonObject* b : row) {
      const TPoint s = sizeOf(b);
      b->Bounds = TRect{x, y, x + s.X, y + s.Y};
      x += s.X + gap;
    }
    if (caption && (!buttonsBox || caption->Bounds.Left < x + gap)) caption->Bounds.Left = x + gap;
  }
}

void TbsSkinFrame::RelayoutObjects() {
  if (FSkinned) {
    SizeGeometry();
    LayoutObjects();
  } else if (!FObjects.empty()) {
    LayoutDefaultObjects();
  }
  RepaintFrame();
}

void TbsSkinFrame::LayoutDefaultObjects() {
  if (FObjects.empty()) {
    CreateDefaultObjects();
    ApplyBorderIcons();
  }
  const int ch = DefaultCaptionHeight(), bs = DefaultButtonSize();
  const int W = FForm->width(), H = FForm->height();
  FDefaultCaptionRect = TRect{kDefaultBorder, kDefaultBorder, W - kDefaultBorder, ch};
  FSizedClientRect = TRect{kDefaultBorder, ch + kDefaultBorder, W - kDefaultBorder, H - kDefaultBorder};
  int x = W - kDefaultBorder;
  for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
    for (const auto& o : FObjects)
      if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == command && b->Visible) {
        b->Bounds = TRect{x - bs, kDefaultButtonTop, x, kDefaultButtonTop + bs};
        x -= bs;
        break;
      }
  FDefaultCaptionRect.Right = x;
  for (const auto& o : FObjects)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == cmSysMenu && b->Visible) {
      const int w = FShowIcon ? SmallIconSize() : bs;
      const int left = FDefaultCaptionRect.Left;
      b->Bounds = TRect{left, kDefaultButtonTop, left + w, kDefaultButtonTop + std::min(w, bs)};
      FDefaultCaptionRect.Left += w;
      break;
    }
}

// ---------------------------------------------------------------- region

void TbsSkinFrame::ClearRegion() {
  if (FHasRegion && FForm) FForm->clearMask();
  FHasRegion = false;
  FWindowRegion = QRegion();
}

void TbsSkinFrame::RebuildRegion() {
  if (!FForm->HasBorder() || !FSkinned || FSkinData->Mask.Empty()) {
    ClearRegion();
    FMaskStrips.Clear();
    return;
  }
  const TbsSkinData& d = *FSkinData;
  FMaskStrips.Clear();  // a strip with nothing to cover must not keep an old size
  ComposeMaskStrips(d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint, d.MaskRectArea,
                    FSizedLeftTopPoint, FSizedRightTopPoint, FSizedLeftBottomPoint, FSizedRightBottomPoint,
                    FSizedMaskRectArea, d.Mask, FFrameWidth, FMaskStrips.Left, FMaskStrips.Top, FMaskStrips.Right,
                    FMaskStrips.Bottom);
  const TRect& a = FSizedMaskRectArea;
  QRegion region(ToQRect(a));
  auto add = [&region](const TBitmap& strip, int x, int y) {
    if (strip.Empty()) return;
    if (std::optional<QRegion> r = RegionFromMask(strip)) region += r->translated(x, y);
  };
  add(FMaskStrips.Top, 0, 0);
  add(FMaskStrips.Bottom, 0, a.Bottom);
  add(FMaskStrips.Left, 0, a.Top);
  add(FMaskStrips.Right, a.Right, a.Top);
  FWindowRegion = region;
  FHasRegion = true;
  FForm->setMask(region);
}

void TbsSkinFrame::RebuildFrame(bool layoutObjects) {
  if ((ComponentState() & csDesigning) || !FSkinned) return;
  SizeGeometry();
  if (layoutObjects) LayoutObjects();
  RebuildRegion();
  if (!FHasRegion) RepaintFrame();
}

// ---------------------------------------------------------------- hit testing

bool TbsSkinFrame::OnCaptionObject(const TPoint& p) const {
  for (const auto& o : FObjects)
    if (dynamic_cast<const TbsSkinCaptionObject*>(o.get()) && PtInRect(o->Bounds, p)) return true;
  return false;
}

int TbsSkinFrame::HitTest(const TPoint& p) {
  if (!FSkinned) {
    LayoutDefaultObjects();
    TbsDefaultHitTest t;
    t.P = p;
    t.Width = FForm->width();
    t.Height = FForm->height();
    t.CaptionHeight = DefaultCaptionHeight();
    t.CaptionRect = FDefaultCaptionRect;
    t.ObjectHot = Object(FHotIndex) != nullptr;
    t.Maximized = FWindowState == bswsMaximized;
    t.Minimized = FWindowState == bswsMinimized;
    t.RolledUp = FRolledUp;
    t.Sizeable = FForm->Sizeable();
    return DefaultHitTestCode(t);
  }
  if (!FInSizeMove) {
    FFrameWidth = FForm->width();
    FFrameHeight = FForm->height();
  }
  SizeGeometry();
  TbsSkinnedHitTest t;
  t.P = p;
  t.FrameWidth = FFrameWidth;
  t.FrameHeight = FFrameHeight;
  t.SizedClientRect = FSizedClientRect;
  t.HitLeftTop = FSizedHitTestPoints[0];
  t.HitRightTop = FSizedHitTestPoints[1];
  t.HitLeftBottom = FSizedHitTestPoints[2];
  t.HitRightBottom = FSizedHitTestPoints[3];
  t.BorderWidth = FSkinData->BorderWidth;
  t.Mask = &FMaskStrips;
  t.SizedMaskRectArea = FSizedMaskRectArea;
  t.OnCaptionObject = OnCaptionObject(p);
  t.ObjectHot = Object(FHotIndex) != nullptr;
  t.InSizeMove = FInSizeMove;
  t.Maximized = FWindowState == bswsMaximized;
  t.Minimized = FWindowState == bswsMinimized;
  t.RolledUp = FRolledUp;
  t.Sizeable = FForm->Sizeable();
  return SkinnedHitTestCode(t);
}

// ---------------------------------------------------------------- object input

void TbsSkinFrame::UpdateHover(const TPoint& p, bool search) {
  if (!IsFormActive() || FObjects.empty()) return;
  FPrevHotIndex = FHotIndex;
  int hot = -1;
  if (search)
    for (int i = 0; i < int(FObjects.size()); ++i) {
      const TbsActiveSkinObject& o = *FObjects[size_t(i)];
      if (o.Enabled && o.Visible && PtInRect(o.Bounds, p)) {
        hot = i;
        break;
      }
    }
  if (FCapturedIndex != -1 && hot != FCapturedIndex) hot = -1;
  if (hot == FHotIndex) return;
  FHotIndex = hot;
  const bool objectHints = FShowObjectHint && FSkinHint;
  if (TbsActiveSkinObject* prev = Object(FPrevHotIndex); prev && prev->Enabled && prev->Visible) {
    prev->MouseLeave();
    if (objectHints && !prev->Hint.empty()) FSkinHint->HideHint();
  }
  if (TbsActiveSkinObject* now = Object(FHotIndex)) {
    now->MouseEnter();
    if (objectHints && !now->Hint.empty()) FSkinHint->ShowHintDelayed(now->Hint);
  }
}

void TbsSkinFrame::HoverTimerStep() {
  if (!IsFormActive()) return;
  if (FInSizeMove || FForm->InMoveSizeLoop()) {
    FHoverTimer.stop();
    return;
  }
  const QPoint cursor = PointerPixel();
  HoverAt(WindowPoint(cursor.x(), cursor.y()));
}

void TbsSkinFrame::HoverAt(const TPoint& p) {
  if (!PtInRect(FSizedClientRect, p)) UpdateHover(p, true);
  else if (FHotIndex != -1) UpdateHover({-1, -1}, true);
}

void TbsSkinFrame::ObjectButtonDown(int hitCode, const TPoint& p, int button) {
  UpdateHover(p, true);
  if (TbsActiveSkinObject* hot = Object(FHotIndex)) {
    if (!dynamic_cast<TbsSkinCaptionObject*>(hot)) FForm->SetCapture();
    FCapturedIndex = FHotIndex;
    hot->MouseDown(p.X, p.Y, button);
  }
  if (hitCode == HTCAPTION) FCapturedIndex = -1;
}

void TbsSkinFrame::ObjectButtonUp(const TPoint& releasedAt, const TPoint& p, int button) {
  TbsActiveSkinObject* captured = Object(FCapturedIndex);
  if (!captured) return;
  // The hover timer may not have seen the pointer leave yet; a command runs
  // only when the button goes up over its object.
  HoverAt(releasedAt);
  if (!dynamic_cast<TbsSkinCaptionObject*>(captured)) FForm->ReleaseCapture();
  FCapturedIndex = -1;
  captured->MouseUp(p.X, p.Y, button);
}

void TbsSkinFrame::ResetObjectLooks() {
  for (const auto& o : FObjects) {
    if (dynamic_cast<TbsSkinCaptionObject*>(o.get())) continue;
    o->MouseInside = false;
    o->Hot = false;
    if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) a->CurrentFrame = 1;
    else o->MorphFactor = 0;
  }
}

void TbsSkinFrame::UpdateActivationLook(bool repaint) {
  const bool active = IsFormActive();
  for (const auto& o : FObjects) {
    auto* caption = dynamic_cast<TbsSkinCaptionObject*>(o.get());
    if (!caption) continue;
    if (caption->Hot != active) {
      caption->Hot = active;
      if (repaint) {
        RepaintFrame();
        if (caption->Morphing) StartMorphTimer();
      } else if (caption->Morphing) {
        caption->MorphFactor = active ? 1 : 0;
      }
    }
    break;
  }
  if (active && OnActivate) OnActivate();
  if (!active && OnDeActivate) OnDeActivate();
}

void TbsSkinFrame::CloseForm() { FForm->close(); }

// ---------------------------------------------------------------- timers

void TbsSkinFrame::StopTimers() {
  FHoverTimer.stop();
  FMorphTimer.stop();
  FAnimateTimer.stop();
}

void TbsSkinFrame::StartMorphTimer() {
  if (!FMorphTimer.isActive()) FMorphTimer.start();
}

void TbsSkinFrame::StartAnimateTimer() {
  if (!FAnimateTimer.isActive()) FAnimateTimer.start();
}

void TbsSkinFrame::MorphTimerStep() {
  bool more = false;
  for (size_t i = 0; i < FObjects.size(); ++i) {
    TbsActiveSkinObject* o = FObjects[i].get();
    if (o->Morphing && o->NeedsMorphStep()) {
      o->MorphStep();
      more = more || o->NeedsMorphStep();
    }
  }
  if (!more) FMorphTimer.stop();
}

void TbsSkinFrame::AnimateTimerStep() {
  bool more = false;
  for (size_t i = 0; i < FObjects.size(); ++i)
    if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(FObjects[i].get()); a && a->Hot) {
      a->AnimationStep();
      more = more || a->Hot;
    }
  if (!more) FAnimateTimer.stop();
}

// ---------------------------------------------------------------- painting

void TbsSkinFrame::RepaintFrame() {
  if (FForm) FForm->InvalidateFrame();
}

void TbsSkinFrame::RepaintNow(const TRect& r) {
  if (!FForm || !FForm->HasBorder() || !FForm->isVisible()) return;
  FForm->repaint(ToQRect(r));
}

void TbsSkinFrame::PaintSkinned(TCanvas& canvas) {
  FFrameWidth = FForm->width();
  FFrameHeight = FForm->height();
  if (FFrameWidth < MinimumWidth() || FFrameHeight < MinimumHeight()) return;
  SizeGeometry();
  LayoutObjects();
  const TbsSkinData& d = *FSkinData;
  const bool active = IsFormActive();
  const TBitmap& source = !active && !d.InactivePicture.Empty() ? d.InactivePicture : d.Picture;
  TBitmap left, top, right, bottom;
  ComposeFrameEdges(d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint, d.ClientRect,
                    FSizedLeftTopPoint, FSizedRightTopPoint, FSizedLeftBottomPoint, FSizedRightBottomPoint,
                    FSizedClientRect, left, top, right, bottom, source, {0, 0, d.Picture.Width(), d.Picture.Height()},
                    FFrameWidth, FFrameHeight, d.LeftStretch, d.TopStretch, d.RightStretch, d.BottomStretch);
  // The caption objects' text goes to the strips' device layers too.
  const QPainter& device = canvas.Painter();
  PlaceOnDevice(top, device, 0, 0);
  PlaceOnDevice(left, device, 0, top.Height());
  PlaceOnDevice(right, device, FFrameWidth - right.Width(), top.Height());
  PlaceOnDevice(bottom, device, 0, FFrameHeight - bottom.Height());
  for (const auto& o : FObjects) {
    if (!o->Visible) continue;
    if (o->Bounds.Bottom > FSizedClientRect.Top) {
      if (bottom.Empty()) continue;
      const TRect kept = o->Bounds;
      OffsetRect(o->Bounds, 0, -FSizedClientRect.Bottom);
      o->Draw(bottom.Canvas(), false);
      o->Bounds = kept;
    } else if (!top.Empty()) {
      o->Draw(top.Canvas(), false);
    }
  }
  QPainter& painter = canvas.Painter();
  painter.save();
  if (!IsEmptyPiece(FSizedClientRect))
    painter.setClipRegion(QRegion(0, 0, FFrameWidth, FFrameHeight) - QRegion(ToQRect(FSizedClientRect)));
  if (!active && d.AutoRenderingInactiveImage)
    for (TBitmap* strip : {&left, &top, &right, &bottom}) ApplyInactiveEffect(*strip, int(d.InactiveEffect));
  if (!top.Empty()) canvas.Draw(0, 0, top);
  if (!left.Empty()) canvas.Draw(0, top.Height(), left);
  if (!right.Empty()) canvas.Draw(FFrameWidth - right.Width(), top.Height(), right);
  if (!bottom.Empty()) canvas.Draw(0, FFrameHeight - bottom.Height(), bottom);
  painter.restore();
}

void TbsSkinFrame::PaintDefault(TCanvas& canvas) {
  LayoutDefaultObjects();
  const int W = FForm->width(), H = FForm->height();
  const int ch = DefaultCaptionHeight();
  const TRect& cap = FDefaultCaptionRect;

  TBitmap bar(std::max(0, W - 2 * kDefaultBorder), ch);
  TCanvas& c = bar.Canvas();
  c.Brush.Color = clBtnFace;
  c.FillRect({0, 0, bar.Width(), ch});
  if (ch - 4 > 1)
    for (int row = 2; row <= ch - 4; ++row) {
      c.Pen.Color = (row % 2 == 0) ? clBtnHighlight : clBtnShadow;
      c.MoveTo(cap.Left - 1, row);
      c.LineTo(cap.Right - 6, row);
    }
  c.Font = IsFormActive() ? FDefCaptionFont : FDefInActiveCaptionFont;
  std::string text = FForm->Caption();
  if (!text.empty()) {
    const int available = cap.Right - cap.Left + 3;
    TruncateTextToWidth(c, text, available);
    const int tw = c.TextWidth(text);
    const int x = cap.Left - kDefaultBorder + available / 2 - (tw + 5) / 2;
    const int y = ch / 2 - c.TextHeight(text) / 2;
    c.Brush.Color = clBtnFace;
    c.Brush.Style = bsSolid;
    c.TextRect({x, 0, x + tw + 5, ch}, x + 3, y, text);
  }
  for (const auto& o : FObjects) {
    if (!o->Visible) continue;
    const TRect kept = o->Bounds;
    OffsetRect(o->Bounds, -kDefaultBorder, -kDefaultBorder);
    o->Draw(c, true);
    o->Bounds = kept;
  }

  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setClipRegion(QRegion(0, 0, W, H) -
                        QRegion(kDefaultBorder, ch + kDefaultBorder, W - 2 * kDefaultBorder, H - ch - 2 * kDefaultBorder));
  canvas.Draw(kDefaultBorder, kDefaultBorder, bar);
  // Three one-pixel bevels from the outside in: top-left colour, bottom-right colour.
  const std::pair<TColor, TColor> bevels[] = {
      {cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}, {clBtnFace, clBtnFace}};
  for (int i = 0; i < 3; ++i) {
    const int l = i, t = i, r = W - i, b = H - i;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = bevels[i].first;
    canvas.FillRect({l, t, r - 1, t + 1});
    canvas.FillRect({l, t, l + 1, b - 1});
    canvas.Brush.Color = bevels[i].second;
    canvas.FillRect({l, b - 1, r, b});
    canvas.FillRect({r - 1, t, r, b});
  }
  // The band between the caption bar and the client area.
  canvas.Brush.Color = clBtnFace;
  canvas.FillRect({kDefaultBorder, ch + kDefaultBorder, W - kDefaultBorder, ch + kDefaultBorder});
  painter.restore();
}

void TbsSkinFrame::EraseBackground(TCanvas& canvas) {
  const int w = FForm->ClientWidth(), h = FForm->ClientHeight();
  auto fill = [&] {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect({0, 0, w, h});
  };
  auto tile = [&](const TBitmap& picture, const TRect& piece) {
    const int tw = RectWidthOf(piece), th = RectHeightOf(piece);
    if (tw < 1 || th < 1) return fill();
    QPainter& p = canvas.Painter();
    for (int col = 0; col <= w / tw; ++col)
      for (int row = 0; row <= h / th; ++row)
        DrawImageCrisp(p, QRect(col * tw, row * th, tw, th), picture.Image(), ToQRect(piece));
  };
  if (!FSkinned) {
    fill();
  } else if (TBitmap* bg = FSkinData->ActivePicture(FSkinData->BGPictureIndex)) {
    tile(*bg, {0, 0, bg->Width(), bg->Height()});
  } else if (IsEmptyPiece(FSkinData->ClientRect)) {
    fill();
  } else {
    tile(FSkinData->Picture, FSkinData->ClientRect);
  }
  if (!FLogoBitMap.Empty()) {
    TBitmap logo = FLogoBitMap;
    logo.Transparent = FLogoBitMapTransparent;
    canvas.Draw(std::max(0, w / 2 - logo.Width() / 2), std::max(0, h / 2 - logo.Height() / 2), logo);
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

// ---------------------------------------------------------------- window states

void TbsSkinFrame::SetWindowState(TbsWindowState value) {
  if (value == FWindowState) return;
  const bool appMinimize = value == bswsMinimized && IsMainForm();
  if (!appMinimize) FWindowState = value;
  switch (value) {
    case bswsMinimized: Minimize(); break;
    case bswsMaximized: Maximize(); break;
    case bswsNormal: Restore(); break;
  }
  RepaintFrame();
}

void TbsSkinFrame::Minimize() {
  if (IsMainForm()) {
    FForm->showMinimized();
    return;
  }
  if (IsEmptyPiece(FNormalBounds)) FNormalBounds = FForm->BoundsRect();
  const int minW = MinimumWidth(), minH = MinimumHeight();
  TRect work;
  if (!GetMonitorWorkArea(FForm, true, work)) work = FForm->BoundsRect();
  const TPoint first{work.Left, work.Bottom - minH};
  TPoint slot = first;
  auto taken = [&](const TPoint& at) {
    for (TForm* other : Screen().Forms()) {
      if (other == FForm || other == (Application() ? Application()->MainForm() : nullptr) || !other->isVisible())
        continue;
      auto* frame = other->findChild<TbsSkinFrame*>(QString(), Qt::FindDirectChildrenOnly);
      if (frame && frame->WindowState() == bswsMinimized && other->Left() == at.X && other->Top() == at.Y) return true;
    }
    return false;
  };
  while (taken(slot)) {
    if (slot.X + 2 * minW > work.Right) {
      slot = {work.Left, slot.Y - minH};
      if (slot.Y < work.Top) {
        slot = first;  // no room left: windows overlap
        break;
      }
    } else {
      slot.X += minW;
    }
  }
  FForm->SetBounds(slot.X, slot.Y, minW, minH);
}

void TbsSkinFrame::Maximize() {
  if (IsEmptyPiece(FNormalBounds)) FNormalBounds = FForm->BoundsRect();
  const TRect target = MaximizeArea();
  FForm->SetBounds(target.Left, target.Top, target.Width(), target.Height());
}

void TbsSkinFrame::Restore() {
  FRolledUpMaximized = false;
  // Maximised by the window manager: it keeps the size from before and gives
  // it back once asked, later. A nudge now would size the window from its
  // maximised width again.
  const bool managerSizes = FForm->isMaximized() && IsEmptyPiece(FNormalBounds);
  if (FForm->isMinimized() || FForm->isMaximized()) FForm->showNormal();
  const QSize before = FForm->size();
  if (!IsEmptyPiece(FNormalBounds))
    FForm->SetBounds(FNormalBounds.Left, FNormalBounds.Top, FNormalBounds.Width(), FNormalBounds.Height());
  FHoverTimer.start();
  if (FForm->size() == before && !managerSizes) Nudge();
  FForm->update();
  FNormalBounds = TRect{};
}

// The window manager's own menu, a pager or a keyboard binding may maximise
// or restore the window behind our back (the window's _NET_WM_STATE): the
// frame takes that state as its own, so its menu and maximise button offer
// the way back.
void TbsSkinFrame::FollowPlatformState() {
  const bool maximized = FForm->isMaximized();
  if (maximized == FPlatformMaximized) return;
  FPlatformMaximized = maximized;
  if (maximized && FWindowState != bswsMaximized) {
    // The manager sized the window; the size to go back to is the manager's.
    FWindowState = bswsMaximized;
    RepaintFrame();
  } else if (!maximized && FWindowState == bswsMaximized && !FForm->isMinimized()) {
    // Restored by the manager: our own bounds from before win when the frame
    // had maximised the window first.
    FWindowState = bswsNormal;
    FRolledUpMaximized = false;
    if (!IsEmptyPiece(FNormalBounds))
      FForm->SetBounds(FNormalBounds.Left, FNormalBounds.Top, FNormalBounds.Width(), FNormalBounds.Height());
    FNormalBounds = TRect{};
    FHoverTimer.start();
    RepaintFrame();
  }
}

void TbsSkinFrame::SetRollUp(bool value) {
  if (value == FRolledUp) return;
  if (!(FBorderIcons & biRollUp) || FWindowState == bswsMinimized) return;
  if (FRolledUp && FWindowState == bswsMaximized && !FRolledUpMaximized) return;
  if (FWindowState == bswsMaximized) FRolledUpMaximized = value;
  FRolledUp = value;
  if (value) {
    FRolledUpHeight = FForm->height();
    FForm->SetHeight(MinimumHeight());
  } else {
    FForm->SetHeight(FRolledUpHeight);
  }
  RepaintFrame();
  if (OnChangeRollUpState) OnChangeRollUpState();
}

void TbsSkinFrame::CaptionDblClick() {
  const bool sizeable = FForm->Sizeable();
  if (sizeable && FWindowState == bswsMinimized) SetWindowState(bswsNormal);
  else if (sizeable && FWindowState != bswsMaximized && !FRolledUp && (FBorderIcons & biMaximize))
    SetWindowState(bswsMaximized);
  else if (sizeable && FWindowState == bswsMaximized && !FRolledUpMaximized) SetWindowState(bswsNormal);
  else SetRollUp(!FRolledUp);
}

// ---------------------------------------------------------------- tray

void TbsSkinFrame::SetTrayIcon(TbsTrayIcon* value) {
  if (FTrayIcon == value) return;
  FTrayIcon = value;
  if (ComponentState() & csDesigning) {
    SetBorderIcons(value ? FBorderIcons | biMinimizeToTray : FBorderIcons & ~biMinimizeToTray);
    if (!value) return;
  }
  if (!value) return;
  if (!FAlwaysShowInTray) value->RemoveIcon();
  value->SetMinimizeToTray(false);
  if (ComponentState() & csDesigning || value->PopupMenu()) return;
  value->SetPopupMenu(TrayMenu());
  value->OnDblClick = [frame = QPointer<TbsSkinFrame>(this)] {
    if (frame) frame->RestoreAppFromTray();
  };
}

TbsSkinPopupMenu* TbsSkinFrame::TrayMenu() {
  if (FTrayMenu) return FTrayMenu;
  FTrayMenu = new TbsSkinPopupMenu(this);
  const QPointer<TbsSkinFrame> self(this);
  TMenuItem* items = FTrayMenu->Items();
  items->Add("TRAY_BSF_RESTORE", "", [self] {
    if (self) self->RestoreAppFromTray();
  });
  items->Add("", "-");
  items->Add("TRAY_BSF_CLOSE", "", [self] {
    if (self) self->CloseForm();
  });
  // Captions and look follow the skin shown when the menu opens.
  FTrayMenu->OnPopup = [this] { UpdateTrayMenu(); };
  UpdateTrayMenu();
  return FTrayMenu;
}

void TbsSkinFrame::UpdateTrayMenu() {
  TbsSkinData* skin = FMenusSkinData ? FMenusSkinData.data() : FSkinData.data();
  FTrayMenu->SetSkinData(skin);
  auto caption = [skin](const char* key) { return skin ? skin->Text(key) : TbsResourceStrData::BuiltInText(key); };
  if (TMenuItem* item = FTrayMenu->FindItem("TRAY_BSF_RESTORE")) item->SetCaption(caption("MI_RESTORECAPTION"));
  if (TMenuItem* item = FTrayMenu->FindItem("TRAY_BSF_CLOSE")) item->SetCaption(caption("MI_CLOSECAPTION"));
}

// Without a tray icon both do nothing.
void TbsSkinFrame::MinimizeAppToTray() {
  if (!FTrayIcon) return;
  FTrayIcon->SetMinimizeToTray(true);
  FTrayIcon->MinimizeApplication();
  if (OnMinimizeToTray) OnMinimizeToTray();
}

void TbsSkinFrame::RestoreAppFromTray() {
  if (!FTrayIcon) return;
  FTrayIcon->SetMinimizeToTray(false);
  FTrayIcon->ShowApplication();
  if (!FAlwaysShowInTray) FTrayIcon->RemoveIcon();
  if (OnRestoreFromTray) OnRestoreFromTray();
}
