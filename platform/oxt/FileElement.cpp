#include "platform/oxt/FileElement.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <charconv>

#include "platform/core/oxDiagnostic.h"
#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Object.h"
#include "platform/oxt/Property.h"
#include "platform/vos/vosFile.h"
#include "platform/vos/vosSaveFile.h"

// The XML form:
//
//   <session version="1">
//     <element name="...">                      the root element
//       <text>...</text>                        only when the text is not empty
//       <value name="Layout" type="int">4</value>
//       <element name="OBJECT" class="fwg::Project" object="P1"> ... </element>
//     </element>
//   </session>
//
// Strings that XML cannot carry as they are (control characters, bytes that
// are not UTF-8) are written in base64: as <value encoding="base64"> or
// <text encoding="base64"> for content, and as "<attribute>.b64" for
// attributes.

namespace oxt {

namespace {

const char kObject[] = "OBJECT";
const char kFormatVersion[] = "1";
// Deeper nesting is refused on reading so that hostile input cannot
// exhaust the stack in the recursive walks over the tree.
constexpr int kMaxDepth = 2048;

QString ToQt(const oxString& s) { return QString::fromStdString(s); }
oxString FromQt(QStringView s) { return s.toString().toStdString(); }

// The text as XML carries it unchanged, or false: valid UTF-8 and only
// characters XML allows (tab and newline only inside element content, where
// they are not normalised away). Sessions are mostly ASCII, which is taken
// without decoding.
bool ToXmlText(const oxString& s, bool inContent, QString* out) {
  bool ascii = true;
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80) {
      ascii = false;
      break;
    }
    if (u < 0x20 && !(inContent && (u == '\n' || u == '\t'))) return false;
  }
  if (ascii) {
    *out = QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    return true;
  }
  QString text = QString::fromStdString(s);
  if (text.toStdString() != s) return false;  // not UTF-8
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x20 && !(inContent && (u == '\n' || u == '\t'))) return false;
    if (u == 0xFFFE || u == 0xFFFF) return false;
  }
  *out = std::move(text);
  return true;
}

QString ToBase64(const oxString& s) {
  return QString::fromLatin1(QByteArray::fromStdString(s).toBase64());
}

bool FromBase64(QStringView text, oxString* out) {
  const auto result = QByteArray::fromBase64Encoding(
      text.toLatin1(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
  if (!result) return false;
  *out = result.decoded.toStdString();
  return true;
}

void WriteStringAttribute(QXmlStreamWriter& w, const QString& key, const oxString& value) {
  QString text;
  if (ToXmlText(value, false, &text)) {
    w.writeAttribute(key, text);
  } else {
    w.writeAttribute(key + ".b64", ToBase64(value));
  }
}

// The content of the element just started, in base64 (and marked so) when
// XML cannot carry it as it is.
void WriteContent(QXmlStreamWriter& w, const oxString& content) {
  QString text;
  if (ToXmlText(content, true, &text)) {
    if (!text.isEmpty()) w.writeCharacters(text);
  } else {
    w.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
    w.writeCharacters(ToBase64(content));
  }
}

// Input echoed in an error message is shortened; the message as a whole is
// kept on one line by Parse.
QString Shorten(QStringView text) {
  constexpr qsizetype kMaxShown = 40;
  return text.size() > kMaxShown ? text.left(kMaxShown).toString() + "..." : text.toString();
}

QString Quote(QStringView text) { return "'" + Shorten(text) + "'"; }

template <class Int>
bool ParseInteger(const oxString& text, Int* out) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, *out);
  return ec == std::errc() && ptr == end && !text.empty();
}

}  // namespace

struct FileElement::Internal {
  oxString name;
  oxString text;
  FileElement* parent = nullptr;
  oxStlVector<std::pair<oxString, Variant>> values;
  oxStlVector<FileElement*> elements;  // owned
  oxString objectClass;  // set for "OBJECT" elements only
  oxString objectName;

