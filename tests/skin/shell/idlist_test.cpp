// SPDX-License-Identifier: GPL-3.0-or-later
// Identifier lists: sizes, joins, cuts and ancestors in the byte format.

#include <gtest/gtest.h>

#include "platform/idlist.h"

namespace {
TIdList Bytes(std::initializer_list<int> b) {
  TIdList l;
  for (int x : b) l.push_back(std::uint8_t(x));
  return l;
}

TIdList Three() {
  TIdList a = MakeIdItem("ab"), b = MakeIdItem("c"), c = MakeIdItem("defg");
  TIdList ab = JoinIdLists(&a, b);
  return JoinIdLists(&ab, c);
}
}  // namespace

TEST(IdList, ItemsCarryTheirOwnByteCountAndTheListEndsWithZero) {
  EXPECT_EQ(MakeIdItem("ab"), Bytes({4, 0, 'a', 'b', 0, 0}));
  EXPECT_EQ(IdListByteSize(MakeIdItem("ab")), 6u);
  EXPECT_EQ(IdListByteSize(AllocIdList(2)), 2u);  // the desktop
  EXPECT_EQ(IdListByteSize(TIdList()), 0u);       // no list
  EXPECT_EQ(IdListByteSize(static_cast<const std::uint8_t*>(nullptr)), 0u);
  EXPECT_EQ(AllocIdList(5), Bytes({0, 0, 0, 0, 0}));
  const TIdList three = Three();
  EXPECT_EQ(IdListByteSize(three), 4u + 3u + 6u + 2u);
  EXPECT_EQ(IdListByteSize(three.data()), 15u);
  EXPECT_EQ(IdListItemCount(three), 3);
  EXPECT_EQ(NextIdItem(three.data()), three.data() + 4);
  EXPECT_EQ(IdListItems(three), (std::vector<std::string>{"ab", "c", "defg"}));
  // A 300-byte name needs a count above one byte: little-endian.
  const TIdList big = MakeIdItem(std::string(300, 'n'));
  EXPECT_EQ(big[0], 302 & 0xFF);
  EXPECT_EQ(big[1], 302 >> 8);
  EXPECT_EQ(IdListItems(big)[0].size(), 300u);
}

TEST(IdList, JoinDropsTheFirstTerminatorAndAnAbsentFirstCountsAsEmpty) {
  const TIdList a = MakeIdItem("a"), b = MakeIdItem("b");
  EXPECT_EQ(JoinIdLists(&a, b), Bytes({3, 0, 'a', 3, 0, 'b', 0, 0}));
  EXPECT_EQ(JoinIdLists(nullptr, b), b);
  const TIdList empty = AllocIdList(2);
  EXPECT_EQ(JoinIdLists(&empty, b), b);
  EXPECT_EQ(JoinIdLists(&a, empty), a);
}

TEST(IdList, StripCutsTheLastItemAndLastItemOnlyCopiesIt) {
  TIdList l = Three();
  EXPECT_EQ(LastIdItemOnly(l), MakeIdItem("defg"));
  StripLastIdItem(l);
  EXPECT_EQ(IdListItems(l), (std::vector<std::string>{"ab", "c"}));
  EXPECT_EQ(IdListByteSize(l), 9u);
  StripLastIdItem(l);
  StripLastIdItem(l);
  EXPECT_EQ(l, AllocIdList(2));
  StripLastIdItem(l);  // the desktop has nothing to cut
  EXPECT_EQ(l, AllocIdList(2));
  EXPECT_EQ(LastIdItemOnly(l), AllocIdList(2));
}

TEST(IdList, AncestorsOfAThreeItemListRunFromTheDesktopDownToTheParent) {
  const TIdList three = Three();
  const auto ancestors = AncestorIdLists(three);
  ASSERT_EQ(ancestors.size(), 3u);
  EXPECT_EQ(ancestors[0], AllocIdList(2));
  EXPECT_EQ(IdListItems(ancestors[1]), (std::vector<std::string>{"ab"}));
  EXPECT_EQ(IdListItems(ancestors[2]), (std::vector<std::string>{"ab", "c"}));
  EXPECT_EQ(DuplicateIdList(three), three);
  EXPECT_TRUE(AncestorIdLists(AllocIdList(2)).empty());
}

TEST(IdList, ADamagedListNeverReadsPastItsBytes) {
  // A count of 1 (shorter than the count itself) and one running past the end.
  EXPECT_TRUE(IdListItems(Bytes({1, 0, 0, 0})).empty());
  EXPECT_EQ(IdListItems(Bytes({3, 0, 'a', 9, 0, 'b'})), (std::vector<std::string>{"a"}));
  EXPECT_FALSE(IsValidIdList(Bytes({3, 0, 'a', 9, 0, 'b'})));
  EXPECT_TRUE(IsValidIdList(Three()));
  EXPECT_EQ(MakeIdItem(std::string(70000, 'x')), AllocIdList(2));  // too long for a 16-bit count
}
