// SPDX-License-Identifier: GPL-3.0-or-later
// Live resize of a 1920 x 1080 window through the framework's move/size
// loop, under the offscreen platform: the skinned frame (strips, objects,
// region and a repaint per sizing step) against a plain frameless window
// resized and repainted the same way in the same run. Each step is timed on
// its own; the median step goes into the counter "median_ms".

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryFile>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "framework/tapplication.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/form/tbsskinframe.h"
#include "skins/defaultskinblock.h"

namespace {

constexpr int kW = 1920, kH = 1080;
constexpr int kStep = 16;  // pixels the corner moves per sizing step

void Send(QWidget* w, QEvent::Type type, const QPoint& global, Qt::MouseButtons buttons, Qt::MouseButton button) {
  QMouseEvent e(type, QPointF(w->mapFromGlobal(global)), QPointF(global), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

// One sizing step: the corner goes out or back, then the window repaints.
template <class Step>
void TimeSteps(benchmark::State& state, Step step) {
  std::vector<double> ms;
  QElapsedTimer timer;
  int i = 0;
  for (auto _ : state) {
    timer.start();
    step(i++ % 2 == 0 ? kStep : 0);
    ms.push_back(double(timer.nsecsElapsed()) / 1e6);
  }
  state.counters["median_ms"] = Median(ms);
}

void SkinnedLiveResize(benchmark::State& state, const std::string& skinFolder) {
  TForm form;
  auto* frame = new TbsSkinFrame(&form);
  auto* data = new TbsSkinData(&form);
  auto* stored = new TbsCompressedStoredSkin(data);
  if (skinFolder.empty()) stored->SetCompressedData(DefaultSkinBlock());
  else stored->BuildFromDescriptionFile(std::string(TEST_SKINS_DIR) + "/" + skinFolder + "/skin.ini");
  data->SetCompressedStoredSkin(stored);
  frame->SetSkinData(data);
  form.SetCaption("批量修改文件名");
  form.SetBounds(0, 0, kW, kH);
  form.show();
  QCoreApplication::processEvents();
  if (form.size() != QSize(kW, kH)) {
    state.SkipWithError("the screen is too small for the window");
    return;
  }
  const QPoint corner = form.mapToGlobal(QPoint(kW - 1, kH - 1));
  bool sized = false;
  // The steps run inside the modal loop that the press below starts.
  QTimer::singleShot(0, &form, [&] {
    TimeSteps(state, [&](int d) {
      Send(&form, QEvent::MouseMove, corner - QPoint(d, d), Qt::LeftButton, Qt::NoButton);
      form.repaint();
    });
    sized = form.InMoveSizeLoop();
    Send(&form, QEvent::MouseButtonRelease, corner, Qt::NoButton, Qt::LeftButton);
  });
  Send(&form, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
  if (!sized) state.SkipWithError("the corner press did not start the sizing loop");
  state.counters["region_rects"] = double(frame->WindowRegion().rectCount());
}

void BM_SkinnedLiveResize_EmbeddedSkin(benchmark::State& state) { SkinnedLiveResize(state, ""); }
void BM_SkinnedLiveResize_ShapedSkin(benchmark::State& state) { SkinnedLiveResize(state, "shaped"); }

void BM_PlainFramelessResize(benchmark::State& state) {
  QWidget plain;
  plain.setWindowFlag(Qt::FramelessWindowHint);
  plain.setAutoFillBackground(true);
  plain.setGeometry(0, 0, kW, kH);
  plain.show();
  QCoreApplication::processEvents();
  TimeSteps(state, [&](int d) {
    plain.resize(kW - d, kH - d);
    plain.repaint();
  });
}

BENCHMARK(BM_SkinnedLiveResize_EmbeddedSkin)->Iterations(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SkinnedLiveResize_ShapedSkin)->Iterations(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainFramelessResize)->Iterations(400)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // An offscreen screen large enough for a 1920 x 1080 window (the frame
  // limits a window to its screen's work area).
  QTemporaryFile config;
  config.open();
  config.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 2560, "height": 1440}]})");
  config.flush();
  const QByteArray platform = "offscreen:configfile=" + config.fileName().toUtf8();
  qputenv("QT_QPA_PLATFORM", platform);
  TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
