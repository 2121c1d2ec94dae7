#include "platform/fwc/PluginManager.h"

#include <QDir>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QLocale>
#include <QTranslator>
#include <iostream>
#include <memory>

#include "platform/core/oxStartupMarks.h"
#include "platform/fwc/Director.h"
#include "platform/fwc/Plugin.h"
#include "platform/vos/vosFile.h"
#include "platform/vos/vosLibrary.h"

namespace fwc {

struct PluginManager::Internal {
  oxStlVector<PluginDescription*> descriptions;  // owned
  oxStlMap<oxString, bool> outcomes;             // LoadPlugin's answer per name tried
  oxStlVector<std::unique_ptr<QLibrary>> libraries;
  // Installed for the application's life; a translator leaves the
  // application when it is deleted.
  oxStlVector<std::unique_ptr<QTranslator>> translators;
  ScriptedLoader scriptedLoader;
  FailureListener failureListener;

  ~Internal() {
    for (PluginDescription* description : descriptions) delete description;
  }

  void ScanFolder(const oxString& folder, bool quietIfMissing);
  bool Adopt(std::unique_ptr<PluginDescription> description);
  bool Load(const PluginDescription& description);
  void InstallTranslations(const PluginDescription& description);
  // One stderr line, then the listener.
  void Fail(const PluginDescription& description, const oxString& problem) const {
    std::cerr << "fwg: plug-in '" << description.GetName() << "' (" << description.GetFileName()
              << "): " << problem << "\n";
    if (failureListener) failureListener(description, problem);
  }
};

namespace {


// A description registers its client unless it only adds a profile to it on
// demand ("profile" under [manifest]). Two that register one name would both
// make the client, and the second could never be reached.
bool RegistersClient(const PluginDescription& description) {
  if (description.GetClientName().empty()) return false;
  const oxSettings* manifest = description.GetManifest()->GetContents();
  return !manifest || manifest->Get("profile").GetString().empty();
}

}  // namespace

void PluginManager::Internal::ScanFolder(const oxString& folder, bool quietIfMissing) {
  const QDir dir(QString::fromStdString(folder));
  if (!dir.exists()) {
    if (!quietIfMissing) std::cerr << "fwg: plug-in folder '" << folder << "' does not exist\n";
    return;
  }
  // Unreadable files are listed too, so that ReadFile says why they are left
  // out. The suffix is compared here: a name filter would build a regular
  // expression at every start.
  for (const QString& file : dir.entryList(QDir::Files, QDir::Name)) {
    if (!file.endsWith(QLatin1String(".plugin"), Qt::CaseInsensitive)) continue;
    Adopt(PluginDescription::ReadFile(dir.filePath(file).toStdString()));
  }
}

bool PluginManager::Internal::Adopt(std::unique_ptr<PluginDescription> description) {
  if (!description) return false;  // ReadFile has said why
  for (const PluginDescription* other : descriptions) {
    oxString clash;
    if (other->GetName() == description->GetName()) {
      clash = "plug-in " + oxQuote(description->GetName()) + " is already described in ";
    } else if (RegistersClient(*description) && RegistersClient(*other) &&
               other->GetClientName() == description->GetClientName()) {
      clash = "client " + oxQuote(description->GetClientName()) + " is already registered by ";
    }
    if (clash.empty()) continue;
    std::cerr << "fwg: " << description->GetFileName() << ": " << clash << other->GetFileName() << "; ignored\n";
    return false;
  }
  descriptions.push_back(description.release());
  return true;
}

// "<name>_<locale>.qm" of the first resource folder that has it, for a
// locale such as de_DE whose own file is missing the language's
// (<name>_de.qm); the locale is the application's (QLocale's default). None
// for the language the texts are written in, and none is no fault.
void PluginManager::Internal::InstallTranslations(const PluginDescription& description) {
  if (description.GetTranslations().empty() || !QCoreApplication::instance()) return;
  const QString locale = QLocale().name();
  const QString name = QString::fromStdString(description.GetTranslations());
  for (const QString& suffix : {locale, locale.section('_', 0, 0)}) {
    for (const oxString& folder : description.GetResourceFolders()) {
      const QString file = QString::fromStdString(description.GetBaseFolder() + "/" + folder) + "/" +
                           name + "_" + suffix + ".qm";
      if (!QFileInfo(file).isFile()) continue;
      auto translator = std::make_unique<QTranslator>();
      if (!translator->load(file)) {
        Fail(description, "translation file '" + file.toStdString() + "' cannot be read");
        return;
      }
      QCoreApplication::installTranslator(translator.get());
      translators.push_back(std::move(translator));
      return;
    }
  }
}

bool PluginManager::Internal::Load(const PluginDescription& description) {
  // Before the plug-in's code runs: its profiles translate as they build.
  InstallTranslations(description);
  const oxString& file = description.GetLibraryFile();
  if (file.empty()) {
    if (scriptedLoader) return scriptedLoader(description);
    Fail(description, "names no library, and nothing here makes scripted clients");
    return false;
  }
  if (!vosFile::Exists(file)) {
    Fail(description, "library '" + file + "' not found");
    return false;
  }
  auto library = std::make_unique<QLibrary>(QString::fromStdString(file));
  if (!library->load()) {
    Fail(description, "cannot load '" + file + "': " + library->errorString().toStdString());
    return false;
  }
  const auto entry = reinterpret_cast<PluginLoadFunction>(library->resolve(FWC_PLUGIN_ENTRY_POINT));
  if (!entry) {
    Fail(description, "library '" + file + "' has no entry point " FWC_PLUGIN_ENTRY_POINT);
    return false;
  }
  libraries.push_back(std::move(library));
  entry(description);
  return true;
}

PluginManager* PluginManager::Get() { return Director::Get()->GetPluginManager(); }

PluginManager::PluginManager() : internal_(new Internal) {
  for (const oxString& folder : GetPluginFolders()) internal_->ScanFolder(folder, true);
  oxMarkStartup("descriptions");
}

oxStlVector<oxString> PluginManager::GetPluginFolders() {
  oxStlVector<oxString> folders;
  QStringList seen;  // as the file system names them, so a folder given twice is read once
  const auto add = [&](const oxString& folder) {
    if (folder.empty()) return;
    const QFileInfo info(QString::fromStdString(folder));
    const QString key = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    if (seen.contains(key)) return;
    seen << key;
    folders.push_back(info.exists() ? key.toStdString() : folder);
  };
  for (const oxString& folder : oxSplit(qgetenv("FWG_PLUGIN_PATH").toStdString(), ':')) add(folder);
  const QByteArray only = qgetenv("FWG_NO_DEFAULT_PLUGINS");
  if (!only.isEmpty() && only != "0") return folders;
  const oxString executableFolder = vosLibrary::GetExecutableFolder();
  if (!executableFolder.empty()) add(executableFolder + "/../plugins");
  return folders;
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
    std::cerr << "fwg: no plug-in named '" << name << "' is described\n";
    return false;
  }
  // Recorded before the entry point runs, so that a plug-in asking for
  // itself while it loads is not loaded twice.
  internal_->outcomes[name] = true;
  const bool loaded = internal_->Load(*description);
  internal_->outcomes[name] = loaded;
  return loaded;
}

void PluginManager::SetFailureListener(FailureListener listener) {
  internal_->failureListener = std::move(listener);
}

void PluginManager::SetScriptedLoader(ScriptedLoader loader) {
  internal_->scriptedLoader = std::move(loader);
}

bool PluginManager::IsPluginLoaded(const oxString& name) const {
  const auto tried = internal_->outcomes.find(name);
  return tried != internal_->outcomes.end() && tried->second;
}

}  // namespace fwc
