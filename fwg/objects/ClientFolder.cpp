#include "fwg/objects/ClientFolder.h"

#include <cstdint>
#include <iostream>

#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "platform/core/oxDiagnostic.h"
#include "fwg/objects/ObjectClass.h"
#include "fwg/objects/SessionReading.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/FileElement.h"
#include "platform/signals/oxSignal.h"
#include "platform/ui/uiLayoutFrameEx.h"

static_assert(int(fwg::ClientFolder::Full) == uiLayoutFrameEx::Full &&
              int(fwg::ClientFolder::TwoHorizontal) == uiLayoutFrameEx::TwoHorizontal &&
              int(fwg::ClientFolder::ThreeByTwo) == uiLayoutFrameEx::ThreeByTwo,
              "the named layouts are the layout frame's");

namespace fwg {

namespace {

const char kLayout[] = "Layout";
// Where the user dragged the borders between the panes (see
// uiLayoutFrameEx::GetPaneEdges): an attribute, since a drag is no work to
// save, and written to the session by its plain name.
const char kPaneSizes[] = "@PaneSizes";
const char kPaneSizesValue[] = "PaneSizes";
const char kClient[] = "CLIENT";
const char kObject[] = "OBJECT";
const char kClientType[] = "type";
const char kClientObjectName[] = "name";

bool IsPersistable(oxt::Object* object) {
  oxt::Property persistable("@Persistable");
  return !object->GetProperty(persistable) || persistable.GetValue().GetBoolean();
}

// Has the named client make a document under `folder` (the current object
// while the client's New() runs) and returns it, for the element that
// follows to be read into. Null lets the object model make the document,
// without a client: the client is unknown, or its New() made none here.
ClientObject* RecreateDocument(ClientFolder* folder, const oxt::FileElement* element,
                               SessionReading& reading) {
  oxt::CurrentObjects::Get()->SetCurrentObject(folder);
  const oxString type = element->GetValue(kClientType).GetString();
  const oxString name = element->GetValue(kClientObjectName).GetString();
  ClientManager* manager = ClientManager::Get();
  Client* client = manager ? manager->GetClient(type) : nullptr;
  if (!client) {
    reading.Report("client " + type,
                   "no client named '" + type + "'; its documents are read without it");
    return nullptr;
  }
  const size_t before = folder->GetChildren().size();
  ClientObject* made = client->CreateClientObject(name);
  const oxStlVector<oxt::Object*>& children = folder->GetChildren();
  ClientObject* newest =
      children.size() == before + 1 ? ClientObject::Cast(children.back()) : nullptr;
  if (made && made == newest) return made;
  // Whatever is current now is not the new document, and reading the
  // element into a document of its own would make a second one.
  reading.Report("new " + type, "the client '" + type +
                                    "' left no new document current after New(); its "
                                    "documents are read without it where it made none");
  if (newest && !name.empty()) {
    oxt::Property p("Name", oxt::Variant(name));
    newest->SetProperty(p);
  }
  return newest;
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
  oxString paneSizes;  // empty while even
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
  if (name == kPaneSizes) {
    p.SetValue(internal_->paneSizes);
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
  if (p.GetName() == kPaneSizes || p.GetName() == kPaneSizesValue) {
    internal_->paneSizes = p.GetValue().GetString();
    oxt::Property sizes(kPaneSizes, internal_->paneSizes);
    EmitModified(sizes);
    return true;
  }
  if (p.GetName() != kLayout) return Folder::SetProperty(p);
  internal_->layout = p.GetValue().GetInteger();
  // A layout chosen starts with even panes.
  internal_->paneSizes.clear();
  EmitModified(p);
  return true;
}

bool ClientFolder::Write(oxt::FileElement* parent) {
  if (!parent) return false;
  oxt::FileElement* element = parent->AddObject(this);
  element->AddProperties(this);
  if (!internal_->paneSizes.empty()) element->AddValue(kPaneSizesValue, internal_->paneSizes);
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
  SessionReading own({});
  SessionReading* reading = SessionReading::Get();
  EmitCreated();
  element->SetProperties(this);
  bool complete = true;
  ClientObject* made = nullptr;  // by the client of the "CLIENT" element just read
  for (oxt::FileElement* child : element->GetElementList()) {
    if (child->GetName() == kClient) {
      made = RecreateDocument(this, child, *reading);
      continue;
    }
    if (child->GetName() == kObject) {
      oxt::Object* object = made ? made : child->CreateObject(this);
      if (!object || !object->Read(child)) complete = false;
    }
    made = nullptr;
  }
  // Once more now that the children exist, so that the frame is laid out
  // with all its views, and then the borders the user dragged.
  const oxString paneSizes = internal_->paneSizes;
  oxt::Property layout(kLayout, element->GetValue(kLayout));
  SetProperty(layout);
  if (!paneSizes.empty()) {
    oxt::Property sizes(kPaneSizes, paneSizes);
    SetProperty(sizes);
  }
  return complete;
}

void ClientFolder::Activate(ClientObject*) { std::cout << "SHOULD NOT BE HERE" << std::endl; }

}  // namespace fwg
