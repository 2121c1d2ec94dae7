#include "platform/script/oxScriptEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <cstdlib>
#include <map>

#include "platform/core/oxDiagnostic.h"
#include "platform/oxapp/Application.h"
#include "platform/script/oxScriptBackend.h"
#include "platform/settings/oxSettings.h"
#include "platform/vos/vosLibrary.h"

namespace {

oxScriptEngine* g_engine = nullptr;

std::map<oxString, std::function<QObject*()>>& Globals() {
  static std::map<oxString, std::function<QObject*()>> globals;
  return globals;
}

void DestroyEngine() { delete g_engine; }

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
    oxScriptEngine::Report(failure);
  }
};

oxScriptEngine* oxScriptEngine::Get() {
  if (!g_engine) {
    new oxScriptEngine;  // it is g_engine from its first line on
    // Before the application's objects go: the engine holds what scripts
    // were given of them.
    if (QCoreApplication::instance()) {
      qAddPostRoutine(&DestroyEngine);
    } else {
      std::atexit(&DestroyEngine);
    }
  }
  return g_engine;
}

bool oxScriptEngine::Exists() { return g_engine != nullptr; }

void oxScriptEngine::AddGlobal(const oxString& name, std::function<QObject*()> make) {
  if (g_engine && make) g_engine->SetGlobalObject(name, make());
  Globals()[name] = std::move(make);
}

void oxScriptEngine::Report(const oxString& line) {
  oxWarn(line);
  OnReport()(line);
}

oxSignal1<void, const oxString&>& oxScriptEngine::OnReport() {
  static oxSignal1<void, const oxString&> report;
  return report;
}

void oxScriptEngine::Install() {
  oxScriptCallback::SetInvoker([](const oxScriptCallback& callback, const oxStlVector<oxVariant>& args) {
    Get()->Invoke(callback, args);
  });
}

oxScriptEngine::oxScriptEngine() : internal_(new Internal) {
  // Scripts the constructor loads may already ask for the engine.
  g_engine = this;
  Internal& d = *internal_;
  // Beside this library (the build's and the installed tree's "lib"
  // folder); else wherever the system's search for libraries finds it.
  d.module.setFileName(QString::fromStdString(
      vosLibrary::FindModuleBeside(reinterpret_cast<void*>(&oxScriptEngine::Get), "libfwgscript.so")));
  const auto make = reinterpret_cast<oxMakeScriptBackendFunction>(d.module.resolve(OX_SCRIPT_BACKEND_ENTRY));
  if (make) d.backend = make();
  if (!d.backend) {
    d.failure = "scripts cannot run: " + d.module.errorString().toStdString();
    return;
  }
  // The limits a user may set under "Scripts" in the application's
  // settings: a day and 64 GB at most.
  if (oxSettings* settings = oxapp::Application::Get()->GetSettings()) {
    const oxSettings* section = settings->GetSection("Scripts", false, true);
    if (section) {
      SetTimeLimit(static_cast<int>(section->GetInteger("TimeLimitSeconds", GetTimeLimit() / 1000, 1, 86400)) * 1000);
      SetMemoryLimit(static_cast<int>(section->GetInteger("MemoryLimitMB", GetMemoryLimit(), 16, 65536)));
    }
  }
  // The application's objects, then the user's own scripts, beside the
  // settings, which may use them.
  for (const auto& [name, make] : Globals()) {
    if (make) SetGlobalObject(name, make());
  }
  LoadFolder(oxSettings::GetConfigFolder() + "/scripts");
}

// The module stays loaded: values the engine made may still be referred to
// by code that outlives it.
oxScriptEngine::~oxScriptEngine() {
  if (g_engine == this) g_engine = nullptr;
  if (QCoreApplication::instance()) qRemovePostRoutine(&DestroyEngine);
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
    Report("script '" + callback.GetProcedure() + "' names the interpreter '" + interpreter +
           "'; only javascript runs");
    return;
  }
  if (!internal_->backend) {
    internal_->TellFailure();
    return;
  }
  internal_->backend->Invoke(callback, args);
}

void oxScriptEngine::InvokeExport(const oxString& path, const oxString& name,
                                  const oxStlVector<oxVariant>& args) {
  if (!internal_->backend) {
    internal_->TellFailure();
    return;
  }
  internal_->backend->InvokeExport(path, name, args);
}

bool oxScriptEngine::CallFunction(const QVariant& function, const oxStlVector<oxVariant>& args,
                                  oxVariant* result, oxString* error) {
  if (!internal_->backend) {
    internal_->TellFailure();
    if (error) *error = internal_->failure;
    return false;
  }
  return internal_->backend->CallFunction(function, args, result, error);
}

bool oxScriptEngine::HasProcedure(const oxString& procedure) const {
  return internal_->backend && internal_->backend->HasProcedure(procedure);
}

bool oxScriptEngine::HasExport(const oxString& path, const oxString& name) const {
  return internal_->backend && internal_->backend->HasExport(path, name);
}

void oxScriptEngine::SetTimeLimit(int milliseconds) {
  if (internal_->backend) internal_->backend->SetTimeLimit(milliseconds);
}

int oxScriptEngine::GetTimeLimit() const {
  return internal_->backend ? internal_->backend->GetTimeLimit() : 0;
}

void oxScriptEngine::SetMemoryLimit(int megabytes) {
  if (internal_->backend) internal_->backend->SetMemoryLimit(megabytes);
}

int oxScriptEngine::GetMemoryLimit() const {
  return internal_->backend ? internal_->backend->GetMemoryLimit() : 0;
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
