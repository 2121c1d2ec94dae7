#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>

#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiActionGroup.h"
#include "platform/ui/uiFrame.h"
#include "tests/support/Output.h"
#include "tests/support/ProfileWidgets.h"

namespace {

using Actions = oxStlVector<fwg::Action*>;

// A maker that titles its widget and gives it a name of its own (or none).
class TitledMaker : public oxaw::IWidgetCreator {
 public:
  TitledMaker(const char* title, const char* name) : title_(title), name_(name) {}
  uiWidget* Create(uiWidget* parent, const oxString&) override {
    auto* frame = new uiFrame(parent, name_, 0);
    frame->SetCaption(title_);
    return frame;
  }

 private:
  oxString title_, name_;
};

class ProfileDocks : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    window_ = Window();
    window_->Show();
    auto* maker = new fwg::Profile("Maker", "");
    for (const char* name : {"Tree", "Props", "Log", "Output", "Find", "Watch"})
      maker->RegisterWidget(name);
  }

  // A profile docking each widget at its path; a widget without a path is
  // taken away.
  static fwg::Profile* Docked(const char* name, const char* base,
                              std::vector<std::pair<const char*, const char*>> docks) {
    return new FilledProfile(name, base, [docks](fwg::Profile* p) {
      for (const auto& [widget, path] : docks) {
        if (path) p->AddDockWidget(widget, path);
        else p->RemoveDockWidget(widget);
      }
    });
  }
  static uiWidget* Widget(const fwg::Profile* profile, const oxString& name) {
    for (uiWidget* widget : profile->GetDockWidgetList()) if (widget->Name() == name) return widget;
    return nullptr;
  }
  QDockWidget* Dock(const QString& name) const {
    const auto docks = window_->findChildren<QDockWidget*>(name);
    return docks.size() == 1 ? docks[0] : nullptr;
  }
  Qt::DockWidgetArea Area(const QString& name) const {
    QDockWidget* dock = Dock(name);
    return dock ? window_->dockWidgetArea(dock) : Qt::NoDockWidgetArea;
  }
  // The tab texts of a dock window, then "bar" when its tab bar shows;
  // "hidden" for a dock window not shown.
  std::string Tabs(const QString& name) const {
    if (!Dock(name)->isVisible()) return "hidden";
    auto* tabs = qobject_cast<QTabWidget*>(Dock(name)->widget());
    std::string out;
    for (int i = 0; tabs && i < tabs->count(); ++i) out += tabs->tabText(i).toStdString() + " ";
    return out + (tabs && tabs->tabBar()->isVisible() ? "bar" : "");
  }
  // Each registered widget the profile has a toggle for, '+' when the
  // profile says it is visible, '-' when not; by the toggles' check marks
  // instead when `checks` is set.
  static std::string Toggles(const fwg::Profile* profile, bool checks = false) {
    std::string out;
    for (const char* name : {"Tree", "Props", "Log", "Output", "Find", "Watch", "Search"}) {
      const fwg::Action* toggle = profile->GetDockToggleAction(name);
      const bool on = checks ? toggle && toggle->IsChecked() : profile->IsDockWidgetVisible(name);
      if (toggle) out += std::string(name) + (on ? "+ " : "- ");
    }
    return out;
  }

  uiMainWindow* window_ = nullptr;
};

