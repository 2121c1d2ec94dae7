// Background work through fwg::Tasks against the same work through Qt's
// concurrency alone, in the same run, and what the machinery costs an idle
// application.
//
//   QtConcurrentRun/10000  10,000 short pieces of work (a checksum of 4 KiB)
//                          through QtConcurrent::run on Qt's global pool,
//                          each future waited for
//   TasksStart/10000       the same work as 10,000 tasks of fwg::Tasks in the
//                          application with its window shown: each started
//                          with a title, its result handed to the GUI
//                          thread, the status bar following
//
// At the end the program prints TasksStart against QtConcurrentRun, and the
// two taken in turns, round after round, which a shared machine's changing
// load sways less (goal: at most 1.5x), and the events the application handles over one idle second
// without the task machinery and with it in place (tasks started and ended
// before): a counter, not a judgement (goal: no more with it than without).
//
//   cmake -B build -DFWG_BUILD_BENCH=ON && ninja -C build TaskBench
//   QT_QPA_PLATFORM=offscreen build/out/bin/TaskBench
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QFuture>
#include <QtConcurrent/QtConcurrentRun>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/CpuTime.h"
#include "fwg/shell/Gui.h"
#include "fwg/shell/Tasks.h"
#include "platform/ui/uiMainWindow.h"

namespace {

constexpr int kTasks = 10000;
std::map<std::string, double> g_seconds;

// The short work: a checksum of 4 KiB.
unsigned Work(unsigned seed) {
  unsigned sum = seed;
  for (int i = 0; i < 4096; ++i) sum = sum * 31 + unsigned(i ^ (sum >> 7));
  return sum;
}

// The work through QtConcurrent::run, each result waited for.
unsigned RunConcurrently() {
  std::vector<QFuture<unsigned>> futures;
  futures.reserve(kTasks);
  for (unsigned i = 0; i < kTasks; ++i) futures.push_back(QtConcurrent::run(Work, i));
  unsigned total = 0;
  for (QFuture<unsigned>& future : futures) total += future.result();
  return total;
}

// The work as tasks, each result handed to the GUI thread.
unsigned RunAsTasks() {
  unsigned total = 0;
  int pending = kTasks;
  for (unsigned i = 0; i < kTasks; ++i) {
    fwg::Tasks::Start(
        "Checksum", [i](fwg::TaskProgress&) { return Work(i); },
        [&](unsigned sum) {
          total += sum;
          --pending;
        });
  }
  while (pending > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return total;
}

void QtConcurrentRun(benchmark::State& state) {
  unsigned total = 0;
  g_seconds["QtConcurrentRun"] = MeasureCpu(state, [] {}, [&] { total += RunConcurrently(); }, [] {});
  benchmark::DoNotOptimize(total);
}

void TasksStart(benchmark::State& state) {
  auto* gui = new fwg::Gui(0, nullptr);
  gui->GetMainWindow()->Show();
  unsigned total = 0;
  g_seconds["TasksStart"] = MeasureCpu(state, [] {}, [&] { total += RunAsTasks(); }, [] {});
  benchmark::DoNotOptimize(total);
  delete gui;
}

// The two side by side, round after round, so that a change of the
// machine's load meanwhile weighs on both alike: the processor time of
// the tasks over that of QtConcurrent::run.
double Interleaved(int rounds) {
  auto* gui = new fwg::Gui(0, nullptr);
  gui->GetMainWindow()->Show();
  double concurrent = 0, tasks = 0;
  unsigned total = RunConcurrently() + RunAsTasks();  // warm
  for (int round = 0; round < rounds; ++round) {
    const double start = GetCpuSeconds();
    total += RunConcurrently();
    const double middle = GetCpuSeconds();
    total += RunAsTasks();
    concurrent += middle - start;
    tasks += GetCpuSeconds() - middle;
  }
  benchmark::DoNotOptimize(total);
  delete gui;
  return tasks / concurrent;
}

// Counts every event the application handles.
class EventCounter : public QObject {
 public:
  int count = 0;
  bool eventFilter(QObject*, QEvent*) override {
    ++count;
    return false;
  }
};

// The events of an idle stretch of the loop itself: entering it, its
// timer, leaving it.
constexpr int kTimerOnly = 3;

// Runs the event loop for `ms` milliseconds (one timer's event the only
// cost of its own).
void Idle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The events handled over one idle second of an application with its
// window shown; with `tasks`, after tasks ran and ended.
int IdleEvents(bool tasks) {
  auto* gui = new fwg::Gui(0, nullptr);
  gui->GetMainWindow()->Show();
  if (tasks) {
    int pending = 3;
    for (unsigned i = 0; i < 3; ++i)
      fwg::Tasks::Start("Checksum", [i](fwg::TaskProgress&) { return Work(i); }, [&](unsigned) { --pending; });
    while (pending > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  // Settle first: what showing the window and ending the tasks left to
  // do, until a fifth of a second passes with nothing but its own timer.
  EventCounter counter;
  qApp->installEventFilter(&counter);
  for (int round = 0; round < 20; ++round) {
    counter.count = 0;
    Idle(200);
    if (counter.count <= kTimerOnly) break;
  }
  counter.count = 0;
  Idle(1000);
  qApp->removeEventFilter(&counter);
  delete gui;
  return counter.count;
}

BENCHMARK(QtConcurrentRun)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(TasksStart)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_seconds.count("TasksStart") && g_seconds.count("QtConcurrentRun")) {
    std::printf("TasksStart / QtConcurrentRun (10,000 tasks): %.2fx; taken in turns over 20 rounds: %.2fx "
                "(goal: at most 1.5x)\n",
                g_seconds["TasksStart"] / g_seconds["QtConcurrentRun"], Interleaved(20));
  }
  const int without = IdleEvents(false);
  const int with = IdleEvents(true);
  std::printf("events over an idle second: %d without tasks, %d with the task machinery in place "
              "(goal: no more)\n",
              without, with);
  return 0;
}
