#include "fwg/profiles/ProfileDeclaration.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <set>
#include <vector>

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
// the text is walked again, by the same grammar, only when a position is
// wanted. The walk never reads past the end, whatever the text.
class Positions {
 public:
  // Told the path and offset of each value in text order; false stops.
  using Visitor = std::function<bool(const Path&, qsizetype)>;

  explicit Positions(const QByteArray& data) : data_(data) {}

  void Walk(const Visitor& visit) {
    pos_ = 0;
    stop_ = false;
    if (data_.startsWith("\xEF\xBB\xBF")) pos_ = 3;
    Path path;
    Value(path, visit, 0);
  }

  // Offset of the value at the path; the end of the text when it is not
  // there.
  qsizetype Find(const Path& target) {
    qsizetype found = data_.size();
    Walk([&](const Path& path, qsizetype offset) {
      if (path != target) return true;
      found = offset;
      return false;
    });
    return found;
  }

 private:
  static constexpr int kMaxDepth = 256;

  bool AtEnd() const { return pos_ >= data_.size(); }
  char Peek() const { return AtEnd() ? '\0' : data_[pos_]; }

  void SkipSpace() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
      ++pos_;
    }
  }

  // The string at pos_ (its opening quote), unescaped enough to compare
  // keys; pos_ ends after the closing quote.
  QString ReadString() {
    QByteArray raw;
    ++pos_;
    while (!AtEnd() && Peek() != '"') {
      if (Peek() == '\\' && pos_ + 1 < data_.size()) {
        const char c = data_[pos_ + 1];
        pos_ += 2;
        if (c == 'u' && pos_ + 4 <= data_.size()) {
          bool ok = false;
          const uint code = data_.mid(pos_, 4).toUInt(&ok, 16);
          if (ok) raw += QString(QChar(static_cast<char16_t>(code))).toUtf8();
          pos_ += 4;
        } else {
          raw += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c == 'b' ? '\b'
                 : c == 'f' ? '\f' : c;
        }
        continue;
      }
      raw += Peek();
      ++pos_;
    }
    if (!AtEnd()) ++pos_;
    return QString::fromUtf8(raw);
  }

  void Value(Path& path, const Visitor& visit, int depth) {
    SkipSpace();
    if (stop_ || AtEnd() || depth > kMaxDepth) {
      stop_ = true;
      return;
    }
    if (!visit(path, pos_)) {
      stop_ = true;
      return;
    }
    const char c = Peek();
    if (c == '{' || c == '[') {
      Container(path, visit, depth, c == '{');
    } else if (c == '"') {
      ReadString();
    } else {
      while (!AtEnd() && !QByteArrayView(",]} \t\r\n").contains(Peek())) ++pos_;
    }
  }

  void Container(Path& path, const Visitor& visit, int depth, bool object) {
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
        path.push_back({ReadString(), -1});
        SkipSpace();
        if (Peek() != ':') break;
        ++pos_;
      } else {
        path.push_back({{}, index});
      }
      Value(path, visit, depth + 1);
      path.pop_back();
      SkipSpace();
      if (Peek() == ',') ++pos_;
    }
    stop_ = true;
  }

  const QByteArray& data_;
  qsizetype pos_ = 0;
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

bool IsKeySequence(const QString& text) {
  const QKeySequence keys = QKeySequence::fromString(text, QKeySequence::PortableText);
  if (keys.isEmpty()) return false;
  for (int i = 0; i < keys.count(); ++i) {
    if (keys[i].key() == Qt::Key_unknown) return false;
  }
  return true;
}

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

  bool CheckKeys(const QJsonObject& object, std::initializer_list<const char*> allowed,
                 const Path& at);
  bool ReadString(const QJsonObject& object, const char* key, const Path& at, oxString* out,
                  bool required = false);
  bool ReadBool(const QJsonObject& object, const char* key, const Path& at, bool* out);
  bool ReadAction(const QJsonValue& value, const Path& at, DeclaredAction* out);
  bool ReadEdit(const QJsonValue& value, const Path& at, DeclaredEdit* out);
  void NumberLines(ProfileDeclaration* out);

  const QByteArray& data_;
  oxString fileName_;
  oxString* error_;
};

bool Reader::CheckKeys(const QJsonObject& object, std::initializer_list<const char*> allowed,
                       const Path& at) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    bool known = false;
    for (const char* key : allowed) known = known || it.key() == QLatin1String(key);
    if (!known) return Fail(Child(at, it.key()), "unknown key '" + it.key().toStdString() + "'");
  }
  return true;
}

