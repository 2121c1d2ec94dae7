// What a client sees around switches: which Build() hooks run, what tool
// buttons and menus show afterwards, and that stale or dead entries never
// act. Each case here once went wrong.
#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiActionGroup.h"
#include "tests/support/ProfileWidgets.h"

namespace {

// Filled at its first Build(), as a profile written in C++ usually is.
struct Filled : FilledProfile {
  Filled(const oxString& name, const oxString& base, const Fill& fill)
      : FilledProfile(name, base, fill, FillAt::Build) {}
};

// Whether the button's toolbar entry shows, and whether the button and the
// entry are enabled.
std::string Seen(uiToolButton* button) {
  return std::string(button->ToolBarEntry()->isVisible() ? "shown" : "hidden") +
         (button->isEnabled() ? " on" : " off") + (button->ToolBarEntry()->isEnabled() ? " on" : " off");
}

// The visible entry of a menu titled `text`, after the menu opened.
QAction* Entry(QMenu* menu, const QString& text) {
  for (QAction* a : menu->actions())
    if (a->isVisible() && a->text().remove('&').section('\t', 0, 0) == text) return a;
  return nullptr;
}

class SwitchContract : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    gui_->GetMainWindow()->Show();
  }
};

// Base: File/Save (Ctrl+S) and a toolbar "New" with New and Save buttons.
// Viewer takes the Save button away and replaces the Save menu entry.
class ToolButtons : public SwitchContract {
 protected:
  void SetUp() override {
    SwitchContract::SetUp();
    base_ = new Filled("Base", "", [this](fwg::Profile* p) {
      p->AddMenu(p->AddAction("file", "File"), "File");
      save_ = p->AddAction("save", "Save", {}, "Ctrl+S");
      p->AddMenu(save_, "File/Save");
      p->AddToolBar(p->AddAction("new", "New"), "");
      p->AddToolBar(save_, "New/Extra");
    });
    viewer_ = new Filled("Viewer", "Base", [](fwg::Profile* p) {
      p->RemoveToolBar("New/Save");
      p->ReplaceMenu(p->AddAction("print", "Print"), "File/Save");
    });
  }
  Filled *base_, *viewer_;
  fwg::Action* save_ = nullptr;
};

TEST_F(ToolButtons, ATakenAwayButtonStaysAwayAndABroughtBackOneKeepsItsState) {
  base_->Activate();
  viewer_->Activate();
  uiToolButton* button = ButtonOf(save_);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(Seen(button).substr(0, 6), "hidden") << "withdrawing the shortcut re-showed it";
  save_->SetEnabled(false);
  save_->SetText("Save all");
  EXPECT_EQ(Seen(button).substr(0, 6), "hidden");
  base_->Activate();
  EXPECT_EQ(Seen(button), "shown off off") << "a disabled action's button came back usable";
  save_->SetEnabled(true);
  EXPECT_EQ(Seen(button), "shown on on");
}

TEST_F(ToolButtons, ASharedButtonFollowsTheActionInForce) {
  auto* replacer = new Filled("Replacer", "Base", [](fwg::Profile* p) { p->ReplaceAction("save"); });
  base_->Activate();
  replacer->Activate();
  fwg::Action* replacement = replacer->GetAction("save", false);
  ASSERT_NE(replacement, save_);
  uiToolButton* button = ButtonOf(save_);
  save_->SetEnabled(false);
  EXPECT_EQ(Seen(button), "shown on on") << "the replaced action is not in force";
  replacement->SetEnabled(false);
  EXPECT_EQ(Seen(button), "shown off off");
  replacement->SetEnabled(true);
  base_->Activate();
  EXPECT_EQ(Seen(button), "shown off off") << "back to the replaced action's state";
}

TEST_F(SwitchContract, MenusShowWhatTheirOpeningHandlersChanged) {
  auto* profile = new Filled("P", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "File"), "File");
    p->AddMenu(p->AddAction("open", "Open"), "File/Open");
    p->AddContextMenu(p->AddAction("cut", "Cut"), "Edit");
  });
  profile->Activate();
  fwg::Action *open = profile->GetAction("open"), *cut = profile->GetAction("cut");
  open->SetEnabled(false);
  cut->SetVisible(false);
  QMenu* file = profile->GetMenu("File");
  auto* edit = dynamic_cast<uiPopupMenu*>(profile->GetContextMenuObjectFromPath("Edit"));
  ASSERT_NE(edit, nullptr);
  QObject::connect(file, &QMenu::aboutToShow, [&] { open->SetEnabled(true); });
  QObject::connect(edit, &QMenu::aboutToShow, [&] { cut->SetVisible(true); });

  file->popup(QPoint(0, 0));
  QAction* entry = Entry(file, "Open");
  EXPECT_TRUE(entry && entry->isEnabled());
  file->hide();
  profile->PopupContextMenu("Edit", 0, 0);
  EXPECT_NE(Entry(edit, "Cut"), nullptr);
  edit->hide();
}

