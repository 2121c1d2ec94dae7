#include "fwg/shell/ScriptConsole.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "fwg/LibraryTexts.h"
#include "fwg/shell/InfoBar.h"
#include "platform/script/oxScriptEngine.h"

namespace fwg {

// The engine's reports end with the console.
struct ScriptConsole::Internal : oxListener<> {
  QPlainTextEdit* output = nullptr;
  QLineEdit* input = nullptr;
  QStringList history;
  int recalled = 0;  // history.size() while no entry is recalled
};

const char* ScriptConsole::S_WidgetName() { return "ScriptConsole"; }

namespace {

// A script that failed where nobody looks (a handler, with the console
// closed) is told in one bar of the main window, which the next failure
// updates rather than stacking bars; the console keeps every line.
void TellInBar(const oxString& line) {
  static QPointer<InfoBar> bar;
  constexpr int kMost = 300;
  QString text = QString::fromStdString(line);
  if (text.size() > kMost) text = text.left(kMost) + QStringLiteral("\u2026");
  text = TranslateLibraryQText("A script failed: %1").arg(text);
  if (bar) {
    bar->SetText(text.toStdString());
  } else {
    bar = InfoBar::Show(text.toStdString(), InfoBar::Error);
  }
}

}  // namespace

ScriptConsole::ScriptConsole(uiWidget* parent, const oxString& name, int)
    : uiWidgetT<QWidget>(uiImpl(parent)), internal_(new Internal) {
  SetName(name);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  internal_->output = new QPlainTextEdit(this);
  internal_->output->setReadOnly(true);
  internal_->input = new QLineEdit(this);
  internal_->input->setPlaceholderText("app.profiles()");
  internal_->input->installEventFilter(this);
  layout->addWidget(internal_->output);
  layout->addWidget(internal_->input);
  setFocusProxy(internal_->input);
  connect(internal_->input, &QLineEdit::returnPressed, this, [this] {
    const QString text = internal_->input->text();
    internal_->input->clear();
    if (text.trimmed().isEmpty()) return;
    Run(text.toStdString());
    // The next line goes into the console too: a command that made or
    // activated a document (app.newDocument) took the keyboard with it.
    // Also once the events it left behind are handled.
    const auto keep = [input = internal_->input] {
      if (input->isVisible() && input->window()->isActiveWindow()) input->setFocus(Qt::OtherFocusReason);
    };
    keep();
    QTimer::singleShot(0, internal_->input, keep);
  });
  oxScriptEngine::OnReport().Connect(internal_, [this](const oxString& line) {
    internal_->output->appendPlainText("! " + QString::fromStdString(line));
    if (!isVisible()) TellInBar(line);
  });
}

ScriptConsole::~ScriptConsole() { delete internal_; }

oxString ScriptConsole::Run(const oxString& text, bool* failed) {
  Internal& d = *internal_;
  d.history << QString::fromStdString(text);
  d.recalled = static_cast<int>(d.history.size());
  // Echoed first: what the line's handlers report comes after it. A
  // console that is only docked makes no engine.
  d.output->appendPlainText("> " + QString::fromStdString(text));
  bool error = false;
  const oxString result = oxScriptEngine::Get()->Evaluate(text, &error);
  d.output->appendPlainText((error ? "! " : "") + QString::fromStdString(result));
  if (failed) *failed = error;
  return result;
}

oxString ScriptConsole::GetOutput() const { return internal_->output->toPlainText().toStdString(); }

void ScriptConsole::showEvent(QShowEvent* event) {
  uiWidgetT<QWidget>::showEvent(event);
  internal_->input->setFocus(Qt::OtherFocusReason);
}

// Up and Down walk the history as shells do.
bool ScriptConsole::eventFilter(QObject* watched, QEvent* event) {
  Internal& d = *internal_;
  if (watched == d.input && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !d.history.isEmpty()) {
      d.recalled = std::clamp(d.recalled + (key == Qt::Key_Up ? -1 : 1), 0,
                              static_cast<int>(d.history.size()));
      d.input->setText(d.recalled < d.history.size() ? d.history[d.recalled] : QString());
      return true;
    }
  }
  return uiWidgetT<QWidget>::eventFilter(watched, event);
}

}  // namespace fwg
