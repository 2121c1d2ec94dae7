// Profile::AddActionList: a drop-down group whose members are made again
// from the profile's callback whenever its menu is about to show.
#include <QMenu>
#include <QPointer>
#include <memory>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/Profile.h"
#include "platform/ui/uiActionGroup.h"
#include "platform/ui/uiPopupMenu.h"

namespace fwg {

namespace {

// The commands a list made so far, reused from one opening to the next:
// those the list needs now show the entries, the rest are hidden.
struct ListState : std::enable_shared_from_this<ListState> {
  Profile* profile = nullptr;
  ActionGroup* group = nullptr;
  oxString name;
  std::function<oxStlVector<Profile::ListEntry>()> fill;
  oxStlVector<Action*> pool;  // owned by the profile
  oxStlVector<Profile::ListEntry> shown;

  void Refill() {
    shown = fill();
    while (pool.size() < shown.size()) {
      const size_t index = pool.size();
      Action* action = profile->AddAction(name + "." + std::to_string(index + 1), oxString());
      // Runs what the entry says at the moment it is chosen, while the list is.
      const std::weak_ptr<ListState> list = weak_from_this();
      const auto run = [list, index] {
        if (const auto alive = list.lock()) alive->Run(index);
      };
      action->OnActionActivate().Connect(nullptr, [run](const Action&) { run(); });
      action->OnActionToggle().Connect(nullptr, [run](const Action&, bool) { run(); });
      group->AddAction(action);
      pool.push_back(action);
    }
    for (size_t i = 0; i < pool.size(); ++i) {
      Action* action = pool[i];
      const bool used = i < shown.size();
      action->SetVisible(used);
      if (!used) continue;
      action->SetText(shown[i].text);
      action->SetCheckable(shown[i].checked);
      action->SetChecked(shown[i].checked);
    }
  }

  void Run(size_t index) {
    if (index >= shown.size() || !shown[index].run) return;
    // A copy: the command may open the menu again, or delete the profile.
    const std::function<void()> run = shown[index].run;
    run();
  }
};

}  // namespace

ActionGroup* Profile::AddActionList(const oxString& name, const oxString& text, const oxString& path,
                                    std::function<oxStlVector<ListEntry>()> fill) {
  if (!fill) return nullptr;
  ActionGroup* group = AddActionGroup(name, text, true);
  auto* ui = dynamic_cast<uiActionGroup*>(group->GetUiAction());
  uiPopupMenu* menu = ui ? ui->DropDownMenu() : nullptr;
  if (!menu) return group;
  auto state = std::make_shared<ListState>();
  state->profile = this;
  state->group = group;
  state->name = name;
  state->fill = std::move(fill);
  // After the menu's own handler, which brings its entries up to date:
  // what the list changes reaches the menu while it opens. The state goes
  // with the menu, which goes with the group.
  QObject::connect(menu, &QMenu::aboutToShow, menu, [state] { state->Refill(); });
  AddMenu(group, path);
  return group;
}

}  // namespace fwg
