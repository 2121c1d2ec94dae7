#include "fwg/profiles/PathParser.h"

#include <cctype>

namespace fwg {

ParsedPath ParsePath(const oxString& path) {
  ParsedPath parsed;
  parsed.components = oxSplit(path, '/');
  parsed.trailingSlash = !path.empty() && path.back() == '/' && !parsed.components.empty();
  return parsed;
}

DockPath ParseDockPath(const oxString& path) {
  const oxStlVector<oxString> names = ParsePath(path).components;
  DockPath parsed;
  if (names.empty()) return parsed;
  oxString area = names[0];
  for (char& c : area) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (area == "TOP") {
    parsed.area = ui::Top;
  } else if (area == "BOTTOM") {
    parsed.area = ui::Bottom;
  } else if (area == "RIGHT") {
    parsed.area = ui::Right;
  }
  if (names.size() > 1) parsed.windowName = names[1];
  return parsed;
}

}  // namespace fwg
