// A bound on code that must come back, for tests of things that used to
// hang: past it the test program ends with one line, instead of the suite
// waiting for its timeout. Generous, so that it never judges speed.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

template <class Body>
void ReturnsWithin(int seconds, const char* what, Body&& body) {
  std::mutex mutex;
  std::condition_variable done;
  bool returned = false;
  std::thread guard([&] {
    std::unique_lock<std::mutex> lock(mutex);
    if (done.wait_for(lock, std::chrono::seconds(seconds), [&] { return returned; })) return;
    std::fprintf(stderr, "did not come back within %d s: %s\n", seconds, what);
    std::_Exit(1);
  });
  body();
  {
    std::lock_guard<std::mutex> lock(mutex);
    returned = true;
  }
  done.notify_all();
  guard.join();
}
