#include "fwg/shell/ToolBarsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "fwg/LibraryTexts.h"
#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/UserToolBars.h"
#include "fwg/shell/InfoBar.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiToolBar.h"

namespace fwg {

namespace {

constexpr int kTokenRole = Qt::UserRole;
constexpr int kInForceRole = Qt::UserRole + 1;

QString SeparatorText() { return TranslateLibraryQText("\u2014 Separator \u2014"); }

// A toolbar's entries as the dialog holds them until OK.
struct PendingEntry {
  QString token, text;
  bool inForce = true;
  QIcon icon;
};
struct Pending {
  bool read = false;   // entries taken from the toolbar or kept from the list
  bool reset = false;  // Reset was pressed: the recorded toolbar first
  std::vector<PendingEntry> entries;
};

}  // namespace

struct ToolBarsDialog::Internal {
  ToolBarsDialog* owner = nullptr;
  QComboBox* toolBars = nullptr;
  QListWidget* commands = nullptr;
  QListWidget* entries = nullptr;
  oxStlVector<QPointer<uiToolBar>> list;
  // One per toolbar of `list`; the one shown is kept from the list widget
  // whenever the drop-down moves on, so no edit is lost before OK.
  std::vector<Pending> pending;
  int shown = -1;

  uiToolBar* Current() const {
    const int at = toolBars->currentIndex();
    return at >= 0 && at < static_cast<int>(list.size()) ? list[static_cast<size_t>(at)].data()
                                                         : nullptr;
  }
  // The command of that token in the list of commands, or null.
  const QListWidgetItem* Command(const QString& token) const {
    for (int i = 0; i < commands->count(); ++i) {
      if (commands->item(i)->data(kTokenRole) == token) return commands->item(i);
    }
    return nullptr;
  }
  // Stands in for a missing icon: texts of commands without one stay in
  // line with the others.
  static QIcon Blank() {
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
  }
  void AddEntry(const QString& token, const QString& text, bool inForce, const QIcon& icon,
                int row = -1) {
    const bool separator = token == "-";
    auto* item = new QListWidgetItem(separator || icon.isNull() ? Blank() : icon,
                                     separator ? SeparatorText() : text);
    item->setData(kTokenRole, token);
    item->setData(kInForceRole, inForce);
    if (!inForce) {
      item->setForeground(owner->palette().color(QPalette::Disabled, QPalette::Text));
      item->setToolTip(TranslateLibraryQText("Shown while its profile is in force"));
    }
    entries->insertItem(row < 0 ? entries->count() : row, item);
    entries->setCurrentItem(item);
  }
  // Puts a command (by its token) or a separator after the selected entry;
  // a command is on a toolbar once.
  bool Insert(const QString& token) {
    QString text;
    QIcon icon;
    if (token != "-") {
      for (int i = 0; i < entries->count(); ++i) {
        if (entries->item(i)->data(kTokenRole) == token) return false;
      }
      const QListWidgetItem* command = Command(token);
      if (!command || command->text().isEmpty()) return false;
      text = command->text();
      icon = command->icon();
    }
    const int row = entries->currentRow();
    AddEntry(token, text, true, icon, row < 0 ? -1 : row + 1);
    return true;
  }
  void Keep() {
    if (shown < 0 || shown >= static_cast<int>(pending.size())) return;
    Pending& kept = pending[static_cast<size_t>(shown)];
    kept.read = true;
    kept.entries.clear();
    for (int i = 0; i < entries->count(); ++i) {
      const QListWidgetItem* item = entries->item(i);
      kept.entries.push_back({item->data(kTokenRole).toString(), item->text(),
                              item->data(kInForceRole).toBool(), item->icon()});
    }
  }
  void Fill(const oxStlVector<UserToolBars::Entry>& from) {
    for (const UserToolBars::Entry& entry : from) {
      AddEntry(uiStr(entry.token), uiStr(entry.text), entry.inForce, entry.icon);
    }
  }
  void ShowEntries() {
    Keep();
    entries->clear();
    shown = toolBars->currentIndex();
    if (shown < 0 || shown >= static_cast<int>(pending.size())) return;
    const Pending& kept = pending[static_cast<size_t>(shown)];
    if (!kept.read) {
      Fill(UserToolBars::GetEntries(Current()));
    } else {
      for (const PendingEntry& entry : kept.entries) {
        AddEntry(entry.token, entry.text, entry.inForce, entry.icon);
      }
    }
    if (entries->count()) entries->setCurrentRow(0);
  }
  void Reset() {
    if (shown < 0 || shown >= static_cast<int>(pending.size())) return;
    pending[static_cast<size_t>(shown)].reset = true;
    entries->clear();
    Fill(UserToolBars::GetRecordedEntries(Current()));
  }
  void Move(int by) {
    const int row = entries->currentRow();
    if (row < 0 || row + by < 0 || row + by >= entries->count()) return;
    QListWidgetItem* item = entries->takeItem(row);
    entries->insertItem(row + by, item);
    entries->setCurrentItem(item);
  }
  // Every toolbar the user touched: reset first when asked, then arranged
  // when its entries differ from what the toolbar shows. The first reason
  // an arrangement could not be saved, or "".
  oxString Apply() {
    Keep();
    oxString notKept;
    auto note = [&notKept](bool kept, const oxString& reason) {
      if (!kept && notKept.empty()) notKept = reason;
    };
    for (size_t i = 0; i < pending.size() && i < list.size(); ++i) {
      uiToolBar* toolBar = list[i];
      const Pending& kept = pending[i];
      if (!toolBar || !kept.read) continue;
      oxString reason;
      if (kept.reset) note(UserToolBars::Reset(toolBar, &reason), reason);
      oxStlVector<oxString> tokens, now;
      for (const PendingEntry& entry : kept.entries) tokens.push_back(oxStr(entry.token));
      for (const UserToolBars::Entry& entry : UserToolBars::GetEntries(toolBar)) now.push_back(entry.token);
      if (tokens != now) note(UserToolBars::Customize(toolBar, tokens, &reason), reason);
    }
    return notKept;
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
    d->pending.resize(d->list.size());
    for (Profile* profile : GetBaseChainProfiles(active)) {
      for (const auto& [name, action] : profile->GetActions()) {
        // A hidden action (a menu's title, a placeholder) shows no button,
        // nor does a list's entry, which opens what stands at its place.
        if (!action || name.empty() || action->GetText().empty() || !action->IsVisible() ||
            action->IsListEntry()) {
          continue;
        }
        const QIcon icon = action->GetUiAction()->icon();
        auto* item = new QListWidgetItem(icon.isNull() ? Internal::Blank() : icon,
                                         uiPlainText(uiStr(action->GetText())), d->commands);
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
    if (const QListWidgetItem* command = d->commands->currentItem()) {
      d->Insert(command->data(kTokenRole).toString());
    }
  });
  QObject::connect(d->commands, &QListWidget::itemDoubleClicked, add, &QPushButton::click);
  QObject::connect(remove, &QPushButton::clicked, this,
                   [d] { delete d->entries->takeItem(d->entries->currentRow()); });
  QObject::connect(separator, &QPushButton::clicked, this, [d] { d->Insert("-"); });
  QObject::connect(up, &QPushButton::clicked, this, [d] { d->Move(-1); });
  QObject::connect(down, &QPushButton::clicked, this, [d] { d->Move(1); });
  QObject::connect(reset, &QPushButton::clicked, this, [d] { d->Reset(); });
  QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  for (QListWidget* list : {d->commands, d->entries}) {
    list->setIconSize(QSize(16, 16));
    list->setUniformItemSizes(true);
  }
  d->commands->setCurrentRow(0);
  d->commands->setFocus();
  d->ShowEntries();
}

ToolBarsDialog::~ToolBarsDialog() { delete internal_; }

bool ToolBarsDialog::SelectToolBar(const oxString& name) {
  Internal* d = internal_;
  for (size_t i = 0; i < d->list.size(); ++i) {
    if (d->list[i] && d->list[i]->objectName() == uiStr(name)) {
      d->toolBars->setCurrentIndex(static_cast<int>(i));
      return true;
    }
  }
  return false;
}

oxStlVector<oxString> ToolBarsDialog::GetEntries() const {
  oxStlVector<oxString> tokens;
  for (int i = 0; i < internal_->entries->count(); ++i) {
    tokens.push_back(oxStr(internal_->entries->item(i)->data(kTokenRole).toString()));
  }
  return tokens;
}

// The dialog goes whatever happens; what could not be saved is said in the
// window it belonged to, where the arranged toolbars are.
void ToolBarsDialog::accept() {
  const oxString notKept = internal_->Apply();
  if (!notKept.empty()) {
    const QString text = TranslateLibraryQText("The toolbars are arranged, but the arrangement could not be "
                                               "saved and is lost when the program ends: %1")
                             .arg(uiStr(notKept));
    InfoBar::Show(parentWidget() ? parentWidget() : uiManager::Get()->MainWindow(), oxStr(text),
                  InfoBar::Warning);
  }
  QDialog::accept();
}

bool ToolBarsDialog::AddEntry(const oxString& token) { return internal_->Insert(uiStr(token)); }

}  // namespace fwg
