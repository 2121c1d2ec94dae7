#include "fwg/objects/Project.h"

#include "platform/core/oxDiagnostic.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <iostream>

#include "fwg/clients/ClientObject.h"
#include "fwg/objects/ObjectClass.h"
#include "fwg/objects/SessionReading.h"
#include "fwg/shell/Tasks.h"
#include "fwg/LibraryTexts.h"
#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/FileElement.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"

namespace fwg {

namespace {

// Deleting a project is offered while another project would remain.
bool IsDeletable(const Project* project) {
  if (!project->GetChildren().empty()) return false;
  const oxt::Object* root = oxt::Model::Get()->GetRoot();
  return root->GetChildren({}, Project::S_ClassName(), true, true).size() >= 2;
}

bool Fail(const oxString& message, oxString* error) {
  if (error) *error = message;
  else oxWarn(message);
  return false;
}

// The elements of the session that describe projects.
oxStlVector<oxt::FileElement*> FindProjectElements(const oxt::FileElement& root) {
  oxStlVector<oxt::FileElement*> found;
  for (oxt::FileElement* element : root.GetElementList()) {
    if (element->GetName() != "OBJECT") continue;
    const oxt::ClassInfo* info = oxt::ClassInfo::GetClassInfo(element->GetObjectClass());
    if (info && info->IsA(Project::S_ClassName())) found.push_back(element);
  }
  return found;
}

}  // namespace

// Marks projects as changed from the default model's signals. One for the
// process, made with the first project; it lives as long as the models do.
struct ChangeTracker : oxListener<> {
  ChangeTracker() {
    oxt::Model* model = oxt::Model::Get();
    model->OnObjectCreated().Connect(this, &ChangeTracker::HandleCreated);
    model->OnPropertyChanged().Connect(this, &ChangeTracker::HandlePropertyChanged);
    model->OnObjectModified().Connect(this, &ChangeTracker::Mark);
    model->OnObjectsDeleted().Connect(this, &ChangeTracker::HandleDeleted);
  }

  static void Start() {
    static ChangeTracker* tracker = new ChangeTracker;
    (void)tracker;
  }

  void Mark(oxt::Object* object) {
    if (SessionReading::Get()) return;
    for (; object; object = object->GetParent()) {
      if (Project* project = Project::Cast(object)) return project->SetModified(true);
    }
  }

  // A new project holds no work yet.
  void HandleCreated(oxt::Object* object) {
    if (!Project::Cast(object)) Mark(object);
  }

  void HandlePropertyChanged(oxt::Object* object, oxt::Property& p) {
    const oxString& name = p.GetName();
    if (name.starts_with('@') && name != "@Parent") return;
    Mark(object);
    Project* project = Project::Cast(object);
    if (project && name == "Name") Project::OnTitleChanged().Emit(project);
  }

