// The main window's whole layout, kept per profile: the window's geometry
// (for a maximised window, the normal geometry it returns to as well) and
// its state (dock areas and sizes, floating docks, toolbar places), in the
// profile's section of the framework's settings.
//
// The library never calls these. A host saves the layout of a profile
// when the profile is left and, with its bases, at exit, and restores its
// docks and toolbars when the profile is entered;
// ProfileManager::OnActiveProfileChanged marks both moments. The window's
// own size and maximised state stay the user's: restored once at start,
// saved at exit.
//
//   fwg::WindowLayout::RestoreWindow();
//   // A switch is told twice: (left, null), then (null, entered).
//   manager->OnActiveProfileChanged().Connect(nullptr,
//       [left = (Profile*)nullptr](Profile* leaving, Profile* entered) mutable {
//         if (leaving) fwg::WindowLayout::Save(left = leaving);
//         if (entered) fwg::WindowLayout::RestoreDocks(entered, std::exchange(left, nullptr));
//       });
//   ... and at exit: SaveChain(active), then SaveWindow().
#pragma once

#include "platform/core/oxTypes.h"

namespace fwg {

class Profile;

class WindowLayout {
 public:
  // Writes the main window's layout as it is now under the profile's
  // section ("/Corvane/<plug-in name>/WindowLayout/<profile name>"). False
  // without a profile, a main window or a settings store.
  static bool Save(const Profile* profile);
  // Save for the profile and for each profile its chain builds on: what a
  // host calls at exit. A start enters a base first (the samples' base,
  // before any document), and the base's own record, written when it was
  // last left, would put the dock windows the chains share back where they
  // were then. False when the profile's own layout is not saved.
  static bool SaveChain(const Profile* profile);

  // Puts back what Save wrote. A profile never saved leaves the window as
  // it is and gives false; so does a record that cannot be read, with one
  // line on stderr. Whatever the record says, the window ends up on a
  // screen, at least 480 by 360 where the screen allows. Dock windows the
  // record hides turn their widgets off, as closing them would; dock
  // windows and toolbars of profiles not in force stay hidden.
  static bool Restore(const Profile* profile);
  // As Restore, but the docks and toolbars only: the window's geometry and
  // maximised state are the user's (SaveWindow, RestoreWindow), and the
  // dock windows of the profiles that the chains of `entered` and `left`
  // share stay in the dock areas where the user put them. What a host
  // calls on a switch.
  static bool RestoreDocks(const Profile* entered, const Profile* left);

  // The main window's geometry and maximised state, kept for the user in
  // the application's settings (section "MainWindow"): a host restores it
  // once at start and saves it at exit. RestoreWindow is false when none
  // was saved (and, with one stderr line, when it cannot be read); the
  // window ends up on a screen either way.
  static bool SaveWindow();
  static bool RestoreWindow();

  // Fits the main window, its title bar and frame included, into the
  // available area of the screen it is mostly on. The frame is known only
  // once the window manager has framed the window, so a window not yet
  // framed is fitted again then. Gui::Start() calls it: a first window
  // fits its screen, and a restored one keeps its title bar on a screen.
  static void FitOnScreen();

  WindowLayout() = delete;

 private:
  static bool Restore(const Profile* profile, bool withGeometry, const oxStlVector<Profile*>& kept);
};

}  // namespace fwg
