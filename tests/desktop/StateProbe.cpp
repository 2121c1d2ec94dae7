// Runs inside the real host for the desktop test: every 100 ms it describes
// what a user would see, one key=value per line, and rewrites the file named
// by DESKTOPTEST_STATE when the description changed. The file is replaced
// in one rename, so the test never reads half of it.
#include <QAbstractButton>
#include <QApplication>
#include <QDockWidget>
#include <QDropEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include "fwg/Parts.h"
#include "fwg/actions/Action.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/CommandPalette.h"
#include "fwg/shell/InfoBar.h"
#include "fwg/shell/Tasks.h"
#include "platform/fwc/Plugin.h"
#include "platform/oxt/Model.h"
#include "platform/oxt/Object.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"

namespace {

QString Centre(const QWidget* widget, const QRect& area) {
  const QPoint at = widget->mapToGlobal(area.center());
  return QString("%1,%2").arg(at.x()).arg(at.y());
}

void AddDocuments(oxt::Object* object, QStringList* names) {
  if (dynamic_cast<fwg::ClientObject*>(object)) names->append(QString::fromStdString(object->GetName()));
  for (oxt::Object* child : object->GetChildren()) AddDocuments(child, names);
}

void AddShown(oxt::Object* object, QStringList* names) {
  const auto* document = dynamic_cast<fwg::ClientObject*>(object);
  if (document && document->GetLayouter() && document->GetLayouter()->isVisible())
    names->append(QString::fromStdString(object->GetName()));
  for (oxt::Object* child : object->GetChildren()) AddShown(child, names);
}

QString Tabs(QWidget* window) {
  QStringList tabs;
  for (QTabBar* bar : window->findChildren<QTabBar*>())
    for (int i = 0; bar->isVisible() && i < bar->count(); ++i) {
      // Where a person clicks to pick the tab: its label, not its close button.
      QRect label = bar->tabRect(i);
      if (const QWidget* close = bar->tabButton(i, QTabBar::RightSide)) label.setRight(close->geometry().left());
      tabs << bar->tabText(i).remove('&') + "@" + Centre(bar, label);
    }
  return tabs.join(';');
}

// What the window shows; keys the host has nothing for stay empty.
QString Describe() {
  QStringList lines;
  const auto add = [&lines](const char* key, const QString& value) { lines << key + ("=" + value); };
  // FindParts, not Gui::Get(): a look must not handle events or make anything.
  const fwg::Parts* parts = fwg::FindParts();
  if (!parts) return {};
  if (QWidget* window = parts->mainWindow) {
    // As the title bar shows it: Qt puts "*" for "[*]" while the window is modified.
    add("title", window->windowTitle().replace("[*]", window->isWindowModified() ? "*" : ""));
    QStringList menus;
    for (QAction* menu : window->findChild<QMenuBar*>()->actions())
      if (menu->isVisible()) menus << menu->text().remove('&');
    add("menus", menus.join(' '));
    const auto rect = [](const QRect& r) { return QString("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); };
    add("geometry", rect(window->geometry()));
    // With the title bar and borders the window manager drew, and the room
    // its screen gives.
    add("frame", rect(window->frameGeometry()));
    add("screen", window->screen() ? rect(window->screen()->availableGeometry()) : "");
    QStringList docks;
    for (const QDockWidget* dock : window->findChildren<QDockWidget*>())
      if (dock->isVisible()) docks << dock->windowTitle();
    add("docks", docks.join(','));
    add("maximized", window->isMaximized() ? "1" : "0");
    add("tabs", Tabs(window));
    const QWidget* central = qobject_cast<QMainWindow*>(window)->centralWidget();
    add("central", central ? central->objectName() : "");
  }
  fwg::ClientObject* active = parts->clientManager ? parts->clientManager->GetActiveClientObject() : nullptr;
  add("active", active ? QString::fromStdString(active->GetName()) : "");
  uiLayoutFrameEx* frame = active ? active->GetLayouter() : nullptr;
  QWidget* view = frame && !frame->GetViews().empty() ? uiImpl(frame->GetViews().front()) : nullptr;
  add("canvas", view && view->isVisible() ? Centre(view, view->rect()) : "");
  auto* note = qobject_cast<QPlainTextEdit*>(view);
  if (!note && view) note = view->findChild<QPlainTextEdit*>();  // a plain widget's frame
  // Cut short: the state must stay small where the host may write little.
  add("text", note ? note->toPlainText().left(4096) : "");
  fwg::Profile* profile = parts->profileManager ? parts->profileManager->GetActiveProfile() : nullptr;
  add("profile", profile ? QString::fromStdString(profile->GetName()) : "");
  fwg::Action* undo = profile ? profile->GetAction("undo") : nullptr;
  add("undo", undo && undo->IsEnabled() ? "1" : "0");
  // The edit commands a person could pick now.
  QStringList edits;
  for (const char* name : {"undo", "redo", "cut", "copy", "paste", "selectAll"}) {
    const fwg::Action* action = profile ? profile->GetAction(name) : nullptr;
    if (action && action->IsEnabled()) edits << name;
  }
  add("edits", edits.join(','));
  // The documents whose frames a person sees.
  QStringList shown;
  if (oxt::Model* model = oxt::Model::Get()) AddShown(model->GetRoot(), &shown);
  add("shown", shown.join(','));
  QStringList documents;
  if (oxt::Model* model = oxt::Model::Get()) AddDocuments(model->GetRoot(), &documents);
  add("documents", documents.join(','));
  const QWidget* focus = QApplication::focusWidget();
  add("focus", focus ? focus->metaObject()->className() : "");
  const auto* button = qobject_cast<const QAbstractButton*>(focus);
  add("button", button ? button->text().remove('&') : "");
  // Only once it has the keyboard: keys sent before would go elsewhere.
  const QWidget* modal = QApplication::activeModalWidget();
  add("dialog", modal && modal->isActiveWindow() ? modal->windowTitle() : "");
  // The window with the keyboard, modal or not (the Settings dialog is not).
  const QWidget* keyboard = QApplication::activeWindow();
  add("window", keyboard ? keyboard->windowTitle() : "");
  add("palette", fwg::CommandPalette::Get() && fwg::CommandPalette::Get()->isVisible() ? "1" : "0");
  QStringList errors;
  if (QWidget* window = parts->mainWindow) {
    for (const QMessageBox* box : window->findChildren<QMessageBox*>("ErrorBox"))
      if (box->isVisible()) errors << box->text().replace('\n', ' ');
  }
  add("errors", errors.join(" | "));
  // The information bars on show, and where their buttons are.
  QStringList bars, barButtons;
  if (QWidget* window = parts->mainWindow) {
    for (QWidget* widget : window->findChildren<QWidget*>()) {
      auto* bar = dynamic_cast<fwg::InfoBar*>(widget);  // no meta-object of its own
      if (!bar || !bar->isVisible()) continue;
      bars << QString::fromStdString(bar->GetText());
      for (const QAbstractButton* button : bar->findChildren<QAbstractButton*>())
        if (!button->text().isEmpty()) barButtons << button->text().remove('&') + "@" + Centre(button, button->rect());
    }
  }
  add("bars", bars.join(" | "));
  add("barbuttons", barButtons.join(';'));
  // The running tasks, and where a person clicks for their list and for
  // the first one's Cancel.
  QStringList tasks;
  for (const fwg::Task* task : fwg::Tasks::GetRunning()) tasks << QString::fromStdString(task->GetTitle());
  add("tasks", tasks.join(','));
  QWidget* window = parts->mainWindow;
  const QWidget* status = window ? window->findChild<QWidget*>("fwgTaskStatus") : nullptr;
  const QToolButton* list = status && status->isVisible() ? status->findChild<QToolButton*>() : nullptr;
  add("tasklist", list ? Centre(list, list->rect()) : "");
  const QWidget* rows = window ? window->findChild<QWidget*>("fwgTaskList") : nullptr;
  const QPushButton* cancel = rows && rows->isVisible() ? rows->findChild<QPushButton*>() : nullptr;
  add("taskcancel", cancel && cancel->isEnabled() ? Centre(cancel, cancel->rect()) : "");
  return lines.join('\n') + '\n';
}

// Files named in "<state>.drop", dropped onto the middle of the main
// window as a file manager drops them; the file goes once it is read.
void DropFiles(const QString& list) {
  QFile file(list);
  if (!file.open(QIODevice::ReadOnly)) return;
  QList<QUrl> urls;
  for (const QByteArray& line : file.readAll().split('\n'))
    if (!line.isEmpty()) urls << QUrl::fromLocalFile(QString::fromUtf8(line));
  file.remove();
  const fwg::Parts* parts = fwg::FindParts();
  QWidget* window = parts ? parts->mainWindow : nullptr;
  if (!window) return;
  QWidget* target = window->childAt(window->rect().center());
  if (!target) target = window;
  QMimeData data;
  data.setUrls(urls);
  const QPoint at = target->mapFrom(window, window->rect().center());
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
}

void LoadProbe(const fwc::PluginDescription&) {
  const QString path = qEnvironmentVariable("DESKTOPTEST_STATE");
  if (path.isEmpty()) return;
  // Owned by the application, so it goes before the plug-in is unloaded.
  auto* timer = new QTimer(QCoreApplication::instance());
  QObject::connect(timer, &QTimer::timeout, [path, written = QString()]() mutable {
    if (QFile::exists(path + ".drop")) DropFiles(path + ".drop");
    const QString state = Describe();
    if (state == written) return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(state.toUtf8()) >= 0 && file.commit()) written = state;
  });
  timer->start(100);
}

}  // namespace

FWC_PLUGIN(LoadProbe)
