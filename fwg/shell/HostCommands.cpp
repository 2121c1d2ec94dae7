#include "fwg/shell/HostCommands.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>

#include "fwg/LibraryTexts.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/profiles/ShortcutConflicts.h"
#include "fwg/shell/Gui.h"
#include "fwg/shell/ShortcutsDialog.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

namespace {

oxStlVector<QPointer<QAction>>& GetInstalled() {
  static oxStlVector<QPointer<QAction>> actions;
  return actions;
}

// The walk through the documents while Ctrl is held: the order of use when
// it began, and where it stands. Released Ctrl ends it.
struct DocumentCycle : QObject {
  oxStlVector<ClientObject*> order;
  int at = 0;
  bool running = false;

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control) {
      Stop();
    }
    return false;
  }
  void Start(oxStlVector<ClientObject*> documents) {
    order = std::move(documents);
    at = 0;
    running = true;
    qApp->installEventFilter(this);
  }
  void Stop() {
    running = false;
    order.clear();
    if (qApp) qApp->removeEventFilter(this);
  }
};

DocumentCycle& GetCycle() {
  static DocumentCycle* cycle = new DocumentCycle;
  return *cycle;
}

QAction* AddCommand(uiMainWindow* window, const char* text, const QKeySequence& keys,
                    std::function<void()> run) {
  auto* action = new QAction(TranslateLibraryQText(text), window);
  action->setObjectName(QString::fromLatin1(text).remove('&').remove(QChar(0x2026)));
  action->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(action, &QAction::triggered, window, std::move(run));
  window->addAction(action);
  if (!keys.isEmpty()) SetYieldingShortcut(action, keys);
  GetInstalled().emplace_back(action);
  return action;
}

ClientObject* GetActiveDocument() {
  ClientManager* manager = ClientManager::Get();
  return manager ? manager->GetActiveClientObject() : nullptr;
}

void CloseActiveDocument() {
  if (ClientObject* active = GetActiveDocument()) active->Close();
}

void OpenMenuBar(uiMainWindow* window) {
  QMenuBar* bar = window->menuBar();
  for (QAction* menu : bar->actions()) {
    if (!menu->isVisible() || !menu->isEnabled()) continue;
    bar->setFocus(Qt::ShortcutFocusReason);
    bar->setActiveAction(menu);
    return;
  }
}

}  // namespace

void HostCommands::Install() {
  uiMainWindow* window = Gui::Get()->GetMainWindow();
  std::erase_if(GetInstalled(), [](const QPointer<QAction>& action) { return action.isNull(); });
  if (!window || !GetInstalled().empty()) return;
  AddCommand(window, "&Quit", QKeySequence(Qt::CTRL | Qt::Key_Q), [] { Gui::Get()->Exit(); });
  AddCommand(window, "&Open File\u2026", QKeySequence::Open, [] { FileCommands::Open(); });
  AddCommand(window, "&Save", QKeySequence::Save, [] { FileCommands::Save(GetActiveDocument()); });
  AddCommand(window, "Save &As\u2026", QKeySequence::SaveAs,
             [] { FileCommands::SaveAs(GetActiveDocument()); });
  AddCommand(window, "Save A&ll", {}, [] { FileCommands::SaveAll(); });
  AddCommand(window, "Save Sess&ion", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S),
             [] { SessionCommands::Save(SessionCommands::GetSessionProject()); });
  AddCommand(window, "Save Session As\u2026", QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_S),
             [] { SessionCommands::SaveAs(SessionCommands::GetSessionProject()); });
  AddCommand(window, "Open Sessio&n\u2026", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_O),
             [] { SessionCommands::Open(); });
  AddCommand(window, "&Close Document", QKeySequence(Qt::CTRL | Qt::Key_W), CloseActiveDocument);
  AddCommand(window, "&Next Document", QKeySequence(Qt::CTRL | Qt::Key_Tab),
             [] { CycleDocuments(true); });
  AddCommand(window, "&Previous Document", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
             [] { CycleDocuments(false); });
  AddCommand(window, "Next &Pane", QKeySequence(Qt::Key_F6), [] { CyclePanes(true); });
  AddCommand(window, "Previous Pa&ne", QKeySequence(Qt::SHIFT | Qt::Key_F6),
             [] { CyclePanes(false); });
  AddCommand(window, "&Menu Bar", QKeySequence(Qt::Key_F10), [window] { OpenMenuBar(window); });
  AddCommand(window, "&Keyboard Shortcuts\u2026", {}, [] { (new ShortcutsDialog)->show(); });
  FileCommands::AcceptDrops();
}

oxStlVector<QAction*> HostCommands::GetActions() {
  oxStlVector<QAction*> actions;
  for (const QPointer<QAction>& action : GetInstalled()) {
    if (action) actions.push_back(action);
  }
  return actions;
}

void HostCommands::CycleDocuments(bool forward) {
  ClientManager* manager = ClientManager::Get();
  if (!manager) return;
  DocumentCycle& cycle = GetCycle();
  const oxStlVector<ClientObject*> recent = manager->GetRecentClientObjects();
  // Documents that went meanwhile drop out of the walk.
  if (cycle.running) {
    std::erase_if(cycle.order, [&recent](ClientObject* document) {
      return std::find(recent.begin(), recent.end(), document) == recent.end();
    });
  }
  if (!cycle.running || cycle.order.size() < 2) cycle.Start(recent);
  const int count = static_cast<int>(cycle.order.size());
  if (count < 2) {
    cycle.Stop();
    return;
  }
  cycle.at = ((cycle.at + (forward ? 1 : -1)) % count + count) % count;
  ClientObject* next = cycle.order[static_cast<size_t>(cycle.at)];
  next->Activate();
  FocusDocument(next);
  // Called without Ctrl held (from the palette, say): one step only.
  if (!(QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier)) cycle.Stop();
}

void HostCommands::FocusDocument(ClientObject* document) {
  if (uiLayoutFrameEx* frame = document ? document->GetLayouter() : nullptr) frame->FocusView();
}

void HostCommands::CyclePanes(bool forward) {
  uiMainWindow* window = Gui::Get()->GetMainWindow();
  if (!window) return;
  ClientManager* manager = ClientManager::Get();
  ClientObject* active = manager ? manager->GetActiveClientObject() : nullptr;
  oxStlVector<QWidget*> panes;
  if (active && active->GetLayouter()) panes.push_back(active->GetLayouter());
  for (QDockWidget* dock : window->findChildren<QDockWidget*>()) {
    if (dock->isVisible() && uiFindFocusTarget(dock->widget())) panes.push_back(dock->widget());
  }
  if (panes.empty()) return;
  const QWidget* focus = QApplication::focusWidget();
  int at = -1;
  for (int i = 0; i < static_cast<int>(panes.size()); ++i) {
    if (focus && (panes[i] == focus || panes[i]->isAncestorOf(focus))) at = i;
  }
  const int count = static_cast<int>(panes.size());
  const int next = at < 0 ? 0 : ((at + (forward ? 1 : -1)) % count + count) % count;
  if (QWidget* target = uiFindFocusTarget(panes[static_cast<size_t>(next)])) {
    target->setFocus(Qt::ShortcutFocusReason);
  }
}

}  // namespace fwg