  void Write(QXmlStreamWriter& w) const;
};

// Reads the XML form into a fresh tree; never prints. The reader keeps its
// own stack of open elements, so nesting costs no C++ stack.
class FileElementParser {
 public:
  explicit FileElementParser(const QByteArray& data) : reader_(data) {}

  std::unique_ptr<FileElement> Parse(oxString* error) {
    while (!reader_.atEnd() && !reader_.hasError()) Step();
    if (!reader_.hasError() && !root_) reader_.raiseError("the session has no root element");
    if (reader_.hasError()) {
      QString reason = reader_.errorString();
      for (QChar& c : reason) {
        if (c.unicode() < 0x20) c = u' ';
      }
      *error = std::to_string(reader_.lineNumber()) + ":" +
               std::to_string(reader_.columnNumber()) + ": " + reason.toStdString();
      return nullptr;
    }
    return std::move(root_);
  }

 private:
  void Step() {
    switch (reader_.readNext()) {
      case QXmlStreamReader::StartElement: StartElement(); break;
      case QXmlStreamReader::EndElement:
        if (!open_.empty()) open_.pop_back();
        break;
      case QXmlStreamReader::Characters:
        if (!reader_.isWhitespace()) reader_.raiseError("unexpected text");
        break;
      case QXmlStreamReader::DTD: reader_.raiseError("document type declarations are not allowed"); break;
      case QXmlStreamReader::EntityReference: reader_.raiseError("unknown entity"); break;
      default: break;  // document start and end, comments, processing instructions
    }
  }

  void StartElement() {
    const QStringView tag = reader_.name();
    if (!inSession_) {
      if (tag != u"session") return reader_.raiseError("the document is not a session");
      const QStringView version = reader_.attributes().value("version");
      if (!version.isEmpty() && version != QLatin1String(kFormatVersion)) {
        return reader_.raiseError("unsupported session version " + Quote(version));
      }
      inSession_ = true;
      return;
    }
    if (open_.empty()) {
      if (tag != u"element") return Unexpected(tag);
      if (root_) return reader_.raiseError("more than one root element");
      root_ = std::make_unique<FileElement>();
      return ReadElementAttributes(root_.get());
    }
    if (tag == u"element") {
      if (static_cast<int>(open_.size()) >= kMaxDepth) {
        return reader_.raiseError("elements nested too deeply");
      }
      return ReadElementAttributes(new FileElement(open_.back(), {}, {}));
    }
    if (tag == u"value") return ReadValue();
    if (tag == u"text") {
      oxString text;
      if (ReadContent(&text)) open_.back()->internal_->text = text;
      return;
    }
    Unexpected(tag);
  }

  void Unexpected(QStringView tag) {
    reader_.raiseError("unexpected element <" + Shorten(tag) + ">");
  }

  void ReadElementAttributes(FileElement* element) {
    open_.push_back(element);
    FileElement::Internal& data = *element->internal_;
    const QXmlStreamAttributes attributes = reader_.attributes();
    if (!ReadAttribute(attributes, "name", &data.name)) return;
    if (!ReadAttribute(attributes, "class", &data.objectClass)) return;
    ReadAttribute(attributes, "object", &data.objectName);
  }

  bool ReadAttribute(const QXmlStreamAttributes& attributes, const QString& key, oxString* out) {
    if (attributes.hasAttribute(key)) {
      *out = FromQt(attributes.value(key));
      return true;
    }
    const QString encodedKey = key + ".b64";
    if (attributes.hasAttribute(encodedKey) && !FromBase64(attributes.value(encodedKey), out)) {
      reader_.raiseError("bad base64 in attribute '" + encodedKey + "'");
      return false;
    }
    return true;
  }

