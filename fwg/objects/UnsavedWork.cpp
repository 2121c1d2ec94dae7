#include "fwg/objects/UnsavedWork.h"

#include <QStringList>

#include "fwg/LibraryTexts.h"
#include "fwg/Parts.h"
#include "fwg/Question.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/Project.h"
#include "fwg/objects/SessionCommands.h"
#include "platform/oxt/Model.h"

namespace fwg {

namespace {

bool g_asking = false;

// A session never saved that holds only documents nobody typed or drew
// into holds nothing to lose: quitting right after start asks nothing.
bool HoldsWork(Project* project) {
  if (!project->GetFileName().empty()) return true;
  for (oxt::Object* child : project->GetChildren()) {
    const ClientObject* document = ClientObject::Cast(child);
    if (!document || document->HasUnsavedContent() || !document->GetChildren().empty()) return true;
  }
  return false;
}

oxStlVector<Project*> GetChangedProjects() {
  oxStlVector<Project*> changed;
  for (oxt::Object* object : oxt::Model::Get()->GetRoot()->GetChildren()) {
    Project* project = Project::Cast(object);
    if (project && UnsavedWork::IsUnsaved(project)) changed.push_back(project);
  }
  return changed;
}

oxStlVector<ClientObject*> GetModifiedDocuments() {
  oxStlVector<ClientObject*> modified;
  for (oxt::Object* object : oxt::Model::Get()->GetRoot()->GetChildren(
           {}, ClientObject::S_ClassName(), true, true)) {
    ClientObject* document = ClientObject::Cast(object);
    if (document && document->IsModified()) modified.push_back(document);
  }
  return modified;
}

QString QText(const char* text) { return TranslateLibraryQText(text); }

// Save, Discard or Cancel for the sessions; Escape is Cancel.
QMessageBox::StandardButton AskAboutSessions(const oxStlVector<Project*>& projects) {
  QStringList titles;
  for (Project* project : projects) {
    titles << QText("\u201c%1\u201d").arg(QString::fromStdString(project->GetUnmarkedTitle()));
  }
  return AskUser(QText("Unsaved Changes"),
                 (projects.size() == 1 ? QText("The session %1 has unsaved changes.")
                                       : QText("The sessions %1 have unsaved changes."))
                     .arg(titles.join(", ")),
                 QText("Save them before quitting?"),
                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
}

}  // namespace

bool UnsavedWork::IsUnsaved(Project* project) { return project->IsModified() && HoldsWork(project); }

bool UnsavedWork::Exists() { return !GetChangedProjects().empty() || !GetModifiedDocuments().empty(); }

bool UnsavedWork::ConfirmQuit() {
  if (g_asking) return false;
  g_asking = true;
  bool quit = true;
  for (ClientObject* document : GetModifiedDocuments()) {
    if (!document->ConfirmClose()) {
      quit = false;
      break;
    }
  }
  const oxStlVector<Project*> projects = quit ? GetChangedProjects() : oxStlVector<Project*>();
  if (!projects.empty()) {
    switch (AskAboutSessions(projects)) {
      case QMessageBox::Save:
        for (Project* project : projects) {
          if (!SessionCommands::Save(project)) {
            quit = false;
            break;
          }
        }
        break;
      case QMessageBox::Discard:
        break;
      default:
        quit = false;
    }
  }
  g_asking = false;
  return quit;
}

}  // namespace fwg
