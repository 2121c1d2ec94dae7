#include "fwg/objects/FileCommands.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMessageBox>
#include <QMimeData>
#include <QMimeDatabase>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "fwg/LibraryTexts.h"
#include "fwg/Parts.h"
#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/clients/Document.h"
#include "fwg/clients/FileTypes.h"
#include "fwg/clients/OpenFailures.h"
#include "fwg/objects/Project.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/profiles/Profile.h"
#include "fwg/shell/InfoBar.h"
#include "fwg/shell/SettingsPage.h"
#include "platform/oxapp/Application.h"
#include "platform/oxt/Model.h"
#include "platform/settings/oxSettings.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/vos/vosFile.h"
#include "platform/vos/vosLibrary.h"

namespace fwg {

namespace {

const char kSection[] = "Files";

QString QText(const char* text) { return TranslateLibraryQText(text); }

void ShowError(const QString& message) {
  if (uiMainWindow* window = FindMainWindow()) window->Error(message.toStdString());
}

// Files that could not be opened, each (quoted) with its reason.
using OpenFailures = std::vector<std::pair<QString, QString>>;

// While OpenFiles runs, the failures to be told together.
OpenFailures* g_openFailures = nullptr;

// One failure in a line of its own; several in one message, a line each.
void TellOpenFailures(const OpenFailures& failures) {
  if (failures.size() == 1) {
    ShowError(QText("Could not open %1: %2.").arg(failures.front().first, failures.front().second));
  } else if (!failures.empty()) {
    QString message = QText("These files could not be opened:");
    for (const auto& [file, reason] : failures) message += "\n" + QText("%1: %2.").arg(file, reason);
    ShowError(message);
  }
}

oxStlVector<oxString> ToPaths(const QStringList& files) {
  oxStlVector<oxString> paths;
  for (const QString& file : files) paths.push_back(file.toStdString());
  return paths;
}

QString Absolute(const oxString& path) {
  return path.empty() ? QString() : QFileInfo(QString::fromStdString(path)).absoluteFilePath();
}

QString Quoted(const QString& path) {
  return QText("\u201c%1\u201d").arg(QDir::toNativeSeparators(path));
}

oxStlVector<ClientObject*> GetDocuments() {
  oxStlVector<ClientObject*> documents;
  oxt::Model* model = oxt::Model::Get();
  if (!model || !model->GetRoot()) return documents;
  for (oxt::Object* object :
       model->GetRoot()->GetChildren({}, ClientObject::S_ClassName(), true, true)) {
    if (ClientObject* document = ClientObject::Cast(object)) documents.push_back(document);
  }
  return documents;
}

Project* ProjectOf(ClientObject* document) {
  return Project::Cast(document->GetParent(Project::S_ClassName()));
}

// A question with two answers, standard buttons named for what they do:
// Yes for `yes`, No for `no`; Escape answers No.
bool Choose(const QString& caption, const QString& text, const QString& detail,
            const QString& yes, const QString& no, bool yesByDefault) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                  FindMainWindow());
  box.setInformativeText(detail);
  box.button(QMessageBox::Yes)->setText(yes);
  box.button(QMessageBox::No)->setText(no);
  box.setDefaultButton(yesByDefault ? QMessageBox::Yes : QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  box.exec();
  return box.clickedButton() == box.button(QMessageBox::Yes);
}

// Gives the document the keyboard and brings it forward.
void BringForward(ClientObject* document) {
  ClientManager* manager = ClientManager::Get();
  if (manager && manager->GetActiveClientObject() != document) document->Activate();
  if (uiLayoutFrameEx* frame = document->GetLayouter()) frame->FocusView();
}

// Where the file dialogs start: the folder of the file used last, else the
// documents folder.
QString StartFolder() {
  return QString::fromStdString(vosLibrary::GetStartFolder(FileCommands::GetRecentFiles()));
}

// The projects and whether each held unsaved changes, taken before a
// client tries to open a file: when no document came of it, the projects
// it made on the way (empty) go again and the others read as before.
class SessionState {
 public:
  SessionState() {
    for (oxt::Object* object : oxt::Model::Get()->GetRoot()->GetChildren()) {
      if (Project* project = Project::Cast(object)) projects_.emplace_back(project, project->IsModified());
    }
  }
  void Restore() const {
    for (oxt::Object* object : oxt::Model::Get()->GetRoot()->GetChildren()) {
      Project* project = Project::Cast(object);
      if (!project) continue;
      const auto known = std::find_if(projects_.begin(), projects_.end(),
                                      [project](const auto& entry) { return entry.first == project; });
      if (known != projects_.end()) {
        project->SetModified(known->second);
      } else if (project->GetChildren().empty()) {
        project->Delete();
      }
    }
  }

