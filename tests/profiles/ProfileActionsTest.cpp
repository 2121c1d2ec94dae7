// The action registry of profiles: lookups along the base chain, and a
// replaced action whose menu entry, tool button, text and shortcut go to
// the substitute while the replacing profile is active.
#include <QToolButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/Gui.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"
#include "tests/support/WithGui.h"

namespace {

using ProfileActionsFixture = WithGui;

TEST_F(ProfileActionsFixture, ChainOfThreeFindsActionsFromItsBases) {
  fwg::Profile root("Root");
  fwg::Profile middle("Middle", "Root");
  fwg::Profile leaf("Leaf", "Middle");
  fwg::Action* open = root.AddAction("open", "&Open", {}, "Ctrl+O");
  fwg::Action* print = middle.AddAction("print", "&Print");
  fwg::ActionGroup* view = root.AddActionGroup("view", "&View");

  EXPECT_EQ(leaf.GetAction("open"), open);
  EXPECT_EQ(leaf.GetAction("print", false), print) << "the flag changes nothing";
  EXPECT_EQ(root.GetAction("print"), nullptr) << "bases do not see derived actions";
  EXPECT_EQ(leaf.GetAction("nothing"), nullptr);
  EXPECT_EQ(leaf.GetActionGroup("view"), view);
  EXPECT_EQ(leaf.GetActionGroup("open"), nullptr) << "a plain action is not a group";
  EXPECT_TRUE(leaf.GetActions().empty()) << "no inherited actions in its own map";

  // A name registered in the middle hides the root's from the middle down.
  fwg::Action* mine = middle.AddAction("open", "Open &here");
  EXPECT_EQ(leaf.GetAction("open"), mine);
  EXPECT_EQ(root.GetAction("open"), open);

  // A null entry is passed over.
  middle.AddAction("open", static_cast<fwg::Action*>(nullptr));
  EXPECT_EQ(leaf.GetAction("open"), open);
  delete mine;  // dropped from the map, so still ours

  // An action made without a name works but is nobody's.
  fwg::Action* anonymous = leaf.AddAction("", "Anonymous");
  EXPECT_EQ(anonymous->GetText(), "Anonymous");
  EXPECT_EQ(leaf.GetAction(""), nullptr);
  EXPECT_TRUE(leaf.GetActions().empty());
  delete anonymous;
}

TEST_F(ProfileActionsFixture, UnregisteredProfileSeesOnlyItsBasesActions) {
  fwg::Profile base("Base");
  fwg::Action* inherited = base.AddAction("copy", "&Copy");
  fwg::Profile hidden("Hidden", "Base", "", false);
  fwg::Action* own = hidden.AddAction("paste", "&Paste");
  EXPECT_EQ(hidden.GetAction("copy"), inherited);
  EXPECT_EQ(hidden.GetAction("paste"), nullptr);
  EXPECT_EQ(hidden.GetActions().at("paste"), own);
}

struct Clicks {
  std::vector<std::string> seen;
  void Watch(fwg::Action* action, const std::string& tag) {
    action->OnActivate().Connect(nullptr, [this, tag] { seen.push_back(tag); });
  }
};

uiToolButton* ButtonOf(fwg::Action* action) {
  for (const uiAction::Place& place : action->GetUiAction()->GetActionItems()) {
    if (auto* button = dynamic_cast<uiToolButton*>(place.widget)) return button;
  }
  return nullptr;
}

TEST_F(ProfileActionsFixture, ReplacedActionSwapsItsPlacesWhileTheProfileIsActive) {
  uiMainWindow* window = gui_->GetMainWindow();
  fwg::Profile doc("Doc");
  fwg::Profile draft("Draft", "Doc");
  fwg::Profile viewer("Viewer", "Doc");
  fwg::Action* save = doc.AddAction("save", "&Save", {}, "Ctrl+S");
  fwg::Action* close = doc.AddAction("close", "&Close", {}, "Ctrl+W");
  save->SetToolTip("Save the document");
  save->SetStatusTip("Save the document");
  save->SetWhatsThis("Writes the document");

  // The places are made by hand here, as menu recording would make them.
  auto* file = new uiPopupMenu(window, "File");
  auto* tools = new uiToolBar(window, "Tools");
  ASSERT_TRUE(save->GetUiAction()->AddTo(file));
  ASSERT_TRUE(close->GetUiAction()->AddTo(file));
  ASSERT_TRUE(save->GetUiAction()->AddTo(tools));
  const int saveId = file->IdAt(0);
  uiToolButton* button = ButtonOf(save);
  ASSERT_NE(button, nullptr);

  // Recorded on an inactive profile: a substitute in the lookups at once,
  // nothing visible yet.
  fwg::Action* substitute = draft.ReplaceAction("save");
  ASSERT_NE(substitute, nullptr);
  ASSERT_NE(substitute, save);
  EXPECT_EQ(draft.GetAction("save"), substitute);
  EXPECT_EQ(doc.GetAction("save"), save);
  EXPECT_EQ(viewer.GetAction("save"), save);
  EXPECT_EQ(substitute->GetName(), "save");
  EXPECT_EQ(substitute->GetAccel(), "Ctrl+S");
  EXPECT_EQ(substitute->GetToolTip(), "Save the document");
  EXPECT_EQ(substitute->GetStatusTip(), "") << "same as the tool tip: not copied";
  EXPECT_EQ(substitute->GetWhatsThis(), "Writes the document");
  EXPECT_TRUE(substitute->GetUiAction()->shortcut().isEmpty()) << "made inactive";
  EXPECT_EQ(file->Count(), 2);
  EXPECT_EQ(draft.ReplaceAction("nothing-by-this-name"), nullptr);

  Clicks clicks;
  clicks.Watch(save, "save");
  clicks.Watch(substitute, "substitute");

  doc.Activate();
  draft.Activate();
  // The substitute's entry stands just before the replaced one, which hides.
  ASSERT_EQ(file->Count(), 3);
  const int substituteId = file->IdAt(0);
  EXPECT_EQ(file->ItemAction(substituteId), substitute->GetUiAction());
  EXPECT_EQ(file->IdAt(1), saveId);
  EXPECT_TRUE(file->IsItemVisible(substituteId));
  EXPECT_FALSE(file->IsItemVisible(saveId));
  EXPECT_EQ(substitute->GetText(), "&Save");
  EXPECT_EQ(save->GetText(), "") << "the text belongs to the action in force";
  EXPECT_EQ(substitute->GetUiAction()->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_TRUE(save->GetUiAction()->shortcut().isEmpty());
  EXPECT_EQ(button->TextLabel(), "Save the document");
  button->click();
  EXPECT_EQ(clicks.seen, (std::vector<std::string>{"substitute"}));

  // Leaving Draft gives everything back.
  viewer.Activate();
  EXPECT_EQ(file->Count(), 3);
  EXPECT_FALSE(file->IsItemVisible(substituteId));
  EXPECT_TRUE(file->IsItemVisible(saveId));
  EXPECT_EQ(save->GetText(), "&Save");
  EXPECT_EQ(substitute->GetText(), "");
  EXPECT_EQ(save->GetUiAction()->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_TRUE(substitute->GetUiAction()->shortcut().isEmpty());
  clicks.seen.clear();
  button->click();
  EXPECT_EQ(clicks.seen, (std::vector<std::string>{"save"}));

  // Back again: placed once, swapped again.
  draft.Activate();
  EXPECT_EQ(file->Count(), 3);
  EXPECT_TRUE(file->IsItemVisible(substituteId));
  EXPECT_FALSE(file->IsItemVisible(saveId));

  // Recorded while active: in force at once.
  fwg::Action* closer = draft.ReplaceAction("close");
  ASSERT_EQ(file->Count(), 4);
  EXPECT_EQ(file->ItemAction(file->IdAt(2)), closer->GetUiAction());
  EXPECT_FALSE(file->IsItemVisible(file->IdAt(3)));
  EXPECT_EQ(closer->GetUiAction()->shortcut(), QKeySequence("Ctrl+W"));
  EXPECT_TRUE(close->GetUiAction()->shortcut().isEmpty());
}

TEST_F(ProfileActionsFixture, ReplacementOutlivedByItsBaseProfile) {
  auto* base = new fwg::Profile("Base");
  fwg::Action* save = base->AddAction("save", "&Save");
  auto* tools = new uiToolBar(gui_->GetMainWindow(), "Tools");
  save->GetUiAction()->AddTo(tools);
  uiToolButton* button = ButtonOf(save);
  auto* derived = new fwg::Profile("Derived", "Base");
  derived->ReplaceAction("save");
  derived->Activate();

  // The substitute goes first; the button it used must not reach it.
  delete derived;
  button->click();
  base->Activate();

  // The replaced action goes first: the item turns inert.
  auto* other = new fwg::Profile("Other", "Base");
  other->ReplaceAction("save");
  other->Activate();
  delete base;
  fwg::Profile elsewhere("Elsewhere");
  elsewhere.Activate();  // leaves Other, whose item has nothing left to do
  other->Activate();
  delete other;
  SUCCEED();
}

}  // namespace
