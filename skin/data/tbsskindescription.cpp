// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsskindescription.h"

#include "framework/sysutils.h"

namespace {
// Letter case is folded for ASCII only, so code-page bytes stay as they are.
std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return lower;
}
}  // namespace

std::vector<std::string> TbsSkinDescription::SplitLines(std::string_view text) {
  const size_t zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.emplace_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r') {
      ++end;
      if (end < text.size() && text[end] == '\n') ++end;
    } else if (end < text.size()) {
      ++end;  // a lone LF
    }
    start = end;
  }
  return lines;
}

void TbsSkinDescription::LoadFromText(std::string_view text) { LoadFromLines(SplitLines(text)); }

void TbsSkinDescription::LoadFromLines(const std::vector<std::string>& lines) {
  Clear();
  Section* current = nullptr;
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  for (size_t n = 0; n < lines.size(); ++n) {
    std::string_view raw = lines[n];
    if (n == 0 && raw.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
      raw.remove_prefix(kByteOrderMark.size());
      FHadByteOrderMark = true;
    }
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &AddSection(Trim(std::string_view(line).substr(1, line.size() - 2)));
      continue;
    }
    if (!current) continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    Put(*current, Trim(std::string_view(line).substr(0, eq)), Trim(std::string_view(line).substr(eq + 1)), int(n + 1));
  }
}

void TbsSkinDescription::Clear() {
  FSections.clear();
  FSectionIndex.clear();
  FHadByteOrderMark = false;
}

TbsSkinDescription::Section* TbsSkinDescription::FindSection(std::string_view section) {
  const auto it = FSectionIndex.find(Lower(section));
  return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

const TbsSkinDescription::Section* TbsSkinDescription::FindSection(std::string_view section) const {
  const auto it = FSectionIndex.find(Lower(section));
  return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

TbsSkinDescription::Section& TbsSkinDescription::AddSection(std::string_view name) {
  // A section named again replaces the earlier one as a whole.
  if (Section* existing = FindSection(name)) {
    existing->Entries.clear();
    existing->Lines.clear();
    existing->Index.clear();
    return *existing;
  }
  FSectionIndex.emplace(Lower(name), FSections.size());
  FSections.push_back(Section{std::string(name), {}, {}});
  return FSections.back();
}

void TbsSkinDescription::Put(Section& section, std::string_view key, std::string_view value, int line) {
  auto [it, added] = section.Index.emplace(Lower(key), section.Entries.size());
  if (added) {
    section.Entries.emplace_back(std::string(key), std::string(value));
    section.Lines.push_back(line);
  } else {
    section.Entries[it->second].second = std::string(value);
    section.Lines[it->second] = line;
  }
}

bool TbsSkinDescription::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

const std::string* TbsSkinDescription::Find(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  const auto it = s->Index.find(Lower(key));
  return it == s->Index.end() ? nullptr : &s->Entries[it->second].second;
}

void TbsSkinDescription::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = FindSection(section);
  Put(s ? *s : AddSection(section), key, value, 0);
}

std::vector<std::string> TbsSkinDescription::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& s : FSections) names.push_back(s.Name);
  return names;
}

std::vector<std::string> TbsSkinDescription::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* s = FindSection(section))
    for (const auto& entry : s->Entries) keys.push_back(entry.first);
  return keys;
}

int TbsSkinDescription::LineOf(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return 0;
  const auto it = s->Index.find(Lower(key));
  return it == s->Index.end() ? 0 : s->Lines[it->second];
}

std::string TbsSkinDescription::Where(std::string_view section, std::string_view key) const {
  std::string where = FSourceName.empty() ? "skin description" : FSourceName;
  if (const int line = LineOf(section, key)) where += ", line " + IntToStr(line);
  const std::string* value = Find(section, key);
  where += ", [" + std::string(section) + "] " + std::string(key);
  if (value) where += "=\"" + *value + "\"";
  return where;
}

std::string TbsSkinDescription::Text() const {
  std::string text;
  for (size_t i = 0; i < FSections.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += "[" + FSections[i].Name + "]\r\n";
    for (const auto& [key, value] : FSections[i].Entries) text += key + "=" + value + "\r\n";
  }
  return text;
}
