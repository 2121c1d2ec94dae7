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

  helper.setModelessDialogs(false);
  EXPECT_FALSE(helper.modelessDialogs());
  EXPECT_FALSE(first->isEnabled());
  EXPECT_FALSE(second->isEnabled());
  EXPECT_TRUE(modal->isEnabled()) << "modal dialogs are not modeless";

  // A dialog shown while the switch is off starts disabled too.
  auto late = std::make_unique<guiTrapableDialog>(nullptr, "late", false);
  late->show();
  EXPECT_FALSE(late->isEnabled());

  helper.setModelessDialogs(true);
  EXPECT_TRUE(first->isEnabled());
  EXPECT_TRUE(late->isEnabled());

  // The most recently shown visible one comes to the front; a destroyed one
  // is forgotten.
  late.reset();
  helper.activateTopModeless();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), second.get());
  EXPECT_TRUE(helper.isActiveModeless());
}

}  // namespace
