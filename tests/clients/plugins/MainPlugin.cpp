// The test client, with its own profile; its other profile waits in the
// tools plug-ins.
#include "fwg/clients/Client.h"
#include "fwg/profiles/Profile.h"
#include "platform/fwc/Plugin.h"

namespace {

class TestClient : public fwg::Client {
 public:
  TestClient() : fwg::Client("ClientTest") {
    auto* editor = new fwg::Profile("ClientTestEditor");
    editor->SetTitle("Test editor");
    AddProfile(editor);
  }
};

void LoadMain(const fwc::PluginDescription&) { new TestClient; }

}  // namespace

FWC_PLUGIN(LoadMain)
