#include "fwg/profiles/ProfileManager.h"

#include "fwg/shell/Gui.h"

namespace fwg {

struct ProfileManager::Internal {};

ProfileManager* ProfileManager::Get() { return Gui::Instance()->GetProfileManager(); }

ProfileManager::ProfileManager() : internal_(new Internal) {}
ProfileManager::~ProfileManager() { delete internal_; }

}  // namespace fwg
