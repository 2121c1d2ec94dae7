// Random profile forests switched at random and checked after every step
// against a small reference model: which profiles are in force, what the
// menu bar, menus, toolbars and context menus show, which actions hold their
// shortcuts, what the path walks report, and how often each Build() ran.
// Between steps the user gives actions keys of their own, clears and resets
// them; switching gives and withdraws those like any other. A key that
// several actions hold is pressed: it goes to the action of the profile
// nearer the active document when that profile builds on every other
// holder's, and to none otherwise.
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <optional>
#include <random>
#include <sstream>

#include "fwg/profiles/UserShortcuts.h"
#include "tests/support/ProfileWidgets.h"

namespace {

using Snapshot = std::map<std::string, std::string>;

// An edit of the menus (root 0), toolbars (1) or context menus (2): 'a' adds,
// 'r' replaces, 'x' removes; 'b' adds a button withdrawn with its profile.
// The edit makes its action, or places one of the chain's actions `again`.
struct Edit { int root; char mode; std::string path, action, key; bool again = false; };

std::string Describe(const Edit& e) {
  static const char* const kRoots[] = {"Menu", "ToolBar", "ContextMenu"};
  const std::string verb = e.mode == 'r' ? "Replace" : e.mode == 'x' ? "Remove" : "Add";
  const std::string action = e.again ? '"' + e.action + '"' : e.action + " " + e.key;
  return verb + kRoots[e.root] + (e.mode == 'b' ? "Button(" : "(") +
         (e.action.empty() ? "" : action + ", ") + '"' + e.path +
         "\")";
}

struct Plan {
  std::string name;
  int base;                       // -1 for a root
  std::vector<Edit> early, late;  // recorded in the constructor, in Build()
};

// What a chain's edits can aim at: menus, toolbars, context menus ("a3",
// "c1"), their entries ("a3/a7") and the actions made.
struct Pool { Strings holders[3], entries[3], actions; };

Edit Generate(Pool& pool, std::mt19937& rng, int& count) {
  const std::string name = "a" + std::to_string(++count);
  const std::string key = (count % 3 ? "Ctrl+" : "Alt+") + std::string(1, char('A' + count % 26));
  Edit e{int(rng() % 3), 'a', "", name, rng() % 2 ? key : ""};
  Strings& holders = pool.holders[e.root];
  Strings& entries = pool.entries[e.root];
  auto pick = [&](const Strings& from) { return from[rng() % from.size()]; };
  const unsigned form = holders.empty() ? 0 : rng() % 6;
  if (form == 0 || (form == 5 && e.root == 0)) {  // a new menu, toolbar or context menu
    if (e.root == 2) e.path = "c" + std::to_string(rng() % 4);
    if (e.root == 0 && !holders.empty() && rng() % 2) e.path = pick(holders);  // after it
    if (form == 5) e.mode = 'r';
    holders.push_back(e.root == 2 ? e.path : e.action);
    entries.push_back(holders.back() + "/" + e.action);
  } else if (form <= 2) {
    e = {e.root, 'x', pick(form == 1 ? holders : entries), "", ""};
  } else {
    const std::string target = pick(entries), holder = target.substr(0, target.find('/'));
    e.mode = form >= 4 ? 'r' : e.root == 1 && rng() % 2 ? 'b' : 'a';
    if (rng() % 3 == 0) e = {e.root, e.mode, "", pick(pool.actions), "", true};
    const unsigned at = rng() % 4;  // the entry, its holder, the holder's top or its end
    e.path = e.mode == 'r' || at == 0 ? target : e.mode == 'b' && at == 1 ? holder
                                                 : holder + (at == 2 ? "/" : "/new");
    entries.push_back(holder + "/" + e.action);
  }
  if (e.mode != 'x' && !e.again) pool.actions.push_back(e.action);
  return e;
}

// The reference. The main window's entries are a tree (nodes 0-2: the menu
// bar and the lists of toolbars and of context menus; kinds 'b' bar, 'l'
// list, 'm' menu, 'i' menu item, 't' toolbar, 'k' tool button) that edits
// walk and change as profile items do; activation runs over the forest.
class Model {
 public:
  explicit Model(const std::vector<Plan>& plans) {
    for (char kind : {'b', 'l', 'l'}) Add(-1, -1, kind, "", "");
    for (const Plan& plan : plans) {
      profiles_.push_back({&plan, false, false, 0, {}});
      for (const Edit& e : plan.early) Record(int(profiles_.size()) - 1, e);
    }
  }

