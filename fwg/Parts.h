// The running application's parts as the subsystems reach them, without
// knowing the shell. The application object enters each part here as it
// makes it, takes it out right after deleting it, and stays the owner of
// the record until the very end of its destruction: a lookup made while it
// tears down (a client's destructor leaving its profiles) finds the parts
// still alive, never a new application object.
#pragma once

class uiMainWindow;

namespace fwg {

class ClientManager;
class DocumentArea;
class ProfileManager;

struct Parts {
  uiMainWindow* mainWindow = nullptr;
  ProfileManager* profileManager = nullptr;
  ClientManager* clientManager = nullptr;
  DocumentArea* documentArea = nullptr;
};

// The application object's parts. Makes the application object from the
// command line when there is none and, before its window is shown, lets the
// toolkit handle pending events once, as Gui::Get() does.
const Parts& GetParts();
// The parts of the application object if one exists, else null. Makes
// nothing and handles no events: for objects that may outlive the
// application object (their destructors run after it is gone).
const Parts* FindParts();
// The main window of FindParts(), or null.
inline uiMainWindow* FindMainWindow() {
  const Parts* parts = FindParts();
  return parts ? parts->mainWindow : nullptr;
}

}  // namespace fwg
