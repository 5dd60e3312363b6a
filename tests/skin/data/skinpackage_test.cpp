// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <memory>

#include "framework/sysutils.h"
#include "noticelog.h"
#include "skin/data/ebscompressionerror.h"
#include "skin/data/ebsskinpackageerror.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsdataskinpanelcontrol.h"
#include "skin/data/tbsskindata.h"
#include "skinbytes.h"

namespace {

using namespace skinbytes;

const QRgb kMain = qRgb(10, 20, 30), kFirst = qRgb(200, 0, 0), kSecond = qRgb(0, 0, 200);
const std::string kText =
    "[VERSION]\r\nskinname=Test\r\n[PICTURES]\r\npicture=main.bmp\r\nactivepicturescount=2\r\n0=a.bmp\r\n1=b.bmp\r\n"
    "[FORMINFO]\r\n[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n"
    "[panel]\r\npictureindex=1\r\nskinrect=1,2,3,4\r\n";

Package ExamplePackage(int32_t version) {
  Package p;
  p.Version = version;
  p.Picture = SolidBmp(7, 5, kMain);
  p.Active = {SolidBmp(3, 2, kFirst), SolidBmp(1, 4, kSecond)};
  p.Text = kText;
  return p;
}

TbsCompressedStoredSkin* Stored(QObject* owner, const Bytes& package) {
  auto* stored = new TbsCompressedStoredSkin(owner);
  stored->SetCompressedData(Compress(package));
  return stored;
}

class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override { form = std::make_unique<RecordingForm>("owner", log); }
  std::vector<unsigned> Messages() const {
    std::vector<unsigned> m;
    for (const Notice& n : log) m.push_back(n.Msg);
    return m;
  }
  std::vector<Notice> log;
  std::unique_ptr<RecordingForm> form;
};

void ExpectExampleSkin(const TbsSkinData& data) {
  ASSERT_TRUE(data.HasSkin());
  EXPECT_EQ(data.Picture.Image(), Solid(7, 5, kMain));
  EXPECT_TRUE(data.InactivePicture.Empty());
  EXPECT_TRUE(data.Mask.Empty());
  ASSERT_EQ(data.ActivePictures.size(), 2u);
  EXPECT_EQ(data.ActivePictures[0]->Image(), Solid(3, 2, kFirst));
  EXPECT_EQ(data.ActivePictures[1]->Image(), Solid(1, 4, kSecond));
  EXPECT_EQ(data.SkinName, "Test");
  EXPECT_EQ(data.ActivePicturesNames, (std::vector<std::string>{"a.bmp", "b.bmp"}));
  ASSERT_EQ(data.FindControlRecord("panel"), 0);
  EXPECT_EQ(data.ActivePicture(data.ControlRecords[0]->PictureIndex), data.ActivePictures[1].get());
}

TEST_F(PackageTest, VersionThreeLoadsPicturesTextAndRecordsWithNoticesInOrder) {
  auto* data = new TbsSkinData(form.get());
  data->SetCompressedStoredSkin(Stored(form.get(), ExamplePackage(3).Build()));
  ExpectExampleSkin(*data);
  const auto w = reinterpret_cast<intptr_t>(data);
  EXPECT_EQ(log, (std::vector<Notice>{{"owner", SkinMsgBeforeChange, w, 1000, false},
                                      {"owner", SkinMsgChange, w, 1000, true},
                                      {"owner", SkinMsgAfterChange, w, 1000, true}}));
}

TEST_F(PackageTest, VersionTwoSkipsItsTwoOldPicturesAndLoadsTheSame) {
  Package p = ExamplePackage(2);
  p.Old1 = SolidBmp(9, 9, qRgb(1, 1, 1));  // the second old pair is a flag of 1
  auto* data = new TbsSkinData(form.get());
  data->SetCompressedStoredSkin(Stored(form.get(), p.Build()));
  ExpectExampleSkin(*data);
}

TEST_F(PackageTest, VersionFourIsRefusedAfterTheOldSkinIsDropped) {
  auto* data = new TbsSkinData(form.get());
  data->SetCompressedStoredSkin(Stored(form.get(), ExamplePackage(3).Build()));
  log.clear();
  data->SetCompressedStoredSkin(Stored(form.get(), ExamplePackage(4).Build()));
  EXPECT_FALSE(data->HasSkin());
  EXPECT_TRUE(data->ControlRecords.empty());
  EXPECT_TRUE(data->ActivePictures.empty());
  EXPECT_TRUE(data->Picture.Empty());
  EXPECT_EQ(Messages(), (std::vector<unsigned>{SkinMsgBeforeChange}));
}

TEST_F(PackageTest, AnEmptyStoredSkinChangesNothingAndSendsNothing) {
  auto* data = new TbsSkinData(form.get());
  data->SetCompressedStoredSkin(Stored(form.get(), ExamplePackage(3).Build()));
  log.clear();
  data->SetCompressedStoredSkin(new TbsCompressedStoredSkin(form.get()));
  ExpectExampleSkin(*data);
  EXPECT_TRUE(log.empty());
}

TEST_F(PackageTest, AnEmptyDescriptionGivesAnEmptySkin) {
  Package p = ExamplePackage(3);
  p.Text.clear();
  auto* data = new TbsSkinData(form.get());
  data->SetCompressedStoredSkin(Stored(form.get(), p.Build()));
  EXPECT_TRUE(data->HasSkin());
  EXPECT_EQ(data->ActivePictures.size(), 2u);
  EXPECT_TRUE(data->ControlRecords.empty());
  EXPECT_TRUE(data->SkinName.empty());
}

