// Why a file did not open, noted by Document::Open for the file commands:
// they ask a client to open a file (Client::OpenFile, which answers
// nothing) and tell the user the reason when no document came of it. For
// the library's own sources only.
#pragma once

#include "platform/core/oxTypes.h"

namespace fwg {

void NoteOpenFailure(const oxString& path, const oxString& reason);
// The reason noted for `path` (absolute), "" when none; forgets it.
oxString TakeOpenFailure(const oxString& path);

}  // namespace fwg
