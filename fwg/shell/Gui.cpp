#include "fwg/shell/Gui.h"

#include "fwg/Parts.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QSessionManager>
#include <iostream>
#include <memory>

#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/objects/UnsavedWork.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/UserToolBars.h"
#include "fwg/profiles/WindowLayout.h"
#include "fwg/profiles/WindowMenu.h"
#include "fwg/LibraryTexts.h"
#include "fwg/shell/CentralWidget.h"
#include "fwg/shell/InfoBar.h"
#include "fwg/shell/ScriptApp.h"
#include "fwg/shell/Tasks.h"
#include "fwg/shell/ToolBarsDialog.h"
#include "fwg/shell/WindowTitle.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/core/oxStartupMarks.h"
#include "platform/fwc/Director.h"
#include "platform/oxapp/Application.h"
#include "platform/oxapp/CommandLine.h"
#include "platform/settings/oxSettings.h"
#include "platform/oxaw/WidgetManager.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/ui/guiTrapableDialog.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiIconSet.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiMessageBox.h"
#include "platform/ui/uiTranslator.h"
#include "platform/vos/vosFileInfo.h"
#include "platform/vos/vosLibrary.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fwg {

namespace {

// True only while the exit procedure emits OnExit, so that a listener's
// own Exit() ends the application instead of asking again.
bool g_exitInProgress = false;
// True while the application ends after the user confirmed it.
bool g_quitConfirmed = false;

// The questions before the application ends: running tasks first, then
// unsaved work. True when it may end.
bool ConfirmQuitting() { return Tasks::ConfirmQuit() && UnsavedWork::ConfirmQuit(); }

const char* const kCaption = "Tavrix 10.0";
const char* const kErrorCaption = "Tavrix";

void BringToFront(uiMainWindow* window) {
#ifdef _WIN32
  const HWND handle = reinterpret_cast<HWND>(window->WinId());
  SetForegroundWindow(handle);
  ShowWindow(handle, 5);
#else
  window->raise();
  window->activateWindow();
#endif
}

}  // namespace

struct Gui::Internal : oxListener<> {
  // One translation file is installed at a time: the file of the context
  // that was asked for last.
  struct Translation {
    uiTranslator* translator = nullptr;
    oxString locale;
    oxString context;
    uiApplication* application = nullptr;
  };

  uiApplication* application = nullptr;
  uiMainWindow* mainWindow = nullptr;
  ClientManager* clientManager = nullptr;
  ProfileManager* profileManager = nullptr;
  CentralWidget* centralWidget = nullptr;
  Parts parts;  // what the subsystems see of the above
  bool tearingDown = false;
  Translation translation;
  // Shared so that an emission outlives a listener that deletes the
  // application object.
  std::shared_ptr<oxSignal0<void>> onExit = std::make_shared<oxSignal0<void>>();
  oxSignal0<void> onRun;
  bool ownsTranslateFunction = false;
  QTranslator* qtTexts = nullptr;  // Qt's own texts, owned

  ~Internal() override;

  void HandleClose(uiCloseEvent*) { Gui::Get()->Exit(); }
  oxString Translate(const oxString& context, const oxString& source, const oxString& comment);
  void InstallTranslation(const oxString& context);
  oxString FindTranslationFile(const oxString& context) const;
  void DropTranslator();
};

// Each part leaves the record right after it is deleted, so that what is
// deleted later (profiles leaving their manager) still finds what lives.
Gui::Internal::~Internal() {
  tearingDown = true;
  fwc::Director::Get()->GetPluginManager()->SetFailureListener({});
  // Work still running stops before anything it may hand its result to goes.
  Tasks::CancelAllAndWait();
  // Views released below move the focus about; no frame becomes active
  // for it, so no client hears of an activation while its managers go.
  uiLayoutFrameEx::SetActivationEnabled(false);
  delete clientManager;
  clientManager = nullptr;
  parts.clientManager = nullptr;
  delete profileManager;
  profileManager = nullptr;
  parts.profileManager = nullptr;
  delete centralWidget;
  centralWidget = nullptr;
  parts.documentArea = nullptr;
  oxaw::WidgetManager::Destroy();
  // The translators leave the application while it still exists.
  DropTranslator();
  if (qtTexts && QCoreApplication::instance()) QCoreApplication::removeTranslator(qtTexts);
  delete qtTexts;
  qtTexts = nullptr;
  if (ownsTranslateFunction) oxapp::Application::Get()->SetTranslateFunction({});
  if (application) application->SetMainWidget(nullptr);
  uiManager* manager = uiManager::Get();
  if (manager->MainWindow() == mainWindow) manager->SetMainWindow(nullptr);
  parts.mainWindow = nullptr;
  delete mainWindow;
  mainWindow = nullptr;
  if (manager->Application() == application) manager->SetApplication(nullptr);
  delete application;
  application = nullptr;
  uiLayoutFrameEx::SetActivationEnabled(true);
}

