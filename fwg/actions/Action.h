// A named command of a profile, over exactly one toolkit action.
//
// The toolkit action holds the text, tips, icon, visibility, enabled and
// checked state; the action adds the link to its profile (icons are looked
// up in the profile's resource folders), a remembered shortcut that is
// withdrawn while the action is inactive, and two signals that carry the
// action itself.
#pragma once

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

class uiAction;

namespace fwg {

class Profile;

class Action {
 public:
  // The toolkit action is a child of the main window, named `name`; the
  // sprite kind is made for large icons. `profile` may be null.
  Action(const oxString& name, Profile* profile, bool sprite = false);
  // Destroys the toolkit action. Connections made by callers to
  // OnActivate()/OnToggle() go with it.
  virtual ~Action();
  Action(const Action&) = delete;
  Action& operator=(const Action&) = delete;

  oxString GetName() const;
  // Sets the plain text and the menu text; GetText() answers the menu text.
  void SetText(const oxString& text);
  oxString GetText() const;

  // The first file of that name in the profile's resource folders (the name
  // as a path without a profile); a name found nowhere leaves the icon.
  void SetIcon(const oxString& name);
  // Size-suffixed and strip files: `name`["Strip"]["-"size]`tail`, see the
  // source for the order of attempts. Nothing found clears the icon.
  void SetIcon(const oxString& name, int size1, int size2, bool strip, const oxString& tail);
  // The file the current icon came from.
  oxString GetIcon() const;

  // Remembers the shortcut text and gives it to the toolkit action.
  void SetAccel(const oxString& accel);
  // The remembered text, also while the shortcut is withdrawn; "" for a group.
  oxString GetAccel() const;

  void SetToolTip(const oxString& tip);
  oxString GetToolTip() const;
  void SetStatusTip(const oxString& tip);
  oxString GetStatusTip() const;
  void SetWhatsThis(const oxString& text);
  oxString GetWhatsThis() const;
  void SetVisible(bool visible);
  bool IsVisible() const;
  void SetEnabled(bool enabled);
  bool IsEnabled() const;
  void SetCheckable(bool checkable);
  bool IsCheckable() const;
  void SetChecked(bool checked);
  bool IsChecked() const;
  // An entry of a list the program fills (the recent files, say), which
  // opens what stands at its place, whatever that is then: a key or a
  // toolbar button given to "1 notes.txt" would open another file once the
  // list moved on, so the Keyboard Shortcuts and Customize Toolbars dialogs
  // leave it out.
  void SetListEntry(bool entry);
  bool IsListEntry() const;

  // Active: the toolkit action carries the remembered shortcut; inactive:
  // none. Nothing else changes.
  virtual void SetActive(bool active);

  // A checkable action is toggled, any other triggered.
  void Activate();
  // Flips a checkable action; nothing for a plain one.
  void Toggle();

  // The toolkit action's own signals. A checkable action emits OnToggle
  // whenever its checked state flips, whoever flips it: the user's click,
  // key or command palette, and the program's SetChecked, Toggle and
  // Activate alike; OnActivate only for a plain action.
  oxiSignal0<void>& OnActivate();
  oxiSignal1<void, bool>& OnToggle();
  // Only for a toggle of the user's (a menu item, a toolbar button, a key,
  // the palette), right after its OnToggle: what to listen to where the
  // program's own SetChecked must not act again.
  oxiSignal1<void, bool>& OnUserToggle();
  // Emitted with this action before the listeners of OnActivate() and
  // OnToggle() run. A group has no such signals: it hands out faces that
  // never emit.
  oxiSignal1<void, const Action&>& OnActionActivate();
  oxiSignal2<void, const Action&, bool>& OnActionToggle();

  // Owned by this action.
  virtual uiAction* GetUiAction() const;

 protected:
  // For ActionGroup, which brings its own toolkit object: no action record.
  Action();
  virtual Profile* GetProfile() const;

 private:
  void HandleActivate();
  void HandleToggle(bool on);

  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
