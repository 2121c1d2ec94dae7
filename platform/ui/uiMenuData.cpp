#include "platform/ui/uiMenuData.h"

#include <QActionEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <algorithm>
#include <unordered_map>

#include "platform/ui/uiAction.h"
#include "platform/ui/uiPopupMenu.h"

namespace {

int g_nextId = 1;

std::unordered_map<int, uiMenuData*>& Registry() {
  static std::unordered_map<int, uiMenuData*> registry;
  return registry;
}

struct BatchState {
  int depth = 0;
  std::vector<uiMenuData*> pending;
};

BatchState& Batch() {
  static BatchState state;
  return state;
}

bool IsNativeBar(const QMenuBar* bar) { return bar->isNativeMenuBar(); }
uiMenuData::NativeQuery g_nativeQuery = &IsNativeBar;

// Whether `raw` without its mnemonic markers and shortcut column is `plain`
// (what uiPlainText gives), without making the plain text.
// Bytes of a text known to be ASCII are taken as Latin-1, which never
// equals a character of an ASCII plain text unless it is that character.
inline QChar AsChar(QChar c) { return c; }
inline QChar AsChar(char c) { return QLatin1Char(c); }

template <class Raw>
bool PlainEquals(const Raw& raw, const QString& plain) {
  qsizetype at = 0;
  const qsizetype size = raw.size();
  for (qsizetype i = 0; i < size; ++i) {
    const QChar c = AsChar(raw[i]);
    if (c == '\t') break;
    if (c == '&') {
      if (i + 1 >= size || AsChar(raw[i + 1]) != '&') continue;
      ++i;
    }
    if (at >= plain.size() || plain[at] != c) return false;
    ++at;
  }
  return at == plain.size();
}

// A hash of the plain text of `raw` (as PlainEquals reads it) or, without
// `markers`, of `raw` as it stands: the two agree on a text and its plain
// form, so a path lookup passes over entries whose hash differs without
// reading them. Never 0.
size_t PlainHash(const QString& raw, bool markers) {
  size_t hash = 1469598103934665603ull;
  const qsizetype size = raw.size();
  for (qsizetype i = 0; i < size; ++i) {
    QChar c = raw[i];
    if (markers) {
      if (c == '\t') break;
      if (c == '&') {
        if (i + 1 >= size || raw[i + 1] != '&') continue;
        ++i;
      }
    }
    hash = (hash ^ c.unicode()) * 1099511628211ull;
  }
  return hash ? hash : 1;
}

// Swallows the per-action change events a menu bar gets while its items are
// synchronised, so that it lays itself out once afterwards instead of once
// per item.
class ChangeFilter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == QEvent::ActionChanged;
  }
};

// The position map, made again after items were inserted or removed. Out of
// line, so that the checks beside the last position found stay cheap.
template <class Items>
[[gnu::noinline]] int LookUpPosition(const Items& items, std::unordered_map<int, int>& positions,
                                     bool& valid, int id) {
  if (!valid) {
    positions.clear();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) positions[items[i].id] = i;
    valid = true;
  }
  const auto it = positions.find(id);
  return it == positions.end() ? -1 : it->second;
}

}  // namespace

uiMenuGate::~uiMenuGate() {
  std::vector<uiMenuData*> menus;
  menus.swap(menus_);
  for (uiMenuData* menu : menus) menu->DropGate(this);
}

void uiMenuGate::SetOpen(bool open) {
  if (open_ == open) return;
  open_ = open;
  for (uiMenuData* menu : menus_) menu->NoteGateChanged();
}

uiMenuData::~uiMenuData() {
  uiMenuBatch::Forget(this);
  for (size_t i = 0; i < items_.size(); ++i) {
    const Item& item = items_[i];
    if (item.gate) std::erase(item.gate->menus_, this);
    Registry().erase(slots_[i].id);
    if (item.action) item.action->ForgetPlace(this, slots_[i].id);
  }
}

int uiMenuData::IdAt(int index) const {
  return index >= 0 && index < Count() ? slots_[index].id : -1;
}

