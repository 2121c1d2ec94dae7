// Start-up of the demo host to its first shown window, against a minimal
// Qt 6 program that shows an empty QMainWindow, in the same run, on the
// same display (run it under Xvfb):
//
//   cmake -B build-bench -DFWG_BUILD_BENCH=ON && ninja -C build-bench StartupBench
//   xvfb-run -a build-bench/out/bin/StartupBench
//
// Each iteration starts the program and times it until the window's first
// paint, which the program reports through a pipe before it quits. The host
// starts with the sample plug-ins available (the samples' base profile in
// force: menus, toolbar, project tree and property sheet); TavrixFirstSketch
// also has it make a sketch (-client sketch), which loads the sketch
// plug-in. "ratio" is the mean time over the baseline's, "peak_MiB" the
// largest resident size of the program (wait4), "peak_ratio" that over the
// baseline's. A host that has made the script engine by its first paint
// fails the run: start-up must not pay for scripts.
//
// HandBuiltWindow is the host's start-up window built with Qt alone (see
// HandBuiltWindow.cpp): the cost of the content itself. The ...Alternating
// figures run the baseline and the program in turn, a pair per iteration,
// and report the median of the pairs' ratios: a machine whose speed drifts
// during the run (a loaded or virtual one) moves blocks of runs apart, not
// the two runs of a pair. TavrixAgainstHandBuilt pairs the host with the
// hand-built window: what the framework itself costs.
//
// Where the time goes: the host and the hand-built window send their
// start-up marks after the first paint, and each case reports the mean
// time of every step as "<step>_ms", from the mark before it (the first,
// "main", from the start of the process: loading the program and its
// libraries). TavrixAgainstHandBuilt also reports the framework's share of
// each of the four phases both programs have, as the mean difference of
// the pairs: "+load_ms" (to main), "+toolkit_ms" (making the application
// object and connecting to the display), "+content_ms" (the window and
// what is in it, to its show()), "+paint_ms" (from show() to the first
// paint); the host's steps of the content phase are its own counters.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Outcome {
  double seconds = 0;
  double peakMiB = 0;
  bool ok = false;
  bool madeScriptEngine = false;  // the host's probe says so (status 3)
  // Each start-up mark the program sent, in order, with the milliseconds
  // since the mark before it (since the fork for the first).
  std::vector<std::pair<std::string, double>> steps;

  // The milliseconds from the fork to the mark, or -1.
  double At(const std::string& step) const {
    double sum = 0;
    for (const auto& [name, ms] : steps) {
      sum += ms;
      if (name == step) return sum;
    }
    return -1;
  }
};

// "<step> <nanoseconds>" lines into steps timed from `start`.
std::vector<std::pair<std::string, double>> ReadSteps(const std::string& text,
                                                      std::chrono::steady_clock::time_point start) {
  std::vector<std::pair<std::string, double>> steps;
  double last = std::chrono::duration<double, std::milli>(start.time_since_epoch()).count();
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    const std::size_t space = line.find(' ');
    if (space == std::string::npos) continue;
    const double ms = std::stod(line.substr(space + 1)) / 1e6;
    steps.emplace_back(line.substr(0, space), ms - last);
    last = ms;
  }
  return steps;
}

