// The question before the application ends while work is unsaved. The
// exit procedure asks it (Gui::Exit, closing the main window, the desktop
// session ending), so every host built on the library asks it.
//
// Work is unsaved while a project has unsaved changes (Project::IsModified)
// or a document says it is modified (ClientObject::SetModified). A session
// never saved that holds only untouched documents (none with unsaved
// content, nothing else) holds nothing to lose.
#pragma once

namespace fwg {

class Project;

class UnsavedWork {
 public:
  static bool Exists();
  // Whether the project's unsaved changes are work the question asks about:
  // it has changes and is not a never-saved session of untouched documents.
  static bool IsUnsaved(Project* project);
  // Asks every modified document first (ClientObject::ConfirmClose, which a
  // client may answer itself), then, while a project has unsaved changes,
  // the user: "Unsaved Changes" with Save, Discard and Cancel. Save saves
  // each changed session (asking for a file where it has none). True when
  // the application may end: nothing was unsaved, or the user saved it all
  // or chose to discard it. Cancel, Escape, a failed or refused save give
  // false and leave everything as it was. While the question is open, a
  // second request answers false at once.
  static bool ConfirmQuit();
};

}  // namespace fwg
