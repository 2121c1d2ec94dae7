#include "platform/fwc/PluginDescription.h"

#include <iostream>
#include <set>
#include <vector>

#include "platform/settings/oxSettingsText.h"
#include "platform/vos/vosFile.h"
#include "platform/vos/vosFileInfo.h"
#include "platform/vos/vosLibrary.h"

namespace fwc {

struct PluginDescription::Internal {
  oxString name;
  oxString libraryFile;
  oxString declarationFile;
  oxString scriptFile;
  oxString view;
  oxString clientName;
  oxString alias;
  oxString translations;
  oxString baseFolder;
  oxStlVector<oxString> resourceFolders;
  oxStlVector<oxString> fileTypes;
  oxStlVector<std::pair<oxString, oxString>> typeDeclarations;
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
const std::set<oxString> kMainKeys = {"name",   "library", "client", "alias",       "resources",
                                      "script", "view",    "types",  "declaration", "translations"};
// "type <MIME type> = Name (*.a *.b)": a type the MIME database may lack.
const char kTypePrefix[] = "type ";

// Raw key/value pairs of one file, before their meaning is checked.
struct ParsedFile {
  oxStlMap<oxString, oxString> main;
  oxStlVector<std::pair<oxString, oxString>> types;
  oxStlVector<std::pair<oxString, oxString>> manifest;
};

// The reason in `error` as "<file>[:<line>]: <message>".
bool Fail(const oxString& file, int line, const oxString& message, oxString* error) {
  // Appended piece by piece: ":" + ... makes GCC 12 warn wrongly at -O3.
  *error = file;
  if (line > 0) {
    *error += ':';
    *error += std::to_string(line);
  }
  *error += ": ";
  *error += message;
  return false;
}

bool Parse(const oxString& file, QByteArray bytes, ParsedFile* parsed, oxString* error) {
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);  // a byte-order mark some editors write
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
      if (line.back() != ']') return Fail(file, lineNumber, "expected ']' after the section name", error);
      const oxString section = Trim(line.substr(1, line.size() - 2));
      if (section != "manifest")
        return Fail(file, lineNumber, "unknown section " + oxQuote(section) + " (only [manifest])", error);
      inManifest = true;
      continue;
    }

    const auto equals = line.find('=');
    const oxString key = equals == oxString::npos ? oxString() : Trim(line.substr(0, equals));
    if (key.empty()) return Fail(file, lineNumber, "expected 'key = value'", error);
    const oxString value = Trim(line.substr(equals + 1));
    if (inManifest && key.size() > oxSettingsText::kMaxNameSize) {
      return Fail(file, lineNumber, "key " + oxQuote(key) + " is too long", error);
    }
    if (inManifest) {
      parsed->manifest.emplace_back(key, value);
      continue;
    }
    if (key.starts_with(kTypePrefix)) {
      const oxString type = Trim(key.substr(sizeof(kTypePrefix) - 1));
      for (const auto& [known, declared] : parsed->types) {
        if (known == type) return Fail(file, lineNumber, "type " + oxQuote(type) + " given twice", error);
      }
      parsed->types.emplace_back(type, value);
      continue;
    }
    if (!kMainKeys.count(key)) return Fail(file, lineNumber, "unknown key " + oxQuote(key), error);
    if (!parsed->main.emplace(key, value).second)
      return Fail(file, lineNumber, "key " + oxQuote(key) + " given twice", error);
  }
  auto& main = parsed->main;
  // A library, or what the host makes a client from instead.
  const bool scripted = !main["declaration"].empty() || !main["script"].empty();
  if (scripted && !main["library"].empty())
    return Fail(file, 0, "'library' and 'declaration' exclude each other", error);
  const std::vector<const char*> required =
      scripted ? std::vector<const char*>{"name", "client", "declaration", "script"}
               : std::vector<const char*>{"name", "library"};
  for (const char* key : required) {
    if (main[key].empty()) return Fail(file, 0, oxString("missing value for '") + key + "'", error);
  }
  if (scripted && main["view"].empty()) main["view"] = "text";
  if (!scripted && !main["view"].empty()) return Fail(file, 0, "'view' needs 'declaration'", error);
  if (scripted && main["view"] != "text" && main["view"] != "widget")
    return Fail(file, 0, "unknown view " + oxQuote(main["view"]) + " (text or widget)", error);
  return true;
}

}  // namespace

