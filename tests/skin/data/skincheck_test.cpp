// SPDX-License-Identifier: GPL-3.0-or-later
// The check pass: each kind of mistake that loads silently gives one warning
// that names where it is, and a skin without mistakes gives none.

#include <gtest/gtest.h>

#include "skin/data/skincheck.h"
#include "skin/data/tbsskindata.h"
#include "skinbytes.h"

namespace {

using namespace skinbytes;

// Every control record the main window asks for, each in its own section:
// the entries, then the sections.
std::pair<std::string, std::string> MainWindowRecords(int firstEntry) {
  std::string entries, sections;
  const char* types[] = {"panel", "edit", "listbox", "scrollbar", "scrollbar", "scrollbar", "button", "splitter",
                         "stdlabel", "treeview"};
  int i = firstEntry;
  for (size_t k = 0; k < MainWindowRecordNames().size(); ++k, ++i) {
    const std::string& name = MainWindowRecordNames()[k];
    entries += std::to_string(i) + "=" + name + ":" + types[k] + "\r\n";
    sections += "[" + name + "]\r\npictureindex=0\r\nskinrect=0,0,10,10\r\n";
  }
  return {entries, sections};
}

std::vector<std::string> Check(const std::string& text, const std::string& entries = "",
                               const std::string& sections = "", int count = 0) {
  Package p;
  p.Picture = SolidBmp(40, 30, qRgb(1, 2, 3));
  p.Active = {SolidBmp(20, 20, qRgb(4, 5, 6)), SolidBmp(20, 20, qRgb(7, 8, 9))};
  const auto [mainEntries, mainSections] = MainWindowRecords(count);
  p.Text = text + "[SKINCONTROLS]\r\ncount=" + std::to_string(10 + count) + "\r\n" + entries + mainEntries + sections +
           mainSections;
  const Bytes b = p.Build();
  TbsSkinData data;
  data.LoadFromPackage(b.data(), b.size());
  TbsSkinDescription description;
  description.LoadFromText(p.Text);
  description.SetSourceName("s.ini");
  return CheckSkin(data, description);
}

const std::string kHeader = "[VERSION]\r\nskinname=x\r\n[PICTURES]\r\nactivepicturescount=2\r\n0=a.bmp\r\n1=b.bmp\r\n";

TEST(SkinCheck, ACleanSkinHasNoWarnings) { EXPECT_EQ(Check(kHeader), std::vector<std::string>{}); }

TEST(SkinCheck, EachSilentMistakeGivesOneWarningThatSaysWhere) {
  const std::string objects =
      "[SKINOBJECTS]\r\ncount=5\r\n0=nocolon\r\n1=close:stdbuton\r\n2=:caption\r\n3=cap:caption\r\n4=ghost:button\r\n"
      "[cap]\r\nskinrect=30,0,41,10\r\nfontcolour=255\r\nactivepictureindex=2\r\n";
  // Lines: 1 [VERSION] .. 6, 7 [SKINOBJECTS], 8 count, 9..13 entries, 14 [cap], 15..17, 18 [SKINCONTROLS],
  // 19 count, 20..30 entries, 31 [pan], 32, 33.
  const std::vector<std::string> got =
      Check(kHeader + objects, "0=pan:panel\r\n", "[pan]\r\npictureindex=0\r\nskinrect=5,5,25,10\r\n", 1);
  const std::vector<std::string> expected = {
      "s.ini, line 9, [SKINOBJECTS] 0=\"nocolon\": not \"name:type\" (no colon), skipped",
      "s.ini, line 10, [SKINOBJECTS] 1=\"close:stdbuton\": \"stdbuton\" is no object type (the type is matched "
      "exactly), skipped",
      "s.ini, line 11, [SKINOBJECTS] 2=\":caption\": the record name \"\" cannot name a section",
      "s.ini, line 13, [SKINOBJECTS] 4=\"ghost:button\": there is no section [ghost], every key takes its default",
      "s.ini, line 16, [cap] fontcolour=\"255\": no record of this kind reads this key",
      "s.ini, line 17, [cap] activepictureindex=\"2\": picture index 2 is past the 2 active pictures (0 to 1)",
      "s.ini, line 33, [pan] skinrect=\"5,5,25,10\": the piece lies outside active picture 0 (20 x 20)",
      "s.ini, line 15, [cap] skinrect=\"30,0,41,10\": the piece lies outside the main picture (40 x 30)",
  };
  EXPECT_EQ(got, expected);
}

TEST(SkinCheck, MissingMainWindowRecordsAndAByteOrderMarkAreNamed) {
  Package p;
  p.Text = "\xEF\xBB\xBF[VERSION]\r\n[SKINCONTROLS]\r\ncount=1\r\n0=listbox:listbox\r\n[listbox]\r\n";
  const Bytes b = p.Build();
  TbsSkinData data;
  data.LoadFromPackage(b.data(), b.size());
  TbsSkinDescription description;
  description.LoadFromText(p.Text);
  const std::vector<std::string> got = CheckSkin(data, description);
  ASSERT_EQ(got.size(), 10u);
  EXPECT_EQ(got[0].rfind("skin description, line 1: a UTF-8 byte-order mark", 0), 0u) << got[0];
  std::vector<std::string> missing;
  for (size_t i = 1; i < got.size(); ++i) missing.push_back(got[i].substr(0, got[i].find(':', 20)));
  EXPECT_EQ(missing.front(), "skin description: no control record \"panel\"");
  EXPECT_EQ(missing.back(), "skin description: no control record \"treeview\"");
  for (const std::string& w : missing) EXPECT_EQ(w.find("\"listbox\""), std::string::npos) << w;
}

}  // namespace
