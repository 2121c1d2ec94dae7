// The base profile of the samples, "Samples": File (a "New" submenu with
// one entry per installed client, the session commands, Close, Exit), Edit
// (Undo, Redo and the clipboard, which the clients' profiles replace with
// their own), View (the dock toggles), Help (the palette, the shortcuts,
// About), the main toolbar, and the project tree and property sheet docked
// on the left. It is in force while no document is.
#pragma once

#include "plugins/common/SampleProfile.h"

namespace samples {

class BaseProfile : public SampleProfile {
 public:
  BaseProfile();
  void Build() override;

 private:
  void BuildFileMenu();
  void BuildEditMenu();
  void BuildHelpMenu();
};

}  // namespace samples
