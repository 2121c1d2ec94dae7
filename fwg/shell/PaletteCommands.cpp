#include "fwg/shell/PaletteCommands.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "fwg/LibraryTexts.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/ShortcutConflicts.h"
#include "fwg/shell/HostCommands.h"
#include "platform/oxapp/Application.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiMenuBar.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"

namespace fwg {

namespace {

const QString kPlaceSeparator = QStringLiteral(" \u203A ");


QString JoinPlace(const QString& place, const QString& name) {
  return place.isEmpty() ? name : place + kPlaceSeparator + name;
}

class Collector {
 public:
  explicit Collector(bool disabledToo) : disabledToo_(disabledToo) {}
  oxStlVector<PaletteCommand> commands;

  // Whether the menus show an item of that text, greyed or not.
  bool Offers(const QString& text) const { return offered_.contains(text); }

  void Add(QAction* action, const QString& text, const QString& place) {
    if (!action || !action->isVisible() || !Enabled(action->isEnabled()) || action->isSeparator()) return;
    if (text.isEmpty() || !seen_.insert(action).second) return;
    PaletteCommand command;
    command.text = text;
    command.place = place;
    command.shortcut = action->shortcut().toString(QKeySequence::NativeText);
    command.icon = action->icon();
    command.checkable = action->isCheckable();
    command.checked = action->isChecked();
    command.action = action;
    commands.push_back(std::move(command));
  }

  // The recorded state of the items, not the widgets': menus bring their
  // widgets up to date only when they open.
  void AddMenu(const uiMenuData* menu, const QString& place, int depth) {
    if (!menu || depth > 16 || !menus_.insert(menu).second) return;
    for (int i = 0; i < menu->Count(); ++i) {
      const int id = menu->IdAt(i);
      if (!menu->IsItemVisible(id) || menu->IsSeparator(id)) continue;
      const QString text = uiStr(menu->Text(id, true));  // without "&" markers
      offered_.insert(text);
      if (!Enabled(menu->IsItemEnabled(id))) continue;
      if (const uiPopupMenu* popup = menu->FindItemPopup(id)) {
        AddMenu(popup, JoinPlace(place, text), depth + 1);
      } else {
        Add(menu->ItemAction(id), text, place);
      }
    }
  }

  // A button can serve several actions (a replaced action and its
  // substitute share it); the one with a text is the one in force.
  void AddToolBar(uiToolBar* toolbar, const std::unordered_multimap<QObject*, uiAction*>& users) {
    const QString place = JoinPlace(TranslateLibraryQText("Toolbar"), toolbar->windowTitle());
    for (QObject* child : toolbar->children()) {
      auto* button = dynamic_cast<uiToolButton*>(child);
      if (!button || !button->IsShown() || !Enabled(button->isEnabled())) continue;
      if (uiPopupMenu* popup = button->Popup()) {
        AddMenu(popup, JoinPlace(place, uiPlainText(button->text())), 1);
        continue;
      }
      const auto range = users.equal_range(button);
      for (auto it = range.first; it != range.second; ++it) {
        Add(it->second, uiPlainText(it->second->QAction::text()), place);
      }
    }
  }

 private:
  bool Enabled(bool enabled) const { return enabled || disabledToo_; }

