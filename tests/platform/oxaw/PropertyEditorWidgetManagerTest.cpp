// Property editors by name, and the icon chooser they build on: a click on
// a real button writes the entry's value into the edited property.
#include <QGridLayout>
#include <QPointer>
#include <gtest/gtest.h>

#include <memory>

#include "platform/oxaw/IconPropertyEditorWidget.h"
#include "platform/oxaw/PropertyEditorWidgetManager.h"
#include "platform/ui/uiFrame.h"
#include "platform/ui/uiToolButton.h"

namespace {

using Manager = oxaw::PropertyEditorWidgetManager;

// Counts the editors it makes and tells when it is deleted.
class CountingCreator : public Manager::IEditorCreator {
 public:
  explicit CountingCreator(bool* deleted) : deleted_(deleted) {}
  ~CountingCreator() override { *deleted_ = true; }
  oxaw::PropertyEditorWidget* Create() override {
    ++made;
    return new oxaw::PropertyEditorWidget;
  }
  int made = 0;

 private:
  bool* deleted_;
};

// Which class a name makes is the layout editor test's; here, that a
// replaced or cleared registration deletes its creator.
TEST(PropertyEditorWidgetManager, CreatesByExactNameAndALaterRegistrationReplaces) {
  Manager manager;
  bool firstDeleted = false, secondDeleted = false;
  auto* first = new CountingCreator(&firstDeleted);
  manager.RegisterEditor("Layout", first);
  delete manager.CreateEditor("Layout");
  EXPECT_EQ(manager.CreateEditor("layout"), nullptr);
  EXPECT_EQ(first->made, 1);
  manager.RegisterEditor("Layout", new CountingCreator(&secondDeleted));
  EXPECT_TRUE(firstDeleted);
  manager.RegisterEditor("Layout", nullptr);
  EXPECT_TRUE(secondDeleted);
  EXPECT_EQ(manager.CreateEditor("Layout"), nullptr);
}

class IconChooser : public ::testing::Test {
 protected:
  void SetUp() override {
    editor_.AddIcon("a.png", "Alpha", 0, 0, 10);
    editor_.AddIcon("b.png", "Beta", 1, 0, 20);
    editor_.AddIcon("c.png", "Gamma", 1, 1, oxt::Variant(oxString("thirty")));
    editor_.Init(&parent_, property_);
    editor_.OnValueChanged().Connect(nullptr, std::function<void(oxt::Property&)>([this](oxt::Property& p) {
          changes_.push_back(p.GetValue().GetString());
        }));
  }

  uiToolButton* Button(uiWidget* chooser, const char* label) {
    return uiImpl(chooser)->findChild<uiToolButton*>(label);
  }

  uiFrame parent_{nullptr, "sheet"};
  oxt::Property property_{"Choice", 1};
  oxaw::IconPropertyEditorWidget editor_;
  oxStlVector<oxString> changes_;
};

TEST_F(IconChooser, ButtonsSitInTheirGridCellsAndAClickWritesTheEntryValue) {
  parent_.Show();
  editor_.EditValue(uiRect(5, 6, 120, 80));
  uiWidget* chooser = editor_.GetEditorWidget();
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(chooser->ParentWidget(), &parent_);
  EXPECT_TRUE(chooser->IsVisible());
  EXPECT_EQ(chooser->Pos().X(), 5);
  EXPECT_EQ(uiImpl(chooser)->findChildren<uiToolButton*>().size(), 3);
  auto* grid = qobject_cast<QGridLayout*>(uiImpl(chooser)->layout());
  ASSERT_NE(grid, nullptr);
  int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
  grid->getItemPosition(grid->indexOf(Button(chooser, "Gamma")), &row, &column, &rowSpan, &columnSpan);
  EXPECT_EQ(std::pair(row, column), std::pair(1, 1));

  Button(chooser, "Beta")->click();
  EXPECT_EQ(property_.GetValue().GetInteger(), 20);
  EXPECT_FALSE(chooser->IsVisible());

  Button(chooser, "Gamma")->click();
  EXPECT_EQ(property_.GetValue().GetString(), "thirty");
  EXPECT_EQ(changes_, (oxStlVector<oxString>{"20", "thirty"}));
}

TEST_F(IconChooser, ANewChooserReplacesTheOldAndParentsMayDeleteIt) {
  QPointer<QWidget> first = uiImpl(editor_.CreateEditorWidget());
  QPointer<QWidget> second = uiImpl(editor_.CreateEditorWidget());
  EXPECT_TRUE(first.isNull());
  ASSERT_FALSE(second.isNull());

  // The sheet may delete its children first; the editor must not touch the
  // dead chooser afterwards.
  delete second.data();
  EXPECT_EQ(editor_.GetEditorWidget(), nullptr);
  editor_.HideEditorWidget();
  editor_.DeleteEditorWidget();
}

TEST_F(IconChooser, ChangeListenerMayDeleteTheEditor) {
  auto* editor = new oxaw::IconPropertyEditorWidget;
  oxt::Property property("Choice");
  editor->AddIcon("a.png", "Alpha", 0, 0, 7);
  editor->Init(nullptr, property);
  QPointer<QWidget> chooser = uiImpl(editor->CreateEditorWidget());
  editor->OnValueChanged().Connect(nullptr, std::function<void(oxt::Property&)>([&editor](oxt::Property&) {
        // This closure dies with the editor's signal: read it first.
        oxaw::IconPropertyEditorWidget* doomed = editor;
        editor = nullptr;
        delete doomed;
      }));
  chooser->findChild<uiToolButton*>("Alpha")->click();
  EXPECT_EQ(editor, nullptr);
  EXPECT_EQ(property.GetValue().GetInteger(), 7);
  EXPECT_TRUE(chooser.isNull());
}

}  // namespace
