#include "platform/oxt/CurrentObjects.h"

#include "platform/oxt/Object.h"

namespace oxt {

struct CurrentObjects::Internal {
  Object* current = nullptr;  // not owned; cleared by the object's destructor
};

CurrentObjects::CurrentObjects() : internal_(new Internal) {}

CurrentObjects::~CurrentObjects() { delete internal_; }

CurrentObjects* CurrentObjects::Get() {
  // Leaked: objects destroyed during static destruction still report here.
  static auto* instance = new CurrentObjects;
  return instance;
}

void CurrentObjects::SetCurrentObject(Object* object) { internal_->current = object; }

Object* CurrentObjects::GetCurrentObject() const { return internal_->current; }

Object* CurrentObjects::GetCurrentObject(const oxString& className) const {
  Object* object = internal_->current;
  if (className.empty()) return object;
  while (object && !object->IsA(className)) object = object->GetParent();
  return object;
}

void CurrentObjects::ObjectDestroyed(Object* object, Object* successor) {
  if (internal_->current == object) internal_->current = successor;
}

}  // namespace oxt
