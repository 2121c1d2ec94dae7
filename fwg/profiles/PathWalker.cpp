#include "fwg/profiles/PathWalker.h"

#include "platform/core/oxDiagnostic.h"

namespace fwg {

void ReportMissingItem(const oxString& path, const oxString& origin) {
  if (origin.empty()) oxDiagnostic("Could not find the item specified by ", path);
  else oxWarn(origin, ": could not find the item specified by ", oxQuote(path), "; the edit is left out");
}

EntryLocation WalkQuietly(uiObject* start, const oxString& path) {
  EntryLocation current(nullptr, start, -1);
  for (const oxString& component : ParsePath(path).components) {
    current = current.FindChild(component);
    if (current.IsEmpty()) return {};
  }
  return current;
}

EntryLocation WalkForEdit(uiObject* start, const oxString& path, bool create,
                          oxString* lastName, const oxString& origin) {
  if (path.empty() || path == "/") {
    if (create) return EntryLocation(start, nullptr, -1);
    ReportMissingItem(path, origin);
    return {};
  }
  const ParsedPath parsed = ParsePath(path);
  EntryLocation current(nullptr, start, -1);
  for (std::size_t i = 0; i < parsed.components.size(); ++i) {
    if (lastName) *lastName = parsed.components[i];
    EntryLocation child = current.FindChild(parsed.components[i]);
    if (child.IsEmpty()) {
      const bool isLast = i + 1 == parsed.components.size();
      if (!isLast || parsed.trailingSlash || !create) {
        ReportMissingItem(path, origin);
        return {};
      }
      return EntryLocation(current.GetObject(), nullptr, -1);
    }
    current = std::move(child);
  }
  if (!create) return current;
  if (parsed.trailingSlash) return current.EntryAt(0);
  if (current.GetObject() && current.GetObject()->IsA("uiPopupMenu") && current.GetContainer() &&
      current.GetContainer()->IsA("uiContextMenus")) {
    if (origin.empty()) oxDiagnostic("The already is a context menu named ", parsed.components.back());
    else oxWarn(origin, ": there is a context menu named ", oxQuote(parsed.components.back()), " already");
    return {};
  }
  ++current.index;
  return current;
}

}  // namespace fwg
