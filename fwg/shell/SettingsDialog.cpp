#include "fwg/shell/SettingsDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "fwg/LibraryTexts.h"
#include "fwg/Parts.h"
#include "fwg/shell/SettingsPage.h"
#include "platform/oxapp/Application.h"
#include "platform/settings/oxSettings.h"
#include "platform/signals/oxSignal.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

namespace {

QPointer<SettingsDialog>& GetOpen() {
  static QPointer<SettingsDialog> dialog;
  return dialog;
}

oxString& GetLastPage() {
  static oxString name;
  return name;
}

QString Q(const oxString& text) { return QString::fromStdString(text); }

QString WithoutMnemonic(QString text) {
  text.replace(QLatin1String("&&"), QString(QChar(1)));
  text.remove(u'&');
  text.replace(QChar(1), u'&');
  return text;
}

// Every text a person reads on the page's widget.
QStringList TextsOn(const QWidget* widget) {
  QStringList texts;
  for (const QLabel* label : widget->findChildren<QLabel*>()) texts << WithoutMnemonic(label->text());
  for (const QAbstractButton* button : widget->findChildren<QAbstractButton*>()) {
    texts << WithoutMnemonic(button->text());
  }
  for (const QGroupBox* box : widget->findChildren<QGroupBox*>()) texts << WithoutMnemonic(box->title());
  for (const QComboBox* box : widget->findChildren<QComboBox*>()) {
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
  }
  return texts;
}

bool PageHolds(const SettingsPage* page, const QString& text) {
  if (text.isEmpty()) return true;
  QStringList texts{Q(page->GetName()), Q(page->GetCategory())};
  for (const oxString& word : page->GetKeywords()) texts << WithoutMnemonic(Q(word));
  if (const QWidget* widget = page->GetWidget()) texts << TextsOn(widget);
  for (const QString& each : texts) {
    if (each.contains(text, Qt::CaseInsensitive)) return true;
  }
  return false;
}

}  // namespace

struct SettingsDialog::Internal : oxListener<single_threaded> {
  SettingsDialog* owner = nullptr;
  QLineEdit* filter = nullptr;
  QTreeWidget* list = nullptr;
  QStackedWidget* stack = nullptr;
  QLabel* empty = nullptr;  // shown while no page is
  QLabel* problem = nullptr;
  QFileSystemWatcher watcher;
  bool readPending = false;

  QTreeWidgetItem* FindItem(const oxString& name) const {
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      QTreeWidgetItem* category = list->topLevelItem(i);
      for (int j = 0; j < category->childCount(); ++j) {
        if (category->child(j)->data(0, Qt::UserRole).toString() == Q(name)) return category->child(j);
      }
    }
    return nullptr;
  }
  void FillList();
  void ApplyFilter();
  void Show(SettingsPage* page);
  void Watch();
  void TellProblem(const oxString& text) {
    problem->setText(Q(text));
    problem->setVisible(!text.empty());
  }
};

void SettingsDialog::Internal::FillList() {
  const oxString current = GetLastPage();
  {
    // Rebuilt without showing pages on the way; the widgets of pages that
    // went are gone with them, the stack keeps the rest.
    const QSignalBlocker blocker(list);
    list->clear();
    for (SettingsPage* page : SettingsPages::GetPages()) {
      QTreeWidgetItem* category = nullptr;
      for (int i = 0; i < list->topLevelItemCount() && !category; ++i) {
        if (list->topLevelItem(i)->text(0) == Q(page->GetCategory())) category = list->topLevelItem(i);
      }
      if (!category) {
        category = new QTreeWidgetItem(list, {Q(page->GetCategory())});
        category->setFlags(Qt::ItemIsEnabled);
        QFont bold = category->font(0);
        bold.setBold(true);
        category->setFont(0, bold);
      }
      auto* item = new QTreeWidgetItem(category, {Q(page->GetName())});
      item->setIcon(0, page->GetIcon());
      item->setData(0, Qt::UserRole, Q(page->GetName()));
    }
    list->expandAll();
  }
  if (QTreeWidgetItem* item = FindItem(current)) list->setCurrentItem(item);
  ApplyFilter();
}

