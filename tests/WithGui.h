// Fixture base for tests that need the application object: a real one per
// test, whose deletion takes every profile, client and widget the test made
// through it.
#pragma once

#include <gtest/gtest.h>

#include "fwg/shell/Gui.h"

class WithGui : public ::testing::Test {
 protected:
  void SetUp() override { gui_ = new fwg::Gui(0, nullptr); }
  void TearDown() override {
    delete gui_;
    gui_ = nullptr;
  }

  fwg::Gui* gui_ = nullptr;
};
