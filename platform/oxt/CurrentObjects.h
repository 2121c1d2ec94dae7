// The one current object of the process (usually the active document);
// the current object of a class is found by walking up from it.
#pragma once

#include "platform/core/oxTypes.h"

namespace oxt {

class Object;

class CurrentObjects {
 public:
  static CurrentObjects* Get();

  CurrentObjects(const CurrentObjects&) = delete;
  CurrentObjects& operator=(const CurrentObjects&) = delete;

  // Not owned. When it is destroyed its parent takes over (null if it has
  // none or the parent is being destroyed too).
  void SetCurrentObject(Object* object);
  Object* GetCurrentObject() const;
  // The current object or its nearest ancestor that IsA(className); null
  // if none.
  Object* GetCurrentObject(const oxString& className) const;

 private:
  friend class Object;
  CurrentObjects();
  ~CurrentObjects();
  void ObjectDestroyed(Object* object, Object* successor);

  struct Internal;
  Internal* internal_;
};

}  // namespace oxt
