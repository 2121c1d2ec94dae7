// Slash paths of entry names ("File/Recent/Clear") walked against the live
// menus, toolbars and context menus. Runs of slashes make no empty
// components; a trailing slash means "inside the named entry, at its top".
#pragma once

#include "fwg/profiles/EntryLocation.h"

namespace fwg {

struct ParsedPath {
  oxStlVector<oxString> components;
  bool trailingSlash = false;
};

ParsedPath ParsePath(const oxString& path);

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

}  // namespace fwg
