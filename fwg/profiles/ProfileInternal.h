// Private state of a profile, shared by the library's profile sources.
// Not API: clients use Profile.h.
#pragma once

#include <QPointer>
#include <functional>

#include "fwg/profiles/Profile.h"
#include "platform/ui/uiMenuData.h"

class QObject;
class uiPopupMenu;
class uiToolBar;

namespace fwg {

class DockWindow;
class ProfileItem;
class ProfileManager;

struct Profile::Internal {
  Profile* owner = nullptr;
  oxString name;
  oxString baseName;
  oxString title;
  oxString pluginName;
  oxStlMap<oxString, Action*> actions;  // owned
  oxStlVector<oxString> resourcePaths;
  oxStlVector<oxString> includedProfiles;
  oxStlVector<oxString> otherProfiles;
  bool built = false;
  bool active = false;
  oxStlVector<ProfileItem*> items;  // owned, in recording order
  // The items a switch applies (those that need it), in recording order;
  // made again after items were recorded.
  oxStlVector<ProfileItem*> switching;
  bool switchingStale = true;
  // Open while the profile is in force: the menu entries its items added
  // stand behind it, so a switch shows and hides them all at once.
  uiMenuGate menuGate;
  oxStlVector<uiToolBar*> toolBars;  // made by this profile's items
  oxStlVector<uiPopupMenu*> contextMenus;  // made by this profile's items
  oxStlVector<uiWidget*> widgets;  // not owned
  // Owned; made by the first AddWidget. A widget deleted by its owner leaves
  // `widgets` through a connection that ends with this object.
  QObject* widgetGuard = nullptr;
  ActionGroup* dockToggleActions = nullptr;  // owned
  // Made by this profile's dock items, in creation order; owned. Guarded:
  // a main window deleted first takes its dock windows with it.
  oxStlVector<QPointer<DockWindow>> dockWindows;

  // Where an item of a declared profile was written ("file:line"), so that
  // a path finding nothing names the place. Empty for C++ profiles.
  std::function<oxString(const ProfileItem*)> describeItem;

  // Whoever lists the profile besides its manager (its client) drops it here.
  oxSignal1<void, Profile*> onDeleted;

  // Appends the item and, while the profile is active, puts it in force.
  void Record(ProfileItem* item);
};

// The library's way to a profile's private record (not API).
struct ProfileAccess {
  static Profile::Internal* Get(const Profile* profile) { return profile->internal_; }
};
inline Profile::Internal* GetInternal(const Profile* profile) {
  return ProfileAccess::Get(profile);
}

// The base chain as the profile manager resolves it, root first, the
// profile itself last: every chain-wide question (actions, resources,
// toolbars, docks, activation) walks this list. Bases the manager does not
// know end the chain; a chain that loops is cut where a name repeats, with
// one line on stderr.
oxStlVector<Profile*> GetBaseChainProfiles(const Profile* profile);
// True when the profile's chain ends at a base name no registered profile
// has; says so on one line, once per profile and name. A profile may be
// made before its base, so only putting it in force asks.
bool ReportMissingBase(const Profile* profile);
// Withdraws the profile's items and hides its widgets, as leaving it does.
void WithdrawProfile(Profile* profile);
// The chain still on screen, root first, whose profile was removed from
// the manager (or deleted) while active; the manager forgets it.
oxStlVector<Profile*> TakeStrandedChain(ProfileManager* manager);
// The dock windows of the profiles, in their order, each profile's in
// creation order; those its owner deleted are left out.
oxStlVector<DockWindow*> GetDockWindows(const oxStlVector<Profile*>& profiles);
// The dock windows of the chain's profiles, root first.
oxStlVector<DockWindow*> GetChainDockWindows(const Profile* profile);

}  // namespace fwg
