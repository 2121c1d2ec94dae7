#include "platform/ui/uiAction.h"

#include <QMetaMethod>
#include <QSignalBlocker>
#include <QWidget>
#include <algorithm>

#include "platform/ui/uiActionGroup.h"
#include "platform/ui/uiMenuData.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"

namespace {

// The actions of a widget live under one plain child object of it rather
// than among its children: Qt walks a widget's children on relayouts, shows
// and style changes, and an application's actions run into thousands.
QObject* GetActionHolder(QObject* parent) {
  auto* widget = qobject_cast<QWidget*>(parent);
  if (!widget) return parent;
  constexpr char kHolder[] = "uiActionHolder";
  auto* holder = widget->property(kHolder).value<QObject*>();
  if (!holder) {
    holder = new QObject(widget);
    holder->setObjectName(kHolder);
    widget->setProperty(kHolder, QVariant::fromValue(holder));
  }
  return holder;
}

uiAction::ShortcutWatcher g_shortcutWatcher = nullptr;

}  // namespace

QString uiPlainText(QString text) {
  text.replace("&&", QString(QChar(0x1)));
  text.remove('&');
  text.replace(QChar(0x1), "&");
  const auto tab = text.indexOf('\t');
  return tab < 0 ? text : text.left(tab);
}

uiAction::uiAction(uiObject* parent, const oxString& name)
    : QAction(GetActionHolder(parent ? parent->GetImpl() : nullptr)) {
  SetName(name);
  // Shortcuts work while the widget's window is active.
  if (auto* widget = parent ? qobject_cast<QWidget*>(parent->GetImpl()) : nullptr) {
    widget->addAction(this);
  }
  // Qt emits toggled before triggered, so a user's toggle is told after it.
  connect(this, &QAction::triggered, this, [this](bool checked) {
    if (isCheckable()) {
      onUserToggle_.Emit(checked);
    } else {
      onActivate_.Emit();
    }
  });
  connect(this, &QAction::toggled, this, [this](bool on) { onToggle_.Emit(on); });
}

uiAction::~uiAction() {
  // Qt signals of this action must not reach the half-destroyed object.
  disconnect(this, nullptr, this, nullptr);
  // A group may outlive its members (their owners delete them first).
  std::vector<uiActionGroup*> groups;
  groups.swap(groups_);
  for (uiActionGroup* group : groups) group->Detach(this);
  const QVarLengthArray<PlaceRecord, 1> places = std::move(places_);
  for (const PlaceRecord& place : places) {
    if (place.menu) place.menu->ForgetAction(this);
    if (place.ownsButton && place.button) {
      QAction* entry = place.button->ToolBarEntry();
      delete place.button.data();
      delete entry;
    }
  }
}

void uiAction::SetText(const oxString& text) {
  text_ = uiStr(text);
  setIconText(text_);
  Changed();
}

// With nobody connected to changed(), the signal is held back while the key
// changes: finding out that it has no receivers reads connection data of
// the action's own, and profile switches change thousands of keys. Menus
// and buttons learn of the change from the change event all the same.
void uiAction::SetAccel(const uiKeySequence& keys) {
  const QSignalBlocker unheard(changedListeners_ > 0 ? nullptr : this);
  setShortcut(keys.GetSequence());
}

void uiAction::connectNotify(const QMetaMethod& signal) {
  if (signal == QMetaMethod::fromSignal(&QAction::changed)) ++changedListeners_;
  QAction::connectNotify(signal);
}

// A disconnection of everything at once names no signal: the count stays,
// which costs a look for receivers and nothing else.
void uiAction::disconnectNotify(const QMetaMethod& signal) {
  if (signal == QMetaMethod::fromSignal(&QAction::changed) && changedListeners_ > 0) --changedListeners_;
  QAction::disconnectNotify(signal);
}

void uiAction::SetMenuText(const oxString& text) { setText(uiStr(text)); }

void uiAction::SetIconSet(const uiIconSet& icon) {
  iconSet_ = icon;
  setIcon(icon.GetIcon());
}

void uiAction::SetToggleAction(bool toggle, bool) { setCheckable(toggle); }

// Flips the state and emits OnToggle, also for the checked member of an
// exclusive group (only a user's click keeps that one checked).
void uiAction::Toggle() {
  if (!isCheckable()) return;
  setChecked(!isChecked());
}

bool uiAction::AddTo(uiWidget* widget, int index) {
  if (auto* menu = dynamic_cast<uiMenuData*>(widget)) return AddItemTo(menu, index);
  if (dynamic_cast<uiToolBar*>(widget)) return AddButtonTo(widget, index);
  return false;
}

bool uiAction::AddItemTo(uiMenuData* menu, int index) {
  PlaceRecord place;
  place.menu = menu;
  place.id = menu->InsertActionItem(this, index);
  places_.push_back(place);
  return true;
}

