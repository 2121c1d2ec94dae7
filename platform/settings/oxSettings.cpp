#include "platform/settings/oxSettings.h"

#include <QEvent>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/settings/oxSettingsText.h"
#include "platform/vos/vosFile.h"
#include "platform/vos/vosFileInfo.h"
#include "platform/vos/vosSaveFile.h"

// The values live in a QSettings of a format of our own: QSettings brings
// the lock file and the merge-on-sync, the format's functions bring typed
// values, bad lines that cost only themselves, and writes that check every
// step before QSettings renames the file into place.

namespace {

// Settings hold keys, toolbars and window layouts: far less than this.
constexpr size_t kMaxFileSize = 64 << 20;

// What the format's functions report about the QSettings call in progress.
// QSettings calls them only inside its constructor and sync(), which the
// store makes with an access in place.
struct FileAccess {
  bool earlierForm = false;
  bool keepFile = false;  // bad lines could not be copied aside: do not write over them
  bool wrote = false;
  oxString writeError;
  struct stat written {};  // the file written, to see that it was put in place
};

thread_local FileAccess* t_access = nullptr;

class AccessScope {
 public:
  explicit AccessScope(FileAccess* access) : previous_(t_access) { t_access = access; }
  ~AccessScope() { t_access = previous_; }
  AccessScope(const AccessScope&) = delete;
  AccessScope& operator=(const AccessScope&) = delete;

 private:
  FileAccess* previous_;
};

// Copies the file aside before anything can write over its bad lines.
void SetAside(const oxString& file, const QByteArray& text, const oxSettingsText::Findings& found) {
  oxString reason;
  const oxString copy = file + ".broken";
  const bool kept = vosSaveFile::WriteFile(copy, text, &reason);
  std::cerr << "fwg: " << file << ":" << found.firstBadLine << ": " << found.firstProblem << "; "
            << found.badLines << (found.badLines == 1 ? " line" : " lines") << " not read, "
            << (kept ? "the file as it was is kept in " + copy
                     : "the file is not written: cannot keep a copy in " + copy + ": " + reason)
            << "\n";
  if (!kept && t_access) t_access->keepFile = true;
}

bool ReadStoreFile(QIODevice& device, QSettings::SettingsMap& values) {
  const QByteArray text = device.readAll();
  oxSettingsText::Findings found;
  values = oxSettingsText::Read(text, &found);
  if (t_access) t_access->earlierForm = found.earlierForm;
  const auto* file = qobject_cast<QFile*>(&device);
  if (found.badLines > 0 && file) SetAside(file->fileName().toStdString(), text, found);
  return true;  // the good lines count whatever the bad ones
}

bool WriteStoreFile(QIODevice& device, const QSettings::SettingsMap& values) {
  auto* file = qobject_cast<QFileDevice*>(&device);
  oxString error;
  if (t_access && t_access->keepFile) error = "its unreadable lines could not be copied aside";
  else if (!file) error = "not a file";
  const bool written = error.empty() && vosSaveFile::WriteAndSync(*file, oxSettingsText::Write(values), &error);
  if (t_access) {
    t_access->wrote = true;
    t_access->writeError = error;
    if (written) fstat(file->handle(), &t_access->written);
  }
  return written;
}

QSettings::Format StoreFormat() {
  static const QSettings::Format format = QSettings::registerFormat("ini", ReadStoreFile, WriteStoreFile);
  return format;
}

// Writes only when the store asks: QSettings would otherwise also write from
// the event loop, where a failure reaches nobody.
class StoreFile : public QSettings {
 public:
  explicit StoreFile(const QString& path) : QSettings(path, StoreFormat()) {}

 protected:
  bool event(QEvent* event) override {
    return event->type() == QEvent::UpdateRequest || QSettings::event(event);
  }
};

// QSettings says only that it could not write; the system says why. Its
// lock file beside the file is written first, so a full disk usually shows
// there: a probe of the same size finds the reason.
oxString WhyNotWritable(const oxString& path) {
  if (access(path.c_str(), F_OK) == 0) {
    const int fd = open(path.c_str(), O_RDWR | O_NONBLOCK);
    if (fd < 0) return std::strerror(errno);
    close(fd);
  }
  const oxString reason = vosSaveFile::WhyNotWritable(vosFileInfo(path).GetPath());
  return reason.empty() ? "the new file could not be put in place" : reason;
}

// Whether the file at `path` may be handed to QSettings to read: missing,
// or a regular file of a sane size. A named pipe would block it, a device
// never end.
bool IsReadable(const oxString& path, oxString* reason) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 && errno == ENOENT) return true;
  return vosFile::CheckReadable(path, kMaxFileSize, reason);
}

