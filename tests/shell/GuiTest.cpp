#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "platform/fwc/Director.h"
#include "platform/oxapp/Application.h"
#include "platform/oxapp/CommandLine.h"
#include "platform/ui/guiTrapableDialog.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiMessageBox.h"
#include "tests/support/TestBasics.h"
#include "tests/support/WithGui.h"

namespace {

// Each test makes its application object itself, after its arguments.
class GuiFixture : public WithGui {
 protected:
  void SetUp() override {
    oxapp::Application::Get()->AddResourceRoot(FWG_TEST_RESOURCES);
    SetArguments({"tavrix", "-locale", "de"});
  }
  void TearDown() override {
    WithGui::TearDown();
    uiMessageBox::SetInterceptor({});
    guiTrapableDialog::s_helper.setModelessDialogs(true);
  }

  static void SetArguments(const std::vector<oxString>& args) {
    oxapp::CommandLine::Get()->SetArguments(args);
  }
  fwg::Gui* MakeGui() { return gui_ = new fwg::Gui(0, nullptr); }
  // Runs the event loop with `first` queued; returns once the loop ended.
  void RunWith(std::function<void()> first) {
    QTimer::singleShot(0, first);
    gui_->Run();
  }
  static oxString Tr(const oxString& context, const oxString& text) {
    return oxapp::Application::Get()->TranslateMessage(context, text);
  }
};

TEST_F(GuiFixture, ConstructionBuildsTheMainWindowAndAnnouncesIt) {
  std::vector<std::string> events;
  oxListener<> listener;
  fwg::Gui::OnApplicationCreated().Connect(&listener, [&] { events.push_back("application"); });
  fwg::Gui::OnMainWindowCreated().Connect(&listener, [&](uiMainWindow* w) { events.push_back("window:" + w->Caption()); });

  fwg::Gui* gui = MakeGui();

  // The window is announced before it gets its caption.
  EXPECT_EQ(events, (std::vector<std::string>{"application", "window:"}));
  uiMainWindow* window = gui->GetMainWindow();
  EXPECT_EQ(window->Caption(), "Tavrix 10.0");
  EXPECT_EQ(window->geometry(), QRect(20, 50, 1000, 800));
  EXPECT_EQ(uiManager::Get()->MainWindow(), window);
  EXPECT_EQ(fwc::Director::Get()->GetGui(), gui);
  EXPECT_FALSE(window->IsVisible());
}

// 1000 by 800 is made before the screen is known; shown, the window fits.
TEST_F(GuiFixture, StartFitsTheWindowIntoItsScreen) {
  fwg::Gui* gui = MakeGui();
  gui->Start();
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_LT(available.height(), 850) << "the test needs a screen smaller than the first window";
  EXPECT_TRUE(available.contains(gui->GetMainWindow()->frameGeometry())) << available.height();
}

TEST_F(GuiFixture, GetMakesOneApplicationAndLetsEventsThroughUntilStart) {
  ASSERT_EQ(fwc::Director::Get()->GetGui(), nullptr);
  gui_ = fwg::Gui::Get();
  ASSERT_NE(gui_, nullptr);
  int delivered = 0;
  QTimer::singleShot(0, [&] { ++delivered; });
  EXPECT_EQ(fwg::Gui::Get(), gui_);
  EXPECT_EQ(delivered, 1);

  gui_->Start();
  QTimer::singleShot(0, [&] { ++delivered; });
  fwg::Gui::Get();
  EXPECT_EQ(delivered, 1) << "after Start, Get() must not process events";
  QCoreApplication::processEvents();
}

TEST_F(GuiFixture, ExitOrClosingTheWindowEndsTheApplicationUnlessAnExitListenerKeepsIt) {
  fwg::Gui* gui = MakeGui();
  gui->Start();
  // No listener: Exit, or closing the main window, ends the event loop; an
  // Exit before the loop runs ends the next Run at once.
  RunWith([gui] { gui->Exit(); });
  gui->Exit();
  gui->Run();
  RunWith([gui] { gui->GetMainWindow()->close(); });

  // A listener decides, and sees modeless dialogs switched off meanwhile.
  guiTrapableDialog::s_helper.setModelessDialogs(true);
  int calls = 0;
  bool endOnSecond = true;
  std::vector<bool> modelessSeen;
  oxListener<> listener;
  gui->OnExit().Connect(&listener, [&] {
    modelessSeen.push_back(gui->IsModelessDialogs());
    if (++calls == 2 && endOnSecond) gui->Exit();
  });

  bool aliveAfterFirst = false;
  RunWith([&] {
    gui->Exit();  // the listener keeps the application running
    QTimer::singleShot(0, [&] {
      aliveAfterFirst = true;
      gui->Exit();  // now the listener ends it
    });
  });
  EXPECT_TRUE(aliveAfterFirst);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(modelessSeen, (std::vector<bool>{false, false}));
  EXPECT_TRUE(gui->IsModelessDialogs()) << "switched back on after the emission";

  // With modeless dialogs off they stay off. Closing the window asks the
  // listener too, which keeps the window up.
  gui->SetModelessDialogs(false);
  endOnSecond = false;
  gui->Exit();
  EXPECT_FALSE(gui->IsModelessDialogs());
  gui->GetMainWindow()->close();
  EXPECT_EQ(calls, 4);
  EXPECT_TRUE(gui->GetMainWindow()->IsVisible());
  EXPECT_FALSE(uiManager::Get()->IsExitRequested());
}

TEST_F(GuiFixture, StartWithUnknownClientReportsItAndKeepsTheWindow) {
  SetArguments({"tavrix", "-client", "NoSuchClient"});
  fwg::Gui* gui = MakeGui();
  bool ranBeforeClient = false;
  oxListener<> listener;
  gui->OnRun().Connect(&listener, [&] { ranBeforeClient = true; });
  const std::string err = StderrOf([&] { gui->Start(); });
  // The platform may add its own notes; ours is one whole line.
  EXPECT_NE(("\n" + err).find("\nCould not find client named 'NoSuchClient' for loading\n"), std::string::npos)
      << err;
  EXPECT_TRUE(ranBeforeClient && gui->GetMainWindow()->IsVisible());
}

TEST_F(GuiFixture, ErrorUsesAMessageBoxUntilTheWindowIsShown) {
  std::vector<std::pair<oxString, oxString>> boxes;
  uiMessageBox::SetInterceptor([&](uiMessageBox::Icon icon, const oxString& caption, const oxString& text) {
    EXPECT_EQ(icon, uiMessageBox::Icon::Critical);
    boxes.emplace_back(caption, text);
    return 1;
  });
  fwg::Gui* gui = MakeGui();
  gui->Error("disk full");
  gui->Start();
  gui->Error("network down");
  EXPECT_EQ(boxes, (std::vector<std::pair<oxString, oxString>>{{"Tavrix", "disk full"}}))
      << "after Start the main window shows errors";
  const auto shown = gui->GetMainWindow()->findChildren<QMessageBox*>();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0]->isVisible() && shown[0]->text() == "network down");
}

TEST_F(GuiFixture, TranslationLoadsTheFileOfTheLocaleForEachContextInTurn) {
  const struct { const char *locale, *context, *text, *expected; } steps[] = {
      {"de", "alpha", "Hello", "Hallo"},
      {"de", "beta", "Hello", "Servus"},  // switching context replaces the file
      {"de", "alpha", "Hello", "Hallo"},
      {"de", "gamma", "Hello", "Hello"},  // no file: untranslated, nothing installed
      {"de", "beta", "Unknown text", "Unknown text"},
      {"fr", "alpha", "Hello", "Bonjour"},
      {"fr", "beta", "Hello", "Hello"},     // beta has no French file
      {"de_AT", "beta", "Hello", "Servus"},  // a country locale falls back to its language's file
  };
  std::string locale;
  for (const auto& step : steps) {
    if (step.locale != locale) {
      delete gui_;
      locale = step.locale;
      SetArguments({"tavrix", "-locale", locale});
      MakeGui();
    }
    EXPECT_EQ(Tr(step.context, step.text), step.expected) << locale << " " << step.context;
  }
  delete gui_;
  gui_ = nullptr;
  EXPECT_EQ(Tr("alpha", "Hello"), "Hello") << "no application object, no translation";
}

}  // namespace
