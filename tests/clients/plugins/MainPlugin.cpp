// The test client, with its own profile; its other profile waits in the
// tools plug-ins.
#include "fwg/clients/Client.h"
#include "fwg/profiles/Profile.h"
#include "platform/fwc/Plugin.h"

namespace {

void LoadMain(const fwc::PluginDescription&) {
  auto* client = new fwg::Client("ClientTest");  // owned by the client manager
  auto* editor = new fwg::Profile("ClientTestEditor");
  editor->SetTitle("Test editor");
  client->AddProfile(editor);
}

}  // namespace

FWC_PLUGIN(LoadMain)
