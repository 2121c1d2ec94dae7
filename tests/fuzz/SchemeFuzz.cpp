// Feeds arbitrary bytes to the reader of shortcut schemes. Besides not
// crashing, every refusal must be one short line naming the file and a line
// inside the text, and every scheme it takes must write back to text that
// reads back the same: a scheme exported imports as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fwg/profiles/ShortcutScheme.h"

namespace scheme = fwg::ShortcutScheme;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  oxStlVector<scheme::Line> lines;
  oxString error;
  if (!scheme::Read(text, "f.keys", &lines, &error)) {
    const int line = std::atoi(error.c_str() + 7);
    if (error.rfind("f.keys:", 0) != 0 || error.find('\n') != oxString::npos || error.size() > 300 || line < 1 ||
        line > text.count('\n') + 1) {
      std::fprintf(stderr, "bad message: %s\n", error.c_str());
      std::abort();
    }
    return 0;
  }
  for (const scheme::Line& line : lines) {
    if (!scheme::CanWrite(line)) std::abort();
  }
  oxStlVector<scheme::Line> again;
  if (!scheme::Read(scheme::Write(lines), "f.keys", &again, &error) || again != lines) {
    std::fprintf(stderr, "not read back: %s\n", error.c_str());
    std::abort();
  }
  return 0;
}
