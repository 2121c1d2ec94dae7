// A dock for typing JavaScript into the running application: a line to
// type in (Up and Down walk the history), the results and errors above it,
// and below them what the script engine reports meanwhile (a handler that
// throws, a script stopped). Scripts reach the application as the global
// object "app" (fwg/shell/ScriptApp.h).
// A profile docks it as any registered widget: the library registers its
// maker under S_WidgetName(), and its constructor fits oxaw::WidgetCreator.
#pragma once

#include <QWidget>

#include "platform/ui/uiWidget.h"

namespace fwg {

class ScriptConsole : public uiWidgetT<QWidget> {
  Q_OBJECT
  UI_OBJECT(ScriptConsole, uiWidget)

 public:
  // "ScriptConsole".
  static const char* S_WidgetName();

  ScriptConsole(uiWidget* parent, const oxString& name, int flags = 0);
  ~ScriptConsole() override;
  ScriptConsole(const ScriptConsole&) = delete;
  ScriptConsole& operator=(const ScriptConsole&) = delete;

  // Runs the text as the Enter key does: echoed, then its result or error.
  // The result's text; `failed` tells an error.
  oxString Run(const oxString& text, bool* failed = nullptr);
  // What the console shows above its input line.
  oxString GetOutput() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Opened (its dock shown), it takes the keyboard: a person opens it to type.
  void showEvent(QShowEvent* event) override;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
