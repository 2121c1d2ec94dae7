// The standard edit commands on whatever text widget of the main window has
// the keyboard: a document's view (QPlainTextEdit, QTextEdit, QLineEdit), or
// a dock's. A profile routes its actions once; they then undo, cut, paste
// and so on in that widget, and are enabled as its state allows (Undo while
// it has something to undo, Cut and Copy while text is selected, Paste
// while it is writable and the clipboard holds text), without a line of the
// client's. With the keyboard elsewhere (the project tree, a sketch) they
// are disabled.
//
// A client with edit logic of its own (an undo stack of its documents)
// says so by replacing the routed actions in its profile
// (`Profile::ReplaceAction("undo")`): while its profile is in force, its
// replacement is the command and the routed action is out of force.
//
//   fwg::Action* undo = AddAction("undo", "&Undo", "undo.png", "Ctrl+Z");
//   fwg::EditCommands::Route(undo, fwg::EditCommands::Undo);
#pragma once

namespace fwg {

class Action;

class EditCommands {
 public:
  enum Command { Undo, Redo, Cut, Copy, Paste, SelectAll };

  // From now on `action` does `command` on the text widget with the
  // keyboard and is enabled as that widget allows. An action may be routed
  // once; a deleted action leaves the routing.
  static void Route(Action* action, Command command);
  // Does the command on the text widget with the keyboard; false when no
  // text widget of the main window has it or the widget cannot do it now.
  static bool Run(Command command);
  // Whether the command can run now.
  static bool CanRun(Command command);

  EditCommands() = delete;
};

}  // namespace fwg
