// The main window's whole layout, kept per profile: the window's geometry
// (for a maximised window, the normal geometry it returns to as well) and
// its state (dock areas and sizes, floating docks, toolbar places), in the
// profile's section of the framework's settings.
//
// The library never calls these. A host saves the layout of a profile
// when the profile is left and at exit, and restores it when the profile
// is entered; ProfileManager::OnActiveProfileChanged marks both moments:
//
//   manager->OnActiveProfileChanged().Connect(nullptr, [](Profile* left, Profile* entered) {
//     if (left) fwg::WindowLayout::Save(left);
//     if (entered) fwg::WindowLayout::Restore(entered);
//   });
#pragma once

namespace fwg {

class Profile;

class WindowLayout {
 public:
  // Writes the main window's layout as it is now under the profile's
  // section ("/Corvane/<plug-in name>/WindowLayout/<profile name>"). False
  // without a profile, a main window or a settings store.
  static bool Save(const Profile* profile);

  // Puts back what Save wrote. A profile never saved leaves the window as
  // it is and gives false; so does a record that cannot be read, with one
  // line on stderr. Whatever the record says, the window ends up on a
  // screen, at least 480 by 360 where the screen allows. Dock windows the
  // record hides turn their widgets off, as closing them would; dock
  // windows and toolbars of profiles not in force stay hidden.
  static bool Restore(const Profile* profile);

  WindowLayout() = delete;
};

}  // namespace fwg
