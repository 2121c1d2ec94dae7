#include "fwg/shell/ShortcutsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "fwg/LibraryTexts.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/ShortcutConflicts.h"
#include "platform/oxapp/Application.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"

namespace fwg {

namespace {

enum Column { kKey, kCommand, kAction, kProfile, kColumns };


}  // namespace

struct ShortcutsDialog::Internal : oxListener<single_threaded> {
  ShortcutsDialog* owner = nullptr;
  QLineEdit* filter = nullptr;
  QTreeWidget* tree = nullptr;
  QLabel* summary = nullptr;

  void ApplyFilter();
  void HandleProfileActivated(Profile*) { owner->Refresh(); }
};

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
    if (shown && item->data(kKey, Qt::UserRole).toBool()) ++conflicts;
  }
  summary->setText(conflicts ? TranslateLibraryQText("Shortcuts marked in red are held by more than one "
                                         "action: pressing them triggers nothing.")
                             : QString());
  summary->setVisible(conflicts > 0);
}

ShortcutsDialog::ShortcutsDialog(QWidget* parent)
    : QDialog(parent ? parent : uiManager::Get()->MainWindow()), internal_(new Internal) {
  Internal* d = internal_;
  d->owner = this;
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(TranslateLibraryQText("Keyboard Shortcuts"));
  resize(640, 480);

  d->filter = new QLineEdit(this);
  d->filter->setPlaceholderText(TranslateLibraryQText("Filter by key, command or profile"));
  d->filter->setClearButtonEnabled(true);
  d->tree = new QTreeWidget(this);
  d->tree->setColumnCount(kColumns);
  d->tree->setHeaderLabels(
      {TranslateLibraryQText("Key"), TranslateLibraryQText("Command"), TranslateLibraryQText("Action"), TranslateLibraryQText("Profile")});
  d->tree->setRootIsDecorated(false);
  d->tree->setUniformRowHeights(true);
  d->tree->setSortingEnabled(true);
  d->summary = new QLabel(this);
  d->summary->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(d->filter);
  layout->addWidget(d->tree);
  layout->addWidget(d->summary);
  layout->addWidget(buttons);

  QObject::connect(d->filter, &QLineEdit::textChanged, this, [d] { d->ApplyFilter(); });
  QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  if (ProfileManager* manager = ProfileManager::Get()) {
    manager->OnProfileActivated().Connect(d, &Internal::HandleProfileActivated);
  }
  Refresh();
}

ShortcutsDialog::~ShortcutsDialog() { delete internal_; }

void ShortcutsDialog::Refresh() {
  Internal* d = internal_;
  d->tree->setSortingEnabled(false);
  d->tree->clear();
  const QBrush conflictBrush(Qt::red);
  for (const ShortcutEntry& entry : GetShortcutsInForce()) {
    auto* item = new QTreeWidgetItem(d->tree);
    item->setText(kKey, QKeySequence::fromString(uiStr(entry.key), QKeySequence::PortableText)
                            .toString(QKeySequence::NativeText));
    item->setText(kCommand, uiStr(entry.command));
    item->setText(kAction, uiStr(entry.actionName));
    item->setText(kProfile, uiStr(entry.profileName));
    item->setData(kKey, Qt::UserRole, entry.conflicting);
    if (entry.conflicting) {
      for (int column = 0; column < kColumns; ++column) item->setForeground(column, conflictBrush);
      item->setToolTip(kKey, TranslateLibraryQText("Held by more than one action"));
    }
  }
  d->tree->setSortingEnabled(true);
  d->tree->sortByColumn(kKey, Qt::AscendingOrder);
  d->tree->header()->resizeSections(QHeaderView::ResizeToContents);
  d->ApplyFilter();
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
    if (!item->isHidden() && item->data(kKey, Qt::UserRole).toBool()) ++shown;
  }
  return shown;
}

}  // namespace fwg
