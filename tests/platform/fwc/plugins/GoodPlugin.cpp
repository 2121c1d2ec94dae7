// Records each call of its entry point in the application's settings, which
// the test reads through the same shared platform library.
#include "platform/fwc/Plugin.h"
#include "platform/oxapp/Application.h"

namespace {

void LoadFwcTestPlugin(const fwc::PluginDescription& description) {
  oxSettings* record = oxapp::Application::Get()->GetSettings()->GetSection("/fwctest", true, true);
  record->Set("loads", record->Get("loads").GetLong() + 1);
  record->Set("name", description.GetName());
}

}  // namespace

FWC_PLUGIN(LoadFwcTestPlugin)
