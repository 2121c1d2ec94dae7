#include "fwg/objects/SessionCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <algorithm>

#include "fwg/LibraryTexts.h"
#include "fwg/Question.h"
#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/Profile.h"
#include "fwg/Parts.h"
#include "fwg/clients/DocumentArea.h"
#include "platform/oxapp/Application.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "platform/settings/oxSettings.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/vos/vosLibrary.h"

namespace fwg {

namespace {

const char kSection[] = "Sessions";
const char kSuffix[] = ".session";

oxString Text(const char* text) { return TranslateLibraryText(text); }
QString QText(const char* text) { return TranslateLibraryQText(text); }

QWidget* GetDialogParent() { return FindMainWindow(); }

void ShowError(const oxString& message) {
  if (uiMainWindow* window = FindMainWindow()) window->Error(message);
}

oxStlVector<Project*> GetProjects() {
  oxStlVector<Project*> projects;
  for (oxt::Object* object : oxt::Model::Get()->GetRoot()->GetChildren()) {
    if (Project* project = Project::Cast(object)) projects.push_back(project);
  }
  return projects;
}

QString GetAbsolutePath(const oxString& path) {
  return QFileInfo(QString::fromStdString(path)).absoluteFilePath();
}

// The entries of one installed "Recent Sessions" submenu. The profile owns
// the actions; the guard tells when it deleted them.
struct RecentMenu {
  QPointer<QObject> guard;
  ActionGroup* group;
  oxStlVector<Action*> entries;
};

oxStlVector<RecentMenu>& GetRecentMenus() {
  static oxStlVector<RecentMenu> menus;
  return menus;
}

void UpdateRecentMenus() {
  std::erase_if(GetRecentMenus(), [](const RecentMenu& menu) { return menu.guard.isNull(); });
  const oxStlVector<oxString> recent = SessionCommands::GetRecentSessions();
  for (const RecentMenu& menu : GetRecentMenus()) {
    menu.group->SetEnabled(!recent.empty());
    FileCommands::ShowRecentEntries(menu.entries, recent);
  }
}

// Where the file dialogs start: the folder of the session used last, else
// the user's documents folder; never the folder the program was started
// from, which is seldom where a person keeps work.
QString StartFolder() {
  return QString::fromStdString(vosLibrary::GetStartFolder(SessionCommands::GetRecentSessions()));
}

oxString AskForFile(bool save, const oxString& suggestion) {
  QWidget* parent = GetDialogParent();
  QString path;
  if (save) {
    // A session that has a file is offered where it is; a new one by its
    // name in the start folder.
    QString offered = QString::fromStdString(suggestion);
    if (QFileInfo(offered).isRelative()) offered = QDir(StartFolder()).filePath(offered);
    path = QFileDialog::getSaveFileName(parent, QText("Save Session As"), offered,
                                        QText("Sessions (*.session);;All files (*)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += kSuffix;
  } else {
    path = QFileDialog::getOpenFileName(parent, QText("Open Session"), StartFolder(),
                                        QText("Sessions (*.session);;All files (*)"));
  }
  return path.toStdString();
}

}  // namespace

void SessionCommands::Install(Profile* profile, const oxString& menuPath) {
  if (!profile) return;
  // Keys of their own: the standard keys for saving and opening are the
  // documents' (FileCommands).
  Action* save = profile->AddAction("File.SaveSession", Text("Save Sess&ion"), {}, "Ctrl+Alt+S");
  Action* saveAs = profile->AddAction("File.SaveSessionAs", Text("Save Session As\u2026"), {},
                                      "Ctrl+Alt+Shift+S");
  Action* open = profile->AddAction("File.OpenSession", Text("Open Sessio&n\u2026"), {}, "Ctrl+Alt+O");
  ActionGroup* recent = profile->AddActionGroup("File.RecentSessions", Text("&Recent Sessions"), true);
  RecentMenu menu{recent->GetUiAction(), recent, {}};
  for (int i = 0; i < kMaxRecent; ++i) {
    Action* entry = profile->AddAction("File.RecentSession" + std::to_string(i + 1), "");
    recent->AddAction(entry);
    menu.entries.push_back(entry);
    entry->OnActivate().Connect(profile, [i] {
      const oxStlVector<oxString> sessions = GetRecentSessions();
      if (i < static_cast<int>(sessions.size())) Open(sessions[i]);
    });
  }
  for (Action* action : {save, saveAs, open, static_cast<Action*>(recent)}) {
    profile->AddMenu(action, menuPath + "/" + action->GetName());
  }
  save->OnActivate().Connect(profile, [] { Save(GetSessionProject()); });
  saveAs->OnActivate().Connect(profile, [] { SaveAs(GetSessionProject()); });
  open->OnActivate().Connect(profile, [] { Open(); });
  FileCommands::FollowTargets(profile, [save, saveAs] {
    const bool any = GetSessionProject() != nullptr;
    save->SetEnabled(any);
    saveAs->SetEnabled(any);
  });
  GetRecentMenus().push_back(menu);
  UpdateRecentMenus();
}

Project* SessionCommands::GetSessionProject() {
  const Parts* parts = FindParts();
  ClientManager* manager = parts ? parts->clientManager : nullptr;
  if (ClientObject* document = manager ? manager->GetActiveClientObject() : nullptr) {
    if (Project* project = Project::Cast(document->GetParent(Project::S_ClassName()))) {
      return project;
    }
  }
  if (Project* project = Project::GetCurrentObject()) return project;
  const oxStlVector<Project*> projects = GetProjects();
  return projects.empty() ? nullptr : projects.front();
}

bool SessionCommands::Save(Project* project) {
  if (!project) {
    ShowError(Text("There is no session to save."));
    return false;
  }
  if (project->GetFileName().empty()) return SaveAs(project);
  return SaveAs(project, project->GetFileName());
}

bool SessionCommands::SaveAs(Project* project) {
  if (!project) return false;
  const oxString file = project->GetFileName();
  const oxString path = AskForFile(true, file.empty() ? project->GetName() + kSuffix : file);
  return !path.empty() && SaveAs(project, path);
}

Project* SessionCommands::Open() {
  const oxString path = AskForFile(false, {});
  return path.empty() ? nullptr : Open(path);
}

bool SessionCommands::SaveAs(Project* project, const oxString& path) {
  if (!project) return false;
  // A session saved for the first time takes its file's name, as the
  // window title does.
  const oxString oldName = project->GetName();
  if (project->GetFileName().empty()) {
    const oxString name = QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString();
    if (!name.empty() && name != oldName) project->SetName(name);
  }
  oxString error;
  if (!project->SaveSession(path, &error)) {
    if (project->GetName() != oldName) project->SetName(oldName);
    ShowError(Text("The session was not saved:") + " " + error);
    return false;
  }
  AddRecentSession(path);
  return true;
}

Project* SessionCommands::Open(const oxString& path) {
  Project* open = nullptr;
  const QString wanted = GetAbsolutePath(path);
  for (Project* project : GetProjects()) {
    if (!project->GetFileName().empty() && GetAbsolutePath(project->GetFileName()) == wanted) {
      open = project;
    }
  }
  // Opening the session that is open reads it again: the user wants what
  // the file holds. Unsaved work goes only when the user says so.
  if (open && !MayDiscard(open)) {
    Show(open);
    return open;
  }
  oxString error;
  Project* project = Project::OpenSession(path, &error);
  if (!project) {
    ShowError(Text("The session was not opened:") + " " + error);
    return nullptr;
  }
  const oxStlVector<oxString> missing = FileCommands::TakeReopenFailures();
  if (open) open->Delete();
  AddRecentSession(path);
  Show(project);
  if (!missing.empty()) {
    oxString list;
    for (const oxString& line : missing) list += "\n" + line;
    ShowError(Text("The session was opened, but these files of it were not:") + list);
  }
  return project;
}

bool SessionCommands::MayDiscard(Project* project) {
  if (!project) return true;
  oxStlVector<ClientObject*> modified;
  for (oxt::Object* object : project->GetChildren({}, ClientObject::S_ClassName(), true, true)) {
    ClientObject* document = ClientObject::Cast(object);
    if (document && document->IsModified()) modified.push_back(document);
  }
  if (project->IsModified() &&
      AskUser(QText("Reload Session"),
              QText("%1 is open and has unsaved changes.")
                  .arg(QText("\u201c%1\u201d").arg(QString::fromStdString(project->GetUnmarkedTitle()))),
              QText("Read it again from its file and lose them?"),
              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
              QText("&Reload")) != QMessageBox::Ok) {
    return false;
  }
  // Documents whose work is in files of their own are asked about one by one.
  for (ClientObject* document : modified) {
    if (!document->ConfirmClose()) return false;
  }
  return true;
}

void SessionCommands::Show(Project* project) {
  oxt::CurrentObjects::Get()->SetCurrentObject(project);
  if (const Parts* parts = FindParts(); parts && parts->documentArea) {
    parts->documentArea->ShowDocuments();
    parts->documentArea->ActivateObject(project);
  }
}

oxStlVector<oxString> SessionCommands::GetRecentSessions() {
  oxStlVector<oxString> sessions;
  const oxSettings* section =
      oxapp::Application::Get()->GetSettings()->GetSection(kSection, false, true);
  for (int i = 1; section && i <= kMaxRecent; ++i) {
    const oxString path = section->Get("Recent" + std::to_string(i)).GetString();
    if (!path.empty()) sessions.push_back(path);
  }
  return sessions;
}

void SessionCommands::AddRecentSession(const oxString& path) {
  oxStlVector<oxString> sessions = GetRecentSessions();
  const QString absolute = GetAbsolutePath(path);
  std::erase_if(sessions, [&](const oxString& s) { return GetAbsolutePath(s) == absolute; });
  sessions.insert(sessions.begin(), absolute.toStdString());
  oxSettings* settings = oxapp::Application::Get()->GetSettings();
  oxSettings* section = settings->GetSection(kSection, true, true);
  for (int i = 1; i <= kMaxRecent; ++i) {
    const size_t at = static_cast<size_t>(i - 1);
    section->Set("Recent" + std::to_string(i), at < sessions.size() ? sessions[at] : oxString());
  }
  settings->Sync();
  UpdateRecentMenus();
}

}  // namespace fwg