 private:
  oxStlVector<std::pair<Project*, bool>> projects_;
};

// The entries of one installed "Recent Files" submenu; the guard tells
// when the profile deleted them.
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
  if (GetRecentMenus().empty()) return;
  const oxStlVector<oxString> recent = FileCommands::GetRecentFiles();
  for (const RecentMenu& menu : GetRecentMenus()) {
    // Greyed while empty, Clear List with it, as the recent sessions are.
    menu.group->SetEnabled(!recent.empty());
    FileCommands::ShowRecentEntries(menu.entries, recent);
  }
}

void OpenRecent(size_t index) {
  const oxStlVector<oxString> recent = FileCommands::GetRecentFiles();
  if (index >= recent.size()) return;
  const QString path = QString::fromStdString(recent[index]);
  if (!QFileInfo::exists(path)) {
    if (Choose(QText("Recent Files"), QText("%1 is no longer there.").arg(Quoted(path)),
               QText("Remove it from the recent files?"), QText("&Remove"), QText("&Keep"), true)) {
      FileCommands::RemoveRecentFile(recent[index]);
    }
    return;
  }
  FileCommands::Open(recent[index]);
}

// Watches the files of the open documents for other programs' changes,
// and tells of each in a bar inside the document's frame, which waits for
// the user without stopping anything: Reload or Keep Mine for a changed
// file, Save for a removed one. A burst of changes is one bar: the check
// runs after the notifications that came together, a bar on show takes the
// newer news, and its answer takes the file as it is then. Closing the bar
// decides nothing: the next change asks again.
class FileWatcher : public QObject {
 public:
  static FileWatcher& Get() {
    static FileWatcher* watcher = new FileWatcher;  // lives for the process
    return *watcher;
  }

  void Sync() {
    std::set<QString> wanted;
    for (ClientObject* document : GetDocuments()) {
      const oxString path = document->GetFilePath();
      if (!path.empty()) wanted.insert(QString::fromStdString(path));
    }
    QStringList gone;
    for (const QString& path : watcher_.files()) {
      if (!wanted.count(path)) gone << path;
    }
    if (!gone.isEmpty()) watcher_.removePaths(gone);
    const QStringList watched = watcher_.files();
    for (const QString& path : wanted) {
      if (!watched.contains(path) && QFileInfo::exists(path)) watcher_.addPath(path);
    }
  }

 private:
  enum class News { Changed, Removed };
  struct Told {
    QPointer<InfoBar> bar;
    News news;
  };

