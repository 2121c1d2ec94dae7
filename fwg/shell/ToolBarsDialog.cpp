#include "fwg/shell/ToolBarsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "fwg/LibraryTexts.h"
#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/UserToolBars.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiToolBar.h"

namespace fwg {

namespace {

constexpr int kTokenRole = Qt::UserRole;

QString PlainText(QString text) {
  text.replace("&&", QString(QChar(0x1)));
  text.remove('&');
  text.replace(QChar(0x1), "&");
  const auto tab = text.indexOf('\t');
  return tab < 0 ? text : text.left(tab);
}

QString SeparatorText() { return TranslateLibraryQText("\u2014 Separator \u2014"); }

}  // namespace

struct ToolBarsDialog::Internal {
  ToolBarsDialog* owner = nullptr;
  QComboBox* toolBars = nullptr;
  QListWidget* commands = nullptr;
  QListWidget* entries = nullptr;
  oxStlVector<QPointer<uiToolBar>> list;

  uiToolBar* Current() const {
    const int at = toolBars->currentIndex();
    return at >= 0 && at < static_cast<int>(list.size()) ? list[static_cast<size_t>(at)].data()
                                                         : nullptr;
  }
  void AddEntry(const QString& token, const QString& text, bool inForce, int row = -1) {
    auto* item = new QListWidgetItem(token == "-" ? SeparatorText() : text);
    item->setData(kTokenRole, token);
    if (!inForce) {
      item->setForeground(owner->palette().color(QPalette::Disabled, QPalette::Text));
      item->setToolTip(TranslateLibraryQText("Shown while its profile is in force"));
    }
    entries->insertItem(row < 0 ? entries->count() : row, item);
    entries->setCurrentItem(item);
  }
  void ShowEntries() {
    entries->clear();
    for (const UserToolBars::Entry& entry : UserToolBars::GetEntries(Current())) {
      AddEntry(uiStr(entry.token), uiStr(entry.text), entry.inForce);
    }
  }
  void Move(int by) {
    const int row = entries->currentRow();
    if (row < 0 || row + by < 0 || row + by >= entries->count()) return;
    QListWidgetItem* item = entries->takeItem(row);
    entries->insertItem(row + by, item);
    entries->setCurrentItem(item);
  }
  void Apply() {
    oxStlVector<oxString> tokens;
    for (int i = 0; i < entries->count(); ++i) {
      tokens.push_back(oxStr(entries->item(i)->data(kTokenRole).toString()));
    }
    UserToolBars::Customize(Current(), tokens);
  }
};

ToolBarsDialog::ToolBarsDialog(QWidget* parent)
    : QDialog(parent ? parent : uiManager::Get()->MainWindow()), internal_(new Internal) {
  Internal* d = internal_;
  d->owner = this;
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(TranslateLibraryQText("Customize Toolbars"));
  resize(640, 440);

  d->toolBars = new QComboBox(this);
  d->commands = new QListWidget(this);
  d->entries = new QListWidget(this);
  const Profile* active = ProfileManager::Get()->GetActiveProfile();
  if (active) {
    for (uiWidget* widget : active->GetToolBarList()) {
      auto* toolBar = dynamic_cast<uiToolBar*>(widget);
      if (!toolBar) continue;
      d->list.emplace_back(toolBar);
      d->toolBars->addItem(toolBar->windowTitle());
    }
    for (Profile* profile : GetBaseChainProfiles(active)) {
      for (const auto& [name, action] : profile->GetActions()) {
        if (!action || name.empty() || action->GetText().empty()) continue;
        auto* item = new QListWidgetItem(action->GetUiAction()->icon(),
                                         PlainText(uiStr(action->GetText())), d->commands);
        item->setData(kTokenRole, uiStr(UserToolBars::MakeToken(profile, name)));
        item->setToolTip(uiStr(profile->GetTitle()));
      }
    }
    d->commands->sortItems();
  }

  auto* add = new QPushButton(TranslateLibraryQText("&Add \u2192"), this);
  auto* remove = new QPushButton(TranslateLibraryQText("\u2190 &Remove"), this);
  auto* separator = new QPushButton(TranslateLibraryQText("Add &Separator"), this);
  auto* up = new QPushButton(TranslateLibraryQText("Move &Up"), this);
  auto* down = new QPushButton(TranslateLibraryQText("Move &Down"), this);
  auto* middle = new QVBoxLayout;
  middle->addStretch();
  for (QPushButton* button : {add, remove, separator, up, down}) middle->addWidget(button);
  middle->addStretch();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* reset = buttons->addButton(TranslateLibraryQText("Reset"), QDialogButtonBox::ResetRole);
  reset->setToolTip(TranslateLibraryQText("Back to the toolbar as its profile made it"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(TranslateLibraryQText("Toolbar:"), this), 0, 0);
  grid->addWidget(d->toolBars, 0, 1, 1, 2);
  grid->addWidget(new QLabel(TranslateLibraryQText("Commands of the active profiles"), this), 1, 0);
  grid->addWidget(new QLabel(TranslateLibraryQText("On the toolbar"), this), 1, 2);
  grid->addWidget(d->commands, 2, 0);
  grid->addLayout(middle, 2, 1);
  grid->addWidget(d->entries, 2, 2);
  grid->addWidget(buttons, 3, 0, 1, 3);

  QObject::connect(d->toolBars, &QComboBox::currentIndexChanged, this, [d] { d->ShowEntries(); });
  QObject::connect(add, &QPushButton::clicked, this, [d] {
    const QListWidgetItem* command = d->commands->currentItem();
    if (!command) return;
    const QString token = command->data(kTokenRole).toString();
    for (int i = 0; i < d->entries->count(); ++i) {
      if (d->entries->item(i)->data(kTokenRole) == token) return;  // once per toolbar
    }
    const int row = d->entries->currentRow();
    d->AddEntry(token, command->text(), true, row < 0 ? -1 : row + 1);
  });
  QObject::connect(d->commands, &QListWidget::itemDoubleClicked, add, &QPushButton::click);
  QObject::connect(remove, &QPushButton::clicked, this,
                   [d] { delete d->entries->takeItem(d->entries->currentRow()); });
  QObject::connect(separator, &QPushButton::clicked, this, [d] {
    const int row = d->entries->currentRow();
    d->AddEntry("-", {}, true, row < 0 ? -1 : row + 1);
  });
  QObject::connect(up, &QPushButton::clicked, this, [d] { d->Move(-1); });
  QObject::connect(down, &QPushButton::clicked, this, [d] { d->Move(1); });
  QObject::connect(reset, &QPushButton::clicked, this, [d] {
    UserToolBars::Reset(d->Current());
    d->ShowEntries();
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this, d] {
    d->Apply();
    accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  d->ShowEntries();
}

ToolBarsDialog::~ToolBarsDialog() { delete internal_; }

}  // namespace fwg