  void Record(int p, const Edit& e) {
    if (e.again && !keys_.count(e.action)) return;  // not made yet: nothing to place
    if (e.mode != 'x' && !e.again) {
      keys_[e.action] = declared_[e.action] = e.key, enabled_[e.action] = true;
      owners_[e.action] = p;
    }
    profiles_[p].items.push_back({e, false, {}, {}});
    if (profiles_[p].active) Apply(profiles_[p].items.back(), true);
  }

  void Activate(int p) {
    if (!profiles_[p].built) {
      profiles_[p].built = true;
      ++profiles_[p].builds;
      for (const Edit& e : profiles_[p].plan->late) Record(p, e);
    }
    if (active_ == p) return;
    const std::vector<int> old = Chain(active_), now = Chain(p);
    size_t k = 0;
    while (k < old.size() && k < now.size() && old[k] == now[k]) ++k;
    for (size_t i = old.size(); i-- > k;) {
      auto& items = profiles_[old[i]].items;
      for (size_t j = items.size(); j-- > 0;) Apply(items[j], false);
      profiles_[old[i]].active = false;
    }
    for (size_t i = k; i < now.size(); ++i) {
      for (Item& item : profiles_[now[i]].items) Apply(item, true);
      profiles_[now[i]].active = true;
    }
    active_ = p;
  }

  void SetEnabled(const std::string& action, bool on) { enabled_[action] = on; }

  // The user's key (none: back to the declared one). The items' records of
  // the action take it; an action that had no key gets records wherever
  // resolved entries hold it. It is held at once where the old key was,
  // or, for an action that had none, unless an entry recording it is out
  // of force.
  void SetUserKey(const std::string& action, const std::optional<std::string>& key) {
    if (!key && !user_.count(action)) return;
    const std::string old = user_.count(action) ? user_[action] : declared_[action];
    const std::string now = key ? *key : declared_[action];
    if (key) user_[action] = *key; else user_.erase(action);
    bool recorded = false;
    ForEachPlaced([&](Placed& placed, bool) {
      for (auto& [holder, held] : placed.keys) if (holder == action) held = now, recorded = true;
    });
    if (!recorded && !now.empty()) {
      ForEachPlaced([&](Placed& placed, bool) {
        if (placed.node >= 0 && Holds(placed.node, action)) placed.keys.push_back({action, now});
      });
    }
    bool inForce = !keys_[action].empty();
    if (old.empty()) {
      inForce = true;
      ForEachPlaced([&](Placed& placed, bool on) {
        for (auto& kept : placed.keys) if (kept.first == action && !on) inForce = false;
      });
    }
    keys_[action] = inForce ? now : "";
  }

  // A single-stroke Ctrl key that two or more actions hold, the first by
  // name; "" when there is none. (Alt keys are left out: the menu bar
  // answers a lone Alt itself.)
  std::string SharedKey() const {
    std::map<std::string, int> holders;
    for (const auto& [action, key] : keys_) {
      if (key.rfind("Ctrl+", 0) == 0 && key.find(',') == std::string::npos) ++holders[key];
    }
    for (const auto& [key, count] : holders) if (count > 1) return key;
    return {};
  }

  // The action a press of `key` runs: the holder whose profile builds on
  // every other holder's, if it is enabled; otherwise none.
  std::string Press(const std::string& key) const {
    std::vector<std::string> held;
    for (const auto& [action, holds] : keys_) if (holds == key) held.push_back(action);
    for (const std::string& winner : held) {
      const std::vector<int> chain = Chain(owners_.at(winner));
      const bool nearest = std::all_of(held.begin(), held.end(), [&](const std::string& other) {
        const int owner = owners_.at(other);
        return other == winner || (owner != owners_.at(winner) &&
                                   std::find(chain.begin(), chain.end(), owner) != chain.end());
      });
      if (nearest) return enabled_.at(winner) ? winner : "";
    }
    return {};
  }

