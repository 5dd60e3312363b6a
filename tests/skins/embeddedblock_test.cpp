// SPDX-License-Identifier: GPL-3.0-or-later
// The block compiled into the program: a level-9 zlib stream of a version 3
// package with the stated pictures, made from the committed skin folder.

#include <gtest/gtest.h>

#include <cstring>

#include "skin/data/tbsbitmapfile.h"
#include "skin/data/tbsskinpackage.h"
#include "skins/defaultskinblock.h"
#include "tests/skins/skinfacts.h"

namespace {

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& block) {
  TbsCompressedStoredSkin stored;
  stored.SetCompressedData(block);
  std::vector<uint8_t> package;
  stored.InflateInto(package);
  return package;
}

int32_t LittleEndian32(const uint8_t* p) {
  uint32_t v = 0;
  std::memcpy(&v, p, 4);  // the build machine is little-endian, like the format
  return int32_t(v);
}

TEST(EmbeddedSkin, IsAZlibStreamAtLevelNine) {
  const auto& block = DefaultSkinBlock();
  ASSERT_GE(block.size(), 2u);
  EXPECT_EQ(block[0], 0x78);
  EXPECT_EQ(block[1], 0xDA);
}

TEST(EmbeddedSkin, InflatesToAVersionThreePackageWithTheStatedPictureFlagsAndCounts) {
  const std::vector<uint8_t> package = Inflate(DefaultSkinBlock());
  ASSERT_GT(package.size(), 16u);
  EXPECT_EQ(LittleEndian32(package.data()), 3);
  size_t at = 4;
  EXPECT_EQ(package[at++], 0) << "the main picture follows";
  at += TbsBitmapFile::DeclaredLength(package.data() + at, package.size() - at);
  EXPECT_EQ(package[at++], 1) << "no inactive picture";
  EXPECT_EQ(package[at++], 1) << "no mask";
  EXPECT_EQ(LittleEndian32(package.data() + at), 5) << "five active pictures";

  const TbsSkinPackage read = TbsSkinPackage::Read(package.data(), package.size());
  EXPECT_EQ(read.Version, 3);
  EXPECT_EQ(read.Picture.size(), QSize(177, 124));
  EXPECT_TRUE(read.InactivePicture.isNull());
  EXPECT_TRUE(read.Mask.isNull());
  EXPECT_EQ(read.ActivePictures.size(), 5u);
  EXPECT_NE(read.DescriptionText.find("[SKINCONTROLS]"), std::string::npos);
}

TEST(EmbeddedSkin, IsThePackageOfTheCommittedSkinFolder) {
  TbsCompressedStoredSkin fromFolder;
  ASSERT_TRUE(fromFolder.BuildFromDescriptionFile(std::string(DEFAULT_SKIN_DIR) + "/skin.ini"));
  EXPECT_EQ(Inflate(DefaultSkinBlock()), Inflate(fromFolder.CompressedData()));
}

TEST(EmbeddedSkin, LoadsIntoSkinDataWithItsRecords) {
  TbsCompressedStoredSkin stored;
  stored.SetCompressedData(DefaultSkinBlock());
  TbsSkinData data;
  data.SetCompressedStoredSkin(&stored);
  ASSERT_TRUE(data.HasSkin());
  EXPECT_EQ(data.ObjectRecords.size(), 12u);
  for (const char* name : {"panel", "edit", "listbox", "vscrollbar", "hscrollbar", "bothhscrollbar", "resizebutton",
                           "vsplitter", "stdlabel", "treeview"})
    EXPECT_GE(data.FindControlRecord(name), 0) << name;
}

}  // namespace
