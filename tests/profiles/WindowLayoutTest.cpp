#include <QApplication>
#include <QScreen>

#include "fwg/profiles/WindowLayout.h"
#include "platform/fwc/Director.h"
#include "platform/oxapp/Application.h"
#include "platform/settings/oxSettings.h"
#include "platform/ui/uiFrame.h"
#include "tests/support/ProfileWidgets.h"

namespace {

// The window hooks are for profile subclasses; this one lends them out.
class WindowProfile : public fwg::Profile {
 public:
  using fwg::Profile::Profile;
  using fwg::Profile::LoadWindowInfo;
  using fwg::Profile::SaveWindowInfo;
};

class WindowLayout : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    gui_->GetMainWindow()->show();  // toolbars are visible only in a shown window
  }
  uiToolBar* ToolBar(const oxString& name) { return ToolBarNamed(Window(), name); }
  static oxSettings* AppSettings() { return oxapp::Application::Get()->GetSettings(); }
};

std::string Seen(const uiFrame& w) {
  return std::string(w.IsVisible() ? "shown " : "hidden ") + std::to_string(w.Pos().X()) + "," +
         std::to_string(w.Pos().Y()) + " " + std::to_string(w.Size().Width()) + "x" +
         std::to_string(w.Size().Height()) + " " + std::to_string(w.WindowState());
}

TEST_F(WindowLayout, ARecordWrittenToTheSettingsFileRestoresAWidget) {
  WindowProfile profile("Windows");
  uiFrame window(nullptr, "Editor");
  window.Resize(uiSize(800, 600));
  window.Move(uiPoint(10, 20));
  window.SetWindowState(Qt::WindowMinimized);  // kept as state only while hidden
  window.Show();
  const unsigned state = window.WindowState();
  ASSERT_NE(state & Qt::WindowMinimized, 0u);
  const std::string seen = Seen(window);
  profile.LoadWindowInfo("Layouts", "NeverSaved", &window);
  profile.LoadWindowInfo("Layouts", "NeverSaved", nullptr);
  EXPECT_EQ(Seen(window), seen) << "a record never saved leaves the widget alone";
  EXPECT_EQ(AppSettings()->GetSection("Layouts/NeverSaved", false, true), nullptr)
      << "loading makes no record";
  ASSERT_TRUE(profile.SaveWindowInfo("Layouts", "Editor", &window));
  EXPECT_FALSE(profile.SaveWindowInfo("Layouts", "Nothing", nullptr));

  // The record as the file holds it, read by a store of its own.
  ASSERT_TRUE(AppSettings()->Sync());
  const auto reopened = oxSettings::Open(AppSettings()->GetFilePath());
  const oxSettings* record = reopened->GetSection("Layouts/Editor", false, true);
  ASSERT_NE(record, nullptr);
  std::string stored;  // each value with its type
  for (const char* key : {"Visible", "Flags", "X", "Y", "Width", "Height"}) {
    const oxVariant value = record->Get(key);
    stored += oxVariant::TypeName(value.GetType()) + (":" + value.GetString()) + " ";
  }
  EXPECT_EQ(stored, "bool:true long:" + std::to_string(state) +
                        " int:10 int:20 int:800 int:600 ");

  uiFrame restored(nullptr, "Restored");
  profile.LoadWindowInfo("Layouts", "Editor", &restored);
  EXPECT_EQ(Seen(restored), seen);

  // A record saved hidden hides a shown widget.
  window.Hide();
  ASSERT_TRUE(profile.SaveWindowInfo("Layouts", "Editor", &window));
  profile.LoadWindowInfo("Layouts", "Editor", &restored);
  EXPECT_FALSE(restored.IsVisible());
}

TEST_F(WindowLayout, TheProfileSectionIsNamedAfterThePlugin) {
  // The framework's settings outlive the test run: the section looked at
  // but never made has a name nothing else uses.
  WindowProfile absent("Absent", "", "window-layout-test-never-made");
  WindowProfile named("Named", "", "notes");
  WindowProfile unnamed("Unnamed");
  oxSettings* framework = fwc::Director::Get()->GetSettings();
  EXPECT_EQ(absent.GetSettings(), nullptr);
  EXPECT_EQ(framework->GetSection("/Corvane/window-layout-test-never-made", false, true), nullptr)
      << "looking does not make the section";
  oxSettings* section = framework->GetSection("/Corvane/notes", true, true);
  EXPECT_EQ(named.GetSettings(), section);
  EXPECT_EQ(unnamed.GetSettings(), section->GetSection("/Corvane/", false, true));
  EXPECT_NE(unnamed.GetSettings(), nullptr);
}

