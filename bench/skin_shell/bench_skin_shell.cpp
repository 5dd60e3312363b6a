// SPDX-License-Identifier: GPL-3.0-or-later
// The folder tree on a big folder, side by side with Qt's own file-system
// tree in one run on tmpfs: expanding a folder of 20,000 subfolders (a
// quarter holding a subfolder of their own) until the children are shown and
// painted. Ours reads every child's subfolders to give exact expand buttons;
// Qt's marks every folder expandable without looking. Then the cost of the
// bar update per key press at 20,000 rows, and the program's start-up to its
// first painted window against a minimal Qt window showing a label (time,
// resident memory and the window thread's CPU time, each in a process of its
// own, the two taking turns). Run with QT_QPA_PLATFORM=offscreen; the ratios
// are printed at the end. On a shared machine the wall times swing with the
// load; `chrt -f 10` on the whole run gives figures close to an idle one.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QFileSystemModel>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/commandline.h"
#include "app/tmainform.h"
#include "app/tskinchooser.h"
#include "app/tskinfileloader.h"
#include "framework/tapplication.h"
#include "framework/tfontconfiguration.h"
#include "framework/tpanel.h"
#include "platform/systemimagelist.h"
#include "skin/data/tbsskinpackageprefetch.h"
#include "skin/shell/tbsskindirtreeview.h"
#include "skins/defaultskinblock.h"

extern char** environ;

namespace {

constexpr int kFolders = 20'000;
constexpr int kWidth = 204, kHeight = 446;  // the main window's tree
constexpr int kStartRuns = 41;  // pairs; one run of 15 swung by 0.1 on this 2-core virtual machine

std::string g_home;  // on tmpfs; holds Desktop/big
std::string g_self;  // this program, for the start-up children

std::string BigFolder() { return g_home + "/Desktop/big"; }

void MakeFolders() {
  char pattern[] = "/dev/shm/bench-shell-XXXXXX";
  if (!mkdtemp(pattern)) std::abort();
  g_home = pattern;
  mkdir((g_home + "/Desktop").c_str(), 0755);
  mkdir(BigFolder().c_str(), 0755);
  char name[64];
  for (int i = 0; i < kFolders; ++i) {
    std::snprintf(name, sizeof name, "/folder %05d", i);
    const std::string path = BigFolder() + name;
    mkdir(path.c_str(), 0755);
    if (i % 4 == 0) mkdir((path + "/inner").c_str(), 0755);
  }
  setenv("HOME", g_home.c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
}

void RemoveFolders() {
  const std::string command = "rm -rf '" + g_home + "'";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", g_home.c_str());
}

// Paints the view into a picture the way a repaint would, so the measure
// includes the rows' layout and drawing.
void Paint(QWidget* viewport) {
  QImage image(viewport->size(), QImage::Format_RGB32);
  viewport->render(&image);
  benchmark::DoNotOptimize(image.constBits());
}

struct OurTree {
  TPanel pane;
  TbsSkinDirTreeView* view;
  TbsSkinScrollBar* vbar;
  OurTree() {
    pane.SetBounds(0, 0, kWidth + 2, kHeight + 2);
    view = new TbsSkinDirTreeView(&pane);
    view->SetBounds(1, 1, kWidth, kHeight);
    view->SetAlign(alClient);
    view->SetIndent(19);
    vbar = new TbsSkinScrollBar(&pane);
    vbar->SetKind(sbVertical);
    vbar->SetBounds(kWidth - 19, 1, 19, kHeight);
    vbar->SetAlign(alRight);
    view->SetVScrollBar(vbar);
    view->Loaded();
    pane.show();
  }
  QTreeWidgetItem* Big() const { return view->FindNode("big"); }
};

void BM_OurTreeExpandsTheBigFolder(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto tree = std::make_unique<OurTree>();
    QTreeWidgetItem* big = tree->Big();
    QApplication::processEvents();
    state.ResumeTiming();
    tree->view->Tree()->expandItem(big);
    Paint(tree->view->Tree()->viewport());
    state.PauseTiming();
    if (big->childCount() != kFolders) state.SkipWithError("not every folder became a node");
    int marked = 0;
    for (int i = 0; i < big->childCount(); ++i)
      marked += big->child(i)->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
    state.counters["with_button"] = marked;
    tree.reset();
    state.ResumeTiming();
  }
}

void BM_QtFileSystemTreeExpandsTheBigFolder(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto model = std::make_unique<QFileSystemModel>();
    model->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    auto view = std::make_unique<QTreeView>();
    view->setModel(model.get());
    view->setHeaderHidden(true);
    for (int c = 1; c < 4; ++c) view->hideColumn(c);
    view->resize(kWidth, kHeight);
    const QString desktop = QString::fromStdString(g_home + "/Desktop");
    view->setRootIndex(model->setRootPath(desktop));
    view->show();
    while (model->rowCount(view->rootIndex()) < 1) QApplication::processEvents(QEventLoop::AllEvents, 5);
    const QModelIndex big = model->index(QString::fromStdString(BigFolder()));
    state.ResumeTiming();
    view->expand(big);
    while (model->rowCount(big) < kFolders) QApplication::processEvents(QEventLoop::AllEvents, 5);
    Paint(view->viewport());
    state.PauseTiming();
    view.reset();
    model.reset();
    state.ResumeTiming();
  }
}

