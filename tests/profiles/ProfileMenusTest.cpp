#include <QCoreApplication>
#include <QEnterEvent>
#include <QStatusBar>

#include "platform/ui/uiActionGroup.h"
#include "tests/support/Output.h"
#include "tests/support/ProfileWidgets.h"

namespace {

class ProfileMenus : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    window_ = Window();
    bar_ = window_->MenuBar();
  }

  uiPopupMenu* Menu(const oxString& path) { return anyProfile_->GetMenu(path); }
  uiToolBar* ToolBar(const oxString& name) { return ToolBarNamed(window_, name); }
  static int CountMenusAndToolBars(QWidget* window) {
    return static_cast<int>(window->findChildren<QMenu*>().size() +
                            window->findChildren<QToolBar*>().size());
  }

  uiMainWindow* window_ = nullptr;
  uiMenuBar* bar_ = nullptr;
  fwg::Profile* anyProfile_ = nullptr;
};

TEST_F(ProfileMenus, SwitchingShowsExactlyTheActiveChainWithoutRebuilding) {
  fwg::Action* zoom = nullptr;
  auto* base = new FilledProfile("Base", "", [&](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
    p->AddMenu(p->AddAction("save", "&Save", {}, "Ctrl+S"), "File/Save");
    p->AddMenu(p->AddAction("quit", "&Quit", {}, "Ctrl+Q"), "File/Quit");
  });
  auto* a = new FilledProfile("A", "Base", [&](fwg::Profile* p) {
    p->AddMenu(p->AddAction("edit", "&Edit"), "Edit");
    fwg::Action* undo = p->AddAction("undo", "&Undo", {}, "Ctrl+Z");
    p->AddMenu(undo, "Edit/Undo");
    p->AddMenu(p->AddAction("recent", "&Recent"), "File/Save");  // just after Save
    // A side-by-side group: its members and separator are entries of Edit.
    fwg::ActionGroup* clip = p->AddActionGroup("clip", "Clipboard");
    clip->AddAction(p->AddAction("cut", "Cu&t", {}, "Ctrl+X"));
    clip->AddSeparator();
    clip->AddAction(p->AddAction("paste", "&Paste", {}, "Ctrl+V"));
    p->AddMenu(clip, "Edit/Undo");
    // A drop-down group is a submenu; paths walk into it.
    fwg::ActionGroup* exportMenu = p->AddActionGroup("export", "E&xport", true);
    exportMenu->AddAction(p->AddAction("pdf", "PDF"));
    p->AddMenu(exportMenu, "File/Recent");
    p->AddMenu(p->AddAction("png", "PNG"), "File/Export/PDF");
    p->AddToolBar(undo, "");
    p->AddContextMenu(p->AddAction("copy", "Copy"), "Doc");
    p->AddContextMenu(p->AddAction("select", "Select"), "Doc/Copy");
  });
  auto* b = new FilledProfile("B", "Base", [&](fwg::Profile* p) {
    p->AddMenu(p->AddAction("view", "&View"), "View");
    zoom = p->AddAction("zoom", "&Zoom", {}, "Ctrl+Z");
    p->AddMenu(zoom, "View/Zoom");
  });
  anyProfile_ = base;

  // What the random switching test leaves out: groups side by side and as
  // submenus, texts with '&', context menus by path, and the same widgets
  // shown again (what each switch shows and which keys it withdraws is
  // checked there).
  a->Activate();
  const auto seenOfA = [&] {
    EXPECT_EQ(Visible(bar_), (Strings{"File", "Edit"}));
    EXPECT_EQ(Visible(Menu("File")), (Strings{"File", "Save", "Recent", "Export", "Quit"}));
    EXPECT_EQ(Visible(Menu("Edit")), (Strings{"Edit", "Undo", "Cut", "-", "Paste"}));
    EXPECT_EQ(Visible(Menu("File/Export")), (Strings{"PDF", "PNG"}));
    EXPECT_EQ(KeyOf(a->GetAction("cut")), "Ctrl+X");
  };
  ASSERT_NE(ToolBar("Undo"), nullptr);
  seenOfA();
  auto* doc = dynamic_cast<uiPopupMenu*>(a->GetContextMenuObjectFromPath("Doc"));
  ASSERT_NE(doc, nullptr);
  EXPECT_FALSE(doc->isVisible()) << "context menus appear only when popped up";
  EXPECT_EQ(Visible(doc), (Strings{"Copy", "Select"}));
  uiPopupMenu* editMenu = Menu("Edit");
  uiToolBar* undoBar = ToolBar("Undo");

  b->Activate();
  EXPECT_EQ(KeyOf(a->GetAction("cut")) + "|" + KeyOf(zoom), "|Ctrl+Z") << "a group member's too";

  // Both chains are built now: switching back and forth creates nothing.
  const int widgets = CountMenusAndToolBars(window_);
  a->Activate();
  seenOfA();
  EXPECT_EQ(Menu("Edit"), editMenu) << "the same menu, shown again";
  EXPECT_EQ(ToolBar("Undo"), undoBar);
  b->Activate();
  a->Activate();
  EXPECT_EQ(CountMenusAndToolBars(window_), widgets) << "switching creates nothing";
}

