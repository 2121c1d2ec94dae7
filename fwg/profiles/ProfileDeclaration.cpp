#include "fwg/profiles/ProfileDeclaration.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "fwg/profiles/ShortcutScheme.h"

namespace fwg {

namespace {

// One step of a path into the document: a key of an object, or an index
// of an array (key empty).
struct Step {
  QString key;
  int index = -1;
  bool operator==(const Step& other) const { return key == other.key && index == other.index; }
};
using Path = std::vector<Step>;

Path Child(Path path, const QString& key) {
  path.push_back({key, -1});
  return path;
}

Path Child(Path path, int index) {
  path.push_back({{}, index});
  return path;
}

// Where the values of the text stand. QJsonDocument keeps no positions, so
// the text is walked again, by the same grammar, only as deep as the paths
// wanted; deeper values are stepped over without looking inside. The walk
// never reads past the end, whatever the text.
class Positions {
 public:
  // Told the path and offset of each value down to the depth asked for, in
  // text order; false stops the walk.
  using Visitor = std::function<bool(const Path&, qsizetype)>;

  explicit Positions(const QByteArray& data) : data_(data) {}

  void Walk(size_t maxDepth, const Visitor& visit) {
    pos_ = 0;
    stop_ = false;
    maxDepth_ = std::min<size_t>(maxDepth, kMaxDepth);
    if (data_.startsWith("\xEF\xBB\xBF")) pos_ = 3;
    Path path;
    Value(path, visit);
  }

  // Offset of the value at the path; the end of the text when it is not
  // there.
  qsizetype Find(const Path& target) {
    qsizetype found = data_.size();
    Walk(target.size(), [&](const Path& path, qsizetype offset) {
      if (path != target) return true;
      found = offset;
      return false;
    });
    return found;
  }

 private:
  static constexpr size_t kMaxDepth = 256;

  bool AtEnd() const { return pos_ >= data_.size(); }
  char Peek() const { return AtEnd() ? '\0' : data_[pos_]; }

  void SkipSpace() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
      ++pos_;
    }
  }

  // Steps over the string at pos_ (its opening quote); with `text`, also
  // gives its contents, unescaped enough to compare keys.
  void SkipString(QString* text) {
    const qsizetype begin = ++pos_;
    bool escaped = false;
    while (!AtEnd() && Peek() != '"') {
      if (Peek() == '\\') {
        escaped = true;
        ++pos_;
      }
      ++pos_;
    }
    const qsizetype end = std::min(pos_, data_.size());
    if (!AtEnd()) ++pos_;
    if (!text) return;
    const QByteArrayView raw(data_.constData() + begin, end - begin);
    *text = escaped ? Unescape(raw) : QString::fromUtf8(raw);
  }

  static QString Unescape(QByteArrayView raw) {
    QByteArray bytes;
    for (qsizetype i = 0; i < raw.size(); ++i) {
      if (raw[i] != '\\' || i + 1 >= raw.size()) {
        bytes += raw[i];
        continue;
      }
      const char c = raw[++i];
      if (c == 'u' && i + 4 < raw.size()) {
        bool ok = false;
        const uint code = raw.sliced(i + 1, 4).toByteArray().toUInt(&ok, 16);
        if (ok) bytes += QString(QChar(static_cast<char16_t>(code))).toUtf8();
        i += 4;
      } else {
        bytes += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c == 'b' ? '\b'
                 : c == 'f' ? '\f' : c;
      }
    }
    return QString::fromUtf8(bytes);
  }

  // Steps over a value without visiting inside it.
  void SkipValue() {
    int depth = 0;
    while (!AtEnd()) {
      const char c = Peek();
      if (c == '"') {
        SkipString(nullptr);
        if (depth == 0) return;
        continue;
      }
      if (c == '{' || c == '[') ++depth;
      if (c == '}' || c == ']') {
        if (depth == 0) return;  // the end of the enclosing container
        if (--depth == 0) {
          ++pos_;
          return;
        }
      }
      if (depth == 0 && (c == ',' || c == ' ' || c == '\t' || c == '\n' || c == '\r')) return;
      ++pos_;
    }
  }