bool IsInPlace(const oxString& path, const struct stat& written) {
  struct stat now {};
  return stat(path.c_str(), &now) == 0 && now.st_dev == written.st_dev && now.st_ino == written.st_ino;
}

void ReportMisuse(const char* where, const oxString& what) { std::cerr << "fwg: oxSettings::" << where << ": " << what << "\n"; }

QString WithoutSlash(const QString& prefix) { return prefix.isEmpty() ? prefix : prefix.chopped(1); }

}  // namespace

// ---- store ------------------------------------------------------------------

struct oxSettings::Internal {
  oxSettings* root = nullptr;
  QString prefix;  // the encoded section names, each followed by '/'; "" for the root
  oxString path;   // "/A/B", "/" for the root

  // Used on the root only.
  oxString filePath;                // empty for a store in memory
  std::unique_ptr<QSettings> file;  // null in memory
  QSettings::SettingsMap memory;    // the values when there is no `file`
  // Every section handed out, by prefix. Flat, so that the depth of a tree
  // costs no stack when it goes.
  std::map<QString, std::unique_ptr<oxSettings>> sections;
  bool modified = false;
  bool keepFile = false;  // the file could not be read or its bad lines kept: never written
  bool fileSeen = false;  // read from or written to the disk at least once
  oxString lastError;     // reported already

  QVariant Value(const QString& key) const { return file ? file->value(key) : memory.value(key); }
  void SetValue(const QString& key, const QVariant& value);
  void RemoveValue(const QString& key);
  // Encoded names of the keys or sections directly below `prefix`.
  QStringList Children(const QString& prefix, bool sections) const;
  bool HasAnythingBelow(const QString& prefix) const;
};

void oxSettings::Internal::SetValue(const QString& key, const QVariant& value) {
  if (file) file->setValue(key, value);
  else memory.insert(key, value);
  modified = true;
}

void oxSettings::Internal::RemoveValue(const QString& key) {
  modified = true;
  if (!file) {
    memory.remove(key);
    return;
  }
  // QSettings::remove takes a section of the same name along; put it back.
  QSettings::SettingsMap below;
  file->beginGroup(key);
  for (const QString& name : file->allKeys()) below.insert(name, file->value(name));
  file->endGroup();
  file->remove(key);
  for (auto it = below.constBegin(); it != below.constEnd(); ++it) file->setValue(key + '/' + it.key(), it.value());
}

QStringList oxSettings::Internal::Children(const QString& prefix, bool wantSections) const {
  if (file) {
    if (!prefix.isEmpty()) file->beginGroup(WithoutSlash(prefix));
    const QStringList names = wantSections ? file->childGroups() : file->childKeys();
    if (!prefix.isEmpty()) file->endGroup();
    return names;
  }
  QStringList names;
  for (auto it = memory.lowerBound(prefix); it != memory.constEnd() && it.key().startsWith(prefix); ++it) {
    const QString rest = it.key().mid(prefix.size());
    const qsizetype slash = rest.indexOf(u'/');
    if ((slash >= 0) != wantSections) continue;
    const QString name = rest.left(slash);
    if (names.isEmpty() || names.back() != name) names.append(name);
  }
  return names;
}

bool oxSettings::Internal::HasAnythingBelow(const QString& prefix) const {
  const auto made = sections.lower_bound(prefix);
  if (made != sections.end() && made->first.startsWith(prefix)) return true;
  return !Children(prefix, false).isEmpty() || !Children(prefix, true).isEmpty();
}

oxSettings::oxSettings(Internal* internal) : internal_(internal) {}

oxSettings::~oxSettings() {
  if (internal_->root == this && internal_->modified) Sync();
  delete internal_;
}

oxString oxSettings::GetConfigFolder() {
  const QByteArray folder = qgetenv("FWG_CONFIG_DIR");
  if (!folder.isEmpty()) return folder.toStdString();
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
         "/fwg";
}

std::unique_ptr<oxSettings> oxSettings::Create() {
  auto* internal = new Internal;
  internal->path.assign(1, '/');  // not = "/": GCC 12 warns wrongly at -O3
  auto root = std::unique_ptr<oxSettings>(new oxSettings(internal));
  internal->root = root.get();
  return root;
}

