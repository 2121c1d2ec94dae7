// The user's own keys for the profiles' commands, kept in the framework's
// settings ("/User/Shortcuts/<profile>", one key per action name) so that
// they survive restarts.
//
// A user key takes the place of the key the profile declared for the
// action, and from then on it is a shortcut like any other: the items that
// show the action collect it, switching gives and withdraws it, and an
// action that a derived profile replaces hands it to the replacement as it
// hands its declared key. Overrides of profiles that are not loaded are
// kept as they are and apply when the profile makes its actions.
//
//   fwg::UserShortcuts::SetShortcut(profile, "save", "Ctrl+Alt+S");
//   fwg::UserShortcuts::ResetShortcut(profile, "save");   // the declared key again
//
// A client's own Action::SetAccel after a profile was put in force is undone
// by the next switch (the items give back what they collected); the calls
// here also change what the items hold.
#pragma once

#include "platform/core/oxTypes.h"

namespace fwg {

class Action;
class Profile;

// A command holding the same key as the one asked about, where both can be
// in force at once.
struct ShortcutClash {
  oxString actionName;
  oxString profileName;
  oxString command;  // the action's text without "&" markers
};

class UserShortcuts {
 public:
  // The commands a user may give keys to: the named actions of every
  // registered profile, by profile in registration order, then by name.
  // Left out: groups and actions with a submenu; hidden actions that title
  // a menu their item made in the menu bar (the menu is what the user
  // opens); hidden placeholders without text that a menu fills in later;
  // the entries of lists (Action::SetListEntry). A title shown in its menu
  // is a command like any other.
  struct Command {
    Profile* profile = nullptr;
    Action* action = nullptr;
    oxString actionName;
  };
  static oxStlVector<Command> GetCommands();

  // The key the action has now (the user's, or else the declared one), in
  // portable text; "" for none or an unknown action.
  static oxString GetShortcut(const Profile* profile, const oxString& actionName);
  // The key the profile declared; for a replacement, the replaced action's
  // key.
  static oxString GetDefaultShortcut(const Profile* profile, const oxString& actionName);
  static bool HasOverride(const Profile* profile, const oxString& actionName);
  // Whether a replacement (Profile::ReplaceAction) stands in for the action
  // now: its profile is in force and its item applied.
  static bool IsReplaced(const Action* action);

  // Gives the action the user's key ("" for none; sequences of up to four
  // strokes, "Ctrl+K, Ctrl+C"), stores it and puts it in force wherever
  // the action's key is in force. A key text that does not read, or a name
  // the settings cannot keep, is refused: false, the reason in `error`,
  // one stderr line, nothing changed. A conflicting key is kept
  // (FindClashes tells about it beforehand). When the settings file cannot
  // be written (a full disk, a read-only folder), the key is in force all
  // the same and stays pending for the next write that works, but the
  // answer is false with the system's reason in `error`: it would not
  // survive a restart.
  static bool SetShortcut(Profile* profile, const oxString& actionName, const oxString& keys,
                          oxString* error = nullptr);
  // Drops the override: the declared key comes back. False, with the
  // reason, when the settings file could not be written.
  static bool ResetShortcut(Profile* profile, const oxString& actionName, oxString* error = nullptr);
  // Drops the overrides of every registered profile; those of profiles not
  // loaded stay. False, with the first reason, when the settings file
  // could not be written.
  static bool ResetAll(oxString* error = nullptr);

  // The commands that can be in force together with this one (those of its
  // base chain and of the profiles built on it) holding `keys`; the action
  // itself and the action it replaces or is replaced by are left out.
  static oxStlVector<ShortcutClash> FindClashes(const Profile* profile,
                                                const oxString& actionName,
                                                const oxString& keys);

  // A scheme file holds overrides (docs/shortcut-schemes.md). Export writes
  // every stored override, of loaded profiles or not (a stored key that
  // does not read, or names a scheme cannot hold, is left out with one
  // stderr line); a failing write says why in `error` and leaves the old
  // file as it was. Import reads the whole file first: a file that is not
  // a regular one (a named pipe, a device), is larger than 1 MB or has any
  // broken line (a name longer than the settings keep among them) is
  // refused with "file:line: reason" in `error` and nothing applied; a good
  // one sets each override it holds, leaving the others as they are. When
  // the settings file cannot be written the keys are in force but the
  // answer is false with the reason, as for SetShortcut; `applied` tells
  // the two failures apart (true once the scheme's keys are in force).
  static bool ExportScheme(const oxString& path, oxString* error);
  static bool ImportScheme(const oxString& path, oxString* error, bool* applied = nullptr);

  // The library's own: sets the key of an action a profile makes, the
  // user's when there is one that reads (else one stderr line), otherwise
  // `declared` (remembered as its default).
  static void GiveKeyOnCreation(Profile* profile, const oxString& actionName, Action* action,
                                const oxString& declared);

  UserShortcuts() = delete;
};

}  // namespace fwg
