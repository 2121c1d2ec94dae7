#include "tests/support/ProfileWidgets.h"

namespace {

using ProfileActionsFixture = WithGui;

TEST_F(ProfileActionsFixture, ReplacedActionSwapsItsPlacesWhileTheProfileIsActive) {
  uiMainWindow* window = Window();
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
  ASSERT_TRUE(save->GetUiAction()->AddTo(file));
  ASSERT_TRUE(close->GetUiAction()->AddTo(file));
  ASSERT_TRUE(save->GetUiAction()->AddTo(new uiToolBar(window, "Tools")));
  uiToolButton* button = ButtonOf(save);
  ASSERT_NE(button, nullptr);

  // Recorded on an inactive profile: a substitute in the lookups at once,
  // nothing visible yet.
  fwg::Action* substitute = draft.ReplaceAction("save");
  ASSERT_TRUE(substitute && substitute != save);
  EXPECT_EQ((std::vector<fwg::Action*>{draft.GetAction("save"), doc.GetAction("save"),
                                       viewer.GetAction("save")}),
            (std::vector<fwg::Action*>{substitute, save, save}));
  // A status tip the same as the tool tip is not copied.
  EXPECT_EQ(substitute->GetName() + "|" + substitute->GetAccel() + "|" + substitute->GetToolTip() +
                "|" + substitute->GetStatusTip() + "|" + substitute->GetWhatsThis(),
            "save|Ctrl+S|Save the document||Writes the document");
  EXPECT_EQ(draft.ReplaceAction("nothing-by-this-name"), nullptr);

  // The File menu's entries, hidden ones in brackets; then the text and key
  // of each action, and who hears a click on the tool button.
  std::map<QAction*, std::string> tags{{save->GetUiAction(), "save"},
                                       {substitute->GetUiAction(), "sub"},
                                       {close->GetUiAction(), "close"}};
  std::string clicked;
  save->OnActivate().Connect(nullptr, [&] { clicked += "save"; });
  substitute->OnActivate().Connect(nullptr, [&] { clicked += "sub"; });
  const auto seen = [&] {
    std::string out;
    for (int i = 0; i < file->Count(); ++i) {
      const int id = file->IdAt(i);
      const std::string tag = tags[file->ItemAction(id)];
      out += file->IsItemVisible(id) ? tag + " " : "(" + tag + ") ";
    }
    for (fwg::Action* a : {save, substitute, close})
      out += "| " + tags[a->GetUiAction()] + ":" + a->GetText() + ":" + KeyOf(a) + " ";
    clicked.clear();
    button->click();
    return out + clicked;
  };
  EXPECT_EQ(seen(), "save close | save:&Save:Ctrl+S | sub:: | close:&Close:Ctrl+W save");

  // The substitute's entry stands just before the replaced one, which hides;
  // the text belongs to the action in force.
  doc.Activate();
  draft.Activate();
  EXPECT_EQ(seen(), "sub (save) close | save:: | sub:&Save:Ctrl+S | close:&Close:Ctrl+W sub");
  EXPECT_EQ(button->TextLabel(), "Save") << "the label is the text, the tip the tip";
  EXPECT_EQ(button->toolTip(), "Save the document (Ctrl+S)");

  // Leaving Draft gives everything back; coming back swaps again.
  viewer.Activate();
  EXPECT_EQ(seen(), "(sub) save close | save:&Save:Ctrl+S | sub:: | close:&Close:Ctrl+W save");
  draft.Activate();
  EXPECT_EQ(seen(), "sub (save) close | save:: | sub:&Save:Ctrl+S | close:&Close:Ctrl+W sub");

  // Recorded while active: in force at once.
  fwg::Action* closer = draft.ReplaceAction("close");
  tags[closer->GetUiAction()] = "closer";
  EXPECT_EQ(seen(), "sub (save) closer (close) | save:: | sub:&Save:Ctrl+S | close:: sub");
  EXPECT_EQ(closer->GetUiAction()->shortcut(), QKeySequence("Ctrl+W"));
}

TEST_F(ProfileActionsFixture, ReplacementOutlivedByItsBaseProfile) {
  auto* base = new fwg::Profile("Base");
  fwg::Action* save = base->AddAction("save", "&Save");
  save->GetUiAction()->AddTo(new uiToolBar(gui_->GetMainWindow(), "Tools"));
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
