#include "platform/vos/vosFileInfo.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Paths written on another system come with '\' between their parts.
QFileInfo ToQt(const oxString& path) {
  return QFileInfo(QString::fromStdString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
}

}  // namespace

vosFileInfo::vosFileInfo(const oxString& path) : path_(path) {}

oxString vosFileInfo::GetPath() const {
  const QString folder = QDir::cleanPath(ToQt(path_).path());
  return folder.isEmpty() ? "." : folder.toStdString();  // "" too lies in the working folder
}

oxString vosFileInfo::GetFileName() const { return ToQt(path_).fileName().toStdString(); }
