// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a control that shows the folder context menu is told around each
// command: BeforeVerb may take the command over (handled), AfterVerb hears
// how it went. Verbs are compared ignoring case.

#include <string>

class IShellVerbSink {
 public:
  virtual ~IShellVerbSink() = default;
  virtual void BeforeVerb(const std::string& verb, bool& handled) = 0;
  virtual void AfterVerb(const std::string& verb, bool succeeded) = 0;
};
