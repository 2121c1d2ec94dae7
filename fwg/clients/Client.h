// A client: one application module plugged into the framework.
#pragma once

#include "platform/core/oxTypes.h"

namespace fwg {

class Client {
 public:
  explicit Client(const oxString& name);
  virtual ~Client();
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  // Creates the client's first document.
  virtual void New();

  oxString GetName() const;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