// A profile with docks in three areas and two toolbars, made again for
// every application object.
class Editor : public fwg::Profile {
 public:
  Editor() : fwg::Profile("Editor", "", "window-layout-test") {
    for (const char* name : {"Tree", "Props", "Log", "Find"}) RegisterWidget(name);
  }
  void Build() override {
    AddDockWidget("Tree", "LEFT");
    AddDockWidget("Props", "LEFT");
    AddDockWidget("Log", "BOTTOM");
    AddDockWidget("Find", "RIGHT");
    AddToolBar(AddAction("run", "Run"), "");
    AddToolBar(AddAction("tools", "Tools"), "");
  }
};

class MainWindowLayout : public WindowLayout {
 protected:
  void SetUp() override {
    WindowLayout::SetUp();
    StartEditor(QRect(40, 30, 700, 500));
  }
  // The editor in force in a shown main window of that geometry.
  void StartEditor(const QRect& geometry) {
    window_ = gui_->GetMainWindow();
    window_->setGeometry(geometry);
    window_->show();
    editor_ = new Editor;
    editor_->Activate();
  }
  // What a restart does: the settings written out, a new application
  // object, the profile made and entered again, its layout put back.
  bool Restart(const QRect& geometry = QRect(10, 10, 300, 200)) {
    fwg::WindowLayout::Save(editor_);
    fwc::Director::Get()->GetSettings()->Sync();
    WithGui::TearDown();
    WithGui::SetUp();
    StartEditor(geometry);
    const bool restored = fwg::WindowLayout::Restore(editor_);
    QApplication::processEvents();
    return restored;
  }
  QDockWidget* Dock(const char* name) const { return window_->findChild<QDockWidget*>(name); }
  QRect Available() const { return window_->screen()->availableGeometry(); }

  uiMainWindow* window_ = nullptr;
  Editor* editor_ = nullptr;
};

TEST_F(MainWindowLayout, DocksAndToolbarsComeBackWhereTheUserLeftThem) {
  window_->addDockWidget(Qt::RightDockWidgetArea, Dock("Tree"));
  Dock("Props")->setFloating(true);
  Dock("Props")->setGeometry(300, 200, 220, 160);
  window_->resizeDocks({Dock("Log")}, {170}, Qt::Vertical);
  window_->addToolBar(Qt::LeftToolBarArea, ToolBar("Tools"));
  Dock("Find")->close();
  QApplication::processEvents();
  const int logHeight = Dock("Log")->height();
  const QRect props = Dock("Props")->geometry();

  ASSERT_TRUE(Restart());
  EXPECT_EQ(window_->geometry(), QRect(40, 30, 700, 500));
  EXPECT_EQ(window_->dockWidgetArea(Dock("Tree")), Qt::RightDockWidgetArea);
  EXPECT_EQ(window_->dockWidgetArea(Dock("Log")), Qt::BottomDockWidgetArea);
  EXPECT_NEAR(Dock("Log")->height(), logHeight, 4);
  EXPECT_TRUE(Dock("Props")->isFloating() && Dock("Props")->isVisible());
  EXPECT_NEAR(Dock("Props")->x(), props.x(), 4);
  EXPECT_NEAR(Dock("Props")->width(), props.width(), 4);
  EXPECT_EQ(window_->toolBarArea(ToolBar("Tools")), Qt::LeftToolBarArea);
  EXPECT_EQ(window_->toolBarArea(ToolBar("Run")), Qt::TopToolBarArea);
  // The closed dock stays closed, and its toggle says so.
  EXPECT_FALSE(Dock("Find")->isVisible() || editor_->IsDockWidgetVisible("Find") ||
               editor_->GetDockToggleAction("Find")->IsChecked());

  // Another profile docks a widget of the same name: each dock window
  // keeps its own place.
  auto* other = new fwg::Profile("Other");
  other->AddDockWidget("Log", "TOP");
  other->AddToolBar(other->AddAction("else", "Else"), "");
  other->Activate();
  editor_->Activate();
  fwg::WindowLayout::Save(editor_);
  ASSERT_TRUE(fwg::WindowLayout::Restore(editor_));
  EXPECT_EQ(window_->dockWidgetArea(Dock("Log")), Qt::BottomDockWidgetArea);
  EXPECT_TRUE(editor_->IsDockWidgetVisible("Log"));

  // A record written while the other profile was in force puts nothing of
  // it on screen.
  other->Activate();
  fwg::WindowLayout::Save(editor_);
  editor_->Activate();
  fwg::WindowLayout::Restore(editor_);
  EXPECT_FALSE(ToolBar("Else")->isVisible());
  EXPECT_FALSE(window_->findChildren<QDockWidget*>("Log").back()->isVisible());
}