  void Value(Path& path, const Visitor& visit) {
    SkipSpace();
    if (stop_ || AtEnd()) {
      stop_ = true;
      return;
    }
    if (!visit(path, pos_)) {
      stop_ = true;
      return;
    }
    const char c = Peek();
    if ((c == '{' || c == '[') && path.size() < maxDepth_) {
      Container(path, visit, c == '{');
    } else if (c == '"') {
      SkipString(nullptr);
    } else {
      SkipValue();
    }
  }

  void Container(Path& path, const Visitor& visit, bool object) {
    const char close = object ? '}' : ']';
    ++pos_;
    for (int index = 0; !stop_; ++index) {
      SkipSpace();
      if (AtEnd()) break;
      if (Peek() == close) {
        ++pos_;
        return;
      }
      if (object) {
        if (Peek() != '"') break;
        Step step;
        SkipString(&step.key);
        path.push_back(std::move(step));
        SkipSpace();
        if (Peek() != ':') break;
        ++pos_;
      } else {
        path.push_back({{}, index});
      }
      Value(path, visit);
      path.pop_back();
      SkipSpace();
      if (Peek() == ',') ++pos_;
    }
    stop_ = true;
  }

  const QByteArray& data_;
  qsizetype pos_ = 0;
  size_t maxDepth_ = 0;
  bool stop_ = false;
};

// Line and column (from 1, columns in characters) of a byte offset.
void LineAndColumn(const QByteArray& data, qsizetype offset, int* line, int* column) {
  *line = 1;
  *column = 1;
  offset = std::clamp<qsizetype>(offset, 0, data.size());
  for (qsizetype i = 0; i < offset; ++i) {
    const auto c = static_cast<unsigned char>(data[i]);
    if (c == '\n') {
      ++*line;
      *column = 1;
    } else if ((c & 0xC0) != 0x80) {
      ++*column;
    }
  }
}

// What is wrong with a declared key, as the user's keys are checked, or "".
oxString KeysProblem(const oxString& text) {
  oxString keys, problem;
  ShortcutScheme::ReadKeys(text, &keys, &problem);
  return problem;
}

// A key of an entry and the member of the record its value goes to: a
// string, a flag, or neither (the caller looks at the value itself).
template <class Record>
struct Field {
  const char* key;
  oxString Record::*text;
  bool Record::*flag;
};

// Which fields an entry has, by position in its table, and the values of
// those that are neither string nor flag.
struct Seen {
  uint32_t mask = 0;
  QJsonValue values[16];
  bool Has(size_t field) const { return (mask >> field) & 1u; }
};

class Reader {
 public:
  Reader(const QByteArray& data, const oxString& fileName, oxString* error)
      : data_(data), fileName_(fileName), error_(error) {}

  bool Read(ProfileDeclaration* out);

 private:
  bool Fail(const Path& at, const oxString& message) {
    int line = 0;
    int column = 0;
    LineAndColumn(data_, Positions(data_).Find(at), &line, &column);
    Report(line, column, message);
    return false;
  }
  void Report(int line, int column, const oxString& message) {
    if (error_) {
      *error_ = EscapeControls(fileName_ + ":" + std::to_string(line) + ":" +
                               std::to_string(column) + ": " + message);
    }
  }

  // `at` gives the entry's path; it is only worked out for a message.
  template <class Record, size_t N, class At>
  bool ReadFields(const QJsonObject& object, const At& at, const Field<Record> (&fields)[N],
                  Record* out, Seen* seen);
  bool ReadAction(const QJsonValue& value, int index, DeclaredAction* out);
  bool ReadEdit(const QJsonValue& value, int index, DeclaredEdit* out);
  bool ReadSettings(const QJsonValue& value, DeclaredSettings* out);
  bool ReadSettingsField(const QJsonValue& value, const Path& at, DeclaredField* out);

  const QByteArray& data_;
  oxString fileName_;
  oxString* error_;
};

