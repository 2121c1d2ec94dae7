// Entering the framework's object-tree classes in the object model's class
// registry. Not part of the library's interface.
#pragma once

#include "platform/oxt/ClassInfo.h"

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
