#include "platform/oxapp/Application.h"

#include <QCoreApplication>
#include <memory>

#include "platform/vos/vosFile.h"
#include "platform/vos/vosLibrary.h"

namespace oxapp {

struct Application::Internal {
  oxString name;  // empty until set
  std::unique_ptr<oxSettings> settings;
  TranslateFunction translate;
  oxStlVector<oxString> roots;
  oxStlVector<std::pair<oxString, oxString>> folders;  // (context, folder) in the order added
};

namespace {

oxString Join(const oxString& folder, const oxString& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The process-wide store is written when the QCoreApplication goes, while Qt
// is still whole, rather than during static destruction.
void SyncApplicationSettings() {
  oxSettings* settings = Application::Get()->GetSettings();
  if (settings->IsModified()) settings->Sync();
}

}  // namespace

Application* Application::Get() {
  static Application instance;
  return &instance;
}

Application::Application() : internal_(new Internal) {}

Application::~Application() { delete internal_; }

oxSettings* Application::GetSettings() {
  if (!internal_->settings) {
    internal_->settings = oxSettings::Open(oxSettings::GetConfigFolder() + "/" + GetName() + ".ini");
    if (this == Get() && QCoreApplication::instance()) qAddPostRoutine(SyncApplicationSettings);
  }
  return internal_->settings.get();
}

void Application::SetName(const oxString& name) { internal_->name = name; }

oxString Application::GetName() const {
  if (!internal_->name.empty()) return internal_->name;
  const oxString executable = QCoreApplication::applicationName().toStdString();
  return executable.empty() ? "fwg" : executable;
}

void Application::SetTranslateFunction(TranslateFunction fn) { internal_->translate = std::move(fn); }

oxString Application::TranslateMessage(const oxString& context, const oxString& source,
                                       const oxString& comment) const {
  return internal_->translate ? internal_->translate(context, source, comment) : source;
}

void Application::AddResourceRoot(const oxString& folder) { internal_->roots.push_back(folder); }

void Application::AddResourceFolder(const oxString& context, const oxString& folder) {
  internal_->folders.emplace_back(context, folder);
}

oxString Application::GetResource(const oxString& context, const oxString& name) const {
  if (name.empty()) return {};
  for (const auto& [folderContext, folder] : internal_->folders) {
    if (folderContext != context) continue;
    const oxString candidate = Join(folder, name);
    if (vosFile::Exists(candidate)) return candidate;
  }

  oxStlVector<oxString> roots = oxSplit(qEnvironmentVariable("FWG_RESOURCE_PATH").toStdString(), ':');
  roots.insert(roots.end(), internal_->roots.begin(), internal_->roots.end());
  const oxString executableFolder = vosLibrary::GetExecutableFolder();
  if (!executableFolder.empty()) roots.push_back(executableFolder + "/../resources");
  for (const oxString& root : roots) {
    const oxString candidate = Join(Join(root, context), name);
    if (vosFile::Exists(candidate)) return candidate;
  }
  return {};
}

}  // namespace oxapp
