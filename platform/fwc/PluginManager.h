// Reads plug-in descriptions and loads plug-in libraries on request.
#pragma once

#include <functional>

#include "platform/core/oxTypes.h"
#include "platform/fwc/PluginDescription.h"

namespace fwc {

class PluginManager {
 public:
  // Director::Get()->GetPluginManager().
  static PluginManager* Get();

  // Reads the descriptions in every folder of GetPluginFolders(). Folders
  // that do not exist are skipped quietly.
  PluginManager();
  // Loaded libraries stay loaded: code and objects they made may outlive us.
  ~PluginManager();
  PluginManager(const PluginManager&) = delete;
  PluginManager& operator=(const PluginManager&) = delete;

  // The folders of $FWG_PLUGIN_PATH (':'-separated), then the host's own,
  // <folder of the executable>/../plugins, each once: an author's folder
  // comes beside the host's plug-ins, not instead of them. With
  // $FWG_NO_DEFAULT_PLUGINS set (to anything but "0"), only the folders of
  // $FWG_PLUGIN_PATH.
  static oxStlVector<oxString> GetPluginFolders();

  // Reads every *.plugin file in `folder`, in file-name order. A missing
  // folder gets one stderr line.
  void AddPluginFolder(const oxString& folder);
  // False plus one stderr line naming the file (and line) when the file
  // cannot be read or does not parse, or naming both files when its plug-in
  // name is already known or it registers a client that another description
  // registers already (one that only adds a profile on demand registers
  // nothing); the description read first wins.
  bool AddPluginDescriptionFile(const oxString& file);

  // Owned by the manager, in the order read.
  const oxStlVector<PluginDescription*>& GetPluginDescriptions() const;
  // Null when no description has that name.
  PluginDescription* GetPluginDescription(const oxString& name) const;

  // Loads the plug-in's library and calls its entry point with the
  // description; a plug-in without a library (a client written in a
  // declared profile and a script) goes to the scripted loader instead.
  // Done once per name: later calls return the first outcome and do nothing
  // else. An unknown name, a library that is missing or does not load, one
  // without the entry point, or a scripted plug-in without a loader give
  // false plus one stderr line naming the plug-in and the file.
  bool LoadPlugin(const oxString& name);

  // Makes the client of a plug-in without a library; true when it did. The
  // host installs it (an empty function removes it).
  using ScriptedLoader = std::function<bool(const PluginDescription&)>;
  void SetScriptedLoader(ScriptedLoader loader);
  bool IsPluginLoaded(const oxString& name) const;

  // Told of each plug-in that failed to load, after its stderr line, with
  // the reason as that line gives it; the application shows it to the user.
  // An empty function removes it.
  using FailureListener = std::function<void(const PluginDescription&, const oxString& reason)>;
  void SetFailureListener(FailureListener listener);

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwc
