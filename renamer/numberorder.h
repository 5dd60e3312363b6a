// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The order in which a folder's listed files get their running numbers: by
// name (the listing's natural order, as always), by modification time, or by
// the time a photo was taken (its EXIF DateTimeOriginal, else
// DateTimeDigitized). Dates are read on a worker thread, since a folder of
// photos on a slow disk takes a while; the window lists in name order at once
// and takes the chosen order when the job has finished.
//
// Qt-free, like the rest of the renamer.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

enum class TNumberOrder { Name, Modified, Taken };

// The settings file's words for the orders: "name", "modified", "taken";
// anything else reads as Name.
const char* NumberOrderKey(TNumberOrder Order);
TNumberOrder NumberOrderFromKey(std::string_view Key);

// A point in time that sorts: seconds since 1970-01-01 00:00 of the clock the
// date was written in. EXIF dates carry no zone, so two photos compare by
// their camera's wall clock, which is what a user sees in them.
using TTakenTime = int64_t;

// The date a photo was taken, from the bytes of a JPEG file's start (or of a
// bare EXIF block beginning with "Exif\0\0"): DateTimeOriginal, else
// DateTimeDigitized (the first of the two that is a valid date). Nothing for
// bytes without EXIF, with a truncated EXIF segment, a damaged block, or no
// valid "YYYY:MM:DD HH:MM:SS". Never reads past Size (nor past
// kPhotoHeadBytes), never loops: safe on any bytes.
std::optional<TTakenTime> PhotoTakenFromBytes(const unsigned char* Data, std::size_t Size);

// The bytes of a file's start that PhotoTakenFromBytes needs: a JPEG's EXIF
// block lies in its first segments, so at most kPhotoHeadBytes are read.
constexpr std::size_t kPhotoHeadBytes = 128 * 1024;
// PhotoTakenFromBytes on the head of the file at Path (links followed);
// nothing when it cannot be opened or read, or is no regular file. Reads the
// JPEG segments up to the end of the EXIF one, not more.
std::optional<TTakenTime> PhotoTaken(const std::string& Path);

// What ordering needs of one file. Modified is in nanoseconds since the
// epoch; a file that cannot be looked at sorts as the oldest. For the order
// Taken it is looked up only for files without a date (the only ones it
// orders), and stays 0 for the others.
struct TFileDates {
  int64_t Modified = 0;
  std::optional<TTakenTime> Taken;
};

// Names (in the listing's natural order) rearranged by Order, given each
// name's dates at the same index. Name keeps them as they are. Modified:
// oldest first. Taken: dated files by their date, then the undated ones by
// modification time. Ties keep the natural order (a stable sort).
std::vector<std::string> OrderNames(std::vector<std::string> Names, const std::vector<TFileDates>& Dates,
                                    TNumberOrder Order);

// Reads the dates the order needs (Modified: one stat per file; Taken: the
// head of each regular file, and a stat of those without a date) on a worker
// thread and orders the names. One job at
// a time; all calls from one thread (the window's).
class TNumberOrderJob {
 public:
  TNumberOrderJob() = default;
  ~TNumberOrderJob();  // cancels and waits
  TNumberOrderJob(const TNumberOrderJob&) = delete;
  TNumberOrderJob& operator=(const TNumberOrderJob&) = delete;

  // Cancels a running job (waiting for it), then starts ordering Names, the
  // listing of Folder (ends in "/"). Order Name finishes at once, with no
  // thread and without OnFinished: the caller takes the result right away.
  void Start(std::string Folder, std::vector<std::string> Names, TNumberOrder Order);
  // Stops the running job between two files, waits for it and drops it:
  // afterwards Finished() is false and TakeResult() empty, also when the job
  // ended just before (its OnFinished may then have run: a notice posted by
  // it finds Finished() false).
  void Cancel();

  bool Running() const { return FRunning.load(); }
  // True once the last started job has ordered all its names; stays true
  // until the next Start or Cancel.
  bool Finished() const { return FFinished.load(); }
  std::size_t Done() const { return FDone.load(); }   // files looked at so far
  std::size_t Total() const { return FTotal.load(); }
  // The ordered names; valid once Finished(), empty after it was taken.
  std::vector<std::string> TakeResult();

  // Runs on the worker thread right after Finished() turned true (not for a
  // cancelled job); post to the window's thread yourself. Each job calls the
  // one set when it was started.
  std::function<void()> OnFinished;

  // The same work on the calling thread; Cancel, when given and set, stops it
  // between two files (the result is then incomplete and must not be used).
  static std::vector<TFileDates> ReadDates(const std::string& Folder, const std::vector<std::string>& Names,
                                           TNumberOrder Order, const std::atomic<bool>* Cancel = nullptr,
                                           std::atomic<std::size_t>* Done = nullptr);

 private:
  std::atomic<bool> FRunning{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FCancel{false};
  std::atomic<std::size_t> FDone{0};
  std::atomic<std::size_t> FTotal{0};
  std::vector<std::string> FResult;  // written by the worker before FFinished
  std::thread FWorker;
};
