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
EntryLocation WalkForEdit(uiObject* start, const oxString& path, bool create,
                          oxString* lastName);

// Writes the line for a path that names nothing an edit can use.
void ReportMissingItem(const oxString& path);

}  // namespace fwg
