#include "fwg/clients/ClientManager.h"

#include "fwg/clients/Client.h"
#include "fwg/shell/Gui.h"

namespace fwg {

struct ClientManager::Internal {
  oxStlVector<Client*> clients;
};

ClientManager* ClientManager::Get() { return Gui::Instance()->GetClientManager(); }

ClientManager::ClientManager() : internal_(new Internal) {}

ClientManager::~ClientManager() {
  for (Client* client : internal_->clients) delete client;
  delete internal_;
}

Client* ClientManager::GetClient(const oxString& name) {
  for (Client* client : internal_->clients) {
    if (client->GetName() == name) return client;
  }
  return nullptr;
}

}  // namespace fwg
