#include "fwg/shell/ShortcutsDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <unordered_map>

#include "fwg/LibraryTexts.h"
#include "fwg/actions/Action.h"
#include "fwg/profiles/DockWindow.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/ShortcutConflicts.h"
#include "fwg/profiles/UserShortcuts.h"
#include "fwg/shell/InfoBar.h"
#include "fwg/shell/PaletteCommands.h"
#include "platform/oxapp/Application.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"
#include "platform/vos/vosLibrary.h"

namespace fwg {

namespace {

// Where the scheme file dialogs start.
QString SchemeFolder() { return QString::fromStdString(vosLibrary::GetDocumentsFolder()); }

enum Column { kKey, kCommand, kPlace, kAction, kProfile, kColumns };
enum Role { kConflictRole = Qt::UserRole, kProfileRole, kActionRole };

QString NativeKeys(const oxString& keys) {
  return QKeySequence::fromString(uiStr(keys), QKeySequence::PortableText)
      .toString(QKeySequence::NativeText);
}

// Tells about every stroke while it records: the edit itself announces its
// sequence only once recording ends. Escape drops what is being recorded
// and, with nothing recorded, closes the dialog; Return keeps what is
// recorded at once (it is never recorded itself); Tab and Shift+Tab move on
// before anything is recorded, so the keyboard is never caught here.
class KeyRecorder : public QKeySequenceEdit {
 public:
  using QKeySequenceEdit::QKeySequenceEdit;
  std::function<void(const QKeySequence&)> onStroke;
  QKeySequence held;  // the command's key before recording

  bool event(QEvent* event) override {
    if (event->type() == QEvent::KeyPress && keySequence() == held) {
      const auto* key = static_cast<QKeyEvent*>(event);
      // A modifier alone starts nothing: the toolkit would empty the box
      // on it, and Shift+Tab (Shift first) would then clear the key. The
      // key pressed with it carries the modifiers.
      switch (key->key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_AltGr:
          return true;
        default:
          break;
      }
      const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
      if ((key->key() == Qt::Key_Tab && mods == Qt::NoModifier) || key->key() == Qt::Key_Backtab) {
        focusNextPrevChild(key->key() == Qt::Key_Tab);
        return true;
      }
    }
    return QKeySequenceEdit::event(event);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
      if (keySequence() == held) {
        event->ignore();  // the dialog closes
      } else {
        setKeySequence(held);
        if (onStroke) onStroke(held);
      }
      return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      if (keySequence() == held) {
        event->ignore();  // the dialog's default button
      } else {
        // Setting the same sequence ends the recording: the next key
        // starts a new one.
        setKeySequence(keySequence());
        emit editingFinished();
      }
      return;
    }
    QKeySequenceEdit::keyPressEvent(event);
    if (onStroke) onStroke(keySequence());
  }
};

}  // namespace

struct ShortcutsDialog::Internal : oxListener<single_threaded> {
  ShortcutsDialog* owner = nullptr;
  QLineEdit* filter = nullptr;
  QTreeWidget* tree = nullptr;
  QLabel* summary = nullptr;
  QLabel* current = nullptr;
  KeyRecorder* keys = nullptr;
  QPushButton* clear = nullptr;
  QPushButton* reset = nullptr;
  QLabel* clashes = nullptr;
  // While the list is made again: the selection it loses and finds again
  // on the way must not disable the key box, which would send the
  // keyboard elsewhere.
  bool refreshing = false;

  void ApplyFilter();
  void HandleProfileActivated(Profile*) { owner->Refresh(); }
  // The profile and action of the selected row; null for none or a row of
  // the application's own keys.
  Profile* Selected(oxString* action) const;
  void ShowSelection();
  void ShowClashes(const QKeySequence& sequence);
  void Assign(const QKeySequence& sequence);
  void Import();
  void Export();
  // Says in the dialog that a change is in force but was not saved; once
  // per reason while the bar is up.
  void TellNotKept(bool kept, const oxString& reason);
};

