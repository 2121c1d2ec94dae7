#include "platform/core/oxStartupMarks.h"

#include <chrono>

namespace {

std::vector<oxStartupMark>& Marks() {
  static std::vector<oxStartupMark> marks;
  return marks;
}

}  // namespace

void oxMarkStartup(const char* step) {
  std::vector<oxStartupMark>& marks = Marks();
  if (marks.size() >= 100) return;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  marks.push_back({step, std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()});
}

const std::vector<oxStartupMark>& oxGetStartupMarks() { return Marks(); }
