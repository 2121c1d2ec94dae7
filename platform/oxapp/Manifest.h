// The [manifest] keys of a plug-in description, as a settings store.
#pragma once

#include <memory>

#include "platform/settings/oxSettings.h"

namespace oxapp {

class Manifest {
 public:
  Manifest();
  // Takes ownership of the keys; null for a description without manifest keys.
  explicit Manifest(std::unique_ptr<oxSettings> contents);
  ~Manifest();
  Manifest(const Manifest&) = delete;
  Manifest& operator=(const Manifest&) = delete;

  // Owned by the manifest; null when the description had no manifest keys.
  oxSettings* GetContents() const;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace oxapp
