// The framework core's registry: the application object, the plug-in
// manager and the framework's settings store.
#pragma once

#include "platform/fwc/GuiBase.h"
#include "platform/fwc/PluginManager.h"
#include "platform/settings/oxSettings.h"

namespace fwc {

class Director {
 public:
  static Director* Get();

  Director();
  ~Director();  // deletes the plug-in manager and writes the settings if changed
  Director(const Director&) = delete;
  Director& operator=(const Director&) = delete;

  // Not owned: the application object registers itself and outlives its use.
  void SetGui(GuiBase* gui);
  GuiBase* GetGui() const;  // null until SetGui

  // Made on first use, owned by the director.
  PluginManager* GetPluginManager();
  // <config folder>/fwc.ini, opened on first use, owned by the director.
  oxSettings* GetSettings();

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwc
