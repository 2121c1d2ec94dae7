#include "fwg/objects/Folder.h"

#include <algorithm>


namespace fwg {

struct Folder::Internal {
  oxStlVector<oxString> types;
};

FWG_DEFINE_OBJECT(Folder, "fwg::Folder", oxt::Object);

Folder::Folder(oxt::Object* parent, const oxString& name)
    : oxt::Object(parent, name), internal_(new Internal) {}

Folder::~Folder() { delete internal_; }

const oxStlVector<oxString>& Folder::GetTypes() const { return internal_->types; }

bool Folder::HasType(const oxString& type) const {
  return std::find(internal_->types.begin(), internal_->types.end(), type) !=
         internal_->types.end();
}

void Folder::SetType(const oxString& type) { internal_->types.assign(1, type); }

void Folder::AddType(const oxString& type) { internal_->types.push_back(type); }

}  // namespace fwg
