// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/findfile.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <vector>

#include "platform/naturalorder.h"
#include "platform/wildcard.h"

// Read-only is never reported: d_type does not carry the mode bits, and a
// stat for every entry would cost more than the whole rest of the listing.

struct TFindState {
  struct Entry {
    std::string Name;
    int Attr;
  };
  std::vector<Entry> Entries;
  std::size_t Next = 0;
};

TSearchRec::TSearchRec() = default;
TSearchRec::~TSearchRec() = default;
TSearchRec::TSearchRec(TSearchRec&&) noexcept = default;
TSearchRec& TSearchRec::operator=(TSearchRec&&) noexcept = default;

namespace {

constexpr int kExclusiveAttrs = faHidden | faSysFile | faVolumeID | faDirectory;

struct DirCloser {
  void operator()(DIR* d) const { closedir(d); }
};

// Whether the entry is a directory for the search: a directory, or a link
// whose target is one. Any other link, dangling ones included, is a file.
bool IsDirectoryEntry(DIR* dir, const dirent* e) {
  switch (e->d_type) {
    case DT_DIR: return true;
    case DT_LNK:
    case DT_UNKNOWN: break;
    default: return false;
  }
  struct stat st;
  return fstatat(dirfd(dir), e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

int Deliver(TSearchRec& F) {
  TFindState& s = *F.FindState;
  if (s.Next >= s.Entries.size()) return ENOENT;
  TFindState::Entry& e = s.Entries[s.Next++];
  F.Name = std::move(e.Name);  // each entry is delivered once
  F.Attr = e.Attr;
  return 0;
}

}  // namespace

int FindFirst(const std::string& Pattern, int Attr, TSearchRec& F) {
  FindClose(F);
  if (Pattern.empty() || Pattern.front() != '/') return EINVAL;
  const std::size_t slash = Pattern.rfind('/');
  const std::string folder = Pattern.substr(0, slash + 1);  // keeps "/" for the root
  std::string_view mask = Pattern;
  mask.remove_prefix(slash + 1);

  std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
  if (!dir) return errno;

  const int excluded = kExclusiveAttrs & ~Attr;
  auto state = std::make_unique<TFindState>();
  for (;;) {
    errno = 0;
    const dirent* e = readdir(dir.get());
    if (!e) {
      if (errno != 0) return errno;
      break;
    }
    const std::string_view name = e->d_name;
    if (name == "." || name == "..") continue;
    if (!MatchesMask(name, mask)) continue;
    int attr = 0;
    if (name.front() == '.') attr |= faHidden;
    // An entry already excluded as hidden needs no stat.
    if (!(attr & excluded) && IsDirectoryEntry(dir.get(), e)) attr |= faDirectory;
    if (attr & excluded) continue;
    state->Entries.push_back({std::string(name), attr});
  }
  if (state->Entries.empty()) return ENOENT;

  std::sort(state->Entries.begin(), state->Entries.end(),
            [](const TFindState::Entry& a, const TFindState::Entry& b) {
              return NaturalLess(a.Name, b.Name);
            });
  F.FindState = std::move(state);
  return Deliver(F);
}

int FindNext(TSearchRec& F) {
  if (!F.FindState) return ENOENT;
  return Deliver(F);
}

void FindClose(TSearchRec& F) {
  F.FindState.reset();
}