  FileWatcher() {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileWatcher::Note);
  }

  void Note(const QString& path) {
    // A file replaced by renaming (as every careful save does) is no
    // longer watched: watch the new one.
    if (QFileInfo::exists(path) && !watcher_.files().contains(path)) watcher_.addPath(path);
    pending_.insert(path);
    if (!scheduled_) {
      scheduled_ = true;
      QTimer::singleShot(0, this, &FileWatcher::Check);
    }
  }

  void Check() {
    scheduled_ = false;
    while (!pending_.empty()) {
      const QString path = *pending_.begin();
      pending_.erase(pending_.begin());
      if (ClientObject* document = FileCommands::FindDocument(path.toStdString())) Examine(document);
    }
  }

  void Examine(ClientObject* document) {
    Document* file = document->GetDocument();
    const oxString path = document->GetFilePath();
    if (!file || Document::ReadStamp(path) == file->GetStamp()) return;
    const QString name = Quoted(QString::fromStdString(path));
    const News news = QFileInfo::exists(QString::fromStdString(path)) ? News::Changed : News::Removed;
    Told& told = told_[path];
    // Closed bars hide at once and go later.
    if (told.bar && told.bar->isHidden()) told.bar = nullptr;
    if (told.bar && told.news == news) return;  // the bar on show answers for this change too
    if (told.bar) told.bar->Close();
    QWidget* frame = document->GetLayouter();
    if (news == News::Removed) {
      // The document keeps its content, which its file now lacks.
      file->AcceptStamp();
      file->SetModified(true);
      told.bar = InfoBar::Show(
          frame ? frame : FindMainWindow(),
          (QText("%1 was removed or renamed by another program.").arg(name) + " " +
           QText("The document keeps its content: save it to write the file again."))
              .toStdString(),
          InfoBar::Warning, {{QText("&Save").toStdString(), [path] { SaveAgain(path); }}});
    } else {
      const QString question = file->IsModified()
                                   ? QText("Reload it and lose your unsaved changes, or keep your version?")
                                   : QText("Reload it, or keep the version shown?");
      told.bar = InfoBar::Show(
          frame ? frame : FindMainWindow(),
          (QText("%1 was changed by another program.").arg(name) + " " + question).toStdString(),
          InfoBar::Warning,
          {{QText("&Reload").toStdString(), [path] { Answer(path, true); }},
           {QText("&Keep Mine").toStdString(), [path] { Answer(path, false); }}});
    }
    told.news = news;
    UpdateRecentMenus();
  }

  static void SaveAgain(const oxString& path) {
    if (ClientObject* document = FileCommands::FindDocument(path)) FileCommands::Save(document);
  }

  // The document may have gone while the bar was on show.
  static void Answer(const oxString& path, bool reload) {
    ClientObject* document = FileCommands::FindDocument(path);
    Document* now = document ? document->GetDocument() : nullptr;
    if (!now) return;
    oxString error;
    if (reload && !now->Reload(&error)) {
      now->AcceptStamp();
      QWidget* frame = document->GetLayouter();
      InfoBar::Show(frame ? frame : FindMainWindow(),
                    QText("Could not reload %1: %2")
                        .arg(Quoted(QString::fromStdString(path)), QString::fromStdString(error))
                        .toStdString(),
                    InfoBar::Error);
    } else if (!reload) {
      now->AcceptStamp();
      now->SetModified(true);  // it differs from its file now
    }
    UpdateRecentMenus();
  }

  QFileSystemWatcher watcher_;
  std::set<QString> pending_;
  std::map<oxString, Told> told_;
  bool scheduled_ = false;
};

// Files dropped on the main window, wherever they land in it; text views
// keep what is not a file.
class DropTarget : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    uiMainWindow* window = FindMainWindow();
    if (!widget || !window || widget->window() != window) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    QStringList files;
    for (const QUrl& url : drop->mimeData()->urls()) {
      if (url.isLocalFile()) files << url.toLocalFile();
    }
    if (files.isEmpty()) return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
      // Not inside the drop: opening may ask questions.
      QTimer::singleShot(0, window, [files] {
        FileCommands::OpenFiles(ToPaths(files));
      });
    }
    return true;
  }
};

oxStlVector<oxString>& GetReopenFailures() {
  static oxStlVector<oxString> failures;
  return failures;
}

}  // namespace

