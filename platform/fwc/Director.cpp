#include "platform/fwc/Director.h"

#include <QCoreApplication>
#include <memory>

namespace fwc {

struct Director::Internal {
  GuiBase* gui = nullptr;
  std::unique_ptr<PluginManager> pluginManager;
  std::unique_ptr<oxSettings> settings;
};

namespace {

// Written when the QCoreApplication goes, while Qt is still whole, rather
// than during static destruction.
void SyncFrameworkSettings() {
  oxSettings* settings = Director::Get()->GetSettings();
  if (settings->IsModified()) settings->Sync();
}

}  // namespace

Director* Director::Get() {
  static Director instance;
  return &instance;
}

Director::Director() : internal_(new Internal) {}

Director::~Director() { delete internal_; }

void Director::SetGui(GuiBase* gui) { internal_->gui = gui; }

GuiBase* Director::GetGui() const { return internal_->gui; }

PluginManager* Director::GetPluginManager() {
  if (!internal_->pluginManager) internal_->pluginManager = std::make_unique<PluginManager>();
  return internal_->pluginManager.get();
}

oxSettings* Director::GetSettings() {
  if (!internal_->settings) {
    internal_->settings = oxSettings::Open(oxSettings::GetConfigFolder() + "/fwc.ini");
    if (this == Get() && QCoreApplication::instance()) qAddPostRoutine(SyncFrameworkSettings);
  }
  return internal_->settings.get();
}

}  // namespace fwc
