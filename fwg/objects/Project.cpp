#include "fwg/objects/Project.h"

#include "platform/core/oxDiagnostic.h"
#include <iostream>

#include "fwg/objects/ObjectClass.h"
#include "fwg/objects/SessionReading.h"
#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/FileElement.h"
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

struct Project::Internal {
  oxString fileName;
};

FWG_DEFINE_OBJECT(Project, "fwg::Project", ClientFolder);

Project::Project(oxt::Object* parent, const oxString& name)
    : ClientFolder(parent, name), internal_(new Internal) {}

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
  return true;
}

Project* Project::OpenSession(const oxString& path, oxString* error) {
  oxString message;
  const std::unique_ptr<oxt::FileElement> root = oxt::FileElement::ReadFile(path, &message);
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
  oxt::Object* made = element->CreateObject(oxt::Model::Get()->GetRoot());
  Project* project = Cast(made);
  if (!project) {
    delete made;  // a registered "project" class that makes something else
    Fail(path + ": could not make the project", error);
    return nullptr;
  }
  project->SetFileName(path);
  project->Read(element);
  return project;
}

void Project::SetFileName(const oxString& fileName) { internal_->fileName = fileName; }

oxString Project::GetFileName() const { return internal_->fileName; }

}  // namespace fwg
