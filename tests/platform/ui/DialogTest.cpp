// The process-wide switch of modeless dialogs.
#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/guiTrapableDialog.h"

namespace {

TEST(ModelessDialogs, SwitchingOffDisablesEveryOpenModelessDialog) {
  guiTrapableDialog::helper& helper = guiTrapableDialog::s_helper;
  auto first = std::make_unique<guiTrapableDialog>(nullptr, "first", false);
  auto second = std::make_unique<guiTrapableDialog>(nullptr, "second", false);
  auto modal = std::make_unique<guiTrapableDialog>(nullptr, "modal", true);
  first->show();
  second->show();
  modal->setEnabled(true);

  // Modal dialogs are not modeless; one shown while the switch is off starts
  // disabled too.
  helper.setModelessDialogs(false);
  auto late = std::make_unique<guiTrapableDialog>(nullptr, "late", false);
  late->show();
  auto enabled = [&] {
    return std::vector<bool>{first->isEnabled(), second->isEnabled(), modal->isEnabled(), late->isEnabled()};
  };
  EXPECT_EQ(enabled(), (std::vector<bool>{false, false, true, false}));
  helper.setModelessDialogs(true);
  EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true}));

  // The most recently shown visible one comes to the front; a destroyed one
  // is forgotten.
  late.reset();
  helper.activateTopModeless();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), second.get());
  EXPECT_TRUE(helper.isActiveModeless());
}

}  // namespace
