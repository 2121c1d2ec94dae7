// A plug-in without a client for the start-up benchmark: the host loads it
// at start-up; it reports the main window's first paint and ends the
// application.
#include "bench/FirstPaint.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/ui/uiMainWindow.h"

namespace {

void LoadReady(const fwc::PluginDescription&) {
  fwg::Gui* gui = fwg::Gui::Get();
  new FirstPaint(gui->GetMainWindow(), [] { fwg::Gui::Get()->Exit(); });  // lives with the process
}

}  // namespace

FWC_PLUGIN(LoadReady)
