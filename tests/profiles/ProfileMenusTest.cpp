// Profiles editing the shared menu bar, toolbars and context menus, and
// switching between profile chains, on a real main window.
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiMenuBar.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"
#include "tests/support/FilledProfile.h"
#include "tests/support/Visible.h"
#include "tests/support/WithGui.h"

namespace {

class ProfileMenus : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    window_ = Window();
    bar_ = window_->MenuBar();
  }

  uiPopupMenu* Menu(const oxString& path) { return anyProfile_->GetMenu(path); }
  uiToolBar* ToolBar(const oxString& name) {
    for (QToolBar* bar : window_->findChildren<QToolBar*>()) {
      if (bar->objectName() == uiStr(name)) return dynamic_cast<uiToolBar*>(bar);
    }
    return nullptr;
  }
  static int CountMenusAndToolBars(QWidget* window) {
    return static_cast<int>(window->findChildren<QMenu*>().size() +
                            window->findChildren<QToolBar*>().size());
  }

  uiMainWindow* window_ = nullptr;
  uiMenuBar* bar_ = nullptr;
  fwg::Profile* anyProfile_ = nullptr;
};

TEST_F(ProfileMenus, SwitchingShowsExactlyTheActiveChainWithoutRebuilding) {
  fwg::Action* undo = nullptr;
  fwg::Action* zoom = nullptr;
  fwg::Action* save = nullptr;
  fwg::Action* print = nullptr;
  auto* base = new FilledProfile("Base", "", [&](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
    save = p->AddAction("save", "&Save", {}, "Ctrl+S");
    p->AddMenu(save, "File/Save");
    p->AddMenu(p->AddAction("quit", "&Quit", {}, "Ctrl+Q"), "File/Quit");
  });
  auto* a = new FilledProfile("A", "Base", [&](fwg::Profile* p) {
    p->AddMenu(p->AddAction("edit", "&Edit"), "Edit");
    undo = p->AddAction("undo", "&Undo", {}, "Ctrl+Z");
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
    p->RemoveMenu("File/Quit");
    print = p->AddAction("print", "&Print", {}, "Ctrl+P");
    p->ReplaceMenu(print, "File/Save");
  });
  anyProfile_ = base;

  a->Activate();
  EXPECT_EQ(Visible(bar_), (Strings{"File", "Edit"}));
  EXPECT_EQ(Visible(Menu("File")), (Strings{"File", "Save", "Recent", "Export", "Quit"}));
  EXPECT_EQ(Visible(Menu("Edit")), (Strings{"Edit", "Undo", "Cut", "-", "Paste"}));
  EXPECT_EQ(Visible(Menu("File/Export")), (Strings{"PDF", "PNG"}));
  ASSERT_NE(ToolBar("Undo"), nullptr);
  EXPECT_FALSE(ToolBar("Undo")->isHidden());
  EXPECT_EQ(undo->GetUiAction()->shortcut(), QKeySequence("Ctrl+Z"));
  auto* doc = dynamic_cast<uiPopupMenu*>(a->GetContextMenuObjectFromPath("Doc"));
  ASSERT_NE(doc, nullptr);
  EXPECT_FALSE(doc->isVisible()) << "context menus appear only when popped up";
  EXPECT_EQ(Visible(doc), (Strings{"Copy", "Select"}));

  uiPopupMenu* editMenu = Menu("Edit");
  uiToolBar* undoBar = ToolBar("Undo");

  b->Activate();
  EXPECT_EQ(fwg::ProfileManager::Get()->GetActiveProfile(), b);
  EXPECT_EQ(Visible(bar_), (Strings{"File", "View"}));
  EXPECT_EQ(Visible(Menu("File")), (Strings{"File", "Print"}));
  EXPECT_TRUE(undoBar->isHidden());
  EXPECT_TRUE(undo->GetUiAction()->shortcut().isEmpty()) << "A's shortcut is withdrawn";
  EXPECT_EQ(undo->GetAccel(), "Ctrl+Z") << "but remembered";
  EXPECT_EQ(zoom->GetUiAction()->shortcut(), QKeySequence("Ctrl+Z"));
  EXPECT_TRUE(a->GetAction("cut")->GetUiAction()->shortcut().isEmpty());
  EXPECT_TRUE(save->GetUiAction()->shortcut().isEmpty()) << "replaced entry's key withdrawn";
  EXPECT_EQ(print->GetUiAction()->shortcut(), QKeySequence("Ctrl+P"));

  // Both chains are built now: switching back and forth creates nothing.
  const int widgets = CountMenusAndToolBars(window_);
  a->Activate();
  EXPECT_EQ(Visible(bar_), (Strings{"File", "Edit"}));
  EXPECT_EQ(Visible(Menu("File")), (Strings{"File", "Save", "Recent", "Export", "Quit"}));
  EXPECT_EQ(save->GetUiAction()->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_TRUE(print->GetUiAction()->shortcut().isEmpty());
  EXPECT_TRUE(zoom->GetUiAction()->shortcut().isEmpty());
  EXPECT_EQ(undo->GetUiAction()->shortcut(), QKeySequence("Ctrl+Z"));
  EXPECT_FALSE(undoBar->isHidden());
  EXPECT_EQ(Menu("Edit"), editMenu) << "the same menu, shown again";
  EXPECT_EQ(ToolBar("Undo"), undoBar);
  b->Activate();
  a->Activate();
  EXPECT_EQ(CountMenusAndToolBars(window_), widgets) << "switching creates nothing";
}

TEST_F(ProfileMenus, PathsNameEntriesWhateverTheSlashes) {
  auto* base = new FilledProfile("Base", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
    p->AddMenu(p->AddAction("open", "&Open"), "File/Open");
    p->AddMenu(p->AddAction("open2", "&Open"), "File/Open");  // a second "Open", after the first
    p->AddMenu(p->AddAction("hidden", "Hidden"), "File/Hidden");
  });
  anyProfile_ = base;
  base->Activate();

  EXPECT_EQ(base->GetMenu(""), nullptr) << "the menu bar is not a popup";
  EXPECT_EQ(base->GetMenuObjectFromPath(""), bar_);
  EXPECT_EQ(base->GetMenuObjectFromPath("File"), base->GetMenu("File"));
  uiObject* open = base->GetMenuObjectFromPath("File/Open");
  EXPECT_EQ(open, base->GetAction("open")->GetUiAction()) << "the first of two equal names";
  EXPECT_EQ(base->GetMenu("File/Open"), nullptr) << "an item is not a menu";
  for (const char* path : {"/File/Open", "File//Open", "File/Open/", "//File/Open"}) {
    EXPECT_EQ(base->GetMenuObjectFromPath(path), open) << path;
  }
  EXPECT_EQ(base->GetMenuObjectFromPath("File/Nope"), nullptr);

  uiPopupMenu* file = base->GetMenu("File");
  const int hiddenId = file->IdAt(3);
  file->SetItemVisible(hiddenId, false);
  EXPECT_EQ(base->GetMenuObjectFromPath("File/Hidden"), nullptr) << "hidden items have no name";
  file->SetItemVisible(hiddenId, true);
  EXPECT_NE(base->GetMenuObjectFromPath("File/Hidden"), nullptr);
}

