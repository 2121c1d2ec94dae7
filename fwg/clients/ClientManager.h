// Registry of the clients, found by name and loaded from plug-ins on demand.
#pragma once

#include "platform/core/oxTypes.h"

namespace fwg {

class Client;

class ClientManager {
 public:
  // The application object's client manager.
  static ClientManager* Get();

  ClientManager();
  ~ClientManager();
  ClientManager(const ClientManager&) = delete;
  ClientManager& operator=(const ClientManager&) = delete;

  // The client of that name or alias, or null.
  Client* GetClient(const oxString& name);

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
