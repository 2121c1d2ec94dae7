// What scripts see of a typed object (oxt::Object): its name, class and
// path in the tree, its parent and children (wrapped the same way), and
// its properties to read and set.
//
//   doc.name, doc.className, doc.path     ("Work/Folder/Note 1")
//   doc.parent(), doc.children()          wrappers; null at the top
//   doc.properties()                      the property names
//   doc.get("Text")                       a flag, number or text; an object
//                                         property as a wrapper; undefined
//                                         when the object has no such property
//   doc.set("Text", "milk")               in the property's own type; false
//                                         when the object refuses it
//
// A wrapper holds its object weakly: once the object is gone, it answers
// empty, null, undefined or false, and `alive` turns false.
#pragma once

#include <QJSValue>
#include <QObject>
#include <QStringList>
#include <cstdint>

namespace oxt {
class Object;
}

class QJSEngine;

class oxScriptObject : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString name READ name)
  Q_PROPERTY(QString className READ className)
  Q_PROPERTY(QString path READ path)
  Q_PROPERTY(bool alive READ alive)

 public:
  // A new wrapper owned by the engine's garbage collector; null for null.
  static QJSValue Wrap(QJSEngine& engine, oxt::Object* object);
  // The object a script value wraps, while it lives; null for anything else.
  static oxt::Object* Unwrap(const QJSValue& value);
  // The object at `path` below the default model's root (as `path` gives
  // it); null for none.
  static oxt::Object* Find(const QString& path);

  explicit oxScriptObject(oxt::Object* object);

  // Null once the object is gone.
  oxt::Object* GetObject() const;

  QString name() const;
  QString className() const;
  QString path() const;
  bool alive() const;
  Q_INVOKABLE QJSValue parent() const;
  Q_INVOKABLE QJSValue children() const;
  Q_INVOKABLE QStringList properties() const;
  Q_INVOKABLE QJSValue get(const QString& property) const;
  Q_INVOKABLE bool set(const QString& property, const QJSValue& value);

 private:
  QJSValue WrapOther(oxt::Object* object) const;

  const void* address_;
  std::uint64_t serial_;
};
