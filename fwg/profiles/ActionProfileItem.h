// Recorded edits of the menu bar, the toolbars and the context menus: add
// an action at a path, replace the entry at a path by an action, remove the
// entry at a path. The first application walks the path and makes the new
// entries; later applications only show and hide them and give and
// withdraw the shortcuts under them.
#pragma once

#include "fwg/profiles/EntryLocation.h"
#include "fwg/profiles/ProfileItem.h"

namespace fwg {

class Action;

class ActionProfileItem : public ProfileItem {
 public:
  // `action` is not owned; null for remove items.
  ActionProfileItem(Profile* owner, Mode mode, Action* action, const oxString& path);
  ~ActionProfileItem() override;

  void Apply(bool on) override;
  void Prefetch() const override;
  bool NeedsSwitching() const override {
    return !resolved_ || !gated_ || !shown_.shortcuts.empty();
  }
  // Where the item's path starts.
  virtual uiObject* GetRoot() = 0;

  // Null once the action is gone: an item may record another profile's
  // action, which that profile deletes before the item is first applied.
  Action* GetAction() const { return actionGuard_ ? action_ : nullptr; }
  const oxString& GetPath() const { return path_; }
  bool IsResolved() const { return resolved_; }
  const EntryLocation& GetShown() const { return shown_; }
  const EntryLocation& GetHidden() const { return hidden_; }
  // For rebinding a user's key in the records (UserShortcuts).
  EntryLocation& GetShown() { return shown_; }
  EntryLocation& GetHidden() { return hidden_; }
  // Whether what an add item makes is shown when put in force; takes
  // effect at resolution.
  void SetVisible(bool visible) { visible_ = visible; }
  bool IsVisible() const { return visible_; }

  // The action's text, or its name when the text is empty, without "&"
  // and cut at the first tab: the name of toolbars and context menus made
  // for it.
  static oxString DefaultName(const Action* action);

 protected:
  void Resolve();
  // "file:line" of a declared edit, for its messages; "" otherwise.
  oxString GetOrigin() const;
  // Makes the action's entry at `at`, by the kind of container there.
  virtual EntryLocation MakeEntry(const EntryLocation& at, const oxString& lastName);
  // Whether the menu entries an add item makes stand behind the profile's
  // gate, shown and hidden with the whole profile instead of one by one.
  virtual bool GatesEntries() const { return false; }

 private:
  // Puts the entries made behind the profile's gate, when they are menu
  // entries.
  void Gate();

  // A switch reads these of every item: first, beside the base's fields.
  bool resolved_ = false;
  bool visible_ = true;
  bool gated_ = false;
  EntryLocation shown_;
  EntryLocation hidden_;
  Action* action_;
  QPointer<QObject> actionGuard_;  // the action's toolkit record
  oxString path_;
};

// An edit of the main window's menu bar.
class MenuItem : public ActionProfileItem {
 public:
  using ActionProfileItem::ActionProfileItem;
  ~MenuItem() override;
  uiObject* GetRoot() override;

 protected:
  bool GatesEntries() const override { return true; }
};

// An edit of the toolbars: a toolbar of its own, a button in a toolbar, or
// a toolbar taken away.
class ToolBarItem : public ActionProfileItem {
 public:
  using ActionProfileItem::ActionProfileItem;
  ~ToolBarItem() override;
  uiObject* GetRoot() override;

 private:
  uiToolBars root_;
};

// A button of its profile in a toolbar that may be anyone's: shown while
// the profile is in force and withdrawn with it, like a menu entry. The
// path names the toolbar, and optionally the button to follow ("Main/Open")
// or the top of it ("Main/"); it never makes a toolbar.
class ToolBarButtonItem : public ToolBarItem {
 public:
  ToolBarButtonItem(Profile* owner, Mode mode, Action* action, const oxString& path)
      : ToolBarItem(owner, mode, action, path) {}
  ~ToolBarButtonItem() override;

 protected:
  EntryLocation MakeEntry(const EntryLocation& at, const oxString& lastName) override;
};

// An edit of the context menus. Context menus appear only through
// Profile::PopupContextMenu, so applying never leaves one on screen.
class ContextMenuItem : public ActionProfileItem {
 public:
  using ActionProfileItem::ActionProfileItem;
  ~ContextMenuItem() override;
  uiObject* GetRoot() override;
  void Apply(bool on) override;

 private:
  uiContextMenus root_;
};

}  // namespace fwg
