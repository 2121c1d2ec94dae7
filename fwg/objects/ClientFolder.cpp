#include "fwg/objects/ClientFolder.h"

#include <cstdint>
#include <iostream>

#include "fwg/objects/Registration.h"
#include "platform/signals/oxSignal.h"

namespace fwg {

namespace {

const char kLayout[] = "Layout";

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

oxt::ClassInfo* ClientFolder::s_classInfo = ClientFolder::Register();

const char* ClientFolder::S_ClassName() { return "fwg::ClientFolder"; }

ClientFolder* ClientFolder::Cast(oxt::Object* object) {
  return dynamic_cast<ClientFolder*>(object);
}

ClientFolder* ClientFolder::GetCurrentObject() {
  return Cast(oxt::Object::GetCurrentObjectFromType(S_ClassName()));
}

oxt::Object* ClientFolder::_Ctor(oxt::Object* parent) { return new ClientFolder(parent, {}); }

oxt::ClassInfo* ClientFolder::GetClassInfo() { return s_classInfo; }

oxt::ClassInfo* ClientFolder::Register() {
  static bool s_registered = false;
  if (s_registered) return oxt::ClassInfo::GetClassInfo(S_ClassName());
  s_registered = true;
  return RegisterObjectClass(S_ClassName(), &ClientFolder::_Ctor, Folder::S_ClassName());
}

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

oxString ClientFolder::ClassName() const { return S_ClassName(); }

void ClientFolder::Activate(ClientObject*) { std::cout << "SHOULD NOT BE HERE" << std::endl; }

}  // namespace fwg
