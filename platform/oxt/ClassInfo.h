// The class registry of the object model: an entry per class name with the
// function that makes an object of the class and the names of its bases.
// Objects are created by class name through it when a session is read.
#pragma once

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

namespace oxt {

class Object;

// Makes a new object of one class below `parent` (which may be null).
using Constructor = Object* (*)(Object* parent);

class ClassInfo {
 public:
  // Enters itself in the process-wide registry; a later entry of the same
  // name takes over the lookup until it is destroyed. Entries normally live
  // for the whole process.
  explicit ClassInfo(const oxString& name);
  ~ClassInfo();
  ClassInfo(const ClassInfo&) = delete;
  ClassInfo& operator=(const ClassInfo&) = delete;

  const oxString& GetName() const;

  void SetConstructor(Constructor constructor);
  Constructor GetConstructor() const;

  // Bases are named, not linked: a base may be registered after the class.
  void AddBase(const oxString& baseName);
  const oxStlVector<oxString>& GetBases() const;

  // True for the class itself and for every base reached through the
  // registry, however deep; a cycle among bases ends the walk.
  bool IsA(const oxString& className) const;

  // A new object of the class below `parent`; null without a constructor.
  Object* Create(Object* parent) const;

  // The current entry of that name, or null. The entry of "oxt::Object"
  // is always there.
  static ClassInfo* GetClassInfo(const oxString& name);

  // Emitted by whoever registers a class, once its entry is complete.
  static oxSignal1<void, ClassInfo*>& OnClassInfoAdded();

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace oxt
