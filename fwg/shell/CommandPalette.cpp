#include "fwg/shell/CommandPalette.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <iostream>

#include "fwg/LibraryTexts.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/ShortcutConflicts.h"
#include "fwg/profiles/ShortcutScheme.h"
#include "fwg/shell/Gui.h"
#include "platform/oxapp/Application.h"
#include "platform/settings/oxSettings.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"

namespace fwg {

namespace {

const char kObjectName[] = "CommandPalette";
const char kSettingsSection[] = "CommandPalette";
const char kSettingsKey[] = "Shortcut";
const char kDefaultShortcut[] = "Ctrl+Shift+P";
constexpr int kRecentKept = 32;
constexpr int kRowsShown = 12;


// False for text that names no key; "" is no key at all, and valid.
// The keys as the user's keys are read (ShortcutScheme::ReadKeys); false
// with what is wrong in `problem`.
bool ParseKeys(const oxString& text, QKeySequence* sequence, oxString* problem) {
  oxString keys;
  if (!ShortcutScheme::ReadKeys(text, &keys, problem)) return false;
  *sequence = QKeySequence::fromString(uiStr(keys), QKeySequence::PortableText);
  return true;
}

oxSettings* PaletteSettings(bool create) {
  oxSettings* settings = oxapp::Application::Get()->GetSettings();
  return settings ? settings->GetSection(kSettingsSection, create, true) : nullptr;
}

// The listed commands as rows: text (with icon and check box), place,
// shortcut.
class PaletteModel : public QAbstractTableModel {
 public:
  explicit PaletteModel(QObject* parent) : QAbstractTableModel(parent) {}

  void SetRows(const oxStlVector<PaletteCommand>* commands, const std::vector<int>* rows) {
    beginResetModel();
    commands_ = commands;
    rows_ = rows;
    endResetModel();
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() || !rows_ ? 0 : static_cast<int>(rows_->size());
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 3; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || !rows_ || index.row() >= static_cast<int>(rows_->size())) return {};
    const PaletteCommand& command = (*commands_)[(*rows_)[index.row()]];
    switch (role) {
      case Qt::DisplayRole:
        if (index.column() == 0) return command.text;
        return index.column() == 1 ? command.place : command.shortcut;
      case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(command.icon) : QVariant();
      case Qt::CheckStateRole:
        if (index.column() != 0 || !command.checkable) return {};
        return command.checked ? Qt::Checked : Qt::Unchecked;
      case Qt::TextAlignmentRole:
        if (index.column() != 2) return {};
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
      case Qt::ForegroundRole:
        if (index.column() == 0) return {};
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
      default:
        return {};
    }
  }

 private:
  const oxStlVector<PaletteCommand>* commands_ = nullptr;
  const std::vector<int>* rows_ = nullptr;
};

}  // namespace

struct CommandPalette::Internal : oxListener<single_threaded> {
  CommandPalette* owner = nullptr;
  uiMainWindow* window = nullptr;
  QLineEdit* edit = nullptr;
  QTreeView* view = nullptr;
  QLabel* none = nullptr;  // in the list's place while nothing matches
  PaletteModel* model = nullptr;
  QAction* openAction = nullptr;  // in the window's action list, for its key
  PaletteFilter filter;
  const std::vector<int>* rows = nullptr;
  oxStlVector<QPointer<QAction>> recent;  // last run first
  QPointer<QWidget> focusBefore;

  void Refilter(const QString& query);
  void Select(int row);
  void Run();
  void Remember(QAction* action);
  int RecencyOf(const QAction* action) const;
  void Place();
  // The line and the list, made when the palette first opens: start-up
  // does not pay for a view nobody opened.
  void MakeWidgets();
  void HandleProfileActivated(Profile*) { owner->Close(); }
};

void CommandPalette::Internal::MakeWidgets() {
  if (edit) return;
  edit = new QLineEdit(owner);
  edit->setPlaceholderText(TranslateLibraryQText("Type the name of a command"));
  edit->installEventFilter(owner);
  view = new QTreeView(owner);
  model = new PaletteModel(owner);
  view->setModel(model);
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setHeaderHidden(true);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setFocusPolicy(Qt::NoFocus);  // the keys stay in the line edit
  view->header()->setStretchLastSection(true);
  auto* layout = new QVBoxLayout(owner);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  none = new QLabel(TranslateLibraryQText("No matching command"), owner);
  none->setAlignment(Qt::AlignCenter);
  none->setEnabled(false);
  none->hide();
  layout->addWidget(edit);
  layout->addWidget(view);
  layout->addWidget(none);
  QObject::connect(edit, &QLineEdit::textChanged, owner,
                   [this](const QString& text) { Refilter(text); });
  QObject::connect(view, &QAbstractItemView::clicked, owner, [this](const QModelIndex& index) {
    Select(index.row());
    Run();
  });
}

