// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table of the texts that skinned parts show (menu captions, button hints,
// edit commands), as NAME=Text lines. Attached to the skin data it replaces
// the built-in English texts; without it, BuiltInText gives them.

#include <string>

#include "framework/tcomponent.h"
#include "framework/tstringlist.h"

class TbsResourceStrData : public TComponent {
 public:
  explicit TbsResourceStrData(QObject* owner = nullptr);

  const TStringList& ResStrings() const { return FResStrings; }
  void SetResStrings(const TStringList& value) { FResStrings.Assign(value); }
  // Character set of skinned text while this table is attached.
  int CharSet() const { return FCharSet; }
  void SetCharSet(int value);

  // The text after the first "=" of the first line whose name matches
  // without regard to letter case; empty when no line has that name.
  std::string LookupText(const std::string& name) const;

  // The text a name has when no table is attached; empty for unknown names.
  static std::string BuiltInText(const std::string& name);
  // The lines a new table starts with.
  static TStringList InitialStrings();

 private:
  TStringList FResStrings;
  int FCharSet = 1;  // the system default character set
};
