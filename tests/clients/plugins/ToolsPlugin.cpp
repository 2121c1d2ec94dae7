// Provides the test client's lazy profile: finds the client and adds it.
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/profiles/Profile.h"
#include "platform/fwc/Plugin.h"

namespace {

void LoadTools(const fwc::PluginDescription&) {
  fwg::Client* client = fwg::ClientManager::Get()->GetClient("ClientTest");
  if (!client) return;
  auto* tools = new fwg::Profile("ClientTestTools", "ClientTestEditor");
  tools->SetTitle("Test tools");
  client->AddProfile(tools);
}

}  // namespace

FWC_PLUGIN(LoadTools)