void SettingsDialog::Internal::ApplyFilter() {
  const QString text = filter->text().trimmed();
  QTreeWidgetItem* firstShown = nullptr;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    QTreeWidgetItem* category = list->topLevelItem(i);
    bool any = false;
    for (int j = 0; j < category->childCount(); ++j) {
      QTreeWidgetItem* item = category->child(j);
      const SettingsPage* page = SettingsPages::Find(item->data(0, Qt::UserRole).toString().toStdString());
      const bool shown = page && PageHolds(page, text);
      item->setHidden(!shown);
      if (shown && !firstShown) firstShown = item;
      any = any || shown;
    }
    category->setHidden(!any);
  }
  // The page on the right is always one the list shows.
  QTreeWidgetItem* current = list->currentItem();
  if (current && current->isHidden()) current = nullptr;
  if (!current && firstShown) list->setCurrentItem(firstShown);
  if (!firstShown) Show(nullptr);
}

void SettingsDialog::Internal::Show(SettingsPage* page) {
  if (!page) {
    stack->setCurrentWidget(empty);
    return;
  }
  QWidget* widget = page->GetWidget();
  if (!widget) {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    widget = page->MakeWidget(scroll);
    if (!widget) return;
    scroll->setWidget(widget);
    // The scroll area goes with the page's widget.
    QObject::connect(widget, &QObject::destroyed, scroll, &QObject::deleteLater);
    stack->addWidget(scroll);
    // Tab goes from the list into the page, whenever the page was made.
    scroll->setFocusPolicy(Qt::NoFocus);
    QWidget* previous = list;
    for (QWidget* child : widget->findChildren<QWidget*>()) {
      if (!(child->focusPolicy() & Qt::TabFocus)) continue;
      QWidget::setTabOrder(previous, child);
      previous = child;
    }
  }
  QWidget* holder = widget->parentWidget();
  while (holder && holder->parentWidget() != stack) holder = holder->parentWidget();
  if (holder) stack->setCurrentWidget(holder);
  GetLastPage() = page->GetName();
}

void SettingsDialog::Internal::Watch() {
  const QString file = Q(oxapp::Application::Get()->GetSettings()->GetFilePath());
  if (file.isEmpty()) return;
  // The file is replaced, not written in place: its folder tells of that,
  // and of a file that did not exist yet.
  const QString folder = QFileInfo(file).absolutePath();
  QDir().mkpath(folder);
  if (!watcher.directories().contains(folder)) watcher.addPath(folder);
  if (QFileInfo::exists(file) && !watcher.files().contains(file)) watcher.addPath(file);
}

SettingsDialog* SettingsDialog::Open(const oxString& pageName) {
  SettingsPages::AddHostPages();
  SettingsDialog* dialog = GetOpen();
  if (!dialog) dialog = new SettingsDialog;
  if (!pageName.empty()) dialog->ShowPage(pageName);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  return dialog;
}

SettingsDialog* SettingsDialog::Get() { return GetOpen(); }

QKeySequence SettingsDialog::GetShortcut() {
  const QKeySequence platform(QKeySequence::Preferences);
  return platform.isEmpty() ? QKeySequence(Qt::CTRL | Qt::Key_Comma) : platform;
}

