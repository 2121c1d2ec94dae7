#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileItem.h"
#include "tests/support/ProfileWidgets.h"

namespace {

using Log = std::vector<std::string>;

// Logs "+tag" when put in force and "-tag" when withdrawn; "!" marks an
// application outside a menu batch.
class RecordingItem : public fwg::ProfileItem {
 public:
  RecordingItem(fwg::Profile* owner, std::string tag, Log* log)
      : ProfileItem(owner, Add), tag_(std::move(tag)), log_(log) {}
  void Apply(bool on) override {
    log_->push_back((on ? "+" : "-") + tag_ + (uiMenuBatch::IsActive() ? "" : "!"));
  }

 private:
  std::string tag_;
  Log* log_;
};

// Records its items at construction, so that they are in force also where
// the profile is only a base (which is never built).
class BuiltProfile : public fwg::Profile {
 public:
  BuiltProfile(const oxString& name, const oxString& base, Log* log)
      : Profile(name, base), log_(log) {
    Record("1");
    Record("2");
  }
  void Record(const std::string& suffix) {
    fwg::GetInternal(this)->Record(new RecordingItem(this, GetName() + suffix, log_));
  }

 private:
  Log* log_;
};

class ProfileActivationFixture : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    // A is the root, B and C are built on A, D on B; X stands alone.
    a_ = new BuiltProfile("A", "", &log_);
    b_ = new BuiltProfile("B", "A", &log_);
    c_ = new BuiltProfile("C", "A", &log_);
    d_ = new BuiltProfile("D", "B", &log_);
    x_ = new BuiltProfile("X", "", &log_);
  }
  Log Take() { return std::exchange(log_, {}); }
  std::string ActiveFlags() const {
    std::string flags;
    for (const fwg::Profile* p : {a_, b_, c_, d_, x_}) flags += p && p->IsActive() ? p->GetName() : "";
    return flags;
  }

  Log log_;
  BuiltProfile *a_ = nullptr, *b_ = nullptr, *c_ = nullptr, *d_ = nullptr, *x_ = nullptr;
};

// The order in which items are applied; which profiles are active and
// built after each switch is checked by the random switching test.
TEST_F(ProfileActivationFixture, SwitchesTouchOnlyWhatTheChainsDoNotShare) {
  const std::pair<BuiltProfile*, Log> steps[] = {
      // The first activation enters the whole chain, root first.
      {d_, {"+A1", "+A2", "+B1", "+B2", "+D1", "+D2"}},
      // D to C leaves D and then B, each last item first; A stays untouched.
      {c_, {"-D2", "-D1", "-B2", "-B1", "+C1", "+C2"}},
      {d_, {"-C2", "-C1", "+B1", "+B2", "+D1", "+D2"}},
      {d_, {}},                  // the active profile again: nothing
      {b_, {"-D2", "-D1"}},      // to its own base and back up
      {d_, {"+D1", "+D2"}},
      // No common base: the whole old chain goes, most derived first.
      {x_, {"-D2", "-D1", "-B2", "-B1", "-A2", "-A1", "+X1", "+X2"}},
  };
  for (const auto& [to, log] : steps) {
    to->Activate();
    EXPECT_EQ(Take(), log) << to->GetName() << " activated";
  }
}

TEST_F(ProfileActivationFixture, ItemsRecordedOnAnActiveProfileApplyAtOnce) {
  a_->Record("3");
  EXPECT_TRUE(Take().empty()) << "inactive: nothing yet";
  c_->Activate();
  EXPECT_EQ(Take(), (Log{"+A1", "+A2", "+A3", "+C1", "+C2"}));
  c_->Record("3");
  EXPECT_EQ(Take(), (Log{"+C3!"})) << "applied at once, outside any switch";
  b_->Record("3");
  EXPECT_TRUE(Take().empty());

  d_->Activate();
  EXPECT_EQ(Take(), (Log{"-C3", "-C2", "-C1", "+B1", "+B2", "+B3", "+D1", "+D2"}));
  // A base of the active profile counts as active.
  a_->Record("4");
  EXPECT_EQ(Take(), (Log{"+A4!"}));
}

