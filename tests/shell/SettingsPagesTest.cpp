// Settings pages: typed fields bound to the settings store, the one dialog
// that lists, filters and applies them, pages that go with their owners,
// pages declared in a profile's file, the host's own pages, and changes
// made to the settings file outside the program.
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>

#include "fwg/objects/FileCommands.h"
#include "fwg/objects/SessionRecovery.h"
#include "fwg/profiles/DeclaredProfile.h"
#include "fwg/shell/FieldsPage.h"
#include "fwg/shell/HostCommands.h"
#include "fwg/shell/SettingsDialog.h"
#include "platform/oxapp/Application.h"
#include "platform/settings/oxSettings.h"
#include "tests/support/HangGuard.h"
#include "tests/support/WithGui.h"

namespace {

using fwg::FieldsPage;
using fwg::SettingsDialog;
using fwg::SettingsPage;
using fwg::SettingsPages;

oxSettings* Store() { return oxapp::Application::Get()->GetSettings(); }

// A page of its own that counts how often its widget is made.
class CountingPage : public SettingsPage {
 public:
  explicit CountingPage(const oxString& name) : SettingsPage(name, "Tests") { AddKeywords({"spelling"}); }
  int made = 0;

 protected:
  QWidget* CreateWidget() override {
    ++made;
    auto* widget = new QWidget;
    new QLabel("Dictionary language", widget);
    return widget;
  }
};

class SettingsPagesTest : public WithGui {
 protected:
  void TearDown() override {
    delete SettingsDialog::Get();
    for (SettingsPage* page : SettingsPages::GetPages()) SettingsPages::Remove(page);
    WithGui::TearDown();
  }
  // A page of every field type in section "Editor".
  FieldsPage* AddEditorPage(const oxString& name = "Editor") {
    auto page = std::make_unique<FieldsPage>(name, "Documents", name);
    page->AddBool("Wrap", "&Wrap long lines", true);
    page->AddInteger("TabWidth", "&Tab width:", 4, 1, 16);
    page->AddText("Header", "&Header:", "none");
    page->AddChoice("Ending", "Line &ending:", oxStlVector<oxString>{"LF", "CRLF"}, "LF");
    return static_cast<FieldsPage*>(SettingsPages::Add(std::move(page)));
  }
};

// What a page stores is typed and reads back; Restore Defaults changes the
// widget only, and a value stored that does not fit its field reads as the
// default rather than as nonsense.
TEST_F(SettingsPagesTest, FieldsStoreTypedValuesAndRestoreDefaults) {
  FieldsPage* page = AddEditorPage();
  EXPECT_EQ(page->GetWidget(), nullptr) << "made only when shown";
  EXPECT_EQ(SettingsPages::GetValue("Editor/TabWidth").GetLong(), 4) << "the default before any is stored";
  QWidget holder;
  page->MakeWidget(&holder);
  EXPECT_FALSE(page->IsEdited());
  ASSERT_TRUE(page->SetShownValue("Wrap", false));
  ASSERT_TRUE(page->SetShownValue("TabWidth", 8));
  ASSERT_TRUE(page->SetShownValue("Ending", oxString("CRLF")));
  EXPECT_FALSE(page->SetShownValue("Ending", oxString("CR"))) << "not a choice on offer";
  EXPECT_TRUE(page->IsEdited());
  EXPECT_EQ(page->Store(), "");
  EXPECT_FALSE(page->IsEdited());
  const oxSettings* section = Store()->GetSection("Editor", false, true);
  ASSERT_NE(section, nullptr);
  EXPECT_EQ(section->Get("Wrap"), oxVariant(false));
  EXPECT_EQ(section->Get("TabWidth").GetLong(), 8);
  EXPECT_EQ(section->Get("Ending").GetString(), "CRLF");

  page->LoadDefaults();
  EXPECT_EQ(page->GetShownValue("TabWidth").GetLong(), 4);
  EXPECT_EQ(section->Get("TabWidth").GetLong(), 8) << "stored only by Apply";
  page->Load();
  EXPECT_EQ(page->GetShownValue("TabWidth").GetLong(), 8);

  Store()->GetSection("Editor", false, true)->Set("TabWidth", oxString("99"));
  Store()->GetSection("Editor", false, true)->Set("Wrap", oxString("false"));
  EXPECT_EQ(page->GetValue("TabWidth").GetLong(), 4) << "out of range";
  EXPECT_EQ(page->GetValue("Wrap"), oxVariant(false)) << "typed by hand";
}

// Input that is refused is told in one line naming the field and its range,
// and nothing of any page is stored, not even the good edits of another.
TEST_F(SettingsPagesTest, RefusedInputIsToldAndStoresNothing) {
  FieldsPage* editor = AddEditorPage();
  FieldsPage* other = AddEditorPage("Other");
  SettingsDialog* dialog = SettingsDialog::Open("Other");
  ASSERT_TRUE(other->SetShownValue("Header", oxString("draft")));
  ASSERT_TRUE(dialog->ShowPage("Editor"));
  ASSERT_TRUE(editor->SetShownValue("TabWidth", oxString("four")));
  dialog->ShowPage("Other");
  EXPECT_FALSE(dialog->ApplyAll());
  EXPECT_EQ(dialog->GetProblemText(), "Tab width: enter a whole number from 1 to 16.");
  EXPECT_EQ(dialog->GetCurrentPage(), editor) << "the page with the problem comes forward";
  EXPECT_EQ(Store()->GetSection("Other", false, true), nullptr);

  ASSERT_TRUE(editor->SetShownValue("TabWidth", 2));
  EXPECT_TRUE(dialog->ApplyAll());
  EXPECT_EQ(dialog->GetProblemText(), "");
  EXPECT_EQ(SettingsPages::GetValue("Other/Header").GetString(), "draft");
  EXPECT_EQ(SettingsPages::GetValue("Editor/TabWidth").GetLong(), 2);
}

// A page's widget is made when it is first shown, once per dialog, and the
// filter finds pages by their labels before and after that.
TEST_F(SettingsPagesTest, PagesAreMadeWhenShownAndFoundByTheirLabels) {
  AddEditorPage();
  auto* counting = static_cast<CountingPage*>(SettingsPages::Add(std::make_unique<CountingPage>("Spelling")));
  SettingsDialog* dialog = SettingsDialog::Open("Editor");
  EXPECT_EQ(counting->made, 0);
  dialog->SetFilter("line end");
  EXPECT_EQ(dialog->GetListedPageNames(), oxStlVector<oxString>{"Editor"}) << "a field's label";
  dialog->SetFilter("SPELL");
  EXPECT_EQ(dialog->GetListedPageNames(), oxStlVector<oxString>{"Spelling"}) << "a keyword";
  EXPECT_EQ(dialog->GetCurrentPage(), counting) << "the page shown is one listed";
  EXPECT_EQ(counting->made, 1);
  dialog->SetFilter("dictionary");
  EXPECT_EQ(dialog->GetListedPageNames(), oxStlVector<oxString>{"Spelling"}) << "a text on the made widget";
  dialog->SetFilter("nothing holds this");
  EXPECT_TRUE(dialog->GetListedPageNames().empty());
  EXPECT_EQ(dialog->GetCurrentPage(), nullptr);
  EXPECT_TRUE(dialog->ShowPage("Editor")) << "clears the filter";
  dialog->ShowPage("Spelling");
  EXPECT_EQ(counting->made, 1);

  delete dialog;
  EXPECT_EQ(counting->GetWidget(), nullptr) << "the widget goes with the dialog";
  SettingsDialog::Open("Spelling");
  EXPECT_EQ(counting->made, 2);
}

// A page goes with the client or profile that added it, and an open dialog
// drops it; a name is listed once.
TEST_F(SettingsPagesTest, PagesGoWithTheirOwner) {
  const int owner = 0;
  QPointer<QWidget> widget;
  SettingsPage* page = SettingsPages::Add(std::make_unique<CountingPage>("Spelling"), &owner);
  EXPECT_EQ(SettingsPages::Add(std::make_unique<CountingPage>("Spelling")), nullptr);
  SettingsDialog* dialog = SettingsDialog::Open("Spelling");
  widget = page->GetWidget();
  ASSERT_TRUE(widget);
  SettingsPages::RemoveOwnedBy(&owner);
  EXPECT_EQ(SettingsPages::Find("Spelling"), nullptr);
  EXPECT_FALSE(widget);
  EXPECT_EQ(dialog->GetListedPageNames(), (oxStlVector<oxString>{"General", "Keyboard"}));
}

// A profile's file declares a page of typed fields; it goes with the
// profile. A field that breaks the schema is named with its line.
TEST_F(SettingsPagesTest, DeclaredProfilesBringPagesOfTypedFields) {
  const QByteArray declaration = R"({
    "name": "Lists",
    "settings": {
      "page": "Lists", "category": "Documents", "note": "Applies to new lists.",
      "fields": [
        { "key": "DoneAtEnd", "label": "Keep done items at the end", "type": "bool", "default": true },
        { "key": "Columns", "type": "integer", "min": 1, "max": 4, "default": 2 },
        { "key": "Order", "type": "choice", "choices": ["added", "name"] }
      ]
    }
  })";
  auto* profile = fwg::DeclaredProfile::Read(declaration, "Lists.json", {});
  ASSERT_NE(profile, nullptr);
  auto* page = dynamic_cast<FieldsPage*>(SettingsPages::Find("Lists"));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetCategory(), "Documents");
  EXPECT_EQ(SettingsPages::GetValue("Lists/DoneAtEnd"), oxVariant(true));
  EXPECT_EQ(SettingsPages::GetValue("Lists/Columns").GetLong(), 2);
  EXPECT_EQ(SettingsPages::GetValue("Lists/Order").GetString(), "added");
  SettingsDialog* dialog = SettingsDialog::Open();
  dialog->SetFilter("new lists");
  EXPECT_EQ(dialog->GetListedPageNames(), oxStlVector<oxString>{"Lists"});
  delete profile;
  EXPECT_EQ(SettingsPages::Find("Lists"), nullptr);

  oxString error;
  fwg::ProfileDeclaration read;
  EXPECT_FALSE(fwg::ReadProfileDeclaration(R"({ "name": "X", "settings": { "page": "X", "fields": [
      { "key": "N", "type": "integer", "min": 1, "max": 4, "default": 9 } ] } })",
                                           "X.json", &read, &error));
  EXPECT_EQ(error, "X.json:2:71: 'default' must be a whole number from 'min' to 'max'");
}

