// The demo host: builds the application object from the command line,
// loads the plug-ins that extend the host itself, shows the main window and
// runs until the application ends. Open projects are saved automatically for
// recovery; after a run that did not end cleanly the next start offers the
// work back.
//   tavrix [-client <name>] [-locale <locale>] [-recover | -norecover] [-new-instance] [file...]
//   tavrix --help | --version
// The options that only print something are answered before any window
// system is asked for, so they work without a display. A start while an
// instance runs hands its files and "-client" to that one and ends, unless
// it is told "-new-instance".
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>
#include <cstring>
#include <iostream>
#include <optional>
#include <set>
#include <string>

#include "fwg/clients/ClientObject.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/SessionRecovery.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/WindowLayout.h"
#include "fwg/shell/CentralWidget.h"
#include "fwg/shell/CommandPalette.h"
#include "fwg/shell/HostCommands.h"
#include "fwg/shell/Gui.h"
#include "fwg/shell/SingleInstance.h"
#include "platform/core/oxStartupMarks.h"
#include "platform/fwc/PluginManager.h"
#include "platform/oxapp/Application.h"
#include "platform/oxapp/CommandLine.h"
#include "platform/oxt/Model.h"
#include "platform/settings/oxSettings.h"
#include "platform/ui/uiFrame.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/vos/vosLibrary.h"

namespace {

const char kContext[] = "tavrix";

oxString tr(const oxString& text) {
  return oxapp::Application::Get()->TranslateMessage(kContext, text);
}

// Texts printed before the application object exists, which installs the
// translation function: read from the host's translation file directly.
class EarlyTexts {
 public:
  explicit EarlyTexts(oxString locale) {
    if (locale.empty()) locale = QLocale::system().name().toStdString();
    oxapp::Application* services = oxapp::Application::Get();
    oxString file = services->GetResource(kContext, "translations_" + locale + ".qm");
    if (file.empty()) {
      file = services->GetResource(kContext,
                                   "translations_" + locale.substr(0, locale.find('_')) + ".qm");
    }
    if (!file.empty()) loaded_ = translator_.load(uiStr(file));
  }

  std::string operator()(const char* text) const {
    const QString translated = loaded_ ? translator_.translate(kContext, text) : QString();
    return translated.isEmpty() ? text : translated.toStdString();
  }