TEST_F(ProfileDocks, PathsChooseAreaAndDockWindow) {
  const struct {
    const char *widget, *path, *dock;
    Qt::DockWidgetArea area;
    const char* shownPath;  // alone in a dock window: area and widget
  } rows[] = {
      {"Tree", "right", "Tree", Qt::RightDockWidgetArea, "/RIGHT/Tree"},
      {"Props", "LEFT", "Props", Qt::LeftDockWidgetArea, "/LEFT/Props"},
      {"Log", "middle", "Log", Qt::LeftDockWidgetArea, "/LEFT/Log"},
      {"Output", "/", "Output", Qt::LeftDockWidgetArea, "/LEFT/Output"},
      {"Find", "", "Find", Qt::LeftDockWidgetArea, "/LEFT/Find"},
      {"Watch", "//TOP//Tools/extra", "Tools", Qt::TopDockWidgetArea, "/TOP/Watch"},
  };
  std::vector<std::pair<const char*, const char*>> docks;
  for (const auto& row : rows) docks.push_back({row.widget, row.path});
  fwg::Profile* profile = Docked("Areas", "", docks);
  profile->Activate();
  for (const auto& row : rows) {
    uiWidget* widget = Widget(profile, row.widget);
    ASSERT_NE(widget, nullptr) << row.widget;
    EXPECT_EQ(Area(row.dock), row.area) << row.widget;
    EXPECT_TRUE(Dock(row.dock)->isAncestorOf(widget->GetWidget())) << row.widget;
    EXPECT_EQ(profile->GetDockWidgetPath(widget), row.shownPath);
  }
  EXPECT_FALSE(Dock("extra") || Dock("Watch")) << "Watch went into Tools";
  EXPECT_EQ(profile->GetDockWidgetPath(nullptr), "");
  EXPECT_EQ(profile->GetDockWidgetList().size(), 6u);

  // The checkable toggle action carries the widget's name.
  fwg::Action* toggle = profile->GetDockToggleAction("Tree");
  EXPECT_EQ(toggle->GetText() + (toggle->IsCheckable() ? " checkable" : ""), "Tree checkable");
  EXPECT_EQ(Toggles(profile, true), "Tree+ Props+ Log+ Output+ Find+ Watch+ ");
  EXPECT_FALSE(profile->IsDockWidgetVisible("Nothing"));
}

// Titles in German, from the test profile "Writer"'s translation file.
using ProfileDockTitles = InGerman<ProfileDocks>;

TEST_F(ProfileDockTitles, WindowTitlesOfWidgetsNameDocksTabsAndToggles) {
  auto* profile = new FilledProfile("Writer", "", [](fwg::Profile* p) {
    p->RegisterWidget("Outline", new TitledMaker("Open", ""));
    p->RegisterWidget("Search", new TitledMaker("Find", "finder"));
    p->AddDockWidget("Outline", "RIGHT");
    p->AddDockWidget("Search", "LEFT/Side");
    p->AddDockWidget("Tree", "LEFT/Side");
  });
  profile->Activate();

  EXPECT_EQ(Dock("Outline")->windowTitle(), "Öffnen");
  EXPECT_EQ(profile->GetDockToggleAction("Outline")->GetText(), "Öffnen");
  ASSERT_NE(Widget(profile, "Outline"), nullptr) << "an unnamed widget takes the registered name";
  EXPECT_EQ(Tabs("Side"), "Find Tree bar") << "no title: the registered name";

  // A widget the maker named otherwise is still found by its registered name.
  EXPECT_EQ(profile->GetDockWidgetPath(Widget(profile, "finder")), "/LEFT/Side/Search");
  EXPECT_EQ(profile->GetDockToggleAction("Search")->GetText(), "Find");
  profile->SetDockWidgetVisible("Search", false);
  EXPECT_EQ(Toggles(profile), "Tree+ Search- ");
  EXPECT_EQ(Tabs("Side"), "Tree ");
}

// The short way: an ordinary Qt widget docked by its window title.
TEST_F(ProfileDocks, PlainWidgetIsDockedByItsTitleInOneCallAndGoesWithItsProfile) {
  QPointer<QLabel> notes = new QLabel("notes");
  notes->setWindowTitle("Notes");
  QLabel untitled;
  fwg::Profile* profile = nullptr;
  EXPECT_EQ(StderrOf([&] {
              profile = new FilledProfile("Plain", "", [&](fwg::Profile* p) {
                p->AddDockWidget(notes.data(), "RIGHT");
                p->AddDockWidget(&untitled, "LEFT");
              });
            }),
            "fwg: Profile::AddDockWidget: a dock widget needs a window title or an object name\n");
  profile->Activate();
  EXPECT_EQ(Area("Notes"), Qt::RightDockWidgetArea);
  EXPECT_TRUE(notes->isVisible());
  EXPECT_TRUE(profile->IsDockWidgetVisible("Notes"));
  delete profile;
  EXPECT_TRUE(notes.isNull());
}

