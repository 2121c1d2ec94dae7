#include "tests/platform/oxt/TestClasses.h"

#include "platform/oxt/ClassInfo.h"

namespace oxttest {

namespace {

template <class T>
oxt::Object* Make(oxt::Object* parent) {
  return new T(parent);
}

void Register(const char* name, oxt::Constructor constructor, const char* base) {
  auto* info = new oxt::ClassInfo(name);
  info->SetConstructor(constructor);
  info->AddBase(base);
  oxt::ClassInfo::OnClassInfoAdded().Emit(info);
}

void Dump(oxt::Object* object, int depth, oxString& out) {
  out += oxString(depth * 2, ' ') + object->ClassName() + " '" + object->GetName() + "'";
  for (const oxString& name : object->GetPropertyNames()) {
    if (name == "Name") continue;
    const oxt::Variant v = object->oxt::Object::GetProperty(name).GetValue();
    out += " " + name + "=" + oxVariant::TypeName(v.GetType()) + ":" + v.GetString();
  }
  out += "\n";
  for (oxt::Object* child : object->GetChildren()) Dump(child, depth + 1, out);
}

}  // namespace

void RegisterTestClasses() {
  static const bool registered = [] {
    // The project's base is named before the folder class exists.
    Register("test::Project", &Make<Project>, "test::Folder");
    Register("test::Folder", &Make<Folder>, oxt::Object::S_ClassName());
    Register("test::Doc", &Make<Doc>, oxt::Object::S_ClassName());
    return true;
  }();
  (void)registered;
}

oxString DumpTree(oxt::Object* object) {
  oxString out;
  Dump(object, 0, out);
  return out;
}

}  // namespace oxttest
