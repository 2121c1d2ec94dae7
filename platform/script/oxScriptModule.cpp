// The JavaScript engine behind oxScriptEngine: Qt's QJSEngine, in a module
// of its own so that only programs that run scripts load Qt's Qml.
#include <QFile>
#include <QFileInfo>
#include <QJSEngine>
#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/core/oxDiagnostic.h"
#include "platform/oxt/Object.h"
#include "platform/script/oxScriptBackend.h"
#include "platform/script/oxScriptObject.h"
#include "platform/vos/vosFile.h"

namespace {

QString ToQ(const oxString& text) { return QString::fromStdString(text); }

// "file:line: message" of a thrown value.
oxString DescribeError(const QJSValue& error) {
  const QString file = error.property("fileName").toString();
  const int line = error.property("lineNumber").toInt();
  return (QFileInfo(file).fileName() + ":" + QString::number(line) + ": " + error.toString()).toStdString();
}

template <class WrapObject>
QJSValue ToScript(const oxVariant& value, WrapObject wrap) {
  switch (value.GetType()) {
    case oxVariant::Type::Boolean: return QJSValue(value.GetBoolean());
    case oxVariant::Type::Integer: return QJSValue(value.GetInteger());
    case oxVariant::Type::Long: return QJSValue(static_cast<double>(value.GetLong()));
    case oxVariant::Type::String: return QJSValue(ToQ(value.GetString()));
    case oxVariant::Type::Pointer: return wrap(oxt::Object::FromAddress(value.GetPointer()));
    case oxVariant::Type::Empty: break;
  }
  return QJSValue(QJSValue::NullValue);
}

// The value at a dotted path below `start`, and the object holding it.
QJSValue Walk(QJSValue start, const QStringList& parts, QJSValue* owner) {
  QJSValue value = start;
  for (const QString& part : parts) {
    if (!value.isObject()) return QJSValue();
    *owner = value;
    value = value.property(part);
  }
  return value;
}

// A second thread stops a call that runs past the limit: the engine runs
// on the GUI thread, which cannot look at a clock meanwhile. Arming it
// costs a call no wake-up of that thread: idle, it sleeps at most the limit,
// so it is awake again before any call armed meanwhile is due.
struct EngineState {
  QJSEngine engine;
  // Held for the engine's life: besides sparing a look-up per call, a value
  // held keeps the engine's store of held values from giving its memory
  // back and taking it again on every call.
  QJSValue global = engine.globalObject();
  std::set<QString> loaded;
  // The wrappers of the typed objects handed to slots, one per object while
  // it lives, so that calls with the same object make no new one.
  struct Wrapper {
    std::uint64_t serial;
    QJSValue value;
  };
  std::unordered_map<const void*, Wrapper> wrappers;
  std::size_t nextSweep = 64;
  // The loaded modules' exports, in load order, by module name.
  std::vector<std::pair<QString, QJSValue>> modules;

  std::mutex mutex;  // guards what follows
  std::condition_variable wake;
  int limitMs = 5000;
  std::chrono::steady_clock::time_point deadline{};
  bool armed = false;
  bool stopped = false;
  bool quitting = false;
  std::thread watchdog;

  EngineState() : watchdog([this] { Watch(); }) {}
  ~EngineState() {
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
      const auto now = std::chrono::steady_clock::now();
      if (armed && now >= deadline) {
        armed = false;
        stopped = true;
        engine.setInterrupted(true);
        continue;
      }
      wake.wait_until(lock, armed ? deadline : now + std::chrono::milliseconds(limitMs));
    }
  }

  void SetLimit(int milliseconds) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      limitMs = std::max(1, milliseconds);
    }
    wake.notify_all();  // it may be asleep for the old limit
  }

  QJSValue WrapObject(oxt::Object* object) {
    if (!object) return QJSValue(QJSValue::NullValue);
    const auto held = wrappers.find(object);
    if (held != wrappers.end() && held->second.serial == object->GetSerial()) return held->second.value;
    if (wrappers.size() >= nextSweep) {  // the wrappers of objects gone
      std::erase_if(wrappers, [](const auto& entry) {
        const oxt::Object* alive = oxt::Object::FromAddress(entry.first);
        return !alive || alive->GetSerial() != entry.second.serial;
      });
      nextSweep = 2 * wrappers.size() + 64;
    }
    QJSValue value = oxScriptObject::Wrap(engine, object);
    wrappers[object] = {object->GetSerial(), value};
    return value;
  }

  // A script value for a slot's argument; the bound object as the object
  // of the tree it names, else as its text.
  QJSValue ToScriptArgument(const oxVariant& value, bool bound) {
    if (bound) {
      if (oxt::Object* object = oxScriptObject::Find(ToQ(value.GetString()))) return WrapObject(object);
    }
    return ToScript(value, [this](oxt::Object* object) { return WrapObject(object); });
  }

  // A global by name or dotted path; else "module.function" of a loaded
  // module; else the first module that exports the name.
  QJSValue Find(const QString& name, QJSValue* owner) {
    const QStringList parts = name.split('.');
    QJSValue found = Walk(global, parts, owner);
    if (found.isCallable()) return found;
    for (const auto& [module, exports] : modules) {
      if (parts.size() > 1 && module == parts.front()) {
        found = Walk(exports, parts.mid(1), owner);
        if (found.isCallable()) return found;
      }
    }
    for (const auto& [module, exports] : modules) {
      found = Walk(exports, parts, owner);
      if (found.isCallable()) return found;
    }
    return QJSValue();
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
    call();
    bool wasStopped = false;
    {
      std::lock_guard<std::mutex> lock(mutex);
      armed = false;
      wasStopped = stopped;
    }
    if (wasStopped) engine.setInterrupted(false);
    return !wasStopped;
  }
};

