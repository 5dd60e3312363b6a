// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs one skinned menu at a time: opens a popup window for a list of items
// and one per open submenu (level 0 first), times the submenus, carries out
// an item and tells the control that opened the menu when it closed and
// when an item ran. The frame, the tray icon and skinned popup menus share
// it; the popup windows exist only while the menu is open.

#include <QPointer>
#include <QTimer>
#include <string>
#include <vector>

#include "framework/tcomponent.h"
#include "framework/tfont.h"
#include "framework/tmenuitem.h"
#include "framework/trect.h"

class QWidget;
class TbsSkinData;
class TbsSkinPopupWindow;

class TbsSkinMenu : public TComponent {
  Q_OBJECT
 public:
  static constexpr int kSubMenuDelay = 500;  // ms a hovered item waits before its submenu opens

  // `form` is the window the menus serve: their monitor is its monitor.
  explicit TbsSkinMenu(QObject* owner, QWidget* form = nullptr);
  ~TbsSkinMenu() override;

  QWidget* Form() const { return FForm; }
  void SetForm(QWidget* value) { FForm = value; }

  bool UseSkinFontInMenu() const { return FUseSkinFontInMenu; }
  void SetUseSkinFontInMenu(bool value) { FUseSkinFontInMenu = value; }
  int DefMenuItemHeight() const { return FDefMenuItemHeight; }
  void SetDefMenuItemHeight(int value) {
    if (value > 0) FDefMenuItemHeight = value;
  }
  TFont& DefMenuItemFont() { return FDefMenuItemFont; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool value) { FAlphaBlend = value; }
  int AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(int value) { FAlphaBlendValue = value; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool value) { FAlphaBlendAnimation = value; }
  // What assistive technology calls the menus this controller opens next
  // ("" for an untitled popup); a submenu is called after its item.
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value) { FTitle = value; }

  // Opens the sub-items of `items` from index `first` on, against `anchor`
  // (screen coordinates), after closing any menu that is open. An empty
  // list or a first index past its end opens nothing. `control` receives the
  // closing and command notices; `skinData` may be null (the plain look).
  void Popup(QObject* control, TbsSkinData* skinData, bool upwards, TMenuItem* items, const TRect& anchor,
             int first = 0);

  bool IsOpen() const { return !FWindows.empty(); }
  int Count() const { return int(FWindows.size()); }
  TbsSkinPopupWindow* Window(int level) const;
  // The deepest open popup, or none.
  TbsSkinPopupWindow* ActiveWindow() const;
  TbsSkinData* SkinData() const { return FSkinData.data(); }
  QObject* Control() const { return FControl.data(); }
  // The work area of the form's monitor, taken at each popup.
  const TRect& WorkArea() const { return FWorkArea; }

  // Frees the popups from the deepest down to `level`; from level 0 the menu
  // ends and the opener is told.
  void CloseFrom(int level);
  void CloseAll() { CloseFrom(0); }

  // What the popup windows ask of their controller.
  void StartSubMenuTimer(int level, TMenuItem* item);
  void StopSubMenuTimer();
  QTimer& SubMenuTimer() { return FSubMenuTimer; }
  void SubMenuTimerStep();
  // Opens the sub-items of `item` one level above `level`, beside `screenRect`.
  void OpenSubMenu(int level, TMenuItem* item, const TRect& screenRect);
  // Runs `item` as a click on it in the popup at `level` does.
  void ExecuteItem(int level, TMenuItem* item, const TRect& screenRect);

 private:
  TbsSkinPopupWindow* CreateWindow(int level, TMenuItem* items, const TRect& anchor, bool upwards, int first);

  QPointer<QWidget> FForm;
  bool FUseSkinFontInMenu = true;
  int FDefMenuItemHeight = 20;
  TFont FDefMenuItemFont{"Arial", 14, 0, clWindowText};
  bool FAlphaBlend = false;
  int FAlphaBlendValue = 150;
  bool FAlphaBlendAnimation = false;
  std::string FTitle;

  std::vector<QPointer<TbsSkinPopupWindow>> FWindows;  // level 0 first
  QTimer FSubMenuTimer;
  int FSubMenuLevel = -1;
  QPointer<TMenuItem> FSubMenuItem;
  TRect FWorkArea;
  QPointer<TbsSkinData> FSkinData;
  QPointer<QObject> FControl;
  bool FClosing = false;
};