  // The text of the current element, base64 decoded if so marked.
  bool ReadContent(oxString* out) {
    const QString encoding = reader_.attributes().value("encoding").toString();
    const QString text = reader_.readElementText();
    if (reader_.hasError()) return false;
    if (encoding.isEmpty()) {
      *out = text.toStdString();
      return true;
    }
    if (encoding != "base64") {
      reader_.raiseError("unknown encoding " + Quote(encoding));
      return false;
    }
    if (!FromBase64(text, out)) {
      reader_.raiseError("bad base64 content");
      return false;
    }
    return true;
  }

  void ReadValue() {
    const QXmlStreamAttributes attributes = reader_.attributes();
    oxString name;
    if (!ReadAttribute(attributes, "name", &name)) return;
    const oxString typeName = FromQt(attributes.value("type"));
    oxString text;
    if (!ReadContent(&text)) return;
    Variant value;
    if (!ToVariant(typeName, text, &value)) return;
    open_.back()->AddValue(name, value);
  }

  bool ToVariant(const oxString& typeName, const oxString& text, Variant* value) {
    Variant::Type type;
    if (!Variant::TypeFromName(typeName, &type) || type == Variant::Type::Pointer) {
      reader_.raiseError("unknown value type " + Quote(ToQt(typeName)));
      return false;
    }
    bool ok = true;
    switch (type) {
      case Variant::Type::Empty: *value = Variant(); break;
      case Variant::Type::Boolean:
        ok = text == "true" || text == "false";
        *value = Variant(text == "true");
        break;
      case Variant::Type::Integer: {
        int v = 0;
        ok = ParseInteger(text, &v);
        *value = Variant(v);
        break;
      }
      case Variant::Type::Long: {
        long long v = 0;
        ok = ParseInteger(text, &v);
        *value = Variant(v);
        break;
      }
      case Variant::Type::String: *value = Variant(text); break;
      case Variant::Type::Pointer: break;
    }
    if (!ok) reader_.raiseError("bad " + ToQt(typeName) + " value " + Quote(ToQt(text)));
    return ok;
  }

  QXmlStreamReader reader_;
  bool inSession_ = false;
  std::unique_ptr<FileElement> root_;
  oxStlVector<FileElement*> open_;  // innermost last; owned by root_
};

void FileElement::Internal::Write(QXmlStreamWriter& w) const {
  // The same few names for every element of a large session: made once.
  static const QString kElement = QStringLiteral("element"), kName = QStringLiteral("name"),
                       kClass = QStringLiteral("class"), kObjectKey = QStringLiteral("object"),
                       kText = QStringLiteral("text"), kValue = QStringLiteral("value"),
                       kType = QStringLiteral("type");
  static const auto kTypeNames = [] {
    std::array<QString, static_cast<size_t>(Variant::Type::Pointer) + 1> names;
    for (size_t t = 0; t < names.size(); ++t) {
      names[t] = QString::fromLatin1(Variant::TypeName(static_cast<Variant::Type>(t)));
    }
    return names;
  }();
  w.writeStartElement(kElement);
  WriteStringAttribute(w, kName, name);
  if (!objectClass.empty()) {
    WriteStringAttribute(w, kClass, objectClass);
    WriteStringAttribute(w, kObjectKey, objectName);
  }
  if (!text.empty()) {
    w.writeStartElement(kText);
    WriteContent(w, text);
    w.writeEndElement();
  }
  for (const auto& [valueName, value] : values) {
    if (value.GetType() == Variant::Type::Pointer) continue;  // meaningless in another process
    w.writeStartElement(kValue);
    WriteStringAttribute(w, kName, valueName);
    const auto type = static_cast<size_t>(value.GetType());
    w.writeAttribute(kType, type < kTypeNames.size() ? kTypeNames[type]
                                                     : QString::fromLatin1(Variant::TypeName(value.GetType())));
    WriteContent(w, value.GetString());
    w.writeEndElement();
  }
  for (const FileElement* child : elements) child->internal_->Write(w);
  w.writeEndElement();
}

FileElement::FileElement(const oxString& name, const oxString& text) : internal_(new Internal) {
  internal_->name = name;
  internal_->text = text;
}