  bool disabledToo_;
  std::unordered_set<QString> offered_;  // texts of the menus' items, greyed ones too
  std::unordered_set<const QAction*> seen_;
  std::unordered_set<const uiMenuData*> menus_;
};

// Tool buttons of every action of the main window, by button.
std::unordered_multimap<QObject*, uiAction*> MapButtonUsers(uiMainWindow* window) {
  std::unordered_multimap<QObject*, uiAction*> users;
  for (QAction* qaction : window->actions()) {
    auto* action = dynamic_cast<uiAction*>(qaction);
    if (!action) continue;
    for (const uiAction::Place& place : action->GetActionItems()) {
      if (auto* button = dynamic_cast<uiToolButton*>(place.widget)) users.emplace(button, action);
    }
  }
  return users;
}

// The application's own commands, but those whose key a profile's action
// holds (a client's own Quit, say) and those the menus show themselves
// (File > Save All, greyed while there is nothing to save): that entry is
// the command.
void AddHostCommands(Collector& collector) {
  const QString place = TranslateLibraryQText("Application");
  for (QAction* action : HostCommands::GetActions()) {
    const QKeySequence keys = GetYieldingShortcut(action);
    if (!keys.isEmpty() && action->shortcut() != keys) continue;
    const QString text = uiPlainText(action->text());
    if (collector.Offers(text)) continue;
    collector.Add(action, text, place);
  }
}

}  // namespace

oxStlVector<PaletteCommand> CollectPaletteCommands(bool disabledToo) {
  Collector collector(disabledToo);
  uiMainWindow* window = uiManager::Get()->MainWindow();
  if (!window) return {};
  collector.AddMenu(window->MenuBar(), {}, 0);

  Profile* active = ProfileManager::Get()->GetActiveProfile();
  if (!active) {
    AddHostCommands(collector);
    return std::move(collector.commands);
  }
  const auto users = MapButtonUsers(window);
  for (uiWidget* widget : active->GetToolBarList()) {
    if (auto* toolbar = dynamic_cast<uiToolBar*>(widget)) collector.AddToolBar(toolbar, users);
  }
  // Context menus are never on screen by themselves; those of the chain
  // that no item of the chain took away are the ones in force.
  const QString contextPlace = TranslateLibraryQText("Context menu");
  for (Profile* profile : GetBaseChainProfiles(active)) {
    for (uiPopupMenu* popup : GetInternal(profile)->contextMenus) {
      if (active->GetContextMenuObjectFromPath(popup->Name()) != popup) continue;
      collector.AddMenu(popup, JoinPlace(contextPlace, uiStr(popup->Name())), 1);
    }
  }
  AddHostCommands(collector);
  return std::move(collector.commands);
}

// Scoring ------------------------------------------------------------------

namespace {

constexpr int kMatch = 1;
constexpr int kWordStart = 8;
constexpr int kCamelHump = 6;
constexpr int kConsecutive = 9;  // a run edges out initials
constexpr int kPlacePenalty = 10;
constexpr int kNone = std::numeric_limits<int>::min() / 4;

// A text prepared once per listing: lower case, and what a letter at each
// position earns besides the match itself.
struct Prepared {
  std::u16string lower;
  std::vector<uint8_t> bonus;
};

Prepared Prepare(const QString& text) {
  Prepared prepared;
  const QString lower = text.toLower();
  prepared.lower.assign(reinterpret_cast<const char16_t*>(lower.utf16()), lower.size());
  prepared.bonus.resize(text.size());
  for (qsizetype j = 0; j < text.size(); ++j) {
    const QChar c = text[j];
    const QChar before = j ? text[j - 1] : QChar(' ');
    uint8_t bonus = 0;
    if (c.isLetterOrNumber() && !before.isLetterOrNumber()) {
      bonus = kWordStart;
    } else if (c.isUpper() && before.isLower()) {
      bonus = kCamelHump;
    }
    prepared.bonus[j] = bonus;
  }
  return prepared;
}

std::u16string PrepareQuery(const QString& query) {
  std::u16string result;
  for (const QChar c : query.toLower()) {
    if (!c.isSpace()) result.push_back(c.unicode());
  }
  return result;
}

// The query's letters in order somewhere in the text: the cheap test that
// spares most texts the full scoring.
bool Holds(const std::u16string& text, const std::u16string& query) {
  size_t i = 0;
  for (size_t j = 0; j < text.size() && i < query.size(); ++j) {
    if (text[j] == query[i]) ++i;
  }
  return i == query.size();
}

// Best placement of the query's letters: row i holds, for each text
// position j, the best score with letter i placed at j (`at`) and the best
// with letter i placed at j or before (`upTo`).
int ScorePrepared(const std::u16string& query, const Prepared& text, std::vector<int>& scratch) {
  const size_t m = query.size();
  const size_t n = text.lower.size();
  if (m == 0) return 0;
  if (m > n || !Holds(text.lower, query)) return -1;
  scratch.assign(4 * n, kNone);
  int* prevAt = scratch.data();
  int* prevUpTo = prevAt + n;
  int* at = prevUpTo + n;
  int* upTo = at + n;
  for (size_t i = 0; i < m; ++i) {
    int best = kNone;
    for (size_t j = 0; j < n; ++j) {
      int score = kNone;
      if (text.lower[j] == query[i]) {
        const int gain = kMatch + text.bonus[j];
        if (i == 0) {
          score = gain;
        } else if (j > 0) {
          const int from = std::max(prevAt[j - 1] + kConsecutive, prevUpTo[j - 1]);
          if (from > kNone) score = from + gain;
        }
      }
      at[j] = score;
      best = std::max(best, score);
      upTo[j] = best;
    }
    std::swap(prevAt, at);
    std::swap(prevUpTo, upTo);
  }
  const int result = prevUpTo[n - 1];
  return result > kNone ? result : -1;
}

}  // namespace

struct PaletteFilter::Internal {
  oxStlVector<PaletteCommand> commands;
  std::vector<Prepared> texts;
  std::vector<Prepared> placed;  // place, then text
  std::vector<int> result;
  std::vector<int> scores;
  std::vector<int> scratch;
  std::u16string lastQuery;
  bool hasLast = false;
};

PaletteFilter::PaletteFilter() : internal_(new Internal) {}
PaletteFilter::~PaletteFilter() { delete internal_; }

void PaletteFilter::SetCommands(oxStlVector<PaletteCommand> commands) {
  Internal* d = internal_;
  d->commands = std::move(commands);
  d->texts.clear();
  d->placed.clear();
  for (const PaletteCommand& command : d->commands) {
    d->texts.push_back(Prepare(command.text));
    d->placed.push_back(Prepare(command.place + ' ' + command.text));
  }
  d->hasLast = false;
  d->scores.assign(d->commands.size(), 0);
}

const oxStlVector<PaletteCommand>& PaletteFilter::GetCommands() const {
  return internal_->commands;
}

const std::vector<int>& PaletteFilter::Filter(const QString& query, const Recency& recency) {
  Internal* d = internal_;
  const std::u16string q = PrepareQuery(query);
  std::vector<int> candidates;
  // Letters in order: whatever holds "abc" held "ab" too.
  if (d->hasLast && q.size() >= d->lastQuery.size() && q.compare(0, d->lastQuery.size(), d->lastQuery) == 0) {
    candidates.swap(d->result);
  } else {
    candidates.resize(d->commands.size());
    for (size_t i = 0; i < candidates.size(); ++i) candidates[i] = static_cast<int>(i);
  }
  d->result.clear();
  for (const int index : candidates) {
    int score = ScorePrepared(q, d->texts[index], d->scratch);
    if (score < 0) {
      score = ScorePrepared(q, d->placed[index], d->scratch);
      if (score >= 0) score = std::max(score - kPlacePenalty, 0);
    }
    if (score < 0) continue;
    d->scores[index] = score;
    d->result.push_back(index);
  }
  std::vector<int> recent(d->commands.size(), std::numeric_limits<int>::max());
  if (recency) {
    for (const int index : d->result) {
      const int rank = recency(d->commands[index].action.data());
      if (rank >= 0) recent[index] = rank;
    }
  }
  // Without a query every score is 0: recently run first, then the menus'
  // own order.
  const bool typed = !q.empty();
  std::stable_sort(d->result.begin(), d->result.end(), [&](int a, int b) {
    if (d->scores[a] != d->scores[b]) return d->scores[a] > d->scores[b];
    if (recent[a] != recent[b]) return recent[a] < recent[b];
    const auto lengthA = d->commands[a].text.size();
    const auto lengthB = d->commands[b].text.size();
    if (typed && lengthA != lengthB) return lengthA < lengthB;
    return a < b;
  });
  d->lastQuery = q;
  d->hasLast = true;
  return d->result;
}

int PaletteFilter::Score(const QString& query, const QString& text) {
  std::vector<int> scratch;
  return ScorePrepared(PrepareQuery(query), Prepare(text), scratch);
}

}  // namespace fwg