TEST_F(ProfileDocks, NamedDockWindowHoldsWidgetsAsTabs) {
  fwg::Profile* profile = Docked("Tabs", "", {{"Tree", "RIGHT/Side"}, {"Props", "RIGHT/Side"}});
  profile->Activate();
  ASSERT_NE(Dock("Side"), nullptr);
  EXPECT_EQ(Tabs("Side"), "Tree Props bar");
  uiWidget *props = Widget(profile, "Props"), *tree = Widget(profile, "Tree");
  EXPECT_EQ(profile->GetDockWidgetPath(props), "/RIGHT/Side/Props");

  // With one of them turned off the other fills the window without tabs;
  // turned on again it is back in its place and current.
  profile->SetDockWidgetVisible("Tree", false);
  EXPECT_EQ(Toggles(profile) + Tabs("Side"), "Tree- Props+ Props ");
  EXPECT_FALSE(tree->IsVisible() || !props->IsVisible());
  profile->SetDockWidgetVisible("Tree", true);
  EXPECT_EQ(Tabs("Side"), "Tree Props bar");
  EXPECT_EQ(qobject_cast<QTabWidget*>(Dock("Side")->widget())->currentIndex(), 0);

  // Unchecking toggle actions is the user's way: widgets off, and the dock
  // window goes when nothing is left in it.
  const char* const clicks[][2] = {{"Tree", "Tree- Props+ Tree- Props+ Props "},
                                   {"Props", "Tree- Props- Tree- Props- hidden"},
                                   {"Props", "Tree- Props+ Tree- Props+ Props "}};
  for (const auto& [toggle, seen] : clicks) {
    profile->GetDockToggleAction(toggle)->Activate();
    EXPECT_EQ(Toggles(profile) + Toggles(profile, true) + Tabs("Side"), seen) << toggle;
    EXPECT_EQ(props->IsVisible(), Dock("Side")->isVisible()) << toggle;
  }
}

TEST_F(ProfileDocks, ExistingDockWindowIsReusedWhereItIsAndLeftWithItsProfile) {
  fwg::Profile* base = Docked("Base", "", {{"Tree", "RIGHT/Side"}});
  fwg::Profile* derived = Docked("Derived", "Base", {{"Log", "bottom/Side"}});
  derived->Activate();
  ASSERT_NE(Dock("Side"), nullptr);  // one dock window of that name
  EXPECT_EQ(Area("Side"), Qt::RightDockWidgetArea);
  EXPECT_EQ(derived->GetDockWidgetPath(Widget(derived, "Log")), "/RIGHT/Side/Log");
  EXPECT_EQ(derived->GetDockWidgetList().size(), 2u);

  // Leaving the derived profile takes its tab out; the base's stays.
  base->Activate();
  EXPECT_EQ(Tabs("Side") + std::to_string(base->GetDockWidgetList().size()), "Tree 1");
}

struct SpontaneousHides : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide && event->spontaneous()) ++count;
    return false;
  }
  int count = 0;
};

TEST_F(ProfileDocks, HidingTheDockWindowTurnsItsWidgetsOffUnlessTheSystemDidIt) {
  fwg::Profile* profile =
      Docked("Hides", "", {{"Tree", "LEFT/Side"}, {"Props", "LEFT/Side"}, {"Log", "BOTTOM"}});
  profile->Activate();
  QDockWidget* side = Dock("Side");
  ASSERT_TRUE(side->isVisible());

  // Minimising the main window hides the docks spontaneously.
  SpontaneousHides hides;
  side->installEventFilter(&hides);
  window_->setWindowState(Qt::WindowMinimized);
  ASSERT_EQ(hides.count, 1);
  EXPECT_EQ(Toggles(profile) + Toggles(profile, true), "Tree+ Props+ Log+ Tree+ Props+ Log+ ");
  window_->setWindowState(Qt::WindowNoState);
  EXPECT_TRUE(side->isVisible());

  // Closing the dock window is the user's choice for all its widgets.
  side->close();
  EXPECT_EQ(Toggles(profile) + Toggles(profile, true) + Tabs("Side") + Tabs("Log"),
            "Tree- Props- Log+ Tree- Props- Log+ hidden");

  // One toggle brings the window back with that widget alone.
  profile->GetDockToggleAction("Props")->Activate();
  EXPECT_EQ(Tabs("Side"), "Props ");

  // Made to float, as a drag does, the window is hidden and shown again by
  // Qt: that turns nothing off. A hide that lasts does.
  Dock("Log")->setFloating(true);
  QCoreApplication::processEvents();
  EXPECT_TRUE(Widget(profile, "Log")->IsVisible());
  EXPECT_EQ(Toggles(profile, true), "Tree- Props+ Log+ ");
  Dock("Log")->hide();
  QCoreApplication::processEvents();
  EXPECT_EQ(Toggles(profile, true), "Tree- Props+ Log- ");
}