struct ChangeCounter : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ActionChanged) ++count;
    return false;
  }
  int count = 0;
};

TEST_F(SwitchContract, APlatformMenuBarGetsEveryChangeOfASwitch) {
  auto fill = [](fwg::Profile* p) {
    for (const char* menu : {"One", "Two", "Three"})
      p->AddMenu(p->AddAction(oxString(menu) + p->GetName(), menu), menu);
  };
  auto *a = new Filled("A", "", fill), *b = new Filled("B", "", fill);
  a->Activate();
  b->Activate();
  QMenuBar* bar = gui_->GetMainWindow()->MenuBar();
  for (const bool native : {false, true}) {
    uiMenuData::NativeQuery always = [](const QMenuBar*) { return true; };
    uiMenuData::SetNativeMenuBarQuery(native ? always : nullptr);
    ChangeCounter counter;
    bar->installEventFilter(&counter);
    a->Activate();
    bar->removeEventFilter(&counter);
    // Three entries hidden and three shown.
    EXPECT_EQ(counter.count, native ? 6 : 1) << "native " << native;
    b->Activate();
  }
  uiMenuData::SetNativeMenuBarQuery(nullptr);
}

TEST_F(SwitchContract, ATornOffMenuFollowsSwitchesAndHiddenItemsNeverFire) {
  auto* base = new Filled("Base", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("tools", "Tools"), "Tools");
    p->AddMenu(p->AddAction("run", "Run"), "Tools/Run");
  });
  auto* other = new Filled("Other", "Base", [](fwg::Profile* p) { p->RemoveMenu("Tools/Run"); });
  base->Activate();
  QMenu* tools = base->GetMenu("Tools");
  tools->setTearOffEnabled(true);
  tools->popup(QPoint(0, 0));
  QAction* proxy = Entry(tools, "Run");
  ASSERT_NE(proxy, nullptr);
  tools->hide();
  tools->showTearOffMenu(QPoint(0, 0));
  int runs = 0;
  base->GetAction("run")->OnActivate().Connect(nullptr, [&] { ++runs; });

  other->Activate();
  EXPECT_FALSE(proxy->isVisible()) << "the torn-off copy kept a stale entry";
  proxy->trigger();
  EXPECT_EQ(runs, 0);
  base->Activate();
  EXPECT_TRUE(proxy->isVisible());
  proxy->trigger();
  EXPECT_EQ(runs, 1);
  tools->hideTearOffMenu();
}

// A dock widget whose maker records a menu item on the profile that is
// being entered.
struct RecordingMaker : oxaw::IWidgetCreator {
  fwg::Profile* target = nullptr;
  uiWidget* Create(uiWidget* parent, const oxString& name) override {
    for (int i = 0; i < 40; ++i) {  // enough to make the item list grow
      const oxString n = "extra" + std::to_string(i);
      target->AddMenu(target->AddAction(n, n), "Extra/" + n);
    }
    auto* w = new uiWidgetT<QWidget>(uiImpl(parent));
    w->SetName(name);
    return w;
  }
};

TEST_F(SwitchContract, ItemsRecordedWhileAProfileIsEnteredAreInForceOnce) {
  auto* maker = new RecordingMaker;
  auto* docked = new Filled("Docked", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("extra", "Extra"), "Extra");
    p->AddDockWidget("Log", "BOTTOM");
  });
  maker->target = docked;
  oxaw::WidgetManager::Get()->RegisterWidget("Log", maker);
  auto* plain = new Filled("Plain", "", {});
  docked->Activate();
  const Strings extra = Visible(docked->GetMenu("Extra"));
  ASSERT_EQ(extra.size(), 41u);  // its own entry and forty more
  EXPECT_EQ(extra.back(), "extra39");
  plain->Activate();
  EXPECT_FALSE(docked->GetMenuObjectFromPath("Extra"));
  docked->Activate();
  EXPECT_NE(docked->GetMenuObjectFromPath("Extra/extra0"), nullptr);
}

TEST_F(SwitchContract, AnActionInTwoGroupsLeavesBothWhenDeleted) {
  auto* first = new fwg::ActionGroup("first", nullptr, false);
  auto* second = new fwg::ActionGroup("second", nullptr, false);
  auto* shared = new fwg::Action("shared", nullptr, false);
  first->AddAction(shared);
  second->AddAction(shared);
  delete shared;
  EXPECT_TRUE(first->GetActionList().empty() &&
              dynamic_cast<uiActionGroup*>(first->GetUiAction())->Members().empty());
  first->SetActive(false);  // would touch the deleted action
  delete first;
  delete second;
}

}  // namespace