TEST_F(ProfileMenus, EditsFollowTheirPathsAndReportMisses) {
  auto* base = new FilledProfile("Base", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
    p->AddMenu(p->AddAction("save", "&Save"), "File/Save");
  });
  anyProfile_ = base;
  base->Activate();
  const int menus = bar_->Count();

  auto expectError = [](const std::string& expected, const std::function<void()>& edit) {
    testing::internal::CaptureStderr();
    edit();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);
  };
  // Recorded on the active profile: in force at once.
  expectError("", [&] { base->AddMenu(base->AddAction("top", "Top"), "File/"); });
  expectError("", [&] { base->AddMenu(base->AddAction("tools", "&Tools"), ""); });
  EXPECT_EQ(Visible(base->GetMenu("File")), (Strings{"Top", "File", "Save"}));
  EXPECT_EQ(Visible(bar_), (Strings{"File", "Tools"}));

  expectError("Could not find the item specified by Nope/Thing\n",
              [&] { base->AddMenu(base->AddAction("x", "X"), "Nope/Thing"); });
  expectError("Could not find the item specified by File/Missing/\n",
              [&] { base->AddMenu(base->AddAction("y", "Y"), "File/Missing/"); });
  expectError("Could not find the item specified by File/Gone\n",
              [&] { base->RemoveMenu("File/Gone"); });
  expectError("Could not find the item specified by /\n", [&] { base->RemoveMenu("/"); });
  EXPECT_EQ(bar_->Count(), menus + 1);
  EXPECT_EQ(Visible(base->GetMenu("File")), (Strings{"Top", "File", "Save"}));

  base->AddContextMenu(base->AddAction("copy", "Copy"), "Doc");
  expectError("The already is a context menu named Doc\n",
              [&] { base->AddContextMenu(base->AddAction("again", "Again"), "Doc"); });
  auto* doc = dynamic_cast<uiPopupMenu*>(base->GetContextMenuObjectFromPath("Doc"));
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->Count(), 1);

  // Nothing is recorded for an action found nowhere.
  base->AddMenu("no such action", "File/Save");
  EXPECT_EQ(Visible(base->GetMenu("File")), (Strings{"Top", "File", "Save"}));

  // A context menu pops up by name; an unknown name does nothing.
  base->PopupContextMenu("Doc", 10, 10);
  EXPECT_TRUE(doc->isVisible());
  doc->hide();
  base->PopupContextMenu("Unknown", 10, 10);
}

