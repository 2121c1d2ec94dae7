// Slash paths of menus, toolbars, context menus and docks, split here and
// nowhere else. Runs of slashes make no empty components.
#pragma once

#include "platform/core/oxTypes.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

// "File/Recent/Clear": entry names from the outside in. A trailing slash
// means "inside the named entry, at its top".
struct ParsedPath {
  oxStlVector<oxString> components;
  bool trailingSlash = false;
};
ParsedPath ParsePath(const oxString& path);

// A dock path: "AREA[/dock window name[/ignored...]]". The area is TOP,
// BOTTOM or RIGHT in any case; anything else, the empty path included, is
// the left area. Without a name the widget gets a dock window of its own.
struct DockPath {
  ui::Dock area = ui::Left;
  oxString windowName;
};
DockPath ParseDockPath(const oxString& path);

}  // namespace fwg
