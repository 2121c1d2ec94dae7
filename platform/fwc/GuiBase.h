// What the framework core knows of the application object: the application
// registers itself with Director::SetGui and is driven through these calls.
#pragma once

#include "platform/core/oxTypes.h"

namespace fwc {

class GuiBase {
 public:
  GuiBase() = default;
  virtual ~GuiBase();
  GuiBase(const GuiBase&) = delete;
  GuiBase& operator=(const GuiBase&) = delete;

  virtual void Start() = 0;
  virtual void Run() = 0;
  // Lets the toolkit handle pending events once.
  virtual void Share() = 0;
  // Shows a message meant for the user.
  virtual void Error(const oxString& message) = 0;
};

}  // namespace fwc
