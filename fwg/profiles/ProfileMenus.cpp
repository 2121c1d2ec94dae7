// Profile's recorded edits of the menu bar, toolbars and context menus, and
// its lookups by path.
#include <algorithm>
#include <unordered_set>

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

// The entries that items of the chain took away (removed or replaced).
std::unordered_set<const uiObject*> GetTakenAway(const oxStlVector<Profile*>& chain) {
  std::unordered_set<const uiObject*> taken;
  for (const Profile* member : chain) {
    for (const ProfileItem* it : GetInternal(member)->items) {
      const auto* item = dynamic_cast<const ActionProfileItem*>(it);
      if (const uiObject* object = item ? item->GetHidden().GetObject() : nullptr) {
        taken.insert(object);
      }
    }
  }
  return taken;
}

// The object at the path unless an item of the chain took it away.
uiObject* UnlessTakenAway(const Profile* profile, uiObject* object) {
  if (!object || GetTakenAway(GetBaseChainProfiles(profile)).count(object)) return nullptr;
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

void Profile::AddToolBarButton(Action* action, const oxString& path) {
  RecordEdit<ToolBarButtonItem>(this, ProfileItem::Add, action, path);
}
void Profile::AddToolBarButton(const oxString& actionName, const oxString& path) {
  AddToolBarButton(GetAction(actionName, true), path);
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
  const oxStlVector<Profile*> chain = GetBaseChainProfiles(this);
  const std::unordered_set<const uiObject*> taken = GetTakenAway(chain);
  oxStlVector<uiWidget*> list;
  for (const Profile* member : chain) {
    for (uiToolBar* toolBar : GetInternal(member)->toolBars) {
      if (!taken.count(toolBar)) list.push_back(toolBar);
    }
  }
  return list;
}

}  // namespace fwg
