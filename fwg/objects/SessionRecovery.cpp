#include "fwg/objects/SessionRecovery.h"

#include <QDateTime>
#include <QEventLoop>
#include <QLocale>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QLockFile>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <future>
#include <iostream>

#include "fwg/LibraryTexts.h"
#include "fwg/Parts.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/Project.h"
#include "fwg/objects/UnsavedWork.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/SessionReading.h"
#include "fwg/shell/InfoBar.h"
#include "fwg/shell/SettingsPage.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/oxapp/Application.h"
#include "platform/oxapp/CommandLine.h"
#include "platform/oxt/FileElement.h"
#include "platform/oxt/Model.h"
#include "platform/settings/oxSettings.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiMessageBox.h"
#include "platform/vos/vosSaveFile.h"

namespace fwg {

namespace {

bool g_writing = false;

// Documents whose files lack their changes are work to keep, though the
// session itself may hold none.
bool HoldsChangedFiles(Project* project) {
  for (oxt::Object* object : project->GetChildren({}, ClientObject::S_ClassName(), true, true)) {
    const ClientObject* document = ClientObject::Cast(object);
    if (document && !document->GetFilePath().empty() && document->IsModified()) return true;
  }
  return false;
}

// Before each project's element: the session file it belongs to and
// whether it had unsaved changes.
const char kSession[] = "SESSION";
const char kFile[] = "file";
const char kModified[] = "modified";
constexpr int kDefaultSeconds = SessionRecovery::kDefaultInterval;

oxStlVector<Project*> GetProjects() {
  oxStlVector<Project*> projects;
  for (oxt::Object* object : oxt::Model::Get()->GetRoot()->GetChildren()) {
    if (Project* project = Project::Cast(object)) projects.push_back(project);
  }
  return projects;
}

// The interval as the program writes it ("AutosaveSeconds=@int 30") or as
// a person types it ("AutosaveSeconds=30") under "[Sessions]". A setting
// the program cannot read costs one line and leaves the default: a person
// who set an interval must learn that it is not in force. 0 switches
// autosave off; a day at most, which also keeps the interval's
// milliseconds within an int.
int GetAutosaveSeconds() {
  constexpr char kKey[] = "AutosaveSeconds";
  const oxSettings* section =
      oxapp::Application::Get()->GetSettings()->GetSection("Sessions", false, true);
  if (!section) return kDefaultSeconds;
  const auto where = [] {
    return oxSettings::GetConfigFolder() + "/" + oxapp::Application::Get()->GetName() + ".ini: [Sessions] ";
  };
  // "AutosaveSeconds:int" and the like: a key of another settings form.
  for (const oxString& key : section->GetKeys()) {
    if (key != kKey && QString::fromStdString(key).startsWith("autosave", Qt::CaseInsensitive)) {
      oxWarn(where(), oxQuote(key), " is no setting; the autosave interval is written ", kKey,
             "=<seconds>");
    }
  }
  return static_cast<int>(section->GetInteger(kKey, kDefaultSeconds, 0, SessionRecovery::kMaxInterval));
}

// QLockFile says only that it failed; the system says why.
oxString WhyLockFails() {
  const oxString reason = vosSaveFile::WhyNotWritable(oxSettings::GetConfigFolder());
  return SessionRecovery::GetRecoveryFile() + ".lock: " + (reason.empty() ? "cannot be made" : reason);
}

enum class Answer { Restore, Discard, Later };

// Waits, a second at most, until the window just shown is on screen: the
// window manager has framed it and the window has been fitted to the
// screen with its frame. Asked earlier, the question would stand over a
// window whose title bar is still above the top of a small screen.
void WaitUntilOnScreen(QWidget* window) {
  QWindow* handle = window && window->isVisible() ? window->windowHandle() : nullptr;
  if (!handle || handle->isExposed()) return;
  QEventLoop loop;
  QTimer poll, limit;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (handle->isExposed()) loop.quit();
  });
  QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
  poll.start(10);
  limit.start(1000);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

// Only an explicit Discard drops the work: Escape, or closing the question,
// keeps it for the next start.
Answer AskToRestore(const oxString& path) {
  // In the user's language and form: "Monday, December 7, 2026, 12:15 AM".
  const QDateTime saved = QFileInfo(QString::fromStdString(path)).lastModified();
  const QLocale locale;
  const QString when = locale.toString(saved.date(), QLocale::LongFormat) + ", " +
                       locale.toString(saved.time(), QLocale::ShortFormat);
  const QString question = TranslateLibraryQText(
      "The last run ended without saving all its work. Restore the work saved automatically on "
      "%1?");
  uiMainWindow* window = FindMainWindow();
  WaitUntilOnScreen(window);
  QMessageBox box(QMessageBox::Warning,
                  QString::fromStdString(window ? window->Caption()
                                                : oxapp::Application::Get()->GetName()),
                  question.arg(when), QMessageBox::NoButton, window);
  QPushButton* restore =
      box.addButton(TranslateLibraryQText("&Restore"), QMessageBox::AcceptRole);
  QPushButton* discard =
      box.addButton(TranslateLibraryQText("&Discard"), QMessageBox::DestructiveRole);
  QPushButton* later = box.addButton(TranslateLibraryQText("Ask &Later"), QMessageBox::RejectRole);
  box.setInformativeText(TranslateLibraryQText("Ask Later keeps the work for the next start."));
  box.setDefaultButton(restore);
  box.setEscapeButton(later);
  box.exec();
  if (box.clickedButton() == restore) return Answer::Restore;
  return box.clickedButton() == discard ? Answer::Discard : Answer::Later;
}

// Each restored document says so in its frame until the user saves it or
// closes the bar: its work is back, but only in memory.
void TellRestored(Project* project) {
  for (oxt::Object* object : project->GetChildren({}, ClientObject::S_ClassName(), true, true)) {
    ClientObject* document = ClientObject::Cast(object);
    QWidget* frame = document ? document->GetLayouter() : nullptr;
    if (!frame) continue;
    // The bar lives in the frame, which goes with the document.
    InfoBar::Show(frame,
                  TranslateLibraryText("Restored from the work saved automatically. Save it to keep it."),
                  InfoBar::Information,
                  {{TranslateLibraryText("&Save"), [document] { FileCommands::Save(document); }}});
  }
}

}  // namespace

