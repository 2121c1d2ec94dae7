#include "fwg/profiles/EntryLocation.h"

#include <QMenu>
#include <QToolBar>

#include "platform/ui/uiAction.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiMenuData.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"

namespace fwg {

namespace {

uiMenuData* AsMenu(uiObject* object) {
  return object && (object->IsA("uiMenuBar") || object->IsA("uiPopupMenu"))
             ? dynamic_cast<uiMenuData*>(object)
             : nullptr;
}

// All descendants of the main window of Qt class Q whose ui face is U.
template <class Q, class U>
void CollectFromMainWindow(oxStlVector<uiObject*>& list) {
  list.clear();
  uiMainWindow* window = uiManager::Get()->MainWindow();
  if (!window) return;
  for (Q* found : window->findChildren<Q*>()) {
    if (auto* face = dynamic_cast<U*>(uiApplication::WidgetLookup(found))) list.push_back(face);
  }
}

// Whether a widget entry is shown where it stands, whatever its window.
bool IsShownWidget(uiObject* object) {
  if (auto* button = dynamic_cast<uiToolButton*>(object)) return button->IsShown();
  if (auto* widget = dynamic_cast<uiWidget*>(object)) return !widget->GetWidget()->isHidden();
  return false;
}

}  // namespace

void uiToolBars::Refresh() { CollectFromMainWindow<QToolBar, uiToolBar>(list_); }

void uiContextMenus::Refresh() { CollectFromMainWindow<QMenu, uiPopupMenu>(list_); }

EntryLocation::EntryLocation(uiObject* container, uiObject* object, int index, int id)
    : containerGuard_(container ? container->GetImpl() : nullptr),
      containerMenu_(AsMenu(container)),
      id(id),
      index(index),
      container_(container),
      object_(object),
      objectGuard_(object ? object->GetImpl() : nullptr),
      objectMenu_(AsMenu(object)) {
  if (!object || objectMenu_) return;
  if (auto* roots = dynamic_cast<uiToolBars*>(object)) {
    children = roots->GetList();
  } else if (auto* menus = dynamic_cast<uiContextMenus*>(object)) {
    children = menus->GetList();
  } else if (object->IsA("uiToolBar")) {
    // Buttons with a drop-down stand for a group, not for an entry.
    for (uiObject* child : object->Children()) {
      auto* button = dynamic_cast<uiToolButton*>(child);
      if (!button || !button->Popup()) children.push_back(child);
    }
  } else if (object->IsA("uiToolButton") || object->IsA("uiAction")) {
    // leaves
  } else if (object->IsA("uiWidget")) {
    children = object->Children();
  }
}

int EntryLocation::CountEntries() const {
  if (uiMenuData* menu = GetObjectMenu()) return menu->Count();
  return GetObject() ? static_cast<int>(children.size()) : 0;
}

EntryLocation EntryLocation::EntryAt(int at) const {
  uiObject* object = GetObject();
  if (uiMenuData* menu = GetObjectMenu()) {
    const int itemId = menu->IdAt(at);
    if (itemId < 0) return {};
    if (uiPopupMenu* popup = menu->FindItemPopup(itemId)) return {object, popup, at, itemId};
    if (uiAction* action = uiAction::ActionLookup(itemId)) return {object, action, at, itemId};
    return {};
  }
  if (object && at >= 0 && at < static_cast<int>(children.size())) {
    return {object, children[at], at, 0};
  }
  return {};
}

oxString EntryLocation::Name() const {
  if (uiMenuData* menu = GetContainerMenu()) {
    const int itemId = menu->IdAt(index);
    return menu->IsItemVisible(itemId) ? menu->Text(itemId, true) : oxString();
  }
  uiObject* object = GetObject();
  if (!object) return {};
  if (auto* action = dynamic_cast<uiAction*>(object)) {
    return action->IsVisible() ? action->Text() : oxString();
  }
  if (object->IsA("uiMenuBar")) return "MenuBar";
  if (auto* button = dynamic_cast<uiToolButton*>(object)) {
    return button->IsShown() ? button->TextLabel() : oxString();
  }
  return object->Name();
}

EntryLocation EntryLocation::FindChild(const oxString& name) const {
  if (uiMenuData* menu = GetObjectMenu()) {
    const int at = menu->FindVisibleItem(name);
    return at < 0 ? EntryLocation() : EntryAt(at);
  }
  const int count = CountEntries();
  for (int i = 0; i < count; ++i) {
    EntryLocation entry = EntryAt(i);
    if (entry.Name() == name) return entry;
  }
  return {};
}

void EntryLocation::CollectShortcuts(ShortcutRecords& into) const {
  ForEachAction([&into](uiAction* action) {
    if (!action->Accel().IsEmpty()) into.push_back({action, action->Accel(), uiKeySequence()});
  });
}

void EntryLocation::ForEachAction(const std::function<void(uiAction*)>& visit) const {
  const int count = CountEntries();
  if (count > 0) {
    for (int i = 0; i < count; ++i) EntryAt(i).ForEachAction(visit);
  } else {
    uiAction* action = nullptr;
    if (!GetContainer()) {
      action = dynamic_cast<uiAction*>(GetObject());
    } else if (GetContainerMenu()) {
      action = uiAction::ActionLookup(id);
    }
    if (action) visit(action);
  }
  for (const EntryLocation& member : members) member.ForEachAction(visit);
}

bool EntryLocation::IsEntryVisible() const {
  if (uiMenuData* menu = GetContainerMenu()) return menu->IsItemVisible(id);
  return IsShownWidget(GetObject());
}

void EntryLocation::SetEntryVisible(bool shown) {
  if (uiMenuData* menu = GetContainerMenu()) {
    menu->SetItemVisible(id, shown);
  } else if (auto* button = dynamic_cast<uiToolButton*>(GetObject())) {
    button->SetShown(shown);
  } else if (auto* widget = dynamic_cast<uiWidget*>(GetObject())) {
    if (!shown) {
      widget->Hide();
    } else if (!dynamic_cast<uiPopupMenu*>(widget)) {
      // A context menu is on screen only while it pops up: putting it in
      // force must not show it.
      widget->Show();
    }
  }
}

void EntryLocation::SetShown(bool shown) {
  // A switch runs this for every entry it leaves or enters: menu entries go
  // straight to their menu, with one look at the guards.
  uiMenuData* menu = GetContainerMenu();
  if (!menu && IsEmpty()) return;
  GiveShortcuts(shown);
  if (!shown) visible = menu ? menu->IsItemVisible(id) : IsEntryVisible();
  const bool effective = shown && visible;
  if (menu) {
    menu->SetItemVisible(id, effective);
  } else {
    SetEntryVisible(effective);
  }
  for (EntryLocation& member : members) member.SetShown(effective);
}

void EntryLocation::PrefetchShortcuts() const {
  for (const ShortcutRecord& record : shortcuts) {
    if (const uiAction* action = record.action.data()) action->Prefetch();
  }
}

void EntryLocation::GiveShortcuts(bool inForce) {
  for (ShortcutRecord& record : shortcuts) {
    if (record.action) record.action->SetAccel(inForce ? record.inForce : record.withdrawn);
  }
}

}  // namespace fwg