int uiMenuData::IndexOf(int id) const {
  const int hint = lastIndex_;
  const int count = Count();
  if (hint < count && slots_[hint].id == id) return hint;
  if (hint + 1 < count && slots_[hint + 1].id == id) return lastIndex_ = hint + 1;
  if (hint > 0 && hint <= count && slots_[hint - 1].id == id) return lastIndex_ = hint - 1;
  const int index = LookUpPosition(slots_, positions_, positionsValid_, id);
  if (index >= 0) lastIndex_ = index;
  return index;
}

uiMenuData::Item* uiMenuData::Find(int id) {
  const int index = IndexOf(id);
  return index < 0 ? nullptr : &items_[index];
}

const uiMenuData::Item* uiMenuData::Find(int id) const {
  const int index = IndexOf(id);
  return index < 0 ? nullptr : &items_[index];
}

uiMenuData* uiMenuData::FindContainer(int id) {
  const auto it = Registry().find(id);
  return it == Registry().end() ? nullptr : it->second;
}

int uiMenuData::Insert(Item item, int index) {
  if (index < 0 || index > Count()) index = Count();
  const int id = g_nextId++;
  QWidget* menu = MenuWidget();
  auto* proxy = new QAction(menu);
  proxy->setSeparator(item.separator);
  if (item.popup) proxy->setMenu(item.popup);
  QObject::connect(proxy, &QAction::triggered, menu, [this, id] { OnProxyTriggered(id); });
  QAction* before = index < Count() ? items_[index].proxy.data() : nullptr;
  item.proxy = proxy;
  items_.insert(items_.begin() + index, std::move(item));
  slots_.insert(slots_.begin() + index, Slot{0, id});
  positionsValid_ = false;
  NoteEntriesChanged();
  Apply(items_[index]);  // a new entry is right at once
  menu->insertAction(before, proxy);
  Registry()[id] = this;
  return id;
}

int uiMenuData::InsertItem(const oxString& text, uiPopupMenu* popup, int index) {
  Item item;
  item.text = text;
  item.popup = popup;
  const int id = Insert(std::move(item), index);
  if (popup && qobject_cast<QMenuBar*>(MenuWidget())) popup->holderId_ = id;
  return id;
}

int uiMenuData::InsertSeparator(int index) {
  Item item;
  item.separator = true;
  return Insert(std::move(item), index);
}

int uiMenuData::InsertActionItem(uiAction* action, int index) {
  Item item;
  item.action = action;
  return Insert(std::move(item), index);
}

void uiMenuData::RemoveItem(int id) {
  const int index = IndexOf(id);
  if (index < 0) return;
  Item item = std::move(items_[index]);
  items_.erase(items_.begin() + index);
  slots_.erase(slots_.begin() + index);
  positionsValid_ = false;
  NoteEntriesChanged();
  Registry().erase(id);
  if (item.action) item.action->ForgetPlace(this, id);
  ReleaseGate(item.gate);
  delete item.proxy.data();
}

void uiMenuData::Clear() {
  while (!slots_.empty()) RemoveItem(slots_.back().id);
}

void uiMenuData::ForgetAction(uiAction* action) {
  for (int i = Count() - 1; i >= 0; --i) {
    if (items_[i].action != action) continue;
    items_[i].action = nullptr;  // no call back into the dying action
    RemoveItem(slots_[i].id);
  }
}

oxString uiMenuData::Text(int id, bool plain) const {
  const Item* item = Find(id);
  if (!item || item->separator) return {};
  const oxString text = item->action ? item->action->MenuText() : item->text;
  return plain ? oxStr(uiPlainText(uiStr(text))) : text;
}

