#include "fwg/profiles/DockWidgetItem.h"

#include <cctype>

#include "fwg/profiles/ProfileInternal.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiIconSet.h"
#include "platform/ui/uiManager.h"

namespace fwg {

DockPath ParseDockPath(const oxString& path) {
  oxStlVector<oxString> tokens;
  oxString token;
  for (char c : path) {
    if (c != '/') {
      token += c;
    } else if (!token.empty()) {
      tokens.push_back(token);
      token.clear();
    }
  }
  if (!token.empty()) tokens.push_back(token);

  DockPath parsed;
  if (tokens.empty()) return parsed;
  oxString area = tokens[0];
  for (char& c : area) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (area == "TOP") {
    parsed.area = ui::Top;
  } else if (area == "BOTTOM") {
    parsed.area = ui::Bottom;
  } else if (area == "RIGHT") {
    parsed.area = ui::Right;
  }
  if (tokens.size() > 1) parsed.windowName = tokens[1];
  return parsed;
}

DockWidgetItem::DockWidgetItem(Profile* owner, Mode mode, const oxString& widgetName,
                               const oxString& path, const oxString& accel)
    : ProfileItem(owner, mode), widgetName_(widgetName), path_(path), accel_(accel) {}

DockWidgetItem::~DockWidgetItem() = default;

void DockWidgetItem::Apply(bool on) {
  if (!resolved_) Resolve();
  if (DockEntry* own = own_.Get()) own->dockWindow->SetEntryShown(own, on);
  if (DockEntry* covered = covered_.Get()) covered->dockWindow->SetEntryShown(covered, !on);
}

void DockWidgetItem::Resolve() {
  resolved_ = true;

  // The newest entry of that widget name in the chain is the one covered.
  const oxStlVector<DockWindow*> windows = GetChainDockWindows(owner_);
  for (auto it = windows.rbegin(); it != windows.rend() && !covered_.entry; ++it) {
    for (DockEntry* entry : (*it)->GetEntries()) {
      uiWidget* widget = entry->GetWidget();
      if (widget && widget->Name() == widgetName_) {
        covered_ = {*it, entry};
        break;
      }
    }
  }
  if (GetMode() == Remove) return;

  DockWindow* window = FindOrMakeDockWindow(ParseDockPath(path_));
  uiWidget* widget = oxaw::WidgetManager::Get()->GetWidget(widgetName_, window);
  if (!widget) {
    oxDiagnostic("Could not add the dock widget ", widgetName_);
    return;
  }
  DockEntry* entry = window->AddEntry(widget);
  own_ = {window, entry};
  entry->toggleAction = new ToggleAction(entry, accel_, visible_, owner_);

  // Widgets without an icon of their own inherit the main window's; the
  // toggle action shows only an icon the widget brings.
  const uiIconSet icon = widget->Icon();
  uiMainWindow* mainWindow = uiManager::Get()->MainWindow();
  const qint64 mainKey = mainWindow ? mainWindow->Icon().GetIcon().cacheKey() : 0;
  if (!icon.IsNull() && icon.GetIcon().cacheKey() != mainKey) {
    entry->toggleAction->GetUiAction()->SetIconSet(uiIconSet(icon.GetIcon(), {}));
  }
  entry->visible = visible_;
}

// A named dock window of the chain is shared as it is, wherever it sits;
// anything else is made here and belongs to the item's profile.
DockWindow* DockWidgetItem::FindOrMakeDockWindow(const DockPath& path) {
  Profile::Internal* owner = owner_->GetInternal();
  if (path.windowName.empty()) {
    auto* window = new DockWindow(widgetName_, path.area, false);
    owner->dockWindows.push_back(window);
    return window;
  }
  for (DockWindow* window : GetChainDockWindows(owner_)) {
    if (window->Name() == path.windowName) return window;
  }
  auto* window = new DockWindow(path.windowName, path.area, true);
  owner->dockWindows.push_back(window);
  return window;
}

}  // namespace fwg