class JSBackend : public oxScriptBackend {
 public:
  JSBackend() { d.engine.installExtensions(QJSEngine::ConsoleExtension); }

  bool LoadFile(const oxString& path) override {
    const QFileInfo info(ToQ(path));
    const QString file = info.absoluteFilePath();
    if (d.loaded.count(file)) return true;
    // The engine reads the file itself: it must not be handed a named pipe
    // (which blocks), a device (which never ends) or a giant.
    constexpr size_t kMaxScriptSize = 8 << 20;
    oxString reason;
    if (!vosFile::CheckReadable(file.toStdString(), kMaxScriptSize, &reason)) {
      oxWarn("script '", path, "' cannot be read: ", reason);
      return false;
    }
    d.loaded.insert(file);
    QJSEngine& engine = d.engine;
    QJSValue exports;
    const bool finished = d.Guarded([&] {
      exports = engine.importModule(file);
      // A module whose body throws comes back whole, the error left pending.
      if (engine.hasError()) exports = engine.catchError();
    });
    if (!finished) {
      oxWarn("script '", path, "' ran longer than ", GetTimeLimit(), " ms and was stopped");
      return false;
    }
    if (exports.isError()) {
      oxWarn(DescribeError(exports));
      return false;
    }
    const QString name = info.completeBaseName();
    d.modules.emplace_back(name, exports);
    if (!engine.globalObject().hasProperty(name)) engine.globalObject().setProperty(name, exports);
    return true;
  }

  oxString Evaluate(const oxString& text, bool* failed) override {
    QJSValue result;
    const bool finished = d.Guarded([&] { result = d.engine.evaluate(ToQ(text), "console"); });
    const bool error = !finished || result.isError();
    if (failed) *failed = error;
    if (!finished) return "stopped after " + std::to_string(GetTimeLimit()) + " ms";
    return error ? DescribeError(result) : result.toString().toStdString();
  }

  void Invoke(const oxScriptCallback& callback, const oxStlVector<oxVariant>& args) override {
    QJSValue owner;
    QJSValue procedure = d.Find(ToQ(callback.GetProcedure()), &owner);
    if (!procedure.isCallable()) {
      oxWarn("script procedure '", callback.GetProcedure(), "' is not defined");
      return;
    }
    QJSValueList values;
    const bool bound = !callback.GetObject().empty();
    for (std::size_t i = 0; i < args.size(); ++i) values << d.ToScriptArgument(args[i], bound && i == 0);
    QJSValue result;
    const bool finished = d.Guarded([&] { result = procedure.callWithInstance(owner, values); });
    if (!finished) {
      oxWarn("script '", callback.GetProcedure(), "' ran longer than ", GetTimeLimit(),
             " ms and was stopped");
    } else if (result.isError()) {
      oxWarn(DescribeError(result));
    }
  }

  bool HasProcedure(const oxString& procedure) override {
    QJSValue owner;
    return d.Find(ToQ(procedure), &owner).isCallable();
  }

  void SetTimeLimit(int milliseconds) override { d.SetLimit(milliseconds); }
  int GetTimeLimit() const override {
    std::lock_guard<std::mutex> lock(d.mutex);
    return d.limitMs;
  }
  QJSEngine* GetJSEngine() override { return &d.engine; }

  void SetGlobalObject(const oxString& name, QObject* object) override {
    QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    d.engine.globalObject().setProperty(ToQ(name), d.engine.newQObject(object));
  }

  QObject* NewObjectWrapper(oxt::Object* object) override {
    return object ? new oxScriptObject(object) : nullptr;
  }

 private:
  mutable EngineState d;
};

}  // namespace

extern "C" Q_DECL_EXPORT oxScriptBackend* oxMakeScriptBackend() { return new JSBackend; }
