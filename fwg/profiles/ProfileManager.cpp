#include "fwg/profiles/ProfileManager.h"

#include <algorithm>

#include "fwg/profiles/Profile.h"
#include "fwg/Parts.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ShortcutConflicts.h"

namespace fwg {

struct ProfileManager::Internal : oxListener<single_threaded> {
  Profile* active = nullptr;
  oxStlVector<Profile*> profiles;
  oxiSignal2<void, Profile*, Profile*> onActiveProfileChanged;
  oxiSignal1<void, Profile*> onProfileActivated;
  ShortcutMonitor* shortcuts = nullptr;  // owned
  // The chain still on screen after its profile was removed while active,
  // root first: the next switch leaves it as it leaves the active chain.
  oxStlVector<Profile*> stranded;

  void Strand(oxStlVector<Profile*> chain) {
    for (Profile* profile : stranded) GetInternal(profile)->onDeleted.Disconnect(this, &Internal::HandleDeleted);
    stranded = std::move(chain);
    for (Profile* profile : stranded) GetInternal(profile)->onDeleted.Connect(this, &Internal::HandleDeleted);
  }
  // A deleted profile takes its own entries off the screen.
  void HandleDeleted(Profile* profile) { std::erase(stranded, profile); }
};

ProfileManager* ProfileManager::Get() { return GetParts().profileManager; }

ProfileManager::ProfileManager() : internal_(new Internal) {
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
}

oxStlVector<Profile*>& ProfileManager::GetProfileList() { return internal_->profiles; }

void ProfileManager::AddProfile(Profile* profile) { internal_->profiles.push_back(profile); }

void ProfileManager::RemoveProfile(Profile* profile) {
  oxStlVector<Profile*>& profiles = internal_->profiles;
  // Resolved while the profile is still registered: its own name is part
  // of it.
  if (internal_->active == profile && profile) internal_->Strand(GetBaseChainProfiles(profile));
  profiles.erase(std::remove(profiles.begin(), profiles.end(), profile), profiles.end());
  if (internal_->active == profile) internal_->active = nullptr;
}

oxStlVector<Profile*> TakeStrandedChain(ProfileManager* manager) {
  ProfileManager::Internal* d = manager->internal_;
  oxStlVector<Profile*> chain = d->stranded;
  d->Strand({});
  std::erase_if(chain, [](const Profile* profile) { return !profile->IsActive(); });
  return chain;
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
  Profile* previous = internal_->active;
  if (previous == profile) return;
  internal_->active = profile;
  internal_->onActiveProfileChanged.Emit(previous, profile);
  if (profile) internal_->onProfileActivated.Emit(profile);
}

oxiSignal2<void, Profile*, Profile*>& ProfileManager::OnActiveProfileChanged() {
  return internal_->onActiveProfileChanged;
}

oxiSignal1<void, Profile*>& ProfileManager::OnProfileActivated() {
  return internal_->onProfileActivated;
}
Profile* ProfileManager::GetActiveProfile() const { return internal_->active; }

}  // namespace fwg
