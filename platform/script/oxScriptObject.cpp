#include "platform/script/oxScriptObject.h"

#include <QJSEngine>

#include "platform/oxt/Model.h"
#include "platform/oxt/Object.h"

QJSValue oxScriptObject::Wrap(QJSEngine& engine, oxt::Object* object) {
  if (!object) return QJSValue(QJSValue::NullValue);
  return engine.newQObject(new oxScriptObject(object));  // no parent: the collector owns it
}

oxt::Object* oxScriptObject::Unwrap(const QJSValue& value) {
  const auto* wrapper = qobject_cast<const oxScriptObject*>(value.toQObject());
  return wrapper ? wrapper->GetObject() : nullptr;
}

oxt::Object* oxScriptObject::Find(const QString& path) {
  return oxt::Model::Get()->FindObject(path.toStdString());
}

oxScriptObject::oxScriptObject(oxt::Object* object) : address_(object), serial_(object->GetSerial()) {}

oxt::Object* oxScriptObject::GetObject() const {
  oxt::Object* object = oxt::Object::FromAddress(address_);
  return object && object->GetSerial() == serial_ ? object : nullptr;
}

QJSValue oxScriptObject::WrapOther(oxt::Object* object) const {
  QJSEngine* engine = qjsEngine(this);
  return engine ? Wrap(*engine, object) : QJSValue(QJSValue::NullValue);
}

QString oxScriptObject::name() const {
  const oxt::Object* object = GetObject();
  return object ? QString::fromStdString(object->GetName()) : QString();
}

QString oxScriptObject::className() const {
  const oxt::Object* object = GetObject();
  return object ? QString::fromStdString(object->ClassName()) : QString();
}

// The names from below the model's root down to the object; an object
// outside the default model starts with its top ancestor.
QString oxScriptObject::path() const {
  QStringList names;
  const oxt::Object* root = oxt::Model::Get()->GetRoot();
  for (const oxt::Object* at = GetObject(); at && at != root; at = at->GetParent())
    names.prepend(QString::fromStdString(at->GetName()));
  return names.join('/');
}

bool oxScriptObject::alive() const { return GetObject() != nullptr; }

QJSValue oxScriptObject::parent() const {
  const oxt::Object* object = GetObject();
  return WrapOther(object ? object->GetParent() : nullptr);
}

QJSValue oxScriptObject::children() const {
  QJSEngine* engine = qjsEngine(this);
  const oxt::Object* object = GetObject();
  if (!engine || !object) return QJSValue(QJSValue::NullValue);
  const auto& list = object->GetChildren();
  QJSValue array = engine->newArray(static_cast<uint>(list.size()));
  for (std::size_t i = 0; i < list.size(); ++i)
    array.setProperty(static_cast<quint32>(i), Wrap(*engine, list[i]));
  return array;
}

QStringList oxScriptObject::properties() const {
  QStringList names;
  if (oxt::Object* object = GetObject())
    for (const oxString& name : object->GetPropertyNames()) names << QString::fromStdString(name);
  return names;
}

QJSValue oxScriptObject::get(const QString& property) const {
  oxt::Object* object = GetObject();
  oxt::Property p(property.toStdString());
  if (!object || !object->GetProperty(p)) return QJSValue(QJSValue::UndefinedValue);
  const oxt::Variant& value = p.GetValue();
  switch (value.GetType()) {
    case oxt::Variant::Type::Boolean: return QJSValue(value.GetBoolean());
    case oxt::Variant::Type::Integer: return QJSValue(value.GetInteger());
    case oxt::Variant::Type::Long: return QJSValue(static_cast<double>(value.GetLong()));
    case oxt::Variant::Type::String: return QJSValue(QString::fromStdString(value.GetString()));
    case oxt::Variant::Type::Pointer: return WrapOther(oxt::Object::FromAddress(value.GetPointer()));
    case oxt::Variant::Type::Empty: break;
  }
  return QJSValue(QJSValue::NullValue);
}

// A wrapper sets an object property ("@Parent" moves the object); anything
// else goes as text read in the property's own type, or as text for a
// property the object does not have yet.
bool oxScriptObject::set(const QString& property, const QJSValue& value) {
  oxt::Object* object = GetObject();
  if (!object) return false;
  oxt::Property p(property.toStdString());
  const bool known = object->GetProperty(p);
  oxt::Variant::Type type = known ? p.GetValue().GetType() : oxt::Variant::Type::String;
  if (oxt::Object* other = Unwrap(value)) {
    p.SetValue(oxt::Variant(static_cast<void*>(other)));
  } else if (type == oxt::Variant::Type::Pointer) {
    return false;
  } else {
    if (type == oxt::Variant::Type::Empty) type = oxt::Variant::Type::String;
    p.SetValue(oxt::Variant::FromString(type, value.toString().toStdString()));
  }
  return object->SetProperty(p);
}