void FileCommands::Install(Profile* profile, const oxString& menuPath) {
  if (!profile) return;
  const auto text = [](const char* t) { return TranslateLibraryText(t); };
  Action* open = profile->AddAction("File.OpenFile", text("&Open File\u2026"), {}, "Ctrl+O");
  ActionGroup* recent = profile->AddActionGroup("File.RecentFiles", text("Recent &Files"), true);
  Action* save = profile->AddAction("File.Save", text("&Save"), {}, "Ctrl+S");
  Action* saveAs = profile->AddAction("File.SaveAs", text("Save &As\u2026"), {}, "Ctrl+Shift+S");
  Action* saveAll = profile->AddAction("File.SaveAll", text("Save A&ll"));
  Action* revert = profile->AddAction("File.Revert", text("Re&vert"));
  const auto active = [] {
    ClientManager* manager = ClientManager::Get();
    return manager ? manager->GetActiveClientObject() : nullptr;
  };
  // Greyed while there is nothing for them, as Print is: with no document
  // Save and Save As take the session, if there is one.
  FollowTargets(profile, [active, save, saveAs, saveAll, revert] {
    ClientObject* document = active();
    const bool any = document || SessionCommands::GetSessionProject();
    for (Action* action : {save, saveAs, saveAll}) action->SetEnabled(any);
    revert->SetEnabled(document && !document->GetFilePath().empty());
  });
  RecentMenu menu{recent->GetUiAction(), recent, {}};
  for (int i = 0; i < kMaxRecent; ++i) {
    Action* entry = profile->AddAction("File.RecentFile" + std::to_string(i + 1), "");
    recent->AddAction(entry);
    menu.entries.push_back(entry);
    entry->OnActivate().Connect(profile, [i] { OpenRecent(static_cast<size_t>(i)); });
  }
  Action* clear = profile->AddAction("File.ClearRecentFiles", text("&Clear List"));
  recent->AddAction(clear);
  clear->OnActivate().Connect(profile, [] { ClearRecentFiles(); });
  for (Action* action : {open, static_cast<Action*>(recent), save, saveAs, saveAll, revert}) {
    profile->AddMenu(action, menuPath + "/" + action->GetName());
  }
  open->OnActivate().Connect(profile, [] { Open(); });
  save->OnActivate().Connect(profile, [active] { Save(active()); });
  saveAs->OnActivate().Connect(profile, [active] { SaveAs(active()); });
  saveAll->OnActivate().Connect(profile, [] { SaveAll(); });
  revert->OnActivate().Connect(profile, [active] {
    if (ClientObject* document = active()) Revert(document);
  });
  GetRecentMenus().push_back(menu);
  UpdateRecentMenus();
  // A new length shows at once.
  static bool following = false;
  if (!following) SettingsPages::OnChanged().Connect(nullptr, [] { UpdateRecentMenus(); });
  following = true;
}

void FileCommands::AcceptDrops() {
  static QPointer<DropTarget> target;
  uiMainWindow* window = FindMainWindow();
  if (!window || target) return;
  target = new DropTarget;
  target->setParent(window);
  window->setAcceptDrops(true);
  qApp->installEventFilter(target);
}

