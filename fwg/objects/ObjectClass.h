// The class protocol of the framework's object-tree classes: the statics
// through which the object model's class registry, casts and the
// current-object lookup reach a class. A class declares it with
// FWG_OBJECT(Class) in its body and defines it with FWG_DEFINE_OBJECT in
// its source file.
#pragma once

#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/Object.h"

// S_ClassName()       the registered name, "fwg::Folder" say.
// Cast(object)        the object as this class; null for null or an object
//                     of another class.
// GetCurrentObject()  the current object or its nearest ancestor of this
//                     class; null if none.
// _Ctor(parent)       constructor function of the class registry: an
//                     unnamed object appended to `parent`'s children.
// Register()          enters the class in the registry once; later calls
//                     return the entry, as GetClassInfo() does.
// s_classInfo         set when the library is loaded.
// ClassName()         S_ClassName() for objects of this very class.
#define FWG_OBJECT(Class)                           \
 public:                                            \
  static const char* S_ClassName();                 \
  static Class* Cast(oxt::Object* object);          \
  static Class* GetCurrentObject();                 \
  static oxt::Object* _Ctor(oxt::Object* parent);   \
  static oxt::ClassInfo* GetClassInfo();            \
  static oxt::ClassInfo* Register();                \
  static oxt::ClassInfo* s_classInfo;               \
  oxString ClassName() const override;              \
                                                    \
 private:

// Inside the class's namespace: `name` is the registered name and `Base`
// the class it derives from. _Ctor makes Class(parent, {}, ...) with the
// further constructor arguments given after `Base`.
#define FWG_DEFINE_OBJECT(Class, name, Base, ...)                                              \
  const char* Class::S_ClassName() { return name; }                                            \
  Class* Class::Cast(oxt::Object* object) { return dynamic_cast<Class*>(object); }             \
  Class* Class::GetCurrentObject() {                                                           \
    return Cast(oxt::Object::GetCurrentObjectFromType(S_ClassName()));                         \
  }                                                                                            \
  oxt::Object* Class::_Ctor(oxt::Object* parent) {                                             \
    return new Class(parent, {} __VA_OPT__(, ) __VA_ARGS__);                                   \
  }                                                                                            \
  oxt::ClassInfo* Class::GetClassInfo() { return s_classInfo; }                                \
  oxt::ClassInfo* Class::Register() {                                                          \
    static bool s_registered = false;                                                          \
    if (s_registered) return oxt::ClassInfo::GetClassInfo(S_ClassName());                      \
    s_registered = true;                                                                       \
    return ::fwg::RegisterObjectClass(S_ClassName(), &Class::_Ctor, Base::S_ClassName());      \
  }                                                                                            \
  oxString Class::ClassName() const { return S_ClassName(); }                                  \
  oxt::ClassInfo* Class::s_classInfo = Class::Register()

namespace fwg {

// A new registry entry for `className` with its constructor function and
// its base, announced through OnClassInfoAdded. The entry lives for the
// whole process. Callers make sure each class comes here once.
inline oxt::ClassInfo* RegisterObjectClass(const char* className, oxt::Constructor constructor,
                                           const char* baseName) {
  auto* info = new oxt::ClassInfo(className);
  info->SetConstructor(constructor);
  info->AddBase(baseName);
  oxt::ClassInfo::OnClassInfoAdded().Emit(info);
  return info;
}

}  // namespace fwg
