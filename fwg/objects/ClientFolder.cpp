#include "fwg/objects/ClientFolder.h"

#include <cstdint>
#include <iostream>

#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/FileElement.h"
#include "platform/signals/oxSignal.h"

namespace fwg {

namespace {

const char kLayout[] = "Layout";
const char kClient[] = "CLIENT";
const char kObject[] = "OBJECT";
const char kClientType[] = "type";
const char kClientObjectName[] = "name";

bool IsPersistable(oxt::Object* object) {
  oxt::Property persistable("@Persistable");
  return !object->GetProperty(persistable) || persistable.GetValue().GetBoolean();
}

// Has the named client make a document under `folder` (the current object
// while the client's New() runs). Unknown clients are skipped.
void RecreateDocument(ClientFolder* folder, const oxt::FileElement* element) {
  oxt::CurrentObjects::Get()->SetCurrentObject(folder);
  const oxString type = element->GetValue(kClientType).GetString();
  const oxString name = element->GetValue(kClientObjectName).GetString();
  ClientManager* manager = ClientManager::Get();
  Client* client = manager ? manager->GetClient(type) : nullptr;
  if (!client) {
    oxWarn("no client named '", type, "' to make the document '", name,
           "'; it is read without its client");
    return;
  }
  client->CreateClientObject(name);
}

// True when every object of the drop may live in a client folder.
bool AreDroppable(const oxt::Property& p) {
  for (const oxt::Variant& value : p.GetValueList()) {
    if (value.GetType() != oxt::Variant::Type::Pointer) continue;
    const auto* object = static_cast<const oxt::Object*>(value.GetPointer());
    if (!object) continue;
    if (!object->IsA("fwg::ClientObject") && !object->IsA(ClientFolder::S_ClassName())) {
      return false;
    }
  }
  return true;
}

}  // namespace

struct ClientFolder::Internal : oxListener<> {
  explicit Internal(ClientFolder* folder) : owner(folder) {}
  ClientFolder* owner;
  int32_t layout = 0;
};

FWG_DEFINE_OBJECT(ClientFolder, "fwg::ClientFolder", Folder);

ClientFolder::ClientFolder(oxt::Object* parent, const oxString& name)
    : Folder(parent, name), internal_(new Internal(this)) {
  SetType(S_ClassName());
}

ClientFolder::~ClientFolder() { delete internal_; }

oxStlVector<oxString> ClientFolder::GetPropertyNames() {
  oxStlVector<oxString> names = Folder::GetPropertyNames();
  names.push_back(kLayout);
  return names;
}

bool ClientFolder::GetProperty(oxt::Property& p) {
  const oxString& name = p.GetName();
  if (name == kLayout) {
    p.SetValue(static_cast<int>(internal_->layout));
    p.SetEditorName("LayoutEditor");
    return true;
  }
  if (name == "@ContextMenu") {
    Folder::GetProperty(p);
    p.AddValue("S:");
    p.AddValue("P:Layout");
    return true;
  }
  if (name == "@OkToDrag" || name == "@NoDuplicateChildNames") {
    p.SetValue(true);
    return true;
  }
  if (name == "@OkToDrop" && !AreDroppable(p)) return false;
  return Folder::GetProperty(p);
}

bool ClientFolder::SetProperty(oxt::Property& p) {
  if (p.GetName() != kLayout) return Folder::SetProperty(p);
  internal_->layout = p.GetValue().GetInteger();
  EmitModified(p);
  return true;
}

bool ClientFolder::Write(oxt::FileElement* parent) {
  if (!parent) return false;
  oxt::FileElement* element = parent->AddObject(this);
  element->AddProperties(this);
  // A copy: writing must not be disturbed by children that come or go.
  const oxStlVector<oxt::Object*> children = GetChildren();
  for (oxt::Object* child : children) {
    if (!IsPersistable(child)) continue;
    const ClientObject* document = ClientObject::Cast(child);
    if (document && document->GetClient()) {
      auto* client = new oxt::FileElement(element, kClient, {});  // owned by `element`
      client->AddValue(kClientType, document->GetClient()->GetName());
      client->AddValue(kClientObjectName, child->GetName());
    }
    child->Write(element);
  }
  return true;
}

bool ClientFolder::Read(oxt::FileElement* element) {
  if (!element) return false;
  EmitCreated();
  element->SetProperties(this);
  bool complete = true;
  for (oxt::FileElement* child : element->GetElementList()) {
    if (child->GetName() == kClient) {
      RecreateDocument(this, child);
    } else if (child->GetName() == kObject) {
      // After a "CLIENT" element this is the document just made, not a new
      // one (see oxt::FileElement::CreateObject).
      oxt::Object* object = child->CreateObject(this);
      if (!object || !object->Read(child)) complete = false;
    }
  }
  // Once more now that the children exist, so that the frame is laid out
  // with all its views.
  oxt::Property layout(kLayout, element->GetValue(kLayout));
  SetProperty(layout);
  return complete;
}

void ClientFolder::Activate(ClientObject*) { std::cout << "SHOULD NOT BE HERE" << std::endl; }

}  // namespace fwg
