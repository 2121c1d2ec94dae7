// The "Customize Toolbars" dialog: the toolbars of the active profile chain,
// each with its entries in order beside the commands of the chain. The user
// adds commands and separators, takes entries off and moves them; OK keeps
// the arrangement (UserToolBars), Reset brings back the toolbar its profile
// recorded. Entries of profiles not in force are listed greyed, so that an
// arrangement keeps them.
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

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
