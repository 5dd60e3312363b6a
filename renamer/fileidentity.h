#pragma once

// Who a file is, for the undo journal: its device and inode, looked up before
// a batch moves anything, and checked again before undo moves it back.

#include <cstdint>
#include <string>
#include <vector>

struct TFileIdentity {
  const std::string* Name = nullptr;  // bare name in the folder
  uint64_t Dev = 0, Ino = 0;
  int Error = 0;  // errno when the file could not be found or looked at
};

// Fills Dev and Ino (or Error) of every file of the folder open as Dir.
// On the usual local file systems one pass over the folder gives every inode
// at a fraction of the cost of a stat per file; elsewhere, or when that pass
// disagrees with a stat, each file is looked at on its own.
void IdentifyFiles(int Dir, std::vector<TFileIdentity>& Files);

// Wall-clock ns since the epoch: every file born before the call is not
// younger than it.
uint64_t BatchBeginning();

// Waits until every file born from now on is younger than Begun. File times
// come from a clock that lags the precise one by up to a tick (a few ms);
// called after the slow work of a batch's start, it seldom waits at all.
void WaitForFileTimesPast(uint64_t Begun);

// The file Name in the folder is the one identified as Dev/Ino when a batch
// began at Begun: same device and inode, and not born after (where the file
// system keeps birth times). Device and inode alone are not enough: the inode
// number of a deleted file soon names a new one.
bool IsSameFile(int Dir, const std::string& Name, uint64_t Dev, uint64_t Ino, uint64_t Begun);