// The host's General page: a new autosave interval is in force at once,
// the recent files list takes its new length, the language waits for the
// next start. Edit > Preferences… opens the dialog with the platform's key.
TEST_F(SettingsPagesTest, TheHostsGeneralPageTakesEffect) {
  fwg::HostCommands::Install();
  QAction* preferences = nullptr;
  for (QAction* action : fwg::HostCommands::GetActions()) {
    if (action->text().startsWith("&Preferences")) preferences = action;
  }
  ASSERT_NE(preferences, nullptr);
  EXPECT_EQ(preferences->shortcut(), SettingsDialog::GetShortcut());
  EXPECT_FALSE(preferences->shortcut().isEmpty());
  preferences->trigger();
  SettingsDialog* dialog = SettingsDialog::Get();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->GetListedPageNames(), (oxStlVector<oxString>{"General", "Keyboard"}));

  fwg::SessionRecovery recovery;
  EXPECT_EQ(recovery.GetInterval(), fwg::SessionRecovery::kDefaultInterval);
  ASSERT_TRUE(dialog->ShowPage("General"));
  auto* general = static_cast<FieldsPage*>(dialog->GetCurrentPage());
  ASSERT_TRUE(general->SetShownValue(fwg::SessionRecovery::kIntervalKey, 30));
  ASSERT_TRUE(general->SetShownValue(fwg::FileCommands::kRecentCountKey, 2));
  ASSERT_TRUE(general->SetShownValue("General/Language", oxString("de")));
  EXPECT_TRUE(dialog->ApplyAll());
  EXPECT_EQ(recovery.GetInterval(), 30);
  for (const char* file : {"/tmp/a.txt", "/tmp/b.txt", "/tmp/c.txt"}) fwg::FileCommands::AddRecentFile(file);
  EXPECT_EQ(fwg::FileCommands::GetRecentFiles(), (oxStlVector<oxString>{"/tmp/c.txt", "/tmp/b.txt"}));
  EXPECT_EQ(Store()->GetSection("General", false, true)->Get("Language").GetString(), "de");
  ASSERT_TRUE(general->SetShownValue(fwg::SessionRecovery::kIntervalKey, 0));
  EXPECT_TRUE(dialog->ApplyAll());
  EXPECT_EQ(recovery.GetInterval(), 0) << "autosave off";
  Store()->GetSection("General", false, true)->Remove("Language");  // the next tests start in English
}

