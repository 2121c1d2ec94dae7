// Feeds arbitrary bytes to the script engine as a script file, calls what
// the module exports, and runs the same bytes as a console line, under short
// limits. Besides not crashing or hanging: a file refused is said, every
// line the engine writes is one short line, a console error has a text, and
// the engine answers after whatever ran.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/script/oxScriptBackend.h"
#include "platform/script/oxScriptEngine.h"

extern "C" oxScriptBackend* oxMakeScriptBackend();

namespace {

std::vector<oxString> g_lines;

void CheckLines() {
  for (const oxString& line : g_lines)
    if (line.empty() || line.find('\n') != oxString::npos || line.size() > 1200) std::abort();
  g_lines.clear();
}

}  // namespace

// The backend's way to the program's lines, here to the checks.
void oxScriptEngine::Report(const oxString& line) { g_lines.push_back(line); }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QTemporaryDir dir;
  static std::unique_ptr<oxScriptBackend> backend;
  static int run = 0;
  // A new engine now and then: every file stays loaded in the one that read it.
  if (run++ % 500 == 0) {
    backend.reset();
    backend.reset(oxMakeScriptBackend());
    backend->SetTimeLimit(100);
    backend->SetMemoryLimit(64);
  }
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString name = QString::number(run);
  const oxString file = dir.filePath(name + ".js").toStdString();
  QFile script(QString::fromStdString(file));
  if (!script.open(QIODevice::WriteOnly) || script.write(bytes) != bytes.size()) std::abort();
  script.close();

  const bool loaded = backend->LoadFile(file);
  if (!loaded && g_lines.empty()) std::abort();
  CheckLines();
  if (loaded) {
    const oxString exports = backend->Evaluate("Object.keys(globalThis['" + name.toStdString() + "']).join('\\n')",
                                               nullptr);
    const QStringList names = QString::fromStdString(exports).split('\n', Qt::SkipEmptyParts);
    for (const QString& function : names.mid(0, 8))
      backend->InvokeExport(file, function.toStdString(), {oxVariant(1), oxVariant(oxString("x"))});
    CheckLines();
  }
  bool failed = false;
  if (backend->Evaluate(bytes.toStdString(), &failed).empty() && failed) std::abort();
  CheckLines();
  if (backend->Evaluate("1 + 1", nullptr) != "2") std::abort();
  return 0;
}