TEST_F(PackageTest, ADamagedBlockStopsWithCompressionErrorAndNoChangeNotice) {
  Bytes block = Compress(ExamplePackage(3).Build());
  block[block.size() / 2] ^= 0x55;
  block.resize(block.size() - 3);
  auto* stored = new TbsCompressedStoredSkin(form.get());
  stored->SetCompressedData(block);
  auto* data = new TbsSkinData(form.get());
  try {
    data->SetCompressedStoredSkin(stored);
    FAIL() << "a damaged block loaded";
  } catch (const EbsCompressionError& e) {
    EXPECT_STREQ(e.what(), "compression error");
  }
  EXPECT_FALSE(data->HasSkin());
  EXPECT_EQ(Messages(), (std::vector<unsigned>{SkinMsgBeforeChange}));
}

TEST_F(PackageTest, EveryTruncationFailsCleanlyOrLoadsAShorterDescription) {
  const Bytes full = ExamplePackage(3).Build();
  const size_t textStart = full.size() - kText.size();
  TbsSkinData data;
  for (size_t n = 0; n < full.size(); ++n) {
    SCOPED_TRACE(n);
    if (n < textStart) {
      EXPECT_THROW(data.LoadFromPackage(full.data(), n), Exception);
      EXPECT_FALSE(data.HasSkin());
    } else {
      // Inside the text: whatever lines are complete load; a value cut
      // short may leave a rectangle without digits, the conversion error.
      try {
        data.LoadFromPackage(full.data(), n);
        EXPECT_TRUE(data.HasSkin());
      } catch (const EConvertError&) {
        EXPECT_FALSE(data.HasSkin());
      }
    }
  }
}

TEST_F(PackageTest, CountsThatDoNotMatchTheDataAreHandled) {
  Package negative = ExamplePackage(3);
  negative.Active.clear();
  negative.ActiveCount = -5;
  TbsSkinData data;
  const Bytes n = negative.Build();
  data.LoadFromPackage(n.data(), n.size());
  EXPECT_TRUE(data.HasSkin());
  EXPECT_TRUE(data.ActivePictures.empty());

  Package huge = ExamplePackage(3);
  huge.ActiveCount = 0x7FFFFFFF;
  huge.Text.clear();
  const Bytes h = huge.Build();
  EXPECT_THROW(data.LoadFromPackage(h.data(), h.size()), EbsSkinPackageError);
  EXPECT_FALSE(data.HasSkin());
}

TEST(StoredSkin, InflatesInStepsAndAppendsToWhatTheCallerHas) {
  Bytes package(20000);
  for (size_t i = 0; i < package.size(); ++i) package[i] = uint8_t((i * 7919) >> 5);
  TbsCompressedStoredSkin stored;
  EXPECT_TRUE(stored.Empty());
  stored.SetCompressedData(Compress(package));
  Bytes out = {1, 2, 3};
  stored.InflateInto(out);
  Bytes expected = {1, 2, 3};
  Append(expected, package);
  EXPECT_EQ(out, expected);
}

TEST(StoredSkin, APackageThatDeflatedFarBetterThanSkinsDoStillInflatesWhole) {
  // Three megabytes of one repeated row: the block is a few kilobytes.
  Bytes package(3 << 20);
  for (size_t i = 0; i < package.size(); ++i) package[i] = uint8_t(i % 251);
  TbsCompressedStoredSkin stored;
  stored.SetCompressedData(Compress(package));
  ASSERT_LT(stored.CompressedData().size(), size_t(64) << 10);
  Bytes out = {9};
  stored.InflateInto(out);
  ASSERT_EQ(out.size(), package.size() + 1);
  EXPECT_EQ(out[0], 9);
  EXPECT_TRUE(std::equal(package.begin(), package.end(), out.begin() + 1));
}

TEST(StoredSkin, APackageAboveTheLimitIsRefusedAndFailuresLeaveTheTargetAsItWas) {
  const size_t limit = TbsCompressedStoredSkin::kMaxPackageSize;
  TbsCompressedStoredSkin stored;
  stored.SetCompressedData(Compress(Bytes(limit), 1));
  Bytes out;
  stored.InflateInto(out);
  EXPECT_EQ(out.size(), limit);

  stored.SetCompressedData(Compress(Bytes(limit + 1), 1));
  out = {1, 2};
  try {
    stored.InflateInto(out);
    FAIL() << "a package above the limit was inflated";
  } catch (const EbsSkinPackageError& e) {
    EXPECT_STREQ(e.what(), "The skin package is larger than 64 MB");
  }
  EXPECT_EQ(out, (Bytes{1, 2}));

  Bytes damaged = Compress(Bytes(100000, 7));
  damaged.resize(damaged.size() - 6);  // cut inside the stream
  stored.SetCompressedData(damaged);
  EXPECT_THROW(stored.InflateInto(out), EbsCompressionError);
  EXPECT_EQ(out, (Bytes{1, 2}));
}

TEST(StoredSkin, CompressedFilesAboveVersionThreeAreNotTaken) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("skin.skn").toStdString();
  TbsCompressedStoredSkin source;
  source.SetCompressedData({0x78, 0xDA, 1, 2, 3});
  source.WriteCompressedSkinFile(path);
  TbsCompressedStoredSkin taken;
  taken.AssignCompressedFile(path);
  EXPECT_EQ(taken.CompressedData(), source.CompressedData());
  EXPECT_EQ(taken.CompressedFileName(), "skin.skn");

  std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
  f.put(4);  // version 4
  f.close();
  taken.ReadCompressedSkinFile(path);
  EXPECT_TRUE(taken.Empty());

  std::ofstream(path, std::ios::binary).write("\3\0\0\0\xFF\0\0\0ab", 10);  // length past the end
  EXPECT_THROW(taken.ReadCompressedSkinFile(path), EbsSkinPackageError);
}

}  // namespace
