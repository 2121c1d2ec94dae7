// A client written without C++: a declared profile (DeclaredProfile) for
// its commands and a JavaScript module for what they do. A plug-in
// description names both instead of a library (PluginDescription.h), and
// the client manager makes the client from them when it is first asked for.
//
// Its documents show a text the user edits ("text") or a read-only page
// the script fills ("widget", rich text allowed). Either way the document's
// content is its property "Text", which sessions keep and the property
// sheet shows (a text opened from a file is the file's, not the session's); a text document also answers "@Line", the line the cursor
// is on (counted from 0), which a script may set to move the cursor there.
//
// Each handler the declaration names is an export of the script, called
// with the active document (as scripts see typed objects:
// oxScriptObject.h) and, for a checkable action, its new state. The
// handler "new" makes a document, as New() does. An export "created" is
// called with each new document; a document it asks this client for is
// refused with one line. The script is loaded when the first document is
// made, not before, so that a client nobody uses costs no script engine.
// The user's own version of it, "scripts/<plug-in>/<script>" beside the
// settings files, is loaded with it: its exports answer first.
#pragma once

#include "fwg/clients/Client.h"

namespace fwc {
class PluginDescription;
}

namespace fwg {

class DeclaredProfile;

class ScriptedClient : public Client {
 public:
  // The client of a description with a declaration and a script: null,
  // with one stderr line, when the declaration cannot be read. The client
  // manager owns it from then on.
  static ScriptedClient* Make(const fwc::PluginDescription& description);

  // A new document below the current project (made when there is none),
  // active, its script loaded first.
  void New() override;
  // A text document showing the file, made as New() makes one but without
  // the script's "created"; none when the file cannot be read (the file
  // commands say why). The file types are the description's.
  void OpenFile(const oxString& path) override;

  ~ScriptedClient() override;

 private:
  ScriptedClient(const fwc::PluginDescription& description, DeclaredProfile* profile);

  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
