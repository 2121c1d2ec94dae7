// The application's own commands, in force whatever profile chain is: no
// client can leave the user without a way to quit, save, close or switch.
//
//   Quit                  Ctrl+Q          the exit procedure (asks first)
//   Open File…            Ctrl+O          the user's files (FileCommands)
//   Save                  Ctrl+S          the active document's file, or its session
//   Save As…              Ctrl+Shift+S
//   Save All
//   Save Session          Ctrl+Alt+S      Save As… while the session has no file
//   Save Session As…      Ctrl+Alt+Shift+S
//   Open Session…         Ctrl+Alt+O
//   Close Document        Ctrl+W          ClientObject::Close on the active one
//   Next Document         Ctrl+Tab        most recently used order; holding
//   Previous Document     Ctrl+Shift+Tab  Ctrl walks on, releasing it stays
//   Next Pane             F6              the focus to the next dock window
//   Previous Pane         Shift+F6        or back into the active document
//   Menu Bar              F10             opens the first menu
//   Context Menu          Shift+F10       what the Menu key opens, for what
//                                         has the keyboard
//   Keyboard Shortcuts…                   the shortcuts dialog
//   Preferences…          Ctrl+,          the Settings dialog (SettingsDialog::GetShortcut)
//
// Each key gives way to a profile's action holding the same key (a client's
// own Save Session, say), so the commands never make a key ambiguous; the
// command palette lists the commands whose keys are not taken that way.
//
// Files dropped on the main window are opened (FileCommands::AcceptDrops).
//
// The host installs them once, after making the application object:
//   fwg::HostCommands::Install();
#pragma once

#include "platform/core/oxTypes.h"

class QAction;

namespace fwg {

class ClientObject;

class HostCommands {
 public:
  // Adds the commands to the main window of the application object; later
  // calls do nothing.
  static void Install();
  // The installed commands (empty before Install), in the order above.
  static oxStlVector<QAction*> GetActions();
  // Activates the next (or previous) document in most recently used order.
  // Calls made while Ctrl is held walk on from where the last one went.
  static void CycleDocuments(bool forward);
  // Moves the focus to the next (or previous) dock window on screen, or
  // into the active document after the last one.
  static void CyclePanes(bool forward);
  // Gives the keyboard to the document's view: the widget in its frame
  // that had it last, else the first that takes it.
  static void FocusDocument(ClientObject* document);
};

}  // namespace fwg