// Switching puts back a profile's docks, not the window's size (the user's);
// a dock of a base both chains share stays where the user put it.
TEST_F(MainWindowLayout, TheWindowIsTheUsersAndSharedDocksStayWhereTheUserPutThem) {
  auto* derived = new fwg::Profile("Derived", "Editor", "window-layout-test");
  fwg::WindowLayout::Save(editor_);
  derived->Activate();
  window_->setGeometry(60, 40, 800, 600);
  window_->addDockWidget(Qt::RightDockWidgetArea, Dock("Tree"));
  fwg::WindowLayout::Save(derived);
  editor_->Activate();
  ASSERT_TRUE(fwg::WindowLayout::RestoreDocks(editor_, derived));
  QApplication::processEvents();
  EXPECT_EQ(window_->geometry(), QRect(60, 40, 800, 600));
  EXPECT_EQ(window_->dockWidgetArea(Dock("Tree")), Qt::RightDockWidgetArea);
  ASSERT_TRUE(fwg::WindowLayout::Restore(editor_));
  EXPECT_EQ(window_->dockWidgetArea(Dock("Tree")), Qt::LeftDockWidgetArea) << "the whole record";

  ASSERT_TRUE(fwg::WindowLayout::SaveWindow());
  window_->setGeometry(10, 10, 500, 400);
  ASSERT_TRUE(fwg::WindowLayout::RestoreWindow());
  EXPECT_EQ(window_->geometry(), QRect(40, 30, 700, 500));
}

// A start enters the base first: a dock of the base that the user floated
// in a derived profile comes back floating, the exit having saved the base
// too.
TEST_F(MainWindowLayout, ABaseEnteredFirstAfterARestartShowsItsDocksWhereTheUserLeftThem) {
  fwg::WindowLayout::Save(editor_);  // left with "Props" docked
  auto* derived = new fwg::Profile("Derived", "Editor", "window-layout-test");
  derived->Activate();
  Dock("Props")->setFloating(true);
  QApplication::processEvents();
  ASSERT_TRUE(fwg::WindowLayout::SaveChain(derived));
  fwc::Director::Get()->GetSettings()->Sync();
  WithGui::TearDown();
  WithGui::SetUp();
  StartEditor(QRect(40, 30, 700, 500));
  ASSERT_TRUE(fwg::WindowLayout::RestoreDocks(editor_, nullptr));
  QApplication::processEvents();
  EXPECT_TRUE(Dock("Props")->isFloating() && Dock("Props")->isVisible());
}

TEST_F(MainWindowLayout, AMaximisedWindowKeepsItsNormalGeometry) {
  window_->showMaximized();
  QApplication::processEvents();
  ASSERT_TRUE(window_->isMaximized());
  ASSERT_TRUE(Restart());
  EXPECT_TRUE(window_->isMaximized());
  EXPECT_NEAR(window_->normalGeometry().width(), 700, 4);
  EXPECT_NEAR(window_->normalGeometry().height(), 500, 4);
}

// Whatever the settings hold, the window comes back on the screen and
// large enough to use.
TEST_F(MainWindowLayout, ABadRecordStillGivesAUsableWindow) {
  const struct {
    QRect geometry;
    const char* text;  // written over the record when set
  } cases[] = {{QRect(5000, 4000, 700, 500), nullptr},
               {QRect(-3000, 20, 5, 5), nullptr},
               {QRect(100, 100, 0, 0), nullptr},
               {QRect(40, 30, 700, 500), "not a window geometry"}};
  for (const auto& c : cases) {
    window_->setGeometry(c.geometry);
    fwg::WindowLayout::Save(editor_);
    if (c.text) {
      oxSettings* record = fwc::Director::Get()->GetSettings()->GetSection(
          "/Corvane/window-layout-test/WindowLayout/Editor", false, true);
      record->Set("Geometry", oxVariant(c.text));
      record->Set("State", oxVariant(c.text));
    }
    testing::internal::CaptureStderr();
    window_->setGeometry(QRect(-900, -900, 1, 1));
    fwg::WindowLayout::Restore(editor_);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.find("fwg: WindowLayout") != std::string::npos, c.text != nullptr) << errors;
    const QRect placed = window_->normalGeometry();
    EXPECT_TRUE(Available().contains(placed)) << c.geometry.x() << " gives " << placed.x();
    EXPECT_TRUE(placed.width() >= 480 && placed.height() >= 360) << c.geometry.x();
  }
}

}  // namespace