SettingsDialog::SettingsDialog(QWidget* parent)
    : QDialog(parent ? parent : FindMainWindow()), internal_(new Internal) {
  Internal* d = internal_;
  d->owner = this;
  GetOpen() = this;
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(TranslateLibraryQText("Settings"));
  resize(760, 520);

  d->filter = new QLineEdit(this);
  d->filter->setPlaceholderText(TranslateLibraryQText("Find a setting"));
  d->filter->setClearButtonEnabled(true);
  d->list = new QTreeWidget(this);
  d->list->setHeaderHidden(true);
  d->list->setRootIsDecorated(false);
  d->list->setMinimumWidth(180);
  d->stack = new QStackedWidget(this);
  d->empty = new QLabel(TranslateLibraryQText("No page holds that text."), d->stack);
  d->empty->setAlignment(Qt::AlignCenter);
  d->stack->addWidget(d->empty);
  d->problem = new QLabel(this);
  d->problem->setWordWrap(true);
  d->problem->setStyleSheet("color: #b00020; font-weight: bold");
  d->problem->hide();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                           QDialogButtonBox::Apply | QDialogButtonBox::RestoreDefaults,
                                       this);
  auto* left = new QWidget(this);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->addWidget(d->filter);
  leftLayout->addWidget(d->list);
  auto* split = new QSplitter(this);
  split->addWidget(left);
  split->addWidget(d->stack);
  split->setStretchFactor(1, 1);
  split->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(split, 1);
  layout->addWidget(d->problem);
  layout->addWidget(buttons);

  connect(d->filter, &QLineEdit::textChanged, this, [d] { d->ApplyFilter(); });
  connect(d->list, &QTreeWidget::currentItemChanged, this, [d](QTreeWidgetItem* item) {
    const QString name = item ? item->data(0, Qt::UserRole).toString() : QString();
    if (!name.isEmpty()) d->Show(SettingsPages::Find(name.toStdString()));
  });
  connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, [this] {
    if (ApplyAll()) accept();
  });
  connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { ApplyAll(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this, [this] {
    if (SettingsPage* page = GetCurrentPage()) page->LoadDefaults();
  });
  connect(&d->watcher, &QFileSystemWatcher::fileChanged, this, [d] { d->readPending = true; });
  connect(&d->watcher, &QFileSystemWatcher::directoryChanged, this, [d] { d->readPending = true; });
  // Each write of the file may tell more than once: read once for them all.
  const auto read = [d] {
    if (!d->readPending) return;
    d->readPending = false;
    d->Watch();
    SettingsPages::ReadOutsideChanges();
  };
  connect(&d->watcher, &QFileSystemWatcher::fileChanged, this, read, Qt::QueuedConnection);
  connect(&d->watcher, &QFileSystemWatcher::directoryChanged, this, read, Qt::QueuedConnection);
  SettingsPages::OnPagesChanged().Connect(d, [d] { d->FillList(); });
  d->Watch();
  d->FillList();
  d->filter->setFocus();
}

// The pages' widgets go with the dialog, as its children; the next dialog
// makes them again.
SettingsDialog::~SettingsDialog() { delete internal_; }

bool SettingsDialog::ShowPage(const oxString& name) {
  QTreeWidgetItem* item = internal_->FindItem(name);
  if (!item) return false;
  if (item->isHidden()) internal_->filter->clear();
  internal_->list->setCurrentItem(item);
  internal_->Show(SettingsPages::Find(name));
  return true;
}

SettingsPage* SettingsDialog::GetCurrentPage() const {
  const QTreeWidgetItem* item = internal_->list->currentItem();
  if (!item || item->isHidden() || internal_->stack->currentWidget() == internal_->empty) return nullptr;
  return SettingsPages::Find(item->data(0, Qt::UserRole).toString().toStdString());
}

void SettingsDialog::SetFilter(const oxString& text) { internal_->filter->setText(Q(text)); }

oxStlVector<oxString> SettingsDialog::GetListedPageNames() const {
  oxStlVector<oxString> names;
  for (int i = 0; i < internal_->list->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* category = internal_->list->topLevelItem(i);
    for (int j = 0; j < category->childCount(); ++j) {
      if (!category->child(j)->isHidden()) names.push_back(category->child(j)->text(0).toStdString());
    }
  }
  return names;
}

bool SettingsDialog::ApplyAll() {
  oxStlVector<SettingsPage*> edited;
  for (SettingsPage* page : SettingsPages::GetPages()) {
    if (page->GetWidget() && page->IsEdited()) edited.push_back(page);
  }
  // Every page is checked before any is stored: refused input changes nothing.
  for (SettingsPage* page : edited) {
    const oxString problem = page->Check();
    if (problem.empty()) continue;
    ShowPage(page->GetName());
    internal_->TellProblem(problem);
    return false;
  }
  internal_->TellProblem({});
  for (SettingsPage* page : edited) page->Store();
  return true;
}

oxString SettingsDialog::GetProblemText() const {
  return internal_->problem->isHidden() ? oxString() : internal_->problem->text().toStdString();
}

}  // namespace fwg
