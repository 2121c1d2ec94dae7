#include "platform/script/oxScriptEngine.h"

#include <dlfcn.h>

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "platform/core/oxDiagnostic.h"
#include "platform/oxapp/Application.h"
#include "platform/script/oxScriptBackend.h"
#include "platform/settings/oxSettings.h"

namespace {

oxScriptEngine* g_engine = nullptr;

// The module beside this library (the build's and the installed tree's
// "lib" folder); else wherever the system's search for libraries finds it.
QString ModuleFile() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&oxScriptEngine::Get), &info) && info.dli_fname) {
    const QString beside = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath() +
                           QStringLiteral("/libfwgscript.so");
    if (QFileInfo::exists(beside)) return beside;
  }
  return QStringLiteral("fwgscript");
}

}  // namespace

struct oxScriptEngine::Internal {
  QLibrary module;
  oxScriptBackend* backend = nullptr;
  oxString failure;  // why there is no backend
  bool failureTold = false;

  // One line the first time something asks for a script that cannot run.
  void TellFailure() {
    if (failureTold) return;
    failureTold = true;
    oxWarn(failure);
  }
};

oxScriptEngine* oxScriptEngine::Get() {
  if (!g_engine) g_engine = new oxScriptEngine;
  return g_engine;
}

bool oxScriptEngine::Exists() { return g_engine != nullptr; }

void oxScriptEngine::Install() {
  oxScriptCallback::SetInvoker([](const oxScriptCallback& callback, const oxStlVector<oxVariant>& args) {
    Get()->Invoke(callback, args);
  });
}

oxScriptEngine::oxScriptEngine() : internal_(new Internal) {
  Internal& d = *internal_;
  d.module.setFileName(ModuleFile());
  const auto make = reinterpret_cast<oxMakeScriptBackendFunction>(d.module.resolve(OX_SCRIPT_BACKEND_ENTRY));
  if (make) d.backend = make();
  if (!d.backend) {
    d.failure = "scripts cannot run: " + d.module.errorString().toStdString();
    return;
  }
  // The limit a user may set: "TimeLimitSeconds" under "Scripts" in the
  // application's settings.
  if (oxSettings* settings = oxapp::Application::Get()->GetSettings()) {
    const oxSettings* section = settings->GetSection("Scripts", false, true);
    if (section && section->Has("TimeLimitSeconds")) {
      // Up to a day: far beyond any script, and within an int of milliseconds.
      const int64_t seconds = section->GetInteger("TimeLimitSeconds", GetTimeLimit() / 1000, 1, 86400);
      SetTimeLimit(static_cast<int>(seconds * 1000));
    }
  }
  // The user's own scripts, beside the settings.
  LoadFolder(oxSettings::GetConfigFolder() + "/scripts");
}

// The module stays loaded: values the engine made may still be referred to
// by code that outlives it.
oxScriptEngine::~oxScriptEngine() {
  if (g_engine == this) g_engine = nullptr;
  delete internal_->backend;
  delete internal_;
}

bool oxScriptEngine::LoadFile(const oxString& path) {
  if (!internal_->backend) {
    internal_->TellFailure();
    return false;
  }
  return internal_->backend->LoadFile(path);
}

int oxScriptEngine::LoadFolder(const oxString& folder) {
  int count = 0;
  const QDir dir(QString::fromStdString(folder));
  for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
    if (name.endsWith(QLatin1String(".js"), Qt::CaseInsensitive) && LoadFile(dir.filePath(name).toStdString())) ++count;
  }
  return count;
}

oxString oxScriptEngine::Evaluate(const oxString& text, bool* failed) {
  if (!internal_->backend) {
    if (failed) *failed = true;
    return internal_->failure;
  }
  return internal_->backend->Evaluate(text, failed);
}

void oxScriptEngine::Invoke(const oxScriptCallback& callback, const oxStlVector<oxVariant>& args) {
  const oxString& interpreter = callback.GetInterpreter();
  if (!interpreter.empty() && interpreter != "javascript") {
    oxWarn("script '", callback.GetProcedure(), "' names the interpreter '", interpreter,
           "'; only javascript runs");
    return;
  }
  if (!internal_->backend) {
    internal_->TellFailure();
    return;
  }
  internal_->backend->Invoke(callback, args);
}

bool oxScriptEngine::HasProcedure(const oxString& procedure) const {
  return internal_->backend && internal_->backend->HasProcedure(procedure);
}

void oxScriptEngine::SetTimeLimit(int milliseconds) {
  if (internal_->backend) internal_->backend->SetTimeLimit(milliseconds);
}

int oxScriptEngine::GetTimeLimit() const {
  return internal_->backend ? internal_->backend->GetTimeLimit() : 0;
}

QJSEngine* oxScriptEngine::GetJSEngine() const {
  return internal_->backend ? internal_->backend->GetJSEngine() : nullptr;
}

void oxScriptEngine::SetGlobalObject(const oxString& name, QObject* object) {
  if (internal_->backend && object) internal_->backend->SetGlobalObject(name, object);
}

QObject* oxScriptEngine::NewObjectWrapper(oxt::Object* object) {
  return internal_->backend ? internal_->backend->NewObjectWrapper(object) : nullptr;
}
