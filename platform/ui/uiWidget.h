// Widget face of the toolkit layer. uiWidgetT<Q> makes a Qt widget class a
// ui widget; hides are reported through OnHide() so that owners can tell a
// hide they asked for from one the window system made.
#pragma once

#include <QHideEvent>
#include <QWidget>

#include "platform/signals/oxSignal.h"
#include "platform/ui/uiIconSet.h"
#include "platform/ui/uiObject.h"

class uiHideEvent {
 public:
  explicit uiHideEvent(QHideEvent* event) : event_(event) {}
  // True for hides that come from the window system (minimising, another
  // virtual desktop), false for hides the program asked for.
  bool Spontaneous() const { return event_->spontaneous(); }

 private:
  QHideEvent* event_;
};

class uiWidget : public uiObject {
  UI_OBJECT(uiWidget, uiObject)

 public:
  virtual QWidget* GetWidget() const = 0;
  QObject* GetImpl() const override { return GetWidget(); }

  void Show() { GetWidget()->show(); }
  void Hide() { GetWidget()->hide(); }
  bool IsVisible() const { return GetWidget()->isVisible(); }
  void SetEnabled(bool on) { GetWidget()->setEnabled(on); }
  bool IsEnabled() const { return GetWidget()->isEnabled(); }

  void Move(const uiPoint& pos) { GetWidget()->move(pos); }
  void Resize(const uiSize& size) { GetWidget()->resize(size); }
  void SetGeometry(int x, int y, int width, int height);
  uiPoint Pos() const { return GetWidget()->pos(); }
  uiSize Size() const { return GetWidget()->size(); }
  // Qt::WindowStates bits, passed through unchanged.
  unsigned WindowState() const { return static_cast<unsigned>(GetWidget()->windowState()); }
  void SetWindowState(unsigned state);

  oxString Caption() const { return oxStr(GetWidget()->windowTitle()); }
  void SetCaption(const oxString& caption) { GetWidget()->setWindowTitle(uiStr(caption)); }
  // The window icon, inherited from the nearest parent that has one (the
  // application's icon when none has).
  uiIconSet Icon() const { return uiIconSet(GetWidget()->windowIcon(), {}); }
  WId WinId() const { return GetWidget()->winId(); }

  // The ui widget that is this widget's Qt parent, or null.
  uiWidget* ParentWidget() const;

  oxiSignal1<void, uiHideEvent*>& OnHide() { return onHide_; }

 protected:
  void NotifyHidden(QHideEvent* event) {
    uiHideEvent e(event);
    onHide_.Emit(&e);
  }

 private:
  oxiSignal1<void, uiHideEvent*> onHide_;
};

// A Qt widget class with the ui face. The widget is its own impl.
template <class Q>
class uiWidgetT : public Q, public uiWidget {
 public:
  using Q::Q;
  QWidget* GetWidget() const override { return const_cast<uiWidgetT*>(this); }

 protected:
  void hideEvent(QHideEvent* event) override {
    Q::hideEvent(event);
    NotifyHidden(event);
  }
};

inline QWidget* uiImpl(uiWidget* widget) { return widget ? widget->GetWidget() : nullptr; }

// The widget in `area` (itself included) that takes the keyboard: the one
// that had it last, else the first that accepts it by Tab; null when none
// does or the area is not on screen.
QWidget* uiFindFocusTarget(QWidget* area);
