#include "plugins/common/SampleProfile.h"

#include "fwg/actions/Action.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/oxapp/Application.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "plugins/common/BaseProfile.h"

namespace samples {

SampleProfile::SampleProfile(const oxString& name, const oxString& pluginName)
    : fwg::Profile(name, name == kBaseProfileName ? oxString() : oxString(kBaseProfileName),
                   pluginName) {}

oxString SampleProfile::Tr(const char* text) const { return tr({}, text); }

void SampleProfile::Activate() {
  fwg::Profile::Activate();
  // The base profiles of the chain were entered without their own
  // Activate(), so the profile activated lists the docks of all of them.
  fwg::ProfileManager* manager = fwg::ProfileManager::Get();
  for (fwg::Profile* profile = this; profile;
       profile = manager->GetProfile(profile->GetBaseName())) {
    if (auto* sample = dynamic_cast<SampleProfile*>(profile)) sample->ListDocks();
    if (profile->GetBaseName().empty()) break;
  }
}

oxString SampleProfile::AddTopMenu(const oxString& actionName, const oxString& title) {
  fwg::Action* action = AddAction(actionName, title);
  const oxString name = MenuName(title);
  // The base's menus in order; a client's own go after View, before Help
  // (a path naming a menu places the new one after it).
  AddMenu(action, GetBaseName().empty() ? name : ViewMenu());
  action->SetVisible(false);
  return name;
}

void SampleProfile::AddDock(const oxString& name, const oxString& path, const oxString& accel) {
  AddDockWidget(name, path, accel);
  docks_.push_back(name);
}

// A dock's toggle exists once its dock was put in force; the entry added
// now is in force at once, as the profile is active.
void SampleProfile::ListDocks() {
  if (!IsActive()) return;
  for (; listedDocks_ < docks_.size(); ++listedDocks_) {
    const oxString& name = docks_[listedDocks_];
    if (fwg::Action* toggle = GetDockToggleAction(name)) AddMenu(toggle, ViewMenu() + "/" + name);
  }
}

oxString MenuName(const oxString& text) {
  oxString name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size() && text[i + 1] != '&') continue;
    name += text[i];
  }
  return name;
}

oxString BaseText(const char* text) {
  return oxapp::Application::Get()->TranslateMessage(kBaseProfileName, text);
}

oxString FileMenu() { return MenuName(BaseText("&File")); }
oxString EditMenu() { return MenuName(BaseText("&Edit")); }
oxString ViewMenu() { return MenuName(BaseText("&View")); }
oxString MainToolBar() { return BaseText("Main"); }

fwg::Profile* EnsureBaseProfile() {
  if (fwg::Profile* base = fwg::ProfileManager::Get()->GetProfile(kBaseProfileName)) return base;
  return new BaseProfile;
}

void UseProject() { fwg::Project::UseCurrent(BaseText("Untitled")); }

}  // namespace samples
