// What the script engine (oxScriptEngine.h) asks of the JavaScript engine
// it loads: the module "fwgscript", beside the platform library, which is
// the only one that links Qt's Qml. Programs that run no script never load
// it, nor the libraries it needs.
#pragma once

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

class QJSEngine;
class QObject;
class QVariant;

namespace oxt {
class Object;
}

class oxScriptBackend {
 public:
  virtual ~oxScriptBackend() = default;

  virtual bool LoadFile(const oxString& path) = 0;
  virtual bool HasProcedure(const oxString& procedure) = 0;
  virtual bool HasExport(const oxString& path, const oxString& name) = 0;
  virtual oxString Evaluate(const oxString& text, bool* failed) = 0;
  virtual void Invoke(const oxScriptCallback& callback, const oxStlVector<oxVariant>& args) = 0;
  virtual void InvokeExport(const oxString& path, const oxString& name, const oxStlVector<oxVariant>& args) = 0;
  virtual bool CallFunction(const QVariant& function, const oxStlVector<oxVariant>& args, oxVariant* result,
                            oxString* error) = 0;
  virtual void SetTimeLimit(int milliseconds) = 0;
  virtual int GetTimeLimit() const = 0;
  virtual void SetMemoryLimit(int megabytes) = 0;
  virtual int GetMemoryLimit() const = 0;
  virtual QJSEngine* GetJSEngine() = 0;
  virtual void SetGlobalObject(const oxString& name, QObject* object) = 0;
  virtual QObject* NewObjectWrapper(oxt::Object* object) = 0;
};

// The module's one entry point. The backend writes what it has to say about
// scripts through oxScriptEngine::Report.
#define OX_SCRIPT_BACKEND_ENTRY "oxMakeScriptBackend"
using oxMakeScriptBackendFunction = oxScriptBackend* (*)();