struct SessionRecovery::Internal : oxListener<single_threaded> {
  Internal(SessionRecovery* self, const oxString& path)
      : recovery(self), file(QString::fromStdString(path)), lock(QString::fromStdString(path) + ".lock") {}

  SessionRecovery* const recovery;
  const QString file;  // the recovery file
  QLockFile lock;
  // The first try to take the lock, made while the window is built: the
  // lock file is synced to the disk, which takes a while. Settle() waits
  // for it before anything reads what it found.
  std::future<bool> firstTry;
  bool settled = false;
  bool owner = false;  // this process keeps the recovery file
  // The lock file could not be written (a full disk, a read-only folder):
  // taking it is tried again at every autosave.
  bool lockUnwritable = false;
  // A file left by an earlier run that Offer has not settled: it is not
  // written over or removed.
  bool pending = false;
  int seconds = 0;
  QTimer timer;
  // Autosave is this process's to do and no answer put it off: a new
  // interval starts the timer.
  bool mayRun = false;
  // Told once per run of failures: on stderr for each new reason, to the
  // user by one information bar, closed again once a save works.
  oxString lastFailure;
  bool told = false;
  QPointer<InfoBar> bar;

  // False when the lock file cannot be written; another process holding
  // the lock is no failure (it keeps the work).
  bool TakeLock();
  // Waits for the first try and starts what it allows: the autosave timer,
  // or the bar that says the lock file cannot be written.
  void Settle();
  void TellFailure(const oxString& reason);
  // Puts the interval stored now in force.
  void ReadInterval();
  void TellSuccess();
};

bool SessionRecovery::Internal::TakeLock() {
  owner = lock.tryLock(0);
  lockUnwritable = !owner && lock.error() != QLockFile::LockFailedError;
  if (owner) pending = QFile::exists(file);
  return !lockUnwritable;
}

void SessionRecovery::Internal::Settle() {
  if (settled) return;
  settled = true;
  const bool written = firstTry.get();
  if (!owner && written) return;  // another process keeps the work
  mayRun = true;
  SettingsPages::OnChanged().Connect(this, [this] { ReadInterval(); });
  if (seconds <= 0) return;
  timer.setInterval(seconds * 1000);
  timer.start();
  if (!written) TellFailure(WhyLockFails());
}

void SessionRecovery::Internal::TellFailure(const oxString& reason) {
  if (reason != lastFailure) std::cerr << "fwg: autosave failed: " << reason << "\n";
  lastFailure = reason;
  const QString text =
      seconds > 0 ? TranslateLibraryQText("Your work is not being saved for recovery after a crash: %1. "
                                          "Saving is tried again every %2 seconds.")
                        .arg(QString::fromStdString(reason))
                        .arg(seconds)
                  : TranslateLibraryQText("Your work could not be saved for recovery after a crash: %1.")
                        .arg(QString::fromStdString(reason));
  if (bar) {
    bar->SetText(text.toStdString());
    return;
  }
  if (told) return;
  told = true;
  // A try that fails again says so again.
  bar = InfoBar::Show(text.toStdString(), InfoBar::Warning,
                      {{TranslateLibraryText("Try &Now"), [this] {
                          told = false;
                          recovery->Autosave();
                        }}});
}

void SessionRecovery::Internal::ReadInterval() {
  seconds = GetAutosaveSeconds();
  if (!mayRun || seconds <= 0) {
    timer.stop();
    return;
  }
  if (timer.interval() != seconds * 1000 || !timer.isActive()) timer.start(seconds * 1000);
}

