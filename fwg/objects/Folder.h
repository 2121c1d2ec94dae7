// A plain folder of the object tree. Its type list names the kinds of
// objects the folder is meant for; the library only sets it (a client
// folder names its own class) and leaves its meaning to clients and hosts.
#pragma once

#include "platform/oxt/Object.h"

namespace oxt {
class ClassInfo;
}

namespace fwg {

class Folder : public oxt::Object {
 public:
  static const char* S_ClassName();  // "fwg::Folder"
  // The object as a folder; null for null or an object of another class.
  static Folder* Cast(oxt::Object* object);
  // The current object or its nearest folder ancestor; null if none.
  static Folder* GetCurrentObject();
  // Constructor function of the class registry: an unnamed folder.
  static oxt::Object* _Ctor(oxt::Object* parent);
  static oxt::ClassInfo* GetClassInfo();
  // Enters the class in the registry once; later calls return the entry.
  static oxt::ClassInfo* Register();
  // Set when the library is loaded.
  static oxt::ClassInfo* s_classInfo;

  // Appended to `parent`'s children (if any); the type list is empty.
  Folder(oxt::Object* parent, const oxString& name);
  ~Folder() override;

  oxString ClassName() const override;

  const oxStlVector<oxString>& GetTypes() const;
  bool HasType(const oxString& type) const;
  // The list becomes this one type.
  void SetType(const oxString& type);
  // Appends, duplicates included.
  void AddType(const oxString& type);

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
