// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An ordered list of 8-bit strings. Names of files pass through it as bytes.

#include <functional>
#include <string>
#include <vector>

class TStringList {
 public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> items) : FItems(items) {}
  explicit TStringList(std::vector<std::string> items) : FItems(std::move(items)) {}
  TStringList(const TStringList& other) : FItems(other.FItems) {}
  TStringList& operator=(const TStringList& other);

  int Count() const { return int(FItems.size()); }
  const std::string& operator[](int index) const { return FItems.at(size_t(index)); }
  const std::string& Strings(int index) const { return FItems.at(size_t(index)); }
  void SetStrings(int index, const std::string& value);
  int Add(const std::string& value);
  void Insert(int index, const std::string& value);
  void Delete(int index);
  void Clear();
  int IndexOf(const std::string& value) const;
  // Copies the other list's lines.
  void Assign(const TStringList& other) { *this = other; }
  void Assign(std::vector<std::string> items);
  const std::vector<std::string>& Items() const { return FItems; }

  // The lines joined with CR LF, as text files have them.
  std::string Text() const;
  void SetText(std::string_view text);

  // Called after every change.
  std::function<void()> OnChange;

 private:
  void Changed();
  std::vector<std::string> FItems;
};
