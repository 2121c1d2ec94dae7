// A profile: a named, switchable set of user-interface contributions.
//
// A profile owns its actions and action groups and records edits of the
// main window's shared menu bar, toolbars and context menus, addressed by
// slash paths. Profiles build on a base profile by name (the base chain);
// activating a profile puts the edits of its chain in force and withdraws
// those of the chain it replaces, by showing and hiding entries and giving
// and withdrawing shortcuts. Nothing is rebuilt on a switch.
//
// Subclasses usually fill the profile in Build(), which runs once, at the
// first activation.
#pragma once

#include <functional>

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

class oxSettings;
class QWidget;
class uiObject;
class uiPopupMenu;
class uiWidget;

namespace oxaw {
class IWidgetCreator;
}

namespace fwg {

class Action;
class ActionGroup;

class Profile : public oxListener<single_threaded> {
 public:
  // Registers itself with the profile manager when it has a name and
  // addToManager is set. pluginName adds the plug-in's resource folders.
  explicit Profile(const oxString& name = {}, const oxString& baseName = {},
                   const oxString& pluginName = {}, bool addToManager = true);
  // Leaves the profile manager; deletes the profile's actions, recorded
  // edits and dock windows (with their widgets). Menus, toolbars and
  // context menus it created stay in the main window.
  ~Profile() override;
  Profile(const Profile&) = delete;
  Profile& operator=(const Profile&) = delete;

  // Identity, resources and translation.
  oxString GetName() const;
  oxString GetBaseName() const;
  oxString GetPluginName() const;
  void SetTitle(const oxString& title);
  // The title, or the name while no title is set.
  oxString GetTitle() const;
  oxStlVector<oxString>& GetResourcePaths();
  void AddResourcePath(const oxString& path);
  // Full path of the first existing file of that name in the resource
  // folders of this profile, then of its base, and so on; "" when none.
  oxString GetResource(const oxString& fileName) const;
  // Runs a script of the profile's resources (found as GetResource finds
  // files) in the script engine, so that its procedures can be slots and
  // action scripts. False, with one stderr line, when none is found or it
  // fails.
  bool LoadScript(const oxString& fileName) const;
  // The text translated within this profile's name.
  oxString tr(const oxString& context, const oxString& text) const;
  // Records the name of a profile this one includes (flag set) or refers
  // to (flag clear). Recorded names take no part in lookups or activation.
  void AddProfile(const oxString& name, bool flag);
  const oxStlVector<oxString>& GetIncludedProfiles() const;
  const oxStlVector<oxString>& GetOtherProfiles() const;
  // This profile's section "/Corvane/<plug-in name>" of the framework's
  // settings, owned by the store; null when the section was never made.
  oxSettings* GetSettings() const;

  // Actions and groups. The profile owns what it registers.
  void AddAction(const oxString& name, Action* action);
  Action* AddAction(const oxString& name, oxString text, const oxString& icon = {},
                    oxString accel = {});
  Action* AddSpriteAction(const oxString& name, oxString text, const oxString& icon = {},
                          oxString accel = {});
  ActionGroup* AddActionGroup(const oxString& name, oxString text, bool dropDown = false,
                              const oxString& icon = {});
  ActionGroup* AddSpriteActionGroup(const oxString& name, oxString text, bool dropDown = false,
                                    const oxString& icon = {});
  // The action registered under the name here or, failing that, in the
  // base chain; null when none. The flag has no effect.
  Action* GetAction(const oxString& name, bool flag = true) const;
  ActionGroup* GetActionGroup(const oxString& name, bool flag = true) const;
  // Puts a substitute of the inherited action of that name in its place
  // while this profile is active; returns the action now found under the
  // name.
  Action* ReplaceAction(const oxString& name);
  // This profile's own actions (none inherited).
  oxStlMap<oxString, Action*>& GetActions();

  // One command of an action list (AddActionList): what it reads, whether
  // it is checked (the active document of a Window list), what it does.
  struct ListEntry {
    oxString text;
    bool checked = false;
    std::function<void()> run;
  };
  // A list of commands made afresh each time the menu showing them is about
  // to open: a Window menu's documents, recent files. A drop-down entry
  // `name` reading `text` at `path` (as AddMenu places it), whose commands
  // `fill` gives when it opens; in force with this profile like any entry.
  // The profile owns the group and the commands it makes for the list
  // ("<name>.1", "<name>.2", ...). Null when `fill` is empty.
  ActionGroup* AddActionList(const oxString& name, const oxString& text, const oxString& path,
                             std::function<oxStlVector<ListEntry>()> fill);

  // Recorded edits of the menu bar, the toolbars and the context menus.
  void AddMenu(Action* action, const oxString& path);
  void AddMenu(const oxString& actionName, const oxString& path);
  void ReplaceMenu(Action* action, const oxString& path);
  void ReplaceMenu(const oxString& actionName, const oxString& path);
  void RemoveMenu(const oxString& path);
  void AddToolBar(Action* action, const oxString& path);
  void AddToolBar(const oxString& actionName, const oxString& path);
  void ReplaceToolBar(Action* action, const oxString& path);
  void ReplaceToolBar(const oxString& actionName, const oxString& path);
  void RemoveToolBar(const oxString& path);
  // A button for the action in a toolbar this profile did not make (a
  // base's, or another client's), shown while this profile is in force and
  // withdrawn with it like a menu entry. `path` names the toolbar ("Main"),
  // the button to follow ("Main/Open") or the top of it ("Main/"); a toolbar
  // that is not there is reported, never made. (AddToolBar into an existing
  // toolbar leaves its button there for the rest of the run.) A group that
  // does not use a drop-down gives a button per member, without separators.
  void AddToolBarButton(Action* action, const oxString& path);
  void AddToolBarButton(const oxString& actionName, const oxString& path);
  void AddContextMenu(Action* action, const oxString& path);
  void AddContextMenu(const oxString& actionName, const oxString& path);
  void ReplaceContextMenu(Action* action, const oxString& path);
  void ReplaceContextMenu(const oxString& actionName, const oxString& path);
  void RemoveContextMenu(const oxString& path);

