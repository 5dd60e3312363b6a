// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamer/numberorder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <libexif/exif-data.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <future>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../platform/tempfolder.h"

namespace {

using Bytes = std::string;
using Dates = std::vector<std::pair<ExifTag, const char*>>;

// Seconds since 1970 of a few wall-clock times (date -u -d ... +%s).
constexpr TTakenTime kLeapDayEve = 1709251198;  // 2024:02:29 23:59:58
constexpr TTakenTime kSummer2019 = 1561969800;  // 2019:07:01 08:30:00
constexpr TTakenTime kMoonLanding = -14182940;  // 1969:07:20 20:17:40

std::string Be16(unsigned v) { return {char(v >> 8), char(v & 0xFF)}; }
std::string Le16(unsigned v) { return {char(v & 0xFF), char(v >> 8)}; }
std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

// A JPEG segment: marker, length (counting itself), body.
Bytes Segment(unsigned char marker, const Bytes& body) {
  return Bytes{char(0xFF), char(marker)} + Be16(body.size() + 2) + body;
}
const Bytes kSoi = "\xFF\xD8", kEoi = "\xFF\xD9";
const Bytes kJfif = Segment(0xE0, Bytes("JFIF\0\1\1\0\0\1\0\1\0\0", 14));

// An EXIF block ("Exif\0\0" + TIFF) as libexif writes it: big-endian, the
// file's DateTime in IFD 0, the other dates in the EXIF IFD.
Bytes LibexifBlock(const Dates& dates) {
  ExifData* data = exif_data_new();
  for (const auto& [tag, text] : dates) {
    ExifEntry* e = exif_entry_new();
    exif_content_add_entry(data->ifd[tag == EXIF_TAG_DATE_TIME ? EXIF_IFD_0 : EXIF_IFD_EXIF], e);
    exif_entry_initialize(e, tag);  // an ASCII field of 20 bytes
    std::memcpy(e->data, text, 20);
    exif_entry_unref(e);
  }
  unsigned char* bytes = nullptr;
  unsigned int size = 0;
  exif_data_save_data(data, &bytes, &size);
  Bytes block(reinterpret_cast<char*>(bytes), size);
  std::free(bytes);
  exif_data_unref(data);
  return block;
}

// A little-endian block made by hand, to damage: IFD 0 at 8 holds only the
// pointer to the EXIF IFD (at 26), whose ASCII entries point past it.
struct THandBlock {
  std::vector<std::pair<uint16_t, Bytes>> Ascii;
  uint32_t ExifPointer = 26, Ifd0Next = 0, DataShift = 0;
  Bytes Make() const {
    Bytes t = "II" + Le16(42) + Le32(8);
    t += Le16(1) + Le16(0x8769) + Le16(4) + Le32(1) + Le32(ExifPointer) + Le32(Ifd0Next);
    uint32_t data = 26 + 2 + 12 * Ascii.size() + 4;
    t += Le16(Ascii.size());
    for (const auto& [tag, text] : Ascii) {
      t += Le16(tag) + Le16(2) + Le32(text.size()) + Le32(data + DataShift);
      data += text.size();
    }
    t += Le32(0);
    for (const auto& entry : Ascii) t += entry.second;
    return Bytes("Exif\0\0", 6) + t;
  }
};

Bytes Jpeg(const Bytes& block, const Bytes& before = kJfif) { return kSoi + before + Segment(0xE1, block) + kEoi; }
Bytes Photo(const Dates& dates, const Bytes& before = kJfif) { return Jpeg(LibexifBlock(dates), before); }

// On a copy of exactly the given bytes, so that reading past them is caught
// by the address sanitizer.
std::optional<TTakenTime> Taken(const Bytes& bytes) {
  const std::vector<unsigned char> copy(bytes.begin(), bytes.end());
  return PhotoTakenFromBytes(copy.data(), copy.size());
}

void SetModified(const std::string& path, int64_t seconds) {
  const timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

TEST(NumberOrder, TakenIsOriginalThenDigitizedAndOnlyAValidDate) {
  const auto original = EXIF_TAG_DATE_TIME_ORIGINAL, digitized = EXIF_TAG_DATE_TIME_DIGITIZED;
  const struct {
    const char* What;
    Bytes Photo;
    std::optional<TTakenTime> Expected;
  } cases[] = {
      {"original before digitized",
       Photo({{digitized, "2019:07:01 08:30:00"}, {original, "2024:02:29 23:59:58"}}), kLeapDayEve},
      {"digitized without original", Photo({{digitized, "2019:07:01 08:30:00"}}), kSummer2019},
      {"digitized when the original is blank",
       Photo({{original, "    :  :     :  :  "}, {digitized, "1969:07:20 20:17:40"}}), kMoonLanding},
      {"no APP0 ahead of the EXIF segment", Photo({{original, "2019:07:01 08:30:00"}}, ""), kSummer2019},
      {"a bare EXIF block", LibexifBlock({{original, "2019:07:01 08:30:00"}}), kSummer2019},
      {"little-endian, an XMP segment first",
       Jpeg(THandBlock{{{0x9003, Bytes("2024:02:29 23:59:58\0", 20)}}}.Make(),
            kJfif + Segment(0xE1, "http://ns.adobe.com/xap/1.0/")),
       kLeapDayEve},
      {"only the file's change date (IFD 0)", Photo({{EXIF_TAG_DATE_TIME, "2019:07:01 08:30:00"}}), std::nullopt},
      {"30 February", Photo({{original, "2024:02:30 10:00:00"}}), std::nullopt},
      {"29 February of a common year", Photo({{original, "2023:02:29 10:00:00"}}), std::nullopt},
      {"zeros of a camera without a clock", Photo({{original, "0000:00:00 00:00:00"}}), std::nullopt},
      {"blanks", Photo({{original, "    :  :     :  :  "}}), std::nullopt},
      {"hour 24", Photo({{original, "2024:01:01 24:00:00"}}), std::nullopt},
      {"month 13", Photo({{original, "2024:13:01 10:00:00"}}), std::nullopt},
      {"no JPEG", "GIF89a" + LibexifBlock({{original, "2019:07:01 08:30:00"}}), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(Taken(c.Photo), c.Expected) << c.What;
}

TEST(NumberOrder, DamagedOrCutEXIFGivesNoDateAndEnds) {
  // Every cut of a head short of its EXIF segment's end.
  const Bytes photo = Photo({{EXIF_TAG_DATE_TIME_ORIGINAL, "2019:07:01 08:30:00"}});
  for (std::size_t n = 0; n < photo.size() - kEoi.size(); ++n)
    ASSERT_EQ(Taken(photo.substr(0, n)), std::nullopt) << n;
  EXPECT_EQ(Taken(photo.substr(0, photo.size() - kEoi.size())), kSummer2019);
  EXPECT_EQ(PhotoTakenFromBytes(nullptr, 100), std::nullopt);

  // A bare block ends with its date's text: every cut loses the date. Read
  // from the whole block's bytes, so a reader that goes past the cut finds it.
  const std::vector<std::pair<uint16_t, Bytes>> date = {{0x9003, Bytes("2024:02:29 23:59:58\0", 20)}};
  const Bytes bare = THandBlock{date}.Make();
  const auto* bytes = reinterpret_cast<const unsigned char*>(bare.data());
  for (std::size_t n = 0; n < bare.size(); ++n) ASSERT_EQ(PhotoTakenFromBytes(bytes, n), std::nullopt) << n;
  EXPECT_EQ(PhotoTakenFromBytes(bytes, bare.size()), kLeapDayEve);
  const struct {
    const char* What;
    THandBlock Block;
  } damaged[] = {
      {"EXIF IFD past the end", {date, 0xFFFFFF00}},
      {"EXIF IFD that is IFD 0, pointing to itself", {date, 8}},
      {"date text past the end", {date, 26, 0, 0x10000}},
  };
  for (const auto& d : damaged) EXPECT_EQ(Taken(Jpeg(d.Block.Make())), std::nullopt) << d.What;
  // IFD 0 naming itself as the next IFD: no loop, the date is read.
  EXPECT_EQ(Taken(Jpeg(THandBlock{date, 26, 8}.Make())), kLeapDayEve);
  // A segment claiming more bytes than there are, and fill bytes to the end.
  EXPECT_EQ(Taken(kSoi + "\xFF\xE1\xFF\xFF" "Exif"), std::nullopt);
  EXPECT_EQ(Taken(kSoi + Bytes(5, '\xFF')), std::nullopt);
}

class NumberOrderFiles : public testing::Test {
protected:
  // A photo file with the given date (or none), modified at Modified.
  void File(const std::string& name, const char* taken, int64_t modified, const Bytes& before = kJfif) {
    F.WriteFile(name, taken ? Photo({{EXIF_TAG_DATE_TIME_ORIGINAL, taken}}, before) : kSoi + kEoi);
    SetModified(F.Path() + name, modified);
  }
  static std::vector<std::string> Run(TNumberOrderJob& job, const std::string& folder,
                                      const std::vector<std::string>& names, TNumberOrder order) {
    std::promise<void> done;
    job.OnFinished = [&] { done.set_value(); };
    job.Start(folder, names, order);
    EXPECT_EQ(done.get_future().wait_for(std::chrono::seconds(60)), std::future_status::ready);
    EXPECT_TRUE(job.Finished());
    EXPECT_EQ(job.Done(), names.size());
    return job.TakeResult();
  }
  TempFolder F;
};

TEST_F(NumberOrderFiles, DatedPhotosFirstThenUndatedByModificationTiesInListOrder) {
  // Segments ahead of the EXIF one put it past the first 64 KiB read, across
  // its end, or past the head read at all.
  const Bytes icc = Segment(0xE2, Bytes(65530, 'i'));
  File("a.jpg", "2019:07:01 08:30:00", 500);
  File("b.jpg", "2001:01:01 00:00:01", 400, kJfif + icc);
  File("c.jpg", nullptr, 300);
  File("d.txt", nullptr, 200);
  File("e.jpg", "2001:01:01 00:00:01", 100, kJfif + Segment(0xE2, Bytes(65450, 'i')));  // the same moment as b
  File("f.jpg", "1999:12:31 23:59:59", 50, kJfif + icc + icc + icc);
  ASSERT_EQ(mkfifo((F.Path() + "g.fifo").c_str(), 0644), 0);  // opening it would wait
  SetModified(F.Path() + "g.fifo", 250);
  F.MakeLink("h.jpg", "a.jpg");       // followed
  File("i.jpg", nullptr, 300);        // the same time as c
  const std::vector<std::string> names = {"a.jpg", "b.jpg", "c.jpg",  "d.txt", "e.jpg",
                                          "f.jpg", "g.fifo", "h.jpg", "i.jpg", "gone"};

  EXPECT_EQ(PhotoTaken(F.Path() + "b.jpg"), 978307201);
  EXPECT_EQ(PhotoTaken(F.Path() + "f.jpg"), std::nullopt);
  EXPECT_EQ(PhotoTaken(F.Path() + "g.fifo"), std::nullopt);
  TNumberOrderJob job;
  EXPECT_EQ(Run(job, F.Path(), names, TNumberOrder::Taken),
            (std::vector<std::string>{"b.jpg", "e.jpg", "a.jpg", "h.jpg", "gone",  // dated, then undated
                                      "f.jpg", "d.txt", "g.fifo", "c.jpg", "i.jpg"}));
  EXPECT_TRUE(job.TakeResult().empty());  // taken once
  EXPECT_EQ(Run(job, F.Path(), names, TNumberOrder::Modified),
            (std::vector<std::string>{"gone", "f.jpg", "e.jpg", "d.txt", "g.fifo", "c.jpg", "i.jpg", "b.jpg",
                                      "a.jpg", "h.jpg"}));
  job.OnFinished = [] { ADD_FAILURE() << "no notice for the name order"; };
  job.Start(F.Path(), names, TNumberOrder::Name);
  EXPECT_TRUE(job.Finished());
  EXPECT_EQ(job.TakeResult(), names);
}

TEST_F(NumberOrderFiles, CancelStopsBetweenFilesAndGivesNoResult) {
  std::vector<std::string> names;
  const Bytes photo = Photo({{EXIF_TAG_DATE_TIME_ORIGINAL, "2019:07:01 08:30:00"}});
  for (int i = 0; i < 3000; ++i) {
    names.push_back("p" + std::to_string(i) + ".jpg");
    F.WriteFile(names.back(), photo);
    SetModified(F.Path() + names.back(), 3000 - i);
  }
  std::atomic<bool> cancel{true};
  std::atomic<std::size_t> done{0};
  TNumberOrderJob::ReadDates(F.Path(), names, TNumberOrder::Taken, &cancel, &done);
  EXPECT_EQ(done.load(), 0u);

  TNumberOrderJob job;
  job.Start(F.Path(), names, TNumberOrder::Taken);
  job.Cancel();
  EXPECT_FALSE(job.Running());
  EXPECT_FALSE(job.Finished());
  EXPECT_TRUE(job.TakeResult().empty());
  // The same job orders the next start in full: equal dates keep the list's
  // order, whatever the modification times say.
  EXPECT_EQ(Run(job, F.Path(), names, TNumberOrder::Taken), names);
}

TEST(NumberOrder, SettingsWordsReadBackAndUnknownOnesAreName) {
  for (const TNumberOrder o : {TNumberOrder::Name, TNumberOrder::Modified, TNumberOrder::Taken})
    EXPECT_EQ(NumberOrderFromKey(NumberOrderKey(o)), o);
  EXPECT_STREQ(NumberOrderKey(TNumberOrder::Taken), "taken");
  EXPECT_EQ(NumberOrderFromKey("Taken"), TNumberOrder::Name);
}

}  // namespace
