// The user's commands for sessions, for the profiles of clients: "Save
// Session" (Ctrl+Alt+S), "Save Session As…" (Ctrl+Alt+Shift+S), "Open
// Session…" (Ctrl+Alt+O), with the toolkit's file dialogs, and a "Recent
// Sessions" submenu of the last few sessions, which the application's
// settings keep (section "Sessions", keys "Recent1" to "Recent5"). The
// standard keys for opening and saving belong to the user's files
// (FileCommands).
//
// The session's project is the project of the active document, else the
// current project, else the first project.
#pragma once

#include "platform/core/oxTypes.h"

namespace fwg {

class Profile;
class Project;

class SessionCommands {
 public:
  static constexpr int kMaxRecent = 5;

  // Adds the actions "File.SaveSession", "File.SaveSessionAs",
  // "File.OpenSession" and the drop-down group "File.RecentSessions" to the
  // profile and records their entries at the end of the menu at `menuPath`
  // ("File"). Call it from the profile's Build(), once per profile chain:
  // a common base profile is the place.
  static void Install(Profile* profile, const oxString& menuPath);

  // Null when there is no project.
  static Project* GetSessionProject();
  // To the project's file; without one, as SaveAs after asking for a file.
  // Failures are shown to the user; false then, or when the user cancels.
  static bool Save(Project* project);
  static bool SaveAs(Project* project, const oxString& path);
  // Asks for a file ("Save Session As"), then saves there. False when the
  // user cancels or the save fails (the failure is shown).
  static bool SaveAs(Project* project);
  // The project of that file, opened. A session that is open already is
  // read again from its file, after asking when it holds unsaved changes
  // (the user may keep it as it is). It becomes the current project and its
  // page is raised. Null when the file could not be opened (the reason is
  // shown to the user, and an open session stays as it was). Files of its
  // documents that could not be opened again are listed to the user.
  static Project* Open(const oxString& path);
  // Asks for a file ("Open Session") and opens it; null when the user
  // cancels or the file could not be opened.
  static Project* Open();
  // Whether the project's unsaved work may go: asks the user while the
  // session has unsaved changes, then each document whose file has
  // changes (ClientObject::ConfirmClose). True when there is nothing to
  // lose.
  static bool MayDiscard(Project* project);
  // Makes the project current and raises its page, in place of a page the
  // host showed (a welcome page).
  static void Show(Project* project);

  // Most recent first.
  static oxStlVector<oxString> GetRecentSessions();
  // Moves `path` to the front of the list.
  static void AddRecentSession(const oxString& path);
};

}  // namespace fwg
