// The "Keyboard Shortcuts" dialog: every shortcut in force in the main
// window with its command, action and profile, conflicts marked, filtered
// by what the user types. It follows profile switches while open.
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

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
