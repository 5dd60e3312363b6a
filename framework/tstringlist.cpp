// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tstringlist.h"

#include <algorithm>
#include <stdexcept>

TStringList& TStringList::operator=(const TStringList& other) {
  if (this == &other) return *this;
  FItems = other.FItems;
  Changed();
  return *this;
}

void TStringList::Assign(std::vector<std::string> items) {
  FItems = std::move(items);
  Changed();
}

void TStringList::SetStrings(int index, const std::string& value) {
  std::string& slot = FItems.at(size_t(index));
  if (slot == value) return;
  slot = value;
  Changed();
}

int TStringList::Add(const std::string& value) {
  FItems.push_back(value);
  Changed();
  return Count() - 1;
}

void TStringList::Insert(int index, const std::string& value) {
  if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds");
  FItems.insert(FItems.begin() + index, value);
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TStringList::IndexOf(const std::string& value) const {
  auto it = std::find(FItems.begin(), FItems.end(), value);
  return it == FItems.end() ? -1 : int(it - FItems.begin());
}

std::string TStringList::Text() const {
  std::string text;
  for (const auto& line : FItems) text += line + "\r\n";
  return text;
}

void TStringList::SetText(std::string_view text) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t e = i;
    while (e < text.size() && text[e] != '\r' && text[e] != '\n') ++e;
    lines.emplace_back(text.substr(i, e - i));
    if (e < text.size() && text[e] == '\r') ++e;
    if (e < text.size() && text[e] == '\n') ++e;
    i = e;
  }
  Assign(std::move(lines));
}

void TStringList::Changed() {
  if (OnChange) OnChange();
}
