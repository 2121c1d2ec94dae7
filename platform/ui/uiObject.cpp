#include "platform/ui/uiObject.h"

oxStlVector<uiObject*> uiObject::Children() const {
  oxStlVector<uiObject*> result;
  for (QObject* child : GetImpl()->children()) {
    if (auto* ui = dynamic_cast<uiObject*>(child)) result.push_back(ui);
  }
  return result;
}