  Snapshot Expected() const {
    Snapshot s{{"active", ""}, {"stderr", errors}};
    s["manager"] = active_ < 0 ? "" : profiles_[active_].plan->name;
    for (const Profile& p : profiles_) {
      if (p.active) s["active"] += p.plan->name + " ";
      s["builds"] += p.plan->name + "=" + std::to_string(p.builds) + " ";
    }
    for (const Node& n : nodes_) {
      std::string shown = n.kind == 't' ? (n.visible ? "shown:" : "hidden:") : "";
      for (int kid : n.kids) {
        if (nodes_[kid].visible && (n.kind != 'b' || HasShownEntry(kid)))
          shown += " " + nodes_[kid].name;
        if (nodes_[kid].visible && n.kind == 't' && !enabled_.at(nodes_[kid].action))
          shown += "(off)";
      }
      if (n.kind == 'b' || n.kind == 'm' || n.kind == 't')
        s[n.kind == 'b' ? "bar" : n.kind == 'm' ? "menu " + n.name : "toolbar " + n.name] = shown;
    }
    for (const auto& [action, key] : keys_) s["key " + action] = key;
    return s;
  }

  std::string errors;  // what the walks reported

 private:
  struct Node { char kind; int parent; std::string name, action; bool visible; std::vector<int> kids; };
  struct Loc { int container = -1, object = -1, index = -1; };
  struct Placed {  // what an item shows or hides, with the shortcuts under it
    int node = -1;
    bool visible = true;  // remembered while withdrawn
    std::vector<std::pair<std::string, std::string>> keys;
  };
  struct Item { Edit edit; bool resolved; Placed shown, hidden; };
  struct Profile { const Plan* plan; bool built, active; int builds; std::vector<Item> items; };

  int Add(int parent, int index, char kind, const std::string& name, const std::string& action) {
    nodes_.push_back({kind, parent, name, action, true, {}});
    if (parent >= 0) {
      auto& kids = nodes_[parent].kids;
      kids.insert(index < 0 ? kids.end() : kids.begin() + index, int(nodes_.size()) - 1);
    }
    return int(nodes_.size()) - 1;
  }

  // A menu of the bar whose entries are all hidden is left out of it.
  bool HasShownEntry(int menu) const {
    for (int kid : nodes_[menu].kids) if (nodes_[kid].visible) return true;
    return nodes_[menu].kids.empty();
  }

  std::vector<int> Chain(int p) const {
    std::vector<int> chain;
    for (; p >= 0; p = profiles_[p].plan->base) chain.insert(chain.begin(), p);
    return chain;
  }

  // Hidden menu items and buttons have no name; toolbars and context menus
  // are found whether shown or not.
  Loc Find(int parent, const std::string& name) const {
    const auto& kids = nodes_[parent].kids;
    for (size_t i = 0; i < kids.size(); ++i) {
      const Node& n = nodes_[kids[i]];
      if ((nodes_[parent].kind == 'l' || n.visible) && n.name == name)
        return {parent, kids[i], int(i)};
    }
    return {};
  }

  Loc Miss(const std::string& path) {
    errors += "Could not find the item specified by " + path + "\n";
    return {};
  }

  Loc Walk(int root, const std::string& path, bool create, std::string& last) {
    if (path.empty() || path == "/") return create ? Loc{root, -1, -1} : Miss(path);
    Strings parts;
    std::istringstream in(path);
    for (std::string part; std::getline(in, part, '/');) if (!part.empty()) parts.push_back(part);
    Loc cur{-1, root, -1};
    for (size_t i = 0; i < parts.size(); ++i) {
      const Loc next = Find(cur.object, last = parts[i]);
      const bool lastMissing = i + 1 == parts.size() && path.back() != '/' && create;
      if (next.object < 0) return lastMissing ? Loc{cur.object, -1, -1} : Miss(path);
      cur = next;
    }
    if (!create) return cur;
    if (path.back() == '/') {
      const auto& kids = nodes_[cur.object].kids;
      return kids.empty() ? Loc{} : Loc{cur.object, kids[0], 0};
    }
    if (cur.container != 2) return {cur.container, cur.object, cur.index + 1};
    errors += "The already is a context menu named " + last + "\n";
    return {};
  }

