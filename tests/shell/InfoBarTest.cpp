// The information bar: what the user must know without being stopped, in
// the main window over its central area or first in any other widget.
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "fwg/shell/InfoBar.h"
#include "platform/fwc/PluginManager.h"
#include "platform/ui/uiFrame.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "tests/support/Output.h"
#include "tests/support/WithGui.h"

namespace {

using fwg::InfoBar;

QPushButton* ButtonNamed(InfoBar* bar, const QString& text) {
  for (QPushButton* button : bar->findChildren<QPushButton*>())
    if (button->text() == text) return button;
  return nullptr;
}

class InfoBarInWindow : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    Window()->resize(800, 600);
    Window()->show();
  }
  QRect Central() const { return Window()->centralWidget()->geometry(); }
};

// Bars stand one below the other over the top of the central area, below
// the menu bar and toolbars, and follow the window as it changes.
TEST_F(InfoBarInWindow, LieOverTheCentralAreaOneBelowTheOther) {
  InfoBar* first = InfoBar::Show("The disk is full.", InfoBar::Warning);
  InfoBar* second = InfoBar::Show("Saved elsewhere.", InfoBar::Information);
  QCoreApplication::processEvents();
  EXPECT_EQ(InfoBar::GetBars(Window()), (oxStlVector<InfoBar*>{first, second}));
  EXPECT_EQ(first->geometry().topLeft(), Central().topLeft());
  EXPECT_EQ(first->width(), Central().width());
  EXPECT_EQ(second->y(), first->geometry().bottom() + 1);
  EXPECT_TRUE(first->isVisible() && second->isVisible());

  Window()->resize(1000, 700);
  QCoreApplication::processEvents();
  EXPECT_EQ(second->width(), Central().width());

  first->findChild<QToolButton*>("fwgInfoBarClose")->click();
  QCoreApplication::processEvents();
  EXPECT_EQ(second->geometry().topLeft(), Central().topLeft()) << "the bar below moves up";
  EXPECT_EQ(InfoBar::GetBars(Window()), (oxStlVector<InfoBar*>{second}));
}

// A button runs its function and closes the bar, which says so once; a
// fourth button is one too many.
TEST_F(InfoBarInWindow, AButtonRunsAndClosesTheBar) {
  int tries = 0, closed = 0;
  QPointer<InfoBar> bar;
  const std::string error = StderrOf([&] {
    bar = InfoBar::Show("Not saved.", InfoBar::Error,
                        {{"Try &Now", [&tries] { ++tries; }}, {"B", {}}, {"C", {}}, {"D", {}}});
  });
  EXPECT_EQ(CountLines(error), 1) << error;
  EXPECT_EQ(bar->GetButtonTexts(), (oxStlVector<oxString>{"Try &Now", "B", "C"}));
  bar->OnClosed().Connect(nullptr, [&closed] { ++closed; });
  ButtonNamed(bar, "Try &Now")->click();
  bar->Close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(tries * 10 + closed, 11);
  EXPECT_TRUE(bar.isNull());
}

// A document's frame keeps room for its bars: the view moves down rather
// than being covered, and back up once the last bar goes.
TEST_F(InfoBarInWindow, InADocumentsFramePushesTheViewDown) {
  uiLayoutFrameEx frame(nullptr, "Note", nullptr, false);
  uiFrame view(nullptr, "View");
  frame.AddView(&view);
  frame.resize(400, 300);
  frame.show();
  QCoreApplication::processEvents();
  const int top = view.y();
  InfoBar* bar = InfoBar::Show(&frame, "Changed on disk.", InfoBar::Warning);
  QCoreApplication::processEvents();
  EXPECT_GE(view.y(), bar->geometry().bottom()) << "below the bar";
  EXPECT_EQ(frame.GetTopMargin(), bar->height());
  bar->Close();
  QCoreApplication::processEvents();
  EXPECT_EQ(view.y(), top);
  frame.RemoveChild(&view);
}

// A plug-in that fails to load is told in the main window, with its name
// and the reason.
TEST_F(InfoBarInWindow, APluginThatFailsToLoadIsTold) {
  QTemporaryDir folder;
  const QString description = folder.filePath("broken.plugin");
  QFile file(description);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("name = broken\nlibrary = libmissing.so\n") > 0);
  file.close();
  fwc::PluginManager* plugins = fwc::PluginManager::Get();
  ASSERT_TRUE(plugins->AddPluginDescriptionFile(description.toStdString()));
  StderrOf([&] { EXPECT_FALSE(plugins->LoadPlugin("broken")); });
  const auto bars = InfoBar::GetBars(Window());
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0]->GetKind(), InfoBar::Error);
  ExpectContains(bars[0]->GetText(), {"broken", "libmissing.so", "not found"});
}

// In a dialog the bar goes first into the
// widget's column and pushes its contents down.
TEST(InfoBarInWidget, GoesFirstIntoTheWidgetsColumn) {
  QDialog dialog;
  auto* column = new QVBoxLayout(&dialog);
  auto* contents = new QLabel("contents", &dialog);
  column->addWidget(contents);
  InfoBar* first = InfoBar::Show(&dialog, "one", InfoBar::Warning);
  InfoBar* second = InfoBar::Show(&dialog, "two", InfoBar::Warning);
  EXPECT_EQ(column->itemAt(0)->widget(), first);
  EXPECT_EQ(column->itemAt(1)->widget(), second);
  EXPECT_EQ(column->itemAt(2)->widget(), contents);
  EXPECT_EQ(InfoBar::Show(nullptr, "nowhere", InfoBar::Warning), nullptr);
}

}  // namespace
