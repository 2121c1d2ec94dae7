// Menu items addressed by id, shared by the menu bar and popup menus.
//
// Every item of a menu has its own Qt action in the menu (a proxy), so an
// item can be hidden in one menu while the same uiAction stays visible in
// another menu or a toolbar. The item list here is the recorded state that
// every query answers; the Qt actions are brought up to date lazily:
//  - a popup menu that is not on screen is synchronised when it is about to
//    show;
//  - inside a batch (uiMenuBatch) nothing is synchronised until the batch
//    ends, and then each menu bar lays itself out once.
// A menu of the menu bar whose entries are all hidden is left out of the
// bar (one that has no entries yet, and may fill itself when it opens,
// stays); the recorded state of its bar item is not touched by this.
#pragma once

#include <QAction>
#include <QMenuBar>
#include <QPointer>
#include <unordered_map>
#include <vector>

#include "platform/ui/uiWidget.h"

class uiAction;
class uiMenuData;
class uiPopupMenu;

// Shows or hides many menu items at once: an item put behind a gate is
// shown only while the gate is open (and its own visible flag is set).
// Opening or closing the gate costs one mark per menu that has items behind
// it; the items themselves catch up when their menu is synchronised, which
// for a popup that is not on screen is when it is about to show.
class uiMenuGate {
 public:
  uiMenuGate() = default;
  uiMenuGate(const uiMenuGate&) = delete;
  uiMenuGate& operator=(const uiMenuGate&) = delete;
  // Items still behind the gate keep the state it gave them, for good.
  ~uiMenuGate();

  bool IsOpen() const { return open_; }
  void SetOpen(bool open);

 private:
  friend class uiMenuData;
  bool open_ = false;
  std::vector<uiMenuData*> menus_;  // menus with items behind the gate
};

class uiMenuData {
 public:
  uiMenuData() = default;
  uiMenuData(const uiMenuData&) = delete;
  uiMenuData& operator=(const uiMenuData&) = delete;
  virtual ~uiMenuData();

  // Items in order, hidden ones included.
  int Count() const { return static_cast<int>(items_.size()); }
  // Id of the item at the index, or -1.
  int IdAt(int index) const;
  // Index of the item with the id, or -1.
  int IndexOf(int id) const;

  // A submenu item titled `text` at index (-1 or past the end appends).
  int InsertItem(const oxString& text, uiPopupMenu* popup, int index = -1);
  int InsertSeparator(int index = -1);
  void RemoveItem(int id);
  void Clear();

  // The item's text; with `plain`, mnemonic markers are removed ("&File"
  // gives "File", "&&" gives "&"). Empty for unknown ids and separators.
  oxString Text(int id, bool plain = true) const;
  void ChangeItem(int id, const oxString& text);
  void SetItemVisible(int id, bool visible);
  bool IsItemVisible(int id) const;
  void SetItemEnabled(int id, bool enabled);
  bool IsItemEnabled(int id) const;
  bool IsSeparator(int id) const;
  uiPopupMenu* FindItemPopup(int id) const;
  // The action whose entry the item is, or null.
  uiAction* ItemAction(int id) const;
  // Puts the item behind the gate (null: no gate). IsItemVisible answers
  // for both: the item's flag and its gate.
  void SetItemGate(int id, uiMenuGate* gate);
  // Index of the first visible submenu or action item whose plain text (as
  // Text gives it) is `plainText`, or -1. Compares in place: paths are
  // looked up among thousands of entries.
  int FindVisibleItem(const oxString& plainText) const;

  // Brings the Qt actions up to date now.
  void Synchronise();
  // The menu widget holding the items.
  virtual QWidget* MenuWidget() const = 0;

  // The container and action of an item id anywhere in the process.
  static uiMenuData* FindContainer(int id);

  // Whether a menu bar is drawn by the platform (a global menu bar): such a
  // bar needs every change of its entries, not one at the end of a batch.
  // Replaceable so that tests can stand in for a platform menu bar.
  using NativeQuery = bool (*)(const QMenuBar* bar);
  static void SetNativeMenuBarQuery(NativeQuery query);

