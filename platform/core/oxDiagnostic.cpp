#include "platform/core/oxDiagnostic.h"

#include <iostream>

void oxWriteDiagnostic(const oxString& line) {
  // One write per line keeps lines of several threads whole.
  const oxString text = line + '\n';
  std::cerr.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cerr.flush();
}
