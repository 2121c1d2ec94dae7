// The demo's menus as the user reads and opens them, for the demo test and
// for the probe it runs inside the real host.
#pragma once

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QStringList>
#include <algorithm>
#include <string>
#include <vector>

#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/shell/Gui.h"
#include "fwg/shell/ProjectTree.h"
#include "platform/ui/uiMainWindow.h"

// A menu text as the user reads it: no mnemonic, no shortcut column.
inline QString Plain(const QString& text) { return text.left(text.indexOf('\t')).remove('&'); }

// The visible entry `path` ("File", "New", "Notes") of the menu bar, each
// menu told it is about to show, as when the user opens it.
inline QAction* FindEntry(const QStringList& path) {
  QList<QAction*> entries = fwg::Gui::Get()->GetMainWindow()->findChild<QMenuBar*>()->actions();
  QAction* found = nullptr;
  for (const QString& name : path) {
    const auto at = std::find_if(entries.begin(), entries.end(), [&](QAction* entry) {
      return entry->isVisible() && Plain(entry->text()) == name;
    });
    if (at == entries.end()) return nullptr;
    found = *at;
    if (QMenu* menu = found->menu()) {
      emit menu->aboutToShow();
      entries = menu->actions();
    }
  }
  return found;
}

// The visible entries of the menu at `path`, separators left out.
inline std::vector<std::string> Entries(const QStringList& path) {
  std::vector<std::string> names;
  QAction* menu = FindEntry(path);
  for (QAction* entry : menu && menu->menu() ? menu->menu()->actions() : QList<QAction*>())
    if (entry->isVisible() && !entry->isSeparator()) names.push_back(Plain(entry->text()).toStdString());
  return names;
}

// The window titles of the main window's visible widgets of class W, sorted.
template <class W>
std::string VisibleTitles() {
  QStringList names;
  for (W* widget : fwg::Gui::Get()->GetMainWindow()->findChildren<W*>())
    if (widget->isVisible()) names << widget->windowTitle();
  names.sort();
  return names.join(' ').toStdString();
}

// File > New > `client`, as the user chooses it; the active document then.
inline fwg::ClientObject* New(const QString& client, const QStringList& newMenu = {"File", "New"}) {
  if (QAction* choice = FindEntry(newMenu + QStringList{client})) choice->trigger();
  return fwg::ClientManager::Get()->GetActiveClientObject();
}

// Right-click on `object` in the project tree and press L for the last
// entry, "Layout…": the layout chooser that pops up, or null.
inline QWidget* OpenLayoutChooser(oxt::Object* object) {
  auto* tree = fwg::Gui::Get()->GetMainWindow()->findChild<fwg::ProjectTree*>();
  const QModelIndex row = tree ? tree->GetIndex(object) : QModelIndex();
  if (!row.isValid()) return nullptr;
  const QPoint at = tree->visualRect(row).center();
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
  QApplication::sendEvent(tree->viewport(), &click);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (!menu || menu->actions().isEmpty() || Plain(menu->actions().back()->text()) != "Layout…")
    return nullptr;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_L, Qt::NoModifier, QStringLiteral("l"));
  QApplication::sendEvent(menu, &press);
  return QApplication::activePopupWidget();
}
