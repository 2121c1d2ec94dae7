#include "fwg/shell/EditCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <vector>

#include "fwg/Parts.h"
#include "fwg/actions/Action.h"
#include "fwg/shell/CommandPalette.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

namespace {

bool IsTextWidget(const QWidget* widget) {
  return qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
         qobject_cast<const QLineEdit*>(widget);
}

bool ClipboardHasText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

// What a text widget can do now; the two multi-line kinds share QTextDocument.
template <class Edit>
bool CanRunOnDocument(const Edit* edit, EditCommands::Command command) {
  const bool writable = !edit->isReadOnly();
  const QTextDocument* document = edit->document();
  switch (command) {
    case EditCommands::Undo: return writable && document->isUndoAvailable();
    case EditCommands::Redo: return writable && document->isRedoAvailable();
    case EditCommands::Cut: return writable && edit->textCursor().hasSelection();
    case EditCommands::Copy: return edit->textCursor().hasSelection();
    case EditCommands::Paste: return writable && edit->canPaste();
    case EditCommands::SelectAll: return !document->isEmpty();
  }
  return false;
}

bool CanRunOn(const QWidget* widget, EditCommands::Command command) {
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) return CanRunOnDocument(plain, command);
  if (const auto* rich = qobject_cast<const QTextEdit*>(widget)) return CanRunOnDocument(rich, command);
  const auto* line = qobject_cast<const QLineEdit*>(widget);
  if (!line) return false;
  const bool writable = !line->isReadOnly();
  // A password field gives nothing away.
  const bool shown = line->echoMode() == QLineEdit::Normal;
  switch (command) {
    case EditCommands::Undo: return writable && line->isUndoAvailable();
    case EditCommands::Redo: return writable && line->isRedoAvailable();
    case EditCommands::Cut: return writable && shown && line->hasSelectedText();
    case EditCommands::Copy: return shown && line->hasSelectedText();
    case EditCommands::Paste: return writable && ClipboardHasText();
    case EditCommands::SelectAll: return !line->text().isEmpty();
  }
  return false;
}

template <class Edit>
void RunOn(Edit* edit, EditCommands::Command command) {
  switch (command) {
    case EditCommands::Undo: return edit->undo();
    case EditCommands::Redo: return edit->redo();
    case EditCommands::Cut: return edit->cut();
    case EditCommands::Copy: return edit->copy();
    case EditCommands::Paste: return edit->paste();
    case EditCommands::SelectAll: return edit->selectAll();
  }
}

// Follows the keyboard: the text widget of the main window that has it is
// the target, and the routed actions follow its state.
class Router : public QObject {
 public:
  Router() {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &Router::Update);
    Follow(QApplication::focusWidget());
  }

  void Add(QAction* action, EditCommands::Command command) {
    std::erase_if(routed_, [](const Routed& r) { return r.action.isNull(); });
    for (const Routed& r : routed_) {
      if (r.action == action) return;
    }
    routed_.push_back({action, command});
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    action->setEnabled(CanRun(command));
  }

  bool CanRun(EditCommands::Command command) const { return target_ && CanRunOn(target_, command); }

  bool Run(EditCommands::Command command) {
    if (!CanRun(command)) return false;
    if (auto* plain = qobject_cast<QPlainTextEdit*>(target_)) RunOn(plain, command);
    if (auto* rich = qobject_cast<QTextEdit*>(target_)) RunOn(rich, command);
    if (auto* line = qobject_cast<QLineEdit*>(target_)) RunOn(line, command);
    Update();
    return true;
  }

 private:
  struct Routed {
    QPointer<QAction> action;
    EditCommands::Command command;
  };

  // The menu bar and menus take the keyboard while a person walks them
  // (F10, Alt), and a popup (the command palette) holds it while it is
  // open: the commands are for the widget the keyboard comes back to. So
  // does the application losing the keyboard to another program.
  static bool KeepsTarget(const QWidget* now) {
    const CommandPalette* palette = CommandPalette::Get();
    return !now || qobject_cast<const QMenuBar*>(now) || qobject_cast<const QMenu*>(now) ||
           now->window()->windowType() == Qt::Popup || (palette && palette->isAncestorOf(now));
  }

  void Follow(QWidget* now) {
    if (KeepsTarget(now)) return;
    const uiMainWindow* window = FindMainWindow();
    QWidget* target = IsTextWidget(now) && window && window->isAncestorOf(now) ? now : nullptr;
    if (target == target_) return;
    if (target_) disconnect(target_, nullptr, this, nullptr);
    target_ = target;
    if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) Watch(plain);
    if (auto* rich = qobject_cast<QTextEdit*>(target)) Watch(rich);
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
      connect(line, &QLineEdit::textChanged, this, &Router::Update);
      connect(line, &QLineEdit::selectionChanged, this, &Router::Update);
    }
    if (target) connect(target, &QObject::destroyed, this, &Router::Update);
    Update();
  }

  template <class Edit>
  void Watch(Edit* edit) {
    connect(edit, &Edit::undoAvailable, this, &Router::Update);
    connect(edit, &Edit::redoAvailable, this, &Router::Update);
    connect(edit, &Edit::copyAvailable, this, &Router::Update);
    connect(edit, &Edit::textChanged, this, &Router::Update);
  }

  void Update() {
    for (const Routed& r : routed_) {
      if (r.action) r.action->setEnabled(CanRun(r.command));
    }
  }

  QPointer<QWidget> target_;
  std::vector<Routed> routed_;
};

// Lives as long as the application: the focus it follows is the application's.
Router* GetRouter() {
  static QPointer<Router> router;
  if (!router && qApp) {
    router = new Router;
    router->setParent(qApp);
  }
  return router;
}

}  // namespace

void EditCommands::Route(Action* action, Command command) {
  Router* router = GetRouter();
  if (action && router) router->Add(action->GetUiAction(), command);
}

bool EditCommands::Run(Command command) {
  Router* router = GetRouter();
  return router && router->Run(command);
}

bool EditCommands::CanRun(Command command) {
  const Router* router = GetRouter();
  return router && router->CanRun(command);
}

}  // namespace fwg
