// SPDX-License-Identifier: GPL-3.0-or-later
// What a skin maker's files can do to the readers: a folder, a FIFO, a
// device or a huge file given as input is refused at once and by name; a
// package whose small run-length pictures decode to gigabytes is refused at
// the picture that passes the cap; errors about values say where they stand.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>

#include "skin/data/ebsbitmaperror.h"
#include "skin/data/ebsskinpackageerror.h"
#include "skin/data/ebsskinpictureerror.h"
#include "skin/data/ebsskinvalueerror.h"
#include "skin/data/skininputfile.h"
#include "skin/data/tbsbitmapfile.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"
#include "skin/data/tbsskinpackage.h"
#include "skinbytes.h"

namespace {

using namespace skinbytes;

std::string Path(const QTemporaryDir& d, const char* name) { return d.filePath(name).toStdString(); }

template <class F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(SkinInputFile, RefusesFoldersFifosDevicesAndHugeFilesAtOnceByName) {
  QTemporaryDir d;
  const std::string fifo = Path(d, "pipe.bmp"), huge = Path(d, "huge.skn"), folder = Path(d, "folder.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  QDir(d.path()).mkdir("folder.ini");
  {
    std::ofstream f(huge);
  }
  ASSERT_EQ(truncate(huge.c_str(), off_t(1) << 30), 0);  // 1 GB, sparse

  struct Row {
    const char* Name;
    std::string Path, Expected;
  } rows[] = {
      {"a folder", folder, "\"" + folder + "\" is a folder, not a file"},
      {"a FIFO without a writer", fifo, "\"" + fifo + "\" is not a regular file"},
      {"an endless device", "/dev/zero", "\"/dev/zero\" is not a regular file"},
      {"a 1 GB file", huge, "File \"" + huge + "\" is larger than 128 MB"},
      {"a missing file", Path(d, "none.bmp"), "File \"" + Path(d, "none.bmp") + "\" does not exist"},
  };
  const auto start = std::chrono::steady_clock::now();
  for (const Row& row : rows) {
    std::vector<uint8_t> bytes;
    EXPECT_NE(ReadSkinInputFile(row.Path, bytes).find(row.Expected), std::string::npos) << row.Name;
    EXPECT_TRUE(bytes.empty()) << row.Name;
    // Through the readers that take files.
    EXPECT_NE(ErrorOf([&] { TbsBitmapFile::LoadFromFile(row.Path); }).find(row.Expected), std::string::npos) << row.Name;
    TbsCompressedStoredSkin stored;
    EXPECT_NE(ErrorOf([&] { stored.ReadCompressedSkinFile(row.Path); }).find(row.Expected), std::string::npos)
        << row.Name;
    EXPECT_NE(ErrorOf([&] { stored.BuildFromDescriptionFile(row.Path); }).find(row.Expected), std::string::npos)
        << row.Name;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "refused by size, never read";
}

TEST(SkinInputFile, ABadPictureNamesItsFileAndKeepsTheReadersOwnText) {
  QTemporaryDir d;
  QFile f(d.filePath("frame.bmp"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("XM not a bitmap at all");
  f.close();
  EXPECT_EQ(ErrorOf([&] { TbsBitmapFile::LoadFromFile(Path(d, "frame.bmp")); }),
            "\"" + Path(d, "frame.bmp") + "\": Bitmap image is not valid: the header is not \"BM\"");
}

// An 8-bit run-length picture that only says "end of bitmap": a few bytes
// in the package, width x height x 4 bytes decoded.
Bytes EmptyRle(int w, int h) { return Bmp(w, h, 8, 1, {0x00FFFFFF}, {0x00, 0x01}); }

TEST(SkinPackageCap, TinyRunLengthPicturesCannotDecodeToGigabytes) {
  Package p;
  for (int i = 0; i < 200; ++i) p.Active.push_back(EmptyRle(2048, 2048));  // 16 MB each decoded
  const Bytes b = p.Build();
  ASSERT_LT(b.size(), 20000u);
  try {
    TbsSkinPackage::Read(b.data(), b.size());
    FAIL() << "200 pictures of 16 MB were read";
  } catch (const EbsSkinPackageError& e) {
    // Sixteen fill the 256 MB exactly; the seventeenth (index 16) passes it.
    EXPECT_STREQ(e.what(),
                 "The skin package's pictures take more than 256 MB decoded; active picture 16 (2048 x 2048) passes that");
  }
  // Up to the cap everything is read.
  p.Active.resize(16);
  const Bytes fits = p.Build();
  EXPECT_EQ(TbsSkinPackage::Read(fits.data(), fits.size()).ActivePictures.size(), 16u);
}

TEST(SkinPackagePictures, ABadPictureIsNamedByItsPlaceWithTheReadersOwnText) {
  Package p;
  p.Picture = SolidBmp(2, 2, qRgb(1, 2, 3));
  Bytes bad = SolidBmp(2, 2, qRgb(1, 2, 3));
  bad[0] = 'X';
  p.Active = {SolidBmp(2, 2, qRgb(1, 2, 3)), bad};
  const Bytes b = p.Build();
  try {
    TbsSkinPackage::Read(b.data(), b.size());
    FAIL() << "read";
  } catch (const EbsSkinPictureError& e) {
    EXPECT_EQ(e.Where(), "the package's active picture 1");
    EXPECT_STREQ(e.what(), "Bitmap image is not valid: the header is not \"BM\"");
  }
}

void LoadText(TbsSkinData& data, TbsCompressedStoredSkin& stored, const std::string& text) {
  Package p;
  p.Text = text;
  stored.SetCompressedData(Compress(p.Build()));
  data.SetCompressedStoredSkin(&stored);
}

TEST(SkinValueErrors, SayFileLineSectionKeyAndValueAroundTheConversionsOwnText) {
  struct Row {
    const char* Line;
    std::string Where;
  } rows[] = {
      {"lefttoppoint=", "my/skin.ini, line 4, [FORMINFO] lefttoppoint=\"\""},
      {"lefttoppoint=5", "my/skin.ini, line 4, [FORMINFO] lefttoppoint=\"5\""},
      {"lefttoppoint=a,b", "my/skin.ini, line 4, [FORMINFO] lefttoppoint=\"a,b\""},
      {"clientrect=1,,3,4", "my/skin.ini, line 4, [FORMINFO] clientrect=\"1,,3,4\""},
      {"clientrect=1,2,3", "my/skin.ini, line 4, [FORMINFO] clientrect=\"1,2,3\""},
      {"clientrect=1,2", "my/skin.ini, line 4, [FORMINFO] clientrect=\"1,2\""},
      {"maskrectarea=", "my/skin.ini, line 4, [FORMINFO] maskrectarea=\"\""},
  };
  for (const Row& row : rows) {
    TbsCompressedStoredSkin stored;
    stored.SetFileName("my/skin.ini");
    TbsSkinData data;
    try {
      LoadText(data, stored, std::string("[VERSION]\r\n\r\n[FORMINFO]\r\n") + row.Line + "\r\n");
      ADD_FAILURE() << row.Line << " loaded";
    } catch (const EbsSkinValueError& e) {
      EXPECT_EQ(e.Where(), row.Where) << row.Line;
      // The program's own message for the value is unchanged.
      EXPECT_STREQ(e.what(), "'' is not a valid integer value") << row.Line;
      EXPECT_EQ(e.Located(), row.Where + ": '' is not a valid integer value");
    }
    EXPECT_FALSE(data.HasSkin());
  }
  // A record's section: its own name and line.
  TbsCompressedStoredSkin stored;
  stored.SetCompressedFileName("x.skn");
  TbsSkinData data;
  try {
    LoadText(data, stored, "[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n[panel]\r\n; a comment\r\nskinrect=1,2,,4\r\n");
    ADD_FAILURE() << "loaded";
  } catch (const EbsSkinValueError& e) {
    EXPECT_EQ(e.Where(), "x.skn, line 6, [panel] skinrect=\"1,2,,4\"");
  }
}

TEST(SkinDescriptionText, AByteOrderMarkIsReadPastAndRemembered) {
  TbsSkinDescription d;
  d.LoadFromText("\xEF\xBB\xBF[VERSION]\r\nskinname=Marked\r\n");
  EXPECT_TRUE(d.HadByteOrderMark());
  ASSERT_NE(d.Find("VERSION", "skinname"), nullptr);
  EXPECT_EQ(*d.Find("VERSION", "skinname"), "Marked");
  d.LoadFromText("[VERSION]\r\nskinname=Plain\r\n");
  EXPECT_FALSE(d.HadByteOrderMark());
  // Only at the very start: elsewhere the bytes are the text's own.
  d.LoadFromText("[VERSION]\r\n\xEF\xBB\xBFskinname=x\r\n");
  EXPECT_EQ(d.Find("VERSION", "skinname"), nullptr);
}

}  // namespace
