#include "fwg/profiles/Profile.h"

#include "fwg/Parts.h"

#include <QObject>
#include <algorithm>
#include <set>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/DockWindow.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileItem.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/SettingsPage.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/fwc/PluginDescription.h"
#include "platform/fwc/PluginManager.h"
#include "platform/oxapp/Application.h"
#include "platform/vos/vosFile.h"
#include "platform/script/oxScriptEngine.h"

namespace fwg {

namespace {

// A loop is reported once per profile and repeated name: chains are walked
// on every lookup, and one line says all there is to say.
void ReportLoop(const oxString& profileName, const oxString& repeated) {
  static std::set<std::pair<oxString, oxString>> reported;
  if (!reported.insert({profileName, repeated}).second) return;
  oxWarn("the base chain of profile '", profileName, "' comes back to '", repeated,
         "'; it is cut there");
}

}  // namespace

// One walk through the manager: the profile as the manager knows it by its
// name (an unregistered profile is not part of its own chain), then each
// base the manager knows, cut where a name comes back.
oxStlVector<Profile*> GetBaseChainProfiles(const Profile* profile) {
  oxStlVector<Profile*> chain;
  if (!profile) return chain;
  ProfileManager* manager = ProfileManager::Get();
  if (Profile* self = manager->GetProfile(profile->GetName())) chain.push_back(self);
  oxStlVector<oxString> names{profile->GetName()};
  for (const Profile* current = profile;;) {
    const oxString baseName = current->GetBaseName();
    Profile* base = baseName.empty() ? nullptr : manager->GetProfile(baseName);
    if (!base) break;
    if (std::find(names.begin(), names.end(), baseName) != names.end()) {
      ReportLoop(profile->GetName(), baseName);
      break;
    }
    names.push_back(baseName);
    chain.push_back(base);
    current = base;
  }
  std::reverse(chain.begin(), chain.end());
  return chain;
}

bool ReportMissingBase(const Profile* profile) {
  if (!profile) return false;
  const oxStlVector<Profile*> chain = GetBaseChainProfiles(profile);
  const oxString missing = (chain.empty() ? profile : chain.front())->GetBaseName();
  // A chain that loops ends at a base that is there.
  if (missing.empty() || ProfileManager::Get()->GetProfile(missing)) return false;
  static std::set<std::pair<oxString, oxString>> reported;
  if (reported.insert({profile->GetName(), missing}).second) {
    oxWarn("profile '", profile->GetName(), "' is built on '", missing,
           "', which no loaded plug-in provides: its menus and actions are missing");
  }
  return true;
}

void Profile::Internal::Record(ProfileItem* item) {
  items.push_back(item);
  switchingStale = true;
  if (active) item->Apply(true);
}

Profile::Profile(const oxString& name, const oxString& baseName, const oxString& pluginName,
                 bool addToManager)
    : internal_(new Internal) {
  internal_->owner = this;
  internal_->name = name;
  internal_->baseName = baseName;
  internal_->pluginName = pluginName;

  if (!pluginName.empty()) {
    if (const fwc::PluginDescription* description =
            fwc::PluginManager::Get()->GetPluginDescription(pluginName)) {
      for (const oxString& folder : description->GetResourceFolders()) {
        internal_->resourcePaths.push_back(description->GetBaseFolder() + "/" + folder);
      }
    }
  }
  AddProfile(baseName, true);
  if (addToManager && !name.empty()) ProfileManager::Get()->AddProfile(this);
}

// The toolbars and context menus the items made are children of the main
// window and stay there; widgets given to AddWidget stay their owner's.
Profile::~Profile() {
  SettingsPages::RemoveOwnedBy(this);  // the pages it added
  // A profile may outlive the application object, and with it its manager.
  const Parts* parts = FindParts();
  if (parts && parts->profileManager) parts->profileManager->RemoveProfile(this);
  internal_->onDeleted(this);
  // Deleted while in force: its entries leave the screen with it.
  if (internal_->active && parts && parts->mainWindow) WithdrawProfile(this);
  for (ProfileItem* item : internal_->items) delete item;
  // A dock window takes its entries and their toggle actions along; those
  // leave the toolkit toggle group as they go, and the group deleted below
  // never touches its members.
  for (const QPointer<DockWindow>& window : internal_->dockWindows) delete window.data();
  delete internal_->widgetGuard;
  delete internal_->dockToggleActions;
  for (auto& entry : internal_->actions) delete entry.second;
  delete internal_;
}

oxString Profile::GetName() const { return internal_->name; }
oxString Profile::GetBaseName() const { return internal_->baseName; }
oxString Profile::GetPluginName() const { return internal_->pluginName; }
void Profile::SetTitle(const oxString& title) { internal_->title = title; }

oxString Profile::GetTitle() const {
  return internal_->title.empty() ? internal_->name : internal_->title;
}

oxStlVector<oxString>& Profile::GetResourcePaths() { return internal_->resourcePaths; }
void Profile::AddResourcePath(const oxString& path) { internal_->resourcePaths.push_back(path); }

oxString Profile::GetResource(const oxString& fileName) const {
  oxStlVector<Profile*> chain = GetBaseChainProfiles(this);
  std::reverse(chain.begin(), chain.end());
  for (const Profile* profile : chain) {
    for (const oxString& folder : profile->internal_->resourcePaths) {
      const oxString candidate = folder + "/" + fileName;
      if (vosFile::Exists(candidate)) return candidate;
    }
  }
  return {};
}

// The application's translate function installs the translation file of
// its first argument and translates within it, taking (context, source,
// comment). The profile's name goes first, so that the profile's own file
// (<resources>/<profile name>/translations_<locale>.qm) is the one asked,
// with messages kept under the profile's name; the caller's context
// becomes the disambiguating comment. The translator falls back to the
// message without a comment, so a file need only spell the context out
// where the same text is translated differently.
oxString Profile::tr(const oxString& context, const oxString& text) const {
  return oxapp::Application::Get()->TranslateMessage(GetName(), text, context);
}

void Profile::AddProfile(const oxString& name, bool flag) {
  if (name.empty()) return;
  (flag ? internal_->includedProfiles : internal_->otherProfiles).push_back(name);
}

const oxStlVector<oxString>& Profile::GetIncludedProfiles() const {
  return internal_->includedProfiles;
}

const oxStlVector<oxString>& Profile::GetOtherProfiles() const { return internal_->otherProfiles; }

bool Profile::LoadScript(const oxString& fileName) const {
  const oxString path = GetResource(fileName);
  if (path.empty()) {
    oxWarn("Profile::LoadScript: profile '", GetName(), "' has no script '", fileName, "'");
    return false;
  }
  return oxScriptEngine::Get()->LoadFile(path);
}

}  // namespace fwg
