// Process-wide application services: the application's settings store, the
// translation hook and resource lookup.
#pragma once

#include <functional>

#include "platform/core/oxTypes.h"
#include "platform/settings/oxSettings.h"

namespace oxapp {

class Application {
 public:
  static Application* Get();

  Application();
  ~Application();  // writes the settings store if it changed
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The application's store, <config folder>/<GetName()>.ini, opened on first
  // use and owned by the application. The name in force at that moment picks
  // the file; a later SetName does not switch stores.
  oxSettings* GetSettings();
  void SetName(const oxString& name);
  // Until set: the application's name as Qt knows it (the executable's by
  // default), or "fwg" before there is a QCoreApplication.
  oxString GetName() const;

  using TranslateFunction = std::function<oxString(const oxString& context, const oxString& source,
                                                   const oxString& comment)>;
  // Replaces the previous function; an empty function restores the identity.
  void SetTranslateFunction(TranslateFunction fn);
  // The installed function's answer, or `source` unchanged without one.
  oxString TranslateMessage(const oxString& context, const oxString& source,
                            const oxString& comment = {}) const;

  // A folder searched as <root>/<context>/<name>.
  void AddResourceRoot(const oxString& folder);
  // A folder searched as <folder>/<name> for `context`, before every root.
  void AddResourceFolder(const oxString& context, const oxString& folder);
  // The first existing file among: the context's folders in the order added;
  // the roots of $FWG_RESOURCE_PATH (':'-separated); the roots added with
  // AddResourceRoot; <folder of the executable>/../resources. "" when none.
  oxString GetResource(const oxString& context, const oxString& name) const;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace oxapp
