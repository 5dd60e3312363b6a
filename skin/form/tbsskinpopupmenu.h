// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A popup menu shown as a skinned popup window: Popup goes through a menu
// controller with this component's skin data, so code that only knows the
// framework's popup menu (a tray icon, a control's right click) shows the
// skinned look. The control the menu was opened for (PopupComponent) gets
// the menu's closing and command notices.

#include <QPointer>

#include "framework/tpopupmenu.h"
#include "framework/trect.h"

class QWidget;
class TbsSkinData;
class TbsSkinMenu;

class TbsSkinPopupMenu : public TPopupMenu {
  Q_OBJECT
 public:
  explicit TbsSkinPopupMenu(QObject* owner = nullptr);
  ~TbsSkinPopupMenu() override;

  // None: the plain look. The reference clears itself when the skin data goes.
  TbsSkinData* SkinData() const { return FSkinData.data(); }
  void SetSkinData(TbsSkinData* value) { FSkinData = value; }
  // The window whose monitor the menu keeps to; the owner's window when unset.
  QWidget* HostForm() const;
  void SetHostForm(QWidget* value) { FHostForm = value; }
  // The controller that shows this menu's windows.
  TbsSkinMenu& SkinMenu() const { return *FSkinMenu; }

  // At (x, y), opening downwards.
  void Popup(int x, int y) override;
  // Against the anchor rectangle (screen coordinates), like the system menu
  // below its button.
  void PopupFromRect(const TRect& anchor, bool upwards = false);
  void CloseMenu();
  bool IsOpen() const;

 private:
  QPointer<TbsSkinData> FSkinData;
  QPointer<QWidget> FHostForm;
  TbsSkinMenu* FSkinMenu;  // a Qt child
};
