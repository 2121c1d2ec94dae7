// The command palette: a small popup over the main window with a line edit
// and the list of every command the active profile chain offers in its
// menus, toolbars and context menus, filtered as the user types.
//
// Keyboard only: the palette's key opens it (Ctrl+Shift+P unless the
// settings say otherwise), typing filters (see PaletteFilter), Up and Down
// choose, Enter runs the chosen command exactly as a click on its menu
// item would, Escape closes. A profile switch closes it too.
//
// The host installs it once, after making the application object:
//   fwg::CommandPalette::Install();
#pragma once

#include <QFrame>

#include "fwg/shell/PaletteCommands.h"
#include "platform/core/oxTypes.h"

class uiMainWindow;

namespace fwg {

class CommandPalette : public QFrame {
 public:
  // The palette of the application object's main window, made on the first
  // call as a child of that window; later calls return the same palette.
  // Its key is read from the application's settings, section
  // "CommandPalette", key "Shortcut".
  static CommandPalette* Install();
  // The installed palette of the current main window, or null.
  static CommandPalette* Get();

  ~CommandPalette() override;
  CommandPalette(const CommandPalette&) = delete;
  CommandPalette& operator=(const CommandPalette&) = delete;

  // Lists the commands in force now and takes the keyboard.
  void Open();
  // Hides the palette and gives the focus back; nothing runs.
  void Close();
  bool IsOpen() const;

  // The key that opens the palette, portable text ("Ctrl+Shift+P").
  oxString GetShortcut() const;
  // Uses the key and stores it in the settings; "" leaves the palette
  // without a key. Text that is no key sequence is refused with one line
  // on stderr and false.
  bool SetShortcut(const oxString& keys);

  // The commands listed now, in the order shown.
  oxStlVector<PaletteCommand> GetListedCommands() const;
  // Position of the chosen command in that list; -1 for none.
  int GetCurrentRow() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit CommandPalette(uiMainWindow* window);

  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