ClientObject* FileCommands::Open(const oxString& path) {
  const QString absolute = Absolute(path);
  if (ClientObject* open = FindDocument(path)) {
    BringForward(open);
    AddRecentFile(path);
    return open;
  }
  const QFileInfo info(absolute);
  QString reason;
  oxString clientName;
  oxString type;
  FileTypes* types = FileTypes::Get();
  if (absolute.isEmpty() || !info.exists()) {
    reason = QText("there is no such file");
  } else if (info.isDir()) {
    reason = QText("it is a folder");
  } else if (!vosFile::Exists(absolute.toStdString())) {  // a FIFO, a device, a socket
    reason = QText("it is not a regular file");
  } else if (clientName = types ? types->FindClient(absolute.toStdString(), &type) : oxString();
             clientName.empty()) {
    const QMimeType found = QMimeDatabase().mimeTypeForFile(absolute);
    reason = QText("no installed client opens files of this type (%1)").arg(found.comment());
  }
  Client* client = nullptr;
  if (reason.isEmpty()) {
    client = ClientManager::Get()->GetClient(clientName);
    if (!client) {
      reason = QText("the client %1 that opens it could not be loaded")
                   .arg(QString::fromStdString(clientName));
    }
  }
  if (client) {
    const SessionState before;
    TakeOpenFailure(absolute.toStdString());
    client->OpenFile(absolute.toStdString());
    if (ClientObject* opened = FindDocument(path)) {
      TakeOpenFailure(absolute.toStdString());
      opened->GetDocument()->SetMimeType(type);
      BringForward(opened);
      AddRecentFile(path);
      return opened;
    }
    reason = QString::fromStdString(TakeOpenFailure(absolute.toStdString()));
    if (reason.isEmpty()) {
      reason = QText("the client %1 made no document of it").arg(QString::fromStdString(clientName));
    }
    before.Restore();
  }
  if (g_openFailures) {
    g_openFailures->emplace_back(Quoted(absolute), reason);
  } else {
    TellOpenFailures({{Quoted(absolute), reason}});
  }
  UpdateRecentMenus();
  return nullptr;
}

bool FileCommands::OpenFiles(const oxStlVector<oxString>& paths) {
  OpenFailures failures;
  auto* const outer = std::exchange(g_openFailures, &failures);
  bool opened = false;
  for (const oxString& path : paths) opened = Open(path) || opened;
  g_openFailures = outer;
  TellOpenFailures(failures);
  return opened;
}

bool FileCommands::Open() {
  FileTypes* types = FileTypes::Get();
  const QStringList files = QFileDialog::getOpenFileNames(
      FindMainWindow(), QText("Open File"), StartFolder(),
      types ? types->GetOpenFilters() : QText("All files") + " (*)");
  return OpenFiles(ToPaths(files));
}

bool FileCommands::Save(ClientObject* document) {
  if (!document) return SessionCommands::Save(SessionCommands::GetSessionProject());
  Document* file = document->GetDocument();
  if (file && file->HasFile()) return SaveAs(document, file->GetFilePath());
  if (!file && document->IsModified()) {
    Client* client = document->GetClient();
    return client && client->Save(document);
  }
  return SessionCommands::Save(ProjectOf(document));
}

