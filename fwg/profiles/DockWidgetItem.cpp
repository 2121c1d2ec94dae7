#include "fwg/profiles/DockWidgetItem.h"

#include <iostream>

#include "fwg/profiles/ProfileInternal.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiIconSet.h"
#include "platform/ui/uiManager.h"

namespace fwg {

// The window title a maker gives its widget, in the item's profile's
// language; the registered name for widgets without one.
oxString DockWidgetItem::MakeTitle(uiWidget* widget) const {
  const oxString caption = widget->Caption();
  return caption.empty() ? widgetName_ : owner_->tr(widgetName_, caption);
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
      if (entry->GetWidget() && entry->name == widgetName_) {
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
  // Makers are given the name but need not keep it; an unnamed widget
  // takes it, so that the widget can be found by it as well.
  if (widget->Name().empty()) widget->SetName(widgetName_);
  DockEntry* entry = window->AddEntry(widget, widgetName_, MakeTitle(widget));
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
  OfferToDockGroups(owner_, entry->toggleAction);
}

// A named dock window of the chain is shared as it is, wherever it sits;
// anything else is made here and belongs to the item's profile.
DockWindow* DockWidgetItem::FindOrMakeDockWindow(const DockPath& path) {
  Profile::Internal* owner = GetInternal(owner_);
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
