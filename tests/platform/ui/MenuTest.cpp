#include <QApplication>

#include "platform/ui/guiTrapableDialog.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiActionGroup.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiMenuBar.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"
#include "tests/support/TestBasics.h"

namespace {

class MenuFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<uiMainWindow>(nullptr, "Main");
    bar_ = window_->MenuBar();
    window_->show();
  }

  // The Qt action behind the menu item with the id.
  static QAction* Proxy(uiMenuData* menu, int id) {
    return menu->MenuWidget()->actions().value(menu->IndexOf(id));
  }
  // What a user sees once the popup opens.
  static void Open(uiPopupMenu* popup) {
    popup->popup(QPoint(0, 0));
    popup->hide();
  }
  // The names of the menu's item actions in order, separators as "-".
  static std::string Items(uiMenuData* menu) {
    std::string out;
    for (int i = 0; i < menu->Count(); ++i) {
      const int id = menu->IdAt(i);
      out += (i ? "," : "") + (menu->IsSeparator(id) ? "-" : menu->ItemAction(id)->Name());
    }
    return out;
  }

  std::unique_ptr<uiMainWindow> window_;
  uiMenuBar* bar_ = nullptr;
};

TEST_F(MenuFixture, AnActionShowsInSeveralMenusThatHideItemsIndependently) {
  auto *file = new uiPopupMenu(window_.get(), "File"), *edit = new uiPopupMenu(window_.get(), "Edit");
  auto* tools = new uiToolBar(window_.get(), "Tools");
  bar_->InsertItem("&File", file);
  bar_->InsertItem("&Edit", edit);
  auto* save = new uiAction(window_.get(), "save");
  save->SetMenuText("&Save");
  save->SetText("Save");
  save->SetAccel(uiKeySequence("Ctrl+S"));
  ASSERT_TRUE(save->AddTo(file) && save->AddTo(edit) && save->AddTo(tools));
  EXPECT_FALSE(save->AddTo(nullptr));

  const auto places = save->GetActionItems();
  ASSERT_EQ(places.size(), 3u);
  EXPECT_EQ((std::vector<uiObject*>{places[0].widget, places[1].widget}), (std::vector<uiObject*>{file, edit}));
  EXPECT_TRUE(places[2].widget->IsA("uiToolButton"));
  const int fileId = places[0].id;
  EXPECT_EQ(uiAction::ActionLookup(fileId), save);
  EXPECT_EQ(file->Text(fileId, true) + "|" + file->Text(fileId, false) + "|" + bar_->Text(bar_->IdAt(0)),
            "Save|&Save|File");

  file->SetItemVisible(fileId, false);
  EXPECT_FALSE(file->IsItemVisible(fileId)) << "queries answer at once";
  Open(file);
  Open(edit);
  EXPECT_FALSE(Proxy(file, fileId)->isVisible());
  EXPECT_TRUE(Proxy(edit, places[1].id)->isVisible());
  auto* button = static_cast<uiToolButton*>(places[2].widget);
  EXPECT_TRUE(button->IsShown());
  EXPECT_EQ(save->shortcut(), QKeySequence("Ctrl+S")) << "hiding an item keeps the key";
  EXPECT_EQ(Proxy(edit, places[1].id)->text(), "&Save\tCtrl+S");
  EXPECT_TRUE(Proxy(edit, places[1].id)->shortcut().isEmpty()) << "one owner per key";

  // Hiding the action itself hides it everywhere.
  save->SetVisible(false);
  Open(edit);
  EXPECT_FALSE(Proxy(edit, places[1].id)->isVisible());
  EXPECT_FALSE(button->ToolBarEntry()->isVisible()) << "the entry keeps its own flag";
  EXPECT_TRUE(button->IsShown());
}