  // The entry made for the action at the location; -1 when none is made or,
  // for a button in an existing toolbar, none is recorded. A button of its
  // profile goes into the toolbar the path names, or before the entry at.
  int Make(const Loc& at, const std::string& action, const std::string& last, bool own,
           const std::string& path) {
    const char kind = at.container < 0 ? 0 : nodes_[at.container].kind;
    if (own && kind == 't') return Add(at.container, at.index, 'k', action, action);
    if (own && kind == 'l' && at.object >= 0) return Add(at.object, -1, 'k', action, action);
    if (own) return kind == 'l' ? (Miss(path), -1) : -1;
    if (kind == 'm') return Add(at.container, at.index, 'i', action, action);
    if (kind == 't') Add(at.container, -1, 'k', action, action);
    if (kind != 'b' && kind != 'l') return -1;
    const bool bar = at.container == 1;
    const int made = Add(at.container, kind == 'b' ? at.index : -1, bar ? 't' : 'm',
                         kind == 'b' || last.empty() ? action : last, "");
    Add(made, -1, bar ? 'k' : 'i', action, action);
    return made;
  }

  void Collect(int node, Placed& into) const {
    for (int kid : nodes_[node].kids) Collect(kid, into);
    const Node& n = nodes_[node];
    if (n.kind == 'i' && !keys_.at(n.action).empty())
      into.keys.push_back({n.action, keys_.at(n.action)});
  }

  template <class Visit>
  void ForEachPlaced(const Visit& visit) {
    for (Profile& p : profiles_) {
      for (Item& item : p.items) {
        if (!item.resolved) continue;
        visit(item.shown, p.active);
        visit(item.hidden, !p.active);
      }
    }
  }

  bool Holds(int node, const std::string& action) const {
    for (int kid : nodes_[node].kids) if (Holds(kid, action)) return true;
    return nodes_[node].kind == 'i' && nodes_[node].action == action;
  }

  void Show(Placed& placed, bool on) {
    if (placed.node < 0) return;
    for (const auto& [action, key] : placed.keys) keys_[action] = on ? key : "";
    if (!on) placed.visible = nodes_[placed.node].visible;
    nodes_[placed.node].visible = on && placed.visible;
  }

  void Apply(Item& item, bool on) {
    if (!item.resolved) {
      item.resolved = true;
      std::string last;
      const Edit& e = item.edit;
      const bool own = e.mode == 'b';
      const Loc target = Walk(e.root, e.path, e.mode == 'a' || own, last);
      if (e.mode == 'r' || e.mode == 'x') item.hidden.node = target.object;
      if (e.mode != 'x') item.shown.node = Make(target, e.action, last, own, e.path);
      if (item.hidden.node >= 0) Collect(item.hidden.node, item.hidden);
      if (item.shown.node >= 0) Collect(item.shown.node, item.shown);
    }
    Show(item.shown, on);
    Show(item.hidden, !on);
  }

  std::vector<Node> nodes_;
  std::vector<Profile> profiles_;
  std::map<std::string, std::string> keys_;  // the shortcut each action holds
  std::map<std::string, bool> enabled_;
  std::map<std::string, std::string> declared_, user_;
  std::map<std::string, int> owners_;  // the profile that made each action
  int active_ = -1;
};

using Actions = std::map<std::string, fwg::Action*>;

// The actions that ran since it was last cleared.
std::string& GetFired() {
  static std::string fired;
  return fired;
}

void Record(fwg::Profile* p, const Edit& e, Actions& actions) {
  using P = fwg::Profile;
  using Place = void (P::*)(fwg::Action*, const oxString&);
  using Take = void (P::*)(const oxString&);
  static const Place kPlace[2][3] = {{&P::AddMenu, &P::AddToolBar, &P::AddContextMenu},
                                     {&P::ReplaceMenu, &P::ReplaceToolBar, &P::ReplaceContextMenu}};
  static const Take kRemove[] = {&P::RemoveMenu, &P::RemoveToolBar, &P::RemoveContextMenu};
  if (e.mode == 'x') return (p->*kRemove[e.root])(e.path);
  fwg::Action* action =
      e.again ? p->GetAction(e.action) : p->AddAction(e.action, e.action, {}, e.key);
  if (!e.again) {
    actions[e.action] = action;
    action->OnActivate().Connect(nullptr, [name = e.action] { GetFired() += name; });
  }
  if (e.mode == 'b') return p->AddToolBarButton(action, e.path);
  (p->*kPlace[e.mode == 'r'][e.root])(action, e.path);
}

// A base gets its edits in force without being built: the early ones are
// recorded here.
class RandomProfile : public fwg::Profile {
 public:
  RandomProfile(const Plan& plan, Actions& actions)
      : fwg::Profile(plan.name, plan.base < 0 ? "" : "P" + std::to_string(plan.base)),
        plan_(plan),
        actions_(actions) {
    for (const Edit& e : plan.early) Record(this, e, actions);
  }
  void Build() override {
    ++builds;
    for (const Edit& e : plan_.late) Record(this, e, actions_);
  }
  int builds = 0;

