// What the tests of profiles and actions share: the headers they all use,
// the widgets a profile makes found by name, and the keys actions hold.
#pragma once

#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMenuBar.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"
#include "tests/support/FilledProfile.h"
#include "tests/support/Visible.h"
#include "tests/support/WithGui.h"

inline uiToolBar* ToolBarNamed(QWidget* window, const oxString& name) {
  for (QToolBar* bar : window->findChildren<QToolBar*>())
    if (bar->objectName() == uiStr(name)) return dynamic_cast<uiToolBar*>(bar);
  return nullptr;
}

inline uiToolButton* ButtonOf(fwg::Action* action) {
  for (const uiAction::Place& place : action->GetUiAction()->GetActionItems())
    if (auto* button = dynamic_cast<uiToolButton*>(place.widget)) return button;
  return nullptr;
}

inline std::string KeyOf(fwg::Action* action) {
  return action->GetUiAction()->shortcut().toString().toStdString();
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
