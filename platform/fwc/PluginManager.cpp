#include "platform/fwc/PluginManager.h"

#include <QDir>
#include <QLibrary>
#include <memory>

#include "platform/core/oxDiagnostic.h"
#include "platform/fwc/Director.h"
#include "platform/fwc/Plugin.h"
#include "platform/vos/vosFile.h"
#include "platform/vos/vosLibrary.h"

namespace fwc {

struct PluginManager::Internal {
  oxStlVector<PluginDescription*> descriptions;  // owned
  oxStlMap<oxString, bool> outcomes;             // LoadPlugin's answer per name tried
  oxStlVector<std::unique_ptr<QLibrary>> libraries;

  ~Internal() {
    for (PluginDescription* description : descriptions) delete description;
  }

  void ScanFolder(const oxString& folder, bool quietIfMissing);
  bool Adopt(std::unique_ptr<PluginDescription> description);
  bool Load(const PluginDescription& description);
};

namespace {


void ReportLoadFailure(const PluginDescription& description, const oxString& problem) {
  oxWarn("plug-in '", description.GetName(), "' (", description.GetFileName(), "): ", problem);
}

}  // namespace

void PluginManager::Internal::ScanFolder(const oxString& folder, bool quietIfMissing) {
  const QDir dir(QString::fromStdString(folder));
  if (!dir.exists()) {
    if (!quietIfMissing) oxWarn("plug-in folder '", folder, "' does not exist");
    return;
  }
  const QStringList files =
      dir.entryList({QStringLiteral("*.plugin")}, QDir::Files | QDir::Readable, QDir::Name);
  for (const QString& file : files) Adopt(PluginDescription::ReadFile(dir.filePath(file).toStdString()));
}

bool PluginManager::Internal::Adopt(std::unique_ptr<PluginDescription> description) {
  if (!description) return false;  // ReadFile has said why
  for (const PluginDescription* other : descriptions) {
    if (other->GetName() != description->GetName()) continue;
    oxWarn(description->GetFileName(), ": plug-in '", description->GetName(),
           "' is already described in ", other->GetFileName(), "; ignored");
    return false;
  }
  descriptions.push_back(description.release());
  return true;
}

bool PluginManager::Internal::Load(const PluginDescription& description) {
  const oxString& file = description.GetLibraryFile();
  if (!vosFile::Exists(file)) {
    ReportLoadFailure(description, "library '" + file + "' not found");
    return false;
  }
  auto library = std::make_unique<QLibrary>(QString::fromStdString(file));
  if (!library->load()) {
    ReportLoadFailure(description, "cannot load '" + file + "': " + library->errorString().toStdString());
    return false;
  }
  const auto entry = reinterpret_cast<PluginLoadFunction>(library->resolve(FWC_PLUGIN_ENTRY_POINT));
  if (!entry) {
    ReportLoadFailure(description, "library '" + file + "' has no entry point " FWC_PLUGIN_ENTRY_POINT);
    return false;
  }
  libraries.push_back(std::move(library));
  entry(description);
  return true;
}

PluginManager* PluginManager::Get() { return Director::Get()->GetPluginManager(); }

PluginManager::PluginManager() : internal_(new Internal) {
  const QByteArray path = qgetenv("FWG_PLUGIN_PATH");
  if (!path.isNull()) {
    for (const oxString& folder : oxSplit(path.toStdString(), ':')) internal_->ScanFolder(folder, true);
    return;
  }
  const oxString executableFolder = vosLibrary::GetExecutableFolder();
  if (!executableFolder.empty()) internal_->ScanFolder(executableFolder + "/../plugins", true);
}

PluginManager::~PluginManager() { delete internal_; }

void PluginManager::AddPluginFolder(const oxString& folder) { internal_->ScanFolder(folder, false); }

bool PluginManager::AddPluginDescriptionFile(const oxString& file) {
  return internal_->Adopt(PluginDescription::ReadFile(file));
}

const oxStlVector<PluginDescription*>& PluginManager::GetPluginDescriptions() const {
  return internal_->descriptions;
}

PluginDescription* PluginManager::GetPluginDescription(const oxString& name) const {
  for (PluginDescription* description : internal_->descriptions)
    if (description->GetName() == name) return description;
  return nullptr;
}

bool PluginManager::LoadPlugin(const oxString& name) {
  const auto tried = internal_->outcomes.find(name);
  if (tried != internal_->outcomes.end()) return tried->second;
  const PluginDescription* description = GetPluginDescription(name);
  if (!description) {
    oxWarn("no plug-in named '", name, "' is described");
    return false;
  }
  // Recorded before the entry point runs, so that a plug-in asking for
  // itself while it loads is not loaded twice.
  internal_->outcomes[name] = true;
  const bool loaded = internal_->Load(*description);
  internal_->outcomes[name] = loaded;
  return loaded;
}

bool PluginManager::IsPluginLoaded(const oxString& name) const {
  const auto tried = internal_->outcomes.find(name);
  return tried != internal_->outcomes.end() && tried->second;
}

}  // namespace fwc
