// The profile manager: registration order, lookup by name, removal, the
// active profile, and deleting what is left with the application object.
#include <gtest/gtest.h>

#include <vector>

#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "tests/support/WithGui.h"

namespace {

class ProfileManagerFixture : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    manager_ = fwg::ProfileManager::Get();
  }

  fwg::ProfileManager* manager_ = nullptr;
};

// Counts its activations and deletions.
class CountingProfile : public fwg::Profile {
 public:
  CountingProfile(const oxString& name, int* deleted) : Profile(name), deleted_(deleted) {}
  ~CountingProfile() override {
    if (deleted_) ++*deleted_;
  }
  void Activate() override {
    ++activations;
    Profile::Activate();
  }
  int activations = 0;

 private:
  int* deleted_;
};

TEST_F(ProfileManagerFixture, FirstRegisteredWinsUntilRemoved) {
  auto* first = new fwg::Profile("Same");
  auto* other = new fwg::Profile("Other");
  auto* second = new fwg::Profile("Same");
  EXPECT_EQ(manager_->GetProfileList(), (oxStlVector<fwg::Profile*>{first, other, second}));
  EXPECT_EQ(manager_->GetProfile("Same"), first);
  EXPECT_EQ(manager_->GetProfile("same"), nullptr) << "names are case-sensitive";
  EXPECT_EQ(manager_->GetProfile(""), nullptr);

  manager_->RemoveProfile(first);
  EXPECT_EQ(manager_->GetProfile("Same"), second);
  EXPECT_EQ(manager_->GetProfileList(), (oxStlVector<fwg::Profile*>{other, second}));
  delete first;  // not in the list any more: nothing else changes
  EXPECT_EQ(manager_->GetProfileList().size(), 2u);

  // Deleting a registered profile takes it out.
  delete other;
  EXPECT_EQ(manager_->GetProfileList(), (oxStlVector<fwg::Profile*>{second}));
  delete second;
  EXPECT_TRUE(manager_->GetProfileList().empty());
}

TEST_F(ProfileManagerFixture, AddedTwiceRemovedAtOnce) {
  fwg::Profile loose("", {}, {}, false);
  EXPECT_TRUE(manager_->GetProfileList().empty());
  manager_->AddProfile(&loose);
  manager_->AddProfile(&loose);
  manager_->AddProfile(nullptr);
  EXPECT_EQ(manager_->GetProfileList().size(), 3u);
  EXPECT_EQ(manager_->GetProfile(""), &loose) << "an empty name added by hand is found";
  manager_->RemoveProfile(&loose);
  EXPECT_EQ(manager_->GetProfileList(), (oxStlVector<fwg::Profile*>{nullptr}));
  manager_->RemoveProfile(nullptr);
  EXPECT_TRUE(manager_->GetProfileList().empty());
}

TEST_F(ProfileManagerFixture, ActivationByPointerAndName) {
  int deleted = 0;
  auto* a = new CountingProfile("A", &deleted);
  auto* b = new CountingProfile("B", &deleted);
  manager_->Activate(nullptr);
  manager_->Activate("nobody");
  EXPECT_EQ(manager_->GetActiveProfile(), nullptr);

  manager_->Activate("B");
  EXPECT_EQ(b->activations, 1);
  EXPECT_EQ(manager_->GetActiveProfile(), b);
  manager_->Activate(a);
  EXPECT_EQ(a->activations, 1);
  EXPECT_EQ(manager_->GetActiveProfile(), a);
  EXPECT_TRUE(a->IsActive());
  EXPECT_FALSE(b->IsActive());

  // Removing the active profile forgets it; its state stays as it was.
  manager_->RemoveProfile(a);
  EXPECT_EQ(manager_->GetActiveProfile(), nullptr);
  EXPECT_TRUE(a->IsActive());
  manager_->AddProfile(a);

  // Removing an unlisted profile still clears it as the active one.
  manager_->SetActiveProfile(b);
  manager_->RemoveProfile(b);
  manager_->SetActiveProfile(b);
  manager_->RemoveProfile(b);
  EXPECT_EQ(manager_->GetActiveProfile(), nullptr);
  delete b;
  delete a;
  EXPECT_EQ(deleted, 2);
  EXPECT_TRUE(manager_->GetProfileList().empty());
}

TEST_F(ProfileManagerFixture, ApplicationObjectDeletesTheProfilesLeft) {
  int deleted = 0;
  new CountingProfile("Kept", &deleted);
  auto* twice = new CountingProfile("Twice", &deleted);
  manager_->AddProfile(twice);
  manager_->AddProfile(nullptr);
  manager_->Activate("Kept");

  delete gui_;
  gui_ = nullptr;
  EXPECT_EQ(deleted, 2) << "each profile once, the doubled one included";
}

}  // namespace
