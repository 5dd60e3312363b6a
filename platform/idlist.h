// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Item identifier lists: how the shell namespace names an item. A list is a
// run of items, each a 16-bit little-endian byte count (including the count
// itself) followed by that many minus 2 bytes of data, ended by a count of 0.
// A full list starts at the desktop (the empty list is the desktop itself);
// a relative one starts at the item's parent. Lists are values here, so no
// release routine is needed: a list goes when its owner does.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TIdList = std::vector<std::uint8_t>;

// n bytes, all zero (a zero-filled list of 2 bytes is the empty list).
TIdList AllocIdList(std::size_t n);
// The item after `item`; `item` itself when it is the terminator.
const std::uint8_t* NextIdItem(const std::uint8_t* item);
// Every item's count + 2 for the terminator; 0 for no list.
std::size_t IdListByteSize(const std::uint8_t* list);
std::size_t IdListByteSize(const TIdList& list);
// Items before the terminator.
int IdListItemCount(const TIdList& list);
// Cuts the last item: a 0 count goes over it, and the bytes after it go.
void StripLastIdItem(TIdList& list);
TIdList DuplicateIdList(const TIdList& list);
// `first` without its terminator + the whole `second`; no first list counts as empty.
TIdList JoinIdLists(const TIdList* first, const TIdList& second);
// The last item as a one-item list (the empty list when there is none).
TIdList LastIdItemOnly(const TIdList& list);
// The proper ancestors of a full list, from the desktop (the empty list)
// down to the parent.
std::vector<TIdList> AncestorIdLists(const TIdList& list);

// A one-item list whose item holds `data`; data longer than an item can
// hold is refused with an empty list.
TIdList MakeIdItem(std::string_view data);
// The data of every item, in order. A list whose counts run past its bytes
// ends at the last whole item, so a damaged list never reads out of bounds.
std::vector<std::string> IdListItems(const TIdList& list);
// Whether the list is well formed: whole items and a terminator at its end.
bool IsValidIdList(const TIdList& list);
