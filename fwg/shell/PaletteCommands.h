// The commands the command palette offers, and the fuzzy filter that ranks
// them as the user types.
//
// A command is a toolkit action shown by the active profile chain: an item
// of the menu bar's menus, a button of one of the chain's toolbars, an item
// of one of the chain's context menus. Only entries a user could pick now
// count: visible and enabled, with visible and enabled menus above them.
#pragma once

#include <QIcon>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/core/oxTypes.h"

class QAction;
class uiAction;

namespace fwg {

struct PaletteCommand {
  QString text;      // as the menu shows it, without "&" markers
  QString place;     // "File › Recent Sessions", "Toolbar › Notes"
  QString shortcut;  // native text, "" for none
  QIcon icon;
  bool checkable = false;
  bool checked = false;
  QPointer<QAction> action;
};

// The active chain's commands: menus in menu-bar order, then toolbars, then
// context menus, then the application's own commands (HostCommands) whose
// keys no profile took; an action shown in several places is listed at the
// first.
// Texts come from the widgets, so they are translated as the menus are.
// `disabledToo` adds the commands that cannot be picked now (where a
// command is, for the shortcuts dialog).
oxStlVector<PaletteCommand> CollectPaletteCommands(bool disabledToo = false);

// Letters of the query in order, anywhere in the text, case ignored; spaces
// in the query are ignored. Each matched letter scores, more at the start
// of a word and more again right after the previous matched letter; the
// best placement of the letters counts. A text that does not hold the
// letters is tried again behind its place ("File Recent Open") for less.
class PaletteFilter {
 public:
  PaletteFilter();
  ~PaletteFilter();
  PaletteFilter(const PaletteFilter&) = delete;
  PaletteFilter& operator=(const PaletteFilter&) = delete;

  void SetCommands(oxStlVector<PaletteCommand> commands);
  const oxStlVector<PaletteCommand>& GetCommands() const;

  // How recently a command was run: 0 for the last one, larger for older
  // ones, negative for never.
  using Recency = std::function<int(const QAction*)>;
  // Positions in GetCommands() of the commands that match, best score
  // first; equal scores put recently run commands first, then shorter
  // texts, then the listing order. An empty query lists every command,
  // recently run ones first, the rest in listing order. A query that
  // extends the previous one only looks at what matched before.
  const std::vector<int>& Filter(const QString& query, const Recency& recency = {});

  // Score of the query against the text alone; -1 when it does not match.
  static int Score(const QString& query, const QString& text);

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
