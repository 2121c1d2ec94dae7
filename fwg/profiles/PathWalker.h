// Slash paths of entry names ("File/Recent/Clear", see PathParser) walked
// against the live menus, toolbars and context menus.
#pragma once

#include "fwg/profiles/EntryLocation.h"
#include "fwg/profiles/PathParser.h"

namespace fwg {

// The entry the path names below `start`, or the empty location. An empty
// path names `start` itself.
EntryLocation WalkQuietly(uiObject* start, const oxString& path);

// Where an edit at `path` below `start` takes place. With `create`, a
// missing last component gives an append position in the entry found last,
// and a found entry gives the position just after it (the top of it with a
// trailing slash). Misses are reported on stderr. `lastName` receives the
// last component looked up.
// `origin` ("file:line") names where a declared edit was written.
EntryLocation WalkForEdit(uiObject* start, const oxString& path, bool create,
                          oxString* lastName, const oxString& origin = {});

// Writes the line for a path that names nothing an edit can use: the
// library's fixed words for an edit made in C++, "<origin>: " and the path
// quoted short for one declared in a file.
void ReportMissingItem(const oxString& path, const oxString& origin = {});

}  // namespace fwg