  // Lookups by path in the main window as it is now.
  uiPopupMenu* GetMenu(const oxString& path) const;
  uiObject* GetMenuObjectFromPath(const oxString& path) const;
  uiObject* GetToolBarObjectFromPath(const oxString& path) const;
  uiObject* GetContextMenuObjectFromPath(const oxString& path) const;
  // Shows the context menu of that name at the point; nothing when none.
  void PopupContextMenu(const oxString& name, int x, int y) const;
  // Toolbars made by the chain's items, root first, less those a toolbar
  // item of the chain takes away.
  oxStlVector<uiWidget*> GetToolBarList() const;
  // Whether the first toolbar of that name in GetToolBarList() is visible;
  // false when there is none.
  bool IsToolBarVisible(const oxString& name) const;
  // Shows or hides the first toolbar of that name in GetToolBarList(). For
  // a toolbar not made yet, the first of this profile's own toolbar items
  // whose action gives it that name starts it shown or hidden instead.
  void SetToolBarVisible(const oxString& name, bool visible);

  // Widgets shown while the profile is active; not owned.
  void AddWidget(uiWidget* widget);

  // Dock widgets. `name` is the name a widget maker is registered under;
  // `path` is "AREA[/dock window]" with AREA one of TOP, BOTTOM, RIGHT
  // (any case) or else the left area; widgets naming the same dock window
  // share it as tabs. The dock window and widget are made at the first
  // activation and belong to this profile. The window title the maker
  // gives the widget, translated through this profile, titles its dock
  // window, tab and toggle action; without one the name does. Lookups
  // below go by the name.
  void AddDockWidget(const oxString& name, const oxString& path, const oxString& accel = {});
  // The short way for an ordinary Qt widget: registers it under its window
  // title (its object name when the title is empty) and records its dock
  // as the call above does. The widget belongs to this profile's dock
  // window from its first activation on; one never shown goes with the
  // application. A widget without a title or name is refused (one stderr
  // line).
  void AddDockWidget(QWidget* widget, const oxString& path, const oxString& accel = {});
  // Hides the chain's dock widget of that name while this profile is active.
  void RemoveDockWidget(const oxString& name);
  // The widget manager takes ownership of the maker.
  void RegisterWidget(const oxString& name, oxaw::IWidgetCreator* creator);
  // Registers a maker of plain frames under the name.
  void RegisterWidget(const oxString& name);
  uiWidget* GetRegisteredWidget(const oxString& name, uiWidget* parent);
  // A group named "Dock" of the toggle actions of the chain's shown dock
  // widgets, after a separator when the chain has any dock window. Owned
  // by the profile and made once: later calls, and docks of the chain made
  // after the call (as when it is called from Build()), only add to it,
  // so a menu may keep it. Toggles of docks not in force are hidden.
  ActionGroup* GetDockToggleActions();
  // Lookups by widget name among the shown dock widgets of the chain.
  Action* GetDockToggleAction(const oxString& name) const;
  bool IsDockWidgetVisible(const oxString& name) const;
  // Shows or hides a shown dock widget; for one not made yet, sets the
  // state this profile's dock item will start it in.
  void SetDockWidgetVisible(const oxString& name, bool visible);
  // Widgets of the chain's shown dock widgets, root first.
  oxStlVector<uiWidget*> GetDockWidgetList() const;
  // "/AREA/widget" or "/AREA/dock window/widget" for a shown dock widget
  // of the chain, AREA being LEFT, TOP, RIGHT or BOTTOM; "" otherwise.
  oxString GetDockWidgetPath(uiWidget* widget) const;

  // Build, activation and deactivation.
  virtual void Build();
  // Makes this profile the active one; see the file comment.
  virtual void Activate();
  // Forgets this profile as the active one, if it is; hides nothing.
  virtual void Deactivate();
  bool IsBuilt() const;
  // True while the profile's edits are in force.
  bool IsActive() const;

  // The private record; the library's own sources reach it through
  // GetInternal() in ProfileInternal.h.
  struct Internal;

 protected:
  // Window layout in the application's settings, under "<section>/<key>":
  // Visible, Flags (window state), X, Y, Width, Height. The library never
  // calls these; a profile subclass decides when a window is saved and
  // restored. Saving is false without a widget or a store. The main
  // window's whole layout, docks and toolbars included, is WindowLayout's.
  virtual bool SaveWindowInfo(const oxString& section, const oxString& key, uiWidget* widget);
  // Resizes, moves, sets the window state, then shows or hides. A record
  // never saved leaves the widget as it is.
  virtual void LoadWindowInfo(const oxString& section, const oxString& key, uiWidget* widget);

 private:
  friend struct ProfileAccess;
  Internal* internal_;
};

}  // namespace fwg
