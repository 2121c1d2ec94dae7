// One plug-in description file (<anything>.plugin):
//
//   # Demo client
//   name = demo
//   library = libdemo.so          # relative to the description's folder
//   client = Demo
//   alias = demo
//   resources = resources, icons  # folders below the description's folder
//   [manifest]
//   profile = DemoEditor
//
// A client written without C++ names, instead of a library, a declared
// profile and a script, both looked up in its resource folders, and the
// kind of view its documents have (the host makes the client from them):
//
//   name = tasks
//   client = Tasks
//   resources = tasks
//   declaration = Tasks.json
//   script = tasks.js
//   view = text                   # or widget; text when not given
//
// The plug-in's texts in other languages: "translations = tasks" names the
// files tasks_<locale>.qm in its resource folders (tasks_de.qm for German),
// installed when the plug-in is loaded for every translation context they
// hold (its profiles' names, its scripts' file names for qsTr):
//
//   translations = tasks
//
// The file types the client opens are MIME types; a type the MIME
// database may lack is declared with its name and patterns, as file
// dialogs show them (used only where the database does not know it):
//
//   types = text/plain, application/x-sketch
//   type application/x-sketch = Sketches (*.sketch)
//
// "name" is required, and either "library" or "client", "declaration" and
// "script" (not both kinds); any other key before [manifest] is an error,
// so a misspelt key does not pass unnoticed. Keys under [manifest] are free
// and read back as text. A UTF-8 byte-order mark is skipped.
#pragma once

#include <memory>
#include <utility>

#include "platform/core/oxTypes.h"
#include "platform/oxapp/Manifest.h"

namespace fwc {

class PluginDescription {
 public:
  // Parses `file`. Null plus one stderr line naming the file and, where it
  // applies, the line when the file cannot be read ("cannot be read" and the
  // system's reason) or does not parse; input quoted in the line is cut
  // short and its control bytes escaped (oxQuote).
  static std::unique_ptr<PluginDescription> ReadFile(const oxString& file);
  // Parses `text` as the content of the description file `fileName`
  // (absolute). Null on failure with "<file>[:<line>]: <reason>" in `error`;
  // on stderr, after "fwg: ", when `error` is null.
  static std::unique_ptr<PluginDescription> Read(const oxString& text, const oxString& fileName,
                                                 oxString* error);

  ~PluginDescription();
  PluginDescription(const PluginDescription&) = delete;
  PluginDescription& operator=(const PluginDescription&) = delete;

  const oxString& GetName() const;
  const oxString& GetLibraryFile() const;  // absolute; "" for a scripted client
  // A scripted client's files, as written (relative to the resource
  // folders), and its documents' view, "text" or "widget"; "" otherwise.
  const oxString& GetDeclarationFile() const;
  const oxString& GetScriptFile() const;
  const oxString& GetView() const;
  const oxString& GetClientName() const;   // "" when none
  const oxString& GetAlias() const;        // "" when none
  const oxString& GetTranslations() const; // the translation files' name; "" when none
  const oxString& GetBaseFolder() const;   // absolute folder of the description file
  const oxStlVector<oxString>& GetResourceFolders() const;  // relative to the base folder
  // The MIME types named by "types", as written, and the "type" lines
  // (type, "Name (*.a *.b)"); checked by the host, which reads them.
  const oxStlVector<oxString>& GetFileTypes() const;
  const oxStlVector<std::pair<oxString, oxString>>& GetFileTypeDeclarations() const;
  const oxString& GetFileName() const;     // the description file, absolute
  oxapp::Manifest* GetManifest() const;    // never null; owned by the description

 private:
  explicit PluginDescription(std::unique_ptr<oxSettings> manifestContents);
  struct Internal;
  Internal* internal_;
};

}  // namespace fwc
