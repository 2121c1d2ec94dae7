// A recorded edit of a profile. A profile applies its items in recording
// order when it becomes active and withdraws them in reverse order when it
// stops being active; the first application resolves the item against the
// live widgets.
#pragma once

#include <cstdint>

namespace fwg {

class Profile;

class ProfileItem {
 public:
  enum Mode : uint32_t { Add = 0, Remove = 1, Replace = 2 };

  ProfileItem(Profile* owner, Mode mode) : owner_(owner), mode_(mode) {}
  virtual ~ProfileItem() = default;
  ProfileItem(const ProfileItem&) = delete;
  ProfileItem& operator=(const ProfileItem&) = delete;

  // Puts the edit in force (true) or withdraws it (false).
  virtual void Apply(bool on) { (void)on; }
  // Whether Apply still has something to do on a switch. An item that
  // answers false is passed over by switches from then on (its entries
  // follow their profile some other way).
  virtual bool NeedsSwitching() const { return true; }
  // Asks for the memory the next Apply will touch, without waiting for it:
  // a switch that follows other work finds little of it in the caches, and
  // asking for all of its items at once has the fetches overlap.
  virtual void Prefetch() const {}

  Profile* GetOwner() const { return owner_; }
  Mode GetMode() const { return static_cast<Mode>(mode_); }

 protected:
  Profile* owner_;
  uint32_t mode_;
};

}  // namespace fwg
