#include "platform/settings/oxSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/core/oxDiagnostic.h"

// File format, one entry a line:
//
//   # comment
//   [/Corvane/demo]
//   Width:int = 800
//   Title:string = Main window
//
// Values before the first header belong to the root. Keys, values and
// section names escape '\', line breaks, tabs, their own delimiters and
// leading or trailing blanks with a backslash, so any text reads back as it
// was written.

struct oxSettings::Internal {
  oxSettings* root = nullptr;    // the section that owns the file; itself for a root
  oxSettings* parent = nullptr;  // null for a root
  oxString name;
  oxStlMap<oxString, oxVariant> values;
  oxStlMap<oxString, std::unique_ptr<oxSettings>> sections;
  // Used on the root only.
  oxString filePath;             // empty for a store in memory
  bool modified = false;
  bool keepBrokenFile = false;   // the file did not parse; do not replace it unasked
};

namespace {

// ---- paths ----------------------------------------------------------------


// ---- escaping -------------------------------------------------------------

oxString Escape(const oxString& text, const char* delimiters) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  oxString out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool edgeBlank = c == ' ' && (first == oxString::npos || i < first || i > last);
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (edgeBlank || (c != '\0' && std::strchr(delimiters, c))) out += oxString("\\") + c;
    else out += c;
  }
  return out;
}

// One character of a line, with whether it was written escaped: only bare
// characters act as delimiters.
struct Glyph {
  char c;
  bool escaped;
};
using Glyphs = oxStlVector<Glyph>;

bool Decode(const oxString& line, Glyphs* out) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '\\') {
      out->push_back({line[i], false});
      continue;
    }
    if (++i == line.size()) return false;
    const char c = line[i];
    out->push_back({c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c, true});
  }
  return true;
}

bool IsBare(const Glyph& g, char c) { return !g.escaped && g.c == c; }

Glyphs Trim(Glyphs glyphs) {
  auto blank = [](const Glyph& g) { return !g.escaped && (g.c == ' ' || g.c == '\t'); };
  while (!glyphs.empty() && blank(glyphs.back())) glyphs.pop_back();
  size_t start = 0;
  while (start < glyphs.size() && blank(glyphs[start])) ++start;
  return Glyphs(glyphs.begin() + static_cast<long>(start), glyphs.end());
}

oxString ToText(const Glyphs& glyphs) {
  oxString text;
  for (const Glyph& g : glyphs) text += g.c;
  return text;
}

// Index of the first (or last) bare `c`, or -1.
long FindBare(const Glyphs& glyphs, char c, bool last = false) {
  long found = -1;
  for (size_t i = 0; i < glyphs.size(); ++i) {
    if (!IsBare(glyphs[i], c)) continue;
    found = static_cast<long>(i);
    if (!last) break;
  }
  return found;
}

// ---- values ---------------------------------------------------------------

bool ParseValue(oxVariant::Type type, const oxString& text, oxVariant* value) {
  switch (type) {
    case oxVariant::Type::Boolean:
      if (text != "true" && text != "false") return false;
      *value = oxVariant(text == "true");
      return true;
    case oxVariant::Type::Integer:
    case oxVariant::Type::Long: {
      if (text.empty()) return false;
      char* end = nullptr;
      errno = 0;
      const long long number = std::strtoll(text.c_str(), &end, 10);
      if (*end != '\0' || errno == ERANGE) return false;
      if (type == oxVariant::Type::Long) {
        *value = oxVariant(number);
        return true;
      }
      if (number < INT_MIN || number > INT_MAX) return false;
      *value = oxVariant(static_cast<int>(number));
      return true;
    }
    case oxVariant::Type::String:
      *value = oxVariant(text);
      return true;
    case oxVariant::Type::Pointer:
    case oxVariant::Type::Empty:
      break;
  }
  return false;
}

bool IsStorable(const oxVariant& value) {
  return value.GetType() != oxVariant::Type::Empty && value.GetType() != oxVariant::Type::Pointer;
}

void ReportFileError(const oxString& file, int line, const oxString& message) {
  oxWarn(file, ":", line, ": ", message);
}

}  // namespace

// ---- store ------------------------------------------------------------------

