#include "fwg/profiles/ProfileManager.h"

#include <algorithm>

#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ShortcutConflicts.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Director.h"

namespace fwg {

namespace {

// The manager of the application object being torn down. The application
// object leaves the framework core before it deletes its managers, and the
// profiles deleted then still leave their manager through Get(): they must
// find this one rather than make a new application object.
ProfileManager* g_live = nullptr;

}  // namespace

struct ProfileManager::Internal {
  Profile* active = nullptr;
  oxStlVector<Profile*> profiles;
  oxiSignal1<void, Profile*> onProfileActivated;
  ShortcutMonitor* shortcuts = nullptr;  // owned
};

ProfileManager* ProfileManager::Get() {
  if (g_live && !fwc::Director::Get()->GetGui()) return g_live;
  return Gui::Instance()->GetProfileManager();
}

ProfileManager::ProfileManager() : internal_(new Internal) {
  if (!g_live) g_live = this;
  internal_->shortcuts = new ShortcutMonitor(this);
}

// Each profile's destructor takes it out of the list. An entry that is
// still first after its deletion (its profile left another manager) is
// dropped here, so that the loop always ends and deletes nothing twice.
ProfileManager::~ProfileManager() {
  oxStlVector<Profile*>& profiles = internal_->profiles;
  while (!profiles.empty()) {
    Profile* first = profiles.front();
    if (first) delete first;
    if (!profiles.empty() && profiles.front() == first) {
      profiles.erase(std::remove(profiles.begin(), profiles.end(), first), profiles.end());
    }
  }
  internal_->active = nullptr;
  delete internal_->shortcuts;
  delete internal_;
  if (g_live == this) g_live = nullptr;
}

oxStlVector<Profile*>& ProfileManager::GetProfileList() { return internal_->profiles; }

void ProfileManager::AddProfile(Profile* profile) { internal_->profiles.push_back(profile); }

void ProfileManager::RemoveProfile(Profile* profile) {
  oxStlVector<Profile*>& profiles = internal_->profiles;
  profiles.erase(std::remove(profiles.begin(), profiles.end(), profile), profiles.end());
  if (internal_->active == profile) internal_->active = nullptr;
}

Profile* ProfileManager::GetProfile(const oxString& name) const {
  for (Profile* profile : internal_->profiles) {
    if (profile && profile->GetName() == name) return profile;
  }
  return nullptr;
}

void ProfileManager::Activate(Profile* profile) {
  if (profile) profile->Activate();
}

void ProfileManager::Activate(const oxString& name) { Activate(GetProfile(name)); }

void ProfileManager::SetActiveProfile(Profile* profile) {
  const bool changed = profile && profile != internal_->active;
  internal_->active = profile;
  if (changed) internal_->onProfileActivated.Emit(profile);
}

oxiSignal1<void, Profile*>& ProfileManager::OnProfileActivated() {
  return internal_->onProfileActivated;
}
Profile* ProfileManager::GetActiveProfile() const { return internal_->active; }

}  // namespace fwg