bool Reader::ReadString(const QJsonObject& object, const char* key, const Path& at,
                        oxString* out, bool required) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) {
    return !required || Fail(at, std::string("'") + key + "' is missing");
  }
  if (!value.isString() || (required && value.toString().isEmpty())) {
    return Fail(Child(at, key), std::string("'") + key + "' must be " +
                                    (required ? "a non-empty string" : "a string"));
  }
  *out = value.toString().toStdString();
  return true;
}

bool Reader::ReadBool(const QJsonObject& object, const char* key, const Path& at, bool* out) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return true;
  if (!value.isBool()) return Fail(Child(at, key), std::string("'") + key + "' must be true or false");
  *out = value.toBool();
  return true;
}

bool Reader::ReadAction(const QJsonValue& value, const Path& at, DeclaredAction* out) {
  if (!value.isObject()) return Fail(at, "an action must be an object");
  const QJsonObject object = value.toObject();
  if (!CheckKeys(object,
                 {"name", "text", "icon", "shortcut", "tip", "handler", "checkable", "checked",
                  "visible", "enabled", "group", "exclusive", "dropDown"},
                 at) ||
      !ReadString(object, "name", at, &out->name, true) ||
      !ReadString(object, "text", at, &out->text) || !ReadString(object, "icon", at, &out->icon) ||
      !ReadString(object, "shortcut", at, &out->shortcut) ||
      !ReadString(object, "tip", at, &out->tip) ||
      !ReadString(object, "handler", at, &out->handler) ||
      !ReadBool(object, "checkable", at, &out->checkable) ||
      !ReadBool(object, "checked", at, &out->checked) ||
      !ReadBool(object, "visible", at, &out->visible) ||
      !ReadBool(object, "enabled", at, &out->enabled) ||
      !ReadBool(object, "exclusive", at, &out->exclusive) ||
      !ReadBool(object, "dropDown", at, &out->dropDown)) {
    return false;
  }
  if (!out->shortcut.empty() && !IsKeySequence(QString::fromStdString(out->shortcut))) {
    return Fail(Child(at, "shortcut"), "'" + out->shortcut + "' is no key sequence");
  }
  if (out->checked && !out->checkable) {
    return Fail(Child(at, "checked"), "'checked' needs \"checkable\": true");
  }
  const QJsonValue group = object.value("group");
  out->isGroup = !group.isUndefined();
  if (out->isGroup) {
    if (!group.isArray()) return Fail(Child(at, "group"), "'group' must be a list of action names");
    const QJsonArray members = group.toArray();
    for (int i = 0; i < members.size(); ++i) {
      if (!members[i].isString() || members[i].toString().isEmpty()) {
        return Fail(Child(Child(at, "group"), i), "a group member must be an action name or \"-\"");
      }
      out->members.push_back(members[i].toString().toStdString());
    }
    if (!out->shortcut.empty()) return Fail(Child(at, "shortcut"), "a group has no shortcut");
    if (out->checkable) return Fail(Child(at, "checkable"), "a group is not checkable");
    if (!out->handler.empty()) return Fail(Child(at, "handler"), "a group has no handler");
  } else {
    for (const char* key : {"exclusive", "dropDown"}) {
      if (object.contains(QLatin1String(key))) {
        return Fail(Child(at, key), std::string("'") + key + "' needs 'group'");
      }
    }
  }
  return true;
}