oxSettings::oxSettings(oxSettings* parent, const oxString& name) : internal_(new Internal) {
  internal_->parent = parent;
  internal_->root = parent ? parent->internal_->root : this;
  internal_->name = name;
}

oxSettings::~oxSettings() {
  if (!internal_->parent && internal_->modified) Sync();
  delete internal_;
}

oxString oxSettings::GetConfigFolder() {
  const QByteArray folder = qgetenv("FWG_CONFIG_DIR");
  if (!folder.isEmpty()) return folder.toStdString();
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
         "/fwg";
}

std::unique_ptr<oxSettings> oxSettings::Create() {
  return std::unique_ptr<oxSettings>(new oxSettings(nullptr, {}));
}

std::unique_ptr<oxSettings> oxSettings::Open(const oxString& filePath) {
  std::unique_ptr<oxSettings> root(new oxSettings(nullptr, {}));
  root->internal_->filePath = filePath;
  QFile file(QString::fromStdString(filePath));
  if (!file.exists()) return root;
  if (!file.open(QIODevice::ReadOnly)) {
    oxWarn("cannot read settings file '", filePath, "': ", file.errorString().toStdString());
    root->internal_->keepBrokenFile = true;
    return root;
  }

  // Parsed into a scratch store so that a broken file leaves nothing behind.
  std::unique_ptr<oxSettings> parsed(new oxSettings(nullptr, {}));
  oxSettings* section = parsed.get();
  int lineNumber = 0;
  while (!file.atEnd()) {
    ++lineNumber;
    oxString raw = file.readLine().toStdString();
    while (!raw.empty() && (raw.back() == '\n' || raw.back() == '\r')) raw.pop_back();
    Glyphs glyphs;
    if (!Decode(raw, &glyphs)) {
      ReportFileError(filePath, lineNumber, "line ends in a lone '\\'");
      root->internal_->keepBrokenFile = true;
      return root;
    }
    glyphs = Trim(glyphs);
    if (glyphs.empty() || IsBare(glyphs.front(), '#') || IsBare(glyphs.front(), ';')) continue;

    if (IsBare(glyphs.front(), '[')) {
      if (!IsBare(glyphs.back(), ']') || glyphs.size() < 2) {
        ReportFileError(filePath, lineNumber, "expected ']' at the end of the section header");
        root->internal_->keepBrokenFile = true;
        return root;
      }
      section = parsed.get();
      oxString name;
      for (size_t i = 1; i + 1 < glyphs.size(); ++i) {
        if (IsBare(glyphs[i], '/')) {
          if (!name.empty()) section = section->GetSection(name, true, false);
          name.clear();
        } else {
          name += glyphs[i].c;
        }
      }
      if (!name.empty()) section = section->GetSection(name, true, false);
      continue;
    }

    const long equals = FindBare(glyphs, '=');
    const Glyphs left(glyphs.begin(), glyphs.begin() + std::max(equals, 0L));
    const long colon = FindBare(left, ':', true);
    if (equals < 0 || colon < 0) {
      ReportFileError(filePath, lineNumber, "expected 'key:type = value'");
      root->internal_->keepBrokenFile = true;
      return root;
    }
    const oxString key = ToText(Trim(Glyphs(left.begin(), left.begin() + colon)));
    const oxString typeName = ToText(Trim(Glyphs(left.begin() + colon + 1, left.end())));
    const oxString text = ToText(Trim(Glyphs(glyphs.begin() + equals + 1, glyphs.end())));
    oxVariant::Type type;
    oxVariant value;
    if (!oxVariant::TypeFromName(typeName, &type) || !ParseValue(type, text, &value)) {
      ReportFileError(filePath, lineNumber,
                      "bad value '" + text + "' of type '" + typeName + "' for key '" + key + "'");
      root->internal_->keepBrokenFile = true;
      return root;
    }
    section->internal_->values[key] = value;
  }

  // Adopt the parsed tree; its sections must learn their new root.
  std::swap(root->internal_->values, parsed->internal_->values);
  std::swap(root->internal_->sections, parsed->internal_->sections);
  oxStlVector<oxSettings*> pending{root.get()};
  while (!pending.empty()) {
    oxSettings* current = pending.back();
    pending.pop_back();
    for (auto& [name, child] : current->internal_->sections) {
      child->internal_->parent = current;
      child->internal_->root = root.get();
      pending.push_back(child.get());
    }
  }
  return root;
}