// Edits follow their paths, and each miss is reported.
TEST_F(ProfileMenus, PathsNameEntriesWhateverTheSlashesAndMissesAreReported) {
  auto* base = new FilledProfile("Base", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
    p->AddMenu(p->AddAction("open", "&Open"), "File/Open");
    p->AddMenu(p->AddAction("open2", "&Open"), "File/Open");  // a second "Open", after the first
    p->AddMenu(p->AddAction("save", "&Save"), "File/Open");
  });
  anyProfile_ = base;
  base->Activate();

  EXPECT_EQ(base->GetMenu(""), nullptr) << "the menu bar is not a popup";
  EXPECT_EQ(base->GetMenuObjectFromPath(""), bar_);
  EXPECT_EQ(base->GetMenuObjectFromPath("File"), base->GetMenu("File"));
  uiObject* open = base->GetMenuObjectFromPath("File/Open");
  EXPECT_EQ(open, base->GetAction("open")->GetUiAction()) << "the first of two equal names";
  EXPECT_EQ(base->GetMenu("File/Open"), nullptr) << "an item is not a menu";
  for (const char* path : {"/File/Open", "File//Open", "File/Open/", "//File/Open"})
    EXPECT_EQ(base->GetMenuObjectFromPath(path), open) << path;
  EXPECT_EQ(base->GetMenuObjectFromPath("File/Nope"), nullptr);
  const int menus = bar_->Count();

  // Recorded on the active profile: in force at once.
  EXPECT_EQ(StderrOf([&] {
              base->AddMenu(base->AddAction("top", "Top"), "File/");
              base->AddMenu(base->AddAction("tools", "&Tools"), "");
            }),
            "");
  EXPECT_EQ(Visible(base->GetMenu("File")), (Strings{"Top", "File", "Open", "Save", "Open"}));
  EXPECT_EQ(Visible(bar_), (Strings{"File", "Tools"}));

  // One line for each miss, in order.
  EXPECT_EQ(StderrOf([&] {
              base->AddMenu(base->AddAction("x", "X"), "Nope/Thing");
              base->AddMenu(base->AddAction("y", "Y"), "File/Missing/");
              base->RemoveMenu("File/Gone");
              base->RemoveMenu("/");
            }),
            "Could not find the item specified by Nope/Thing\n"
            "Could not find the item specified by File/Missing/\n"
            "Could not find the item specified by File/Gone\n"
            "Could not find the item specified by /\n");
  EXPECT_EQ(bar_->Count(), menus + 1);

  base->AddContextMenu(base->AddAction("copy", "Copy"), "Doc");
  EXPECT_EQ(StderrOf([&] { base->AddContextMenu(base->AddAction("again", "Again"), "Doc"); }),
            "The already is a context menu named Doc\n");
  auto* doc = dynamic_cast<uiPopupMenu*>(base->GetContextMenuObjectFromPath("Doc"));
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->Count(), 1);

  // Nothing is recorded for an action found nowhere.
  base->AddMenu("no such action", "File/Save");
  EXPECT_EQ(Visible(base->GetMenu("File")), (Strings{"Top", "File", "Open", "Save", "Open"}));

  // A context menu pops up by name; an unknown name does nothing.
  base->PopupContextMenu("Doc", 10, 10);
  EXPECT_TRUE(doc->isVisible());
  doc->hide();
  base->PopupContextMenu("Unknown", 10, 10);
}

