// Base of the toolkit layer: every ui object is a Qt object underneath and
// this mixin on top, so a Qt object found by a search maps back to its ui
// face with a dynamic_cast (uiApplication::WidgetLookup).
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstring>

#include "platform/core/oxTypes.h"

using uiString = QString;

inline uiString uiStr(const oxString& text) { return QString::fromStdString(text); }
inline oxString oxStr(const uiString& text) { return text.toStdString(); }

class uiPoint {
 public:
  uiPoint(int x = 0, int y = 0) : x_(x), y_(y) {}
  uiPoint(const QPoint& p) : x_(p.x()), y_(p.y()) {}
  int X() const { return x_; }
  int Y() const { return y_; }
  operator QPoint() const { return {x_, y_}; }

 private:
  int x_, y_;
};

class uiSize {
 public:
  uiSize(int width = 0, int height = 0) : w_(width), h_(height) {}
  uiSize(const QSize& s) : w_(s.width()), h_(s.height()) {}
  int Width() const { return w_; }
  int Height() const { return h_; }
  operator QSize() const { return {w_, h_}; }

 private:
  int w_, h_;
};

class uiRect {
 public:
  uiRect(int x = 0, int y = 0, int width = 0, int height = 0) : x_(x), y_(y), w_(width), h_(height) {}
  uiRect(const QRect& r) : x_(r.x()), y_(r.y()), w_(r.width()), h_(r.height()) {}
  int X() const { return x_; }
  int Y() const { return y_; }
  int Width() const { return w_; }
  int Height() const { return h_; }
  // No area: the default rectangle, "no place asked for".
  bool IsEmpty() const { return w_ <= 0 || h_ <= 0; }
  operator QRect() const { return {x_, y_, w_, h_}; }

 private:
  int x_, y_, w_, h_;
};

// Declares the class-name protocol of a ui class: ClassName() answers the
// most derived class, IsA() is true for the class and all its ui bases.
#define UI_OBJECT(Class, Base)                                              \
 public:                                                                    \
  const char* ClassName() const override { return #Class; }                 \
  bool IsA(const char* name) const override {                               \
    return std::strcmp(name, #Class) == 0 || Base::IsA(name);               \
  }                                                                         \
                                                                            \
 private:

class uiObject {
 public:
  virtual ~uiObject() = default;

  // The Qt object underneath (the same object for classes derived from Qt).
  virtual QObject* GetImpl() const = 0;

  virtual const char* ClassName() const { return "uiObject"; }
  virtual bool IsA(const char* name) const { return std::strcmp(name, "uiObject") == 0; }

  oxString Name() const { return oxStr(GetImpl()->objectName()); }
  void SetName(const oxString& name) { GetImpl()->setObjectName(uiStr(name)); }

  // Child objects that have a ui face, in creation order.
  oxStlVector<uiObject*> Children() const;
};

