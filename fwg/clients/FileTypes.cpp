#include "fwg/clients/FileTypes.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <deque>
#include <iostream>
#include <string_view>
#include <unordered_map>

#include "fwg/LibraryTexts.h"
#include "fwg/clients/ClientManager.h"
#include "platform/fwc/PluginDescription.h"

namespace fwg {

namespace {

// "type/subtype", of the characters MIME names are made of.
bool IsMimeType(const oxString& text) {
  const auto slash = text.find('/');
  if (slash == oxString::npos || slash == 0 || slash + 1 == text.size()) return false;
  if (text.find('/', slash + 1) != oxString::npos || text.size() > 255) return false;
  constexpr std::string_view kMarks = "/!#$&^_.+-";
  for (const char c : text) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!plain && kMarks.find(c) == std::string_view::npos) return false;
  }
  return true;
}

// "Name (*.a *.b)" into its name and patterns; false when it is not that.
bool ParseDeclaration(const oxString& text, oxString* name, oxStlVector<oxString>* patterns) {
  const QString declared = QString::fromStdString(text).trimmed();
  const qsizetype open = declared.lastIndexOf(QLatin1Char('('));
  if (open <= 0 || !declared.endsWith(QLatin1Char(')'))) return false;
  *name = declared.left(open).trimmed().toStdString();
  const QStringList globs =
      declared.mid(open + 1, declared.size() - open - 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  for (const QString& glob : globs) patterns->push_back(glob.toStdString());
  return !name->empty() && !patterns->empty();
}

QString Filter(const oxString& name, const oxStlVector<oxString>& patterns) {
  QStringList globs;
  for (const oxString& pattern : patterns) globs << QString::fromStdString(pattern);
  return QStringLiteral("%1 (%2)").arg(QString::fromStdString(name), globs.join(QLatin1Char(' ')));
}

bool Matches(const oxStlVector<oxString>& patterns, const QString& fileName) {
  for (const oxString& pattern : patterns) {
    const QRegularExpression glob(
        QRegularExpression::wildcardToRegularExpression(QString::fromStdString(pattern)),
        QRegularExpression::CaseInsensitiveOption);
    if (glob.match(fileName).hasMatch()) return true;
  }
  return false;
}

}  // namespace

struct FileTypes::Internal {
  // The client and the description of a run of entries: kept once, since
  // start-up reads hundreds of descriptions.
  struct Owner {
    oxString client;
    oxString source;
  };
  struct Entry {
    oxString mimeType;
    size_t owner;  // into `owners`
    oxString declaredName;
    oxStlVector<oxString> declaredPatterns;
  };
  std::deque<Owner> owners;
  // A deque keeps the entries where they are, so the index can look into
  // their names.
  std::deque<Entry> entries;
  std::unordered_map<std::string_view, size_t> byType;  // into `entries`

  size_t OwnerOf(const oxString& client, const oxString& source) {
    if (owners.empty() || owners.back().client != client || owners.back().source != source) {
      owners.push_back({client, source});
    }
    return owners.size() - 1;
  }

  // Filled from `entries` when first needed: the MIME database is read
  // then, not at start-up.
  mutable bool resolved = false;
  mutable oxStlVector<Type> types;
  mutable oxStlVector<bool> declaredOnly;  // per type: the database lacks it
  mutable std::unordered_map<oxString, size_t> typeIndex;  // into `types`

  void Resolve() const;
};

void FileTypes::Internal::Resolve() const {
  if (resolved) return;
  resolved = true;
  const QMimeDatabase database;
  for (const Entry& entry : entries) {
    const QMimeType known = database.mimeTypeForName(QString::fromStdString(entry.mimeType));
    const Owner& owner = owners[entry.owner];
    Type type{entry.mimeType, owner.client, entry.declaredName, entry.declaredPatterns};
    bool declared = true;
    if (known.isValid()) {
      declared = false;
      type.name = known.comment().toStdString();
      type.patterns.clear();
      for (const QString& glob : known.globPatterns()) type.patterns.push_back(glob.toStdString());
      if (type.patterns.empty()) type.patterns = entry.declaredPatterns;
    } else if (entry.declaredPatterns.empty()) {
      std::cerr << "fwg: " << owner.source << ": file type " << oxQuote(entry.mimeType)
                << " is unknown to the MIME database and declares no patterns "
                   "(type " << entry.mimeType << " = Name (*.suffix)); left out\n";
      continue;
    }
    typeIndex.emplace(type.mimeType, types.size());
    types.push_back(std::move(type));
    declaredOnly.push_back(declared);
  }
}

FileTypes* FileTypes::Get() {
  ClientManager* manager = ClientManager::Get();
  return manager ? manager->GetFileTypes() : nullptr;
}

FileTypes::FileTypes() : internal_(new Internal) {}

FileTypes::~FileTypes() { delete internal_; }

