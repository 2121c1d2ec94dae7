// The client "SessionProbe" that drives the host in the session tests.
// Its New() does what $SESSIONPROBE says:
//   build     makes a project with documents of "Sketches" and "Lists",
//             prints it and stays; with $SESSIONPROBE_FILE it saves the
//             project there and ends the application.
//   describe  prints every project and ends the application.
// Each line printed starts with "probe: "; the last is "probe: end".
#include <iostream>

#include "fwg/clients/ClientManager.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Folder.h"
#include "fwg/objects/Project.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "tests/support/DescribeTree.h"

namespace {

void SetLayout(oxt::Object* folder, int layout) {
  oxt::Property p("Layout", oxt::Variant(layout));
  folder->SetProperty(p);
}

// A document of `client` under `folder`, with a property and its content
// handed in through its own content hook.
void MakeDocument(const char* client, oxt::Object* folder, const oxString& name,
                  const oxString& piece, const oxString& content) {
  oxt::CurrentObjects::Get()->SetCurrentObject(folder);
  fwg::ClientObject* document = fwg::ClientManager::Get()->GetClient(client)->CreateClientObject(name);
  oxt::Property colour("Colour", oxt::Variant(name + " colour"));
  document->SetProperty(colour);
  oxt::FileElement element;
  fwg::ClientObject::AddContent(&element, piece, content);
  document->ReadContent(&element);
}

// `object`, announced as the host's commands announce what they make.
template <class T>
T* Announced(T* object) {
  object->EmitCreated();
  return object;
}

fwg::Project* Build() {
  auto* project = Announced(new fwg::Project("Work"));
  auto* plain = Announced(new fwg::Folder(project, "Plain"));
  (new oxt::Object(plain, "Leaf"))->AddProperty(oxt::Property("Size", oxt::Variant(4)));
  auto* sketchbook = Announced(new fwg::ClientFolder(project, "Sketchbook"));
  MakeDocument("Sketches", sketchbook, "Harbour", "STROKES", oxString("\0\1\2<&>\xff", 7));
  MakeDocument("Sketches", sketchbook, "Bridge", "STROKES", "");
  auto* inner = Announced(new fwg::ClientFolder(sketchbook, "Inner"));
  MakeDocument("Lists", inner, "Errands", "ITEMS", "bread\nmilk\n\ttea ");
  SetLayout(inner, 2);
  SetLayout(sketchbook, 4);
  MakeDocument("Lists", project, "Ideas", "ITEMS", "one");
  SetLayout(project, 3);
  return project;
}

void PrintTree(oxt::Object* object) {
  for (const std::string& line : DescribeTree(object)) std::cout << "probe: " << line << "\n";
}

class Probe : public fwg::Client {
 public:
  Probe() : fwg::Client("SessionProbe") {}
  void New() override {
    const QByteArray mode = qgetenv("SESSIONPROBE");
    if (mode == "build") {
      fwg::Project* project = Build();
      PrintTree(project);
      const QByteArray file = qgetenv("SESSIONPROBE_FILE");
      if (!file.isEmpty() && !project->SaveSession(file.toStdString())) return;
    } else {
      // Restored work is unsaved; the probe drops it, or quitting would ask.
      for (oxt::Object* project : oxt::Model::Get()->GetRoot()->GetChildren()) {
        PrintTree(project);
        if (auto* restored = fwg::Project::Cast(project)) restored->SetModified(false);
      }
    }
    std::cout << "probe: end" << std::endl;
    if (mode != "build" || !qEnvironmentVariableIsEmpty("SESSIONPROBE_FILE")) fwg::Gui::Get()->Exit();
  }
};

void Load(const fwc::PluginDescription&) { new Probe; }  // owned by the client manager

}  // namespace

FWC_PLUGIN(Load)