TEST_F(ProfileMenus, ToolbarsOfTheChainAndTheirRemoval) {
  uiToolBar* made = nullptr;
  auto* base = new FilledProfile("Base", "", [&](fwg::Profile* p) {
    fwg::Action* run = p->AddAction("run", "&Run\tF5");
    p->AddToolBar(run, "");
    p->AddToolBar(p->AddAction("nameless", ""), "");
  });
  auto* derived = new FilledProfile("Derived", "Base", [&](fwg::Profile* p) {
    p->AddToolBar(p->AddAction("step", "Step"), "Run/Missing");  // a button in Run, for good
    p->RemoveToolBar("Run");
  });
  auto* other = new FilledProfile("Other", "");
  anyProfile_ = base;

  base->Activate();
  made = ToolBar("Run");
  ASSERT_NE(made, nullptr) << "named after the text without '&' and the tab";
  ASSERT_NE(ToolBar("nameless"), nullptr) << "an action without text names it";
  EXPECT_EQ(base->GetToolBarList().size(), 2u);
  EXPECT_EQ(base->GetToolBarObjectFromPath("Run"), made);

  derived->Activate();
  EXPECT_TRUE(made->isHidden()) << "taken away while Derived is active";
  const auto list = derived->GetToolBarList();
  EXPECT_EQ(std::count(list.begin(), list.end(), made), 0);
  EXPECT_EQ(derived->GetToolBarObjectFromPath("Run"), nullptr);
  EXPECT_EQ(base->GetToolBarObjectFromPath("Run"), made);

  base->Activate();
  EXPECT_FALSE(made->isHidden());
  EXPECT_EQ(derived->GetToolBarObjectFromPath("Run"), nullptr) << "whether or not in force";
  int buttons = 0;
  for (QObject* child : made->children()) buttons += dynamic_cast<uiToolButton*>(child) ? 1 : 0;
  EXPECT_EQ(buttons, 2) << "the button added to Run stays";

  other->Activate();
  EXPECT_TRUE(made->isHidden()) << "a chain with no common base leaves Base too";
}

TEST_F(ProfileMenus, AnEntryHiddenWhileWithdrawnComesBackHidden) {
  auto* base = new FilledProfile("Base", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
  });
  auto* a = new FilledProfile("A", "Base", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("one", "One"), "File/One");
    p->AddMenu(p->AddAction("two", "Two"), "File/Two");
  });
  auto* b = new FilledProfile("B", "Base");
  anyProfile_ = base;
  a->Activate();
  uiPopupMenu* file = a->GetMenu("File");
  const int two = file->IdAt(2);
  file->SetItemVisible(two, false);  // hidden by other means
  b->Activate();
  a->Activate();
  EXPECT_EQ(Visible(file), (Strings{"File", "One"}));
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

}  // namespace