// Paths are looked up by the plain text an entry shows, whether its menu
// has caught up with the entry's last change or not.
TEST_F(MenuFixture, AnEntryIsFoundByTheTextItShowsNow) {
  auto* file = new uiPopupMenu(window_.get(), "File");
  bar_->InsertItem("&File", file);
  std::vector<uiAction*> actions;
  for (const char* text : {"&New", "Fish && Chips", "&Save\tCtrl+S", "Gr\u00fc&n"}) {
    actions.push_back(new uiAction(window_.get(), text));
    actions.back()->SetMenuText(text);
    ASSERT_TRUE(actions.back()->AddTo(file));
  }
  const auto find = [file](const char* plain) { return file->FindVisibleItem(plain); };
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(find("New"), 0);
    EXPECT_EQ(find("Fish & Chips"), 1);
    EXPECT_EQ(find("Save"), 2);
    EXPECT_EQ(find("Gr\u00fcn"), 3);
    EXPECT_EQ(find("Fish && Chips"), -1);
    Open(file);  // the entries caught up
  }
  actions[2]->SetMenuText("Save &As\u2026");
  actions[0]->QAction::setText("&Open");
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(find("Save As\u2026"), 2);
    EXPECT_EQ(find("Open"), 0);
    EXPECT_EQ(find("Save") + find("New"), -2);
    Open(file);
  }
  file->SetItemVisible(file->IdAt(0), false);
  EXPECT_EQ(find("Open"), -1) << "a hidden entry is no path's end";
}

TEST_F(MenuFixture, TriggeringAnItemReachesItsActionOnce) {
  auto* menu = new uiPopupMenu(window_.get(), "Menu");
  auto *plain = new uiAction(window_.get(), "plain"), *check = new uiAction(window_.get(), "check");
  check->SetToggleAction(true);
  std::vector<std::string> log;
  oxListener<> listener;
  for (auto [action, name] : {std::pair{plain, "plain"}, std::pair{check, "check"}}) {
    action->AddTo(menu);
    action->OnActivate().Connect(&listener, [&log, name = std::string(name)] { log.push_back(name); });
    action->OnToggle().Connect(&listener, [&log](bool on) { log.push_back(on ? "on" : "off"); });
  }

  Proxy(menu, menu->IdAt(0))->trigger();
  Proxy(menu, menu->IdAt(1))->trigger();  // a checkable action toggles instead
  Open(menu);
  EXPECT_TRUE(Proxy(menu, menu->IdAt(1))->isChecked());
  plain->Toggle();  // nothing for a plain action
  check->Activate();
  EXPECT_EQ(log, (std::vector<std::string>{"plain", "on", "off"}));
}

TEST_F(MenuFixture, ABatchLaysTheMenuBarOutOnceAtItsEnd) {
  auto *a = new uiPopupMenu(window_.get(), "A"), *b = new uiPopupMenu(window_.get(), "B");
  const int ia = bar_->InsertItem("A", a);
  const int ib = bar_->InsertItem("B", b);
  {
    uiMenuBatch batch;
    bar_->SetItemVisible(ia, false);
    bar_->SetItemVisible(ib, false);
    EXPECT_FALSE(bar_->IsItemVisible(ia));
    EXPECT_TRUE(Proxy(bar_, ia)->isVisible()) << "nothing reaches Qt inside a batch";
    bar_->SetItemVisible(ib, true);
  }
  EXPECT_FALSE(Proxy(bar_, ia)->isVisible());
  EXPECT_TRUE(Proxy(bar_, ib)->isVisible());
  // The bar's geometry follows: only B takes room.
  QCoreApplication::processEvents();
  EXPECT_TRUE(bar_->actionGeometry(Proxy(bar_, ia)).isEmpty());
  EXPECT_FALSE(bar_->actionGeometry(Proxy(bar_, ib)).isEmpty());
}

