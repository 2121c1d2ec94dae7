// Feeds arbitrary bytes to the menu, toolbar and dock path parsers. Besides
// not crashing, the parts must be what the path says: no empty names, none
// holding a slash, and the path rebuilt from them must parse the same.
#include <cstdint>
#include <cstdlib>

#include "fwg/profiles/PathParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const oxString path(reinterpret_cast<const char*>(data), size);
  const fwg::ParsedPath parsed = fwg::ParsePath(path);
  oxString rebuilt;
  for (const oxString& name : parsed.components) {
    if (name.empty() || name.find('/') != oxString::npos) std::abort();
    rebuilt += (rebuilt.empty() ? "" : "/") + name;
  }
  if (parsed.trailingSlash) rebuilt += '/';
  const fwg::ParsedPath again = fwg::ParsePath(rebuilt);
  if (again.components != parsed.components || again.trailingSlash != parsed.trailingSlash) std::abort();

  const fwg::DockPath dock = fwg::ParseDockPath(path);
  const bool known =
      dock.area == ui::Top || dock.area == ui::Bottom || dock.area == ui::Right || dock.area == ui::Left;
  const oxString window = parsed.components.size() > 1 ? parsed.components[1] : "";
  if (!known || dock.windowName.find('/') != oxString::npos) std::abort();
  if (!parsed.components.empty() && dock.windowName != window) std::abort();
  return 0;
}
