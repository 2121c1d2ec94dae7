// Entry point of a plug-in library. A plug-in writes, in one source file,
//
//   void LoadDemo(const fwc::PluginDescription& description) { ... }
//   FWC_PLUGIN(LoadDemo)
//
// and the plug-in manager calls LoadDemo once, with the plug-in's
// description, when the plug-in is first loaded.
#pragma once

#include "platform/fwc/PluginDescription.h"

#if defined(_WIN32)
#define FWC_PLUGIN_EXPORT __declspec(dllexport)
#else
#define FWC_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

namespace fwc {
using PluginLoadFunction = void (*)(const PluginDescription& description);
}  // namespace fwc

// The symbol name the manager resolves; keep in step with the macro below.
#define FWC_PLUGIN_ENTRY_POINT "fwcPluginLoad"

#define FWC_PLUGIN(loadFunction)                                                     \
  extern "C" FWC_PLUGIN_EXPORT void fwcPluginLoad(const fwc::PluginDescription& d) { \
    loadFunction(d);                                                                 \
  }
