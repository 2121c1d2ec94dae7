// The samples' plug-in without a client: loaded by the host at start-up, it
// puts the base profile in force, so that the window offers File > New
// before any document exists. The client plug-ins link the same library
// and make the base profile themselves when they are loaded without it.
#include "fwg/clients/ClientManager.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/fwc/Plugin.h"
#include "plugins/common/SampleProfile.h"

namespace {

void LoadSamples(const fwc::PluginDescription&) {
  fwg::Profile* base = samples::EnsureBaseProfile();
  // Also once the last document is closed.
  fwg::ClientManager::Get()->SetIdleProfile(base->GetName());
  if (!fwg::ProfileManager::Get()->GetActiveProfile()) base->Activate();
}

}  // namespace

FWC_PLUGIN(LoadSamples)
