// Registry of the process's profiles and holder of the active one. The
// application object makes one and deletes it; everything else reaches it
// through Get().
#pragma once

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

namespace fwg {

class Profile;
struct ShortcutConflict;

class ProfileManager {
 public:
  // The application object's profile manager.
  static ProfileManager* Get();

  ProfileManager();
  // Deletes the profiles still registered.
  ~ProfileManager();
  ProfileManager(const ProfileManager&) = delete;
  ProfileManager& operator=(const ProfileManager&) = delete;

  // In registration order; the manager owns what is still listed when it
  // is destroyed.
  oxStlVector<Profile*>& GetProfileList();
  // Appends the profile; no check for null or for a second entry.
  void AddProfile(Profile* profile);
  // Takes every entry of the profile out (the profile is not deleted) and
  // forgets it as the active profile. Its chain stays on screen until the
  // next switch, which leaves it as it leaves an active one.
  void RemoveProfile(Profile* profile);
  // The first registered profile of that name, or null.
  Profile* GetProfile(const oxString& name) const;

  // Profile::Activate() of the profile, or of the first of that name;
  // nothing for null or an unknown name.
  void Activate(Profile* profile);
  void Activate(const oxString& name);

  // Only records the profile; activation does the showing and hiding.
  void SetActiveProfile(Profile* profile);
  Profile* GetActiveProfile() const;

  // Emitted by SetActiveProfile when the active profile changes, with the
  // profile before and the profile after. A switch forgets the old profile
  // before it withdraws anything and records the new one once its chain is
  // in force, so it emits (old, null) with the old chain still on screen,
  // then (null, new) with the new one: the moments to save and restore a
  // window layout. Removing the active profile emits nothing.
  oxiSignal2<void, Profile*, Profile*>& OnActiveProfileChanged();
  // Emitted when another profile, not null, becomes the active one: the
  // last step of every switch, once the new chain is in force.
  oxiSignal1<void, Profile*>& OnProfileActivated();
  // Pairs of actions of the main window holding the same key now (see
  // ShortcutConflicts.h).
  oxStlVector<ShortcutConflict> GetShortcutConflicts() const;

 private:
  friend oxStlVector<Profile*> TakeStrandedChain(ProfileManager* manager);
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
