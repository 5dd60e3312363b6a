// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>

#include "noticelog.h"
#include "skin/data/ebscompressionerror.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"
#include "skin/data/tbsskinpackageprefetch.h"
#include "skinbytes.h"

namespace {

using namespace skinbytes;

const std::string kText =
    "[VERSION]\r\nskinname=Ahead\r\n[PICTURES]\r\npicture=main.bmp\r\nactivepicturescount=1\r\n0=a.bmp\r\n"
    "[FORMINFO]\r\nclientrect=2,3,40,30\r\n[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n"
    "[panel]\r\npictureindex=0\r\nskinrect=1,2,3,4\r\n";

// A block whose pictures are told apart by `colour`: a gradient main picture
// and a solid active one.
Bytes Block(QRgb colour) {
  Package p;
  p.Picture = Bmp24(9, 6, [&](int x, int y) { return qRgb(x * 20, y * 30, qBlue(colour)); });
  p.Active = {SolidBmp(4, 3, colour)};
  p.Text = kText;
  return Compress(p.Build());
}

class PrefetchTest : public ::testing::Test {
 protected:
  void SetUp() override { form = std::make_unique<RecordingForm>("owner", log); }
  TbsSkinData* LoadThroughTheWindowPath(const Bytes& block) {
    auto* stored = new TbsCompressedStoredSkin(form.get());
    stored->SetCompressedData(block);
    auto* data = new TbsSkinData(form.get());
    data->SetCompressedStoredSkin(stored);
    return data;
  }
  std::vector<Notice> log;
  std::unique_ptr<RecordingForm> form;
};

void ExpectSameSkin(const TbsSkinData& a, const TbsSkinData& b) {
  ASSERT_TRUE(a.HasSkin());
  ASSERT_TRUE(b.HasSkin());
  EXPECT_EQ(a.Picture.Image(), b.Picture.Image());
  ASSERT_EQ(a.ActivePictures.size(), b.ActivePictures.size());
  for (size_t i = 0; i < a.ActivePictures.size(); ++i)
    EXPECT_EQ(a.ActivePictures[i]->Image(), b.ActivePictures[i]->Image());
  EXPECT_EQ(a.SkinName, b.SkinName);
  EXPECT_EQ(a.ClientRect.Left, b.ClientRect.Left);
  EXPECT_EQ(a.ClientRect.Bottom, b.ClientRect.Bottom);
  EXPECT_EQ(a.ControlRecords.size(), b.ControlRecords.size());
}

TEST_F(PrefetchTest, ASkinDecodedAheadLoadsAsTheSameSkinWithTheSameNotices) {
  const Bytes block = Block(qRgb(200, 10, 10));
  TbsSkinData* onTheSpot = LoadThroughTheWindowPath(block);
  const std::vector<Notice> onTheSpotLog = log;
  log.clear();

  TbsSkinPackagePrefetch::Start(block);
  TbsSkinData* ahead = LoadThroughTheWindowPath(block);
  ExpectSameSkin(*ahead, *onTheSpot);
  EXPECT_EQ(ahead->ActivePictures[0]->Image(), Solid(4, 3, qRgb(200, 10, 10)));
  EXPECT_EQ(ahead->Picture.Image().pixel(8, 5), qRgb(160, 150, 10));
  ASSERT_EQ(log.size(), onTheSpotLog.size());
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].Msg, onTheSpotLog[i].Msg);
    EXPECT_EQ(log[i].HasSkin, onTheSpotLog[i].HasSkin);
  }
  // Taken by the load: a second load of the same bytes decodes them itself.
  EXPECT_FALSE(TbsSkinPackagePrefetch::Take(block));
  TbsSkinData* again = LoadThroughTheWindowPath(block);
  ExpectSameSkin(*again, *onTheSpot);
}

TEST_F(PrefetchTest, ADamagedBlockDecodedAheadFailsAtTheLoadAsItWouldOnTheSpot) {
  Bytes block = Block(qRgb(1, 2, 3));
  block[block.size() / 2] ^= 0x55;
  block.resize(block.size() - 3);
  TbsSkinPackagePrefetch::Start(block);
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
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Msg, unsigned(SkinMsgBeforeChange));
  EXPECT_FALSE(TbsSkinPackagePrefetch::Take(block));
}

TEST_F(PrefetchTest, OnlyTheSameBytesTakeThePrefetchAndTheLastStartWins) {
  const Bytes red = Block(qRgb(255, 0, 0)), blue = Block(qRgb(0, 0, 255));
  TbsSkinPackagePrefetch::Start(red);
  TbsSkinData* data = LoadThroughTheWindowPath(blue);
  ASSERT_TRUE(data->HasSkin());
  EXPECT_EQ(data->ActivePictures[0]->Image(), Solid(4, 3, qRgb(0, 0, 255)));

  std::optional<TbsSkinPackage> kept = TbsSkinPackagePrefetch::Take(red);
  ASSERT_TRUE(kept);
  ASSERT_EQ(kept->ActivePictures.size(), 1u);
  EXPECT_EQ(kept->ActivePictures[0], Solid(4, 3, qRgb(255, 0, 0)));

  TbsSkinPackagePrefetch::Start(red);
  TbsSkinPackagePrefetch::Start(blue);
  EXPECT_FALSE(TbsSkinPackagePrefetch::Take(red));
  EXPECT_TRUE(TbsSkinPackagePrefetch::Take(blue));
  EXPECT_FALSE(TbsSkinPackagePrefetch::Take(blue));
}

}  // namespace

namespace {

TEST_F(PrefetchTest, AJobRunByTheCallersWorkerCarriesTheDescriptionAndADroppedOneLeavesNothingPending) {
  const Bytes block = Block(qRgb(0, 120, 0));
  TbsSkinData* onTheSpot = LoadThroughTheWindowPath(block);

  std::function<void()> job = TbsSkinPackagePrefetch::Prepare(block);
  std::thread worker(job);
  worker.join();
  std::optional<TbsSkinPackage> package = TbsSkinPackagePrefetch::Take(block);
  ASSERT_TRUE(package);
  ASSERT_TRUE(package->Description);
  const std::string* name = package->Description->Find("version", "SKINNAME");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(*name, "Ahead");

  // Read from the sections the worker made, the skin is the one read from the text.
  TbsSkinPackagePrefetch::Prepare(block)();
  ExpectSameSkin(*LoadThroughTheWindowPath(block), *onTheSpot);

  // A job that never runs: the load does not wait for it, it decodes itself.
  TbsSkinPackagePrefetch::Prepare(block);
  TbsSkinData* unaided = LoadThroughTheWindowPath(block);
  ExpectSameSkin(*unaided, *onTheSpot);
  EXPECT_FALSE(TbsSkinPackagePrefetch::Take(block));
}

}  // namespace
