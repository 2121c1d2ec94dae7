// One emission into one script slot against one emission into one C++ slot
// of the same signal type, in the same run:
//   CppSlot             baseline: a lambda that adds the argument up
//   ScriptSlot          a JavaScript function that does the same
//   ScriptSlotObject    the same with a typed object as the argument, which
//                       reaches the script as a wrapper it reads the name of
// "extra_us" is a script slot's mean time per emission less the baseline's
// (the goal: at most 5 us).
//
//   cmake -B build-bench -DCMAKE_BUILD_TYPE=Release -DFWG_BUILD_BENCH=ON
//   ninja -C build-bench ScriptSlotBench && build-bench/out/bin/ScriptSlotBench
#include <benchmark/benchmark.h>

#include <chrono>

#include "platform/oxt/Object.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/signals/oxSignal.h"

namespace {

double g_baselineUs = 0;

// Runs `emit` once per iteration; the mean time of one, in microseconds.
template <class Emit>
double Measure(benchmark::State& state, Emit emit) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) emit();
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return state.iterations() ? spent.count() / static_cast<double>(state.iterations()) : 0;
}

oxScriptEngine* Engine() {
  oxScriptEngine::Install();
  oxScriptEngine* engine = oxScriptEngine::Get();
  engine->Evaluate("var total = 0; function add(n) { total += n; }\n"
                   "function named(o) { total += o.name.length; }");
  return engine;
}

// Runs first: the others are compared with it.
void CppSlot(benchmark::State& state) {
  oxSignal1<void, int> changed;
  long long total = 0;
  changed.Connect(nullptr, [&total](int n) { total += n; });
  g_baselineUs = Measure(state, [&] { changed(1); });
  benchmark::DoNotOptimize(total);
}
BENCHMARK(CppSlot)->Unit(benchmark::kMicrosecond);

void ScriptSlot(benchmark::State& state) {
  Engine();
  oxSignal1<void, int> changed;
  changed.Connect(oxScriptCallback("add"));
  state.counters["extra_us"] = Measure(state, [&] { changed(1); }) - g_baselineUs;
}
BENCHMARK(ScriptSlot)->Unit(benchmark::kMicrosecond);

void ScriptSlotObject(benchmark::State& state) {
  Engine();
  oxt::Object object(nullptr, "Note 1");
  oxSignal1<void, oxt::Object*> changed;
  changed.Connect(oxScriptCallback("named"));
  state.counters["extra_us"] = Measure(state, [&] { changed(&object); }) - g_baselineUs;
}
BENCHMARK(ScriptSlotObject)->Unit(benchmark::kMicrosecond);

}  // namespace