// One key press at 20,000 rows: the selection moves, the tree scrolls and
// the bar follows.
void BM_KeyDownAt20000Rows(benchmark::State& state) {
  OurTree tree;
  QTreeWidgetItem* big = tree.Big();
  tree.view->Tree()->expandItem(big);
  tree.view->Select(big->child(0));
  QTreeWidget* w = tree.view->Tree();
  for (auto _ : state) {
    QTest::keyClick(w, Qt::Key_Down);
    if (w->currentItem() == big->child(big->childCount() - 1)) w->setCurrentItem(big->child(0));
  }
  state.counters["bar_shown"] = tree.vbar->Visible();
}

void BM_UpdateScrollBarsAt20000Rows(benchmark::State& state) {
  OurTree tree;
  tree.view->Tree()->expandItem(tree.Big());
  for (auto _ : state) tree.view->UpdateScrollBars();
}

// The tree's own share of the start-up: a new tree showing the desktop
// expanded and selected, painted once.
void BM_TreeBuildsTheDesktopRoot(benchmark::State& state) {
  const std::string home = g_home;
  setenv("HOME", (g_home + "/start").c_str(), 1);
  for (auto _ : state) {
    OurTree tree;
    Paint(tree.view->Tree()->viewport());
  }
  setenv("HOME", home.c_str(), 1);
}

// Start-up: each child process builds its window, and once the first paint
// has reached the screen it reports its resident memory and ends.
long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

// CPU time of the thread that builds and paints the window. Unlike the wall
// time it hardly moves when other processes share the machine, but it leaves
// out work done on other threads and time spent waiting for them.
double MainThreadMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !FPainted) {
      FPainted = true;
      QTimer::singleShot(0, [] {
        std::printf("%ld %.3f\n", ResidentKilobytes(), MainThreadMilliseconds());
        std::fflush(stdout);
        std::_Exit(0);
      });
    }
    return false;
  }
  bool FPainted = false;
};

// The label side is the smallest Qt Widgets program; the program side takes
// the steps of the program's own main, with no arguments.
int RunChild(const std::string& kind, int argc, char** argv) {
  FirstPaint watch;
  if (kind == "label") {
    QApplication app(argc, argv);
    QLabel label("批量修改文件名");
    label.installEventFilter(&watch);
    label.show();
    return app.exec();
  }
  int noArgc = 1;
  char* noArgv[] = {argv[0], nullptr};
  const TCommandLine commandLine = ParseCommandLine({QString::fromLocal8Bit(noArgv[0])});
  TFontConfiguration::Start(TbsSkinPackagePrefetch::Prepare(DefaultSkinBlock()));
  TApplication app(noArgc, noArgv);
  TSystemImageList::Instance().LookUpDesktopIcons();
  app.SetTitle("文件名批量修改器");
  TmainForm form;
  TSkinFileLoader skinLoader(*form.bsSkinData);
  TSkinChooser skinChooser(form, skinLoader, TSkinChooser::SettingsFile());
  skinChooser.ApplySavedChoice();
  const std::string problem = StartWith(commandLine, form, skinLoader);
  if (!problem.empty()) app.ShowException(problem);
  Application()->SetMainForm(&form);
  form.ShellTreeView1->Tree()->viewport()->installEventFilter(&watch);
  return app.Run();
}

