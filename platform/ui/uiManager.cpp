#include "platform/ui/uiManager.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

uiManager* uiManager::Get() {
  static uiManager manager;
  return &manager;
}

void uiManager::AddToPath(const oxString& folder) {
  for (const oxString& known : path_) {
    if (known == folder) return;
  }
  path_.push_back(folder);
}

oxString uiManager::FindImage(const oxString& fileName) const {
  if (fileName.empty()) return {};
  if (QFileInfo(uiStr(fileName)).isFile()) return fileName;
  for (const oxString& folder : path_) {
    const oxString candidate = folder + "/" + fileName;
    if (QFileInfo(uiStr(candidate)).isFile()) return candidate;
  }
  return {};
}

uiString uiManager::Locale() const { return QLocale::system().name(); }

void uiManager::Exit() {
  exitRequested_ = true;
  if (running_) QCoreApplication::quit();
}

bool uiManager::TakeExitRequest() {
  const bool requested = exitRequested_;
  exitRequested_ = false;
  return requested;
}