TEST_F(ProfileDocks, RemoveItemHidesTheBaseWidgetWhileItsProfileIsActive) {
  fwg::Profile* base = Docked("Base", "", {{"Tree", "RIGHT"}});
  fwg::Profile *derived = Docked("Derived", "Base", {{"Tree", nullptr}}), *other = Docked("Other", "", {});
  base->Activate();
  uiWidget* tree = Widget(base, "Tree");
  ASSERT_NE(tree, nullptr);

  // No toggle either: it must not bring the widget back behind the remove
  // item's back.
  derived->Activate();
  EXPECT_FALSE(tree->IsVisible() || Dock("Tree")->isVisible());
  EXPECT_EQ(derived->GetDockWidgetPath(tree) + Toggles(derived), "");
  EXPECT_TRUE(derived->GetDockWidgetList().empty());

  base->Activate();
  EXPECT_TRUE(tree->IsVisible());

  // A widget of a profile that is not in force has no path.
  other->Activate();
  EXPECT_FALSE(tree->IsVisible());
  EXPECT_EQ(base->GetDockWidgetPath(tree) + other->GetDockWidgetPath(tree), "");
}

TEST_F(ProfileDocks, WindowMenuHoldsTheTogglesOfTheActiveChainOnly) {
  const auto menuTexts = [this] {
    std::unique_ptr<QMenu> menu(window_->createPopupMenu());
    return Visible(menu.get());
  };
  EXPECT_TRUE(menuTexts().empty()) << "no profile, no menu";
  fwg::Profile* base = Docked("Base", "", {{"Tree", "RIGHT"}, {"Props", "RIGHT"}});
  base->AddToolBar(base->AddAction("run", "Run"), "");
  fwg::Profile* derived = Docked("Derived", "Base", {{"Log", "BOTTOM"}, {"Props", nullptr}});
  derived->AddToolBar(derived->AddAction("edit", "Edit"), "");
  fwg::Profile* other = Docked("Other", "", {{"Find", "LEFT"}});
  other->AddToolBar(other->AddAction("other", "Other"), "");
  derived->Activate();
  other->Activate();
  EXPECT_EQ(menuTexts(), (Strings{"Find", "-", "Other", "-", "Customize Toolbars\u2026"}));
  derived->Activate();
  EXPECT_EQ(menuTexts(), (Strings{"Tree", "Log", "-", "Run", "Edit", "-", "Customize Toolbars\u2026"}));

  // The entries are the profile's toggles: the state follows them.
  derived->SetDockWidgetVisible("Log", false);
  std::unique_ptr<QMenu> menu(window_->createPopupMenu());
  EXPECT_FALSE(menu->actions()[1]->isChecked()) << "brought in line with the widget";
  menu->actions()[1]->trigger();
  EXPECT_EQ(Toggles(derived) + Tabs("Log"), "Tree+ Log+ ") << "no tabs: shown";
  menu->actions()[3]->trigger();
  EXPECT_FALSE(derived->IsToolBarVisible("Run"));
}

TEST_F(ProfileDocks, VisibilitySetBeforeTheFirstActivationIsWhereTheWidgetStarts) {
  auto* profile = new fwg::Profile("Early", "");
  profile->AddDockWidget("Tree", "RIGHT");
  profile->SetDockWidgetVisible("Tree", false);
  profile->Activate();
  EXPECT_EQ(Toggles(profile) + Toggles(profile, true) + Tabs("Tree"), "Tree- Tree- hidden");
  profile->GetDockToggleAction("Tree")->Activate();
  EXPECT_EQ(Tabs("Tree"), "") << "no tabs: shown";
}

