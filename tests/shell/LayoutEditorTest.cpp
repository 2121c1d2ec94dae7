#include "fwg/clients/ClientObject.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/shell/LayoutPropertyEditor.h"
#include "platform/oxaw/PropertyEditorWidgetManager.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/ui/uiToolButton.h"
#include "tests/support/TestBasics.h"
#include "tests/support/WithGui.h"

namespace {

using fwg::ClientFolder;
using Manager = oxaw::PropertyEditorWidgetManager;

const oxStlVector<oxString> kAllLabels = {
    "Full",       "2 Horizontal", "2 Vertical", "3 Horizontal", "3 Vertical", "Split Right",
    "Split Left", "Split Top",    "Split Bottom", "2 x 2",      "2 By 3",     "3 By 2"};

oxStlVector<oxString> FirstLabels(std::size_t count) {
  return {kAllLabels.begin(), kAllLabels.begin() + count};
}

class LayoutEditorTest : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    editor_.Init(nullptr, property_);
  }
  void TearDown() override {
    oxt::CurrentObjects::Get()->SetCurrentObject(nullptr);
    editor_.DeleteEditorWidget();
    folders_.clear();
    WithGui::TearDown();
  }

  // A current client folder with that many client objects, plain folders
  // and plain objects below it.
  ClientFolder* MakeCurrentFolder(int clientObjects, int otherChildren = 0) {
    folders_.push_back(std::make_unique<ClientFolder>(nullptr, "Folder"));
    ClientFolder* folder = folders_.back().get();
    for (int i = 0; i < clientObjects; ++i) new fwg::ClientObject(folder, "Doc" + std::to_string(i), false);
    for (int i = 0; i < otherChildren; ++i) {
      new fwg::Folder(folder, "Plain" + std::to_string(i));
      new oxt::Object(folder, "Other" + std::to_string(i));
    }
    oxt::CurrentObjects::Get()->SetCurrentObject(folder);
    return folder;
  }

  // The labels of a new chooser's buttons, in the order they were made.
  oxStlVector<oxString> Offered() {
    oxStlVector<oxString> labels;
    for (auto* button : uiImpl(editor_.CreateEditorWidget(uiRect()))->findChildren<uiToolButton*>())
      labels.push_back(button->TextLabel());
    return labels;
  }

  oxt::Property property_{"Layout", 1};
  fwg::LayoutPropertyEditor editor_;
  oxStlVector<std::unique_ptr<ClientFolder>> folders_;
};

TEST_F(LayoutEditorTest, OffersTheLayoutsThatTheCurrentFoldersViewsFill) {
  EXPECT_EQ(Offered(), FirstLabels(1)) << "no current object";
  // A current object that is no client folder and has none above it.
  oxt::Object plain(nullptr, "plain");
  new fwg::ClientObject(&plain, "a", false);
  new fwg::ClientObject(&plain, "b", false);
  oxt::CurrentObjects::Get()->SetCurrentObject(&plain);
  EXPECT_EQ(Offered(), FirstLabels(1));

  const struct {
    int documents;
    int others;  // plain folders and objects, which are no views
    size_t offered;
  } cases[] = {{1, 0, 1}, {2, 0, 3}, {4, 0, 10}, {5, 3, 10}, {6, 0, 12}, {9, 0, 12}};
  for (const auto& c : cases) {
    MakeCurrentFolder(c.documents, c.others);
    EXPECT_EQ(Offered(), FirstLabels(c.offered)) << c.documents << " documents";
  }

  // Two documents and a sub-folder are three views.
  new ClientFolder(MakeCurrentFolder(2), "Sub");
  EXPECT_EQ(Offered(), FirstLabels(9));
  // With a document current, its folder's views count.
  oxt::CurrentObjects::Get()->SetCurrentObject(MakeCurrentFolder(3)->GetChildren().front());
  EXPECT_EQ(Offered(), FirstLabels(9));
}

TEST_F(LayoutEditorTest, EntriesCarryTheLayoutValuesAndAClickStoresIt) {
  const oxStlVector<int> values = {1, 3, 2, 5, 4, 7, 6, 8, 9, 10, 11, 12};
  const auto& entries = editor_.GetIconEntries();
  ASSERT_EQ(entries.size(), values.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].value.GetInteger(), values[i]) << entries[i].label;
    EXPECT_FALSE(editor_.GetIcon(entries[i].iconFile).IsNull()) << entries[i].iconFile;
  }

  MakeCurrentFolder(2);
  oxStlVector<int> reported;
  editor_.OnValueChanged().Connect(nullptr, std::function<void(oxt::Property&)>([&reported](oxt::Property& p) {
        reported.push_back(p.GetValue().GetInteger());
      }));
  editor_.EditValue(uiRect(0, 0, 200, 100));
  QWidget* chooser = uiImpl(editor_.GetEditorWidget());
  ASSERT_NE(chooser, nullptr);

  for (const char* label : {"2 Horizontal", "2 Vertical", "Full"})
    chooser->findChild<uiToolButton*>(label)->click();
  EXPECT_EQ(property_.GetValue().GetInteger(), 1);
  EXPECT_EQ(reported, (oxStlVector<int>{3, 2, 1}));
}

TEST_F(LayoutEditorTest, TheCentralWidgetRegistersTheEditorUnderLayoutEditor) {
  WithGui::TearDown();
  Manager::Get()->RegisterEditor("LayoutEditor", new Manager::EditorCreator<oxaw::PropertyEditorWidget>);
  WithGui::SetUp();
  std::unique_ptr<oxaw::PropertyEditorWidget> editor(Manager::Get()->CreateEditor("LayoutEditor"));
  EXPECT_NE(dynamic_cast<fwg::LayoutPropertyEditor*>(editor.get()), nullptr);
}

}  // namespace
