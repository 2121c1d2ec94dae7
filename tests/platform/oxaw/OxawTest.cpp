#include <QCoreApplication>
#include <QGridLayout>
#include <QTest>

#include "platform/oxaw/IconPropertyEditorWidget.h"
#include "platform/oxaw/PropertyEditorWidgetManager.h"
#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiFrame.h"
#include "platform/ui/uiToolButton.h"
#include "tests/support/TestBasics.h"

namespace {

using Manager = oxaw::PropertyEditorWidgetManager;

struct CountingCreator : oxaw::IWidgetCreator, Manager::IEditorCreator {
  explicit CountingCreator(int* made, bool* deleted = nullptr) : made(made), deleted(deleted) {}
  ~CountingCreator() override { if (deleted) *deleted = true; }
  uiWidget* Create(uiWidget* parent, const oxString& name) override {
    ++*made;
    return new uiFrame(parent, name);
  }
  oxaw::PropertyEditorWidget* Create() override {
    ++*made;
    return new oxaw::PropertyEditorWidget;
  }
  int* made;
  bool* deleted;
};

// Which editor class a name makes is the layout editor test's; here, exact
// names, and that a replaced or cleared registration deletes its creator.
TEST(Makers, EditorsByExactNameWidgetsOncePerNameAndParentLaterRegistrationsReplace) {
  Manager editors;
  int edited = 0;
  bool firstDeleted = false, secondDeleted = false;
  editors.RegisterEditor("Layout", new CountingCreator(&edited, &firstDeleted));
  delete editors.CreateEditor("Layout");
  EXPECT_EQ(editors.CreateEditor("layout"), nullptr);
  editors.RegisterEditor("Layout", new CountingCreator(&edited, &secondDeleted));
  editors.RegisterEditor("Layout", nullptr);
  EXPECT_EQ(editors.CreateEditor("Layout"), nullptr);
  EXPECT_EQ(std::tuple(edited, firstDeleted, secondDeleted), std::tuple(1, true, true));

  oxaw::WidgetManager manager;
  int made = 0;
  manager.RegisterWidget("Outline", new CountingCreator(&made));
  auto first = std::make_unique<uiFrame>(nullptr, "first");
  auto second = std::make_unique<uiFrame>(nullptr, "second");
  EXPECT_EQ(manager.GetWidget("Unknown", first.get()), nullptr);
  uiWidget* a = manager.GetWidget("Outline", first.get());
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Name(), "Outline");
  EXPECT_EQ(manager.GetWidget("Outline", first.get()), a) << "the same parent gets the same widget";
  uiWidget* b = manager.GetWidget("Outline", second.get());
  EXPECT_NE(b, a) << "another parent gets its own";

  // A widget its parent deleted is made again.
  QPointer<QWidget> gone = b->GetWidget();
  second.reset();
  EXPECT_TRUE(gone.isNull());
  second = std::make_unique<uiFrame>(nullptr, "second");
  manager.GetWidget("Outline", second.get());
  EXPECT_EQ(made, 3);

  // Released: the next request makes a new one; the old one stays alive.
  manager.ReleaseWidget("Outline");
  EXPECT_NE(manager.GetWidget("Outline", first.get()), a);
  EXPECT_EQ(made, 4);
  EXPECT_EQ(a->ParentWidget(), first.get());
  manager.RegisterWidget("Outline", new oxaw::WidgetCreator<uiFrame>);
  manager.ReleaseWidget("Outline");
  manager.GetWidget("Outline", first.get());
  EXPECT_EQ(made, 4);

  // The process-wide manager comes back fresh after Destroy.
  oxaw::WidgetManager::Get()->RegisterWidget("Panel", new oxaw::WidgetCreator<uiFrame>);
  oxaw::WidgetManager::Destroy();
  EXPECT_FALSE(oxaw::WidgetManager::Get()->IsRegistered("Panel"));
  oxaw::WidgetManager::Destroy();
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
  EXPECT_TRUE(chooser->ParentWidget() == &parent_ && chooser->IsVisible() && chooser->Pos().X() == 5);
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

// From the keyboard: the focus starts at the first picture, the arrows go
// from picture to picture, Return chooses.
TEST_F(IconChooser, ThePicturesAreChosenWithTheKeyboard) {
  parent_.Show();
  editor_.EditValue(uiRect(5, 6, 120, 80));
  uiWidget* chooser = editor_.GetEditorWidget();
  ASSERT_NE(chooser, nullptr);
  ASSERT_EQ(uiImpl(chooser)->focusWidget(), Button(chooser, "Alpha"));
  QTest::keyClick(Button(chooser, "Alpha"), Qt::Key_Right);
  QTest::keyClick(Button(chooser, "Beta"), Qt::Key_Right);
  QTest::keyClick(Button(chooser, "Gamma"), Qt::Key_Left);
  ASSERT_EQ(uiImpl(chooser)->focusWidget(), Button(chooser, "Beta"));
  QTest::keyClick(Button(chooser, "Beta"), Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(property_.GetValue().GetInteger(), 20);
  EXPECT_FALSE(chooser->IsVisible());
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
