#include "fwg/shell/HostCommands.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QWindow>
#include <algorithm>

#include "fwg/LibraryTexts.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/profiles/ShortcutConflicts.h"
#include "fwg/shell/Gui.h"
#include "fwg/shell/SettingsDialog.h"
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

// A ring in the highlight colour around the pane F6 moved the keyboard to,
// for as long as the keyboard stays in it: a tree or a drawing shows no
// cursor, and a person must see where the keys now go. Drawn over the pane
// by a child of the main window that lets the mouse through.
class PaneCue : public QWidget {
 public:
  explicit PaneCue(QWidget* window) : QWidget(window) {
    setObjectName("fwgPaneCue");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
      if (pane_ && !(now && (now == pane_ || pane_->isAncestorOf(now)))) Show(nullptr);
    });
  }

  void Show(QWidget* pane) {
    if (pane_) pane_->removeEventFilter(this);
    pane_ = pane;
    if (!pane) return hide();
    pane->installEventFilter(this);
    Follow();
    show();
    raise();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Resize) Follow();
    if (type == QEvent::Hide) Show(nullptr);
    return false;
  }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2 * kWidth));
    painter.drawRect(rect());
  }

 private:
  static constexpr int kWidth = 2;
  void Follow() {
    // A floating dock is a window of its own: no ring from here.
    if (!parentWidget()->isAncestorOf(pane_)) return hide();
    const QRect area(pane_->mapTo(parentWidget(), QPoint(0, 0)), pane_->size());
    setGeometry(area.adjusted(-kWidth, -kWidth, kWidth, kWidth));
    // Only the ring: the pane stays clickable and readable inside it.
    setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(kWidth, kWidth, -kWidth, -kWidth))));
  }

  QPointer<QWidget> pane_;
};

void ShowPaneCue(QWidget* window, QWidget* pane) {
  static QPointer<PaneCue> cue;  // goes with its window
  if (!cue || cue->parentWidget() != window) cue = new PaneCue(window);
  cue->Show(pane);
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

// Where the Menu key opens it: the context menu of what has the keyboard,
// at its current item or cursor. The toolkit works out the place from the
// window's keyboard context-menu event.
void OpenContextMenu() {
  QWidget* focus = QApplication::focusWidget();
  QWindow* window = focus ? focus->window()->windowHandle() : nullptr;
  if (!window) return;
  QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
  QCoreApplication::sendEvent(window, &event);
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
  AddCommand(window, "Conte&xt Menu", QKeySequence(Qt::SHIFT | Qt::Key_F10), OpenContextMenu);
  AddCommand(window, "&Keyboard Shortcuts\u2026", {}, [] { (new ShortcutsDialog)->show(); });
  AddCommand(window, "&Preferences\u2026", SettingsDialog::GetShortcut(), [] { SettingsDialog::Open(); });
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
    if (target->hasFocus()) ShowPaneCue(window, panes[static_cast<size_t>(next)]);
  }
}

}  // namespace fwg