Outcome RunOnce(const std::vector<std::string>& args) {
  int pipe[2];
  if (::pipe(pipe) != 0) return {};
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.push_back("BENCH_READY_FD=3");
  env.push_back("FWG_PLUGIN_PATH=" BENCH_PLUGIN_PATH);
  env.push_back("FWG_CONFIG_DIR=" BENCH_CONFIG_DIR);
  std::vector<char*> argv, envp;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  argv.push_back(nullptr);
  envp.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipe[1], 3);
    if (pipe[0] != 3) close(pipe[0]);
    if (pipe[1] != 3) close(pipe[1]);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(pipe[1]);
  char byte = 0;
  const bool ready = read(pipe[0], &byte, 1) == 1;
  const auto shown = std::chrono::steady_clock::now();
  std::string marks;
  char chunk[4096];
  for (ssize_t got; ready && (got = read(pipe[0], chunk, sizeof chunk)) > 0;) marks.append(chunk, got);
  close(pipe[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Outcome outcome;
  outcome.seconds = std::chrono::duration<double>(shown - start).count();
  outcome.peakMiB = usage.ru_maxrss / 1024.0;
  outcome.ok = ready && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  outcome.madeScriptEngine = WIFEXITED(status) && WEXITSTATUS(status) == 3;
  outcome.steps = ReadSteps(marks, start);
  return outcome;
}

// The mean milliseconds of each step over the runs, as counters, in the
// order of the first run.
class StepMeans {
 public:
  void Add(const Outcome& outcome) {
    for (const auto& [name, ms] : outcome.steps) {
      if (std::find(order_.begin(), order_.end(), name) == order_.end()) order_.push_back(name);
      sums_[name] += ms;
    }
    ++runs_;
  }
  void Report(benchmark::State& state) const {
    for (const std::string& name : order_) state.counters[name + "_ms"] = sums_.at(name) / runs_;
  }

 private:
  std::vector<std::string> order_;
  std::map<std::string, double> sums_;
  int runs_ = 0;
};

struct Mean {
  double seconds = 0, peakMiB = 0;
};
Mean g_baseline;

Mean Measure(benchmark::State& state, const std::vector<std::string>& args) {
  Mean sum;
  StepMeans steps;
  int runs = 0;
  for (auto _ : state) {
    const Outcome outcome = RunOnce(args);
    if (outcome.madeScriptEngine) {
      state.SkipWithError("the host made the script engine at start-up");
      break;
    }
    if (!outcome.ok) {
      state.SkipWithError("the program did not show its window (no display?)");
      break;
    }
    state.SetIterationTime(outcome.seconds);
    steps.Add(outcome);
    sum.seconds += outcome.seconds;
    sum.peakMiB = std::max(sum.peakMiB, outcome.peakMiB);
    ++runs;
  }
  if (runs) {
    sum.seconds /= runs;
    steps.Report(state);
  }
  state.counters["peak_MiB"] = sum.peakMiB;
  return sum;
}

void Report(benchmark::State& state, const Mean& mean) {
  if (g_baseline.seconds <= 0) return;
  state.counters["ratio"] = mean.seconds / g_baseline.seconds;
  state.counters["peak_ratio"] = mean.peakMiB / g_baseline.peakMiB;
}

// Runs first: the others are compared with it.
void MinimalQtWindow(benchmark::State& state) { g_baseline = Measure(state, {BENCH_MINIMAL}); }
BENCHMARK(MinimalQtWindow)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void Tavrix(benchmark::State& state) { Report(state, Measure(state, {BENCH_HOST})); }
BENCHMARK(Tavrix)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void TavrixFirstSketch(benchmark::State& state) {
  Report(state, Measure(state, {BENCH_HOST, "-client", "sketch"}));
}
BENCHMARK(TavrixFirstSketch)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void HandBuiltWindow(benchmark::State& state) { Report(state, Measure(state, {BENCH_HANDBUILT})); }
BENCHMARK(HandBuiltWindow)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// The program's time per iteration; "ratio", the median of program over
// baseline per pair.
void Alternate(benchmark::State& state, const std::vector<std::string>& baseline,
               const std::vector<std::string>& args) {
  std::vector<double> ratios;
  // What the program takes beyond the baseline in each phase both have.
  static const char* const kPhases[][2] = {
      {"main", "+load"}, {"toolkit", "+toolkit"}, {"shown", "+content"}, {"first-paint", "+paint"}};
  double extra[4] = {};
  int compared = 0;
  StepMeans steps;
  for (auto _ : state) {
    const Outcome base = RunOnce(baseline);
    const Outcome outcome = RunOnce(args);
    if (outcome.madeScriptEngine) {
      state.SkipWithError("the host made the script engine at start-up");
      break;
    }
    if (!base.ok || !outcome.ok) {
      state.SkipWithError("the program did not show its window (no display?)");
      break;
    }
    state.SetIterationTime(outcome.seconds);
    ratios.push_back(outcome.seconds / base.seconds);
    steps.Add(outcome);
    if (base.At("first-paint") < 0 || outcome.At("first-paint") < 0) continue;
    ++compared;
    for (int p = 0; p < 4; ++p) {
      const double previous = p ? outcome.At(kPhases[p - 1][0]) - base.At(kPhases[p - 1][0]) : 0;
      extra[p] += outcome.At(kPhases[p][0]) - base.At(kPhases[p][0]) - previous;
    }
  }
  if (ratios.empty()) return;
  steps.Report(state);
  for (int p = 0; compared && p < 4; ++p) {
    state.counters[std::string(kPhases[p][1]) + "_ms"] = extra[p] / compared;
  }
  std::sort(ratios.begin(), ratios.end());
  const std::size_t middle = ratios.size() / 2;
  state.counters["ratio"] =
      ratios.size() % 2 ? ratios[middle] : (ratios[middle - 1] + ratios[middle]) / 2;
}

void TavrixAlternating(benchmark::State& state) { Alternate(state, {BENCH_MINIMAL}, {BENCH_HOST}); }
BENCHMARK(TavrixAlternating)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void HandBuiltAlternating(benchmark::State& state) {
  Alternate(state, {BENCH_MINIMAL}, {BENCH_HANDBUILT});
}
BENCHMARK(HandBuiltAlternating)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void TavrixAgainstHandBuilt(benchmark::State& state) {
  Alternate(state, {BENCH_HANDBUILT}, {BENCH_HOST});
}
BENCHMARK(TavrixAgainstHandBuilt)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