std::unique_ptr<oxSettings> oxSettings::Open(const oxString& filePath) {
  std::unique_ptr<oxSettings> root = Create();
  Internal* d = root->internal_;
  d->filePath = filePath;
  const QString path = QString::fromStdString(filePath);
  oxString reason;
  if (!IsReadable(filePath, &reason)) {
    std::cerr << "fwg: cannot read settings file '" << filePath << "': " << reason
              << "; it is left as it is and changes stay in memory\n";
    d->keepFile = true;
    return root;
  }
  d->fileSeen = access(filePath.c_str(), F_OK) == 0;

  FileAccess access;
  {
    AccessScope scope(&access);
    d->file = std::make_unique<StoreFile>(path);
  }
  if (access.keepFile) {  // said so already
    for (const QString& key : d->file->allKeys()) d->memory.insert(key, d->file->value(key));
    d->file.reset();
    d->keepFile = true;
  } else if (access.earlierForm) {
    for (const QString& key : d->file->allKeys()) d->SetValue(key, d->file->value(key));
    root->Sync();
  }
  return root;
}

oxSettings* oxSettings::GetSection(const oxString& path, bool create, bool fromRoot) {
  Internal* root = internal_->root->internal_;
  const Internal* start = fromRoot ? root : internal_;
  const oxStlVector<oxString> names = oxSplit(path, '/');
  if (names.empty()) return fromRoot ? internal_->root : this;

  QString prefix = start->prefix;
  oxString fullPath = start->path == "/" ? oxString() : start->path;
  if (prefix.count(u'/') + static_cast<qsizetype>(names.size()) > oxSettingsText::kMaxDepth) {
    ReportMisuse("GetSection", oxQuote(path) + " is nested deeper than " +
                                   std::to_string(oxSettingsText::kMaxDepth) + " sections");
    return nullptr;
  }
  for (const oxString& name : names) {
    if (name.size() > oxSettingsText::kMaxNameSize) {
      ReportMisuse("GetSection", "a section name in " + oxQuote(path) + " is longer than " +
                                     std::to_string(oxSettingsText::kMaxNameSize) + " bytes");
      return nullptr;
    }
    prefix += oxSettingsText::EncodeName(name) + '/';
    fullPath += "/" + name;
  }

  const auto made = root->sections.find(prefix);
  if (made != root->sections.end()) return made->second.get();
  if (!create && !root->HasAnythingBelow(prefix)) return nullptr;
  auto* internal = new Internal;
  internal->root = internal_->root;
  internal->prefix = prefix;
  internal->path = fullPath;
  return root->sections.emplace(prefix, std::unique_ptr<oxSettings>(new oxSettings(internal))).first->second.get();
}

oxString oxSettings::ToSectionName(const oxString& name) {
  oxString section;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '/') {
      section += "%2F";
    } else if (name[i] == '%' && (name.compare(i + 1, 2, "2F") == 0 || name.compare(i + 1, 2, "25") == 0)) {
      section += "%25";
    } else {
      section += name[i];
    }
  }
  return section;
}

oxString oxSettings::FromSectionName(const oxString& section) {
  oxString name;
  for (size_t i = 0; i < section.size(); ++i) {
    if (section[i] == '%' && section.compare(i + 1, 2, "2F") == 0) {
      name += '/';
      i += 2;
    } else if (section[i] == '%' && section.compare(i + 1, 2, "25") == 0) {
      name += '%';
      i += 2;
    } else {
      name += section[i];
    }
  }
  return name;
}

oxVariant oxSettings::Get(const oxString& key, bool /*flag*/) const {
  if (key.empty() || key.size() > oxSettingsText::kMaxNameSize) return {};
  return oxSettingsText::FromQt(
      internal_->root->internal_->Value(internal_->prefix + oxSettingsText::EncodeName(key)));
}

void oxSettings::Set(const oxString& key, const oxVariant& value) {
  if (value.GetType() == oxVariant::Type::Empty) {
    Remove(key);
    return;
  }
  oxString refusal;
  if (value.GetType() == oxVariant::Type::Pointer) refusal = "a pointer";
  else if (key.empty()) refusal = "an empty key";
  else if (key.size() > oxSettingsText::kMaxNameSize)
    refusal = "a key longer than " + std::to_string(oxSettingsText::kMaxNameSize) + " bytes";
  if (!refusal.empty()) {
    ReportMisuse("Set", refusal + " (" + oxQuote(key) + " in '" + GetPath() + "') is not stored");
    return;
  }
  if (Get(key) == value) return;
  internal_->root->internal_->SetValue(internal_->prefix + oxSettingsText::EncodeName(key),
                                       oxSettingsText::ToQt(value));
}

