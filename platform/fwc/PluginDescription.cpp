#include "platform/fwc/PluginDescription.h"

#include <QFile>
#include <set>

#include "platform/core/oxDiagnostic.h"
#include "platform/vos/vosFileInfo.h"
#include "platform/vos/vosLibrary.h"

namespace fwc {

struct PluginDescription::Internal {
  oxString name;
  oxString libraryFile;
  oxString clientName;
  oxString alias;
  oxString baseFolder;
  oxStlVector<oxString> resourceFolders;
  oxString fileName;
  oxapp::Manifest manifest;
  explicit Internal(std::unique_ptr<oxSettings> contents) : manifest(std::move(contents)) {}
};

namespace {

oxString Trim(const oxString& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == oxString::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}


// The keys of a description and the one section that may follow them.
const std::set<oxString> kMainKeys = {"name", "library", "client", "alias", "resources"};

// Raw key/value pairs of one file, before their meaning is checked.
struct ParsedFile {
  oxStlMap<oxString, oxString> main;
  oxStlVector<std::pair<oxString, oxString>> manifest;
};

bool Fail(const oxString& file, int line, const oxString& message) {
  if (line > 0) oxWarn(file, ":", line, ": ", message);
  else oxWarn(file, ": ", message);
  return false;
}

bool Parse(const oxString& file, const QByteArray& bytes, ParsedFile* parsed) {
  bool inManifest = false;
  int lineNumber = 0;
  for (const QByteArray& rawLine : bytes.split('\n')) {
    ++lineNumber;
    oxString line = rawLine.toStdString();
    const auto hash = line.find('#');
    if (hash != oxString::npos) line.erase(hash);
    line = Trim(line);
    if (line.empty()) continue;

    if (line.front() == '[') {
      if (line.back() != ']') return Fail(file, lineNumber, "expected ']' after the section name");
      const oxString section = Trim(line.substr(1, line.size() - 2));
      if (section != "manifest")
        return Fail(file, lineNumber, "unknown section '" + section + "' (only [manifest])");
      inManifest = true;
      continue;
    }

    const auto equals = line.find('=');
    const oxString key = equals == oxString::npos ? oxString() : Trim(line.substr(0, equals));
    if (key.empty()) return Fail(file, lineNumber, "expected 'key = value'");
    const oxString value = Trim(line.substr(equals + 1));
    if (inManifest) {
      parsed->manifest.emplace_back(key, value);
      continue;
    }
    if (!kMainKeys.count(key)) return Fail(file, lineNumber, "unknown key '" + key + "'");
    if (!parsed->main.emplace(key, value).second)
      return Fail(file, lineNumber, "key '" + key + "' given twice");
  }
  for (const char* required : {"name", "library"}) {
    const auto found = parsed->main.find(required);
    if (found == parsed->main.end() || found->second.empty())
      return Fail(file, 0, oxString("missing value for '") + required + "'");
  }
  return true;
}

}  // namespace

std::unique_ptr<PluginDescription> PluginDescription::ReadFile(const oxString& file) {
  const oxString fileName = vosLibrary::GetAbsoluteFileName(file);
  QFile input(QString::fromStdString(fileName));
  if (!input.open(QIODevice::ReadOnly)) {
    Fail(file, 0, "cannot read plug-in description: " + input.errorString().toStdString());
    return nullptr;
  }
  ParsedFile parsed;
  if (!Parse(fileName, input.readAll(), &parsed)) return nullptr;

  std::unique_ptr<oxSettings> contents;
  if (!parsed.manifest.empty()) {
    contents = oxSettings::Create();
    for (const auto& [key, value] : parsed.manifest) contents->Set(key, value);
  }

  std::unique_ptr<PluginDescription> description(new PluginDescription(std::move(contents)));
  Internal* d = description->internal_;
  d->fileName = fileName;
  d->baseFolder = vosFileInfo(fileName).GetPath();
  d->name = parsed.main["name"];
  // A library given by a variable ("$ROOT/lib/libdemo.so") names its own
  // location; anything else not absolute sits beside the description.
  const oxString& library = parsed.main["library"];
  d->libraryFile = vosLibrary::GetAbsoluteFileName(
      library.front() == '/' || library.front() == '$' ? library : d->baseFolder + "/" + library);
  d->clientName = parsed.main["client"];
  d->alias = parsed.main["alias"];
  for (const oxString& folder : oxSplit(parsed.main["resources"], ',')) {
    const oxString name = Trim(folder);
    if (!name.empty()) d->resourceFolders.push_back(name);
  }
  return description;
}

PluginDescription::PluginDescription(std::unique_ptr<oxSettings> manifestContents)
    : internal_(new Internal(std::move(manifestContents))) {}

PluginDescription::~PluginDescription() { delete internal_; }

const oxString& PluginDescription::GetName() const { return internal_->name; }
const oxString& PluginDescription::GetLibraryFile() const { return internal_->libraryFile; }
const oxString& PluginDescription::GetClientName() const { return internal_->clientName; }
const oxString& PluginDescription::GetAlias() const { return internal_->alias; }
const oxString& PluginDescription::GetBaseFolder() const { return internal_->baseFolder; }
const oxStlVector<oxString>& PluginDescription::GetResourceFolders() const {
  return internal_->resourceFolders;
}
const oxString& PluginDescription::GetFileName() const { return internal_->fileName; }
oxapp::Manifest* PluginDescription::GetManifest() const { return &internal_->manifest; }

}  // namespace fwc
