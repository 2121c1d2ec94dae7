// Dock widgets and registered widgets of a profile. Docks are recorded as
// items like menus and toolbars; the lookups below see the dock windows of
// the whole base chain.
#include <QCoreApplication>
#include <QPointer>
#include <algorithm>

#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/DockWidgetItem.h"
#include "fwg/profiles/DockWindow.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiFrame.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiWidgetFrame.h"

namespace fwg {

namespace {

// In each dock window only the first entry of the name is asked, and it
// counts only while shown.
DockEntry* FindShownEntry(const Profile* profile, const oxString& name) {
  for (DockWindow* window : GetChainDockWindows(profile)) {
    for (DockEntry* entry : window->GetEntries()) {
      if (!entry->GetWidget() || entry->name != name) continue;
      if (entry->shown) return entry;
      break;
    }
  }
  return nullptr;
}

const char* AreaPrefix(const DockWindow* window) {
  const uiMainWindow* main = uiManager::Get()->MainWindow();
  const uiDockArea area = window->Area();
  if (!main) return "/LEFT/";
  if (area == main->BottomDock()) return "/BOTTOM/";
  if (area == main->TopDock()) return "/TOP/";
  if (area == main->RightDock()) return "/RIGHT/";
  return "/LEFT/";
}

// Gives its widget once, to the dock window that asks first; the widget
// goes with that window. A widget never given goes with the maker.
class WidgetGiver : public oxaw::IWidgetCreator {
 public:
  explicit WidgetGiver(QWidget* widget) : widget_(widget) {}
  ~WidgetGiver() override {
    if (widget_ && !given_ && QCoreApplication::instance()) delete widget_.data();
  }
  uiWidget* Create(uiWidget* parent, const oxString& name) override {
    if (!widget_ || given_) return nullptr;
    given_ = true;
    return new uiWidgetFrame(uiImpl(parent), name, widget_);
  }

 private:
  QPointer<QWidget> widget_;
  bool given_ = false;
};

}  // namespace

oxStlVector<DockWindow*> GetDockWindows(const oxStlVector<Profile*>& profiles) {
  oxStlVector<DockWindow*> windows;
  for (const Profile* profile : profiles) {
    if (!profile) continue;
    for (const QPointer<DockWindow>& window : GetInternal(profile)->dockWindows) {
      if (window) windows.push_back(window.data());
    }
  }
  return windows;
}

oxStlVector<DockWindow*> GetChainDockWindows(const Profile* profile) {
  return GetDockWindows(GetBaseChainProfiles(profile));
}

void Profile::AddDockWidget(const oxString& name, const oxString& path, const oxString& accel) {
  internal_->Record(new DockWidgetItem(this, ProfileItem::Add, name, path, accel));
}

void Profile::AddDockWidget(QWidget* widget, const oxString& path, const oxString& accel) {
  const QString title = widget ? widget->windowTitle() : QString();
  const oxString name = oxStr(title.isEmpty() && widget ? widget->objectName() : title);
  if (name.empty()) {
    oxWarn("Profile::AddDockWidget: a dock widget needs a window title or an object name");
    return;
  }
  RegisterWidget(name, new WidgetGiver(widget));
  AddDockWidget(name, path, accel);
}

void Profile::RemoveDockWidget(const oxString& name) {
  internal_->Record(new DockWidgetItem(this, ProfileItem::Remove, name, {}, {}));
}

void Profile::RegisterWidget(const oxString& name, oxaw::IWidgetCreator* creator) {
  oxaw::WidgetManager::Get()->RegisterWidget(name, creator);
}

void Profile::RegisterWidget(const oxString& name) {
  RegisterWidget(name, new oxaw::WidgetCreator<uiFrame>);
}

uiWidget* Profile::GetRegisteredWidget(const oxString& name, uiWidget* parent) {
  return oxaw::WidgetManager::Get()->GetWidget(name, parent);
}

// Menus may hold the group for good, so it is made once and only ever
// grows. Toggles stay in the groups of every profile that has them; their
// visibility follows their entries, so menus show only those in force.
ActionGroup* Profile::GetDockToggleActions() {
  ActionGroup*& group = internal_->dockToggleActions;
  if (!group) group = new ActionGroup("Dock", this, false);

  const oxStlVector<DockWindow*> windows = GetChainDockWindows(this);
  if (!windows.empty() && group->GetActionList().empty()) group->AddSeparator();
  for (DockWindow* window : windows) {
    for (DockEntry* entry : window->GetEntries()) {
      if (!entry->shown || !entry->toggleAction || !entry->GetWidget()) continue;
      JoinDockGroup(group, entry->toggleAction);
      entry->toggleAction->SetChecked(entry->visible);
    }
  }
  return group;
}

void JoinDockGroup(ActionGroup* group, ToggleAction* toggle) {
  const oxStlVector<Action*>& list = group->GetActionList();
  if (list.empty()) group->AddSeparator();
  if (std::find(list.begin(), list.end(), toggle) == list.end()) group->AddAction(toggle);
}

// A dock made after a profile handed out its group (from Build(), before
// its items were first put in force) joins the groups of every profile
// whose chain it is part of.
void OfferToDockGroups(const Profile* owner, ToggleAction* toggle) {
  for (Profile* profile : ProfileManager::Get()->GetProfileList()) {
    ActionGroup* group = profile ? GetInternal(profile)->dockToggleActions : nullptr;
    if (!group) continue;
    const oxStlVector<Profile*> chain = GetBaseChainProfiles(profile);
    if (std::find(chain.begin(), chain.end(), owner) != chain.end()) JoinDockGroup(group, toggle);
  }
}

Action* Profile::GetDockToggleAction(const oxString& name) const {
  const DockEntry* entry = FindShownEntry(this, name);
  return entry ? entry->toggleAction : nullptr;
}

bool Profile::IsDockWidgetVisible(const oxString& name) const {
  const DockEntry* entry = FindShownEntry(this, name);
  return entry && entry->visible;
}

// The toggle action keeps its checked state here; the next
// GetDockToggleActions brings it in line.
void Profile::SetDockWidgetVisible(const oxString& name, bool visible) {
  if (DockEntry* entry = FindShownEntry(this, name)) {
    entry->visible = visible;
    entry->dockWindow->SetEntryShown(entry, true);
    if (visible) entry->dockWindow->SelectEntry(entry);
    return;
  }
  for (ProfileItem* item : internal_->items) {
    auto* dock = dynamic_cast<DockWidgetItem*>(item);
    if (dock && dock->GetWidgetName() == name) {
      dock->SetVisible(visible);
      return;
    }
  }
}

oxStlVector<uiWidget*> Profile::GetDockWidgetList() const {
  oxStlVector<uiWidget*> widgets;
  for (DockWindow* window : GetChainDockWindows(this)) {
    for (const DockEntry* entry : window->GetEntries()) {
      if (entry->shown && entry->GetWidget()) widgets.push_back(entry->GetWidget());
    }
  }
  return widgets;
}

oxString Profile::GetDockWidgetPath(uiWidget* widget) const {
  if (!widget) return {};
  for (DockWindow* window : GetChainDockWindows(this)) {
    for (const DockEntry* entry : window->GetEntries()) {
      if (!entry->shown || entry->GetWidget() != widget) continue;
      const oxString& name = entry->name;
      if (window->GetEntries().size() == 1) return AreaPrefix(window) + name;
      return AreaPrefix(window) + window->Name() + "/" + name;
    }
  }
  return {};
}

}  // namespace fwg