bool FileCommands::SaveAs(ClientObject* document) {
  if (!document) return SessionCommands::SaveAs(SessionCommands::GetSessionProject());
  Document* file = document->GetDocument();
  if (!file) return SessionCommands::SaveAs(ProjectOf(document));
  Client* client = document->GetClient();
  FileTypes* types = FileTypes::Get();
  const oxString clientName = client ? client->GetName() : oxString();
  const QString suffix = types ? QString::fromStdString(types->GetDefaultSuffix(clientName)) : QString();
  QString offered = Absolute(file->GetFilePath());
  if (offered.isEmpty()) {
    offered = QDir(StartFolder()).filePath(QString::fromStdString(document->GetTitle()));
    if (!suffix.isEmpty() && QFileInfo(offered).suffix().isEmpty()) offered += "." + suffix;
  }
  QString path = QFileDialog::getSaveFileName(
      FindMainWindow(), QText("Save As"), offered,
      types ? types->GetSaveFilters(clientName) : QText("All files") + " (*)");
  if (path.isEmpty()) return false;
  if (!suffix.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += "." + suffix;
  return SaveAs(document, path.toStdString());
}

bool FileCommands::SaveAs(ClientObject* document, const oxString& path) {
  Document* file = document ? document->GetDocument() : nullptr;
  if (!file) return false;
  const QString absolute = Absolute(path);
  const bool newFile = absolute != Absolute(file->GetFilePath());
  oxString error;
  if (!file->SaveAs(absolute.toStdString(), &error)) {
    ShowError(QText("Could not save %1: %2.").arg(Quoted(absolute), QString::fromStdString(error)));
    return false;
  }
  if (newFile) {
    // The document is known by its file from now on, and its session holds
    // the path instead of the content.
    const oxString name = QFileInfo(absolute).fileName().toStdString();
    if (document->GetName() != name) {
      oxt::Property property("Name", oxt::Variant(name));
      document->SetProperty(property);
    }
    document->SetContentSaved();
    if (Project* project = ProjectOf(document)) {
      project->SetModified(true);
      // The work left the session for the file: whether the session still
      // holds any shows in the window title.
      Project::OnTitleChanged().Emit(project);
    }
  }
  Watch(document);
  AddRecentFile(absolute.toStdString());
  if (Client* client = document->GetClient()) {
    if (newFile) {
      client->OnSaveAs().Emit(document, absolute.toStdString());
    } else {
      client->OnSave().Emit(document);
    }
  }
  return true;
}

bool FileCommands::SaveAll() {
  bool all = true;
  for (ClientObject* document : GetDocuments()) {
    if (document->IsModified()) all = Save(document) && all;
  }
  for (oxt::Object* object : oxt::Model::Get()->GetRoot()->GetChildren()) {
    Project* project = Project::Cast(object);
    if (project && project->IsModified() && !project->GetFileName().empty()) {
      all = SessionCommands::Save(project) && all;
    }
  }
  return all;
}

bool FileCommands::Revert(ClientObject* document) {
  Document* file = document ? document->GetDocument() : nullptr;
  if (!file || !file->HasFile()) return false;
  const QString name = Quoted(QString::fromStdString(file->GetFilePath()));
  if (file->IsModified() &&
      !Choose(QText("Revert"), QText("Revert %1 to its file?").arg(name),
              QText("Your changes since it was last saved are lost."), QText("&Revert"),
              QText("Cancel"), false)) {
    return false;
  }
  oxString error;
  if (!file->Reload(&error)) {
    ShowError(QText("Could not read %1: %2.").arg(name, QString::fromStdString(error)));
    return false;
  }
  return true;
}

ClientObject* FileCommands::FindDocument(const oxString& path) {
  const QString absolute = Absolute(path);
  if (absolute.isEmpty()) return nullptr;
  for (ClientObject* document : GetDocuments()) {
    const oxString file = document->GetFilePath();
    if (!file.empty() && QString::fromStdString(file) == absolute) return document;
  }
  return nullptr;
}

int FileCommands::GetRecentCount() {
  const oxSettings* section = oxapp::Application::Get()->GetSettings()->GetSection(kSection, false, true);
  return section ? static_cast<int>(section->GetInteger("RecentCount", kDefaultRecent, 1, kMaxRecent))
                 : kDefaultRecent;
}

oxString FileCommands::RecentEntryText(size_t index, const oxString& path) {
  const QFileInfo info(QString::fromStdString(path));
  QString name = info.fileName();
  name.replace(QLatin1Char('&'), QLatin1String("&&"));
  if (!info.exists()) name = QText("%1 (missing)").arg(name);
  const QString number = index < 9 ? QStringLiteral("&%1").arg(index + 1)
                         : index == 9 ? QStringLiteral("1&0")
                                      : QString::number(index + 1);
  return (number + QLatin1Char(' ') + name).toStdString();
}

void FileCommands::ShowRecentEntries(const oxStlVector<Action*>& entries, const oxStlVector<oxString>& paths) {
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i]->SetListEntry(true);  // a key or a button would follow the place, not the file
    const bool used = i < paths.size();
    entries[i]->SetVisible(used);
    if (!used) continue;
    entries[i]->SetText(RecentEntryText(i, paths[i]));
    entries[i]->SetStatusTip(paths[i]);
  }
}

