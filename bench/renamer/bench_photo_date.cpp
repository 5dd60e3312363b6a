// SPDX-License-Identifier: GPL-3.0-or-later
// Ordering a folder of photos by the date they were taken against the least
// a program can do, side by side in one run on tmpfs: reading every photo's
// date (TNumberOrderJob::ReadDates) and ordering the names, compared with a
// bare loop that opens each file, reads the bytes the date reader reads and
// closes it. The photos are small JPEGs with an EXIF block as a camera
// writes it (a dozen entries, each photo its own random date), made once
// before the timing; the page cache is warm, as after the listing.
//
// Usage: bench_photo_date [--files=10000] [--parent=/dev/shm] [benchmark flags]

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <libexif/exif-data.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/folderbench.h"
#include "renamer/numberorder.h"

namespace {

int gFiles = 10000;
std::string gParent = "/dev/shm";
constexpr std::size_t kImageBytes = 1500;  // the coded picture after the EXIF segment
constexpr std::size_t kFirstRead = 64 * 1024;  // the date reader's first read

[[noreturn]] void Fail(const std::string& what) {
  std::perror(what.c_str());
  std::exit(1);
}

std::string Be16(std::size_t v) { return {char(v >> 8), char(v & 0xFF)}; }

// A photo's head: SOI, JFIF, EXIF (camera entries with their defaults and
// the given date), then filler standing for the picture.
std::string Photo(const std::string& date) {
  ExifData* data = exif_data_new();
  const auto add = [data](ExifIfd ifd, ExifTag tag) {
    ExifEntry* e = exif_entry_new();
    exif_content_add_entry(data->ifd[ifd], e);
    exif_entry_initialize(e, tag);
    return e;
  };
  for (const ExifTag tag : {EXIF_TAG_ORIENTATION, EXIF_TAG_X_RESOLUTION, EXIF_TAG_Y_RESOLUTION,
                            EXIF_TAG_RESOLUTION_UNIT, EXIF_TAG_YCBCR_POSITIONING, EXIF_TAG_DATE_TIME})
    exif_entry_unref(add(EXIF_IFD_0, tag));
  for (const ExifTag tag : {EXIF_TAG_EXIF_VERSION, EXIF_TAG_COMPONENTS_CONFIGURATION, EXIF_TAG_FLASH_PIX_VERSION,
                            EXIF_TAG_COLOR_SPACE, EXIF_TAG_PIXEL_X_DIMENSION, EXIF_TAG_PIXEL_Y_DIMENSION,
                            EXIF_TAG_DATE_TIME_DIGITIZED, EXIF_TAG_DATE_TIME_ORIGINAL}) {
    ExifEntry* e = add(EXIF_IFD_EXIF, tag);
    if (tag == EXIF_TAG_DATE_TIME_ORIGINAL) std::memcpy(e->data, date.c_str(), 20);
    exif_entry_unref(e);
  }
  unsigned char* bytes = nullptr;
  unsigned int size = 0;
  exif_data_save_data(data, &bytes, &size);
  const std::string block(reinterpret_cast<char*>(bytes), size);
  std::free(bytes);
  exif_data_unref(data);
  return std::string("\xFF\xD8\xFF\xE0", 4) + Be16(16) + std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14) + "\xFF\xE1" +
         Be16(block.size() + 2) + block + "\xFF\xDA" + std::string(kImageBytes, '\x55') + "\xFF\xD9";
}

// The folder of photos, made once for the run.
struct TPhotoFolder {
  std::string Path;
  std::vector<std::string> Names;
  std::size_t BytesEach = 0;

  TPhotoFolder() {
    std::string tmpl = gParent + "/bench_photo_date-XXXXXX";
    if (!mkdtemp(tmpl.data())) Fail("mkdtemp");
    Path = tmpl + "/";
    std::mt19937 random(1);
    std::uniform_int_distribution<int> year(2000, 2025), month(1, 12), day(1, 28), second(0, 86399);
    for (int i = 1; i <= gFiles; ++i) {
      char date[32];
      const int s = second(random);
      std::snprintf(date, sizeof date, "%04d:%02d:%02d %02d:%02d:%02d", year(random), month(random), day(random),
                    s / 3600, s / 60 % 60, s % 60);
      const std::string photo = Photo(date);
      BytesEach = photo.size();
      Names.push_back("IMG_" + std::to_string(i) + ".jpg");
      const int fd = open((Path + Names.back()).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
      if (fd < 0 || write(fd, photo.data(), photo.size()) != static_cast<ssize_t>(photo.size())) Fail("write");
      close(fd);
    }
  }
  ~TPhotoFolder() {
    for (const auto& name : Names) unlink((Path + name).c_str());
    rmdir(Path.c_str());
  }
};

TPhotoFolder* gFolder = nullptr;

void TakenOrder(benchmark::State& state) {
  for (auto _ : state) {
    const std::vector<TFileDates> dates =
        TNumberOrderJob::ReadDates(gFolder->Path, gFolder->Names, TNumberOrder::Taken);
    const std::vector<std::string> ordered = OrderNames(gFolder->Names, dates, TNumberOrder::Taken);
    benchmark::DoNotOptimize(ordered.data());
    if (!dates.back().Taken) state.SkipWithError("no date read");
  }
}

// Open, one read of what the date reader reads (the whole small file, at
// most its first read), close; names looked up in the open folder, as the
// date reader does.
void BareReads(benchmark::State& state) {
  std::vector<unsigned char> buffer(kFirstRead);
  const std::size_t want = std::min(gFolder->BytesEach, kFirstRead);
  for (auto _ : state) {
    const int dir = open(gFolder->Path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    std::size_t total = 0;
    for (const auto& name : gFolder->Names) {
      const int fd = openat(dir, name.c_str(), O_RDONLY | O_CLOEXEC);
      const ssize_t n = read(fd, buffer.data(), want);
      close(fd);
      total += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    close(dir);
    if (total != want * gFolder->Names.size()) state.SkipWithError("short read");
  }
}

// The ratio to the bare reads, once by the medians and once by the best times.
void PrintRatio(const TRatioReporter& reporter) {
  for (const auto& [kind, times] : reporter.Kinds()) {
    const auto bare = times->find("BareReads");
    const auto taken = times->find("TakenOrder");
    if (bare == times->end() || taken == times->end()) continue;
    std::printf("%-6s ratio to the bare reads: %.3f (target <= 1.5)\n", kind, taken->second / bare->second);
  }
}

}  // namespace

BENCHMARK(BareReads)->Unit(benchmark::kMillisecond)->Repetitions(9);
BENCHMARK(TakenOrder)->Unit(benchmark::kMillisecond)->Repetitions(9);

int main(int argc, char** argv) {
  InitializeFolderBenchmark(argc, argv, gFiles, gParent);

  TPhotoFolder folder;
  gFolder = &folder;
  std::printf("%d photos of %zu bytes in %s\n", gFiles, folder.BytesEach, gParent.c_str());
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintRatio(reporter);
  return 0;
}
