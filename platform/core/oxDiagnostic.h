// The library's lines for developers on stderr: a broken contract or a
// file that cannot be used gets one line, and the caller's state stays as
// it was (no exceptions leave the library).
#pragma once

#include <sstream>

#include "platform/core/oxTypes.h"

// Writes `line` and a line break to stderr in one piece, flushed.
void oxWriteDiagnostic(const oxString& line);

// The parts (anything a std::ostream takes) as one line, exactly as given:
// for the messages whose wording is fixed.
template <class... Parts>
void oxDiagnostic(const Parts&... parts) {
  std::ostringstream line;
  (line << ... << parts);
  oxWriteDiagnostic(line.str());
}

// The library's own messages: "fwg: " and the parts, as one line.
template <class... Parts>
void oxWarn(const Parts&... parts) {
  oxDiagnostic("fwg: ", parts...);
}
