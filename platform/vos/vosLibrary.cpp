#include "platform/vos/vosLibrary.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>

namespace {

bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

oxString GetEnvironmentValue(const oxString& name) {
  const char* value = std::getenv(name.c_str());
  return value ? value : "";
}

// A '$' that starts no variable name ("$", "$1", an unclosed "${") is kept
// as it is, so paths that merely contain a dollar sign survive.
oxString ExpandVariables(const oxString& text) {
  oxString result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '$' || i + 1 >= text.size()) {
      result += text[i++];
      continue;
    }
    if (text[i + 1] == '{') {
      const auto close = text.find('}', i + 2);
      if (close == oxString::npos) {
        result += text[i++];
        continue;
      }
      result += GetEnvironmentValue(text.substr(i + 2, close - i - 2));
      i = close + 1;
      continue;
    }
    size_t end = i + 1;
    if (!IsNameStart(text[end])) {
      result += text[i++];
      continue;
    }
    while (end < text.size() && IsNameChar(text[end])) ++end;
    result += GetEnvironmentValue(text.substr(i + 1, end - i - 1));
    i = end;
  }
  return result;
}

}  // namespace

oxString vosLibrary::GetAbsoluteFileName(const oxString& path) {
  const oxString expanded = ExpandVariables(path);
  if (expanded.empty()) return {};
  const QString absolute = QDir::current().absoluteFilePath(QString::fromStdString(expanded));
  return QDir::cleanPath(absolute).toStdString();
}

oxString vosLibrary::GetExecutableFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self.parent_path().string();
  // Elsewhere only the application object knows where it was started from.
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath().toStdString();
  return {};
}

oxString vosLibrary::GetStartFolder(const oxStlVector<oxString>& recent) {
  for (const oxString& file : recent) {
    const QFileInfo info(QString::fromStdString(file));
    if (info.dir().exists()) return info.absolutePath().toStdString();
  }
  return GetDocumentsFolder();
}

oxString vosLibrary::GetDocumentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return (QDir(documents).exists() ? documents : QDir::homePath()).toStdString();
}

oxString vosLibrary::FindModuleBeside(const void* symbol, const oxString& fileName) {
  Dl_info info{};
  if (dladdr(symbol, &info) && info.dli_fname) {
    const QString beside = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath() + "/" +
                           QString::fromStdString(fileName);
    if (QFileInfo::exists(beside)) return beside.toStdString();
  }
  return fileName;
}