void SessionRecovery::Internal::TellSuccess() {
  lastFailure.clear();
  told = false;
  if (bar) bar->Close();
}

SessionRecovery::SessionRecovery() : internal_(new Internal(this, GetRecoveryFile())) {
  Internal& d = *internal_;
  // Only a lock whose process is gone is stale, however old it is.
  d.lock.setStaleLockTime(0);
  d.seconds = GetAutosaveSeconds();
  d.timer.callOnTimeout([this] { Autosave(); });
  const QString folder = QString::fromStdString(oxSettings::GetConfigFolder());
  d.firstTry = std::async(std::launch::async, [&d, folder] {
    QDir().mkpath(folder);
    return d.TakeLock();
  });
  // At the latest once the program waits for events.
  QTimer::singleShot(0, &d.timer, [&d] { d.Settle(); });
}

SessionRecovery::~SessionRecovery() {
  internal_->Settle();
  delete internal_->bar.data();  // its button calls this object
  if (internal_->owner && !internal_->pending) QFile::remove(internal_->file);
  delete internal_;
}

bool SessionRecovery::IsWriting() { return g_writing; }

int SessionRecovery::GetInterval() const {
  internal_->Settle();
  return internal_->timer.isActive() ? internal_->seconds : 0;
}

oxString SessionRecovery::GetRecoveryFile() {
  return oxSettings::GetConfigFolder() + "/" + oxapp::Application::Get()->GetName() + ".recovery";
}

oxStlVector<Project*> SessionRecovery::Offer() {
  Internal& d = *internal_;
  d.Settle();
  oxStlVector<Project*> restored;
  if (!d.owner || !d.pending) return restored;
  oxapp::CommandLine* commandLine = oxapp::CommandLine::Get();
  if (commandLine->HasOption("-norecover")) {
    d.timer.stop();  // the file waits for a later start
    d.mayRun = false;
    return restored;
  }
  const oxString path = GetRecoveryFile();
  const QString file = QString::fromStdString(path);
  if (!commandLine->HasOption("-recover")) {
    switch (AskToRestore(path)) {
      case Answer::Later:
        d.timer.stop();  // as with -norecover
        d.mayRun = false;
        return restored;
      case Answer::Discard:
        d.pending = false;
        QFile::remove(file);
        return restored;
      case Answer::Restore:
        break;
    }
  }
  d.pending = false;
  oxString error;
  const std::unique_ptr<oxt::FileElement> root = oxt::FileElement::ReadFile(path, &error);
  if (!root) {
    // Kept aside rather than lost; the next autosave writes a new file.
    QFile::remove(file + ".unreadable");
    QFile::rename(file, file + ".unreadable");
    std::cerr << "fwg: the recovery file cannot be read, kept as " << path
              << ".unreadable: " << error << "\n";
    return restored;
  }
  SessionReading reading(path);
  reading.Prepare(root.get());
  oxString sessionFile;
  bool modified = true;
  for (oxt::FileElement* element : root->GetElementList()) {
    if (element->GetName() == kSession) {
      sessionFile = element->GetValue(kFile).GetString();
      modified = element->GetValue(kModified).GetBoolean();
    } else if (element->GetName() == "OBJECT") {
      if (Project* project = reading.ReadProject(element)) {
        project->SetFileName(sessionFile);
        project->SetModified(modified);
        restored.push_back(project);
      }
      sessionFile.clear();
      modified = true;
    }
  }
  if (!restored.empty()) SessionCommands::Show(restored.front());  // the first in front
  for (Project* project : restored) TellRestored(project);
  return restored;
}

bool SessionRecovery::Autosave() {
  Internal& d = *internal_;
  d.Settle();
  if (d.lockUnwritable && !d.TakeLock()) {
    d.TellFailure(WhyLockFails());
    return false;
  }
  if (!d.owner || d.pending) {
    if (!d.lockUnwritable) d.TellSuccess();
    return true;
  }
  const oxStlVector<Project*> projects = GetProjects();
  const QString file = QString::fromStdString(GetRecoveryFile());
  bool unsaved = false;
  // What quitting would ask about: a session never saved whose documents
  // nobody touched is nothing to bring back after a crash.
  for (Project* project : projects) {
    unsaved = unsaved || UnsavedWork::IsUnsaved(project) || HoldsChangedFiles(project);
  }
  if (!unsaved) {
    QFile::remove(file);
    d.TellSuccess();
    return true;
  }
  oxt::FileElement root;
  g_writing = true;
  for (Project* project : projects) {
    auto* session = new oxt::FileElement(&root, kSession, {});  // owned by `root`
    session->AddValue(kFile, project->GetFileName());
    session->AddValue(kModified, project->IsModified());
    project->Write(&root);
  }
  g_writing = false;
  oxString error;
  if (root.WriteFile(file.toStdString(), &error)) {
    d.TellSuccess();
    return true;
  }
  d.TellFailure(error);
  return false;
}

}  // namespace fwg