// One pass over the entry's keys: every key is looked at once, whatever
// the number of fields the schema has.
template <class Record, size_t N, class At>
bool Reader::ReadFields(const QJsonObject& object, const At& at,
                        const Field<Record> (&fields)[N], Record* out, Seen* seen) {
  static_assert(N <= 16, "Seen holds 16 fields");
  // Const iteration: a mutable one would copy the object first.
  for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
    const QString key = it.key();
    size_t i = 0;
    while (i < N && key != QLatin1String(fields[i].key)) ++i;
    if (i == N) {
      const oxString name = key.toStdString();
      return Fail(Child(at(), key), "unknown key " + oxQuote(name));
    }
    const auto value = it.value();
    seen->mask |= 1u << i;
    const auto quoted = [&] { return std::string("'") + fields[i].key + "'"; };
    if (fields[i].text) {
      if (!value.isString()) return Fail(Child(at(), key), quoted() + " must be a string");
      out->*fields[i].text = value.toString().toStdString();
    } else if (fields[i].flag) {
      if (!value.isBool()) return Fail(Child(at(), key), quoted() + " must be true or false");
      out->*fields[i].flag = value.toBool();
    } else {
      seen->values[i] = value;
    }
  }
  return true;
}

// The path of entry `index` of the top-level list `list`.
Path ListEntry(const char* list, int index) {
  return Child(Child({}, QString::fromLatin1(list)), index);
}

bool Reader::ReadAction(const QJsonValue& value, int index, DeclaredAction* out) {
  using A = DeclaredAction;
  enum { kName, kShortcut, kHandler, kChecked, kGroup, kExclusive, kDropDown };
  static const Field<A> kFields[] = {
      {"name", &A::name, nullptr},          {"shortcut", &A::shortcut, nullptr},
      {"handler", &A::handler, nullptr},    {"checked", nullptr, &A::checked},
      {"group", nullptr, nullptr},          {"exclusive", nullptr, &A::exclusive},
      {"dropDown", nullptr, &A::dropDown},  {"text", &A::text, nullptr},
      {"icon", &A::icon, nullptr},          {"tip", &A::tip, nullptr},
      {"checkable", nullptr, &A::checkable}, {"visible", nullptr, &A::visible},
      {"enabled", nullptr, &A::enabled},   {"script", &A::script, nullptr},
  };
  const auto entry = [index] { return ListEntry("actions", index); };
  if (!value.isObject()) return Fail(entry(), "an action must be an object");
  Seen seen;
  if (!ReadFields(value.toObject(), entry, kFields, out, &seen)) return false;
  // Past the common case: the path is worked out once for what follows.
  if (!seen.Has(kName)) return Fail(entry(), "'name' is missing");
  const bool plain = !seen.Has(kGroup) && !seen.Has(kExclusive) && !seen.Has(kDropDown);
  if (!out->name.empty() && out->shortcut.empty() && !out->checked && plain) return true;
  const Path at = entry();
  if (out->name.empty()) return Fail(Child(at, "name"), "'name' must be a non-empty string");
  if (const oxString problem = KeysProblem(out->shortcut); !problem.empty()) {
    return Fail(Child(at, "shortcut"), problem);
  }
  if (out->checked && !out->checkable) {
    return Fail(Child(at, "checked"), "'checked' needs \"checkable\": true");
  }
  out->isGroup = seen.Has(kGroup);
  if (!out->isGroup) {
    if (seen.Has(kExclusive)) return Fail(Child(at, "exclusive"), "'exclusive' needs 'group'");
    if (seen.Has(kDropDown)) return Fail(Child(at, "dropDown"), "'dropDown' needs 'group'");
    return true;
  }
  const QJsonValue& group = seen.values[kGroup];
  if (!group.isArray()) return Fail(Child(at, "group"), "'group' must be a list of action names");
  const QJsonArray members = group.toArray();
  for (int i = 0; i < members.size(); ++i) {
    if (!members[i].isString() || members[i].toString().isEmpty()) {
      return Fail(Child(Child(at, "group"), i), "a group member must be an action name or \"-\"");
    }
    out->members.push_back(members[i].toString().toStdString());
  }
  if (seen.Has(kShortcut)) return Fail(Child(at, "shortcut"), "a group has no shortcut");
  if (out->checkable) return Fail(Child(at, "checkable"), "a group is not checkable");
  if (seen.Has(kHandler)) return Fail(Child(at, "handler"), "a group has no handler");
  return true;
}