void ShortcutsDialog::Internal::TellNotKept(bool kept, const oxString& reason) {
  if (kept) return;
  const QString text = TranslateLibraryQText("The change is in force, but it could not be saved and is lost "
                                             "when the program ends: %1")
                           .arg(uiStr(reason));
  for (InfoBar* bar : InfoBar::GetBars(owner)) {
    if (uiStr(bar->GetText()) == text) return;
  }
  InfoBar::Show(owner, oxStr(text), InfoBar::Warning);
}

void ShortcutsDialog::Internal::ApplyFilter() {
  const QString text = filter->text().trimmed();
  int conflicts = 0;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = tree->topLevelItem(i);
    bool shown = text.isEmpty();
    for (int column = 0; column < kColumns && !shown; ++column) {
      shown = item->text(column).contains(text, Qt::CaseInsensitive);
    }
    item->setHidden(!shown);
    if (shown && item->data(kKey, kConflictRole).toBool()) ++conflicts;
  }
  summary->setText(conflicts ? TranslateLibraryQText("Shortcuts marked in red are held by more than one "
                                         "action: pressing them triggers nothing.")
                             : QString());
  summary->setVisible(conflicts > 0);
}

Profile* ShortcutsDialog::Internal::Selected(oxString* action) const {
  const QTreeWidgetItem* item = tree->currentItem();
  if (!item || item->isHidden()) return nullptr;
  *action = oxStr(item->data(kKey, kActionRole).toString());
  const QString profile = item->data(kKey, kProfileRole).toString();
  return profile.isEmpty() ? nullptr : ProfileManager::Get()->GetProfile(oxStr(profile));
}

void ShortcutsDialog::Internal::ShowSelection() {
  oxString action;
  Profile* profile = Selected(&action);
  const QSignalBlocker blocker(keys);
  keys->setEnabled(profile);
  clear->setEnabled(profile);
  reset->setEnabled(profile && UserShortcuts::HasOverride(profile, action));
  const oxString now = profile ? UserShortcuts::GetShortcut(profile, action) : oxString();
  keys->held = QKeySequence::fromString(uiStr(now), QKeySequence::PortableText);
  keys->setKeySequence(keys->held);
  current->setText(profile ? TranslateLibraryQText("Shortcut for %1:")
                                 .arg(tree->currentItem()->text(kCommand))
                           : TranslateLibraryQText("Pick a command to change its shortcut."));
  ShowClashes(keys->keySequence());
}

void ShortcutsDialog::Internal::ShowClashes(const QKeySequence& sequence) {
  oxString action;
  Profile* profile = Selected(&action);
  QStringList names;
  if (profile) {
    const oxString text = oxStr(sequence.toString(QKeySequence::PortableText));
    for (const ShortcutClash& clash : UserShortcuts::FindClashes(profile, action, text)) {
      names << TranslateLibraryQText("'%1' (%2, profile %3)")
                   .arg(uiStr(clash.command), uiStr(clash.actionName), uiStr(clash.profileName));
    }
  }
  clashes->setText(names.isEmpty() ? QString()
                                   : TranslateLibraryQText("Also held by %1. Keeping it makes the "
                                                           "key trigger neither where both are in force.")
                                         .arg(names.join(", ")));
  clashes->setVisible(!names.isEmpty());
}

void ShortcutsDialog::Internal::Assign(const QKeySequence& sequence) {
  oxString action;
  Profile* profile = Selected(&action);
  if (!profile) return;
  const oxString text = oxStr(sequence.toString(QKeySequence::PortableText));
  if (text == UserShortcuts::GetShortcut(profile, action)) return;
  oxString reason;
  const bool kept = UserShortcuts::SetShortcut(profile, action, text, &reason);
  owner->Refresh();
  TellNotKept(kept, reason);
}

void ShortcutsDialog::Internal::Import() {
  const QString path = QFileDialog::getOpenFileName(
      owner, TranslateLibraryQText("Import Shortcut Scheme"), SchemeFolder(),
      TranslateLibraryQText("Shortcut schemes (*.keys);;All files (*)"));
  if (path.isEmpty()) return;
  oxString error;
  bool applied = false;
  const bool kept = UserShortcuts::ImportScheme(oxStr(path), &error, &applied);
  owner->Refresh();
  if (applied) {
    TellNotKept(kept, error);
  } else {
    QMessageBox::warning(owner, TranslateLibraryQText("Import Shortcut Scheme"),
                         TranslateLibraryQText("The scheme was not imported; nothing changed.") +
                             "\n" + uiStr(error));
  }
}

