// Small registered classes for the object-model tests: a folder, a project
// that is a folder by its registered base, and a document.
#pragma once

#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/Object.h"

namespace oxttest {

template <const char* kName, class Base = oxt::Object>
class Registered : public Base {
 public:
  explicit Registered(oxt::Object* parent = nullptr, const oxString& name = {}) : Base(parent, name) {}
  oxString ClassName() const override { return kName; }
};

inline constexpr char kFolder[] = "test::Folder";
inline constexpr char kProject[] = "test::Project";
inline constexpr char kDoc[] = "test::Doc";
using Folder = Registered<kFolder>;
using Project = Registered<kProject, Folder>;
using Doc = Registered<kDoc>;

// Registers the three classes once (bases by name, as a library would at
// load time; the project's base before the folder class exists). Safe to
// call from every test.
inline void RegisterTestClasses() {
  static const bool registered = [] {
    auto add = [](const char* name, oxt::Constructor constructor, const char* base) {
      auto* info = new oxt::ClassInfo(name);
      info->SetConstructor(constructor);
      info->AddBase(base);
      oxt::ClassInfo::OnClassInfoAdded().Emit(info);
    };
    add(kProject, [](oxt::Object* parent) -> oxt::Object* { return new Project(parent); }, kFolder);
    add(kFolder, [](oxt::Object* parent) -> oxt::Object* { return new Folder(parent); }, oxt::Object::S_ClassName());
    add(kDoc, [](oxt::Object* parent) -> oxt::Object* { return new Doc(parent); }, oxt::Object::S_ClassName());
    return true;
  }();
  (void)registered;
}

// One line per object, indented by depth: class, name and every property
// but "Name" with its type, so two trees compare as text.
inline void DumpTree(oxt::Object* object, int depth, oxString& out) {
  out += oxString(depth * 2, ' ') + object->ClassName() + " '" + object->GetName() + "'";
  for (const oxString& name : object->GetPropertyNames()) {
    if (name == "Name") continue;
    const oxt::Variant v = object->oxt::Object::GetProperty(name).GetValue();
    out += " " + name + "=" + oxVariant::TypeName(v.GetType()) + ":" + v.GetString();
  }
  out += "\n";
  for (oxt::Object* child : object->GetChildren()) DumpTree(child, depth + 1, out);
}

inline oxString DumpTree(oxt::Object* object) {
  oxString out;
  DumpTree(object, 0, out);
  return out;
}

}  // namespace oxttest
