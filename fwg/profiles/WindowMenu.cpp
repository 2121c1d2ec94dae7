#include "fwg/profiles/WindowMenu.h"

#include <QToolBar>

#include "fwg/profiles/DockWindow.h"
#include "fwg/profiles/ProfileInternal.h"
#include "platform/ui/uiAction.h"

namespace fwg {

QList<QAction*> GetWindowMenuActions(const Profile* active) {
  QList<QAction*> actions;
  if (!active) return actions;
  for (DockWindow* window : GetChainDockWindows(active)) {
    for (DockEntry* entry : window->GetEntries()) {
      if (!entry->shown || !entry->toggleAction || !entry->GetWidget()) continue;
      entry->toggleAction->SetChecked(entry->visible);
      actions.push_back(entry->toggleAction->GetUiAction());
    }
  }
  QList<QAction*> toolBars;
  for (uiWidget* widget : active->GetToolBarList()) {
    if (auto* toolBar = qobject_cast<QToolBar*>(widget->GetWidget())) {
      toolBars.push_back(toolBar->toggleViewAction());
    }
  }
  if (!actions.isEmpty() && !toolBars.isEmpty()) actions.push_back(nullptr);
  return actions + toolBars;
}

}  // namespace fwg