struct StartUp {
  double Milliseconds;
  long Kilobytes;
  double MainThreadCpu;  // milliseconds
};

StartUp Launch(const std::string& kind) {
  int out[2];
  if (pipe(out) != 0) std::abort();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  const std::string arg = "--child=" + kind;
  char* args[] = {g_self.data(), const_cast<char*>(arg.c_str()), nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, g_self.c_str(), &actions, nullptr, args, environ) != 0) std::abort();
  close(out[1]);
  std::string text;
  char buffer[64];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(n));
  int status = 0;
  waitpid(pid, &status, 0);
  const auto end = std::chrono::steady_clock::now();
  close(out[0]);
  posix_spawn_file_actions_destroy(&actions);
  long kilobytes = 0;
  double cpu = 0;
  std::sscanf(text.c_str(), "%ld %lf", &kilobytes, &cpu);
  return {std::chrono::duration<double, std::milli>(end - start).count(), kilobytes, cpu};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The two kinds take turns, so a change in the machine's load falls on both.
std::pair<StartUp, StartUp> MedianStartUps(const std::string& first, const std::string& second) {
  std::vector<double> ms[2], kb[2], cpu[2];
  for (int i = 0; i < kStartRuns; ++i) {
    int k = 0;
    for (const std::string& kind : {first, second}) {
      const StartUp s = Launch(kind);
      ms[k].push_back(s.Milliseconds);
      kb[k].push_back(double(s.Kilobytes));
      cpu[k].push_back(s.MainThreadCpu);
      ++k;
    }
  }
  const auto median = [&](int k) { return StartUp{Median(ms[k]), long(Median(kb[k])), Median(cpu[k])}; };
  return {median(0), median(1)};
}

// Keeps each benchmark's real time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        Times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

}  // namespace

BENCHMARK(BM_OurTreeExpandsTheBigFolder)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_QtFileSystemTreeExpandsTheBigFolder)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_KeyDownAt20000Rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateScrollBarsAt20000Rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TreeBuildsTheDesktopRoot)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc > 1 && std::string(argv[1]).rfind("--child=", 0) == 0) return RunChild(argv[1] + 8, argc, argv);
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return 1;
  g_self.assign(self, std::size_t(n));

  MakeFolders();
  // The desktop of the start-up measures is a small one, as a user's is.
  mkdir((g_home + "/start").c_str(), 0755);
  mkdir((g_home + "/start/Desktop").c_str(), 0755);
  for (const char* d : {"Photos", "Music", "Work"}) mkdir((g_home + "/start/Desktop/" + d).c_str(), 0755);
  int result = 0;
  {
    TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.Times["BM_OurTreeExpandsTheBigFolder/iterations:5"];
    const double qt = reporter.Times["BM_QtFileSystemTreeExpandsTheBigFolder/iterations:5"];
    if (ours > 0 && qt > 0)
      std::printf("\nexpanding %d folders: ours %.1f ms, Qt's file-system tree %.1f ms, ratio %.2fx (target at most 1.0x)\n",
                  kFolders, ours, qt, ours / qt);
  }
  const std::string home = g_home;
  setenv("HOME", (g_home + "/start").c_str(), 1);
  const auto [label, program] = MedianStartUps("label", "program");
  std::printf("start-up to the first paint (median of %d): label window %.1f ms / %ld KB, program %.1f ms / %ld KB\n",
              kStartRuns, label.Milliseconds, label.Kilobytes, program.Milliseconds, program.Kilobytes);
  std::printf("ratios: time %.2fx, resident memory %.2fx (targets at most 1.3x)\n",
              program.Milliseconds / label.Milliseconds, double(program.Kilobytes) / double(label.Kilobytes));
  std::printf("CPU time of the window's thread to the first paint: label %.1f ms, program %.1f ms, ratio %.2fx\n",
              label.MainThreadCpu, program.MainThreadCpu, program.MainThreadCpu / label.MainThreadCpu);
  g_home = home;
  RemoveFolders();
  return result;
}
