// SPDX-License-Identifier: GPL-3.0-or-later
// The file list at a million names: assigning them and painting the first
// screen, against Qt's own lists in the same run; then scrolling by a page
// and by dragging the thumb, which must cost one screen whatever the count.
// Run with QT_QPA_PLATFORM=offscreen.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QListView>
#include <QListWidget>
#include <QStringListModel>
#include <cstdio>

#include "framework/tapplication.h"
#include "framework/tform.h"
#include "skin/controls/tbsskinlistbox.h"
#include "skins/defaultskinblock.h"
#include "skin/data/tbscompressedstoredskin.h"

namespace {

constexpr int kNames = 1'000'000;
constexpr int kWidth = 516, kHeight = 408;  // the main window's list

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    v.reserve(kNames);
    char buffer[32];
    for (int i = 0; i < kNames; ++i) {
      std::snprintf(buffer, sizeof buffer, "IMG_%07d.jpg", i);
      v.emplace_back(buffer);
    }
    return v;
  }();
  return names;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

struct SkinnedList {
  TForm form;
  TbsSkinListBox* box;
  SkinnedList() {
    auto* stored = new TbsCompressedStoredSkin(&form);
    stored->SetCompressedData(DefaultSkinBlock());
    auto* data = new TbsSkinData(&form);
    data->SetCompressedStoredSkin(stored);
    box = new TbsSkinListBox(form.ClientArea());
    box->SetBounds(0, 0, kWidth, kHeight);
    box->SetSkinData(data);
  }
};

void BM_SkinListBox_AssignMillionAndPaint(benchmark::State& state) {
  SkinnedList list;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> names = Names();  // what the rename engine hands over
    state.ResumeTiming();
    list.box->Items().Assign(std::move(names));
    benchmark::DoNotOptimize(list.box->grab());
  }
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_SkinListBox_AssignMillionAndPaint)->Unit(benchmark::kMillisecond);

void BM_QListView_AssignMillionAndPaint(benchmark::State& state) {
  QListView view;
  QStringListModel model;
  view.setUniformItemSizes(true);
  view.setModel(&model);
  view.resize(kWidth, kHeight);
  for (auto _ : state) {
    QStringList texts;
    texts.reserve(kNames);
    for (const std::string& name : Names()) texts.push_back(QString::fromUtf8(name.data(), qsizetype(name.size())));
    model.setStringList(texts);
    benchmark::DoNotOptimize(view.grab());
  }
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_QListView_AssignMillionAndPaint)->Unit(benchmark::kMillisecond);

void BM_QListWidget_AssignMillionAndPaint(benchmark::State& state) {
  QListWidget widget;
  widget.setUniformItemSizes(true);
  widget.resize(kWidth, kHeight);
  for (auto _ : state) {
    widget.clear();
    QStringList texts;
    texts.reserve(kNames);
    for (const std::string& name : Names()) texts.push_back(QString::fromUtf8(name.data(), qsizetype(name.size())));
    widget.addItems(texts);
    benchmark::DoNotOptimize(widget.grab());
  }
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_QListWidget_AssignMillionAndPaint)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SkinListBox_PageDownAndPaint(benchmark::State& state) {
  SkinnedList list;
  list.box->Items().Assign(std::vector<std::string>(Names()));
  TbsListBox& inner = *list.box->InnerList();
  TbsSkinScrollBar& bar = *list.box->VScrollBar();
  for (auto _ : state) {
    // A page down through the bar, as a click in its track does.
    bar.SetPosition(inner.TopIndex() + bar.LargeChange() >= kNames - bar.PageSize() ? 0
                                                                                      : bar.Position() + bar.LargeChange());
    benchmark::DoNotOptimize(inner.grab());
  }
}
BENCHMARK(BM_SkinListBox_PageDownAndPaint)->Unit(benchmark::kMicrosecond);

void BM_SkinListBox_ThumbDragStepAndPaint(benchmark::State& state) {
  SkinnedList list;
  list.box->Items().Assign(std::vector<std::string>(Names()));
  TbsSkinScrollBar& bar = *list.box->VScrollBar();
  TbsListBox& inner = *list.box->InnerList();
  const int span = bar.Geometry().ThumbEnd - bar.Geometry().ThumbStart;
  int d = 0;
  for (auto _ : state) {
    d = (d + 7) % std::max(1, span);
    bar.SetPosition(bar.PositionFromDrag(d));
    benchmark::DoNotOptimize(inner.grab());
  }
}
BENCHMARK(BM_SkinListBox_ThumbDragStepAndPaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication app(argc, argv);
  Names();  // built once, outside every measurement
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
