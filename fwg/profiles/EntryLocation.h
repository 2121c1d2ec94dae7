// Where an entry of the menu bar, a toolbar or a context menu stands, as a
// path walk finds it, and the record a profile item keeps of what it shows
// and hides.
//
// A location names an entry (object) inside the object that holds it
// (container) at a position (index), with the menu item id when the
// container is a menu. Locations only watch the toolkit objects: an object
// destroyed by its owner reads back as null.
#pragma once

#include <QPointer>
#include <QVarLengthArray>
#include <functional>
#include <vector>

#include "platform/ui/uiKeySequence.h"
#include "platform/ui/uiObject.h"

class uiAction;
class uiMenuData;

namespace fwg {

// The roots of toolbar and context-menu walks: the main window's toolbars
// and popup menus as a list, taken afresh by Refresh().
class uiToolBars : public QObject, public uiObject {
  UI_OBJECT(uiToolBars, uiObject)

 public:
  uiToolBars() { setObjectName("ToolBars"); }
  QObject* GetImpl() const override { return const_cast<uiToolBars*>(this); }
  void Refresh();
  const oxStlVector<uiObject*>& GetList() const { return list_; }

 private:
  oxStlVector<uiObject*> list_;
};

class uiContextMenus : public QObject, public uiObject {
  UI_OBJECT(uiContextMenus, uiObject)

 public:
  uiContextMenus() { setObjectName("ContextMenus"); }
  QObject* GetImpl() const override { return const_cast<uiContextMenus*>(this); }
  void Refresh();
  const oxStlVector<uiObject*>& GetList() const { return list_; }

 private:
  oxStlVector<uiObject*> list_;
};

// A shortcut an entry had when its item was resolved.
struct ShortcutRecord {
  QPointer<uiAction> action;
  uiKeySequence inForce;
  uiKeySequence withdrawn;
};
// Mostly one: kept in the entry, where a switch finds it without a further
// fetch from memory.
using ShortcutRecords = QVarLengthArray<ShortcutRecord, 1>;

class EntryLocation {
 public:
  // The empty location: nothing, at the end.
  EntryLocation() = default;
  // Fills the child list at once.
  EntryLocation(uiObject* container, uiObject* object, int index, int id = 0);

  uiObject* GetContainer() const { return containerGuard_ ? container_ : nullptr; }
  uiObject* GetObject() const { return objectGuard_ ? object_ : nullptr; }
  // The container as a menu (menu bar or popup menu), or null.
  uiMenuData* GetContainerMenu() const { return containerGuard_ ? containerMenu_ : nullptr; }
  uiMenuData* GetObjectMenu() const { return objectGuard_ ? objectMenu_ : nullptr; }
  bool IsEmpty() const { return !GetContainer() && !GetObject(); }

  // What a switch reads of every entry comes first, so that it shares
  // the entry's first cache lines: switches walk thousands of entries.
 private:
  QPointer<QObject> containerGuard_;
  uiMenuData* containerMenu_ = nullptr;  // worked out once

 public:
  int id = 0;
  int index = -1;
  bool visible = true;  // remembered visibility while withdrawn
  ShortcutRecords shortcuts;
  std::vector<EntryLocation> members;  // the other members of a group
  oxStlVector<uiObject*> children;

  // The entries below this one: menu items, or the child list.
  int CountEntries() const;
  EntryLocation EntryAt(int index) const;
  // What a path component is compared with; hidden entries have no name.
  oxString Name() const;
  EntryLocation FindChild(const oxString& name) const;

  // Records the shortcuts of the actions under this entry and its members.
  void CollectShortcuts(ShortcutRecords& into) const;
  // Calls `visit` with the toolkit action of every leaf entry under this
  // entry and its members: the actions whose shortcuts it collects.
  void ForEachAction(const std::function<void(uiAction*)>& visit) const;
  // Shows (with the remembered visibility) or hides the entry and its
  // members, and gives or withdraws the recorded shortcuts.
  void SetShown(bool shown);
  // Gives (true) or withdraws the shortcuts recorded for the entry itself
  // (its members' are theirs), as SetShown does first.
  void GiveShortcuts(bool inForce);
  // Asks for the memory GiveShortcuts touches (see ProfileItem::Prefetch).
  void PrefetchShortcuts() const;

 private:
  bool IsEntryVisible() const;
  void SetEntryVisible(bool visible);

  uiObject* container_ = nullptr;
  uiObject* object_ = nullptr;
  QPointer<QObject> objectGuard_;
  uiMenuData* objectMenu_ = nullptr;
};

}  // namespace fwg
