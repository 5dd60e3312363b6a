// SPDX-License-Identifier: GPL-3.0-or-later
// unpack loses nothing: pictures that share a name, a picture named like the
// description, and names that lead outside the folder.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "skin/data/tbsbitmapfile.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskinpackage.h"
#include "skinpacktool.h"

namespace {

using namespace tooltest;
using namespace skinbytes;

// A compressed skin file made byte by byte, with the active pictures given.
void WritePackage(const QString& path, const std::vector<Bytes>& active, const std::string& pictures) {
  Package p;
  p.Active = active;
  p.Text = "[VERSION]\r\nskinname=Shared\r\n[PICTURES]\r\n" + pictures +
           "[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n";
  const Bytes block = Compress(p.Build());
  Bytes file;
  Put32(file, 3);
  Put32(file, uint32_t(block.size()));
  Append(file, block);
  WriteFile(path, file);
}

std::vector<QImage> PackedPictures(const QString& skn) {
  TbsCompressedStoredSkin stored;
  stored.ReadCompressedSkinFile(skn.toStdString());
  std::vector<uint8_t> bytes;
  stored.InflateInto(bytes);
  return TbsSkinPackage::Read(bytes.data(), bytes.size()).ActivePictures;
}

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255);

TEST(SkinpackUnpack, PicturesSharingANameGetDistinctFilesAndTheDescriptionFollows) {
  QTemporaryDir dir;
  const QDir d(dir.path());
  WritePackage(d.filePath("in.skn"), {SolidBmp(2, 2, kRed), SolidBmp(2, 2, kGreen), SolidBmp(2, 2, kBlue)},
               "activepicturescount=3\r\n0=p.bmp\r\n1=P.bmp\r\n2=p.bmp\r\n");
  ToolRun r = Skinpack({"unpack", d.filePath("in.skn"), d.filePath("out")});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(QDir(d.filePath("out")).entryList(QDir::Files, QDir::Name),
            (QStringList{"P-2.bmp", "p-3.bmp", "p.bmp", "skin.ini"}));
  const Bytes ini = ReadFile(d.filePath("out/skin.ini"));
  EXPECT_TRUE(Has(std::string(ini.begin(), ini.end()), "0=p.bmp\r\n1=P-2.bmp\r\n2=p-3.bmp\r\n"));

  // Packed again, every picture is the one it was: red stays red.
  r = Skinpack({"pack", d.filePath("out/skin.ini"), d.filePath("again.skn")});
  ASSERT_EQ(r.Code, 0) << r.Err;
  const std::vector<QImage> back = PackedPictures(d.filePath("again.skn"));
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[0].pixel(0, 0), kRed);
  EXPECT_EQ(back[1].pixel(0, 0), kGreen);
  EXPECT_EQ(back[2].pixel(0, 0), kBlue);
}

TEST(SkinpackUnpack, ANameListedTwiceForTheSamePictureStaysOneFile) {
  QTemporaryDir dir;
  const QDir d(dir.path());
  const std::string pictures = "activepicturescount=2\r\n0=same.bmp\r\n1=same.bmp\r\n";
  WritePackage(d.filePath("in.skn"), {SolidBmp(2, 2, kRed), SolidBmp(2, 2, kRed)}, pictures);
  ToolRun r = Skinpack({"unpack", d.filePath("in.skn"), d.filePath("out")});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(QDir(d.filePath("out")).entryList(QDir::Files, QDir::Name), (QStringList{"same.bmp", "skin.ini"}));
  const Bytes ini = ReadFile(d.filePath("out/skin.ini"));
  EXPECT_TRUE(Has(std::string(ini.begin(), ini.end()), pictures));
}

TEST(SkinpackUnpack, APictureNamedLikeTheDescriptionNeverOverwritesIt) {
  QTemporaryDir dir;
  const QDir d(dir.path());
  // In any letter case, since the folder may be copied where case does not count.
  WritePackage(d.filePath("in.skn"), {SolidBmp(2, 2, kRed), SolidBmp(2, 2, kGreen)},
               "activepicturescount=2\r\n0=skin.ini\r\n1=SKIN.INI\r\n");
  ToolRun r = Skinpack({"unpack", d.filePath("in.skn"), d.filePath("out")});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(QDir(d.filePath("out")).entryList(QDir::Files, QDir::Name),
            (QStringList{"SKIN-3.INI", "skin-2.ini", "skin.ini"}));
  EXPECT_EQ(TbsBitmapFile::LoadFromFile(d.filePath("out/skin-2.ini").toStdString()).pixel(0, 0), kRed);
  r = Skinpack({"pack", d.filePath("out/skin.ini"), d.filePath("again.skn")});
  ASSERT_EQ(r.Code, 0) << r.Err;
  const std::vector<QImage> back = PackedPictures(d.filePath("again.skn"));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].pixel(0, 0), kRed);
  EXPECT_EQ(back[1].pixel(0, 0), kGreen);
}

TEST(SkinpackUnpack, ANameLeadingOutsideRefusesTheWholeUnpackBeforeWriting) {
  for (const char* bad : {"../evil.bmp", "/tmp/evil.bmp", "sub/../../evil.bmp"}) {
    QTemporaryDir dir;
    const QDir d(dir.path());
    WritePackage(d.filePath("in.skn"), {SolidBmp(2, 2, kRed), SolidBmp(2, 2, kGreen)},
                 std::string("activepicturescount=2\r\n0=fine.bmp\r\n1=") + bad + "\r\n");
    const ToolRun r = Skinpack({"unpack", d.filePath("in.skn"), d.filePath("out")});
    EXPECT_EQ(r.Code, 1) << bad;
    EXPECT_TRUE(Has(r.Err, std::string("picture name \"") + bad + "\" leads outside the folder")) << r.Err;
    EXPECT_FALSE(QFileInfo::exists(d.filePath("out"))) << bad << ": nothing is written, not even the folder";
    EXPECT_EQ(QDir(d.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"in.skn"});
  }
}

}  // namespace
