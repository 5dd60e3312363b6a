// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Commands that code executes by name; an action list owns its actions.

#include <string>

#include "framework/tcomponent.h"
#include "framework/tcontrol.h"

class TActionList;

class TAction : public TComponent {
  Q_OBJECT
 public:
  explicit TAction(TActionList* list, const std::string& name = {});

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value) { FCaption = value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }

  // Runs OnExecute; false when the action is disabled or has no handler.
  bool Execute();

  TNotifyEvent OnExecute;

 private:
  std::string FCaption;
  bool FEnabled = true;
};

class TActionList : public TComponent {
  Q_OBJECT
 public:
  explicit TActionList(QObject* owner) : TComponent(owner) {}
  int ActionCount() const;
  TAction* Actions(int index) const;
};
