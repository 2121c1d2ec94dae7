#include "fwg/objects/Project.h"

#include <iostream>

#include "fwg/objects/Registration.h"
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
  else std::cerr << "fwg: " << message << "\n";
  return false;
}

// The first element of the session that describes a project.
oxt::FileElement* FindProjectElement(const oxt::FileElement& root) {
  for (oxt::FileElement* element : root.GetElementList()) {
    if (element->GetName() != "OBJECT") continue;
    const oxt::ClassInfo* info = oxt::ClassInfo::GetClassInfo(element->GetObjectClass());
    if (info && info->IsA(Project::S_ClassName())) return element;
  }
  return nullptr;
}

}  // namespace

struct Project::Internal {
  oxString fileName;
};

oxt::ClassInfo* Project::s_classInfo = Project::Register();

const char* Project::S_ClassName() { return "fwg::Project"; }

Project* Project::Cast(oxt::Object* object) { return dynamic_cast<Project*>(object); }

Project* Project::GetCurrentObject() {
  return Cast(oxt::Object::GetCurrentObjectFromType(S_ClassName()));
}

oxt::Object* Project::_Ctor(oxt::Object* parent) { return new Project(parent, {}); }

oxt::ClassInfo* Project::GetClassInfo() { return s_classInfo; }

oxt::ClassInfo* Project::Register() {
  static bool s_registered = false;
  if (s_registered) return oxt::ClassInfo::GetClassInfo(S_ClassName());
  s_registered = true;
  return RegisterObjectClass(S_ClassName(), &Project::_Ctor, ClientFolder::S_ClassName());
}

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

oxString Project::ClassName() const { return S_ClassName(); }

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
  oxt::FileElement* element = FindProjectElement(*root);
  if (!element) {
    Fail(path + ": no project in the file", error);
    return nullptr;
  }
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
