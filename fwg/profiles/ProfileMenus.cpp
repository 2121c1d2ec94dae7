// Profile's recorded edits of the menu bar, toolbars and context menus, and
// its lookups by path.
#include <algorithm>

#include "fwg/Parts.h"
#include "fwg/actions/Action.h"
#include "fwg/profiles/ActionProfileItem.h"
#include "fwg/profiles/PathWalker.h"
#include "fwg/profiles/ProfileInternal.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiMenuBar.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolBar.h"

namespace fwg {

namespace {

template <class Item>
void RecordEdit(Profile* profile, ProfileItem::Mode mode, Action* action,
                const oxString& path) {
  if (!action && mode != ProfileItem::Remove) return;
  GetInternal(profile)->Record(new Item(profile, mode, action, path));
}

uiMenuBar* MainMenuBar() { return GetParts().mainWindow->MenuBar(); }

// The object at the path unless an item of the chain took it away.
uiObject* UnlessTakenAway(const Profile* profile, uiObject* object) {
  if (!object) return nullptr;
  for (Profile* member : GetBaseChainProfiles(profile)) {
    const auto& items = GetInternal(member)->items;
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
      auto* item = dynamic_cast<ActionProfileItem*>(*it);
      if (item && item->GetHidden().GetObject() == object) return nullptr;
    }
  }
  return object;
}

}  // namespace

void Profile::AddMenu(Action* action, const oxString& path) {
  RecordEdit<MenuItem>(this, ProfileItem::Add, action, path);
}
void Profile::AddMenu(const oxString& actionName, const oxString& path) {
  AddMenu(GetAction(actionName, true), path);
}
void Profile::ReplaceMenu(Action* action, const oxString& path) {
  RecordEdit<MenuItem>(this, ProfileItem::Replace, action, path);
}
void Profile::ReplaceMenu(const oxString& actionName, const oxString& path) {
  ReplaceMenu(GetAction(actionName, true), path);
}
void Profile::RemoveMenu(const oxString& path) {
  RecordEdit<MenuItem>(this, ProfileItem::Remove, nullptr, path);
}

void Profile::AddToolBar(Action* action, const oxString& path) {
  RecordEdit<ToolBarItem>(this, ProfileItem::Add, action, path);
}
void Profile::AddToolBar(const oxString& actionName, const oxString& path) {
  AddToolBar(GetAction(actionName, true), path);
}
void Profile::ReplaceToolBar(Action* action, const oxString& path) {
  RecordEdit<ToolBarItem>(this, ProfileItem::Replace, action, path);
}
void Profile::ReplaceToolBar(const oxString& actionName, const oxString& path) {
  ReplaceToolBar(GetAction(actionName, true), path);
}
void Profile::RemoveToolBar(const oxString& path) {
  RecordEdit<ToolBarItem>(this, ProfileItem::Remove, nullptr, path);
}

void Profile::AddContextMenu(Action* action, const oxString& path) {
  RecordEdit<ContextMenuItem>(this, ProfileItem::Add, action, path);
}
void Profile::AddContextMenu(const oxString& actionName, const oxString& path) {
  AddContextMenu(GetAction(actionName, true), path);
}
void Profile::ReplaceContextMenu(Action* action, const oxString& path) {
  RecordEdit<ContextMenuItem>(this, ProfileItem::Replace, action, path);
}
void Profile::ReplaceContextMenu(const oxString& actionName, const oxString& path) {
  ReplaceContextMenu(GetAction(actionName, true), path);
}
void Profile::RemoveContextMenu(const oxString& path) {
  RecordEdit<ContextMenuItem>(this, ProfileItem::Remove, nullptr, path);
}

uiPopupMenu* Profile::GetMenu(const oxString& path) const {
  return dynamic_cast<uiPopupMenu*>(GetMenuObjectFromPath(path));
}

uiObject* Profile::GetMenuObjectFromPath(const oxString& path) const {
  return WalkQuietly(MainMenuBar(), path).GetObject();
}

uiObject* Profile::GetToolBarObjectFromPath(const oxString& path) const {
  uiToolBars root;
  root.Refresh();
  return UnlessTakenAway(this, WalkQuietly(&root, path).GetObject());
}

uiObject* Profile::GetContextMenuObjectFromPath(const oxString& path) const {
  uiContextMenus root;
  root.Refresh();
  return UnlessTakenAway(this, WalkQuietly(&root, path).GetObject());
}

void Profile::PopupContextMenu(const oxString& name, int x, int y) const {
  uiContextMenus root;
  root.Refresh();
  for (uiObject* menu : root.GetList()) {
    if (menu->Name() == name) {
      static_cast<uiPopupMenu*>(menu)->Popup(uiPoint(x, y), -1);
      return;
    }
  }
}

oxStlVector<uiWidget*> Profile::GetToolBarList() const {
  oxStlVector<uiWidget*> list;
  for (Profile* member : GetBaseChainProfiles(this)) {
    const Internal* d = GetInternal(member);
    list.insert(list.end(), d->toolBars.begin(), d->toolBars.end());
    for (ProfileItem* it : d->items) {
      auto* item = dynamic_cast<ToolBarItem*>(it);
      auto* taken = item ? dynamic_cast<uiToolBar*>(item->GetHidden().GetObject()) : nullptr;
      if (taken) list.erase(std::remove(list.begin(), list.end(), taken), list.end());
    }
  }
  return list;
}

}  // namespace fwg
