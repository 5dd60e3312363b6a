// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Directory search by pattern and attribute selection.
//
// FindFirst reads the whole folder at once, keeps the entries that match the
// mask and the selection, and sorts them in natural order; FindFirst and
// FindNext then hand them out one by one. Names are the directory's bytes,
// never converted.

#include <memory>
#include <string>

constexpr int faReadOnly = 0x01;  // never reported, see findfile.cpp
constexpr int faHidden = 0x02;    // name begins with "."
constexpr int faSysFile = 0x04;   // no such attribute on Linux
constexpr int faVolumeID = 0x08;  // no such attribute on Linux
constexpr int faDirectory = 0x10; // a directory, or a symlink to one
constexpr int faArchive = 0x20;   // no such attribute on Linux

struct TFindState;  // the entries still to deliver

struct TSearchRec {
  TSearchRec();
  ~TSearchRec();
  TSearchRec(TSearchRec&&) noexcept;
  TSearchRec& operator=(TSearchRec&&) noexcept;

  std::string Name;  // bare name, no folder part
  int Attr = 0;
  std::unique_ptr<TFindState> FindState;
};

// Pattern is an absolute folder ending in "/" followed by a mask. A pattern
// that does not begin with "/" is malformed (EINVAL): a folder text that is
// not a path, such as a virtual folder's display name, must never be read
// relative to whatever the current directory happens to be. Of the attributes hidden, system, volume and directory, every
// one missing from Attr excludes the entries that carry it. Returns 0 and the
// first entry in F, or an errno value (ENOENT when nothing matches).
int FindFirst(const std::string& Pattern, int Attr, TSearchRec& F);

// 0 and the next entry, or ENOENT when there is none left.
int FindNext(TSearchRec& F);

// Releases the search; harmless after a failed FindFirst and when repeated.
void FindClose(TSearchRec& F);
