// A plug-in without a client for the start-up benchmark: the host loads it
// at start-up; it reports the main window's first paint and ends the
// application, with status 3 when something made the script engine by then
// (start-up must not pay for scripts nobody ran). After the first paint's
// byte it sends the start-up marks, a line "<step> <nanoseconds>" each,
// the first paint last.
#include <unistd.h>

#include "bench/FirstPaint.h"
#include "fwg/shell/Gui.h"
#include "platform/core/oxStartupMarks.h"
#include "platform/fwc/Plugin.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/ui/uiMainWindow.h"

namespace {

void LoadReady(const fwc::PluginDescription&) {
  fwg::Gui* gui = fwg::Gui::Get();
  new FirstPaint(  // lives with the process
      gui->GetMainWindow(),
      [] {
        if (oxScriptEngine::Exists()) _exit(3);
        fwg::Gui::Get()->Exit();
      },
      [] {
        oxMarkStartup("first-paint");
        std::string text;
        for (const oxStartupMark& mark : oxGetStartupMarks()) {
          text += std::string(mark.step) + " " + std::to_string(mark.nanoseconds) + "\n";
        }
        return text;
      });
}

}  // namespace

FWC_PLUGIN(LoadReady)
