// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A parsed skin description (skin.ini): sections of key=value lines, matched
// without regard to letter case, the last duplicate winning. It is also the
// writable form records save themselves into, keeping the order of writing.

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class TbsSkinDescription {
 public:
  // Lines are trimmed; empty lines and ";" comments are skipped; lines before
  // the first section and lines without "=" carry nothing. A UTF-8 byte-order
  // mark before the first line is dropped (HadByteOrderMark tells).
  void LoadFromLines(const std::vector<std::string>& lines);
  // Splits at CR LF, a lone CR or a lone LF; a zero byte ends the text.
  void LoadFromText(std::string_view text);
  void Clear();

  // Where the text came from, for messages: a file name, or empty.
  const std::string& SourceName() const { return FSourceName; }
  void SetSourceName(std::string value) { FSourceName = std::move(value); }
  bool HadByteOrderMark() const { return FHadByteOrderMark; }

  bool SectionExists(std::string_view section) const;
  // Section names and one section's keys, as first written, in order.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> Keys(std::string_view section) const;
  // The 1-based line a key's value was read from, or 0 when it was written.
  int LineOf(std::string_view section, std::string_view key) const;
  // "skin.ini, line 12, [FORMINFO] lefttoppoint=\"5\"": where a value stands,
  // for an error about it.
  std::string Where(std::string_view section, std::string_view key) const;
  // The value of a key, or null when the section or the key is missing.
  const std::string* Find(std::string_view section, std::string_view key) const;

  // Replaces the key's value, adding the section and the key when new.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // The description as a file: sections in order, CR LF line ends.
  std::string Text() const;

  // Cuts a text into lines the way the description and the package read them.
  static std::vector<std::string> SplitLines(std::string_view text);

 private:
  struct Section {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Entries;
    std::vector<int> Lines;  // per entry: its line in the text, 0 when written
    std::unordered_map<std::string, size_t> Index;  // lower-case key -> entry
  };
  Section* FindSection(std::string_view section);
  const Section* FindSection(std::string_view section) const;
  Section& AddSection(std::string_view name);
  static void Put(Section& section, std::string_view key, std::string_view value, int line);

  std::vector<Section> FSections;
  std::unordered_map<std::string, size_t> FSectionIndex;  // lower-case name -> section
  std::string FSourceName;
  bool FHadByteOrderMark = false;
};