TEST_F(ProfileDocks, DockGroupInAMenuLastsAcrossCallsAndSwitches) {
  auto* empty = new fwg::Profile("Empty", "");
  EXPECT_TRUE(empty->GetDockToggleActions()->GetActionList().empty());

  fwg::Profile* base = Docked("Base", "", {{"Tree", "RIGHT"}, {"Log", "BOTTOM/Lower"}});
  // The View menu pattern: the group placed from Build(), before any dock
  // of the chain is made.
  auto* derived = new FilledProfile("Derived", "Base", [](fwg::Profile* p) {
    fwg::ActionGroup* docks = p->GetDockToggleActions();
    docks->SetUsesDropDown(true);
    docks->SetText("Docks");
    p->AddMenu(p->AddAction("view", "View"), "View");
    p->AddMenu(docks, "View/Docks");
    p->AddDockWidget("Props", "LEFT");
    p->RemoveDockWidget("Tree");
  });
  derived->Activate();
  derived->SetDockWidgetVisible("Log", false);
  const auto shownInMenu = [derived] { return Visible(derived->GetMenu("View/Docks")); };
  EXPECT_EQ(shownInMenu(), (Strings{"-", "Log", "Props"})) << "Tree is taken away";
  EXPECT_EQ(Toggles(derived), "Props+ Log- ");

  fwg::ActionGroup* group = derived->GetDockToggleActions();
  QPointer<uiAction> groupUi = group->GetUiAction();
  const Actions& list = group->GetActionList();
  ASSERT_EQ(list.size(), 4u);  // separator, Tree (hidden), Log, Props
  const Actions members{nullptr, list[1], derived->GetDockToggleAction("Log"),
                        derived->GetDockToggleAction("Props")};
  EXPECT_EQ(list, members);
  EXPECT_EQ(Toggles(derived, true), "Props+ Log- ") << "brought in line with the widget";

  // The same group, members and menu after a switch away and back.
  base->Activate();
  derived->Activate();
  EXPECT_TRUE(derived->GetDockToggleActions() == group && groupUi);
  EXPECT_EQ(list, members);
  EXPECT_EQ(shownInMenu(), (Strings{"-", "Log", "Props"}));
  EXPECT_EQ(static_cast<uiAction*>(list[3]->GetUiAction()->Group()), group->GetUiAction());

  // A base deleted first takes its toggles out of the group and the menu.
  delete base;
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(shownInMenu(), (Strings{"-", "Props"}));

  // A chain whose dock windows show nothing still begins with a separator.
  fwg::Profile* lone = Docked("Lone", "", {{"Find", "TOP"}});
  lone->Activate();
  lone->SetDockWidgetVisible("Find", false);
  fwg::Profile* leaver = Docked("Leaver", "Lone", {{"Find", nullptr}});
  leaver->Activate();
  EXPECT_EQ(leaver->GetDockToggleActions()->GetActionList(), (Actions{nullptr}));
}

TEST_F(ProfileDocks, UnknownWidgetNameIsReportedAndLeavesAnEmptyDockWindow) {
  auto* profile = new fwg::Profile("Unknown", "");
  profile->Activate();
  testing::internal::CaptureStderr();
  profile->AddDockWidget("Nowhere", "RIGHT/Spare");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Could not add the dock widget Nowhere\n");
  ASSERT_NE(Dock("Spare"), nullptr);
  EXPECT_EQ(Tabs("Spare"), "hidden");
  EXPECT_EQ(profile->GetDockToggleAction("Nowhere"), nullptr);
  EXPECT_EQ(profile->GetDockToggleActions()->GetActionList(), (Actions{nullptr}));

  // The empty window takes later widgets as usual.
  profile->AddDockWidget("Tree", "LEFT/Spare");
  EXPECT_EQ(Tabs("Spare"), "Tree ");
  EXPECT_EQ(Area("Spare"), Qt::RightDockWidgetArea);
}

TEST_F(ProfileDocks, DeletedWidgetsAndProfilesLeaveNoDanglingEntries) {
  fwg::Profile* base = Docked("Base", "", {{"Tree", "RIGHT/Side"}, {"Props", "RIGHT/Side"}});
  fwg::Profile* derived = Docked("Derived", "Base", {{"Props", nullptr}});
  derived->Activate();

  // A client deletes one of its dock widgets.
  delete Widget(derived, "Tree")->GetWidget();
  EXPECT_TRUE(derived->GetDockWidgetList().empty());
  EXPECT_EQ(Toggles(derived) + Tabs("Side"), "hidden");
  base->Activate();
  ASSERT_EQ(base->GetDockWidgetList().size(), 1u);
  EXPECT_EQ(Tabs("Side"), "Props ");

  // The base goes first: its dock window with it, and the derived profile's
  // remove item forgets what it covered.
  QPointer<QDockWidget> side = Dock("Side");
  delete base;
  EXPECT_TRUE(side.isNull());
  derived->Activate();
  EXPECT_TRUE(derived->GetDockWidgetList().empty());
  EXPECT_TRUE(derived->GetDockToggleActions()->GetActionList().empty());
}

}  // namespace