  // The objects are still in the tree; the first is the top of what goes.
  void HandleDeleted(const oxStlVector<oxt::Object*>& objects) {
    if (!objects.empty()) Mark(objects.front()->GetParent());
  }
};

struct Project::Internal {
  oxString fileName;
  bool modified = false;
};

FWG_DEFINE_OBJECT(Project, "fwg::Project", ClientFolder);

Project::Project(oxt::Object* parent, const oxString& name)
    : ClientFolder(parent, name), internal_(new Internal) {
  ChangeTracker::Start();
}

Project::Project(const oxString& name) : Project(oxt::Model::Get()->GetRoot(), name) {}

Project::~Project() { delete internal_; }

bool Project::GetProperty(oxt::Property& p) {
  const oxString& name = p.GetName();
  if (name == "@ContextMenu") {
    oxt::Object::GetProperty(p);
    p.AddValue("A:File.SaveSession");
    if (IsDeletable(this)) p.AddValue("A:Fwg_Context_Delete");
    p.AddValue("S:");
    p.AddValue("P:Layout");
    return true;
  }
  if (name == "@OkToDrag") {
    p.SetValue(false);
    return false;
  }
  return ClientFolder::GetProperty(p);
}

bool Project::SaveSession(const oxString& path, oxString* error) {
  oxt::FileElement root;
  Write(&root);
  oxString message;
  if (!root.WriteFile(path, &message)) return Fail(message, error);
  SetFileName(path);
  SetModified(false);
  for (oxt::Object* object : GetChildren({}, ClientObject::S_ClassName(), true, true)) {
    if (ClientObject* document = ClientObject::Cast(object)) document->SetContentSaved();
  }
  return true;
}

namespace {

// Session files from this size on are read and parsed by a task, the
// status bar showing it while the window keeps painting; making the
// documents stays on the GUI thread, as it must.
constexpr qint64 kParseAsTask = qint64(16) << 20;

std::unique_ptr<oxt::FileElement> ReadSessionFile(const oxString& path, oxString* message) {
  const QFileInfo info(QString::fromStdString(path));
  const QCoreApplication* application = QCoreApplication::instance();
  if (info.size() < kParseAsTask || !application || application->thread() != QThread::currentThread())
    return oxt::FileElement::ReadFile(path, message);
  using Parsed = std::pair<std::unique_ptr<oxt::FileElement>, oxString>;
  std::optional<Parsed> parsed = Tasks::RunAndWait(
      QString::fromStdString(TranslateLibraryText("Opening %1")).arg(info.fileName()).toStdString(),
      [path](TaskProgress&) {
        Parsed read;
        read.first = oxt::FileElement::ReadFile(path, &read.second);
        return read;
      });
  if (!parsed) {
    *message = path + ": " + TranslateLibraryText("the reading was canceled");
    return nullptr;
  }
  *message = parsed->second;
  return std::move(parsed->first);
}

}  // namespace

Project* Project::OpenSession(const oxString& path, oxString* error) {
  oxString message;
  const std::unique_ptr<oxt::FileElement> root = ReadSessionFile(path, &message);
  if (!root) {
    Fail(message, error);
    return nullptr;
  }
  SessionReading reading(path);
  // The clients' plug-ins first: they may register the classes the file
  // names. What is still unknown then is left out, reported once.
  reading.Prepare(root.get());
  const oxStlVector<oxt::FileElement*> projects = FindProjectElements(*root);
  if (projects.size() != 1) {
    // SaveSession writes one project a file; opening only the first of
    // several would drop the others without a word.
    Fail(path + (projects.empty() ? ": no project in the file"
                                  : ": the file holds " + std::to_string(projects.size()) +
                                        " projects, a session file holds one"),
         error);
    return nullptr;
  }
  oxt::FileElement* element = projects.front();
  Project* project = reading.ReadProject(element);
  if (!project) {
    Fail(path + ": could not make the project", error);
    return nullptr;
  }
  project->SetFileName(path);
  project->SetModified(false);
  return project;
}

ClientFolder* Project::UseCurrent(const oxString& name) {
  if (ClientFolder* current = ClientFolder::GetCurrentObject()) return current;
  const oxStlVector<oxt::Object*> projects =
      oxt::Model::Get()->GetRoot()->GetChildren({}, S_ClassName(), false, true);
  Project* project = projects.empty() ? nullptr : Cast(projects.front());
  if (!project) {
    project = new Project(name);
    project->EmitCreated();
  }
  oxt::CurrentObjects::Get()->SetCurrentObject(project);
  return project;
}

void Project::SetFileName(const oxString& fileName) {
  if (internal_->fileName == fileName) return;
  internal_->fileName = fileName;
  OnTitleChanged().Emit(this);
}

oxString Project::GetFileName() const { return internal_->fileName; }

bool Project::IsModified() const { return internal_->modified; }

void Project::SetModified(bool modified) {
  if (internal_->modified == modified) return;
  internal_->modified = modified;
  OnTitleChanged().Emit(this);
}

oxString Project::GetTitle() const {
  return internal_->modified ? GetUnmarkedTitle() + "*" : GetUnmarkedTitle();
}

oxString Project::GetUnmarkedTitle() const {
  const oxString& file = internal_->fileName;
  const auto slash = file.find_last_of('/');
  return file.empty() ? GetName() : file.substr(slash == oxString::npos ? 0 : slash + 1);
}

oxiSignal1<void, Project*>& Project::OnTitleChanged() {
  static oxiSignal1<void, Project*> signal;
  return signal;
}

}  // namespace fwg
