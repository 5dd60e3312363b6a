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
  for (const std::string& raw : lines) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &AddSection(Trim(std::string_view(line).substr(1, line.size() - 2)));
      continue;
    }
    if (!current) continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    Put(*current, Trim(std::string_view(line).substr(0, eq)), Trim(std::string_view(line).substr(eq + 1)));
  }
}

void TbsSkinDescription::Clear() {
  FSections.clear();
  FSectionIndex.clear();
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
    existing->Index.clear();
    return *existing;
  }
  FSectionIndex.emplace(Lower(name), FSections.size());
  FSections.push_back(Section{std::string(name), {}, {}});
  return FSections.back();
}

void TbsSkinDescription::Put(Section& section, std::string_view key, std::string_view value) {
  auto [it, added] = section.Index.emplace(Lower(key), section.Entries.size());
  if (added) section.Entries.emplace_back(std::string(key), std::string(value));
  else section.Entries[it->second].second = std::string(value);
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
  Put(s ? *s : AddSection(section), key, value);
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