TEST_F(ProfileActivationFixture, DeactivateOnlyForgetsTheActiveProfile) {
  fwg::ProfileManager* manager = fwg::ProfileManager::Get();
  d_->Activate();
  Take();
  c_->Deactivate();
  EXPECT_EQ(manager->GetActiveProfile(), d_) << "not the active one: nothing";
  d_->Deactivate();
  EXPECT_EQ(manager->GetActiveProfile(), nullptr);
  EXPECT_EQ(ActiveFlags() + std::to_string(Take().size()), "ABD0") << "nothing is withdrawn";

  // With no previous profile the new chain goes on top of what is shown.
  c_->Activate();
  EXPECT_EQ(Take(), (Log{"+A1", "+A2", "+C1", "+C2"}));
  EXPECT_EQ(ActiveFlags(), "ABCD");
}

// Removing the active profile only makes the manager forget it; its menus
// stay until the next switch, which must take them off as it takes off the
// active profile's, or they stay on screen for good. A profile deleted
// while active takes its own entries along; its bases go with the switch.
TEST_F(ProfileActivationFixture, AProfileRemovedOrDeletedWhileActiveLeavesWithTheNextSwitch) {
  fwg::ProfileManager* manager = fwg::ProfileManager::Get();
  d_->Activate();
  Take();
  manager->RemoveProfile(d_);
  EXPECT_TRUE(Take().empty() && d_->IsActive()) << "nothing withdrawn yet";
  c_->Activate();
  EXPECT_EQ(Take(), (Log{"-D2", "-D1", "-B2", "-B1", "+C1", "+C2"}));
  EXPECT_EQ(ActiveFlags(), "AC");
  delete d_;
  d_ = nullptr;

  delete c_;
  c_ = nullptr;
  EXPECT_EQ(Take(), (Log{"-C2", "-C1"}));
  x_->Activate();
  EXPECT_EQ(Take(), (Log{"-A2", "-A1", "+X1", "+X2"}));
  EXPECT_FALSE(a_->IsActive());
}

TEST_F(ProfileActivationFixture, UnknownChainNamesAreSkipped) {
  auto* orphan = new BuiltProfile("Orphan", "Missing", &log_);
  orphan->Activate();
  EXPECT_EQ(Take(), (Log{"+Orphan1", "+Orphan2"}));
  // An unregistered profile is built and becomes active, but its own name
  // resolves to nothing, so none of its items are entered.
  BuiltProfile hidden("Hidden", "A", &log_);
  fwg::ProfileManager::Get()->RemoveProfile(&hidden);
  hidden.Activate();
  EXPECT_EQ(Take(), (Log{"-Orphan2", "-Orphan1", "+A1", "+A2"}));
  EXPECT_TRUE(fwg::ProfileManager::Get()->GetActiveProfile() == &hidden && !hidden.IsActive());
  x_->Activate();  // leaves "Hidden" by name: not known, skipped
  EXPECT_EQ(Take(), (Log{"-A2", "-A1", "+X1", "+X2"}));
}

TEST_F(ProfileActivationFixture, WidgetsFollowTheirProfile) {
  uiMainWindow* window = gui_->GetMainWindow();
  window->Show();
  auto* panel = new uiMainWindow(window, "Panel");  // any ui widget
  auto* gone = new uiMainWindow(window, "Gone");
  a_->AddWidget(panel);
  d_->AddWidget(gone);
  a_->AddWidget(nullptr);
  panel->Hide();

  d_->Activate();
  EXPECT_TRUE(panel->IsVisible() && gone->IsVisible());
  c_->Activate();
  EXPECT_TRUE(panel->IsVisible()) << "a base's widget stays while a profile built on it is active";
  EXPECT_FALSE(gone->IsVisible());

  // A widget its owner deleted leaves the profile's list.
  delete gone;
  d_->Activate();
  x_->Activate();
  EXPECT_FALSE(panel->IsVisible());
  EXPECT_EQ(GetInternal(d_)->widgets.size(), 0u);
}

}  // namespace