oxString Gui::Internal::Translate(const oxString& context, const oxString& source,
                                  const oxString& comment) {
  InstallTranslation(context);
  if (!translation.application) return source;
  return oxStr(translation.application->Translate(uiStr(context), uiStr(source),
                                                   uiStr(comment), 0));
}

void Gui::Internal::InstallTranslation(const oxString& context) {
  if (context == translation.context) return;
  DropTranslator();
  translation.context = context;
  const oxString path = FindTranslationFile(context);
  if (path.empty() || !translation.application) return;
  const vosFileInfo info(path);
  translation.translator = new uiTranslator(nullptr, "");
  translation.translator->Load(info.GetFileName(), info.GetPath(), "_", ".qm");
  translation.application->InstallTranslator(translation.translator);
}

// "translations_<locale>.qm" of the context; for a locale such as de_DE
// whose own file is missing, the language's file (translations_de.qm).
oxString Gui::Internal::FindTranslationFile(const oxString& context) const {
  oxapp::Application* services = oxapp::Application::Get();
  const oxString& locale = translation.locale;
  oxString path = services->GetResource(context, "translations_" + locale + ".qm");
  const auto cut = locale.find('_');
  if (path.empty() && cut != oxString::npos && cut > 0) {
    path = services->GetResource(context, "translations_" + locale.substr(0, cut) + ".qm");
  }
  return path;
}

void Gui::Internal::DropTranslator() {
  if (!translation.translator) return;
  if (translation.application) translation.application->RemoveTranslator(translation.translator);
  delete translation.translator;
  translation.translator = nullptr;
}

