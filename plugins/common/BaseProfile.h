// The base profile of the samples, "Samples": File (a "New" submenu with
// one entry per installed client, Exit), Edit (Undo and Redo, which the
// clients' profiles replace with their own), View (the dock toggles), the
// main toolbar, and the project tree and property sheet docked on the left.
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
};

}  // namespace samples
