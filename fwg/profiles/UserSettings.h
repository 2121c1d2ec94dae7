// What the user keeps per profile (keys, toolbars) in the application's
// settings: a section below `root` ("/User/Shortcuts") named after the
// profile, its name escaped so that any name (slashes and all) reads back.
// For the library's own sources only.
#pragma once

#include "platform/fwc/Director.h"
#include "platform/settings/oxSettings.h"

namespace fwg::UserSettings {

inline oxSettings* GetRoot(const char* root, bool create) {
  oxSettings* settings = fwc::Director::Get()->GetSettings();
  return settings ? settings->GetSection(root, create, true) : nullptr;
}

inline oxSettings* GetProfileSection(const char* root, const oxString& profile, bool create) {
  oxSettings* section = GetRoot(root, create);
  return section ? section->GetSection(oxSettings::ToSectionName(profile), create, false) : nullptr;
}

// Writes what changed to the settings file.
inline void Store() {
  if (oxSettings* settings = fwc::Director::Get()->GetSettings()) settings->Sync();
}

}  // namespace fwg::UserSettings
