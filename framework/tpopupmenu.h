// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A menu that pops up at a screen point: a root item whose sub-items are the
// menu. Popup is virtual so that a skinned popup menu shows the same items
// in its own window; the plain class shows them through the presenter the
// program installs (none by default: the menu then only fires OnPopup).

#include <functional>
#include <string>

#include "framework/tcomponent.h"
#include "framework/tcontrol.h"
#include "framework/tmenuitem.h"
#include "framework/trect.h"

class TPopupMenu : public TComponent {
  Q_OBJECT
 public:
  explicit TPopupMenu(QObject* owner = nullptr);

  // The menu's items are this item's sub-items.
  TMenuItem* Items() const { return FItems; }
  // Searches the whole tree by item name; none when absent.
  TMenuItem* FindItem(const std::string& name) const;
  // The item with Default set, or none.
  TMenuItem* DefaultItem() const;

  // Whether a control opens this menu on its own right click.
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool value) { FAutoPopup = value; }
  // The control (or component) the menu was last opened for.
  QObject* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(QObject* value) { FPopupComponent = value; }
  // Where the menu was last opened, in screen coordinates.
  TPoint PopupPoint() const { return FPopupPoint; }

  // Shows the menu with its top-left corner at (x, y) in screen coordinates.
  // OnPopup runs first, so a handler can still change the items.
  virtual void Popup(int x, int y);
  TNotifyEvent OnPopup;

  // How plain popup menus are shown.
  using TPresenter = std::function<void(TPopupMenu& menu, int x, int y)>;
  static void SetPresenter(TPresenter presenter);

 protected:
  // OnPopup and the remembered point; what every Popup does first.
  void DoPopup(int x, int y);

 private:
  TMenuItem* FItems;  // a Qt child
  bool FAutoPopup = true;
  QPointer<QObject> FPopupComponent;
  TPoint FPopupPoint;
};
