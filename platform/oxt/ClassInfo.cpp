#include "platform/oxt/ClassInfo.h"

#include <algorithm>
#include <set>

#include "platform/oxt/Object.h"

namespace oxt {

namespace {

// Name -> entries of that name, oldest first; the last one answers lookups.
// Leaked on purpose: entries may be destroyed during static destruction.
using Registry = oxStlMap<oxString, oxStlVector<ClassInfo*>>;

Registry& GetRawRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}

Object* CreatePlainObject(Object* parent) { return new Object(parent); }

// The entry of the root class is there from the first lookup on. It goes in
// front so that a class registered under the same name still wins.
Registry& GetRegistry() {
  static const bool seeded = [] {
    auto* info = new ClassInfo(Object::S_ClassName());
    info->SetConstructor(&CreatePlainObject);
    auto& entries = GetRawRegistry()[Object::S_ClassName()];
    entries.pop_back();
    entries.insert(entries.begin(), info);
    return true;
  }();
  (void)seeded;
  return GetRawRegistry();
}

}  // namespace

struct ClassInfo::Internal {
  oxString name;
  Constructor constructor = nullptr;
  oxStlVector<oxString> bases;
};

ClassInfo::ClassInfo(const oxString& name) : internal_(new Internal{name, nullptr, {}}) {
  GetRawRegistry()[name].push_back(this);
}

ClassInfo::~ClassInfo() {
  Registry& registry = GetRawRegistry();
  const auto it = registry.find(internal_->name);
  if (it != registry.end()) {
    std::erase(it->second, this);
    if (it->second.empty()) registry.erase(it);
  }
  delete internal_;
}

const oxString& ClassInfo::GetName() const { return internal_->name; }

void ClassInfo::SetConstructor(Constructor constructor) { internal_->constructor = constructor; }

Constructor ClassInfo::GetConstructor() const { return internal_->constructor; }

void ClassInfo::AddBase(const oxString& baseName) { internal_->bases.push_back(baseName); }

const oxStlVector<oxString>& ClassInfo::GetBases() const { return internal_->bases; }

bool ClassInfo::IsA(const oxString& className) const {
  // Breadth-first over base names; `seen` stops cycles and shared bases.
  std::set<oxString> seen{internal_->name};
  oxStlVector<const ClassInfo*> pending{this};
  if (internal_->name == className) return true;
  while (!pending.empty()) {
    const ClassInfo* info = pending.back();
    pending.pop_back();
    for (const oxString& base : info->internal_->bases) {
      if (base == className) return true;
      if (!seen.insert(base).second) continue;
      if (const ClassInfo* baseInfo = GetClassInfo(base)) pending.push_back(baseInfo);
    }
  }
  return false;
}

Object* ClassInfo::Create(Object* parent) const {
  return internal_->constructor ? internal_->constructor(parent) : nullptr;
}

ClassInfo* ClassInfo::GetClassInfo(const oxString& name) {
  const Registry& registry = GetRegistry();
  const auto it = registry.find(name);
  return it == registry.end() || it->second.empty() ? nullptr : it->second.back();
}

oxSignal1<void, ClassInfo*>& ClassInfo::OnClassInfoAdded() {
  static auto* signal = new oxSignal1<void, ClassInfo*>;
  return *signal;
}

}  // namespace oxt