void ShortcutsDialog::Internal::Export() {
  const QString path = QFileDialog::getSaveFileName(
      owner, TranslateLibraryQText("Export Shortcut Scheme"), QDir(SchemeFolder()).filePath("shortcuts.keys"),
      TranslateLibraryQText("Shortcut schemes (*.keys);;All files (*)"));
  if (path.isEmpty()) return;
  oxString error;
  if (!UserShortcuts::ExportScheme(oxStr(path), &error)) {
    QMessageBox::warning(owner, TranslateLibraryQText("Export Shortcut Scheme"),
                         TranslateLibraryQText("The scheme could not be saved.") + "\n" +
                             uiStr(error));
  }
}

ShortcutsDialog::ShortcutsDialog(QWidget* parent)
    : QDialog(parent ? parent : uiManager::Get()->MainWindow()), internal_(new Internal) {
  Internal* d = internal_;
  d->owner = this;
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(TranslateLibraryQText("Keyboard Shortcuts"));
  resize(720, 560);

  d->filter = new QLineEdit(this);
  d->filter->setPlaceholderText(TranslateLibraryQText("Filter by key, command or profile"));
  d->filter->setClearButtonEnabled(true);
  d->tree = new QTreeWidget(this);
  d->tree->setColumnCount(kColumns);
  d->tree->setHeaderLabels(
      {TranslateLibraryQText("Key"), TranslateLibraryQText("Command"), TranslateLibraryQText("Menu"),
       TranslateLibraryQText("Action"), TranslateLibraryQText("Profile")});
  d->tree->setRootIsDecorated(false);
  d->tree->setUniformRowHeights(true);
  d->tree->setSortingEnabled(true);
  d->summary = new QLabel(this);
  d->summary->setWordWrap(true);

  d->current = new QLabel(this);
  d->keys = new KeyRecorder(this);
  d->keys->onStroke = [d](const QKeySequence& sequence) { d->ShowClashes(sequence); };
  d->keys->setClearButtonEnabled(false);
  d->clear = new QPushButton(TranslateLibraryQText("C&lear"), this);
  d->reset = new QPushButton(TranslateLibraryQText("&Reset"), this);
  d->reset->setToolTip(TranslateLibraryQText("Back to the key the profile declared"));
  // Return in the list must never clear or reset the key of its command.
  d->clear->setAutoDefault(false);
  d->reset->setAutoDefault(false);
  d->clashes = new QLabel(this);
  d->clashes->setWordWrap(true);
  d->clashes->setStyleSheet("color: #b00000");
  auto* record = new QHBoxLayout;
  record->addWidget(d->current);
  record->addWidget(d->keys, 1);
  record->addWidget(d->clear);
  record->addWidget(d->reset);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* resetAll =
      buttons->addButton(TranslateLibraryQText("Reset &All"), QDialogButtonBox::ResetRole);
  QPushButton* import =
      buttons->addButton(TranslateLibraryQText("&Import\u2026"), QDialogButtonBox::ActionRole);
  QPushButton* exportButton =
      buttons->addButton(TranslateLibraryQText("&Export\u2026"), QDialogButtonBox::ActionRole);
  // No button answers Return: in the filter it moves to the list, and no
  // key of the user's is reset, cleared or closed by it.
  for (QPushButton* button : buttons->findChildren<QPushButton*>()) button->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(d->filter);
  layout->addWidget(d->tree);
  layout->addWidget(d->summary);
  layout->addLayout(record);
  layout->addWidget(d->clashes);
  layout->addWidget(buttons);

  QObject::connect(d->filter, &QLineEdit::textChanged, this, [d] { d->ApplyFilter(); });
  // Return in the filter goes to the list, at its first command shown.
  QObject::connect(d->filter, &QLineEdit::returnPressed, this, [d] {
    d->tree->setFocus();
    QTreeWidgetItem* current = d->tree->currentItem();
    if (current && !current->isHidden()) return;
    for (int i = 0; i < d->tree->topLevelItemCount(); ++i) {
      if (d->tree->topLevelItem(i)->isHidden()) continue;
      d->tree->setCurrentItem(d->tree->topLevelItem(i));
      break;
    }
  });
  QObject::connect(d->tree, &QTreeWidget::currentItemChanged, this, [d] {
    if (!d->refreshing) d->ShowSelection();
  });
  // Return or a double click on a command goes on to record its key.
  QObject::connect(d->tree, &QTreeWidget::itemActivated, this, [d] {
    if (d->keys->isEnabled()) d->keys->setFocus();
  });
  QObject::connect(d->keys, &QKeySequenceEdit::keySequenceChanged, this,
                   [d](const QKeySequence& sequence) { d->ShowClashes(sequence); });
  // Clear is the only way to no key: a recording that ends empty changes
  // nothing.
  QObject::connect(d->keys, &QKeySequenceEdit::editingFinished, this, [d] {
    if (d->keys->keySequence().isEmpty()) {
      d->keys->setKeySequence(d->keys->held);
      return;
    }
    if (d->keys->keySequence() != d->keys->held) d->Assign(d->keys->keySequence());
  });
  QObject::connect(d->clear, &QPushButton::clicked, this, [d] { d->Assign({}); });
  QObject::connect(d->reset, &QPushButton::clicked, this, [this, d] {
    oxString action, reason;
    Profile* profile = d->Selected(&action);
    const bool kept = !profile || UserShortcuts::ResetShortcut(profile, action, &reason);
    Refresh();
    d->TellNotKept(kept, reason);
  });
  QObject::connect(resetAll, &QPushButton::clicked, this, [this, d] {
    const auto answer = QMessageBox::question(
        this, TranslateLibraryQText("Reset All Shortcuts"),
        TranslateLibraryQText("Give every command the key its profile declared?"));
    if (answer != QMessageBox::Yes) return;
    oxString reason;
    const bool kept = UserShortcuts::ResetAll(&reason);
    Refresh();
    d->TellNotKept(kept, reason);
  });
  QObject::connect(import, &QPushButton::clicked, this, [d] { d->Import(); });
  QObject::connect(exportButton, &QPushButton::clicked, this, [d] { d->Export(); });
  QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  d->filter->setFocus();
  if (ProfileManager* manager = ProfileManager::Get()) {
    manager->OnProfileActivated().Connect(d, &Internal::HandleProfileActivated);
  }
  Refresh();
}

