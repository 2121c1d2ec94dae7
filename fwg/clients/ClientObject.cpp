#include "fwg/clients/ClientObject.h"

#include "fwg/clients/ClientManager.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Director.h"

namespace fwg {

const char* ClientObject::S_ClassName() { return "fwg::ClientObject"; }

ClientObject::ClientObject(oxt::Object* parent, const oxString& name, bool emitCreated)
    : oxt::Object(parent, name) {
  if (emitCreated) EmitCreated();
  AddProperty(oxt::Property("@Font", oxt::Variant("normal")));
}

ClientObject::~ClientObject() {
  // Looked up without making an application object: documents may outlive
  // the one that ran them.
  auto* gui = dynamic_cast<Gui*>(fwc::Director::Get()->GetGui());
  ClientManager* manager = gui ? gui->GetClientManager() : nullptr;
  if (manager && manager->GetActiveClientObject() == this) manager->SetActiveClientObject(nullptr);
}

oxString ClientObject::ClassName() const { return S_ClassName(); }

}  // namespace fwg