void FileTypes::AddDescription(const fwc::PluginDescription& description) {
  const oxStlVector<oxString>& named = description.GetFileTypes();
  const auto& declarations = description.GetFileTypeDeclarations();
  if (named.empty() && declarations.empty()) return;
  const oxString& source = description.GetFileName();
  if (description.GetClientName().empty()) {
    std::cerr << "fwg: " << source << ": file types need a client; left out\n";
    return;
  }
  for (const auto& [type, declared] : declarations) {
    if (std::find(named.begin(), named.end(), type) == named.end()) {
      std::cerr << "fwg: " << source << ": the declaration of type " << oxQuote(type)
                << " names a type that 'types' does not list; left out\n";
    }
  }
  for (const oxString& type : named) {
    oxString declared;
    for (const auto& [name, text] : declarations) {
      if (name == type) declared = text;
    }
    Add(description.GetClientName(), type, declared, source);
  }
}

bool FileTypes::Add(const oxString& client, const oxString& mimeType, const oxString& declared,
                    const oxString& source) {
  if (!IsMimeType(mimeType)) {
    std::cerr << "fwg: " << source << ": " << oxQuote(mimeType)
              << " is not a MIME type (type/subtype); left out\n";
    return false;
  }
  Internal::Entry entry{mimeType, 0, {}, {}};
  if (!declared.empty() && !ParseDeclaration(declared, &entry.declaredName, &entry.declaredPatterns)) {
    std::cerr << "fwg: " << source << ": the declaration of " << mimeType << " is "
              << oxQuote(declared) << ", not 'Name (*.suffix ...)'; left out\n";
    return false;
  }
  if (const auto found = internal_->byType.find(mimeType); found != internal_->byType.end()) {
    const Internal::Owner& first = internal_->owners[internal_->entries[found->second].owner];
    std::cerr << "fwg: " << source << ": file type " << mimeType << " is opened by client '"
              << first.client << "' already (" << first.source << "); left out for '" << client
              << "'\n";
    return false;
  }
  entry.owner = internal_->OwnerOf(client, source);
  internal_->entries.push_back(std::move(entry));
  internal_->byType.emplace(internal_->entries.back().mimeType, internal_->entries.size() - 1);
  internal_->resolved = false;
  internal_->types.clear();
  internal_->declaredOnly.clear();
  internal_->typeIndex.clear();
  return true;
}

oxString FileTypes::FindClient(const oxString& path, oxString* mimeType) const {
  internal_->Resolve();
  const auto& types = internal_->types;
  const auto answer = [mimeType](const Type& type) {
    if (mimeType) *mimeType = type.mimeType;
    return type.client;
  };
  const QString fileName = QFileInfo(QString::fromStdString(path)).fileName();
  for (size_t i = 0; i < types.size(); ++i) {
    if (internal_->declaredOnly[i] && Matches(types[i].patterns, fileName)) return answer(types[i]);
  }
  if (types.empty()) return {};
  const QMimeDatabase database;
  // The file's type, then what it inherits from, nearest first.
  std::deque<QMimeType> next{database.mimeTypeForFile(QString::fromStdString(path))};
  QStringList seen;
  while (!next.empty()) {
    const QMimeType type = next.front();
    next.pop_front();
    if (!type.isValid() || seen.contains(type.name())) continue;
    seen << type.name();
    QStringList names{type.name()};
    names << type.aliases();
    for (const QString& name : names) {
      const auto found = internal_->typeIndex.find(name.toStdString());
      if (found != internal_->typeIndex.end()) return answer(types[found->second]);
    }
    for (const QString& parent : type.parentMimeTypes()) next.push_back(database.mimeTypeForName(parent));
  }
  return {};
}

const oxStlVector<FileTypes::Type>& FileTypes::GetTypes() const {
  internal_->Resolve();
  return internal_->types;
}

QString FileTypes::GetOpenFilters() const {
  QStringList filters;
  QStringList all;
  for (const Type& type : GetTypes()) {
    filters << Filter(type.name, type.patterns);
    for (const oxString& pattern : type.patterns) {
      if (!all.contains(QString::fromStdString(pattern))) all << QString::fromStdString(pattern);
    }
  }
  if (!all.isEmpty()) {
    filters.prepend(TranslateLibraryQText("All supported files") + " (" + all.join(' ') + ")");
  }
  filters << TranslateLibraryQText("All files") + " (*)";
  return filters.join(QStringLiteral(";;"));
}

QString FileTypes::GetSaveFilters(const oxString& client) const {
  QStringList filters;
  for (const Type& type : GetTypes()) {
    if (type.client == client) filters << Filter(type.name, type.patterns);
  }
  filters << TranslateLibraryQText("All files") + " (*)";
  return filters.join(QStringLiteral(";;"));
}

oxString FileTypes::GetDefaultSuffix(const oxString& client) const {
  for (const Type& type : GetTypes()) {
    if (type.client != client) continue;
    for (const oxString& pattern : type.patterns) {
      if (pattern.starts_with("*.") && pattern.find_first_of("*?[", 2) == oxString::npos) {
        return pattern.substr(2);
      }
    }
  }
  return {};
}

}  // namespace fwg