bool uiAction::AddButtonTo(uiWidget* toolbarWidget, int index) {
  auto* toolbar = dynamic_cast<uiToolBar*>(toolbarWidget);
  if (!toolbar) return false;
  auto* button = new uiToolButton(toolbar, Name());
  toolbar->InsertButton(button, index);
  button->SetActionInForce(this);
  ShowOn(button);
  button->OnClick().Connect(nullptr, [this] { Activate(); });
  PlaceRecord place;
  place.button = button;
  place.ownsButton = true;
  places_.push_back(place);
  return true;
}

bool uiAction::RemoveFrom(uiWidget* widget) {
  bool removed = false;
  if (auto* menu = dynamic_cast<uiMenuData*>(widget)) {
    for (const Place& place : GetActionItems()) {
      if (place.widget == widget) {
        menu->RemoveItem(place.id);
        removed = true;
      }
    }
  }
  for (auto it = places_.begin(); it != places_.end();) {
    const bool here = it->button && it->button->parentWidget() == uiImpl(widget);
    if (here && it->ownsButton) {
      QAction* entry = it->button->ToolBarEntry();
      delete it->button.data();
      delete entry;
      removed = true;
    }
    it = here ? places_.erase(it) : std::next(it);
  }
  return removed;
}

void uiAction::SetGroup(uiActionGroup* group) {
  if (groups_.size() == 1 && groups_.front() == group) return;
  std::vector<uiActionGroup*> groups;
  groups.swap(groups_);
  for (uiActionGroup* old : groups) old->Detach(this);
  if (group) group->Add(this);
}

oxStlVector<uiAction::Place> uiAction::GetActionItems() const {
  oxStlVector<Place> result;
  for (const PlaceRecord& place : places_) {
    if (place.menu) {
      result.push_back({dynamic_cast<uiObject*>(place.menu->MenuWidget()), place.id});
    } else if (place.button) {
      result.push_back({place.button.data(), -1});
    }
  }
  return result;
}

uiAction* uiAction::ActionLookup(int id) {
  uiMenuData* menu = uiMenuData::FindContainer(id);
  return menu ? menu->ItemAction(id) : nullptr;
}

void uiAction::AddToActionItemMap(uiAction* action, uiWidget* widget, int id) {
  if (!action || !widget) return;
  PlaceRecord place;
  if (auto* menu = dynamic_cast<uiMenuData*>(widget)) {
    place.menu = menu;
    place.id = id;
  } else if (auto* button = dynamic_cast<uiToolButton*>(widget)) {
    place.button = button;
  } else {
    return;
  }
  action->places_.push_back(place);
}

void uiAction::ShowOn(uiToolButton* button) const {
  button->setIcon(icon());
  // The label is the command's text, the tip its tip (the text without one).
  // Without its mnemonic marker: a button would take Alt and the letter
  // from the menu bar.
  button->setText(uiPlainText(text_.isEmpty() ? QAction::text() : text_));
  // QAction::toolTip() answers the text, mnemonic stripped, while no tip is set.
  const QString tip = toolTip();
  // The key in force shows beside the tip, as menus show it beside the text.
  const QKeySequence keys = shortcut();
  button->setToolTip(keys.isEmpty() ? tip
                                    : tip + " (" + keys.toString(QKeySequence::NativeText) + ")");
  // The main window shows a widget's status tip while the pointer is over
  // it, as it does an entry's of an open menu.
  button->setStatusTip(statusTip());
  button->SetActionEnabled(isEnabled());
  button->SetActionVisible(isVisible());
  button->setCheckable(isCheckable());
  button->setChecked(isChecked());
}

void uiAction::ForgetPlace(uiMenuData* menu, int id) {
  places_.erase(std::remove_if(places_.begin(), places_.end(),
                               [&](const PlaceRecord& p) { return p.menu == menu && p.id == id; }),
                places_.end());
}

void uiAction::SetShortcutWatcher(ShortcutWatcher watcher) { g_shortcutWatcher = watcher; }

// The toolkit tells the action of each change of its own with an event
// before its changed() signal: the menus showing it learn of it here, without
// a connection of the action to itself that every change would go through.
bool uiAction::event(QEvent* event) {
  if (event->type() == QEvent::ActionChanged) {
    Changed();
  } else if (event->type() == QEvent::Shortcut && g_shortcutWatcher && g_shortcutWatcher(this, event)) {
    return true;
  }
  return QAction::event(event);
}

void uiAction::Prefetch() const {
  const char* data = reinterpret_cast<const char*>(d_ptr.data());
  for (int line = 0; line < 4; ++line) __builtin_prefetch(data + 64 * line);
  for (const PlaceRecord& place : places_) {
    if (place.menu) place.menu->PrefetchItem(place.index);
  }
}

// Brings the action's menu items, and the buttons that show it now, in
// line with it. A button shared with a replacement follows whichever action
// is in force on it.
void uiAction::Changed() {
  for (PlaceRecord& place : places_) {
    if (place.menu) {
      place.menu->MarkDirty(place.id, place.index);
    } else if (place.button && place.button->ActionInForce() == this) {
      ShowOn(place.button);
    }
  }
}

uiSpriteAction::uiSpriteAction(uiObject* parent, const oxString& name, const uiIconSet& icon)
    : uiAction(parent, name) {
  if (!icon.IsNull()) SetIconSet(icon);
}
