// Fixture base for tests that need the application object: a real one per
// test, whose deletion takes every profile, client and widget the test made
// through it. Fixtures that must prepare the process first (arguments,
// resource roots) do so before calling WithGui::SetUp().
#pragma once

#include <gtest/gtest.h>

#include "fwg/shell/Gui.h"
#include "platform/ui/uiMainWindow.h"

class WithGui : public ::testing::Test {
 protected:
  void SetUp() override { gui_ = new fwg::Gui(0, nullptr); }
  void TearDown() override {
    delete gui_;
    gui_ = nullptr;
  }
  uiMainWindow* Window() const { return gui_->GetMainWindow(); }

  fwg::Gui* gui_ = nullptr;
};
