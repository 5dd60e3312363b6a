// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Takes over a form's whole non-client area: computes the client rectangle
// from the skin, paints the frame as four strips (or a plain default frame
// without a skin), cuts the window to the skin's mask, answers hit tests so
// the framework's move/size loop moves and sizes the window, routes
// non-client mouse input to the caption objects and keeps the window states
// (maximised, minimised, rolled up) itself. Created with its form as owner.
//
// One class, its code split by concern: tbsskinframe.cpp (construction,
// properties, the message hook, skin changes), tbsskinframegeometry.cpp,
// tbsskinframeobjects.cpp, tbsskinframehittest.cpp, tbsskinframepaint.cpp,
// tbsskinframestates.cpp and tbsskinframemenu.cpp.

#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/tbitmap.h"
#include "framework/tcomponent.h"
#include "framework/tcustomhint.h"
#include "framework/tfont.h"
#include "framework/tform.h"
#include "framework/tpopupmenu.h"
#include "skin/form/framehittest.h"
#include "skin/form/tbstrayicon.h"

#include "skin/data/tbsskindata.h"
class TbsActiveSkinObject;
class TbsSkinCaptionObject;
class TbsSkinMenu;
class TbsSkinPopupMenu;

// Caption buttons the frame offers; the first three have the framework's values.
constexpr unsigned biRollUp = 8;
constexpr unsigned biMinimizeToTray = 16;
using TbsBorderIcons = unsigned;
constexpr TbsBorderIcons kDefaultFrameBorderIcons = biSystemMenu | biMinimize | biMaximize | biRollUp;

// Opens the system menu besides Alt+Space, which window managers keep for
// their own window menu.
constexpr int kSystemMenuKey = Qt::Key_F10;
constexpr const char* kSystemMenuKeyText = "F10";

// The frame's own window state, kept apart from the platform's.
enum TbsWindowState { bswsNormal = 0, bswsMinimized = 1, bswsMaximized = 2 };

using TbsObjectMouseEvent = std::function<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect,
                                               TMouseButton Button)>;
using TbsObjectMouseMoveEvent = std::function<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect)>;
using TbsObjectNotifyEvent = std::function<void(const std::string& IDName)>;
using TbsObjectPaintEvent = std::function<void(const std::string& IDName, TCanvas& Canvas, const TRect& ObjectRect)>;
using TbsActivateCustomObjectEvent = std::function<void(const std::string& IDName, bool& Active)>;

class TbsSkinFrame : public TComponent {
  Q_OBJECT
 public:
  static constexpr int kHoverInterval = 50;    // ms between hover checks of the cursor
  static constexpr int kMorphInterval = 20;    // ms between fade steps
  static constexpr int kAnimateInterval = 25;  // ms between animation steps

  explicit TbsSkinFrame(TForm* form);
  ~TbsSkinFrame() override;

  TForm* Form() const { return FForm; }

