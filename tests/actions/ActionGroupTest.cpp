#include <sstream>

#include "platform/ui/uiActionGroup.h"
#include "tests/support/ProfileWidgets.h"

namespace {

using ActionGroupFixture = WithGui;
using Actions = oxStlVector<fwg::Action*>;

TEST_F(ActionGroupFixture, ExclusiveGroupKeepsOneMemberChecked) {
  fwg::Profile profile("View");
  // Profile groups start non-exclusive, sprite groups too whatever their
  // toolkit default.
  fwg::ActionGroup* zoom = profile.AddActionGroup("zoom", "Zoom");
  fwg::ActionGroup* shapes = profile.AddSpriteActionGroup("shapes", "Shapes");
  EXPECT_NE(dynamic_cast<uiSpriteActionGroup*>(shapes->GetUiAction()), nullptr);
  EXPECT_FALSE(zoom->GetIsExclusive() || shapes->GetIsExclusive());
  fwg::Action *small = profile.AddAction("small", "Small"), *large = profile.AddAction("large", "Large");
  for (fwg::Action* member : {small, large}) {
    member->SetCheckable(true);
    zoom->AddAction(member);
  }
  std::vector<bool> toggles;
  small->OnToggle().Connect(nullptr, [&](bool on) { toggles.push_back(on); });
  // Each step: 'a' activates, 't' toggles the member (S small, L large),
  // 'x' makes the group exclusive, 'n' not; then what is checked.
  const char* const steps[][2] = {
      {"aS aL", "SL"},  // not exclusive yet
      {"tS tL", ""},    {"x aS", "S"}, {"aL", "L"},
      {"tS tS", ""},  // Toggle flips even the checked member of an exclusive group
      {"n aS aL", "SL"}};
  for (const auto& [script, expected] : steps) {
    std::istringstream in(script);
    for (std::string op; in >> op;) {
      fwg::Action* member = op.back() == 'S' ? small : large;
      if (op == "x" || op == "n") zoom->SetExclusive(op == "x");
      else if (op[0] == 'a') member->Activate();
      else member->Toggle();
    }
    EXPECT_EQ(std::string(small->IsChecked() ? "S" : "") + (large->IsChecked() ? "L" : ""), expected)
        << script;
  }
  EXPECT_EQ(toggles, (std::vector<bool>{true, false, true, false, true, false, true}));
}

TEST_F(ActionGroupFixture, SeparatorsAreNullEntriesAndSkippedBySetActive) {
  fwg::Profile profile("Edit");
  fwg::Action* cut = profile.AddAction("cut", "Cu&t", {}, "Ctrl+X");
  fwg::Action* paste = profile.AddAction("paste", "&Paste", {}, "Ctrl+V");
  fwg::Action* undo = profile.AddAction("undo", "&Undo", {}, "Ctrl+Z");
  fwg::ActionGroup* clipboard = profile.AddActionGroup("clipboard", "Clipboard");
  clipboard->AddAction(cut);
  clipboard->AddSeparator();
  clipboard->AddAction("paste");
  EXPECT_EQ(clipboard->GetActionList(), (Actions{cut, nullptr, paste}));

  // A nested group passes SetActive on to its own members.
  fwg::ActionGroup* edit = profile.AddActionGroup("edit", "Edit");
  edit->AddAction(clipboard);
  edit->AddSeparator();
  edit->AddAction(undo);
  edit->SetActive(false);
  EXPECT_EQ(KeyOf(cut) + KeyOf(paste) + KeyOf(undo), "");
  edit->SetActive(true);
  EXPECT_EQ(KeyOf(cut) + " " + KeyOf(paste) + " " + KeyOf(undo), "Ctrl+X Ctrl+V Ctrl+Z");
}

TEST_F(ActionGroupFixture, UnknownNamesAndMissingProfileAddNothing) {
  fwg::Profile base("Base");
  fwg::Action* inherited = base.AddAction("print", "Print");
  fwg::Profile derived("Derived", "Base");
  fwg::ActionGroup* group = derived.AddActionGroup("output", "Output");
  group->AddAction("nothing-by-this-name");
  group->AddAction(static_cast<fwg::Action*>(nullptr));
  group->AddAction("print");  // found in the base profile
  EXPECT_EQ(group->GetActionList(), (Actions{inherited}));
  fwg::ActionGroup loose("loose", nullptr);
  loose.AddAction("print");
  EXPECT_TRUE(loose.GetActionList().empty());
}

TEST_F(ActionGroupFixture, GroupHasNoShortcutOrActionSignals) {
  fwg::Profile profile("Tools");
  fwg::ActionGroup* group = profile.AddActionGroup("tools", "&Tools", true);
  group->SetAccel("Ctrl+T");
  EXPECT_EQ(group->GetAccel(), "");
  EXPECT_TRUE(group->GetUiAction()->shortcut().isEmpty());
  int actionSignals = 0, direct = 0;
  group->OnActionActivate().Connect(nullptr, [&](const fwg::Action&) { ++actionSignals; });
  group->OnActivate().Connect(nullptr, [&] { ++direct; });
  group->Activate();
  EXPECT_EQ(direct, 1) << "the toolkit group's own signal still fires";
  EXPECT_EQ(actionSignals, 0);
}

TEST_F(ActionGroupFixture, MembersOutliveTheirGroupAndViceVersa) {
  auto* profile = new fwg::Profile("Owner");
  fwg::Action* first = profile->AddAction("first", "First");
  auto* group = new fwg::ActionGroup("group", profile);
  group->AddAction(first);
  QPointer<uiAction> groupUi = group->GetUiAction();
  delete group;
  EXPECT_FALSE(groupUi);
  EXPECT_EQ(profile->GetAction("first"), first) << "members belong to their profile";
  first->Activate();

  // Deleting the profile deletes members before a group whose name sorts
  // after theirs; neither may touch the other once gone.
  fwg::ActionGroup* zgroup = profile->AddActionGroup("zgroup", "Z");
  zgroup->AddAction(first);
  zgroup->AddAction(profile->AddAction("second", "Second"));
  QPointer<uiAction> firstUi = first->GetUiAction();
  delete profile;
  EXPECT_FALSE(firstUi);
}

}  // namespace