void CommandPalette::Internal::Refilter(const QString& query) {
  rows = &filter.Filter(query, [this](const QAction* action) { return RecencyOf(action); });
  model->SetRows(&filter.GetCommands(), rows);
  Select(rows->empty() ? -1 : 0);
  // Said in words: an empty list reads as a palette that does not work.
  view->setVisible(!rows->empty());
  none->setVisible(rows->empty());
  // The popup follows the length of the list; a height that stays spares
  // the window a relayout.
  if (owner->IsOpen()) Place();
}

void CommandPalette::Internal::Select(int row) {
  if (row < 0) {
    view->setCurrentIndex({});
    return;
  }
  const QModelIndex index = model->index(row, 0);
  view->setCurrentIndex(index);
  view->scrollTo(index);
}

// Closed first, as a menu closes before its item triggers, so that what the
// command opens gets the focus and a command that switches profiles finds
// the palette gone.
void CommandPalette::Internal::Run() {
  const int row = owner->GetCurrentRow();
  if (row < 0) return;
  const QPointer<QAction> action = filter.GetCommands()[(*rows)[row]].action;
  owner->Close();
  if (!action || !action->isEnabled() || !action->isVisible()) return;
  Remember(action);
  // What a menu item does with its action (uiMenuData) and a tool button
  // with its own (uiAction::Activate).
  action->activate(QAction::Trigger);
}

void CommandPalette::Internal::Remember(QAction* action) {
  recent.erase(std::remove_if(recent.begin(), recent.end(),
                              [action](const QPointer<QAction>& p) { return !p || p == action; }),
               recent.end());
  recent.insert(recent.begin(), action);
  if (recent.size() > kRecentKept) recent.resize(kRecentKept);
}

int CommandPalette::Internal::RecencyOf(const QAction* action) const {
  for (size_t i = 0; i < recent.size(); ++i) {
    if (recent[i] == action) return static_cast<int>(i);
  }
  return -1;
}

// Centred near the top of the window, over the central area.
void CommandPalette::Internal::Place() {
  const int width = std::clamp(window->width() * 3 / 5, 360, 760);
  const int rowHeight = std::max(view->sizeHintForRow(0), view->fontMetrics().height() + 6);
  const int rows = std::clamp(model->rowCount({}), 1, kRowsShown);
  const int height = edit->sizeHint().height() + rows * rowHeight + 24;
  const QWidget* bar = window->menuWidget();
  const int top = (bar && bar->isVisible() ? bar->geometry().bottom() : 0) + 8;
  const QRect geometry((window->width() - width) / 2, top, width, height);
  // The keys are read whole (German names them at length), with the
  // margins a cell draws around its text; text and place share the rest of
  // the list's inside.
  int keys = 0;
  for (const PaletteCommand& command : filter.GetCommands()) {
    keys = std::max(keys, view->fontMetrics().horizontalAdvance(command.shortcut));
  }
  const QStyle* style = view->style();
  keys += 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 8;
  const QMargins margins = owner->layout()->contentsMargins();
  const int inside = width - margins.left() - margins.right() - 2 * view->frameWidth() -
                     style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
  const int rest = std::max(inside * 45 / 100, inside - keys);
  if (geometry == owner->geometry() && view->columnWidth(0) == rest * 58 / 100) return;
  owner->setGeometry(geometry);
  view->setColumnWidth(0, rest * 58 / 100);
  view->setColumnWidth(1, rest - rest * 58 / 100);
}

CommandPalette* CommandPalette::Install() {
  if (CommandPalette* palette = Get()) return palette;
  uiMainWindow* window = Gui::Get()->GetMainWindow();
  return window ? new CommandPalette(window) : nullptr;
}

CommandPalette* CommandPalette::Get() {
  uiMainWindow* window = uiManager::Get()->MainWindow();
  if (!window) return nullptr;
  return window->findChild<CommandPalette*>(kObjectName, Qt::FindDirectChildrenOnly);
}

