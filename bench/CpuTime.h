// Processor time of the timed part of a benchmark's iterations, for the
// benchmarks that judge themselves by ratios of such means in one run.
#pragma once

#include <benchmark/benchmark.h>

#include <ctime>

// The process's processor time: the machine is shared, and wall time would
// count the others' work too.
inline double GetCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Per iteration: `before` and `after` with the timer stopped, `timed` in
// between; the mean processor time of the timed part. One round first
// warms the heap and the caches up, uncounted.
template <class Before, class Timed, class After>
double MeasureCpu(benchmark::State& state, Before before, Timed timed, After after) {
  before();
  timed();
  after();
  double total = 0;
  for (auto _ : state) {
    state.PauseTiming();
    before();
    state.ResumeTiming();
    const double start = GetCpuSeconds();
    timed();
    total += GetCpuSeconds() - start;
    state.PauseTiming();
    after();
    state.ResumeTiming();
  }
  return total / double(state.iterations());
}