std::unique_ptr<PluginDescription> PluginDescription::ReadFile(const oxString& file) {
  const oxString fileName = vosLibrary::GetAbsoluteFileName(file);
  // A description is a few lines; anything near this is not one.
  constexpr size_t kMaxSize = 4 << 20;
  QByteArray bytes;
  oxString reason, error;
  if (!vosFile::ReadFile(fileName, kMaxSize, &bytes, &reason)) {
    Fail(file, 0, "cannot be read: " + reason, &error);
    std::cerr << "fwg: " << error << "\n";
    return nullptr;
  }
  return Read(bytes.toStdString(), fileName, nullptr);
}

std::unique_ptr<PluginDescription> PluginDescription::Read(const oxString& text, const oxString& fileName,
                                                           oxString* error) {
  ParsedFile parsed;
  oxString message;
  // A library given by a variable ("$ROOT/lib/libdemo.so") names its own
  // location; anything else not absolute sits beside the description.
  const oxString baseFolder = vosFileInfo(fileName).GetPath();
  oxString libraryFile;
  if (Parse(fileName, QByteArray::fromStdString(text), &parsed, &message)) {
    const oxString& library = parsed.main["library"];
    if (!library.empty()) {
      libraryFile = vosLibrary::GetAbsoluteFileName(
          library.front() == '/' || library.front() == '$' ? library : baseFolder + "/" + library);
      if (libraryFile.empty()) Fail(fileName, 0, "library " + oxQuote(library) + " names no file", &message);
    }
  }
  if (!message.empty()) {
    if (error) *error = message;
    else std::cerr << "fwg: " << message << "\n";
    return nullptr;
  }

  std::unique_ptr<oxSettings> contents;
  if (!parsed.manifest.empty()) {
    contents = oxSettings::Create();
    for (const auto& [key, value] : parsed.manifest) contents->Set(key, value);
  }

  std::unique_ptr<PluginDescription> description(new PluginDescription(std::move(contents)));
  Internal* d = description->internal_;
  d->fileName = fileName;
  d->baseFolder = baseFolder;
  d->name = parsed.main["name"];
  d->libraryFile = libraryFile;
  d->declarationFile = parsed.main["declaration"];
  d->scriptFile = parsed.main["script"];
  d->view = parsed.main["view"];
  d->clientName = parsed.main["client"];
  d->alias = parsed.main["alias"];
  d->translations = parsed.main["translations"];
  for (const oxString& folder : oxSplit(parsed.main["resources"], ',')) {
    const oxString name = Trim(folder);
    if (!name.empty()) d->resourceFolders.push_back(name);
  }
  for (const oxString& type : oxSplit(parsed.main["types"], ',')) {
    const oxString name = Trim(type);
    if (!name.empty()) d->fileTypes.push_back(name);
  }
  d->typeDeclarations = std::move(parsed.types);
  return description;
}

PluginDescription::PluginDescription(std::unique_ptr<oxSettings> manifestContents)
    : internal_(new Internal(std::move(manifestContents))) {}

PluginDescription::~PluginDescription() { delete internal_; }

const oxString& PluginDescription::GetName() const { return internal_->name; }
const oxString& PluginDescription::GetLibraryFile() const { return internal_->libraryFile; }
const oxString& PluginDescription::GetDeclarationFile() const { return internal_->declarationFile; }
const oxString& PluginDescription::GetScriptFile() const { return internal_->scriptFile; }
const oxString& PluginDescription::GetView() const { return internal_->view; }
const oxString& PluginDescription::GetClientName() const { return internal_->clientName; }
const oxString& PluginDescription::GetAlias() const { return internal_->alias; }
const oxString& PluginDescription::GetTranslations() const { return internal_->translations; }
const oxString& PluginDescription::GetBaseFolder() const { return internal_->baseFolder; }
const oxStlVector<oxString>& PluginDescription::GetResourceFolders() const {
  return internal_->resourceFolders;
}
const oxStlVector<oxString>& PluginDescription::GetFileTypes() const { return internal_->fileTypes; }
const oxStlVector<std::pair<oxString, oxString>>& PluginDescription::GetFileTypeDeclarations() const {
  return internal_->typeDeclarations;
}
const oxString& PluginDescription::GetFileName() const { return internal_->fileName; }
oxapp::Manifest* PluginDescription::GetManifest() const { return &internal_->manifest; }

}  // namespace fwc