oxSettings* oxSettings::GetSection(const oxString& path, bool create, bool fromRoot) {
  oxSettings* section = fromRoot ? internal_->root : this;
  for (const oxString& name : oxSplit(path, '/')) {
    auto& children = section->internal_->sections;
    auto found = children.find(name);
    if (found == children.end()) {
      if (!create) return nullptr;
      found = children.emplace(name, std::unique_ptr<oxSettings>(new oxSettings(section, name)))
                  .first;
      internal_->root->internal_->modified = true;
    }
    section = found->second.get();
  }
  return section;
}

oxVariant oxSettings::Get(const oxString& key, bool /*flag*/) const {
  const auto found = internal_->values.find(key);
  return found == internal_->values.end() ? oxVariant() : found->second;
}

void oxSettings::Set(const oxString& key, const oxVariant& value) {
  if (value.GetType() == oxVariant::Type::Empty) {
    Remove(key);
    return;
  }
  if (!IsStorable(value)) {
    oxWarn("oxSettings::Set: a pointer for '", key, "' in '", GetPath(), "' is not stored");
    return;
  }
  Internal* root = internal_->root->internal_;
  root->keepBrokenFile = false;
  auto found = internal_->values.find(key);
  if (found != internal_->values.end() && found->second == value) return;
  internal_->values[key] = value;
  root->modified = true;
}

bool oxSettings::Has(const oxString& key) const { return internal_->values.count(key) != 0; }

void oxSettings::Remove(const oxString& key) {
  Internal* root = internal_->root->internal_;
  root->keepBrokenFile = false;
  if (internal_->values.erase(key)) root->modified = true;
}

oxStlVector<oxString> oxSettings::GetKeys() const {
  oxStlVector<oxString> keys;
  for (const auto& [key, value] : internal_->values) keys.push_back(key);
  return keys;
}

oxStlVector<oxString> oxSettings::GetSectionNames() const {
  oxStlVector<oxString> names;
  for (const auto& [name, section] : internal_->sections) names.push_back(name);
  return names;
}

oxString oxSettings::GetPath() const {
  if (!internal_->parent) return "/";
  oxString path;
  for (const oxSettings* s = this; s->internal_->parent; s = s->internal_->parent)
    path = "/" + s->internal_->name + path;
  return path;
}

oxString oxSettings::GetFilePath() const { return internal_->root->internal_->filePath; }

bool oxSettings::IsModified() const { return internal_->root->internal_->modified; }

bool oxSettings::Sync() {
  Internal* root = internal_->root->internal_;
  if (root->filePath.empty() || root->keepBrokenFile) return true;

  oxString text = "# fwg settings\n";
  oxStlVector<const oxSettings*> pending{internal_->root};
  while (!pending.empty()) {
    const oxSettings* section = pending.back();
    pending.pop_back();
    oxStlVector<oxString> names;  // innermost first
    for (const oxSettings* s = section; s->internal_->parent; s = s->internal_->parent)
      names.push_back(Escape(s->internal_->name, "[]/"));
    text += '[';
    for (auto it = names.rbegin(); it != names.rend(); ++it) text.append("/").append(*it);
    text += names.empty() ? "/]\n" : "]\n";
    for (const auto& [key, value] : section->internal_->values) {
      text += Escape(key, "=:[]#;") + ":" + oxVariant::TypeName(value.GetType()) + " = " +
              Escape(value.GetString(), "") + "\n";
    }
    // Reverse so that the stack hands out the children in name order.
    const auto& children = section->internal_->sections;
    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back(it->second.get());
  }

  const QString filePath = QString::fromStdString(root->filePath);
  QDir().mkpath(QFileInfo(filePath).absolutePath());
  QSaveFile file(filePath);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
      !file.commit()) {
    oxWarn("cannot write settings file '", root->filePath, "': ", file.errorString().toStdString());
    return false;
  }
  root->modified = false;
  return true;
}
