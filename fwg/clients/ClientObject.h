// A document: a typed object in the object tree that belongs to a client.
//
// ### Only the object-model part so far: the owning client, the layout
// frame, the profile and activation come with the document work. The client
// manager and clients already rely on what is here: the class name by which
// the current document is found, and the "@Font" display attribute that the
// client manager switches between "normal" and "bold".
#pragma once

#include "platform/oxt/Object.h"

namespace fwg {

class ClientObject : public oxt::Object {
 public:
  static const char* S_ClassName();  // "fwg::ClientObject"

  // Appended to `parent`'s children with "@Font" "normal"; EmitCreated()
  // runs first when `emitCreated` is set.
  ClientObject(oxt::Object* parent, const oxString& name, bool emitCreated);
  // Stops being the client manager's active client object.
  ~ClientObject() override;

  oxString ClassName() const override;
};

}  // namespace fwg
