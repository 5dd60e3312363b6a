// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamer/numberorder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <numeric>
#include <utility>

#include "renamer/folderscan.h"
#include "renamer/trenamefile.h"

namespace {

constexpr unsigned char kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::size_t kExifHeaderBytes = sizeof kExifHeader;
constexpr std::size_t kFirstRead = 64 * 1024;  // a JPEG's first segments: its EXIF one, unless others come first
constexpr std::size_t kDateBytes = 19;         // "YYYY:MM:DD HH:MM:SS"

// JPEG markers the walk to the EXIF segment knows.
constexpr unsigned char kMarkerSoi = 0xD8;
constexpr unsigned char kMarkerEoi = 0xD9;
constexpr unsigned char kMarkerSos = 0xDA;  // image data follows: no EXIF segment after it
constexpr unsigned char kMarkerApp1 = 0xE1;

// Where a head's EXIF block ("Exif\0\0" and the TIFF data after it) lies.
// Found: [Begin, End), End possibly past the bytes at hand. Short: the walk
// ran out of bytes before it.
enum class TScan { None, Found, Short };
struct TExifSpan {
  TScan Kind = TScan::None;
  std::size_t Begin = 0, End = 0;
};

bool IsExifHeader(const unsigned char* d, std::size_t n) {
  return n >= kExifHeaderBytes && std::memcmp(d, kExifHeader, kExifHeaderBytes) == 0;
}

// Walks a JPEG's segments up to its EXIF one. Every segment carries its
// length, so this takes at most Size / 3 steps and reads nothing past Size.
TExifSpan FindExifBlock(const unsigned char* d, std::size_t n) {
  if (IsExifHeader(d, n)) return {TScan::Found, 0, n};
  if (n < 2) return {TScan::Short};
  if (d[0] != 0xFF || d[1] != kMarkerSoi) return {};
  std::size_t pos = 2;
  for (;;) {
    if (pos >= n) return {TScan::Short};
    if (d[pos] != 0xFF) return {};  // no marker where one must be
    while (pos < n && d[pos] == 0xFF) ++pos;  // fill bytes
    if (pos >= n) return {TScan::Short};
    const unsigned char code = d[pos++];
    if (code == kMarkerSos || code == kMarkerEoi || code == 0x00) return {};
    if (pos + 2 > n) return {TScan::Short};
    const std::size_t length = (std::size_t{d[pos]} << 8) | d[pos + 1];  // counts itself
    if (length < 2) return {};
    const std::size_t body = pos + 2, end = pos + length;
    if (code == kMarkerApp1 && length - 2 >= kExifHeaderBytes) {
      if (body + kExifHeaderBytes > n) return {TScan::Short};
      if (IsExifHeader(d + body, n - body)) return {TScan::Found, body, end};
    }
    pos = end;  // another application's segment (JFIF, XMP, ICC), or a table
  }
}

int DaysInMonth(int64_t year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar (its
// eras of 400 years each have the same number of days).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;                                   // [0, 399]
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;  // [0, 365], from 1 March
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // [0, 146096]
  return era * 146097 + doe - 719468;
}

// "YYYY:MM:DD HH:MM:SS", every field in its range, then the end or a NUL.
// Cameras without a clock write blanks or zeros: those are no date.
std::optional<TTakenTime> ParseExifDate(const unsigned char* s, std::size_t n) {
  if (n < kDateBytes || (n > kDateBytes && s[kDateBytes] != 0)) return std::nullopt;
  static constexpr char kShape[] = "dddd:dd:dd dd:dd:dd";
  for (std::size_t i = 0; i < kDateBytes; ++i) {
    const bool ok = kShape[i] == 'd' ? s[i] >= '0' && s[i] <= '9' : s[i] == static_cast<unsigned char>(kShape[i]);
    if (!ok) return std::nullopt;
  }
  const auto field = [s](std::size_t at, std::size_t digits) {
    int v = 0;
    for (std::size_t i = at; i < at + digits; ++i) v = v * 10 + (s[i] - '0');
    return v;
  };
  const int year = field(0, 4), month = field(5, 2), day = field(8, 2);
  const int hour = field(11, 2), minute = field(14, 2), second = field(17, 2);
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

// The TIFF structure inside an EXIF block, read only as far as the two
// dates: IFD 0, its pointer to the EXIF IFD, and that IFD's date entries.
// Two fixed steps and no chains, so no loop however the offsets point, and
// every read is checked against the block's end. A camera's maker note, the
// thumbnail and every other entry are skipped unread.
class TTiffReader {
 public:
  TTiffReader(const unsigned char* tiff, std::size_t size) : FData(tiff), FSize(size) {}

  std::optional<TTakenTime> Taken() {
    if (FSize < kHeaderBytes) return std::nullopt;
    if (FData[0] == 'I' && FData[1] == 'I')
      FBigEndian = false;
    else if (FData[0] == 'M' && FData[1] == 'M')
      FBigEndian = true;
    else
      return std::nullopt;
    if (U16(2) != kTiffMagic) return std::nullopt;
    const std::optional<std::size_t> pointer = Entry(U32(4), kTagExifIfd, nullptr);
    if (!pointer) return std::nullopt;
    const std::size_t exifIfd = U32(*pointer + 8);
    for (const uint16_t tag : {kTagOriginal, kTagDigitized}) {
      std::size_t count = 0;
      const std::optional<std::size_t> e = Entry(exifIfd, tag, &count);
      if (!e || count <= 4) continue;  // a date never fits in the entry itself
      const std::size_t at = U32(*e + 8);
      if (at > FSize || count > FSize - at) continue;  // its text lies past the block
      if (const std::optional<TTakenTime> taken = ParseExifDate(FData + at, count)) return taken;
    }
    return std::nullopt;
  }

 private:
  static constexpr std::size_t kHeaderBytes = 8;  // byte order, 42, offset of IFD 0
  static constexpr std::size_t kEntryBytes = 12;  // tag, type, count, value or offset
  static constexpr uint16_t kTiffMagic = 42;
  static constexpr uint16_t kTagExifIfd = 0x8769;
  static constexpr uint16_t kTagOriginal = 0x9003;   // DateTimeOriginal
  static constexpr uint16_t kTagDigitized = 0x9004;  // DateTimeDigitized
  static constexpr uint16_t kTypeAscii = 2;
  static constexpr uint16_t kTypeLong = 4;
  static constexpr uint16_t kTypeIfd = 13;  // what some writers give the EXIF IFD pointer

  // Callers keep the bytes read within the block.
  uint32_t U16(std::size_t at) const {
    return FBigEndian ? (uint32_t{FData[at]} << 8) | FData[at + 1] : (uint32_t{FData[at + 1]} << 8) | FData[at];
  }
  uint32_t U32(std::size_t at) const {
    return FBigEndian ? (U16(at) << 16) | U16(at + 2) : (U16(at + 2) << 16) | U16(at);
  }

  // The offset of the first entry with Tag in the IFD at Ifd, of the type
  // the tag has (the EXIF IFD pointer a LONG, a date ASCII with its byte
  // count in *Count). Entries that run past the block are not there.
  std::optional<std::size_t> Entry(std::size_t ifd, uint16_t tag, std::size_t* count) const {
    if (ifd > FSize || FSize - ifd < 2) return std::nullopt;
    const std::size_t entries = std::min<std::size_t>(U16(ifd), (FSize - ifd - 2) / kEntryBytes);
    for (std::size_t i = 0; i < entries; ++i) {
      const std::size_t e = ifd + 2 + i * kEntryBytes;
      if (U16(e) != tag) continue;
      const uint32_t type = U16(e + 2);
      const bool expected = count ? type == kTypeAscii : (type == kTypeLong || type == kTypeIfd) && U32(e + 4) == 1;
      if (!expected) return std::nullopt;
      if (count) *count = U32(e + 4);
      return e;
    }
    return std::nullopt;
  }

  const unsigned char* FData;
  std::size_t FSize;
  bool FBigEndian = false;
};

// The first valid of DateTimeOriginal, DateTimeDigitized in a block that
// begins with "Exif\0\0".
std::optional<TTakenTime> DateFromExifBlock(const unsigned char* block, std::size_t size) {
  return TTiffReader(block + kExifHeaderBytes, size - kExifHeaderBytes).Taken();
}

// An open file descriptor that closes itself.
struct TFd {
  int Fd;
  explicit TFd(int fd) : Fd(fd) {}
  ~TFd() {
    if (Fd >= 0) close(Fd);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
};

// The start of a file, read as far as its EXIF segment goes. Its buffer is
// not cleared between files: only the bytes read count.
struct THead {
  std::unique_ptr<unsigned char[]> Bytes{new unsigned char[kPhotoHeadBytes]};
  std::size_t Size = 0;

  // One read, up to Want bytes in all: what a regular file gives at once.
  // False at the file's end or on an error.
  bool ReadMore(int fd, std::size_t want) {
    ssize_t n;
    do {
      n = read(fd, Bytes.get() + Size, want - Size);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) return false;
    Size += static_cast<std::size_t>(n);
    return true;
  }
};

// The date of the file open as fd. Its size is not needed: a small photo
// comes whole with the first read, whose end the segment walk recognises,
// and a large one is read on only as far as its EXIF segment goes (the
// first read holds it, unless segments of other applications come first).
std::optional<TTakenTime> TakenFromFd(int fd, THead& head) {
  head.Size = 0;
  if (!head.ReadMore(fd, kFirstRead)) return std::nullopt;
  for (;;) {
    const TExifSpan span = FindExifBlock(head.Bytes.get(), head.Size);
    if (span.Kind == TScan::None) return std::nullopt;
    if (span.Kind == TScan::Found && span.End <= head.Size)
      return DateFromExifBlock(head.Bytes.get() + span.Begin, span.End - span.Begin);
    // Found past the bytes at hand: read to its end. Short: read on, as far
    // as the head goes, since the segment in the way has no known end yet.
    const std::size_t want = span.Kind == TScan::Found ? span.End : kPhotoHeadBytes;
    if (want > kPhotoHeadBytes || head.Size >= kPhotoHeadBytes) return std::nullopt;
    if (!head.ReadMore(fd, want)) return std::nullopt;  // the file ended
  }
}

int64_t ModifiedNs(const struct stat& st) {
  return int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
}

// The type of each name as the folder's entries give it (DT_UNKNOWN where
// the file system does not say, or the name is not there), in one pass over
// the folder open as Dir: far cheaper than a stat per file.
std::vector<unsigned char> EntryTypes(int dir, const std::vector<std::string>& names) {
  std::vector<unsigned char> types(names.size(), DT_UNKNOWN);
  ScanListedEntries(
      dir, names.size(), [&names](std::size_t i) { return std::string_view(names[i]); },
      [&types](std::size_t i, const dirent64& e) { types[i] = e.d_type; });
  return types;
}

// Opens a file for its head: never waiting (a name that became a FIFO
// meanwhile), never taking a terminal.
int OpenHead(int dir, const std::string& name) {
  return openat(dir, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

}  // namespace

const char* NumberOrderKey(TNumberOrder Order) {
  switch (Order) {
    case TNumberOrder::Modified:
      return "modified";
    case TNumberOrder::Taken:
      return "taken";
    case TNumberOrder::Name:
      break;
  }
  return "name";
}

TNumberOrder NumberOrderFromKey(std::string_view Key) {
  if (Key == "modified") return TNumberOrder::Modified;
  if (Key == "taken") return TNumberOrder::Taken;
  return TNumberOrder::Name;
}

std::optional<TTakenTime> PhotoTakenFromBytes(const unsigned char* Data, std::size_t Size) {
  if (!Data || Size == 0) return std::nullopt;
  Size = std::min(Size, kPhotoHeadBytes);
  const TExifSpan span = FindExifBlock(Data, Size);
  if (span.Kind != TScan::Found || span.End > Size) return std::nullopt;  // none, or cut short
  return DateFromExifBlock(Data + span.Begin, span.End - span.Begin);
}

std::optional<TTakenTime> PhotoTaken(const std::string& Path) {
  // Links are followed, as the listing follows them. Only a regular file is
  // opened: opening a device may do something.
  struct stat st;
  if (stat(Path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const TFd fd(OpenHead(AT_FDCWD, Path));
  if (fd.Fd < 0 || fstat(fd.Fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  THead head;
  return TakenFromFd(fd.Fd, head);
}

std::vector<std::string> OrderNames(std::vector<std::string> Names, const std::vector<TFileDates>& Dates,
                                    TNumberOrder Order) {
  if (Order == TNumberOrder::Name || Dates.size() != Names.size()) return Names;
  std::vector<std::size_t> order(Names.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  const auto byModified = [&Dates](std::size_t a, std::size_t b) { return Dates[a].Modified < Dates[b].Modified; };
  const auto byTaken = [&Dates, &byModified](std::size_t a, std::size_t b) {
    const std::optional<TTakenTime>& ta = Dates[a].Taken;
    const std::optional<TTakenTime>& tb = Dates[b].Taken;
    if (ta && tb) return *ta < *tb;
    if (ta || tb) return ta.has_value();  // dated before undated
    return byModified(a, b);
  };
  if (Order == TNumberOrder::Modified)
    std::stable_sort(order.begin(), order.end(), byModified);
  else
    std::stable_sort(order.begin(), order.end(), byTaken);
  std::vector<std::string> ordered;
  ordered.reserve(Names.size());
  for (const std::size_t i : order) ordered.push_back(std::move(Names[i]));
  return ordered;
}

std::vector<TFileDates> TNumberOrderJob::ReadDates(const std::string& Folder, const std::vector<std::string>& Names,
                                                   TNumberOrder Order, const std::atomic<bool>* Cancel,
                                                   std::atomic<std::size_t>* Done) {
  std::vector<TFileDates> dates(Names.size());
  if (Order == TNumberOrder::Name) return dates;
  // Names are looked up in the open folder: no walk down its path per file.
  const TFd dir(open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Fd < 0) return dates;  // every file sorts as the oldest
  const bool taken = Order == TNumberOrder::Taken;
  // Only a regular file is opened: opening a device may do something. The
  // folder's entries say which names are regular files; any other name (a
  // link, or on a file system that does not say) is looked at first.
  const std::vector<unsigned char> types = taken ? EntryTypes(dir.Fd, Names) : std::vector<unsigned char>();
  std::unique_ptr<THead> head(taken ? new THead : nullptr);
  for (std::size_t i = 0; i < Names.size(); ++i) {
    if (Cancel && Cancel->load(std::memory_order_relaxed)) break;
    if (Done) Done->fetch_add(1, std::memory_order_relaxed);
    // A name that is no bare name of the folder ("..", or one holding "/")
    // must not lead outside it; it sorts as the oldest.
    const std::string& name = Names[i];
    if (!IsRenamable(name)) continue;
    struct stat st;
    if (taken && types[i] == DT_REG) {
      const TFd fd(OpenHead(dir.Fd, name));
      if (fd.Fd >= 0) {
        dates[i].Taken = TakenFromFd(fd.Fd, *head);
        if (dates[i].Taken) continue;  // its modification time orders nothing: not looked up
        if (fstat(fd.Fd, &st) == 0) {
          dates[i].Modified = ModifiedNs(st);
          continue;
        }
      }
    }
    if (fstatat(dir.Fd, name.c_str(), &st, 0) != 0) continue;
    dates[i].Modified = ModifiedNs(st);
    if (taken && S_ISREG(st.st_mode) && st.st_size > 0) {
      const TFd fd(OpenHead(dir.Fd, name));
      if (fd.Fd >= 0) dates[i].Taken = TakenFromFd(fd.Fd, *head);
    }
  }
  return dates;
}

TNumberOrderJob::~TNumberOrderJob() { Cancel(); }

void TNumberOrderJob::Cancel() {
  FCancel = true;
  if (FWorker.joinable()) FWorker.join();
  FCancel = false;
  FRunning = false;
  FFinished = false;
  FResult.clear();
}

void TNumberOrderJob::Start(std::string Folder, std::vector<std::string> Names, TNumberOrder Order) {
  Cancel();
  FDone = 0;
  FTotal = Names.size();
  if (Order == TNumberOrder::Name) {
    FResult = std::move(Names);
    FDone = FTotal.load();
    FFinished.store(true, std::memory_order_release);
    return;
  }
  FRunning = true;
  // The worker calls its own copy of OnFinished: setting it for the next
  // job while this one ends is no race.
  FWorker = std::thread([this, folder = std::move(Folder), names = std::move(Names), Order,
                         onFinished = OnFinished]() mutable {
    const std::vector<TFileDates> dates = ReadDates(folder, names, Order, &FCancel, &FDone);
    if (FCancel.load()) return;  // Cancel resets the state after joining
    FResult = OrderNames(std::move(names), dates, Order);
    // The result is complete before anyone can see Finished(): release, and
    // TakeResult's acquire.
    FFinished.store(true, std::memory_order_release);
    FRunning = false;
    if (onFinished) onFinished();
  });
}

std::vector<std::string> TNumberOrderJob::TakeResult() {
  if (!FFinished.load(std::memory_order_acquire)) return {};
  return std::exchange(FResult, {});
}
