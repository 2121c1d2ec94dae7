#include "fwg/shell/WindowTitle.h"

#include <QCoreApplication>

#include "fwg/Parts.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/Project.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/objects/UnsavedWork.h"
#include "platform/oxt/Model.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

namespace {

ClientObject* GetActiveDocument() {
  const Parts* parts = FindParts();
  return parts && parts->clientManager ? parts->clientManager->GetActiveClientObject() : nullptr;
}

// One for the process: the parts it reads are looked up at each update.
struct TitleKeeper : oxListener<> {
  TitleKeeper() {
    Project::OnTitleChanged().Connect(this, [](Project*) { WindowTitle::Update(); });
    ClientObject::OnTitleChanged().Connect(this, [](ClientObject* document) {
      if (GetActiveDocument() == document) WindowTitle::Update();
    });
    oxt::Model* model = oxt::Model::Get();
    // The active document's label turns bold when it becomes active; a
    // document renamed changes its title.
    model->OnPropertyChanged().Connect(this, [](oxt::Object* object, oxt::Property& p) {
      if ((p.GetName() == "@Font" && p.GetValue().GetString() == "bold") ||
          (p.GetName() == "Name" && ClientObject::Cast(object)))
        WindowTitle::Update();
    });
    model->OnObjectCreated().Connect(this, [](oxt::Object* object) {
      if (Project::Cast(object)) WindowTitle::Update();
    });
    // The objects are still there while this is told: look once they left.
    model->OnObjectsDeleted().Connect(this, [](const oxStlVector<oxt::Object*>&) {
      if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(app, [] { WindowTitle::Update(); }, Qt::QueuedConnection);
      }
    });
  }

  oxString base;
  oxString written;
};

TitleKeeper* g_keeper = nullptr;

// A title we did not write is the host's: ours goes in front of it.
oxString GetHostPart(const uiMainWindow* window) {
  const oxString current = window->Caption();
  return current != g_keeper->written ? current : g_keeper->base;
}

}  // namespace

void WindowTitle::Keep() {
  if (!g_keeper) g_keeper = new TitleKeeper;
  Update();
}

oxString WindowTitle::Compose() {
  uiMainWindow* window = FindMainWindow();
  if (!window || !g_keeper) return {};
  oxString title;
  if (ClientObject* document = GetActiveDocument()) title = document->GetTitle() + "[*] - ";
  if (Project* project = SessionCommands::GetSessionProject()) {
    // The session's "*" only while quitting would ask about it: a session
    // of untouched documents, never saved, holds nothing to lose.
    title += (UnsavedWork::IsUnsaved(project) ? project->GetTitle() : project->GetUnmarkedTitle()) + " - ";
  }
  return title + GetHostPart(window);
}

void WindowTitle::Update() {
  uiMainWindow* window = FindMainWindow();
  if (!window || !g_keeper) return;
  g_keeper->base = GetHostPart(window);
  g_keeper->written = Compose();
  window->SetCaption(g_keeper->written);
  window->SetMessageTitle(g_keeper->base);
  const ClientObject* document = GetActiveDocument();
  window->setWindowModified(document && document->IsModified());
}

}  // namespace fwg
