// Building, activating and deactivating profiles. A switch leaves the
// profiles of the old chain that the new chain does not share and enters
// those of the new chain that were not in force; shared profiles stay
// untouched. Nothing is rebuilt: items show and hide what they made.
#include <QObject>
#include <algorithm>

#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileItem.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/ui/uiMenuData.h"
#include "platform/ui/uiWidget.h"

namespace fwg {

namespace {

// Items are scattered over the heap and a switch touches each once: asking
// for the ones a few steps ahead keeps the walk from waiting on memory.
constexpr size_t kLookAhead = 4;

void Prefetch(const oxStlVector<ProfileItem*>& items, size_t i) {
  if (i >= items.size()) return;
  __builtin_prefetch(items[i]);
  __builtin_prefetch(reinterpret_cast<const char*>(items[i]) + 64);
}

// The items a switch goes through: all of them until the list of those
// that need it is made, after a pass over all.
const oxStlVector<ProfileItem*>& SwitchedItems(const Profile::Internal* d) {
  return d->switchingStale ? d->items : d->switching;
}

void NoteSwitchedItems(Profile::Internal* d) {
  if (!d->switchingStale) return;
  d->switching.clear();
  for (ProfileItem* item : d->items) {
    if (item->NeedsSwitching()) d->switching.push_back(item);
  }
  d->switchingStale = false;
}

// Asks for what the switch will touch of the profile's items up front, in
// a pass light enough for the fetches of many items to overlap; the pass
// that applies them does too much per item for that. Only once the list of
// the items a switch goes through is known.
void PrefetchSwitch(const Profile* profile) {
  const Profile::Internal* d = GetInternal(profile);
  if (d->switchingStale) return;
  for (const ProfileItem* item : d->switching) item->Prefetch();
}

// Items withdrawn last to first, then the menu entries behind the profile's
// gate and the widgets hidden. Items and widgets that client code run by an
// item adds meanwhile are withdrawn too.
void Leave(Profile* profile) {
  Profile::Internal* d = GetInternal(profile);
  const oxStlVector<ProfileItem*>& items = SwitchedItems(d);
  const size_t recorded = d->items.size();
  for (size_t i = items.size(); i-- > 0;) {
    if (i >= kLookAhead) Prefetch(items, i - kLookAhead);
    items[i]->Apply(false);
  }
  // Recorded meanwhile: `items` may be either list, so the new ones are
  // taken from the full one.
  size_t done = recorded;
  for (size_t end = d->items.size(); done < end; end = d->items.size()) {
    for (size_t i = end; i-- > done;) d->items[i]->Apply(false);
    done = end;
  }
  d->menuGate.SetOpen(false);
  for (size_t i = 0; i < d->widgets.size(); ++i) d->widgets[i]->Hide();
  d->active = false;
  NoteSwitchedItems(d);
}

// The gate opened, then items put in force first to last (the first
// application resolves them), then the widgets shown. Indexes rather than
// iterators: an item's client code (a dock widget maker, a show handler)
// may record further items or widgets on this profile, which are put in
// force in the same pass.
void Enter(Profile* profile) {
  Profile::Internal* d = GetInternal(profile);
  d->menuGate.SetOpen(true);
  const bool all = d->switchingStale;
  const size_t recorded = d->items.size();
  if (!all) {
    const oxStlVector<ProfileItem*>& items = d->switching;
    for (size_t i = 0; i < items.size(); ++i) {
      Prefetch(items, i + kLookAhead);
      items[i]->Apply(true);
    }
  }
  for (size_t i = all ? 0 : recorded; i < d->items.size(); ++i) {
    Prefetch(d->items, i + kLookAhead);
    d->items[i]->Apply(true);
  }
  for (size_t i = 0; i < d->widgets.size(); ++i) d->widgets[i]->Show();
  d->active = true;
  NoteSwitchedItems(d);
}

}  // namespace

void WithdrawProfile(Profile* profile) {
  const uiMenuBatch batch;
  Leave(profile);
}

void Profile::Build() {}

void Profile::Activate() {
  // Menus catch up once, when the whole switch is done.
  const uiMenuBatch batch;

  if (!internal_->built) {
    Build();
    internal_->built = true;
  }
  ProfileManager* manager = ProfileManager::Get();
  Profile* previous = manager->GetActiveProfile();
  if (previous == this) return;
  if (previous) previous->Deactivate();
  ReportMissingBase(this);

  const oxStlVector<Profile*> next = GetBaseChainProfiles(this);
  // Without an active profile, the chain of one removed while active may
  // still be on screen.
  const oxStlVector<Profile*> old = previous ? GetBaseChainProfiles(previous) : TakeStrandedChain(manager);
  const auto shared = std::mismatch(old.begin(), old.end(), next.begin(), next.end());
  for (auto it = shared.first; it != old.end(); ++it) PrefetchSwitch(*it);
  for (auto it = shared.second; it != next.end(); ++it) PrefetchSwitch(*it);
  for (auto it = old.end(); it != shared.first;) Leave(*--it);
  for (auto it = shared.second; it != next.end(); ++it) Enter(*it);
  manager->SetActiveProfile(this);
}

void Profile::Deactivate() {
  ProfileManager* manager = ProfileManager::Get();
  if (manager->GetActiveProfile() == this) manager->SetActiveProfile(nullptr);
}

void Profile::AddWidget(uiWidget* widget) {
  if (!widget) return;
  internal_->widgets.push_back(widget);
  if (!internal_->widgetGuard) internal_->widgetGuard = new QObject;
  Internal* d = internal_;
  QObject::connect(widget->GetWidget(), &QObject::destroyed, d->widgetGuard, [d, widget] {
    d->widgets.erase(std::remove(d->widgets.begin(), d->widgets.end(), widget), d->widgets.end());
  });
}

bool Profile::IsBuilt() const { return internal_->built; }
bool Profile::IsActive() const { return internal_->active; }

}  // namespace fwg
