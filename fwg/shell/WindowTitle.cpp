#include "fwg/shell/WindowTitle.h"

#include <QCoreApplication>

#include "fwg/Parts.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/Project.h"
#include "fwg/objects/SessionCommands.h"
#include "platform/oxt/Model.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

namespace {

// One for the process: the parts it reads are looked up at each update.
struct TitleKeeper : oxListener<> {
  TitleKeeper() {
    Project::OnTitleChanged().Connect(this, [](Project*) { WindowTitle::Update(); });
    ClientObject::OnTitleChanged().Connect(this, [](ClientObject* document) {
      const Parts* parts = FindParts();
      if (parts && parts->clientManager && parts->clientManager->GetActiveClientObject() == document)
        WindowTitle::Update();
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
    model->OnObjectsDeleted().Connect(this, [this](const oxStlVector<oxt::Object*>&) {
      if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(app, [] { WindowTitle::Update(); }, Qt::QueuedConnection);
      }
    });
  }

  oxString base;
  oxString written;
};

TitleKeeper* g_keeper = nullptr;

}  // namespace

void WindowTitle::Keep() {
  if (!g_keeper) g_keeper = new TitleKeeper;
  Update();
}

oxString WindowTitle::Compose() {
  uiMainWindow* window = FindMainWindow();
  if (!window || !g_keeper) return {};
  // A title we did not write is the host's: ours goes in front of it.
  const oxString current = window->Caption();
  oxString base = current != g_keeper->written ? current : g_keeper->base;
  oxString title;
  const Parts* parts = FindParts();
  if (ClientObject* document = parts->clientManager ? parts->clientManager->GetActiveClientObject() : nullptr) {
    title = document->GetTitle() + "[*] - ";
  }
  if (Project* project = SessionCommands::GetSessionProject()) title += project->GetTitle() + " - ";
  return title + base;
}

void WindowTitle::Update() {
  uiMainWindow* window = FindMainWindow();
  if (!window || !g_keeper) return;
  const oxString current = window->Caption();
  if (current != g_keeper->written) g_keeper->base = current;
  g_keeper->written = Compose();
  window->SetCaption(g_keeper->written);
  const Parts* parts = FindParts();
  const ClientObject* document =
      parts->clientManager ? parts->clientManager->GetActiveClientObject() : nullptr;
  window->setWindowModified(document && document->IsModified());
}

}  // namespace fwg
