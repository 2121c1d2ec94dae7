// What the user keeps per profile (keys, toolbars) in the application's
// settings: a section below `root` ("/User/Shortcuts") named after the
// profile, its name escaped so that any name (slashes and all) reads back.
// For the library's own sources only.
#pragma once

#include "platform/fwc/Director.h"
#include "platform/settings/oxSettings.h"
#include "platform/settings/oxSettingsText.h"

namespace fwg::UserSettings {

inline oxSettings* GetRoot(const char* root, bool create) {
  oxSettings* settings = fwc::Director::Get()->GetSettings();
  return settings ? settings->GetSection(root, create, true) : nullptr;
}

inline oxSettings* GetProfileSection(const char* root, const oxString& profile, bool create) {
  oxSettings* section = GetRoot(root, create);
  return section ? section->GetSection(oxSettings::ToSectionName(profile), create, false) : nullptr;
}

// Writes what changed to the settings file. False, with the system's
// reason in `error`, when it could not be written; the change stays in
// force and pending, for the next write that works.
inline bool Store(oxString* error = nullptr) {
  oxSettings* settings = fwc::Director::Get()->GetSettings();
  return !settings || settings->Sync(error);
}

// Whether the settings can keep a key of that name for the profile: both
// names within the length the settings take.
inline bool CanKeep(const oxString& profile, const oxString& key) {
  return oxSettings::ToSectionName(profile).size() <= oxSettingsText::kMaxNameSize &&
         key.size() <= oxSettingsText::kMaxNameSize && !key.empty();
}

}  // namespace fwg::UserSettings
