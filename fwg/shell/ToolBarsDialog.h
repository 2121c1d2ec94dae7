// The "Customize Toolbars" dialog: the toolbars of the active profile chain,
// each with its entries in order beside the commands of the chain. The user
// adds commands and separators, takes entries off and moves them; Reset
// shows the toolbar its profile recorded. Edits of every toolbar are held
// while the user moves between them in the drop-down: OK keeps them all
// (UserToolBars), Cancel drops them all. Entries of profiles not in force
// are listed greyed, so that an arrangement keeps them.
//
// A client opens it from a menu entry of its own:
//   (new fwg::ToolBarsDialog)->show();   // deletes itself when closed
#pragma once

#include <QDialog>

#include "platform/core/oxTypes.h"

namespace fwg {

class ToolBarsDialog : public QDialog {
 public:
  // A child of the main window by default; deletes itself when closed.
  explicit ToolBarsDialog(QWidget* parent = nullptr);
  ~ToolBarsDialog() override;
  ToolBarsDialog(const ToolBarsDialog&) = delete;
  ToolBarsDialog& operator=(const ToolBarsDialog&) = delete;

  // Shows the toolbar of that name in the drop-down; false when it is not
  // offered. Edits of the toolbar shown before are kept until OK.
  bool SelectToolBar(const oxString& name);
  // The entries of the toolbar shown, as the dialog holds them now
  // (UserToolBars tokens).
  oxStlVector<oxString> GetEntries() const;
  // Puts a command of the active chain (UserToolBars::MakeToken) or a
  // separator ("-") after the selected entry, as "Add" does; false for a
  // command not offered or already on the toolbar.
  bool AddEntry(const oxString& token);

  // Keeps the edits of every toolbar, then closes (OK). An arrangement
  // that could not be saved (a full disk, a read-only folder) is said in an
  // information bar of the window the dialog belongs to.
  void accept() override;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