FileElement::FileElement(FileElement* parent, const oxString& name, const oxString& text)
    : FileElement(name, text) {
  internal_->parent = parent;
  if (parent) parent->internal_->elements.push_back(this);
}

FileElement::~FileElement() {
  for (FileElement* child : internal_->elements) delete child;
  delete internal_;
}

const oxString& FileElement::GetName() const { return internal_->name; }

const oxString& FileElement::GetText() const { return internal_->text; }

FileElement* FileElement::GetParent() const { return internal_->parent; }

void FileElement::AddValue(const oxString& name, const Variant& value) {
  for (auto& [existing, stored] : internal_->values) {
    if (existing == name) {
      stored = value;
      return;
    }
  }
  internal_->values.emplace_back(name, value);
}

Variant FileElement::GetValue(const oxString& name) const {
  for (const auto& [existing, value] : internal_->values) {
    if (existing == name) return value;
  }
  return {};
}

bool FileElement::HasValue(const oxString& name) const {
  for (const auto& entry : internal_->values) {
    if (entry.first == name) return true;
  }
  return false;
}

const oxStlVector<std::pair<oxString, Variant>>& FileElement::GetValues() const {
  return internal_->values;
}

const oxStlVector<FileElement*>& FileElement::GetElementList() const {
  return internal_->elements;
}

std::unique_ptr<FileElement> FileElement::TakeElement(FileElement* child) {
  auto& elements = internal_->elements;
  const auto at = std::find(elements.begin(), elements.end(), child);
  if (at == elements.end()) return nullptr;
  elements.erase(at);
  child->internal_->parent = nullptr;
  return std::unique_ptr<FileElement>(child);
}

const oxString& FileElement::GetObjectClass() const { return internal_->objectClass; }

const oxString& FileElement::GetObjectName() const { return internal_->objectName; }

FileElement* FileElement::AddObject(Object* object) {
  if (!object) return nullptr;
  auto* element = new FileElement(this, kObject, {});
  element->internal_->objectClass = object->ClassName();
  element->internal_->objectName = object->GetName();
  return element;
}

void FileElement::AddProperties(Object* object) {
  if (!object) return;
  for (const oxString& name : object->GetPropertyNames()) {
    if (name == "Name" || name.starts_with('@')) continue;  // the name is recorded apart
    Property p(name);
    if (object->GetProperty(p)) AddValue(name, p.GetValue());
  }
}

void FileElement::SetProperties(Object* object) {
  if (!object) return;
  for (const auto& [name, value] : internal_->values) {
    Property p(name, value);
    object->SetProperty(p);
  }
}

// An "OBJECT" element may describe an object that its reader has already
// made from the element just before it: a client folder's "CLIENT" element
// has the document's client make the document (current, named as written,
// as the last child of the folder), and the document's own element follows.
// Making a second object there would duplicate the document, so that object
// is handed back to be read into. The object model's own elements never make
// objects ahead of time, so an element that follows another "OBJECT" element
// (or is the first of its parent) always gets a new object.
Object* FileElement::FindObjectMadeAhead(Object* parent) const {
  const FileElement* parentElement = internal_->parent;
  if (!parent || !parentElement) return nullptr;
  const auto& siblings = parentElement->internal_->elements;
  const auto at = std::find(siblings.begin(), siblings.end(), this);
  if (at == siblings.begin() || at == siblings.end() || (*(at - 1))->internal_->name == kObject) {
    return nullptr;
  }
  Object* current = CurrentObjects::Get()->GetCurrentObject();
  const auto& children = parent->GetChildren();
  if (!current || children.empty() || children.back() != current) return nullptr;
  if (current->ClassName() != internal_->objectClass) return nullptr;
  // An unnamed document was left for its client to name.
  if (!internal_->objectName.empty() && current->GetName() != internal_->objectName) return nullptr;
  return current;
}

