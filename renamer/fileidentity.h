// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Who a file is, for the undo journal: its device and inode, looked up before
// a batch moves anything, and checked again before undo moves it back; on
// file systems without birth times also its size and modification time
// (a move changes neither).

#include <cstdint>
#include <string>
#include <vector>

struct TFileIdentity {
  const std::string* Name = nullptr;  // bare name in the folder
  uint64_t Dev = 0, Ino = 0;
  // Set when the file was looked at on its own: its size and modification time (ns).
  bool Looked = false;
  uint64_t Size = 0, MtimeNs = 0;
  int Error = 0;  // errno when the file could not be found or looked at
};

// Fills Dev and Ino (or Error) of every file of the folder open as Dir.
// On the usual local file systems that keep birth times one pass over the
// folder gives every inode at a fraction of the cost of a stat per file;
// elsewhere (no birth times, or other inode numbers in the folder's entries),
// or when that pass disagrees with a stat, each file is looked at on its own,
// which gives its size and modification time too.
void IdentifyFiles(int Dir, std::vector<TFileIdentity>& Files);

// Wall-clock ns since the epoch: every file born before the call is not
// younger than it.
uint64_t BatchBeginning();

// Waits until every file born from now on is younger than Begun. File times
// come from a clock that lags the precise one by up to a tick (a few ms);
// called after the slow work of a batch's start, it seldom waits at all.
void WaitForFileTimesPast(uint64_t Begun);

struct TFileLook {
  uint64_t Size = 0, MtimeNs = 0;
};

// The file Name in the folder is the one identified as Dev/Ino when a batch
// began at Begun: same device and inode, and not born after where the file
// system keeps birth times; where it keeps none, of the size and modification
// time in Look (when given). Device and inode alone are not enough: the inode
// number of a deleted file soon names a new one.
bool IsSameFile(int Dir, const std::string& Name, uint64_t Dev, uint64_t Ino, uint64_t Begun,
                const TFileLook* Look = nullptr);
