// Toolbars as the user arranged them: entries reordered, taken off, commands
// of the active chain and separators added. Kept in the framework's
// settings by the profile that made the toolbar and the name of the action
// whose entry made it ("/User/ToolBars/<profile>/@<action>": the toolbar's
// own name is a translated text, which another language would not find),
// and put back whenever the
// toolbar is there (made at its profile's first activation, or given new
// entries by a switch).
//
// Switching goes on as before on a customized toolbar: an entry of another
// profile is hidden and shown with that profile, and a command the user
// added is shown while its profile is in force.
#pragma once

#include <QIcon>

#include "platform/core/oxTypes.h"

class QObject;
class uiToolBar;

namespace fwg {

class Profile;
class ProfileManager;

class UserToolBars {
 public:
  // One entry of a toolbar's arrangement. `token` names it: "-" for a
  // separator, the action's name for a button a profile made, and
  // "+<profile>\t<action>" for a command the user added.
  struct Entry {
    oxString token;
    oxString text;         // what the entry shows
    bool inForce = true;   // false for a button of a profile not in force
    QIcon icon;            // the button's
  };

  // The profile whose items made the toolbar, or null.
  static Profile* GetOwner(const uiToolBar* toolBar);
  // Marks the toolbar as made by the entry of `actionName`: its
  // arrangement is kept under that name. The profile items call it.
  static void SetMadeBy(uiToolBar* toolBar, const oxString& actionName);
  // The toolbar's entries as shown now, in order, user-removed ones left out.
  static oxStlVector<Entry> GetEntries(uiToolBar* toolBar);
  // The token of a command the user adds.
  static oxString MakeToken(const Profile* profile, const oxString& actionName);

  // Arranges the toolbar by the tokens and keeps the arrangement; buttons
  // a profile made that the list leaves out are taken off. False for a
  // toolbar no profile made; also false, with the reason in `error`, when
  // the arrangement could not be kept in the settings (a full disk, a
  // read-only folder): it is in force, and pending for the next write that
  // works, but would not survive a restart.
  static bool Customize(uiToolBar* toolBar, const oxStlVector<oxString>& tokens, oxString* error = nullptr);
  // Forgets the arrangement and brings back the toolbar as its profile
  // recorded it. False as for Customize.
  static bool Reset(uiToolBar* toolBar, oxString* error = nullptr);
  // The entries Reset would bring back, in order.
  static oxStlVector<Entry> GetRecordedEntries(uiToolBar* toolBar);
  static bool IsCustomized(const uiToolBar* toolBar);

  // Puts back the kept arrangements after every switch of the manager,
  // for as long as `lifetime` lives; the application object calls it.
  static void Keep(ProfileManager* manager, QObject* lifetime);

  UserToolBars() = delete;
};

}  // namespace fwg
