// The host's own settings pages: General and Keyboard.
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "fwg/LibraryTexts.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/SessionRecovery.h"
#include "fwg/shell/FieldsPage.h"
#include "fwg/shell/SettingsPage.h"
#include "fwg/shell/ShortcutsDialog.h"

namespace fwg {

namespace {

// Keys are many and live with the profiles: the page leads to the editor
// that knows them, which stores each change itself.
class KeyboardPage : public SettingsPage {
 public:
  KeyboardPage() : SettingsPage(TranslateLibraryText("Keyboard"), TranslateLibraryText("Application")) {
    AddKeywords({TranslateLibraryText("Keyboard Shortcuts"), TranslateLibraryText("key"),
                 TranslateLibraryText("scheme")});
  }

 protected:
  QWidget* CreateWidget() override {
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    auto* text = new QLabel(TranslateLibraryQText(
        "The keys of every command, their conflicts and shortcut schemes are edited in the "
        "Keyboard Shortcuts dialog. Each change there is kept at once."));
    text->setWordWrap(true);
    auto* open = new QPushButton(TranslateLibraryQText("&Keyboard Shortcuts\u2026"));
    open->setObjectName("fwgOpenShortcuts");
    QObject::connect(open, &QPushButton::clicked, widget,
                     [widget] { (new ShortcutsDialog(widget->window()))->show(); });
    layout->addWidget(text);
    layout->addWidget(open, 0, Qt::AlignLeft);
    layout->addStretch(1);
    return widget;
  }
};

std::unique_ptr<SettingsPage> MakeGeneralPage() {
  const auto t = [](const char* text) { return TranslateLibraryText(text); };
  auto page = std::make_unique<FieldsPage>(t("General"), t("Application"));
  page->AddInteger(SessionRecovery::kIntervalKey, t("&Autosave every (seconds, 0 for never):"),
                   SessionRecovery::kDefaultInterval, 0, SessionRecovery::kMaxInterval);
  page->AddInteger(FileCommands::kRecentCountKey, t("&Recent files listed:"), FileCommands::kDefaultRecent,
                   1, FileCommands::kMaxRecent);
  oxStlVector<FieldsPage::Choice> languages{{"", t("System default")}};
  for (const char* locale : {"en", "de"}) {
    const QLocale language{QString::fromLatin1(locale)};
    languages.push_back({locale, language.nativeLanguageName().toStdString()});
  }
  page->AddChoice("General/Language", t("&Language:"), languages, "");
  page->AddNote(t("A new language takes effect at the next start."));
  return page;
}

}  // namespace

void SettingsPages::AddHostPages() {
  if (!Find(TranslateLibraryText("General"))) Add(MakeGeneralPage());
  if (!Find(TranslateLibraryText("Keyboard"))) Add(std::make_unique<KeyboardPage>());
}

}  // namespace fwg