 protected:
  // A popup menu brackets its opening: from aboutToShow until it is on
  // screen, changes (made by the menu's own aboutToShow handlers, say) reach
  // it at once, so the menu appears as things stand when it appears.
  void BeginOpening() {
    opening_ = true;
    Synchronise();
  }
  void EndOpening() { opening_ = false; }

 private:
  friend class uiAction;
  friend class uiMenuBatch;
  friend class uiMenuGate;

  // An item's id is in its slot.
  struct Item {
    QPointer<QAction> proxy;  // owned by the menu widget
    uiAction* action = nullptr;
    QPointer<uiPopupMenu> popup;
    uiMenuGate* gate = nullptr;
    oxString text;
    bool visible = true;
    bool enabled = true;
    bool separator = false;
  };
  // What a change and a path lookup read of an item, kept apart from the
  // rest and small: a switch changes a few entries of menus of thousands,
  // and each change then touches one cache line of its menu.
  struct Slot {
    // The hash of the plain text the item showed when last brought up to
    // date, or 0 while a change is still to reach it: a path lookup goes
    // through these and reads only the items that may match.
    size_t key = 0;
    int id = 0;
    bool dirty = false;
  };

  int InsertActionItem(uiAction* action, int index);
  // The action is going away: its items leave every menu.
  void ForgetAction(uiAction* action);
  void MarkDirty(int id);
  // The same, for an item last seen at `hint`, which is brought up to date:
  // an action's change reaches its item without a lookup by id.
  void MarkDirty(int id, int& hint);
  void PrefetchItem(int index) const {
    if (index >= 0 && index < Count()) __builtin_prefetch(&slots_[index], 1);
  }
  // Something of the items is due to reach the Qt actions: synchronised
  // now or when the batch ends or the menu opens; the bar hears of it.
  void NoteChanged();
  void ScheduleSync();
  // Shown as far as the recorded state goes: its flag and its gate.
  static bool IsShown(const Item& item) {
    return item.visible && (!item.gate || item.gate->open_);
  }
  // A gate of some items opened or closed.
  void NoteGateChanged();
  // The gate goes away: its items keep what it gave them.
  void DropGate(uiMenuGate* gate);
  // No item is behind the gate any more: the gate forgets this menu.
  void ReleaseGate(uiMenuGate* gate);

  Item* Find(int id);
  const Item* Find(int id) const;
  int Insert(Item item, int index);
  void Apply(Item& item);
  void OnProxyTriggered(int id);
  // Whether a menu with entries shows any of them (one without any counts).
  bool HasShownEntry() const;
  // Tells the menu bar item that opens this menu, once until it catches up.
  void NoteEntriesChanged();

  std::vector<Item> items_;
  std::vector<Slot> slots_;  // one for each item, in the same order
  // Position of each id, made again on the first lookup after items were
  // inserted or removed: a switch looks up thousands of ids.
  mutable std::unordered_map<int, int> positions_;
  mutable bool positionsValid_ = false;
  // Where the last lookup found its id: a switch goes through a menu's
  // items in order, forwards or backwards, so the next id is usually beside.
  mutable int lastIndex_ = 0;
  bool dirty_ = false;
  bool gatesChanged_ = false;  // every gated item is due to catch up
  bool enlisted_ = false;  // waiting for the end of a batch
  bool opening_ = false;
  int holderId_ = 0;  // the menu bar item that opens this menu, if any
  bool holderStale_ = false;  // that item is due to look at the entries again
};

// Defers the synchronisation of every menu until the outermost batch ends.
class uiMenuBatch {
 public:
  uiMenuBatch();
  ~uiMenuBatch();
  uiMenuBatch(const uiMenuBatch&) = delete;
  uiMenuBatch& operator=(const uiMenuBatch&) = delete;

  static bool IsActive();

 private:
  friend class uiMenuData;
  static void Enlist(uiMenuData* menu);
  static void Forget(uiMenuData* menu);
};