Gui::Gui(int argc, char** argv) : internal_(new Internal) {
  fwc::Director::Get()->SetGui(this);

  uiManager* manager = uiManager::Get();
  manager->AddToPath(
      vosLibrary::GetAbsoluteFileName("$OX_CORVANE_ROOTDIR/scripts/images/ui/toolbars"));
  manager->AddToPath(
      vosLibrary::GetAbsoluteFileName("$OX_CORVANE_ROOTDIR/scripts/images/ui/project"));

  Internal* const d = internal_;
  oxapp::Application::Get()->SetTranslateFunction(
      [d](const oxString& context, const oxString& source, const oxString& comment) {
        return d->Translate(context, source, comment);
      });
  d->ownsTranslateFunction = true;

  oxapp::CommandLine* commandLine = oxapp::CommandLine::Get();
  oxStlVector<uiString> args;
  if (argc == 0) {
    for (const oxString& arg : commandLine->GetArguments()) args.push_back(uiStr(arg));
  } else {
    oxStlVector<oxString> given;
    for (int i = 0; i < argc; ++i) {
      given.emplace_back(argv[i] ? argv[i] : "");
      args.push_back(QString::fromLocal8Bit(argv[i] ? argv[i] : ""));
    }
    // Options such as "-client" are read from the command line services.
    if (commandLine->GetArguments().empty()) commandLine->SetArguments(given);
  }

  d->application = new uiApplication(static_cast<int>(args.size()), args, true);
  oxMarkStartup("toolkit");
  OnApplicationCreated()();

  d->mainWindow = new uiMainWindow(nullptr, "MainWindow");
  d->parts.mainWindow = d->mainWindow;
  OnMainWindowCreated()(d->mainWindow);
  d->mainWindow->SetCaption(kCaption);
  d->mainWindow->SetGeometry(20, 50, 1000, 800);

  d->application->SetMainWidget(d->mainWindow);
  manager->SetApplication(d->application);
  manager->SetMainWindow(d->mainWindow);
  d->mainWindow->OnClose().Connect(d, &Internal::HandleClose);
  oxMarkStartup("window");
  // Script slots reach the JavaScript engine, made on their first call,
  // where scripts find the application as "app".
  oxScriptEngine::Install();
  oxScriptEngine::AddGlobal("app", &MakeScriptApp);
  // The desktop session ending asks as quitting does; a session manager
  // that lets nobody ask gets the work autosaved, not dropped.
  QObject::connect(d->application->GetApplication(), &QGuiApplication::commitDataRequest,
                   d->application->GetApplication(),
                   [](QSessionManager& session) {
                     if (!UnsavedWork::Exists() && Tasks::GetRunning().empty()) return;
                     if (!session.allowsInteraction()) return;
                     const bool quit = ConfirmQuitting();
                     session.release();
                     if (!quit) session.cancel();
                   });

  d->translation.application = d->application;
  d->translation.locale = commandLine->GetValue("-locale");
  // Else the language chosen on the General settings page, read once: a
  // new choice takes effect at the next start.
  if (d->translation.locale.empty()) {
    const oxSettings* general = oxapp::Application::Get()->GetSettings()->GetSection("General", false, true);
    const oxVariant language = general ? general->Get("Language") : oxVariant();
    if (language.GetType() == oxVariant::Type::String) d->translation.locale = language.GetString();
  }
  // Dates and numbers the window shows follow the language chosen too.
  QLocale::setDefault(d->translation.locale.empty() ? QLocale::system()
                                                    : QLocale(uiStr(d->translation.locale)));
  if (d->translation.locale.empty()) {
    d->translation.locale = manager->Locale().toLatin1().toStdString();
  }

  // Qt's own texts (standard buttons, file dialogs) in the same language,
  // beside the library's and the clients' translation files.
  if (QApplication* qt = d->application->GetApplication()) {
    d->qtTexts = new QTranslator;
    if (d->qtTexts->load(QLocale(uiStr(d->translation.locale)), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      qt->installTranslator(d->qtTexts);
    }
  }

  oxMarkStartup("translations");
  uiIconSet::SetIconSize(uiIconSet::Large, uiSize(50, 50));

  d->profileManager = new ProfileManager;
  d->parts.profileManager = d->profileManager;
  // Only what the active profile chain put in the window, as its toggles.
  // Then the way to rearrange the toolbars, where the chain has any.
  auto* customize = new QAction(TranslateLibraryQText("Customize Toolbars\u2026"), d->mainWindow);
  QObject::connect(customize, &QAction::triggered, d->mainWindow, [] { (new ToolBarsDialog)->show(); });
  d->mainWindow->SetPopupMenuHook([profiles = d->profileManager, customize] {
    QList<QAction*> actions = GetWindowMenuActions(profiles->GetActiveProfile());
    const Profile* active = profiles->GetActiveProfile();
    if (active && !active->GetToolBarList().empty()) actions << nullptr << customize;
    return actions;
  });
  UserToolBars::Keep(d->profileManager, d->mainWindow);
  d->clientManager = new ClientManager;
  d->parts.clientManager = d->clientManager;
  // A plug-in that fails to load is told in the main window, without
  // stopping anything: the rest of the application goes on.
  fwc::Director::Get()->GetPluginManager()->SetFailureListener(
      [](const fwc::PluginDescription& plugin, const oxString& reason) {
        InfoBar::Show(TranslateLibraryQText("The plug-in %1 could not be loaded: %2")
                          .arg(QString::fromStdString(plugin.GetName()), QString::fromStdString(reason))
                          .toStdString(),
                      InfoBar::Error);
      });
  d->centralWidget = new CentralWidget;
  d->parts.documentArea = d->centralWidget;
  WindowTitle::Keep();
  oxMarkStartup("managers");
}

// Registered with the framework core to the very end: a Get() made while the
// parts are deleted (from a plug-in's destructor, say) finds this object
// instead of making a second one. Leaving the core is the last step, so
// nothing keeps a pointer to the object once it is gone.
Gui::~Gui() {
  delete internal_;
  internal_ = nullptr;
  if (fwc::Director::Get()->GetGui() == this) fwc::Director::Get()->SetGui(nullptr);
}

Gui* Gui::Get() {
  Gui* gui = dynamic_cast<Gui*>(fwc::Director::Get()->GetGui());
  if (!gui) gui = new Gui(0, nullptr);
  // No events while the object is made or torn down: its parts are not all
  // there.
  const Internal* d = gui->internal_;
  if (d && !d->tearingDown && d->mainWindow && !d->mainWindow->IsVisible()) gui->Share();
  return gui;
}

const Parts& GetParts() {
  static const Parts none;
  const Gui* gui = Gui::Get();
  return gui->internal_ ? gui->internal_->parts : none;
}

const Parts* FindParts() {
  auto* gui = dynamic_cast<Gui*>(fwc::Director::Get()->GetGui());
  return gui && gui->internal_ ? &gui->internal_->parts : nullptr;
}

uiApplication* Gui::GetApplication() const { return internal_ ? internal_->application : nullptr; }
uiMainWindow* Gui::GetMainWindow() const { return internal_ ? internal_->mainWindow : nullptr; }
ClientManager* Gui::GetClientManager() const {
  return internal_ ? internal_->clientManager : nullptr;
}
ProfileManager* Gui::GetProfileManager() const {
  return internal_ ? internal_->profileManager : nullptr;
}
CentralWidget* Gui::GetCentralWidget() const {
  return internal_ ? internal_->centralWidget : nullptr;
}

void Gui::Start() {
  internal_->mainWindow->Show();
  oxMarkStartup("shown");
  // The window's size is made before the screen is known: 1000 by 800 does
  // not fit a small screen, and a restored place may not fit this one.
  WindowLayout::FitOnScreen();
  internal_->onRun();
  BringToFront(internal_->mainWindow);
  oxMarkStartup("started");

  const oxString name = oxapp::CommandLine::Get()->GetValue("-client");
  if (name.empty()) return;
  if (Client* client = ClientManager::Get()->GetClient(name)) {
    client->New();
    oxMarkStartup("first-document");
  } else {
    oxDiagnostic("Could not find client named '", name, "' for loading");
  }
}

void Gui::Run() {
  if (internal_ && internal_->application) internal_->application->Exec();
}

void Gui::Share() {
  if (internal_ && internal_->application) internal_->application->ProcessEvents();
}

void Gui::Exit() {
  if (!internal_) return;
  if (!g_exitInProgress && internal_->onExit->HasConnections()) {
    g_exitInProgress = true;
    auto& dialogs = guiTrapableDialog::s_helper;
    const bool modeless = dialogs.modelessDialogs();
    if (modeless) dialogs.setModelessDialogs(false);
    // A listener may delete this object: nothing of it is touched after.
    const std::shared_ptr<oxSignal0<void>> onExit = internal_->onExit;
    (*onExit)();
    if (modeless) dialogs.setModelessDialogs(true);
    g_exitInProgress = false;
    return;
  }
  // Nothing a person made is dropped without a question. Quitting closes
  // the windows, and the main window's close comes back here: asked once.
  // Running tasks are asked about first; they are canceled only once the
  // application really ends.
  if (!internal_->tearingDown && !g_quitConfirmed && !ConfirmQuitting()) return;
  const bool outer = !g_quitConfirmed;
  g_quitConfirmed = true;
  Tasks::CancelAllAndWait();
  uiManager::Get()->Exit();
  if (outer) g_quitConfirmed = false;
}

void Gui::Error(const oxString& message) {
  uiMainWindow* window = internal_ ? internal_->mainWindow : nullptr;
  if (window && window->IsVisible()) {
    window->Error(message);
    return;
  }
  uiMessageBox::Critical(nullptr, kErrorCaption, message, 1, 0, 0);
}

void Gui::SetModelessDialogs(bool on) { guiTrapableDialog::s_helper.setModelessDialogs(on); }
bool Gui::IsModelessDialogs() const { return guiTrapableDialog::s_helper.modelessDialogs(); }
bool Gui::IsActiveModeless() const { return guiTrapableDialog::s_helper.isActiveModeless(); }
void Gui::ActivateTopModeless() { guiTrapableDialog::s_helper.activateTopModeless(); }

oxSignal0<void>& Gui::OnApplicationCreated() {
  static oxSignal0<void> signal;
  return signal;
}

oxSignal1<void, uiMainWindow*>& Gui::OnMainWindowCreated() {
  static oxSignal1<void, uiMainWindow*> signal;
  return signal;
}

oxSignal0<void>& Gui::OnRun() { return internal_->onRun; }
oxSignal0<void>& Gui::OnExit() { return *internal_->onExit; }

}  // namespace fwg
