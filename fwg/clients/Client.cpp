#include "fwg/clients/Client.h"

#include "fwg/clients/ClientManager.h"

namespace fwg {

struct Client::Internal {
  oxString name;
};

Client::Client(const oxString& name) : internal_(new Internal{name}) {}
Client::~Client() { delete internal_; }

void Client::New() {}

oxString Client::GetName() const { return internal_->name; }

}  // namespace fwg