int uiMenuData::FindVisibleItem(const oxString& plainText) const {
  const QString plain = uiStr(plainText);
  // A text with other than ASCII is compared the slow way.
  const bool ascii = std::all_of(plainText.begin(), plainText.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  const size_t hash = PlainHash(plain, false);
  for (int i = 0; i < Count(); ++i) {
    if (slots_[i].key != hash && slots_[i].key != 0) continue;
    const Item& item = items_[i];
    if (item.separator || !IsShown(item) || (!item.action && !item.popup)) continue;
    const bool equal = item.action ? PlainEquals(item.action->QAction::text(), plain)
                       : ascii     ? PlainEquals(item.text, plain)
                                   : uiPlainText(uiStr(item.text)) == plain;
    if (equal) return i;
  }
  return -1;
}

void uiMenuData::ChangeItem(int id, const oxString& text) {
  if (Item* item = Find(id)) {
    item->text = text;
    MarkDirty(id);
  }
}

void uiMenuData::SetItemVisible(int id, bool visible) {
  Item* item = Find(id);
  if (!item || item->visible == visible) return;
  item->visible = visible;
  // MarkDirty(id) without a second lookup: switches call this per entry.
  slots_[item - items_.data()].dirty = true;
  NoteChanged();
}

bool uiMenuData::IsItemVisible(int id) const {
  const Item* item = Find(id);
  return item && IsShown(*item);
}

void uiMenuData::SetItemGate(int id, uiMenuGate* gate) {
  Item* item = Find(id);
  if (!item || item->gate == gate) return;
  uiMenuGate* old = item->gate;
  item->gate = gate;
  ReleaseGate(old);
  if (gate && std::find(gate->menus_.begin(), gate->menus_.end(), this) == gate->menus_.end()) {
    gate->menus_.push_back(this);
  }
  MarkDirty(id);
}

void uiMenuData::ReleaseGate(uiMenuGate* gate) {
  if (gate && std::none_of(items_.begin(), items_.end(),
                           [gate](const Item& item) { return item.gate == gate; })) {
    std::erase(gate->menus_, this);
  }
}

void uiMenuData::NoteGateChanged() {
  gatesChanged_ = true;
  NoteChanged();
}

void uiMenuData::DropGate(uiMenuGate* gate) {
  for (size_t i = 0; i < items_.size(); ++i) {
    Item& item = items_[i];
    if (item.gate != gate) continue;
    item.visible = IsShown(item);
    item.gate = nullptr;
    slots_[i].dirty = true;
  }
  NoteChanged();
}

void uiMenuData::SetItemEnabled(int id, bool enabled) {
  Item* item = Find(id);
  if (!item || item->enabled == enabled) return;
  item->enabled = enabled;
  MarkDirty(id);
}

bool uiMenuData::IsItemEnabled(int id) const {
  const Item* item = Find(id);
  return item && item->enabled;
}

bool uiMenuData::IsSeparator(int id) const {
  const Item* item = Find(id);
  return item && item->separator;
}

uiPopupMenu* uiMenuData::FindItemPopup(int id) const {
  const Item* item = Find(id);
  return item ? item->popup.data() : nullptr;
}

uiAction* uiMenuData::ItemAction(int id) const {
  const Item* item = Find(id);
  return item ? item->action : nullptr;
}

void uiMenuData::MarkDirty(int id) {
  int unknown = -1;
  MarkDirty(id, unknown);
}

void uiMenuData::MarkDirty(int id, int& hint) {
  if (hint < 0 || hint >= Count() || slots_[hint].id != id) hint = IndexOf(id);
  if (hint < 0) return;
  slots_[hint].dirty = true;
  slots_[hint].key = 0;
  NoteChanged();
}

void uiMenuData::NoteChanged() {
  dirty_ = true;
  if (!enlisted_) ScheduleSync();  // else the batch synchronises it
  NoteEntriesChanged();
}

bool uiMenuData::HasShownEntry() const {
  if (items_.empty()) return true;
  return std::any_of(items_.begin(), items_.end(), [](const Item& item) {
    return !item.separator && IsShown(item) && (!item.action || item.action->isVisible());
  });
}

// A switch changes many entries of one menu: the bar hears of it once.
void uiMenuData::NoteEntriesChanged() {
  if (!holderId_ || holderStale_) return;
  holderStale_ = true;
  if (uiMenuData* bar = FindContainer(holderId_)) bar->MarkDirty(holderId_);
}

void uiMenuData::SetNativeMenuBarQuery(NativeQuery query) {
  g_nativeQuery = query ? query : &IsNativeBar;
}

void uiMenuData::ScheduleSync() {
  if (uiMenuBatch::IsActive()) {
    uiMenuBatch::Enlist(this);
    return;
  }
  // A popup that is not on screen, nor torn off, nor opening, catches up
  // when it is about to show.
  if (auto* menu = qobject_cast<QMenu*>(MenuWidget())) {
    if (!menu->isVisible() && !opening_ && !menu->isTearOffMenuVisible()) return;
  }
  Synchronise();
}

void uiMenuData::Synchronise() {
  if (!dirty_) return;
  dirty_ = false;
  auto* bar = qobject_cast<QMenuBar*>(MenuWidget());
  if (bar && g_nativeQuery(bar)) bar = nullptr;  // every change goes through
  ChangeFilter filter;
  if (bar) bar->installEventFilter(&filter);
  QAction* changed = nullptr;
  const bool gatesChanged = gatesChanged_;
  gatesChanged_ = false;
  for (size_t i = 0; i < items_.size(); ++i) {
    Item& item = items_[i];
    if (!slots_[i].dirty && !(gatesChanged && item.gate)) continue;
    slots_[i].dirty = false;
    Apply(item);
    changed = item.proxy;
  }
  if (bar) {
    bar->removeEventFilter(&filter);
    if (changed) {
      QActionEvent event(QEvent::ActionChanged, changed);
      QCoreApplication::sendEvent(bar, &event);
    }
  }
}

// The proxy shows the item: its own text, or its action's menu text with the
// action's shortcut in the shortcut column. The proxy never holds the
// shortcut itself, so the key reaches the action exactly once.
void uiMenuData::Apply(Item& item) {
  QAction* proxy = item.proxy;
  uiAction* action = item.action;
  QString text = action ? action->QAction::text() : uiStr(item.text);
  Slot& slot = slots_[&item - items_.data()];
  slot.key = PlainHash(text, true);
  const int id = slot.id;
  if (!proxy || item.separator) {
    if (proxy) proxy->setVisible(IsShown(item));
    return;
  }
  // Each write below that changes something tells every widget showing the
  // proxy: only what differs is written.
  if (action && !action->shortcut().isEmpty()) {
    text += '\t' + action->shortcut().toString(QKeySequence::NativeText);
  }
  if (proxy->text() != text) proxy->setText(text);
  if (action) {
    if (proxy->icon().cacheKey() != action->icon().cacheKey()) proxy->setIcon(action->icon());
    proxy->setCheckable(action->isCheckable());
    proxy->setChecked(action->isChecked());
    proxy->setStatusTip(action->statusTip());
    proxy->setToolTip(action->toolTip());
    proxy->setWhatsThis(action->whatsThis());
    proxy->setEnabled(item.enabled && action->isEnabled());
    proxy->setVisible(IsShown(item) && action->isVisible());
  } else {
    proxy->setEnabled(item.enabled);
    bool shown = IsShown(item);
    if (uiPopupMenu* popup = item.popup; popup && popup->holderId_ == id) {
      popup->holderStale_ = false;
      shown = shown && popup->HasShownEntry();
    }
    proxy->setVisible(shown);
  }
}

// A stale copy of the item (a torn-off menu that missed a change) never runs
// an action that the recorded state hides or disables.
void uiMenuData::OnProxyTriggered(int id) {
  Item* item = Find(id);
  if (!item || !item->action) return;
  uiAction* action = item->action;
  if (!IsShown(*item) || !item->enabled || !action->isVisible() || !action->isEnabled()) return;
  // The proxy toggled itself; the action decides the state.
  if (item->proxy) item->proxy->setChecked(action->isChecked());
  action->activate(QAction::Trigger);
}

uiMenuBatch::uiMenuBatch() { ++Batch().depth; }

uiMenuBatch::~uiMenuBatch() {
  BatchState& state = Batch();
  if (--state.depth > 0) return;
  std::vector<uiMenuData*> pending;
  pending.swap(state.pending);
  for (uiMenuData* menu : pending) menu->enlisted_ = false;
  for (uiMenuData* menu : pending) menu->ScheduleSync();
}

bool uiMenuBatch::IsActive() { return Batch().depth > 0; }

void uiMenuBatch::Enlist(uiMenuData* menu) {
  if (menu->enlisted_) return;
  menu->enlisted_ = true;
  Batch().pending.push_back(menu);
}

void uiMenuBatch::Forget(uiMenuData* menu) {
  if (!menu->enlisted_) return;
  auto& pending = Batch().pending;
  pending.erase(std::remove(pending.begin(), pending.end(), menu), pending.end());
}