TEST_F(MenuFixture, DestroyingAnActionTakesItsItemsAndButtonsAway) {
  auto* menu = new uiPopupMenu(window_.get(), "Menu");
  auto* toolbar = new uiToolBar(window_.get(), "Bar");
  auto *keep = new uiAction(window_.get(), "keep"), *gone = new uiAction(window_.get(), "gone");
  keep->AddTo(menu);
  gone->AddTo(menu);
  gone->AddTo(toolbar);
  const int goneId = menu->IdAt(1);
  delete gone;
  EXPECT_EQ(Items(menu), "keep");
  EXPECT_EQ(uiAction::ActionLookup(goneId), nullptr);
  for (QObject* child : toolbar->children())
    EXPECT_EQ(dynamic_cast<uiToolButton*>(child), nullptr) << "the button went with its action";

  delete menu;
  EXPECT_TRUE(keep->GetActionItems().empty()) << "a deleted menu leaves no place behind";
}

TEST_F(MenuFixture, AGroupSideBySideGivesEachMemberItsOwnItem) {
  auto* menu = new uiPopupMenu(window_.get(), "Menu");
  auto* first = new uiAction(window_.get(), "first");
  first->AddTo(menu);
  auto* group = new uiActionGroup(window_.get(), "group", false);
  auto *left = new uiAction(window_.get(), "left"), *right = new uiAction(window_.get(), "right");
  group->Add(left);
  group->AddSeparator();
  group->Add(right);
  group->AddTo(menu, 0);
  EXPECT_EQ(Items(menu), "left,-,right,first");

  // A drop-down group is one entry opening a menu of its members.
  auto* drop = new uiActionGroup(window_.get(), "drop", false);
  drop->SetMenuText("More");
  drop->Add(new uiAction(window_.get(), "m1"));
  drop->SetUsesDropDown(true);
  drop->AddTo(menu);
  ASSERT_EQ(menu->Count(), 5);
  uiPopupMenu* sub = menu->FindItemPopup(menu->IdAt(4));
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(Items(sub), "m1");
  EXPECT_EQ(menu->Text(menu->IdAt(4)), "More");
  // Greyed with the group (a list with nothing in it), in a second menu too.
  auto* other = new uiPopupMenu(window_.get(), "Other");
  drop->SetEnabled(false);
  drop->AddTo(other);
  EXPECT_FALSE(menu->IsItemEnabled(menu->IdAt(4)));
  EXPECT_FALSE(other->IsItemEnabled(other->IdAt(0)));
  drop->SetEnabled(true);
  EXPECT_TRUE(menu->IsItemEnabled(menu->IdAt(4)) && other->IsItemEnabled(other->IdAt(0)));
  delete other;
  drop->SetEnabled(false);  // the menu that went is left alone
  menu->Synchronise();
  EXPECT_FALSE(menu->actions().at(4)->isEnabled()) << "the entry on screen";
}

TEST(ModelessDialogs, SwitchingOffDisablesEveryOpenModelessDialog) {
  guiTrapableDialog::helper& helper = guiTrapableDialog::s_helper;
  auto first = std::make_unique<guiTrapableDialog>(nullptr, "first", false);
  auto second = std::make_unique<guiTrapableDialog>(nullptr, "second", false);
  auto modal = std::make_unique<guiTrapableDialog>(nullptr, "modal", true);
  first->show();
  second->show();
  modal->setEnabled(true);

  // Modal dialogs are not modeless; one shown while the switch is off starts
  // disabled too.
  helper.setModelessDialogs(false);
  auto late = std::make_unique<guiTrapableDialog>(nullptr, "late", false);
  late->show();
  auto enabled = [&] {
    return std::vector<bool>{first->isEnabled(), second->isEnabled(), modal->isEnabled(), late->isEnabled()};
  };
  EXPECT_EQ(enabled(), (std::vector<bool>{false, false, true, false}));
  helper.setModelessDialogs(true);
  EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true}));

  // The most recently shown visible one comes to the front; a destroyed one
  // is forgotten.
  late.reset();
  helper.activateTopModeless();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), second.get());
  EXPECT_TRUE(helper.isActiveModeless());
}

}  // namespace