int64_t oxSettings::GetInteger(const oxString& key, int64_t fallback, int64_t min, int64_t max) const {
  const oxVariant value = Get(key);
  int64_t number = 0;
  bool read = false;
  switch (value.GetType()) {
    case oxVariant::Type::Integer:
    case oxVariant::Type::Long:
      number = value.GetLong();
      read = true;
      break;
    case oxVariant::Type::String: {
      // Written by hand without a type: "TimeLimitSeconds=30".
      const oxString text = value.GetString();
      const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number);
      read = !text.empty() && status == std::errc() && end == text.data() + text.size();
      break;
    }
    case oxVariant::Type::Empty:
      return fallback;
    default:
      break;
  }
  if (read && number >= min && number <= max) return number;
  const oxString& file = internal_->root->internal_->filePath;
  const oxString where = GetPath() == "/" ? "/" + key : GetPath() + "/" + key;
  std::cerr << "fwg: " << (file.empty() ? oxString("settings") : file) << ": " << oxQuote(where) << " = "
            << oxQuote(value.GetString()) << (read ? " is out of range" : " is not a whole number") << " ("
            << min << " to " << max << "); " << fallback << " is used\n";
  return fallback;
}

bool oxSettings::Has(const oxString& key) const { return !Get(key).IsEmpty(); }

void oxSettings::Remove(const oxString& key) {
  if (Has(key)) internal_->root->internal_->RemoveValue(internal_->prefix + oxSettingsText::EncodeName(key));
}

oxStlVector<oxString> oxSettings::GetKeys() const {
  std::set<oxString> keys;
  oxString key;
  for (const QString& name : internal_->root->internal_->Children(internal_->prefix, false)) {
    if (oxSettingsText::DecodeName(name, &key)) keys.insert(key);
  }
  return {keys.begin(), keys.end()};
}

oxStlVector<oxString> oxSettings::GetSectionNames() const {
  const Internal* root = internal_->root->internal_;
  const QString& prefix = internal_->prefix;
  QStringList encoded = root->Children(prefix, true);
  // Sections made here that hold nothing yet.
  for (auto it = root->sections.upper_bound(prefix); it != root->sections.end() && it->first.startsWith(prefix); ++it) {
    encoded.append(it->first.mid(prefix.size()).section(u'/', 0, 0));
  }
  std::set<oxString> names;
  oxString name;
  for (const QString& text : encoded) {
    if (oxSettingsText::DecodeName(text, &name)) names.insert(name);
  }
  return {names.begin(), names.end()};
}

oxString oxSettings::GetPath() const { return internal_->path; }

oxString oxSettings::GetFilePath() const { return internal_->root->internal_->filePath; }

bool oxSettings::IsModified() const { return internal_->root->internal_->modified; }

bool oxSettings::Sync(oxString* error) {
  Internal* root = internal_->root->internal_;
  if (error) error->clear();
  if (root->filePath.empty()) return true;
  if (root->keepFile) {  // said so when the file was opened
    if (root->modified && error) *error = "the settings file could not be read, so it is not written";
    return !root->modified;
  }

  oxString reason;
  const bool gone = root->fileSeen && access(root->filePath.c_str(), F_OK) != 0 && errno == ENOENT;
  if (gone) {
    // The folder went away (deleted, a network home that dropped). What
    // QSettings would merge with is gone too, so it would write only the
    // newest changes: everything held in memory is written again instead.
    for (const QString& key : root->file->allKeys()) root->file->setValue(key, root->file->value(key));
    root->modified = true;
    std::cerr << "fwg: settings file '" << root->filePath
              << "' is gone; the settings in use are written to it again\n";
    root->fileSeen = false;  // told once
  }
  // QSettings would make the folder too, but would not say why it cannot.
  std::error_code folderError;
  std::filesystem::create_directories(vosFileInfo(root->filePath).GetPath(), folderError);
  FileAccess access;
  if (folderError) {
    reason = folderError.message();
  } else if (IsReadable(root->filePath, &reason)) {
    AccessScope scope(&access);
    root->file->sync();  // also reads what other instances wrote meanwhile
  }
  if (!root->modified) return true;

  if (reason.empty() && !access.writeError.empty()) reason = access.writeError;
  else if (reason.empty() && (!access.wrote || !IsInPlace(root->filePath, access.written)))
    reason = WhyNotWritable(root->filePath);
  if (reason.empty()) {
    root->modified = false;
    root->fileSeen = true;
    root->lastError.clear();
    return true;
  }
  if (error) *error = reason;
  if (reason != root->lastError) {
    std::cerr << "fwg: cannot write settings file '" << root->filePath << "': " << reason << "\n";
    root->lastError = reason;
  }
  return false;
}