TEST_F(ProfileMenus, ToolbarsOfTheChainAreNamedShownAndTakenAway) {
  window_->Show();  // toolbars are visible only in a shown window
  auto* base = new FilledProfile("Base", "", [&](fwg::Profile* p) {
    p->AddToolBar(p->AddAction("run", "&Run\tF5"), "");
    p->AddToolBar(p->AddAction("nameless", ""), "");
    p->AddToolBar(p->AddAction("later", "La&ter"), "");
  });
  auto* derived =
      new FilledProfile("Derived", "Base", [](fwg::Profile* p) { p->RemoveToolBar("Run"); });
  base->SetToolBarVisible("Later", false);  // before the toolbar is made
  EXPECT_EQ(ToolBar("Later"), nullptr);
  // Each toolbar: '+' or '-' as shown on screen, then as the profile says.
  const auto bars = [this](fwg::Profile* p) {
    std::string out;
    for (const char* name : {"Run", "nameless", "Later", "Unknown"}) {
      uiToolBar* bar = ToolBar(name);
      out += std::string(name) + (bar && bar->isVisible() ? "+" : "-") +
             (p->IsToolBarVisible(name) ? "+ " : "- ");
    }
    return out;
  };

  // Named after the text without '&' and the tab, or the action's name.
  base->Activate();
  uiToolBar* run = ToolBar("Run");
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(base->GetToolBarList().size(), 3u);
  EXPECT_EQ(base->GetToolBarObjectFromPath("Run"), run);
  EXPECT_EQ(bars(base), "Run++ nameless++ Later-- Unknown-- ") << "hidden before it was made";
  base->SetToolBarVisible("Later", true);
  base->SetToolBarVisible("Run", false);
  base->SetToolBarVisible("Unknown", false);  // nothing to do
  EXPECT_EQ(bars(base), "Run-- nameless++ Later++ Unknown-- ");
  base->SetToolBarVisible("Run", true);

  // Taken away by the derived profile: not in its list, so not its to show.
  derived->Activate();
  derived->SetToolBarVisible("Run", true);
  EXPECT_EQ(bars(derived), "Run-- nameless++ Later++ Unknown-- ");
  const auto list = derived->GetToolBarList();
  EXPECT_EQ(std::count(list.begin(), list.end(), run), 0);
  EXPECT_EQ(derived->GetToolBarObjectFromPath("Run"), nullptr);
  EXPECT_EQ(base->GetToolBarObjectFromPath("Run"), run);

  base->Activate();
  EXPECT_EQ(derived->GetToolBarObjectFromPath("Run"), nullptr) << "whether or not in force";
}

// A toolbar of a base shared by two profiles on it: a button added to it
// stays for the rest of the run, a button of a profile comes and goes with
// it. Hovering a button shows its action's status tip, as a menu entry does.
TEST_F(ProfileMenus, ButtonsOfAProfileInAToolbarItDidNotMakeComeAndGoWithIt) {
  window_->Show();
  new FilledProfile("B", "", [](fwg::Profile* p) {
    p->AddToolBar(p->AddAction("first", "First"), "Shared");
  });
  auto* one = new FilledProfile("One", "B", [](fwg::Profile* p) {
    p->AddToolBarButton(p->AddAction("one", "One"), "Shared");
    p->AddToolBar(p->AddAction("kept", "Kept"), "Shared/Kept");
    p->GetAction("one")->SetStatusTip("Does one thing");
  });
  auto* two = new FilledProfile("Two", "B", [](fwg::Profile* p) {
    p->AddToolBarButton(p->AddAction("two", "Two"), "Shared/");
    p->AddToolBarButton(p->AddAction("three", "Three"), "Shared/Two");
    p->AddToolBarButton(p->AddAction("none", "None"), "Missing");
  });
  const auto shown = [this] {
    std::string out;
    uiToolBar* bar = ToolBar("Shared");
    for (QAction* entry : bar->actions())
      if (entry->isVisible()) out += bar->widgetForAction(entry)->objectName().toStdString() + " ";
    return out;
  };
  one->Activate();
  EXPECT_EQ(shown(), "first one kept ");
  EXPECT_EQ(StderrOf([&] { two->Activate(); }), "Could not find the item specified by Missing\n");
  EXPECT_EQ(shown(), "two three first kept ");
  EXPECT_EQ(ToolBar("Missing"), nullptr) << "a button of a profile never makes a toolbar";
  one->Activate();
  EXPECT_EQ(shown(), "first one kept ");
  QStatusBar* status = window_->statusBar();
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QCoreApplication::sendEvent(ButtonOf(one->GetAction("one")), &enter);
  EXPECT_EQ(status->currentMessage(), "Does one thing");
}

