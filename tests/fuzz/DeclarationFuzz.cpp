// Feeds arbitrary bytes to the reader of declared profiles. Besides not
// crashing, every refusal must be one line that names the file with a line
// and column inside the text, and every acceptance must give a named
// profile whose edits are complete.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fwg/profiles/ProfileDeclaration.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  fwg::ProfileDeclaration declaration;
  oxString error;
  if (!fwg::ReadProfileDeclaration(text, "f.json", &declaration, &error)) {
    const int line = std::atoi(error.c_str() + 7);
    if (error.rfind("f.json:", 0) != 0 || error.find('\n') != oxString::npos || line < 1 ||
        line > text.count('\n') + 1) {
      std::fprintf(stderr, "bad message: %s\n", error.c_str());
      std::abort();
    }
    return 0;
  }
  if (declaration.name.empty()) std::abort();
  for (const fwg::DeclaredEdit& edit : declaration.edits) {
    const bool dock = edit.kind == fwg::DeclaredEdit::Dock;
    if (dock ? edit.widget.empty() : edit.mode != fwg::ProfileItem::Remove && edit.action.empty()) std::abort();
  }
  return 0;
}