// A change written to the settings file by hand reaches the open dialog:
// a page the user has not edited shows it, an edited page keeps the edits.
TEST_F(SettingsPagesTest, ChangesToTheFileReachOpenPages) {
  FieldsPage* editor = AddEditorPage();
  FieldsPage* other = AddEditorPage("Other");
  Store()->GetSection("Other", true, true)->Set("Header", oxString("stored"));
  Store()->Sync();
  SettingsDialog* dialog = SettingsDialog::Open("Other");
  dialog->ShowPage("Editor");
  ASSERT_TRUE(other->SetShownValue("Header", oxString("mine")));
  const QString path = QString::fromStdString(Store()->GetFilePath());
  ASSERT_FALSE(path.isEmpty());
  bool read = false;
  oxListener<single_threaded> listener;
  SettingsPages::OnChanged().Connect(&listener, [&read] { read = true; });
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write("[Editor]\nTabWidth=12\n[Other]\nHeader=theirs\n");
  file.close();
  ReturnsWithin(60, "the watcher tells of the file", [&read] {
    while (!read) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  });
  EXPECT_EQ(editor->GetShownValue("TabWidth").GetLong(), 12);
  EXPECT_FALSE(editor->IsEdited());
  EXPECT_EQ(other->GetShownValue("Header").GetString(), "mine");
  EXPECT_TRUE(dialog->ApplyAll());
  EXPECT_EQ(SettingsPages::GetValue("Other/Header").GetString(), "mine") << "Apply stores the edits over it";
}

}  // namespace