ShortcutsDialog::~ShortcutsDialog() { delete internal_; }

// The commands of the active chain, keyed or not, then the keys in force of
// actions of no profile (the application's own), which are not edited here.
void ShortcutsDialog::Refresh() {
  Internal* d = internal_;
  oxString selectedAction;
  const Profile* selected = d->Selected(&selectedAction);
  d->refreshing = true;
  d->tree->setSortingEnabled(false);
  d->tree->clear();
  const oxStlVector<ShortcutEntry> inForce = GetShortcutsInForce();
  auto isConflicting = [&inForce](const QAction* action) {
    return std::any_of(inForce.begin(), inForce.end(), [action](const ShortcutEntry& entry) {
      return entry.action == action && entry.conflicting;
    });
  };
  const QBrush conflictBrush(Qt::red);
  // Where each command is picked ("File › New"), as the palette says it:
  // commands of the same name in different menus read apart.
  std::unordered_map<const QAction*, QString> places;
  for (const PaletteCommand& command : CollectPaletteCommands(true)) places.emplace(command.action, command.place);
  auto addRow = [&](const QString& key, const QString& command, const oxString& action,
                    const oxString& profile, bool conflicting, const QAction* qaction) {
    auto* item = new QTreeWidgetItem(d->tree);
    item->setText(kKey, key);
    item->setText(kCommand, command);
    if (const auto place = places.find(qaction); place != places.end()) item->setText(kPlace, place->second);
    item->setText(kAction, uiStr(action));
    item->setText(kProfile, uiStr(profile));
    item->setData(kKey, kConflictRole, conflicting);
    if (conflicting) {
      for (int column = 0; column < kColumns; ++column) item->setForeground(column, conflictBrush);
      item->setToolTip(kKey, TranslateLibraryQText("Held by more than one action"));
    }
    return item;
  };
  Profile* active = ProfileManager::Get() ? ProfileManager::Get()->GetActiveProfile() : nullptr;
  const oxStlVector<Profile*> chain = active ? GetBaseChainProfiles(active) : oxStlVector<Profile*>();
  QTreeWidgetItem* reselect = nullptr;
  for (const UserShortcuts::Command& command : UserShortcuts::GetCommands()) {
    if (std::find(chain.begin(), chain.end(), command.profile) == chain.end()) continue;
    // Its replacement is listed instead: one row per command the user
    // reaches.
    if (UserShortcuts::IsReplaced(command.action)) continue;
    const QString text = uiPlainText(uiStr(command.action->GetText()));
    QTreeWidgetItem* item = addRow(NativeKeys(command.action->GetAccel()),
                                   text.isEmpty() ? uiStr(command.actionName) : text,
                                   command.actionName, command.profile->GetName(),
                                   isConflicting(command.action->GetUiAction()), command.action->GetUiAction());
    item->setData(kKey, kProfileRole, uiStr(command.profile->GetName()));
    item->setData(kKey, kActionRole, uiStr(command.actionName));
    if (command.profile == selected && command.actionName == selectedAction) reselect = item;
  }
  // The toggles of the chain's docks in force, whose keys come with their
  // dock items; they are not set here.
  for (Profile* profile : chain) {
    for (const DockWindow* window : GetDockWindows({profile})) {
      for (const DockEntry* entry : window->GetEntries()) {
        const Action* toggle = entry->toggleAction;
        if (!toggle || !entry->shown) continue;
        addRow(NativeKeys(toggle->GetAccel()), uiPlainText(uiStr(toggle->GetText())), entry->name,
               profile->GetName(), isConflicting(toggle->GetUiAction()), toggle->GetUiAction());
      }
    }
  }
  for (const ShortcutEntry& entry : inForce) {
    if (!entry.profileName.empty()) continue;
    addRow(NativeKeys(entry.key), uiStr(entry.command), entry.actionName, {}, entry.conflicting, entry.action);
  }
  d->tree->setSortingEnabled(true);
  d->tree->sortByColumn(kCommand, Qt::AscendingOrder);
  d->tree->header()->resizeSections(QHeaderView::ResizeToContents);
  d->ApplyFilter();
  if (reselect) d->tree->setCurrentItem(reselect);
  d->refreshing = false;
  d->ShowSelection();
}

void ShortcutsDialog::SetFilter(const oxString& text) { internal_->filter->setText(uiStr(text)); }

int ShortcutsDialog::CountShownRows() const {
  int shown = 0;
  for (int i = 0; i < internal_->tree->topLevelItemCount(); ++i) {
    if (!internal_->tree->topLevelItem(i)->isHidden()) ++shown;
  }
  return shown;
}

int ShortcutsDialog::CountShownConflicts() const {
  int shown = 0;
  for (int i = 0; i < internal_->tree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = internal_->tree->topLevelItem(i);
    if (!item->isHidden() && item->data(kKey, kConflictRole).toBool()) ++shown;
  }
  return shown;
}

bool ShortcutsDialog::SelectCommand(const oxString& profileName, const oxString& actionName) {
  for (int i = 0; i < internal_->tree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = internal_->tree->topLevelItem(i);
    if (item->data(kKey, kProfileRole).toString() == uiStr(profileName) &&
        item->data(kKey, kActionRole).toString() == uiStr(actionName)) {
      internal_->tree->setCurrentItem(item);
      return true;
    }
  }
  return false;
}

oxString ShortcutsDialog::GetClashText() const { return oxStr(internal_->clashes->text()); }

}  // namespace fwg