TEST_F(ProfileMenus, MenusDeletedByTheirOwnerAreLeftAloneOnLaterSwitches) {
  auto* a = new FilledProfile("A", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("edit", "&Edit"), "Edit");
    p->AddMenu(p->AddAction("undo", "Undo", {}, "Ctrl+Z"), "Edit/Undo");
    p->AddToolBar(p->AddAction("tool", "Tool"), "");
  });
  auto* b = new FilledProfile("B", "");
  anyProfile_ = a;
  a->Activate();
  delete a->GetMenu("Edit");
  delete ToolBar("Tool");
  b->Activate();
  a->Activate();
  EXPECT_EQ(a->GetMenu("Edit"), nullptr);
  EXPECT_EQ(a->GetAction("undo")->GetUiAction()->shortcut(), QKeySequence("Ctrl+Z"));
}

// A profile's entries switch with it as a whole; a group side by side whose
// first entry the client hid comes back hidden with its members; deleted out of force, a profile leaves its entries hidden for good,
// in its own menus and in shared ones.
TEST_F(ProfileMenus, EntriesOfAProfileDeletedOutOfForceStayHidden) {
  auto* base = new FilledProfile("Base", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
    p->AddMenu(p->AddAction("new", "&New"), "File/New");
  });
  auto* a = new FilledProfile("A", "Base", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("export", "E&xport", {}, "Ctrl+E"), "File/New");
    p->AddMenu(p->AddAction("edit", "&Edit"), "Edit");
    fwg::ActionGroup* clip = p->AddActionGroup("clip", "Clipboard");
    clip->AddAction(p->AddAction("cut", "Cu&t", {}, "Ctrl+X"));
    clip->AddAction(p->AddAction("paste", "&Paste", {}, "Ctrl+V"));
    p->AddMenu(clip, "Edit/Edit");
  });
  auto* b = new FilledProfile("B", "Base");
  anyProfile_ = base;
  a->Activate();
  EXPECT_EQ(Visible(Menu("File")), (Strings{"File", "New", "Export"}));
  Menu("Edit")->SetItemVisible(Menu("Edit")->IdAt(1), false);  // Cut
  b->Activate();
  a->Activate();
  EXPECT_EQ(Visible(Menu("Edit")), (Strings{"Edit"}));
  b->Activate();
  delete a;
  base->Activate();
  b->Activate();
  EXPECT_EQ(Visible(bar_), (Strings{"File"}));
  EXPECT_EQ(Visible(Menu("File")), (Strings{"File", "New"}));
}

// A Window list made afresh each time it opens, without a pool of the
// client's: entries come and go with the documents, the checked one is
// the active one, and choosing an entry runs what it said when it showed.
TEST_F(ProfileMenus, AnActionListIsFilledWhenItsMenuOpensAndGoesWithItsProfile) {
  std::vector<std::string> documents{"Note 1", "Sketch 1"};
  std::string active = "Sketch 1", chosen;
  auto* editor = new FilledProfile("Editor", "", [&](fwg::Profile* p) {
    p->AddAction("window", "&Window")->SetVisible(false);
    p->AddMenu("window", "Window");
    p->AddActionList("documents", "&Documents", "Window/Window", [&] {
      oxStlVector<fwg::Profile::ListEntry> entries;
      for (const std::string& name : documents)
        entries.push_back({name, name == active, [&chosen, name] { chosen = name; }});
      return entries;
    });
  });
  auto* other = new FilledProfile("Other", "", [](fwg::Profile* p) { p->AddMenu(p->AddAction("file", "&File"), "File"); });
  editor->Activate();
  anyProfile_ = editor;
  uiPopupMenu* menu = dynamic_cast<uiActionGroup*>(editor->GetActionGroup("documents")->GetUiAction())->DropDownMenu();
  EXPECT_EQ(Visible(menu), (Strings{"Note 1", "Sketch 1"}));
  EXPECT_TRUE(editor->GetAction("documents.2")->IsChecked());
  documents = {"Note 1", "Note 2", "Sketch 1"};
  active = "Note 2";
  EXPECT_EQ(Visible(menu), (Strings{"Note 1", "Note 2", "Sketch 1"}));
  editor->GetAction("documents.3")->GetUiAction()->trigger();
  EXPECT_EQ(chosen, "Sketch 1");
  documents = {"Note 2"};
  EXPECT_EQ(Visible(menu), (Strings{"Note 2"}));
  editor->GetAction("documents.1")->GetUiAction()->trigger();
  EXPECT_EQ(chosen, "Note 2");

  EXPECT_EQ(Visible(Menu("Window")), (Strings{"Documents"}));
  other->Activate();
  EXPECT_EQ(Visible(bar_), (Strings{"File"})) << "the list goes with its profile";
}

}  // namespace
