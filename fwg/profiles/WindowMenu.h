// The menu the main window offers on its toolbars, menu bar and dock
// titles: the toggles of what the active profile chain put there, and
// nothing else. Not API: the application object installs it.
#pragma once

#include <QList>

class QAction;

namespace fwg {

class Profile;

// The toggle actions of the chain's dock widgets in force, a separator,
// then the view toggles of the chain's toolbars; empty without a profile.
// The dock toggles are the profile's own, brought in line with the
// widgets first, so that the menu changes what the profile knows.
QList<QAction*> GetWindowMenuActions(const Profile* active);

}  // namespace fwg