CommandPalette::CommandPalette(uiMainWindow* window)
    : QFrame(window), internal_(new Internal) {
  Internal* d = internal_;
  d->owner = this;
  d->window = window;
  setObjectName(kObjectName);
  // A raised frame rather than a drop shadow: a shadow effect redraws the
  // whole popup through an off-screen blur on every keystroke.
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Raised);
  setLineWidth(2);
  setAutoFillBackground(true);

  QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (IsOpen() && now && now != this && !isAncestorOf(now)) Close();
  });
  ProfileManager::Get()->OnProfileActivated().Connect(d, &Internal::HandleProfileActivated);

  d->openAction = new QAction(TranslateLibraryQText("Command Palette"), this);
  d->openAction->setObjectName(kObjectName);
  d->openAction->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(d->openAction, &QAction::triggered, this, [this] { Open(); });
  window->addAction(d->openAction);

  oxString keys = kDefaultShortcut;
  if (const oxSettings* settings = PaletteSettings(false); settings && settings->Has(kSettingsKey)) {
    keys = settings->Get(kSettingsKey).GetString();
  }
  QKeySequence sequence;
  oxString problem;
  if (!ParseKeys(keys, &sequence, &problem)) {
    std::cerr << "fwg: CommandPalette: the key in the settings: " << problem << "; " << kDefaultShortcut
              << " is used" << std::endl;
    ParseKeys(kDefaultShortcut, &sequence, &problem);
  }
  // A profile's own command for the palette (a Help menu entry) may hold
  // the same key: then that is the one command, listed once.
  SetYieldingShortcut(d->openAction, sequence);
  hide();
}

// The window's teardown moves the focus while this object is half gone:
// focus changes must not reach it any more.
CommandPalette::~CommandPalette() {
  QObject::disconnect(qApp, nullptr, this, nullptr);
  delete internal_;
  internal_ = nullptr;
}

void CommandPalette::Open() {
  Internal* d = internal_;
  if (!IsOpen()) d->focusBefore = QApplication::focusWidget();
  d->MakeWidgets();
  d->filter.SetCommands(CollectPaletteCommands());
  d->edit->blockSignals(true);
  d->edit->clear();
  d->edit->blockSignals(false);
  d->Refilter({});
  d->Place();
  show();
  raise();
  d->edit->setFocus(Qt::PopupFocusReason);
}

void CommandPalette::Close() {
  Internal* d = internal_;
  if (!IsOpen()) return;
  hide();
  if (d->focusBefore) d->focusBefore->setFocus(Qt::PopupFocusReason);
  d->focusBefore = nullptr;
}

bool CommandPalette::IsOpen() const { return !isHidden(); }

oxString CommandPalette::GetShortcut() const {
  return oxStr(GetYieldingShortcut(internal_->openAction).toString(QKeySequence::PortableText));
}

bool CommandPalette::SetShortcut(const oxString& keys) {
  QKeySequence sequence;
  oxString problem;
  if (!ParseKeys(keys, &sequence, &problem)) {
    std::cerr << "fwg: CommandPalette::SetShortcut: " << problem << std::endl;
    return false;
  }
  SetYieldingShortcut(internal_->openAction, sequence);
  if (oxSettings* settings = PaletteSettings(true)) {
    settings->Set(kSettingsKey, oxVariant(oxStr(sequence.toString(QKeySequence::PortableText))));
  }
  return true;
}

oxStlVector<PaletteCommand> CommandPalette::GetListedCommands() const {
  oxStlVector<PaletteCommand> listed;
  if (!internal_->rows) return listed;
  for (const int index : *internal_->rows) listed.push_back(internal_->filter.GetCommands()[index]);
  return listed;
}

int CommandPalette::GetCurrentRow() const {
  if (!internal_->view) return -1;
  const QModelIndex index = internal_->view->currentIndex();
  return index.isValid() ? index.row() : -1;
}

bool CommandPalette::eventFilter(QObject* watched, QEvent* event) {
  Internal* d = internal_;
  if (watched != d->edit || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Escape:
      Close();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      d->Run();
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      // The list moves, the caret stays.
      const int count = d->model->rowCount({});
      if (count == 0) return true;
      const int page = kRowsShown - 1;
      int row = GetCurrentRow();
      if (key->key() == Qt::Key_Up) row -= 1;
      if (key->key() == Qt::Key_Down) row += 1;
      if (key->key() == Qt::Key_PageUp) row -= page;
      if (key->key() == Qt::Key_PageDown) row += page;
      d->Select(std::clamp(row, 0, count - 1));
      return true;
    }
    default:
      return false;
  }
}

}  // namespace fwg