bool Reader::ReadEdit(const QJsonValue& value, int index, DeclaredEdit* out) {
  using E = DeclaredEdit;
  // The four targets first, in the order of DeclaredEdit::Kind.
  enum { kMenu, kToolBar, kContextMenu, kWidget, kOp, kAction, kDock, kShortcut };
  static const Field<E> kFields[] = {
      {"menu", &E::path, nullptr},     {"toolbar", &E::path, nullptr},
      {"contextMenu", &E::path, nullptr}, {"widget", &E::widget, nullptr},
      {"op", nullptr, nullptr},        {"action", &E::action, nullptr},
      {"dock", nullptr, nullptr},      {"shortcut", &E::shortcut, nullptr},
  };
  const auto entry = [index] { return ListEntry("edits", index); };
  if (!value.isObject()) return Fail(entry(), "an edit must be an object");
  Seen seen;
  if (!ReadFields(value.toObject(), entry, kFields, out, &seen)) return false;
  const auto at = entry;  // paths below are only made for a message

  const QString op = seen.values[kOp].toString();
  if (!seen.Has(kOp)) return Fail(at(), "'op' is missing");
  if (op == "add") {
    out->mode = ProfileItem::Add;
  } else if (op == "remove") {
    out->mode = ProfileItem::Remove;
  } else if (op == "replace") {
    out->mode = ProfileItem::Replace;
  } else {
    return Fail(Child(at(), "op"), "'op' must be \"add\", \"remove\" or \"replace\"");
  }

  int targets = 0;
  for (int kind = kMenu; kind <= kWidget; ++kind) {
    if (!seen.Has(kind)) continue;
    ++targets;
    out->kind = static_cast<DeclaredEdit::Kind>(kind);
  }
  if (targets != 1) {
    return Fail(at(), "an edit names exactly one of 'menu', 'toolbar', 'contextMenu' or 'widget'");
  }

  const bool dock = out->kind == DeclaredEdit::Dock;
  if (dock && out->widget.empty()) {
    return Fail(Child(at(), "widget"), "'widget' must be a non-empty string");
  }
  const bool takesAction = !dock && out->mode != ProfileItem::Remove;
  if (takesAction && !seen.Has(kAction)) return Fail(at(), "'action' is missing");
  if (takesAction && out->action.empty()) {
    return Fail(Child(at(), "action"), "'action' must be a non-empty string");
  }
  if (!takesAction && seen.Has(kAction)) {
    return Fail(Child(at(), "action"), dock ? "a dock edit takes 'widget', not 'action'"
                                          : "'remove' takes no 'action'");
  }
  if (dock && out->mode == ProfileItem::Replace) {
    return Fail(Child(at(), "op"), "a dock edit is \"add\" or \"remove\"");
  }
  const bool dockAdd = dock && out->mode == ProfileItem::Add;
  if (!dockAdd && seen.Has(kDock)) {
    return Fail(Child(at(), "dock"), "'dock' belongs to a dock \"add\" only");
  }
  if (!dockAdd && seen.Has(kShortcut)) {
    return Fail(Child(at(), "shortcut"), "'shortcut' belongs to a dock \"add\" only");
  }
  if (dockAdd && seen.Has(kDock)) {
    if (!seen.values[kDock].isString()) return Fail(Child(at(), "dock"), "'dock' must be a string");
    out->path = seen.values[kDock].toString().toStdString();
  }
  if (const oxString problem = KeysProblem(out->shortcut); !problem.empty()) {
    return Fail(Child(at(), "shortcut"), problem);
  }
  return true;
}

