// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/idlist.h"

namespace {
constexpr std::size_t kCountSize = 2;  // the 16-bit count before each item's data
constexpr std::size_t kMaxItemData = 0xFFFF - kCountSize;

std::size_t CountAt(const std::uint8_t* p) { return std::size_t(p[0]) | (std::size_t(p[1]) << 8); }

// Offsets of each whole item's count, stopping at the terminator or at a
// count that is malformed (1) or runs past the bytes.
std::vector<std::size_t> ItemOffsets(const TIdList& list) {
  std::vector<std::size_t> offsets;
  std::size_t at = 0;
  while (at + kCountSize <= list.size()) {
    const std::size_t count = CountAt(list.data() + at);
    if (count < kCountSize || at + count + kCountSize > list.size()) break;
    offsets.push_back(at);
    at += count;
  }
  return offsets;
}
}  // namespace

TIdList AllocIdList(std::size_t n) { return TIdList(n, 0); }

const std::uint8_t* NextIdItem(const std::uint8_t* item) {
  const std::size_t count = CountAt(item);
  return count == 0 ? item : item + count;
}

std::size_t IdListByteSize(const std::uint8_t* list) {
  if (!list) return 0;
  std::size_t size = 0;
  for (const std::uint8_t* p = list; CountAt(p) != 0; p = NextIdItem(p)) size += CountAt(p);
  return size + kCountSize;
}

std::size_t IdListByteSize(const TIdList& list) {
  if (list.empty()) return 0;
  const auto offsets = ItemOffsets(list);
  return offsets.empty() ? kCountSize : offsets.back() + CountAt(list.data() + offsets.back()) + kCountSize;
}

int IdListItemCount(const TIdList& list) {
  int count = 0;
  for (std::size_t at = 0; at + kCountSize <= list.size();) {
    const std::size_t c = CountAt(list.data() + at);
    if (c < kCountSize || at + c + kCountSize > list.size()) break;
    ++count;
    at += c;
  }
  return count;
}

void StripLastIdItem(TIdList& list) {
  const auto offsets = ItemOffsets(list);
  if (offsets.empty()) return;
  list.resize(offsets.back() + kCountSize);
  list[offsets.back()] = 0;
  list[offsets.back() + 1] = 0;
}

TIdList DuplicateIdList(const TIdList& list) {
  TIdList copy(list.begin(), list.begin() + std::ptrdiff_t(IdListByteSize(list)));
  return copy;
}

TIdList JoinIdLists(const TIdList* first, const TIdList& second) {
  TIdList joined;
  if (first && !first->empty()) {
    joined = DuplicateIdList(*first);
    joined.resize(joined.size() - kCountSize);
  }
  const TIdList tail = second.empty() ? AllocIdList(kCountSize) : DuplicateIdList(second);
  joined.insert(joined.end(), tail.begin(), tail.end());
  return joined;
}

TIdList LastIdItemOnly(const TIdList& list) {
  const auto offsets = ItemOffsets(list);
  if (offsets.empty()) return AllocIdList(kCountSize);
  const std::size_t at = offsets.back();
  TIdList item(list.begin() + std::ptrdiff_t(at), list.begin() + std::ptrdiff_t(at + CountAt(list.data() + at)));
  item.push_back(0);
  item.push_back(0);
  return item;
}

std::vector<TIdList> AncestorIdLists(const TIdList& list) {
  std::vector<TIdList> ancestors;
  TIdList copy = DuplicateIdList(list);
  while (IdListItemCount(copy) > 0) {
    StripLastIdItem(copy);
    ancestors.insert(ancestors.begin(), copy);
  }
  return ancestors;
}

TIdList MakeIdItem(std::string_view data) {
  if (data.size() > kMaxItemData) return AllocIdList(kCountSize);
  const std::size_t count = data.size() + kCountSize;
  TIdList item = AllocIdList(count + kCountSize);
  item[0] = std::uint8_t(count & 0xFF);
  item[1] = std::uint8_t(count >> 8);
  std::copy(data.begin(), data.end(), item.begin() + kCountSize);
  return item;
}

std::vector<std::string> IdListItems(const TIdList& list) {
  std::vector<std::string> items;
  for (std::size_t at : ItemOffsets(list))
    items.emplace_back(reinterpret_cast<const char*>(list.data() + at + kCountSize),
                       CountAt(list.data() + at) - kCountSize);
  return items;
}

bool IsValidIdList(const TIdList& list) {
  return !list.empty() && IdListByteSize(list) == list.size() && CountAt(list.data() + list.size() - kCountSize) == 0;
}
