// Takes the README's screenshots: once the main window is up, makes a note
// and a sketch with some content through the sample clients, shows each in
// turn (the sketch with its menu open), saves a picture of the window for
// each into $FWG_TOUR_SHOTS, then quits, shows the question about the
// unsaved work and discards it.
#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <iostream>

#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/ui/uiMainWindow.h"

namespace {

const char kNote[] =
    "Tavrix tour\n\n"
    "- Notes and sketches are documents of two clients.\n"
    "- Each brings its own menus, toolbars and docks.\n"
    "- Switching documents switches them, with their shortcuts.\n";

const char kSketch[] =
    "R #2864d2 40,150 160,280;"
    "L #d22828 30,150 100,80;L #d22828 100,80 170,150;"
    "R #8c3cb4 85,210 115,280;"
    "E #f0d200 190,30 240,80;"
    "P #28a03c 10,290 40,284 70,292 100,283 130,291 160,284 190,292 220,283 250,290;";

fwg::ClientObject* Make(const char* client, const char* property, const char* value) {
  fwg::Client* found = fwg::ClientManager::Get()->GetClient(client);
  if (!found) {
    std::cerr << "fwg: tour: no client '" << client << "'\n";
    return nullptr;
  }
  found->New();
  fwg::ClientObject* document = fwg::ClientManager::Get()->GetActiveClientObject();
  oxt::Property p(property, oxString(value));
  if (document) document->SetProperty(p);
  return document;
}

// The main window as the screen shows it, popups included.
void Shoot(const QString& file) {
  QWidget* window = fwg::Gui::Get()->GetMainWindow();
  const QRect frame = window->frameGeometry();
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0).copy(frame);
  if (!shot.save(file)) std::cerr << "fwg: tour: cannot write " << file.toStdString() << "\n";
}

// Each step runs once the window has settled after the one before.
void RunSteps(std::vector<std::function<void()>> steps, std::size_t next = 0) {
  if (next == steps.size()) return;
  QTimer::singleShot(700, [steps = std::move(steps), next]() mutable {
    steps[next]();
    RunSteps(std::move(steps), next + 1);
  });
}

struct Tour : oxListener<> {
  void Start() {
    const QString folder = qEnvironmentVariable("FWG_TOUR_SHOTS", ".");
    auto note = std::make_shared<fwg::ClientObject*>(nullptr);
    auto sketch = std::make_shared<fwg::ClientObject*>(nullptr);
    RunSteps({
        [note, sketch] {
          *note = Make("notes", "Text", kNote);
          *sketch = Make("sketch", "Strokes", kSketch);
          // Side by side in the project's frame.
          if (*note && (*note)->GetParent()) {
            oxt::Property layout("Layout", oxt::Variant(3));
            (*note)->GetParent()->SetProperty(layout);
          }
          if (*note) (*note)->Activate();
        },
        [folder] { Shoot(folder + "/note.png"); },
        [sketch] {
          if (*sketch) (*sketch)->Activate();
          // The sketch's own menu, the one before Help, open.
          QMenuBar* bar = fwg::Gui::Get()->GetMainWindow()->menuBar();
          QAction* own = nullptr;
          QAction* last = nullptr;
          for (QAction* entry : bar->actions()) {
            if (!entry->isVisible() || !entry->menu()) continue;
            own = last;
            last = entry;
          }
          if (own) own->menu()->popup(bar->mapToGlobal(bar->actionGeometry(own).bottomLeft()));
        },
        [folder] { Shoot(folder + "/sketch.png"); },
        // Quitting with unsaved work asks; the tour shows the question and
        // discards its work.
        [folder] {
          QTimer::singleShot(700, [folder] {
            Shoot(folder + "/quit.png");
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
              box->button(QMessageBox::Discard)->click();
            }
          });
          fwg::Gui::Get()->Exit();
        },
    });
  }
};

Tour g_tour;

void LoadTour(const fwc::PluginDescription&) {
  fwg::Gui::Get()->OnRun().Connect(&g_tour, &Tour::Start);
}

}  // namespace

FWC_PLUGIN(LoadTour)