 private:
  const Plan& plan_;
  Actions& actions_;
};

// The visible entries of a menu (brought up to date as when it opens) or of
// the menu bar, each after a space.
std::string Entries(QWidget* menu) {
  std::string out;
  for (const std::string& entry : Visible(menu)) out += " " + entry;
  return out;
}

// The snapshot read from the real widgets; the offscreen platform's notes
// are left out of stderr.
Snapshot Seen(const Snapshot& expected, uiMainWindow* window,
              const std::vector<RandomProfile*>& profiles, const Actions& actions,
              const std::string& captured) {
  Snapshot seen{{"active", ""}, {"bar", Entries(window->MenuBar())}};
  std::istringstream lines(captured);
  for (std::string line; std::getline(lines, line);) {
    // Shortcut reports are the library's own addition beside the rules.
    if (line.rfind("This plugin does not support", 0) != 0 && line.rfind("fwg: shortcut ", 0) != 0)
      seen["stderr"] += line + "\n";
  }
  std::map<std::string, QWidget*> widgets;
  for (QMenu* menu : window->findChildren<QMenu*>())
    widgets.emplace("menu " + menu->objectName().toStdString(), menu);
  for (QToolBar* bar : window->findChildren<QToolBar*>())
    widgets.emplace("toolbar " + bar->objectName().toStdString(), bar);
  for (const auto& [what, value] : expected) {
    if (auto* menu = qobject_cast<QMenu*>(widgets[what])) {
      seen[what] = Entries(menu);
    } else if (auto* bar = qobject_cast<QToolBar*>(widgets[what])) {
      seen[what] = bar->isHidden() ? "hidden:" : "shown:";
      for (QAction* entry : bar->actions()) {
        QWidget* button = bar->widgetForAction(entry);
        if (entry->isVisible()) seen[what] += " " + button->objectName().toStdString();
        if (entry->isVisible() && !button->isEnabled()) seen[what] += "(off)";
      }
    } else if (what.rfind("key ", 0) == 0) {
      seen[what] = KeyOf(actions.at(what.substr(4)));
    }
  }
  for (RandomProfile* p : profiles) {
    if (p->IsActive()) seen["active"] += p->GetName() + " ";
    seen["builds"] += p->GetName() + "=" + std::to_string(p->builds) + " ";
  }
  fwg::Profile* active = fwg::ProfileManager::Get()->GetActiveProfile();
  seen["manager"] = active ? active->GetName() : "";
  return seen;
}

class RandomSwitch : public WithGui, public ::testing::WithParamInterface<unsigned> {
 protected:
  // The seeds share profile and action names: no user key outlives one.
  void TearDown() override {
    fwg::UserShortcuts::ResetAll();
    WithGui::TearDown();
  }
};

// A user key for one of the actions, drawn from `rng`: a key of its own, a
// key other actions hold, none, or back to the declared one.
std::string GiveUserKey(std::mt19937& rng, const std::vector<RandomProfile*>& profiles,
                        const Actions& actions, Model& model) {
  static const char* const kKeys[] = {"F2", "Ctrl+K, Ctrl+1", "Ctrl+B", "Alt+C", ""};
  const std::string name = std::next(actions.begin(), rng() % actions.size())->first;
  fwg::Profile* owner = nullptr;
  for (RandomProfile* p : profiles) if (p->GetActions().count(name)) owner = p;
  const unsigned pick = rng() % 6;
  if (pick == 5) {
    fwg::UserShortcuts::ResetShortcut(owner, name);
    model.SetUserKey(name, std::nullopt);
    return name + " reset";
  }
  fwg::UserShortcuts::SetShortcut(owner, name, kKeys[pick]);
  model.SetUserKey(name, std::string(kKeys[pick]));
  return name + " given [" + kKeys[pick] + "]";
}

TEST_P(RandomSwitch, EveryStepShowsWhatTheActivationRulesSay) {
  std::mt19937 rng(GetParam());
  constexpr int kProfiles = 9;
  std::vector<Plan> plans;
  std::vector<Pool> pools;
  std::vector<int> depth;
  std::string steps;  // the forest, then each step
  int count = 0;
  for (int i = 0; i < kProfiles; ++i) {
    int base = i < 3 || rng() % 6 == 0 ? -1 : int(rng() % i);       // a few roots
    while (base >= 0 && depth[base] == 4) base = plans[base].base;  // chains up to four deep
    depth.push_back(base < 0 ? 1 : depth[base] + 1);
    Pool pool = base < 0 ? Pool{} : pools[base];
    Plan plan{"P" + std::to_string(i), base, {}, {}};
    for (unsigned k = 1 + rng() % 4; k > 0; --k) plan.early.push_back(Generate(pool, rng, count));
    for (unsigned k = rng() % 4; k > 0; --k) plan.late.push_back(Generate(pool, rng, count));
    pools.push_back(pool);
    plans.push_back(plan);
    steps += "\n  " + plan.name + (base < 0 ? "" : " on P" + std::to_string(base)) + ":";
    for (const Edit& e : plan.early) steps += " " + Describe(e);
    steps += " | Build:";
    for (const Edit& e : plan.late) steps += " " + Describe(e);
  }
  Actions actions;
  std::vector<RandomProfile*> profiles;
  for (const Plan& plan : plans) profiles.push_back(new RandomProfile(plan, actions));
  Model model(plans);
  fwg::ProfileManager* manager = fwg::ProfileManager::Get();
  uiMainWindow* window = gui_->GetMainWindow();
  window->Show();
  QApplication::setActiveWindow(window);
  std::mt19937 userRng(GetParam() + 1000);  // apart, so the seeds keep their walks
  for (int step = 0; step < 300; ++step) {
    const int p = int(rng() % kProfiles);
    const unsigned how = rng() % 10;
    std::string what = plans[p].name;
    model.errors.clear();
    testing::internal::CaptureStderr();
    if (how < 2) {
      manager->Activate(profiles[p]);
      what += " activated by the manager";
    } else if (how < 4) {
      profiles[p]->Activate();
      what += " activated";
    } else if (how < 6) {
      manager->Activate(plans[p].name);
      what += " activated by name";
    } else if (how < 8) {
      const Edit e = Generate(pools[p], rng, count);
      Record(profiles[p], e, actions);
      model.Record(p, e);
      what += " records " + Describe(e);
    } else {
      const auto& [name, action] = *std::next(actions.begin(), rng() % actions.size());
      action->SetEnabled(!action->IsEnabled());
      model.SetEnabled(name, action->IsEnabled());
      what = name + (action->IsEnabled() ? " enabled" : " disabled");
    }
    if (how < 6) model.Activate(p);
    if (userRng() % 3 == 0) what += "; " + GiveUserKey(userRng, profiles, actions, model);
    Snapshot expected = model.Expected();
    std::string pressed;
    if (const std::string key = model.SharedKey(); !key.empty()) {
      GetFired().clear();
      QTest::keySequence(window, QKeySequence(QString::fromStdString(key)));
      expected["press " + key] = model.Press(key);
      pressed = GetFired();
      what += "; " + key + " pressed";
    }
    Snapshot seen = Seen(expected, gui_->GetMainWindow(), profiles, actions,
                         testing::internal::GetCapturedStderr());
    for (const auto& [aspect, value] : expected) {
      if (aspect.rfind("press ", 0) == 0) seen[aspect] = pressed;
    }
    std::string diff;
    for (const auto& [aspect, value] : expected) {
      if (seen[aspect] != value)
        diff += "\n  " + aspect + ": expected [" + value + "], got [" + seen[aspect] + "]";
    }
    steps += "\n  " + std::to_string(step) + ": " + what;
    ASSERT_TRUE(diff.empty()) << "seed " << GetParam() << ", step " << step << " (" << what << ")"
                              << diff << "\nforest and steps:" << steps;
  }
}

// Seed 37 presses keys two profiles of one chain hold (65 times). Seed 53
// soon withdraws the shortcut of an action whose tool button is taken
// away.
INSTANTIATE_TEST_SUITE_P(Seeds, RandomSwitch, ::testing::Values(1u, 2u, 3u, 4u, 37u, 53u));

}  // namespace
