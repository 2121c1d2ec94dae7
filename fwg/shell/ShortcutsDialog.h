// The "Keyboard Shortcuts" dialog: the commands of the active profile chain
// with their keys, and the other keys in force in the main window, with
// command, action and profile, conflicts marked, filtered by what the user
// types. It follows profile switches while open.
//
// The user picks a command and records a key sequence for it (up to four
// strokes), clears it or resets it to the declared key; a key that another
// command that can be in force with this one holds is named while it is
// recorded, and may be kept. Keys are kept by UserShortcuts; schemes are
// imported and exported as files (docs/shortcut-schemes.md).
//
// A client opens it from a menu entry of its own:
//   (new fwg::ShortcutsDialog)->show();   // deletes itself when closed
#pragma once

#include <QDialog>

#include "platform/core/oxTypes.h"

namespace fwg {

class ShortcutsDialog : public QDialog {
 public:
  // A child of the main window by default; deletes itself when closed.
  explicit ShortcutsDialog(QWidget* parent = nullptr);
  ~ShortcutsDialog() override;
  ShortcutsDialog(const ShortcutsDialog&) = delete;
  ShortcutsDialog& operator=(const ShortcutsDialog&) = delete;

  // Reads the shortcuts in force again.
  void Refresh();
  // Shows only the rows whose key, command, action or profile holds the
  // text (case ignored); "" shows every row.
  void SetFilter(const oxString& text);
  // Number of rows shown now, and of those, rows marked as conflicting.
  int CountShownRows() const;
  int CountShownConflicts() const;
  // Selects the row of the profile's action; false when it is not listed.
  bool SelectCommand(const oxString& profileName, const oxString& actionName);
  // What the dialog says about the key being recorded: the commands that
  // hold it too, "" when none.
  oxString GetClashText() const;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
