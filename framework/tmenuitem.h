// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One entry of a menu and, through its sub-items, a menu tree. Items are
// plain data plus a click handler: whatever shows a menu (a skinned popup, a
// tray icon) reads them and calls Click(); an item never draws itself.
// A parent item owns its sub-items (they are its Qt children).

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "framework/tcomponent.h"
#include "framework/tcontrol.h"

class TAction;

class TMenuItem : public TComponent {
  Q_OBJECT
 public:
  explicit TMenuItem(QObject* owner = nullptr);
  ~TMenuItem() override;

  // "&" marks the accelerator letter; the caption "-" makes a separator.
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value) { FCaption = value; }
  // Shown right-aligned after the caption ("Alt+F4"); the menu does not act on it.
  const std::string& ShortCutText() const { return FShortCutText; }
  void SetShortCutText(const std::string& value) { FShortCutText = value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { FVisible = value; }
  // Checking a radio item unchecks the radio items of its group beside it.
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool value) { FRadioItem = value; }
  // An item that turns something on and off, so assistive technology says
  // "not checked" while it is off; checked and radio items always are.
  bool Checkable() const { return FCheckable || FChecked || FRadioItem; }
  void SetCheckable(bool value) { FCheckable = value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value) { FGroupIndex = value; }
  // The item a double-click on the opener runs (the tray icon's).
  bool Default() const { return FDefault; }
  void SetDefault(bool value) { FDefault = value; }
  int ImageIndex() const { return FImageIndex; }  // -1: none
  void SetImageIndex(int value) { FImageIndex = value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  int Tag() const { return FTag; }
  void SetTag(int value) { FTag = value; }

  // An item with an action shows the action's caption and enabled state and
  // runs the action when clicked.
  TAction* Action() const;
  void SetAction(TAction* value);
  // Takes the caption and the enabled state from the action; a menu calls it
  // before it lays the item out.
  void UpdateFromAction();

  bool IsLine() const { return FCaption == "-"; }
  // The accelerator letter of the caption, lower-cased; '\0' when none.
  char Accelerator() const;

  // The item this one is a sub-item of, or none.
  TMenuItem* Parent() const { return FParent; }
  int Count() const { return int(FItems.size()); }
  TMenuItem* Items(int index) const;
  int IndexOf(const TMenuItem* item) const;
  // The direct sub-item with this name, or none.
  TMenuItem* Find(const std::string& name) const;
  // Takes ownership; an item already in another menu leaves that menu first.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Creates, adds and returns a new sub-item.
  TMenuItem* Add(const std::string& name, const std::string& caption, TNotifyEvent onClick = {});
  // Takes the item out of this menu and hands it to the caller.
  std::unique_ptr<TMenuItem> Remove(TMenuItem* item);
  // Frees the sub-item at `index`, or every sub-item.
  void Delete(int index);
  void Clear();

  // Runs the action, else OnClick; false when the item is disabled or has
  // nothing to run. The handler may free this item (or its whole menu): the
  // item is not touched after the handler returns.
  bool Click();
  TNotifyEvent OnClick;

 private:
  std::string FCaption;
  std::string FShortCutText;
  std::string FHint;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  bool FRadioItem = false;
  bool FCheckable = false;
  bool FDefault = false;
  int FGroupIndex = 0;
  int FImageIndex = -1;
  int FTag = 0;
  QPointer<TAction> FAction;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;  // owned as Qt children, in menu order
};
