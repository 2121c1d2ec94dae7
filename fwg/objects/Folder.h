// A plain folder of the object tree. Its type list names the kinds of
// objects the folder is meant for; the library only sets it (a client
// folder names its own class) and leaves its meaning to clients and hosts.
#pragma once

#include "fwg/objects/ObjectClass.h"

namespace fwg {

class Folder : public oxt::Object {
  FWG_OBJECT(Folder)

 public:
  // Appended to `parent`'s children (if any); the type list is empty.
  Folder(oxt::Object* parent, const oxString& name);
  ~Folder() override;

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
