// A command of the toolkit: text, icon, tips, shortcut, checked and enabled
// state, shown as items of menus and buttons of toolbars.
//
// The action sits in its parent widget's action list (the main window), so
// its shortcut works whether or not a menu shows it. Menu items are proxies
// kept by the menus (uiMenuData); toolbar buttons are uiToolButtons that
// follow the action.
#pragma once

#include <QAction>
#include <QPointer>
#include <QVarLengthArray>
#include <vector>

#include "platform/signals/oxSignal.h"
#include "platform/ui/uiIconSet.h"
#include "platform/ui/uiKeySequence.h"
#include "platform/ui/uiObject.h"

class uiActionGroup;
class uiMenuData;
class uiToolButton;
class uiWidget;

// A menu text as a person reads it: mnemonic markers removed ("&File"
// gives "File", "&&" gives "&") and cut at the first tab.
QString uiPlainText(QString text);

class uiAction : public QAction, public uiObject {
  UI_OBJECT(uiAction, uiObject)

 public:
  // The parent owns the action; a parent widget also carries its shortcut.
  uiAction(uiObject* parent, const oxString& name);
  // Takes the action's items out of every menu and its buttons out of every
  // toolbar.
  ~uiAction() override;

  QObject* GetImpl() const override { return const_cast<uiAction*>(this); }

  // Text is the plain name (tool tips, toolbar labels); menu text is what
  // menus show, with its "&" mnemonic.
  void SetText(const oxString& text);
  oxString Text() const { return oxStr(text_); }
  void SetMenuText(const oxString& text);
  oxString MenuText() const { return oxStr(QAction::text()); }

  void SetIconSet(const uiIconSet& icon);
  const uiIconSet& IconSet() const { return iconSet_; }
  void SetToolTip(const oxString& tip) { setToolTip(uiStr(tip)); }
  oxString ToolTip() const { return oxStr(toolTip()); }
  void SetStatusTip(const oxString& tip) { setStatusTip(uiStr(tip)); }
  oxString StatusTip() const { return oxStr(statusTip()); }
  void SetWhatsThis(const oxString& text) { setWhatsThis(uiStr(text)); }
  oxString WhatsThis() const { return oxStr(whatsThis()); }

  // An empty sequence removes the shortcut.
  void SetAccel(const uiKeySequence& keys);
  uiKeySequence Accel() const { return uiKeySequence(shortcut()); }

  void SetToggleAction(bool toggle, bool unused = false);
  bool IsToggleAction() const { return isCheckable(); }
  void SetOn(bool on) { setChecked(on); }
  bool IsOn() const { return isChecked(); }
  virtual void SetEnabled(bool enabled) { setEnabled(enabled); }
  bool IsEnabled() const { return isEnabled(); }
  virtual void SetVisible(bool visible) { setVisible(visible); }
  bool IsVisible() const { return isVisible(); }

  // A plain action emits OnActivate(); a checkable one flips and emits
  // OnToggle().
  void Activate() { activate(QAction::Trigger); }
  // Flips a checkable action; nothing for a plain one, nor for the checked
  // member of an exclusive group.
  void Toggle();

  // Places the action: in a popup menu or menu bar as an item at `index`
  // (-1 appends), in a toolbar as a button at the end. False for other
  // widgets.
  virtual bool AddTo(uiWidget* widget, int index = -1);
  // Takes the action's items and buttons out of the widget.
  virtual bool RemoveFrom(uiWidget* widget);

  // Makes the group the action's only group (null: none).
  void SetGroup(uiActionGroup* group);
  // The group the action joined last, or null. An action may sit in several
  // groups; each is told when the action goes.
  uiActionGroup* Group() const { return groups_.empty() ? nullptr : groups_.back(); }

  oxiSignal0<void>& OnActivate() { return onActivate_; }
  oxiSignal1<void, bool>& OnToggle() { return onToggle_; }
  // After OnToggle, for a checkable action the user toggled (an item, a
  // button, a key: what triggers the toolkit action), not SetOn or Toggle.
  oxiSignal1<void, bool>& OnUserToggle() { return onUserToggle_; }

  // Where the action is shown: a menu and the item id, or a toolbar button
  // and -1.
  struct Place {
    uiObject* widget;
    int id;
  };
  oxStlVector<Place> GetActionItems() const;
  // The action whose menu item has the id, or null.
  static uiAction* ActionLookup(int id);
  // Makes `action` a further user of a widget that shows another action
  // (a shared tool button), so that GetActionItems lists it.
  static void AddToActionItemMap(uiAction* action, uiWidget* widget, int id);

  // Shows the action on a tool button: icon, label, enabled and checked state.
  void ShowOn(uiToolButton* button) const;

  // Sees every key press the toolkit hands to an action of this kind before
  // the action runs; answering true takes the press. One watcher for all
  // actions (null: none): a watcher of the keys needs no event filter on
  // each action, which every change of the action would pass through.
  using ShortcutWatcher = bool (*)(QAction* action, QEvent* press);
  static void SetShortcutWatcher(ShortcutWatcher watcher);

  // Asks for the memory a change of the action touches, without waiting
  // for it: the action's toolkit data and where its menu items are kept.
  void Prefetch() const;

 protected:
  bool event(QEvent* event) override;
  void connectNotify(const QMetaMethod& signal) override;
  void disconnectNotify(const QMetaMethod& signal) override;
  bool AddItemTo(uiMenuData* menu, int index);
  // Before the toolbar's entry at `index`; at the end for -1.
  bool AddButtonTo(uiWidget* toolbar, int index = -1);

 private:
  friend class uiMenuData;
  friend class uiActionGroup;
  struct PlaceRecord {
    uiMenuData* menu = nullptr;
    QPointer<uiToolButton> button;
    int id = -1;
    int index = -1;  // where the item was last seen in the menu
    bool ownsButton = false;
  };

  void ForgetPlace(uiMenuData* menu, int id);
  void Changed();

  QString text_;
  uiIconSet iconSet_;
  std::vector<uiActionGroup*> groups_;
  // Mostly one place: kept in the action, where a change finds it without
  // a further fetch from memory.
  QVarLengthArray<PlaceRecord, 1> places_;
  int changedListeners_ = 0;  // connections to changed(), never too few
  oxiSignal0<void> onActivate_;
  oxiSignal1<void, bool> onToggle_;
  oxiSignal1<void, bool> onUserToggle_;
};

// An action made for large icons ("sprites"); placed like any action.
class uiSpriteAction : public uiAction {
  UI_OBJECT(uiSpriteAction, uiAction)

 public:
  uiSpriteAction(uiObject* parent, const oxString& name, const uiIconSet& icon);
};