 private:
  QTranslator translator_;
  bool loaded_ = false;
};

// The folders the plug-in manager reads descriptions from.
oxString DescribePluginFolders() {
  oxString folders;
  for (const oxString& folder : fwc::PluginManager::GetPluginFolders())
    folders += (folders.empty() ? "" : ":") + folder;
  return folders;
}

// The window's size and maximised state are the user's: put back once at
// start, saved at exit. Each profile keeps where its docks and toolbars
// are: saved when it is left and at exit (with the bases it builds on, the
// first entered at the next start), put back when it is entered. The
// exit save comes before the application quits, since quitting closes
// floating dock windows; Exit() then asks about unsaved work, and a user
// who cancels keeps working.
void KeepLayouts(fwg::Gui* gui) {
  fwg::WindowLayout::RestoreWindow();
  fwg::ProfileManager* profiles = gui->GetProfileManager();
  // A switch is told twice, (left, null) and then (null, entered): the
  // profile left is kept for the second, so that the docks both chains
  // share (the base's script console) stay as the user last left them.
  profiles->OnActiveProfileChanged().Connect(
      nullptr, [left = static_cast<fwg::Profile*>(nullptr)](fwg::Profile* leaving, fwg::Profile* entered) mutable {
        if (leaving) {
          fwg::WindowLayout::Save(leaving);
          left = leaving;
        }
        if (entered) {
          fwg::WindowLayout::RestoreDocks(entered, left);
          left = nullptr;
        }
      });
  gui->OnExit().Connect(nullptr, [gui, profiles] {
    if (fwg::Profile* active = profiles->GetActiveProfile()) fwg::WindowLayout::SaveChain(active);
    fwg::WindowLayout::SaveWindow();
    gui->Exit();
  });
}

oxString DescribeResourceFolders() {
  oxString folders;
  const QByteArray path = qgetenv("FWG_RESOURCE_PATH");
  if (!path.isEmpty()) folders = path.toStdString() + ":";
  return folders +
         vosLibrary::GetAbsoluteFileName(vosLibrary::GetExecutableFolder() + "/../resources");
}

void PrintHelp(const EarlyTexts& t) {
  std::cout << t("Usage: tavrix [-client <name>] [-locale <locale>] [-recover | -norecover] "
                 "[-new-instance] [file...]")
            << "\n\n"
            << t("Files named are opened, each by the client of its type.") << "\n\n"
            << t("Options:") << "\n"
            << "  -client <name>    "
            << t("start the client of that name or alias with a new document;") << "\n"
            << "                    " << t("without a name, list the installed clients") << "\n"
            << "  -locale <locale>  "
            << t("language of the texts, e.g. de; the system's by default") << "\n"
            << "  -recover          "
            << t("after a run that did not end cleanly, restore its work without asking")
            << "\n"
            << "  -norecover        " << t("neither ask nor restore; keep the autosaved work")
            << "\n"
            << "  -new-instance     "
            << t("start a window of its own; without it, files and -client go to the one running")
            << "\n"
            << "  --help            " << t("show this help and exit") << "\n"
            << "  --version         " << t("show the version and exit") << "\n\n"
            << t("Environment:") << "\n"
            << "  FWG_PLUGIN_PATH     "
            << t("more folders of plug-in descriptions, separated by ':', read before the host's own")
            << "\n"
            << "  FWG_NO_DEFAULT_PLUGINS  " << t("set to 1: only the folders of FWG_PLUGIN_PATH") << "\n"
            << "  FWG_RESOURCE_PATH   "
            << t("folders of resources (translations, pictures), separated by ':'") << "\n"
            << "  FWG_CONFIG_DIR      " << t("folder of the settings files") << "\n"
            << "  OX_CORVANE_ROOTDIR  "
            << t("base of the image folders scripts/images/ui/toolbars and .../project") << "\n"
            << "  QT_QPA_PLATFORM     "
            << t("window system, e.g. offscreen to run without a display") << "\n\n"
            << t("Keys, whatever document is active:") << "\n"
            << "  Ctrl+Q              " << t("quit (asks while work is unsaved)") << "\n"
            << "  Ctrl+O              " << t("open a file") << "\n"
            << "  Ctrl+S, Ctrl+Shift+S  " << t("save the active document, save it as") << "\n"
            << "  Ctrl+Alt+O          " << t("open a session") << "\n"
            << "  Ctrl+Alt+S, Ctrl+Alt+Shift+S  " << t("save the session, save it as") << "\n"
            << "  Ctrl+W              " << t("close the active document") << "\n"
            << "  Ctrl+Tab            " << t("next document, most recently used first") << "\n"
            << "  F6, Shift+F6        " << t("next and previous pane (documents and docks)") << "\n"
            << "  F10                 " << t("the menu bar") << "\n"
            << "  Shift+F10           " << t("the context menu of what has the keyboard") << "\n"
            << "  Ctrl+,              " << t("the settings") << "\n"
            << "  Ctrl+Shift+P        " << t("the command palette") << "\n\n"
            << t("Plug-ins are read from:") << " " << DescribePluginFolders() << "\n"
            << t("Resources are read from:") << " " << DescribeResourceFolders() << "\n"
            << t("Settings are kept in:") << " " << oxSettings::GetConfigFolder() << "\n";
}

// The name under which each described client is asked for: its alias, or
// its name without one.
oxString ListInstalledClients() {
  oxString list;
  std::set<oxString> seen;
  for (const fwc::PluginDescription* description :
       fwc::PluginManager::Get()->GetPluginDescriptions()) {
    const oxString& client = description->GetClientName();
    if (client.empty() || !seen.insert(client).second) continue;
    const oxString& alias = description->GetAlias();
    list += (list.empty() ? "" : ", ") + (alias.empty() ? client : alias);
  }
  return list;
}

// Answers the options that only print something. -1 when the host is to
// start, otherwise the exit status.
int AnswerPrintingOptions(int argc, char** argv) {
  const oxapp::CommandLine* commandLine = oxapp::CommandLine::Get();
  // Read only when something is printed: every start passes here.
  std::optional<EarlyTexts> texts;
  const auto t = [&]() -> const EarlyTexts& {
    if (!texts) texts.emplace(commandLine->GetValue("-locale"));
    return *texts;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-help" || arg == "-h") {
      PrintHelp(t());
      return 0;
    }
    if (arg == "--version" || arg == "-version") {
      std::cout << "tavrix " << TAVRIX_VERSION << " (fwg " << TAVRIX_VERSION << ", Qt "
                << qVersion() << ")\n";
      return 0;
    }
    // A name is never an option: "-client -locale de" names no client.
    // Without a name, the installed clients are listed: no error.
    if (arg == "-client" && (i + 1 == argc || argv[i + 1][0] == '-')) {
      const oxString clients = ListInstalledClients();
      if (clients.empty()) {
        std::cout << t()("no clients are installed in") << " " << DescribePluginFolders() << "\n";
      } else {
        std::cout << t()("installed clients:") << " " << clients << "\n";
      }
      return 0;
    }
  }
  return -1;
}