bool Reader::ReadSettingsField(const QJsonValue& value, const Path& at, DeclaredField* out) {
  using F = DeclaredField;
  enum { kKey, kLabel, kType, kDefault, kMin, kMax, kChoices };
  static const Field<F> kFields[] = {
      {"key", &F::key, nullptr},  {"label", &F::label, nullptr}, {"type", nullptr, nullptr},
      {"default", nullptr, nullptr}, {"min", nullptr, nullptr},  {"max", nullptr, nullptr},
      {"choices", nullptr, nullptr},
  };
  if (!value.isObject()) return Fail(at, "a field must be an object");
  Seen seen;
  if (!ReadFields(value.toObject(), [&at] { return at; }, kFields, out, &seen)) return false;
  if (out->key.empty()) return Fail(seen.Has(kKey) ? Child(at, "key") : at, "'key' must be a non-empty string");
  if (out->key.size() > 1024) return Fail(Child(at, "key"), "'key' is longer than 1024 bytes");
  const QString type = seen.values[kType].toString();
  if (type == "bool") out->type = F::Bool;
  else if (type == "integer") out->type = F::Integer;
  else if (type == "text") out->type = F::Text;
  else if (type == "choice") out->type = F::Choice;
  else return Fail(seen.Has(kType) ? Child(at, "type") : at,
                   "'type' must be \"bool\", \"integer\", \"text\" or \"choice\"");
  const bool integer = out->type == F::Integer;
  const bool choice = out->type == F::Choice;
  for (const auto& [field, name] : {std::pair{kMin, "min"}, std::pair{kMax, "max"}}) {
    if (!seen.Has(field)) continue;
    if (!integer) return Fail(Child(at, name), std::string("'") + name + "' belongs to an \"integer\" field");
    const double number = seen.values[field].toDouble();
    if (!seen.values[field].isDouble() || number != static_cast<double>(static_cast<int64_t>(number)) ||
        std::abs(number) > 9.0e15) {
      return Fail(Child(at, name), std::string("'") + name + "' must be a whole number");
    }
    (field == kMin ? out->min : out->max) = static_cast<int64_t>(number);
  }
  if (integer && (!seen.Has(kMin) || !seen.Has(kMax))) return Fail(at, "an \"integer\" field needs 'min' and 'max'");
  if (integer && out->min > out->max) return Fail(Child(at, "max"), "'max' is below 'min'");
  out->number = out->min;
  if (seen.Has(kChoices) && !choice) return Fail(Child(at, "choices"), "'choices' belongs to a \"choice\" field");
  if (choice) {
    const QJsonValue& list = seen.values[kChoices];
    if (!list.isArray() || list.toArray().isEmpty()) {
      return Fail(seen.Has(kChoices) ? Child(at, "choices") : at, "'choices' must be a list of texts");
    }
    const QJsonArray texts = list.toArray();
    for (int i = 0; i < texts.size(); ++i) {
      if (!texts[i].isString()) return Fail(Child(Child(at, "choices"), i), "a choice must be a text");
      out->choices.push_back(texts[i].toString().toStdString());
    }
    out->text = out->choices.front();
  }
  if (!seen.Has(kDefault)) return true;
  const QJsonValue& fallback = seen.values[kDefault];
  const Path where = Child(at, "default");
  switch (out->type) {
    case F::Bool:
      if (!fallback.isBool()) return Fail(where, "'default' must be true or false");
      out->flag = fallback.toBool();
      break;
    case F::Integer: {
      const double number = fallback.toDouble();
      if (!fallback.isDouble() || number < static_cast<double>(out->min) || number > static_cast<double>(out->max) ||
          number != static_cast<double>(static_cast<int64_t>(number))) {
        return Fail(where, "'default' must be a whole number from 'min' to 'max'");
      }
      out->number = static_cast<int64_t>(number);
      break;
    }
    case F::Text:
      if (!fallback.isString()) return Fail(where, "'default' must be a string");
      out->text = fallback.toString().toStdString();
      break;
    case F::Choice:
      out->text = fallback.toString().toStdString();
      if (!fallback.isString() || std::find(out->choices.begin(), out->choices.end(), out->text) == out->choices.end()) {
        return Fail(where, "'default' must be one of 'choices'");
      }
      break;
  }
  return true;
}

bool Reader::ReadSettings(const QJsonValue& value, DeclaredSettings* out) {
  using S = DeclaredSettings;
  enum { kPage, kFields };
  static const Field<S> kKeys[] = {
      {"page", &S::page, nullptr},         {"fields", nullptr, nullptr}, {"category", &S::category, nullptr},
      {"section", &S::section, nullptr},   {"note", &S::note, nullptr},
  };
  const Path at = Child({}, "settings");
  if (!value.isObject()) return Fail(at, "'settings' must be an object");
  Seen seen;
  if (!ReadFields(value.toObject(), [&at] { return at; }, kKeys, out, &seen)) return false;
  if (out->page.empty()) return Fail(seen.Has(kPage) ? Child(at, "page") : at, "'page' must be a non-empty string");
  const QJsonValue& fields = seen.values[kFields];
  if (!fields.isArray() || fields.toArray().isEmpty()) {
    return Fail(seen.Has(kFields) ? Child(at, "fields") : at, "'fields' must be a list of fields");
  }
  const QJsonArray list = fields.toArray();
  out->fields.resize(list.size());
  std::set<oxString> keys;
  for (int i = 0; i < list.size(); ++i) {
    const Path field = Child(Child(at, "fields"), i);
    if (!ReadSettingsField(list[i], field, &out->fields[i])) return false;
    if (!keys.insert(out->fields[i].key).second) {
      return Fail(Child(field, "key"), "key " + oxQuote(out->fields[i].key) + " is declared twice");
    }
  }
  return true;
}

