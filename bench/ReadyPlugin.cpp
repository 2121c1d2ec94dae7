// A plug-in without a client for the start-up benchmark: the host loads it
// at start-up; it reports the main window's first paint and ends the
// application, with status 3 when something made the script engine by then
// (start-up must not pay for scripts nobody ran).
#include <unistd.h>

#include "bench/FirstPaint.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/ui/uiMainWindow.h"

namespace {

void LoadReady(const fwc::PluginDescription&) {
  fwg::Gui* gui = fwg::Gui::Get();
  new FirstPaint(gui->GetMainWindow(), [] {  // lives with the process
    if (oxScriptEngine::Exists()) _exit(3);
    fwg::Gui::Get()->Exit();
  });
}

}  // namespace

FWC_PLUGIN(LoadReady)
