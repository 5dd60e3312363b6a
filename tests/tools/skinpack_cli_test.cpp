// SPDX-License-Identifier: GPL-3.0-or-later
// skinpack's commands as a skin maker meets them: the help, errors that say
// where, a pack that never writes what the program would refuse, and the
// check's warnings.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "skinpacktool.h"

namespace {

using namespace tooltest;
using namespace skinbytes;

// A small complete skin folder; `formInfo` and `extra` go into its text.
void WriteSkin(const QDir& d, const std::string& formInfo = "", const std::string& extra = "") {
  WriteText(d.filePath("skin.ini"),
            "[VERSION]\r\nskinname=Small\r\n[PICTURES]\r\npicture=main.bmp\r\nactivepicturescount=1\r\n0=a.bmp\r\n"
            "[FORMINFO]\r\nclientrect=2,2,8,8\r\n" + formInfo + "[SKINOBJECTS]\r\ncount=0\r\n"
            "[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n[panel]\r\npictureindex=0\r\nskinrect=0,0,4,4\r\n" + extra);
  WriteFile(d.filePath("main.bmp"), SolidBmp(10, 10, qRgb(1, 2, 3)));
  WriteFile(d.filePath("a.bmp"), SolidBmp(4, 4, qRgb(4, 5, 6)));
}

TEST(SkinpackHelp, PrintsTheUsageOnStandardOutputListingEveryCommandAndSpecialRecord) {
  for (const char* flag : {"--help", "-h"}) {
    const ToolRun r = Skinpack({flag});
    EXPECT_EQ(r.Code, 0) << flag;
    EXPECT_EQ(r.Err, "") << flag;
    for (const char* word : {"pack", "unpack", "check", "dump", "compose", "FORMINFO", "HINTWINDOW", "POPUPWINDOW",
                             "--inactive", "--state", "normal, hot, down or inactive", "24-bit"})
      EXPECT_TRUE(Has(r.Out, word)) << flag << " lacks " << word;
  }
  // Wrong words still show the usage, as an error.
  const ToolRun wrong = Skinpack({"pakc"});
  EXPECT_EQ(wrong.Code, 2);
  EXPECT_TRUE(Has(wrong.Err, "usage:"));
  EXPECT_EQ(wrong.Out, "");
}

TEST(SkinpackErrors, AValueThatStopsTheLoadIsNamedByFileLineSectionKeyAndValue) {
  QTemporaryDir dir;
  const QDir d(dir.path());
  // Each bad value in turn on line 9 of [FORMINFO]; the seven used to read
  // alike: "'' is not a valid integer value".
  for (const std::string line : {"lefttoppoint=", "lefttoppoint=5", "clientrect=1,,3,4", "clientrect=1,2,3",
                                   "lefttoppoint=a,b", "clientrect=1,2", "righttoppoint=,"}) {
    WriteSkin(d, line + "\r\n");
    const std::string ini = d.filePath("skin.ini").toStdString();
    const size_t eq = line.find('=');
    const std::string expected = "skinpack: " + ini + ", line 9, [FORMINFO] " + line.substr(0, eq) + "=\"" +
                                 line.substr(eq + 1) + "\": '' is not a valid integer value\n";
    for (const char* command : {"dump", "check"}) {
      const ToolRun r = Skinpack({command, d.filePath("skin.ini")});
      EXPECT_EQ(r.Code, 1) << command << " " << line;
      EXPECT_EQ(r.Err, expected) << command;
    }
  }
}

TEST(SkinpackErrors, AFolderOrABadPictureWhereAFileIsExpectedIsNamed) {
  QTemporaryDir dir;
  const QDir d(dir.path());
  d.mkpath("folder.ini");
  ToolRun r = Skinpack({"dump", d.filePath("folder.ini")});
  EXPECT_EQ(r.Code, 1);
  EXPECT_TRUE(Has(r.Err, "\"" + d.filePath("folder.ini").toStdString() + "\" is a folder, not a file")) << r.Err;
  d.mkpath("folder.skn");
  r = Skinpack({"unpack", d.filePath("folder.skn"), d.filePath("out")});
  EXPECT_TRUE(Has(r.Err, "\"" + d.filePath("folder.skn").toStdString() + "\" is a folder, not a file")) << r.Err;

  WriteSkin(d);
  WriteText(d.filePath("a.bmp"), "GIF89a: a picture, but not a BMP file");
  r = Skinpack({"pack", d.filePath("skin.ini"), d.filePath("o.skn")});
  EXPECT_EQ(r.Code, 1);
  EXPECT_EQ(r.Err, "skinpack: \"" + d.filePath("a.bmp").toStdString() +
                       "\": Bitmap image is not valid: the header is not \"BM\"\n");
  QFile::remove(d.filePath("a.bmp"));
  d.mkpath("a.bmp");
  r = Skinpack({"pack", d.filePath("skin.ini"), d.filePath("o.skn")});
  EXPECT_TRUE(Has(r.Err, "\"" + d.filePath("a.bmp").toStdString() + "\" is a folder, not a file")) << r.Err;
}

TEST(SkinpackErrors, ABadPictureInAPackageIsNamedByItsPlace) {
  QTemporaryDir dir;
  const QDir d(dir.path());
  Package p;
  Bytes bad = SolidBmp(2, 2, 0);
  bad[1] = 'X';
  p.Active = {SolidBmp(2, 2, 0), SolidBmp(2, 2, 0), bad};
  p.Text = "[VERSION]\r\n";
  const Bytes block = Compress(p.Build());
  Bytes file;
  Put32(file, 3);
  Put32(file, uint32_t(block.size()));
  Append(file, block);
  WriteFile(d.filePath("bad.skn"), file);
  const ToolRun r = Skinpack({"dump", d.filePath("bad.skn")});
  EXPECT_EQ(r.Code, 1);
  EXPECT_EQ(r.Err, "skinpack: " + d.filePath("bad.skn").toStdString() +
                       ": the package's active picture 2: Bitmap image is not valid: the header is not \"BM\"\n");
}

TEST(SkinpackPack, RefusesWhatTheProgramCouldNotLoadAndWritesNothing) {
  QTemporaryDir dir;
  const QDir d(dir.path());
  // The description has all its sections and its pictures, but a record's
  // rectangle stops the program's load.
  WriteSkin(d, "", "[panel]\r\nclientrect=1,2\r\n");
  const QString out = d.filePath("out.skn");
  ToolRun r = Skinpack({"pack", d.filePath("skin.ini"), out});
  EXPECT_EQ(r.Code, 1);
  EXPECT_TRUE(Has(r.Err, "[panel] clientrect=\"1,2\": '' is not a valid integer value")) << r.Err;
  EXPECT_FALSE(QFileInfo::exists(out));
  EXPECT_EQ(QDir(d.path()).entryList({"out*"}, QDir::Files), QStringList());

  // An older package of that name stays as it was.
  WriteText(out, "older package");
  r = Skinpack({"pack", d.filePath("skin.ini"), out});
  EXPECT_EQ(r.Code, 1);
  EXPECT_EQ(ReadFile(out), (Bytes{'o', 'l', 'd', 'e', 'r', ' ', 'p', 'a', 'c', 'k', 'a', 'g', 'e'}));
  EXPECT_EQ(QDir(d.path()).entryList({"out*"}, QDir::Files), QStringList{"out.skn"});

  // Mended, it packs over the old one.
  WriteSkin(d);
  r = Skinpack({"pack", d.filePath("skin.ini"), out});
  EXPECT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(ReadFile(out)[0], 3);
}

TEST(SkinpackCheck, WarnsOnStandardErrorForPackAndDumpAndFailsCheck) {
  QTemporaryDir dir;
  const QDir d(dir.path());
  WriteSkin(d, "clientrct=1,1,2,2\r\n");
  const std::string warning = d.filePath("skin.ini").toStdString() +
                              ", line 9, [FORMINFO] clientrct=\"1,1,2,2\": no record of this kind reads this key";
  ToolRun r = Skinpack({"check", d.filePath("skin.ini")});
  EXPECT_EQ(r.Code, 1);
  EXPECT_TRUE(Has(r.Out, "warning: " + warning + "\n")) << r.Out;
  r = Skinpack({"pack", d.filePath("skin.ini"), d.filePath("o.skn")});
  EXPECT_EQ(r.Code, 0) << "warnings do not stop packing";
  EXPECT_TRUE(Has(r.Err, "skinpack: warning: " + warning + "\n")) << r.Err;
  r = Skinpack({"dump", d.filePath("skin.ini")});
  EXPECT_EQ(r.Code, 0);
  EXPECT_TRUE(Has(r.Err, "skinpack: warning: " + warning + "\n")) << r.Err;
}

TEST(SkinpackCheck, TheProgramsOwnSkinHasNoWarnings) {
  const ToolRun r = Skinpack({"check", DEFAULT_SKIN_DIR "/skin.ini"});
  EXPECT_EQ(r.Code, 0) << r.Out;
  EXPECT_EQ(r.Out, DEFAULT_SKIN_DIR "/skin.ini: no warnings\n");
}

TEST(SkinpackCheck, AByteOrderMarkIsAcceptedWithAWarning) {
  QTemporaryDir dir;
  const QDir d(dir.path());
  WriteSkin(d);
  Bytes text = ReadFile(d.filePath("skin.ini"));
  text.insert(text.begin(), {0xEF, 0xBB, 0xBF});
  WriteFile(d.filePath("skin.ini"), text);
  ToolRun r = Skinpack({"pack", d.filePath("skin.ini"), d.filePath("o.skn")});
  EXPECT_EQ(r.Code, 0) << r.Err;
  EXPECT_TRUE(Has(r.Err, "line 1: a UTF-8 byte-order mark")) << r.Err;
  r = Skinpack({"dump", d.filePath("o.skn")});
  EXPECT_TRUE(Has(r.Out, "skinname=Small")) << r.Out;
}

TEST(SkinpackCompose, ControlsWithoutAControlAreRefused) {
  QTemporaryDir dir;
  const QString out = dir.filePath("o.bmp");
  ToolRun r = Skinpack({"compose", DEFAULT_SKIN_DIR "/skin.ini", "gauge", "100x50", out});
  EXPECT_EQ(r.Code, 1);
  EXPECT_TRUE(Has(r.Err, "\"gauge\" is a TbsDataSkinGaugeControl record, and this program has no skinned control of "
                         "that kind yet")) << r.Err;
  EXPECT_FALSE(QFileInfo::exists(out));
  r = Skinpack({"compose", DEFAULT_SKIN_DIR "/skin.ini", "nosuchrecord", "100x50", out});
  EXPECT_EQ(r.Code, 1);
  EXPECT_TRUE(Has(r.Err, "no control or object record named \"nosuchrecord\"")) << r.Err;
  r = Skinpack({"compose", "--state", "hot", DEFAULT_SKIN_DIR "/skin.ini", "panel", "100x50", out});
  EXPECT_EQ(r.Code, 1);
  EXPECT_TRUE(Has(r.Err, "controls are drawn in their normal state only")) << r.Err;
}

TEST(SkinpackCompose, TheSizeTakesEitherLetterX) {
  QTemporaryDir dir;
  for (const char* size : {"120x80", "120X80"}) {
    const ToolRun r = Skinpack({"compose", DEFAULT_SKIN_DIR "/skin.ini", "panel", size, dir.filePath("p.bmp")});
    EXPECT_EQ(r.Code, 0) << size << r.Err;
    EXPECT_TRUE(Has(r.Out, "p.bmp: 120 x 80")) << r.Out;
  }
  const ToolRun r = Skinpack({"compose", DEFAULT_SKIN_DIR "/skin.ini", "panel", "120*80", dir.filePath("p.bmp")});
  EXPECT_EQ(r.Code, 1);
}

}  // namespace
