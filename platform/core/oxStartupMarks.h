// The steps of a program's start-up, each with the time it was reached on
// the monotonic clock (the clock of std::chrono::steady_clock). Marking
// costs a clock reading; a benchmark reads the marks to tell which step of
// start-up takes what.
#pragma once

#include <cstdint>
#include <vector>

struct oxStartupMark {
  const char* step;         // a name of a few words, with no space: "window"
  int64_t nanoseconds = 0;  // when the step was done
};

// Notes that `step` (a string literal) is done. The first hundred marks are
// kept, later ones dropped.
void oxMarkStartup(const char* step);
const std::vector<oxStartupMark>& oxGetStartupMarks();