bool Reader::Read(ProfileDeclaration* out) {
  QJsonParseError parse;
  const QJsonDocument document = QJsonDocument::fromJson(data_, &parse);
  if (parse.error != QJsonParseError::NoError) {
    int line = 0;
    int column = 0;
    LineAndColumn(data_, parse.offset, &line, &column);
    Report(line, column, parse.errorString().toStdString());
    return false;
  }
  if (!document.isObject()) return Fail({}, "the file must hold one JSON object");
  using P = ProfileDeclaration;
  enum { kName, kActions, kEdits, kSettings };
  static const Field<P> kFields[] = {{"name", &P::name, nullptr},
                                     {"actions", nullptr, nullptr},
                                     {"edits", nullptr, nullptr},
                                     {"settings", nullptr, nullptr},
                                     {"base", &P::base, nullptr},
                                     {"title", &P::title, nullptr}};
  const Path root;
  Seen seen;
  if (!ReadFields(document.object(), [] { return Path(); }, kFields, out, &seen)) return false;
  if (!seen.Has(kName)) return Fail(root, "'name' is missing");
  if (out->name.empty()) return Fail(Child(root, "name"), "'name' must be a non-empty string");
  if (out->base == out->name) return Fail(Child(root, "base"), "a profile cannot be its own base");

  const QJsonValue& actions = seen.values[kActions];
  if (seen.Has(kActions) && !actions.isArray()) {
    return Fail(Child(root, "actions"), "'actions' must be a list");
  }
  std::set<oxString> names;
  const QJsonArray actionList = actions.toArray();
  out->actions.resize(actionList.size());
  for (int i = 0; i < actionList.size(); ++i) {
    if (!ReadAction(actionList[i], i, &out->actions[i])) return false;
    if (!names.insert(out->actions[i].name).second) {
      return Fail(Child(ListEntry("actions", i), "name"),
                  "action " + oxQuote(out->actions[i].name) + " is declared twice");
    }
  }

  const QJsonValue& edits = seen.values[kEdits];
  if (seen.Has(kEdits) && !edits.isArray()) {
    return Fail(Child(root, "edits"), "'edits' must be a list");
  }
  const QJsonArray editList = edits.toArray();
  out->edits.resize(editList.size());
  for (int i = 0; i < editList.size(); ++i) {
    if (!ReadEdit(editList[i], i, &out->edits[i])) return false;
  }
  if (seen.Has(kSettings) && !ReadSettings(seen.values[kSettings], &out->settings)) return false;
  if (out->settings.section.empty()) out->settings.section = out->name;
  out->text = data_;  // shared, not copied: lines are looked up for messages only
  return true;
}

}  // namespace

int GetDeclarationLine(const ProfileDeclaration& declaration, const char* list, int index) {
  int line = 0;
  int column = 0;
  const Path at = index < 0 ? Child({}, QString::fromLatin1(list)) : ListEntry(list, index);
  LineAndColumn(declaration.text, Positions(declaration.text).Find(at), &line, &column);
  return line;
}

oxString EscapeControls(const oxString& text) {
  oxString result;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      result += c;
    } else if (c == '\n') {
      result += "\\n";
    } else if (c == '\t') {
      result += "\\t";
    } else {
      static const char kHex[] = "0123456789abcdef";
      result += "\\x";
      result += kHex[byte >> 4];
      result += kHex[byte & 0xF];
    }
  }
  return result;
}

bool ReadProfileDeclaration(const QByteArray& data, const oxString& fileName,
                            ProfileDeclaration* declaration, oxString* error) {
  ProfileDeclaration read;
  read.fileName = fileName;
  if (!Reader(data, fileName, error).Read(&read)) return false;
  *declaration = std::move(read);
  return true;
}

}  // namespace fwg
