// What the sample clients share: their profiles build on one base profile,
// "Samples", which holds the File, Edit and View menus and the main
// toolbar; each client's profile adds its own menus, toolbars and docks on
// top, so switching between a note and a sketch switches only those.
#pragma once

#include "fwg/profiles/Profile.h"

namespace samples {

// The name of the base profile of every sample profile.
inline constexpr char kBaseProfileName[] = "Samples";

// A profile of the samples. Menu and toolbar paths are the texts the user
// reads, so they are built from translated names: MenuName() of the base's
// menus ("File", "Edit", "View") and of the profile's own.
class SampleProfile : public fwg::Profile {
 public:
  // Built on "Samples" (the base profile itself on nothing); `pluginName`
  // gives the resource folders of that plug-in's description.
  SampleProfile(const oxString& name, const oxString& pluginName);

  // `text` translated within this profile.
  oxString Tr(const char* text) const;

  // After the first activation of the chain, lists the toggles of the
  // docks that each sample profile of the chain added in the View menu.
  void Activate() override;

 protected:
  // Makes a top-level menu titled `title` ("&Format"): its title action
  // (registered as `actionName`, hidden) is the menu's first entry. A
  // client's menu goes after View. Returns the menu's path name.
  oxString AddTopMenu(const oxString& actionName, const oxString& title);
  // Docks the widget registered under `name` at `path` and lists its toggle
  // in the View menu.
  void AddDock(const oxString& name, const oxString& path, const oxString& accel = {});

 private:
  void ListDocks();

  oxStlVector<oxString> docks_;
  std::size_t listedDocks_ = 0;
};

// A menu text as a path names it: "&File" gives "File".
oxString MenuName(const oxString& text);
// Texts of the base profile, translated in its context: the names of the
// shared menus and of the main toolbar, MenuName(BaseText("&File")) and so on.
oxString BaseText(const char* text);
oxString FileMenu();
oxString EditMenu();
oxString ViewMenu();
oxString MainToolBar();

// The base profile, made and registered on first use (the profile manager
// deletes it with the application).
fwg::Profile* EnsureBaseProfile();

// Where a new document goes: the current client folder or project; without
// one, the first project, made when there is none. Leaves it current.
void UseProject();

}  // namespace samples
