// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as an undo journal, versions 1 and 2: whole, as undo
// reads it, and by a glance at its head and tail, as a start-up does. The
// input is taken once as it is (the header's parser) and once as a plan
// given a header with the right length, count and checksum, so that the
// fuzzer reaches the entries and outcomes behind it: the first byte picks the
// version (odd: 1), the plan runs to the first NUL, the outcomes follow it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "renamer/trenamejournal.h"

namespace {

void Read(const std::string& text) {
  auto bytes = std::make_shared<const std::string>(text);
  TJournal j;
  if (ParseJournal(bytes, j) == TJournalStatus::Ok) {
    if (j.Outcomes.size() != j.Entries.size() || j.Bytes != bytes) std::abort();
    const char* begin = bytes->data();
    const char* end = begin + bytes->size();
    for (const TJournalEntry& e : j.Entries)
      for (const std::string_view name : {e.OldName, e.NewName})
        if (name.empty() || name.data() < begin || name.data() + name.size() > end) std::abort();
  }
  const std::string_view view(text);
  TJournalGlance glance;
  GlanceAtJournal(view.substr(0, 16 * 1024), view.substr(view.size() > 11 ? view.size() - 11 : 0), view.size(), glance);
}

uint64_t Fnv1a(std::string_view bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  Read(input);
  if (size == 0) return 0;
  const std::string_view rest = std::string_view(input).substr(1);
  const std::size_t cut = rest.find('\0');
  const std::string_view plan = rest.substr(0, cut);
  const std::string_view outcomes = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  std::size_t lines = 0;
  for (const char c : plan) lines += c == '\n';
  char hex[17];
  std::snprintf(hex, sizeof hex, "%llx", static_cast<unsigned long long>(Fnv1a(plan)));
  std::string journal = std::string("batch-renamer undo journal ") + (data[0] & 1 ? "1" : "2") + "\nplan " +
                        std::to_string(plan.size()) + " " + std::to_string(lines > 0 ? lines - 1 : 0) + " " + hex + "\n";
  journal.append(plan);
  journal.append(outcomes);
  Read(journal);
  return 0;
}