  // Published properties.
  TbsSkinData* SkinData() const { return FSkinData.data(); }
  void SetSkinData(TbsSkinData* value);
  TbsBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TbsBorderIcons value);
  bool HideCaptionButtons() const { return FHideCaptionButtons; }
  void SetHideCaptionButtons(bool value);
  bool ShowIcon() const { return FShowIcon; }
  void SetShowIcon(bool value);
  int ClientWidth() const { return FClientWidth; }
  void SetClientWidth(int value) { FClientWidth = value; }
  int ClientHeight() const { return FClientHeight; }
  void SetClientHeight(int value) { FClientHeight = value; }
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int value) { FMinWidth = value; }
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int value) { FMinHeight = value; }
  bool MaximizeOnFullScreen() const { return FMaximizeOnFullScreen; }
  void SetMaximizeOnFullScreen(bool value) { FMaximizeOnFullScreen = value; }
  bool Magnetic() const { return FMagnetic; }
  void SetMagnetic(bool value) { FMagnetic = value; }
  int MagneticSize() const { return FMagneticSize; }
  void SetMagneticSize(int value) { FMagneticSize = value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool value);
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool value) { FAlphaBlendAnimation = value; }
  int AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(int value);
  bool ShowObjectHint() const { return FShowObjectHint; }
  void SetShowObjectHint(bool value) { FShowObjectHint = value; }
  // Shows the objects' hints while ShowObjectHint is on; not owned.
  TCustomHint* SkinHint() const { return FSkinHint.data(); }
  void SetSkinHint(TCustomHint* value) { FSkinHint = value; }
  bool UseDefaultObjectHint() const { return FUseDefaultObjectHint; }
  void SetUseDefaultObjectHint(bool value);
  bool AlwaysShowInTray() const { return FAlwaysShowInTray; }
  void SetAlwaysShowInTray(bool value) { FAlwaysShowInTray = value; }
  bool AlwaysMinimizeToTray() const { return FAlwaysMinimizeToTray; }
  void SetAlwaysMinimizeToTray(bool value) { FAlwaysMinimizeToTray = value; }
  // The icon the application minimises to; not owned. Assigning one hides it
  // (unless AlwaysShowInTray) and, when it has no menu, gives it the frame's
  // tray menu and restore on double-click.
  TbsTrayIcon* TrayIcon() const { return FTrayIcon.data(); }
  void SetTrayIcon(TbsTrayIcon* value);
  // Restore, a line and close; owned by the frame, made on first use.
  TbsSkinPopupMenu* TrayMenu();
  bool UseDefaultSysMenu() const { return FUseDefaultSysMenu; }
  void SetUseDefaultSysMenu(bool value) { FUseDefaultSysMenu = value; }
  bool UseSkinFontInMenu() const { return FUseSkinFontInMenu; }
  void SetUseSkinFontInMenu(bool value) { FUseSkinFontInMenu = value; }
  bool MenusAlphaBlend() const { return FMenusAlphaBlend; }
  void SetMenusAlphaBlend(bool value) { FMenusAlphaBlend = value; }
  bool MenusAlphaBlendAnimation() const { return FMenusAlphaBlendAnimation; }
  void SetMenusAlphaBlendAnimation(bool value) { FMenusAlphaBlendAnimation = value; }
  int MenusAlphaBlendValue() const { return FMenusAlphaBlendValue; }
  void SetMenusAlphaBlendValue(int value) { FMenusAlphaBlendValue = value; }
  int DefMenuItemHeight() const { return FDefMenuItemHeight; }
  void SetDefMenuItemHeight(int value) {
    if (value > 0) FDefMenuItemHeight = value;
  }
  TFont& DefMenuItemFont() { return FDefMenuItemFont; }
  TFont& DefCaptionFont() { return FDefCaptionFont; }
  TFont& DefInActiveCaptionFont() { return FDefInActiveCaptionFont; }
  TBitmap& LogoBitMap() { return FLogoBitMap; }
  void SetLogoBitMap(const TBitmap& value);
  bool LogoBitMapTransparent() const { return FLogoBitMapTransparent; }
  void SetLogoBitMapTransparent(bool value);

  // Events.
  TNotifyEvent OnChangeSkinData;
  TbsObjectMouseEvent OnMouseDownEvent;
  TbsObjectMouseEvent OnMouseUpEvent;
  TbsObjectMouseMoveEvent OnMouseMoveEvent;
  TbsObjectNotifyEvent OnMouseEnterEvent;
  TbsObjectNotifyEvent OnMouseLeaveEvent;
  TbsObjectPaintEvent OnPaintEvent;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeActivate;
  TNotifyEvent OnChangeRollUpState;
  TNotifyEvent OnMinimizeToTray;
  TNotifyEvent OnRestoreFromTray;
  TbsActivateCustomObjectEvent OnActivateCustomObject;
  TNotifyEvent OnSkinMenuOpen;
  TNotifyEvent OnSkinMenuClose;

  // The system menu (tbsskinframemenu.cpp). The application's own popup for
  // it, not owned: with UseDefaultSysMenu the frame's items join its items.
  TPopupMenu* SystemMenu() const { return FSystemMenu.data(); }
  void SetSystemMenu(TPopupMenu* value) { FSystemMenu = value; }
  // The skin the menus draw from; SkinData when none.
  TbsSkinData* MenusSkinData() const { return FMenusSkinData.data(); }
  void SetMenusSkinData(TbsSkinData* value) { FMenusSkinData = value; }
  // Fills the system menu for the current window state and BorderIcons and
  // returns the item whose sub-items are shown.
  TMenuItem* BuildSystemMenu();
  // The controller that shows the frame's menus.
  TbsSkinMenu* SkinMenu() const { return FSkinMenu; }
  // Between the system menu opening and its closing notice.
  bool InMenuMode() const { return FInMenuMode; }
  void SystemMenuClosed();
  // Opens the system menu where the keyboard asks for it: below the
  // system-menu button, else at the caption's left.
  void ShowSystemMenuFromKeyboard();
  void CloseMenus();
  // The system menu's name for assistive technology: its button's hint.
  std::string SystemMenuTitle() const;

  // State.
  bool Skinned() const { return FSkinned; }
  bool IsFormActive() const;
  int FrameWidth() const { return FFrameWidth; }
  int FrameHeight() const { return FFrameHeight; }
  const TRect& SizedClientRect() const { return FSizedClientRect; }
  const TRect& SizedCaptionRect() const { return FSizedCaptionRect; }
  const TRect& SizedButtonsRect() const { return FSizedButtonsRect; }
  const TRect& SizedMaskRectArea() const { return FSizedMaskRectArea; }
  const TRect& DefaultCaptionRect() const { return FDefaultCaptionRect; }
  const TbsMaskStrips& MaskStrips() const { return FMaskStrips; }
  bool HasWindowRegion() const { return FHasRegion; }
  const QRegion& WindowRegion() const { return FWindowRegion; }
  int DefaultCaptionHeight() const;
  int DefaultButtonSize() const;

  // Objects.
  int ObjectCount() const { return int(FObjects.size()); }
  TbsActiveSkinObject* Object(int index) const;
  TbsActiveSkinObject* FindObject(const std::string& idName) const;
  int HotIndex() const { return FHotIndex; }
  int CapturedIndex() const { return FCapturedIndex; }
  // One tick of each timer; the timers call these, tests may too.
  void HoverTimerStep();
  void MorphTimerStep();
  void AnimateTimerStep();
  QTimer& HoverTimer() { return FHoverTimer; }
  QTimer& MorphTimer() { return FMorphTimer; }
  QTimer& AnimateTimer() { return FAnimateTimer; }
  void StartMorphTimer();
  void StartAnimateTimer();

  // Minimum and maximum track sizes.
  int MinimumWidth() const;
  int MinimumHeight() const;
  TRect MaximizeArea() const;

  // Window states.
  TbsWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TbsWindowState value);
  bool RolledUp() const { return FRolledUp; }
  void SetRollUp(bool value);
  bool RolledUpMaximized() const { return FRolledUpMaximized; }
  const TRect& NormalBounds() const { return FNormalBounds; }
  int RolledUpHeight() const { return FRolledUpHeight; }
  void MinimizeAppToTray();
  void RestoreAppFromTray();
  void CaptionDblClick();

  // Repaint the frame: the whole band, or one object's rectangle at once.
  void RepaintFrame();
  void RepaintNow(const TRect& windowRect);
  void RebuildFrame(bool layoutObjects);
  // Applies the current skin data (or none) to the frame.
  void ApplySkin();
  // Window coordinates of a screen point.
  TPoint WindowPoint(int screenX, int screenY) const;
  // The form's small icon at the size caption buttons show it.
  const QPixmap& SmallIcon();
  int SmallIconSize() const;

  // Carried out by the caption buttons.
  void CloseForm();
  // Opens the system menu below `screenAnchor` (a point for a right click on
  // the caption).
  void ShowSystemMenu(const TRect& screenAnchor);

  // The opacity the frame last gave the window (255 = opaque).
  int CurrentAlpha() const { return FCurrentAlpha; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Hook(TMessage& m);
  void Default(TMessage& m) { FPrevWindowProc(m); }
  bool FromOurSkin(const TMessage& m) const;
  void PassNoticeToControls(const TMessage& m);
  void StopTimers();
  void SizeGeometry();
  void LayoutObjects();
  void LayoutDefaultObjects();
  void RelayoutObjects();
  void RebuildRegion();
  void ClearRegion();
  void CreateObjects();
  void CreateDefaultObjects();
  void FreeObjects();
  void ApplyBorderIcons();
  void FillDefaultHints();
  void UpdateActivationLook(bool repaint);
  void ResetObjectLooks();
  void UpdateHover(const TPoint& p, bool search);
  // The hover as the pointer at window point `p` makes it: over the client
  // area no object is hot.
  void HoverAt(const TPoint& p);
  void ObjectButtonDown(int hitCode, const TPoint& p, int button);
  // `releasedAt` is where the pointer is (window coordinates); `p` is what the
  // object is told.
  void ObjectButtonUp(const TPoint& releasedAt, const TPoint& p, int button);
  bool OnCaptionObject(const TPoint& p) const;
  int HitTest(const TPoint& p);
  void PaintSkinned(TCanvas& canvas);
  void PaintDefault(TCanvas& canvas);
  void EraseBackground(TCanvas& canvas);
  void CalcSize(TRect& r);
  void BringToMinimumSize();
  void Nudge();
  void PrepareFadeIn();
  void FadeInStep();
  void ApplyAlpha(int alpha);
  void Maximize();
  void Minimize();
  void Restore();
  // The window manager maximised or restored the window itself.
  void FollowPlatformState();
  bool IsMainForm() const;

  QPointer<TForm> FForm;
  std::function<void(TMessage&)> FPrevWindowProc;
  QPointer<TbsSkinData> FSkinData;
  QPointer<TCustomHint> FSkinHint;
  QMetaObject::Connection FSkinDataGone;

  TbsBorderIcons FBorderIcons = kDefaultFrameBorderIcons;
  bool FHideCaptionButtons = false;
  bool FShowIcon = false;
  int FClientWidth = 0, FClientHeight = 0;
  int FMinWidth = 0, FMinHeight = 0;
  bool FMaximizeOnFullScreen = false;
  bool FMagnetic = false;
  int FMagneticSize = 5;
  bool FAlphaBlend = false, FAlphaBlendAnimation = false;
  int FAlphaBlendValue = 200;
  bool FShowObjectHint = false;
  bool FUseDefaultObjectHint = true;
  bool FAlwaysShowInTray = false, FAlwaysMinimizeToTray = false;
  void UpdateTrayMenu();
  QPointer<TbsTrayIcon> FTrayIcon;
  TbsSkinPopupMenu* FTrayMenu = nullptr;  // a Qt child
  bool FUseDefaultSysMenu = true, FUseSkinFontInMenu = true;
  bool FMenusAlphaBlend = false, FMenusAlphaBlendAnimation = false;
  int FMenusAlphaBlendValue = 200;
  int FDefMenuItemHeight = 20;
  TFont FDefMenuItemFont{"Arial", 14, 0, clBtnText};
  TFont FDefCaptionFont{"Arial", 14, fsBold, clBtnText};
  TFont FDefInActiveCaptionFont{"Arial", 14, fsBold, clBtnShadow};
  TBitmap FLogoBitMap;
  bool FLogoBitMapTransparent = false;

  bool FSkinned = false;
  int FFrameWidth = 0, FFrameHeight = 0;
  TPoint FSizedLeftTopPoint, FSizedRightTopPoint, FSizedLeftBottomPoint, FSizedRightBottomPoint;
  TRect FSizedClientRect, FSizedCaptionRect, FSizedButtonsRect, FSizedMaskRectArea;
  TPoint FSizedHitTestPoints[4];
  bool FButtonsAnchoredLeft = false;
  TRect FDefaultCaptionRect;
  TbsMaskStrips FMaskStrips;
  QRegion FWindowRegion;
  bool FHasRegion = false;

  std::vector<std::unique_ptr<TbsActiveSkinObject>> FObjects;
  int FHotIndex = -1, FPrevHotIndex = -1, FCapturedIndex = -1;
  bool FInSizeMove = false, FFullDragSetting = true;
  bool FActiveFlag = false;
  bool FFormDestroyed = false;
  QTimer FHoverTimer, FMorphTimer, FAnimateTimer;
  int FCurrentAlpha = 255;
  QPixmap FSmallIcon;

  TbsWindowState FWindowState = bswsNormal;
  bool FRolledUp = false, FRolledUpMaximized = false;
  TRect FNormalBounds;
  int FRolledUpHeight = 0;
  bool FPlatformMaximized = false;  // the window manager has the window maximised

  void CreateMenus();
  QPointer<TPopupMenu> FSystemMenu;
  QPointer<TbsSkinData> FMenusSkinData;
  TbsSkinMenu* FSkinMenu = nullptr;         // a Qt child
  TPopupMenu* FDefaultSysMenu = nullptr;    // a Qt child: the menu without SystemMenu
  bool FInMenuMode = false;
};