Object* FileElement::CreateObject(Object* parent) {
  if (internal_->name == kObject) {
    if (Object* madeAhead = FindObjectMadeAhead(parent)) return madeAhead;
  }
  oxString error;
  const ClassInfo* info = nullptr;
  if (internal_->name != kObject) {
    error = "element '" + internal_->name + "' does not describe an object";
  } else if (!(info = ClassInfo::GetClassInfo(internal_->objectClass))) {
    error = "unknown class '" + internal_->objectClass + "'";
  } else if (!info->GetConstructor()) {
    error = "class '" + internal_->objectClass + "' has no constructor";
  }
  Object* object = error.empty() ? info->Create(parent) : nullptr;
  if (!object) {
    if (error.empty()) error = "could not create an object of class '" + internal_->objectClass + "'";
    oxWarn("oxt::FileElement::CreateObject: ", error);
    return nullptr;
  }
  if (!internal_->objectName.empty()) {
    Property name("Name", internal_->objectName);
    object->SetProperty(name);
  }
  return object;
}

bool FileElement::CanCreateObjects(oxString* error) const {
  oxStlVector<const FileElement*> pending(internal_->elements.begin(), internal_->elements.end());
  while (!pending.empty()) {
    const Internal& element = *pending.back()->internal_;
    pending.pop_back();
    if (element.name == kObject) {
      const ClassInfo* info = ClassInfo::GetClassInfo(element.objectClass);
      if (!info || !info->GetConstructor()) {
        if (error) {
          *error = "cannot create object '" + element.objectName + "': " +
                   (info ? "class '" + element.objectClass + "' has no constructor"
                         : "unknown class '" + element.objectClass + "'");
        }
        return false;
      }
    }
    pending.insert(pending.end(), element.elements.begin(), element.elements.end());
  }
  return true;
}

namespace {

// The file's bytes. Written into a string and encoded once: the writer
// would otherwise encode and copy every piece into a device on its own.
template <class Root>
QByteArray WriteXml(const Root& root) {
  QString text;
  QXmlStreamWriter w(&text);
  w.setAutoFormatting(true);
  w.setAutoFormattingIndent(2);
  w.writeStartDocument();
  w.writeStartElement(QStringLiteral("session"));
  w.writeAttribute(QStringLiteral("version"), QString::fromLatin1(kFormatVersion));
  root.Write(w);
  w.writeEndElement();
  w.writeEndDocument();
  // A writer without a device leaves the encoding out of the declaration.
  static const QString kBare = QStringLiteral("<?xml version=\"1.0\"?>");
  if (text.startsWith(kBare)) text.replace(0, kBare.size(), QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
  return text.toUtf8();
}

}  // namespace

oxString FileElement::WriteString() const { return WriteXml(*internal_).toStdString(); }

std::unique_ptr<FileElement> FileElement::ReadString(const oxString& xml, oxString* error) {
  oxString message;
  auto root = FileElementParser(QByteArray::fromStdString(xml)).Parse(&message);
  if (!root) {
    if (error) *error = message;
    else oxWarn(message);
  }
  return root;
}

bool FileElement::WriteFile(const oxString& path, oxString* error) const {
  oxString reason;
  if (vosSaveFile::WriteFile(path, WriteXml(*internal_), &reason)) return true;
  const oxString message = path + ": " + reason;
  if (error) *error = message;
  else oxWarn(message);
  return false;
}

std::unique_ptr<FileElement> FileElement::ReadFile(const oxString& path, oxString* error) {
  // Sessions hold documents' text, so the bound is generous; a named pipe
  // or a device is still never read.
  constexpr size_t kMaxSize = size_t{1} << 30;
  QByteArray text;
  oxString message;
  std::unique_ptr<FileElement> root;
  if (!vosFile::ReadFile(path, kMaxSize, &text, &message)) {
    message = path + ": " + message;
  } else {
    root = FileElementParser(text).Parse(&message);
    if (!root) message = path + ":" + message;
  }
  if (root) return root;
  if (error) *error = message;
  else oxWarn(message);
  return nullptr;
}

}  // namespace oxt
