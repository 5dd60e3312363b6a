// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a skin of about 240 KB (five pictures and a description of a few
// hundred lines, packed by the same code skinpack uses) through the skin
// data component, against inflating the same block alone. The load should
// cost at most three times the inflation.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "skin/data/tbsbitmapfile.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"

namespace {

// Pictures with smooth areas and some texture, so they compress the way
// drawn skin pieces do rather than like noise or flat colour.
QImage SkinPicture(int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB32);
  uint32_t state = uint32_t(seed) * 2654435761u + 1;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      // Texture on a few tiles only: a drawn skin packs to about a tenth.
      state = state * 1103515245u + 12345u;
      const int grain = (x / 16 + y / 16) % 7 == 0 ? int((state >> 16) & 7) : 0;
      row[x] = qRgb(((x / 6) * 9 + grain) & 255, ((y / 6) * 11) & 255, (seed * 40 + grain) & 255);
    }
  }
  return image;
}

std::string Description() {
  static const char* const kTypes[] = {"panel", "button", "edit", "listbox", "scrollbar", "splitter", "stdlabel", "treeview"};
  std::string text =
      "[VERSION]\r\nskinname=Bench\r\nskinauthor=us\r\n[PICTURES]\r\npicture=main.bmp\r\nactivepicturescount=4\r\n"
      "0=a0.bmp\r\n1=a1.bmp\r\n2=a2.bmp\r\n3=a3.bmp\r\n"
      "[FORMINFO]\r\nlefttoppoint=8,26\r\nrighttoppoint=168,26\r\nleftbottompoint=8,116\r\nrightbottompoint=168,116\r\n"
      "clientrect=8,26,168,116\r\nbuttonsrect=120,2,170,20\r\ncaptionrect=20,2,110,20\r\n"
      "[POPUPWINDOW]\r\nwindowpictureindex=1\r\nitemsrect=3,3,60,60\r\n[HINTWINDOW]\r\nwindowpictureindex=2\r\n"
      "[SKINOBJECTS]\r\ncount=6\r\n";
  for (int i = 0; i < 6; ++i) text += std::to_string(i) + "=obj" + std::to_string(i) + ":stdbutton\r\n";
  for (int i = 0; i < 6; ++i)
    text += "[obj" + std::to_string(i) + "]\r\nhint=Button\r\nactivepictureindex=1\r\nskinrect=1,2,13,14\r\n"
            "activeskinrect=14,2,26,14\r\ncommand=cmclose\r\n";
  text += "[SKINCONTROLS]\r\ncount=48\r\n";
  for (int i = 0; i < 48; ++i) text += std::to_string(i) + "=c" + std::to_string(i) + ":" + kTypes[i % 8] + "\r\n";
  for (int i = 0; i < 48; ++i)
    text += "[c" + std::to_string(i) + "]\r\npictureindex=" + std::to_string(i % 4) +
            "\r\nskinrect=307,21,374,70\r\nlefttoppoint=2,2\r\nrighttoppoint=63,2\r\nleftbottompoint=2,45\r\n"
            "rightbottompoint=63,45\r\nclientrect=1,1,66,48\r\nfontname=Arial\r\nfontheight=14\r\nfontcolor=0\r\n";
  return text;
}

struct BenchSkin {
  QTemporaryDir dir;
  TbsCompressedStoredSkin stored;
  size_t packageSize = 0;
  BenchSkin() {
    const QDir d(dir.path());
    TbsBitmapFile::SaveToFile(d.filePath("main.bmp").toStdString(), SkinPicture(177, 124, 0));
    const int sizes[4][2] = {{200, 100}, {150, 100}, {120, 100}, {100, 100}};
    for (int i = 0; i < 4; ++i)
      TbsBitmapFile::SaveToFile(d.filePath(QString("a%1.bmp").arg(i)).toStdString(),
                                SkinPicture(sizes[i][0], sizes[i][1], i + 1));
    const std::string ini = d.filePath("skin.ini").toStdString();
    std::ofstream(ini, std::ios::binary) << Description();
    stored.BuildFromDescriptionFile(ini);
    std::vector<uint8_t> package;
    stored.InflateInto(package);
    packageSize = package.size();
  }
};

BenchSkin& Skin() {
  static BenchSkin skin;
  return skin;
}

void BM_InflateOnly(benchmark::State& state) {
  BenchSkin& skin = Skin();
  for (auto _ : state) {
    std::vector<uint8_t> package;
    skin.stored.InflateInto(package);
    benchmark::DoNotOptimize(package.data());
  }
  state.counters["package_bytes"] = double(skin.packageSize);
  state.counters["block_bytes"] = double(skin.stored.CompressedBuffer.size());
}
BENCHMARK(BM_InflateOnly)->Unit(benchmark::kMicrosecond);

void BM_LoadSkin(benchmark::State& state) {
  BenchSkin& skin = Skin();
  TbsSkinData data;
  data.SetCompressedStoredSkin(&skin.stored);
  for (auto _ : state) {
    data.LoadCompressedStoredSkin();
    benchmark::DoNotOptimize(data.ControlRecords.data());
  }
  state.counters["records"] = double(data.ControlRecords.size() + data.ObjectRecords.size());
}
BENCHMARK(BM_LoadSkin)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
