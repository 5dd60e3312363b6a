// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>

#include "skin/data/tbsbitmapfile.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"
#include "skinbytes.h"

namespace {

using namespace skinbytes;

const char* const kTypes[] = {
    "panel", "expanel", "menubutton", "button", "checkradio", "gauge", "splitter", "trackbar", "label", "stdlabel",
    "updown", "grid", "tab", "mainmenubar", "controlbar", "memo", "edit", "checklistbox", "listbox", "combobox",
    "scrollbar", "spinedit", "scrollbox", "treeview", "bevel", "slider", "listview", "richedit"};
const char* const kObjectTypes[] = {"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton",
                                    "button",   "caption",         "animate",   "userobject"};

void Load(TbsSkinData& data, const std::string& text) {
  Package p;
  p.Text = text;
  const Bytes b = p.Build();
  data.LoadFromPackage(b.data(), b.size());
}

// A value unlike the default that a key was written with, of the same kind.
std::string OtherValue(const std::string& key, const std::string& value, int n) {
  const std::string a = std::to_string(n), b = std::to_string(n + 1), c = std::to_string(n + 2), d = std::to_string(n + 3);
  if (key.find("fontstyle") != std::string::npos) return "fsitalic,fsstrikeout";
  if (value == "0,0,0,0") return a + "," + b + "," + c + "," + d;
  if (value == "0,0") return a + "," + b;
  if (value == "mkdefault") return "mkrightgradient";
  if (value == "tacenter") return "taleftjustify";
  if (value == "cmdefault") return "cmrollup";
  if (value == "iebrightness") return "ieinvert";
  if (value == "0") return "1";  // booleans and integers alike
  bool number = !value.empty();
  for (char ch : value) number = number && (std::isdigit(static_cast<unsigned char>(ch)) || ch == '-');
  if (number) return std::to_string(std::stoi(value) + 7);
  return "name" + a;
}

// Every record kind: written with every key changed, read back, written
// again: the two writings must agree, key for key and in order.
TEST(RoundTrip, EveryRecordReadsBackWhatItSaved) {
  std::string entries = "[SKINOBJECTS]\r\ncount=8\r\n";
  for (int i = 0; i < 8; ++i) entries += std::to_string(i) + "=o" + std::to_string(i) + ":" + kObjectTypes[i] + "\r\n";
  entries += "[SKINCONTROLS]\r\ncount=28\r\n";
  for (int i = 0; i < 28; ++i) entries += std::to_string(i) + "=c" + std::to_string(i) + ":" + kTypes[i] + "\r\n";

  TbsSkinData defaults;
  Load(defaults, entries);
  ASSERT_EQ(defaults.ObjectRecords.size(), 8u);
  ASSERT_EQ(defaults.ControlRecords.size(), 28u);

  // Same records with every key changed.
  std::string changed = entries;
  TbsSkinDescription written;
  for (const auto& r : defaults.ObjectRecords) r->SaveToDescription(written);
  for (const auto& r : defaults.ControlRecords) r->SaveToDescription(written);
  int n = 1;
  for (const std::string& line : TbsSkinDescription::SplitLines(written.Text())) {
    const size_t eq = line.find('=');
    changed += eq == std::string::npos ? line + "\r\n"
                                       : line.substr(0, eq) + "=" + OtherValue(line.substr(0, eq), line.substr(eq + 1), n++) + "\r\n";
  }
  TbsSkinData first;
  Load(first, changed);
  TbsSkinDescription once;
  for (const auto& r : first.ObjectRecords) r->SaveToDescription(once);
  for (const auto& r : first.ControlRecords) r->SaveToDescription(once);
  EXPECT_NE(once.Text(), written.Text()) << "the changed values must have been read";

  TbsSkinData second;
  Load(second, entries + once.Text());
  TbsSkinDescription twice;
  for (const auto& r : second.ObjectRecords) r->SaveToDescription(twice);
  for (const auto& r : second.ControlRecords) r->SaveToDescription(twice);
  EXPECT_EQ(twice.Text(), once.Text());

  // The global sections the same way.
  TbsSkinDescription globalsOnce, globalsTwice;
  first.SaveToDescription(globalsOnce);
  TbsSkinData third;
  Load(third, globalsOnce.Text());
  third.SaveToDescription(globalsTwice);
  EXPECT_EQ(globalsTwice.Text(), globalsOnce.Text());
}

Bytes ReadFile(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  const QByteArray a = f.readAll();
  return Bytes(a.begin(), a.end());
}

void WriteFile(const QString& path, const Bytes& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

struct ToolRun {
  int Code;
  std::string Out, Err;
};
ToolRun Skinpack(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(SKINPACK_PATH), args);
  p.waitForFinished(60000);
  return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

const std::string kSkinIni =
    "; a skin made by the test\r\n[VERSION]\r\nskinname=Round\r\n[PICTURES]\r\npicture=main.bmp\r\nmask=\r\n"
    "activepicturescount=2\r\n0=pal.bmp\r\n1=sub/true.bmp\r\n[FORMINFO]\r\nclientrect=1,1,5,5\r\n"
    "[SKINOBJECTS]\r\ncount=1\r\n0=closebutton:stdbutton\r\n[closebutton]\r\ncommand=cmclose\r\n"
    "[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n[panel]\r\nskinrect=0,0,4,4\r\n";

TEST(RoundTrip, PackUnpackPackGivesTheSamePackage) {
  QTemporaryDir dir;
  QDir d(dir.path());
  d.mkpath("skin/sub");
  WriteFile(d.filePath("skin/skin.ini"), Bytes(kSkinIni.begin(), kSkinIni.end()));
  const Bytes main = Bmp24(6, 4, [](int x, int y) { return qRgb(x * 40, y * 60, 9); });
  WriteFile(d.filePath("skin/main.bmp"), main);
  // An 8-bit palette picture: packing stores it as 24 bits with the same pixels.
  WriteFile(d.filePath("skin/pal.bmp"), Bmp(2, 1, 8, 0, {0x112233, 0x445566}, {1, 0, 0, 0}));
  WriteFile(d.filePath("skin/sub/true.bmp"), SolidBmp(3, 3, qRgb(1, 2, 3)));

  const QString packed1 = d.filePath("one.skn"), packed2 = d.filePath("two.skn");
  ToolRun r = Skinpack({"pack", d.filePath("skin/skin.ini"), packed1});
  ASSERT_EQ(r.Code, 0) << r.Err;
  const Bytes file1 = ReadFile(packed1);
  ASSERT_GT(file1.size(), 10u);
  EXPECT_EQ(file1[0], 3);
  EXPECT_EQ(file1[8], 0x78);
  EXPECT_EQ(file1[9], 0xDA) << "level 9";

  r = Skinpack({"unpack", packed1, d.filePath("out")});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(ReadFile(d.filePath("out/skin.ini")), Bytes(kSkinIni.begin(), kSkinIni.end()));
  EXPECT_EQ(TbsBitmapFile::LoadFromFile(d.filePath("out/main.bmp").toStdString()),
            TbsBitmapFile::Decode(main.data(), main.size()));
  const QImage pal = TbsBitmapFile::LoadFromFile(d.filePath("out/pal.bmp").toStdString());
  EXPECT_EQ(pal.pixel(0, 0), qRgb(0x44, 0x55, 0x66));
  EXPECT_EQ(pal.pixel(1, 0), qRgb(0x11, 0x22, 0x33));
  EXPECT_TRUE(QFile::exists(d.filePath("out/sub/true.bmp")));

  r = Skinpack({"pack", d.filePath("out/skin.ini"), packed2});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(ReadFile(packed2), file1);

  r = Skinpack({"dump", packed2});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_NE(r.Out.find("skinname=Round"), std::string::npos);
  EXPECT_NE(r.Out.find("; object record 0: closebutton (TbsDataSkinStdButton)\r\n[closebutton]\r\nhint=\r\n"),
            std::string::npos) << r.Out;
  EXPECT_NE(r.Out.find("command=cmclose"), std::string::npos);
  EXPECT_NE(r.Out.find("; control record 0: panel (TbsDataSkinPanelControl)"), std::string::npos);
}

TEST(Skinpack, ReportsErrorsOnStandardErrorWithAFailingExitCode) {
  QTemporaryDir dir;
  QDir d(dir.path());
  Bytes corrupt = {3, 0, 0, 0, 6, 0, 0, 0, 0x78, 0xDA, 0xFF, 0xFF, 0xFF, 0xFF};
  WriteFile(d.filePath("bad.skn"), corrupt);
  ToolRun r = Skinpack({"dump", d.filePath("bad.skn")});
  EXPECT_NE(r.Code, 0);
  EXPECT_NE(r.Err.find("compression error"), std::string::npos) << r.Err;

  Bytes future = {4, 0, 0, 0, 0, 0, 0, 0};
  WriteFile(d.filePath("future.skn"), future);
  r = Skinpack({"unpack", d.filePath("future.skn"), d.filePath("x")});
  EXPECT_NE(r.Code, 0);
  EXPECT_NE(r.Err.find("above 3"), std::string::npos) << r.Err;

  const std::string badRect = kSkinIni + "[panel]\r\nclientrect=1,2\r\n";
  WriteFile(d.filePath("skin.ini"), Bytes(badRect.begin(), badRect.end()));
  WriteFile(d.filePath("main.bmp"), SolidBmp(2, 2, 0));
  WriteFile(d.filePath("pal.bmp"), SolidBmp(2, 2, 0));
  d.mkpath("sub");
  WriteFile(d.filePath("sub/true.bmp"), SolidBmp(2, 2, 0));
  r = Skinpack({"dump", d.filePath("skin.ini")});
  EXPECT_NE(r.Code, 0);
  EXPECT_NE(r.Err.find("'' is not a valid integer value"), std::string::npos) << r.Err;

  WriteFile(d.filePath("main.bmp"), Bytes{'X', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  r = Skinpack({"pack", d.filePath("skin.ini"), d.filePath("o.skn")});
  EXPECT_NE(r.Code, 0);
  EXPECT_NE(r.Err.find("not \"BM\""), std::string::npos) << r.Err;
}

}  // namespace
