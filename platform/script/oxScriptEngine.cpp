#include "platform/script/oxScriptEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJSEngine>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "platform/core/oxDiagnostic.h"
#include "platform/oxapp/Application.h"
#include "platform/settings/oxSettings.h"

namespace {

QString ToQ(const oxString& text) { return QString::fromStdString(text); }

// "file:line: message" of a thrown value.
oxString DescribeError(const QJSValue& error) {
  const QString file = error.property("fileName").toString();
  const int line = error.property("lineNumber").toInt();
  return (QFileInfo(file).fileName() + ":" + QString::number(line) + ": " + error.toString()).toStdString();
}

QJSValue ToScript(QJSEngine& engine, const oxVariant& value) {
  switch (value.GetType()) {
    case oxVariant::Type::Boolean: return QJSValue(value.GetBoolean());
    case oxVariant::Type::Integer: return QJSValue(value.GetInteger());
    case oxVariant::Type::Long: return QJSValue(static_cast<double>(value.GetLong()));
    case oxVariant::Type::String: return QJSValue(ToQ(value.GetString()));
    default: return engine.toScriptValue(nullptr);
  }
}

}  // namespace

// A second thread stops a call that runs past the limit: the engine runs
// on the GUI thread, which cannot look at a clock meanwhile.
struct oxScriptEngine::Internal {
  QJSEngine engine;
  std::set<QString> loaded;
  int limitMs = 5000;

  std::mutex mutex;
  std::condition_variable wake;
  std::chrono::steady_clock::time_point deadline{};
  bool armed = false;
  bool quitting = false;
  std::atomic<bool> stopped{false};
  std::thread watchdog;

  Internal() : watchdog([this] { Watch(); }) {}
  ~Internal() {
    {
      std::lock_guard<std::mutex> lock(mutex);
      quitting = true;
    }
    wake.notify_all();
    watchdog.join();
  }

  void Watch() {
    std::unique_lock<std::mutex> lock(mutex);
    while (!quitting) {
      if (!armed) {
        wake.wait(lock);
      } else if (wake.wait_until(lock, deadline) == std::cv_status::timeout && armed) {
        stopped = true;
        engine.setInterrupted(true);
        armed = false;
      }
    }
  }

  // Runs `call` under the time limit; false when it was stopped.
  template <class Call>
  bool Guarded(Call&& call) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
      armed = true;
      stopped = false;
    }
    wake.notify_all();
    call();
    {
      std::lock_guard<std::mutex> lock(mutex);
      armed = false;
    }
    engine.setInterrupted(false);
    return !stopped;
  }
};

oxScriptEngine* oxScriptEngine::Get() {
  static oxScriptEngine* engine = new oxScriptEngine;
  return engine;
}

void oxScriptEngine::Install() {
  oxScriptCallback::SetInvoker([](const oxScriptCallback& callback, const oxStlVector<oxVariant>& args) {
    Get()->Invoke(callback, args);
  });
}

oxScriptEngine::oxScriptEngine() : internal_(new Internal) {
  internal_->engine.installExtensions(QJSEngine::ConsoleExtension);
  // The limit a user may set: "TimeLimitSeconds" under "Scripts" in the
  // application's settings.
  if (oxSettings* settings = oxapp::Application::Get()->GetSettings()) {
    const oxSettings* section = settings->GetSection("Scripts", false, true);
    if (section && section->Has("TimeLimitSeconds")) {
      SetTimeLimit(section->Get("TimeLimitSeconds").GetInteger() * 1000);
    }
  }
  // The user's own scripts, beside the settings.
  LoadFolder(oxSettings::GetConfigFolder() + "/scripts");
}

oxScriptEngine::~oxScriptEngine() { delete internal_; }

bool oxScriptEngine::LoadFile(const oxString& path) {
  const QString file = QFileInfo(ToQ(path)).absoluteFilePath();
  if (internal_->loaded.count(file)) return true;
  QFile source(file);
  if (!source.open(QIODevice::ReadOnly)) {
    oxWarn("script '", path, "' cannot be read: ", source.errorString().toStdString());
    return false;
  }
  const QString text = QString::fromUtf8(source.readAll());
  internal_->loaded.insert(file);
  QJSValue result;
  const bool finished = internal_->Guarded([&] { result = internal_->engine.evaluate(text, file); });
  if (!finished) {
    oxWarn("script '", path, "' ran longer than ", internal_->limitMs, " ms and was stopped");
    return false;
  }
  if (result.isError()) {
    oxWarn(DescribeError(result));
    return false;
  }
  return true;
}

int oxScriptEngine::LoadFolder(const oxString& folder) {
  int count = 0;
  const QDir dir(ToQ(folder));
  for (const QString& name : dir.entryList({"*.js"}, QDir::Files, QDir::Name)) {
    if (LoadFile(dir.filePath(name).toStdString())) ++count;
  }
  return count;
}

oxString oxScriptEngine::Evaluate(const oxString& text, bool* failed) {
  QJSValue result;
  const bool finished = internal_->Guarded([&] { result = internal_->engine.evaluate(ToQ(text), "console"); });
  const bool error = !finished || result.isError();
  if (failed) *failed = error;
  if (!finished) return "stopped after " + std::to_string(internal_->limitMs) + " ms";
  return error ? DescribeError(result) : result.toString().toStdString();
}

void oxScriptEngine::Invoke(const oxScriptCallback& callback, const oxStlVector<oxVariant>& args) {
  const oxString& interpreter = callback.GetInterpreter();
  if (!interpreter.empty() && interpreter != "javascript") {
    oxWarn("script '", callback.GetProcedure(), "' names the interpreter '", interpreter,
           "'; only javascript runs");
    return;
  }
  QJSEngine& engine = internal_->engine;
  QJSValue procedure = engine.globalObject();
  QJSValue owner = procedure;
  for (const QString& part : ToQ(callback.GetProcedure()).split('.')) {
    owner = procedure;
    procedure = procedure.property(part);
  }
  if (!procedure.isCallable()) {
    oxWarn("script procedure '", callback.GetProcedure(), "' is not defined");
    return;
  }
  QJSValueList values;
  for (const oxVariant& arg : args) values << ToScript(engine, arg);
  QJSValue result;
  const bool finished = internal_->Guarded([&] { result = procedure.callWithInstance(owner, values); });
  if (!finished) {
    oxWarn("script '", callback.GetProcedure(), "' ran longer than ", internal_->limitMs,
           " ms and was stopped");
  } else if (result.isError()) {
    oxWarn(DescribeError(result));
  }
}

void oxScriptEngine::SetTimeLimit(int milliseconds) { internal_->limitMs = std::max(1, milliseconds); }
int oxScriptEngine::GetTimeLimit() const { return internal_->limitMs; }
QJSEngine* oxScriptEngine::GetJSEngine() const { return &internal_->engine; }