// The files named on the command line: every argument that is neither an
// option nor an option's value; after "--", every argument.
oxStlVector<oxString> GetNamedFiles() {
  static const std::set<std::string> kWithValue = {
      "-client",  "-locale", "-platform", "-style", "-stylesheet", "-session", "-display",
      "-geometry", "-qwindowgeometry", "-title", "-qwindowtitle", "-qwindowicon",
      "-platformpluginpath", "-platformtheme", "-plugin"};
  const oxStlVector<oxString>& args = oxapp::CommandLine::Get()->GetArguments();
  oxStlVector<oxString> files;
  bool options = true;
  for (size_t i = 1; i < args.size(); ++i) {
    const oxString& arg = args[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && arg.starts_with('-')) {
      if (kWithValue.count(arg)) ++i;
    } else if (!arg.empty()) {
      files.push_back(arg);
    }
  }
  return files;
}

// Plug-ins whose description names no client extend the host itself (the
// samples' base profile is one). Nothing would ever ask for them by a
// client's name, so they are loaded at start-up.
void LoadHostPlugins() {
  fwc::PluginManager* plugins = fwc::PluginManager::Get();
  for (const fwc::PluginDescription* description : plugins->GetPluginDescriptions()) {
    if (description->GetClientName().empty()) plugins->LoadPlugin(description->GetName());
  }
}

// The page shown while there is no document: at start, and again once the
// last one is closed or deleted; the central widget's own page stack, where
// the documents live, comes back with the next document.
class WelcomePage : public oxListener<> {
 public:
  explicit WelcomePage(fwg::Gui* gui) : gui_(gui) {
    page_ = new uiFrame(gui->GetMainWindow(), "Welcome");
    auto* layout = new QVBoxLayout(page_);
    auto* title = new QLabel(uiStr(tr("Welcome to Tavrix")), page_);
    QFont font = title->font();
    font.setPointSize(font.pointSize() * 2);
    title->setFont(font);
    layout->addStretch();
    layout->addWidget(title, 0, Qt::AlignCenter);
    layout->addWidget(new QLabel(uiStr(tr("Choose File > New to make a document, or "
                                          "File > Open File to open one.")), page_),
                      0, Qt::AlignCenter);
    layout->addStretch();
    gui->GetCentralWidget()->ShowWidget(page_);
    gui->GetMainWindow()->statusBar()->showMessage(uiStr(tr("Ready")));
    oxt::Model::Get()->OnObjectCreated().Connect(this, &WelcomePage::HandleCreated);
    oxt::Model::Get()->OnObjectsDeleted().Connect(this, &WelcomePage::HandleDeleted);
  }

 private:
  static bool HasDocuments() {
    return !oxt::Model::Get()->GetRoot()->GetChildren({}, fwg::ClientObject::S_ClassName(), true, true).empty();
  }
  void HandleCreated(oxt::Object* object) {
    if (dynamic_cast<fwg::ClientObject*>(object)) gui_->GetCentralWidget()->ShowDocuments();
  }
  // The objects are still there while they are announced: the page comes
  // back once the deletion is done.
  void HandleDeleted(const oxStlVector<oxt::Object*>&) {
    QTimer::singleShot(0, &guard_, [this] {
      if (!HasDocuments()) gui_->GetCentralWidget()->ShowWidget(page_);
    });
  }

  fwg::Gui* gui_;
  uiFrame* page_ = nullptr;
  QObject guard_;  // ends what is pending with the page
};

}  // namespace

int main(int argc, char** argv) {
  oxMarkStartup("main");
  oxapp::CommandLine::Get()->SetArguments(argc, argv);
  oxapp::Application::Get()->SetName("tavrix");
  if (const int status = AnswerPrintingOptions(argc, argv); status >= 0) return status;
  const oxapp::CommandLine* commandLine = oxapp::CommandLine::Get();
  if (!commandLine->HasOption("-new-instance") &&
      fwg::SingleInstance::HandOver(GetNamedFiles(), commandLine->GetValue("-client"))) {
    return 0;  // the running instance has them
  }
  oxMarkStartup("options");

  auto* gui = new fwg::Gui(argc, argv);
  fwg::CommandPalette::Install();
  fwg::HostCommands::Install();
  KeepLayouts(gui);
  oxMarkStartup("commands");
  {
    WelcomePage welcome(gui);
    oxMarkStartup("welcome");
    LoadHostPlugins();
    oxMarkStartup("host-plugins");
    fwg::SessionRecovery recovery;
    oxMarkStartup("recovery");
    // Once the window is up, before "-client" makes its first document.
    oxListenerBase listener;
    gui->OnRun().Connect(&listener, [&recovery] { recovery.Offer(); });
    gui->Start();
    fwg::SingleInstance::Listen();
    // Once the window is up and the recovery question answered.
    QTimer::singleShot(0, gui->GetMainWindow(), [] {
      fwg::FileCommands::OpenFiles(GetNamedFiles());
    });
    gui->Run();
  }  // a clean end: the recovery file goes
  delete gui;
  return 0;
}
