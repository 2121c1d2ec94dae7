// A client that makes its documents the way clients do: under the current
// client folder or project, named "Untitled n", then activated (which makes
// them current). Owned by the client manager once made.
#pragma once

#include <string>

#include "fwg/clients/Client.h"
#include "fwg/clients/ClientObject.h"

class DocumentClient : public fwg::Client {
 public:
  DocumentClient() : fwg::Client("Documents") {}
  void New() override {
    auto* document = new fwg::ClientObject(this, "Untitled " + std::to_string(++made), true);
    document->Activate();
  }
  int made = 0;
};
