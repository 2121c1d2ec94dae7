// Fixture base for tests of the object tree on a real application object:
// objects are made and announced the way clients and session reading make
// them, their frames are found in the central widget, and every project
// left over is deleted (announced, so its frames go too) before the
// application object.
#pragma once

#include "fwg/objects/Project.h"
#include "platform/oxapp/CommandLine.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiWidgetStack.h"
#include "tests/support/WithGui.h"

class WithProjects : public WithGui {
 protected:
  void SetUp() override {
    oxapp::CommandLine::Get()->SetArguments({"tavrix"});
    SetCurrent(nullptr);
    WithGui::SetUp();
    stack_ = dynamic_cast<uiWidgetStack*>(Window()->CentralWidget());
    ASSERT_NE(stack_, nullptr);
  }
  void TearDown() override {
    SetCurrent(nullptr);
    for (oxt::Object* project : Root()->GetChildren({}, fwg::Project::S_ClassName(), false, true))
      project->Delete();
    WithGui::TearDown();
  }

  static oxt::Object* Root() { return oxt::Model::Get()->GetRoot(); }
  static void SetCurrent(oxt::Object* object) { oxt::CurrentObjects::Get()->SetCurrentObject(object); }
  static void SetLayout(oxt::Object* folder, int layout) {
    oxt::Property p("Layout", oxt::Variant(layout));
    folder->SetProperty(p);
  }
  template <class T, class... Args>
  static T* Make(Args&&... args) {
    T* object = new T(std::forward<Args>(args)...);
    object->EmitCreated();
    return object;
  }
  uiLayoutFrameEx* FindFrame(const oxString& name) const {
    return stack_->findChild<uiLayoutFrameEx*>(uiStr(name));
  }

  uiWidgetStack* stack_ = nullptr;
};
