// What the tests of profiles and actions share: the headers they all use,
// the widgets a profile makes found by name, and the whole main window
// described as a user sees it.
#pragma once

#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/ShortcutConflicts.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiMenuBar.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"
#include "tests/support/FilledProfile.h"
#include "tests/support/Visible.h"
#include "tests/support/WithGui.h"

// The toolbar of that name in the window, if any.
inline uiToolBar* ToolBarNamed(QWidget* window, const oxString& name) {
  for (QToolBar* bar : window->findChildren<QToolBar*>()) {
    if (bar->objectName() == uiStr(name)) return dynamic_cast<uiToolBar*>(bar);
  }
  return nullptr;
}

// The tool button that shows an action, or null.
inline uiToolButton* ButtonOf(fwg::Action* action) {
  for (const uiAction::Place& place : action->GetUiAction()->GetActionItems()) {
    if (auto* button = dynamic_cast<uiToolButton*>(place.widget)) return button;
  }
  return nullptr;
}

// The key an action holds now, as text.
inline std::string KeyOf(fwg::Action* action) {
  return action->GetUiAction()->shortcut().toString().toStdString();
}

// What a user sees of a menu once it opens, submenus indented.
inline void DescribeMenu(QWidget* menu, const std::string& indent, std::string& out) {
  if (auto* popup = qobject_cast<QMenu*>(menu)) {
    popup->popup({0, 0});
    popup->hide();
  }
  for (QAction* item : menu->actions()) {
    if (!item->isVisible()) continue;
    out += indent + (item->isSeparator() ? "-" : item->text().toStdString());
    out += item->isChecked() ? " [x]\n" : "\n";
    if (item->menu()) DescribeMenu(item->menu(), indent + "  ", out);
  }
}

// Menus, toolbars, context menus, docks and keys in force of the window.
inline std::string DescribeWindow(uiMainWindow* window) {
  std::string out;
  DescribeMenu(window->menuBar(), "", out);
  for (QToolBar* bar : window->findChildren<QToolBar*>()) {
    if (bar->isHidden()) continue;
    out += "toolbar " + bar->objectName().toStdString() + ":";
    for (QAction* entry : bar->actions()) {
      auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(entry));
      if (entry->isVisible() && button) out += " " + button->text().toStdString();
    }
    out += "\n";
  }
  for (QMenu* menu : window->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
    out += "context " + menu->objectName().toStdString() + "\n";
    DescribeMenu(menu, "  ", out);
  }
  for (QDockWidget* dock : window->findChildren<QDockWidget*>()) {
    out += "dock " + dock->objectName().toStdString() + (dock->isVisible() ? " shown " : " hidden ") +
           std::to_string(window->dockWidgetArea(dock)) + "\n";
  }
  for (const fwg::ShortcutEntry& entry : fwg::GetShortcutsInForce()) {
    out += "key " + entry.key + " " + entry.actionName + "\n";
  }
  return out;
}

#ifdef FWG_TEST_RESOURCES
#include "platform/oxapp/Application.h"
#include "platform/oxapp/CommandLine.h"

// The fixture `Base` in German, with the test profiles' translation files
// (of "Writer" and "Reader") found.
template <class Base>
class InGerman : public Base {
 protected:
  void SetUp() override {
    oxapp::Application::Get()->AddResourceRoot(FWG_TEST_RESOURCES);
    oxapp::CommandLine::Get()->SetArguments({"tavrix", "-locale", "de"});
    Base::SetUp();
  }
  void TearDown() override {
    Base::TearDown();
    oxapp::CommandLine::Get()->SetArguments({});
  }
};
#endif
