#include "fwg/objects/Folder.h"

#include <algorithm>

#include "fwg/objects/Registration.h"

namespace fwg {

struct Folder::Internal {
  oxStlVector<oxString> types;
};

oxt::ClassInfo* Folder::s_classInfo = Folder::Register();

const char* Folder::S_ClassName() { return "fwg::Folder"; }

Folder* Folder::Cast(oxt::Object* object) { return dynamic_cast<Folder*>(object); }

Folder* Folder::GetCurrentObject() {
  return Cast(oxt::Object::GetCurrentObjectFromType(S_ClassName()));
}

oxt::Object* Folder::_Ctor(oxt::Object* parent) { return new Folder(parent, {}); }

oxt::ClassInfo* Folder::GetClassInfo() { return s_classInfo; }

oxt::ClassInfo* Folder::Register() {
  static bool s_registered = false;
  if (s_registered) return oxt::ClassInfo::GetClassInfo(S_ClassName());
  s_registered = true;
  return RegisterObjectClass(S_ClassName(), &Folder::_Ctor, oxt::Object::S_ClassName());
}

Folder::Folder(oxt::Object* parent, const oxString& name)
    : oxt::Object(parent, name), internal_(new Internal) {}

Folder::~Folder() { delete internal_; }

oxString Folder::ClassName() const { return S_ClassName(); }

const oxStlVector<oxString>& Folder::GetTypes() const { return internal_->types; }

bool Folder::HasType(const oxString& type) const {
  return std::find(internal_->types.begin(), internal_->types.end(), type) !=
         internal_->types.end();
}

void Folder::SetType(const oxString& type) { internal_->types.assign(1, type); }

void Folder::AddType(const oxString& type) { internal_->types.push_back(type); }

}  // namespace fwg