void FileCommands::FollowTargets(Profile* profile, std::function<void()> update) {
  if (!profile) return;
  // The profile's connections hold the only references: once it is gone,
  // an update still queued finds nothing to call.
  const auto now = std::make_shared<std::function<void()>>(std::move(update));
  (*now)();
  if (ClientManager* manager = ClientManager::Get()) {
    manager->OnActiveClientObjectChanged().Connect(profile, [now](ClientObject*) { (*now)(); });
  }
  ClientObject::OnTitleChanged().Connect(profile, [now](ClientObject*) { (*now)(); });
  oxt::Model* model = oxt::Model::Get();
  model->OnObjectCreated().Connect(profile, [now](oxt::Object* object) {
    if (Project::Cast(object)) (*now)();
  });
  // The objects are still in the tree while their deletion is told.
  model->OnObjectsDeleted().Connect(profile, [later = std::weak_ptr(now)](const oxStlVector<oxt::Object*>&) {
    QTimer::singleShot(0, [later] {
      if (const auto update = later.lock()) (*update)();
    });
  });
}

oxStlVector<oxString> FileCommands::GetRecentFiles() {
  oxStlVector<oxString> files;
  const oxSettings* section =
      oxapp::Application::Get()->GetSettings()->GetSection(kSection, false, true);
  const int count = GetRecentCount();
  for (int i = 1; section && i <= kMaxRecent && static_cast<int>(files.size()) < count; ++i) {
    const oxString path = section->Get("Recent" + std::to_string(i)).GetString();
    if (!path.empty()) files.push_back(path);
  }
  return files;
}

namespace {

void WriteRecentFiles(const oxStlVector<oxString>& files) {
  oxSettings* settings = oxapp::Application::Get()->GetSettings();
  oxSettings* section = settings->GetSection(kSection, true, true);
  for (int i = 1; i <= FileCommands::kMaxRecent; ++i) {
    const size_t at = static_cast<size_t>(i - 1);
    section->Set("Recent" + std::to_string(i), at < files.size() ? files[at] : oxString());
  }
  settings->Sync();
  UpdateRecentMenus();
}

}  // namespace

void FileCommands::AddRecentFile(const oxString& path) {
  oxStlVector<oxString> files = GetRecentFiles();
  const oxString absolute = Absolute(path).toStdString();
  if (!files.empty() && files.front() == absolute) return UpdateRecentMenus();
  std::erase(files, absolute);
  files.insert(files.begin(), absolute);
  if (files.size() > static_cast<size_t>(GetRecentCount())) files.resize(GetRecentCount());
  WriteRecentFiles(files);
}

void FileCommands::RemoveRecentFile(const oxString& path) {
  oxStlVector<oxString> files = GetRecentFiles();
  std::erase(files, Absolute(path).toStdString());
  WriteRecentFiles(files);
}

void FileCommands::ClearRecentFiles() { WriteRecentFiles({}); }

void FileCommands::Watch(ClientObject*) {
  if (QCoreApplication::instance()) FileWatcher::Get().Sync();
}

void FileCommands::Reopen(ClientObject* document, const oxString& path) {
  const QString absolute = Absolute(path);
  Document* file = document ? document->GetDocument() : nullptr;
  oxString error;
  if (!file) {
    error = TranslateLibraryText("its client does not open files");
  } else if (!file->Open(absolute.toStdString(), &error)) {
    file->SetFilePath(absolute.toStdString());  // kept, so that the session still names it
  }
  TakeOpenFailure(absolute.toStdString());
  if (!error.empty()) GetReopenFailures().push_back(absolute.toStdString() + ": " + error);
}

void FileCommands::Restore(ClientObject* document, const oxString& path, const QByteArray& content) {
  Document* file = document ? document->GetDocument() : nullptr;
  oxString error;
  if (!file) {
    error = TranslateLibraryText("its client does not open files");
  } else {
    file->SetFilePath(Absolute(path).toStdString());  // first: the view asks which file it shows
    if (file->Load(content, &error)) {
      file->SetModified(true);
      return;
    }
  }
  GetReopenFailures().push_back(Absolute(path).toStdString() + ": " + error);
}

oxStlVector<oxString> FileCommands::TakeReopenFailures() {
  oxStlVector<oxString> failures;
  failures.swap(GetReopenFailures());
  return failures;
}

}  // namespace fwg