bool Reader::ReadEdit(const QJsonValue& value, const Path& at, DeclaredEdit* out) {
  if (!value.isObject()) return Fail(at, "an edit must be an object");
  const QJsonObject object = value.toObject();
  if (!CheckKeys(object, {"op", "menu", "toolbar", "contextMenu", "widget", "dock", "action",
                          "shortcut"},
                 at)) {
    return false;
  }
  oxString op;
  if (!ReadString(object, "op", at, &op, true)) return false;
  if (op == "add") {
    out->mode = ProfileItem::Add;
  } else if (op == "remove") {
    out->mode = ProfileItem::Remove;
  } else if (op == "replace") {
    out->mode = ProfileItem::Replace;
  } else {
    return Fail(Child(at, "op"), "'op' must be \"add\", \"remove\" or \"replace\"");
  }

  int targets = 0;
  const struct {
    const char* key;
    DeclaredEdit::Kind kind;
  } kinds[] = {{"menu", DeclaredEdit::Menu},
               {"toolbar", DeclaredEdit::ToolBar},
               {"contextMenu", DeclaredEdit::ContextMenu},
               {"widget", DeclaredEdit::Dock}};
  for (const auto& kind : kinds) {
    if (!object.contains(QLatin1String(kind.key))) continue;
    ++targets;
    out->kind = kind.kind;
    if (!ReadString(object, kind.key, at, kind.kind == DeclaredEdit::Dock ? &out->widget : &out->path,
                    kind.kind == DeclaredEdit::Dock)) {
      return false;
    }
  }
  if (targets != 1) {
    return Fail(at, "an edit names exactly one of 'menu', 'toolbar', 'contextMenu' or 'widget'");
  }

  const bool dock = out->kind == DeclaredEdit::Dock;
  const bool takesAction = !dock && out->mode != ProfileItem::Remove;
  if (takesAction && !ReadString(object, "action", at, &out->action, true)) return false;
  if (!takesAction && object.contains("action")) {
    return Fail(Child(at, "action"), dock ? "a dock edit takes 'widget', not 'action'"
                                          : "'remove' takes no 'action'");
  }
  if (dock && out->mode == ProfileItem::Replace) {
    return Fail(Child(at, "op"), "a dock edit is \"add\" or \"remove\"");
  }
  const bool dockAdd = dock && out->mode == ProfileItem::Add;
  for (const char* key : {"dock", "shortcut"}) {
    if (!dockAdd && object.contains(QLatin1String(key))) {
      return Fail(Child(at, key), std::string("'") + key + "' belongs to a dock \"add\" only");
    }
  }
  if (dockAdd && (!ReadString(object, "dock", at, &out->path) ||
                  !ReadString(object, "shortcut", at, &out->shortcut))) {
    return false;
  }
  if (!out->shortcut.empty() && !IsKeySequence(QString::fromStdString(out->shortcut))) {
    return Fail(Child(at, "shortcut"), "'" + out->shortcut + "' is no key sequence");
  }
  return true;
}

// One walk over the text gives every action and edit its line, for the
// messages of the build.
void Reader::NumberLines(ProfileDeclaration* out) {
  std::vector<qsizetype> actionOffsets(out->actions.size(), 0);
  std::vector<qsizetype> editOffsets(out->edits.size(), 0);
  Positions(data_).Walk([&](const Path& path, qsizetype offset) {
    if (path.size() == 2 && path[1].index >= 0) {
      auto& offsets = path[0].key == "actions" ? actionOffsets : editOffsets;
      if ((path[0].key == "actions" || path[0].key == "edits") &&
          path[1].index < static_cast<int>(offsets.size())) {
        offsets[path[1].index] = offset;
      }
    }
    return true;
  });
  // Offsets grow in text order within each list; count lines once per list.
  const auto number = [this](const std::vector<qsizetype>& offsets, auto& records) {
    int line = 1;
    qsizetype at = 0;
    for (size_t i = 0; i < offsets.size(); ++i) {
      for (; at < offsets[i] && at < data_.size(); ++at) line += data_[at] == '\n';
      records[i].line = line;
    }
  };
  number(actionOffsets, out->actions);
  number(editOffsets, out->edits);
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
  const QJsonObject top = document.object();
  const Path root;
  if (!CheckKeys(top, {"name", "base", "title", "actions", "edits"}, root) ||
      !ReadString(top, "name", root, &out->name, true) ||
      !ReadString(top, "base", root, &out->base) || !ReadString(top, "title", root, &out->title)) {
    return false;
  }
  if (out->base == out->name) return Fail(Child(root, "base"), "a profile cannot be its own base");

  const QJsonValue actions = top.value("actions");
  if (!actions.isUndefined() && !actions.isArray()) {
    return Fail(Child(root, "actions"), "'actions' must be a list");
  }
  std::set<oxString> names;
  const QJsonArray actionList = actions.toArray();
  out->actions.resize(actionList.size());
  for (int i = 0; i < actionList.size(); ++i) {
    const Path at = Child(Child(root, "actions"), i);
    if (!ReadAction(actionList[i], at, &out->actions[i])) return false;
    if (!names.insert(out->actions[i].name).second) {
      return Fail(Child(at, "name"), "action '" + out->actions[i].name + "' is declared twice");
    }
  }

  const QJsonValue edits = top.value("edits");
  if (!edits.isUndefined() && !edits.isArray()) {
    return Fail(Child(root, "edits"), "'edits' must be a list");
  }
  const QJsonArray editList = edits.toArray();
  out->edits.resize(editList.size());
  for (int i = 0; i < editList.size(); ++i) {
    if (!ReadEdit(editList[i], Child(Child(root, "edits"), i), &out->edits[i])) return false;
  }
  NumberLines(out);
  return true;
}

}  // namespace

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
