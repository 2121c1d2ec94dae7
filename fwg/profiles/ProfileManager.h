// Registry of the process's profiles and holder of the active one.
#pragma once

#include "platform/core/oxTypes.h"

namespace fwg {

class Profile;

class ProfileManager {
 public:
  // The application object's profile manager.
  static ProfileManager* Get();

  ProfileManager();
  ~ProfileManager();
  ProfileManager(const ProfileManager&) = delete;
  ProfileManager& operator=(const ProfileManager&) = delete;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
