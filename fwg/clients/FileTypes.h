// The file types the clients open, as their plug-in descriptions name them
// (PluginDescription.h): which client opens a file, and the filters of the
// file dialogs. The client manager fills it from the descriptions at
// start-up without loading any plug-in, and without asking the MIME
// database, which is read when a file is first looked up.
#pragma once

#include <QString>

#include "platform/core/oxTypes.h"

namespace fwc {
class PluginDescription;
}

namespace fwg {

class FileTypes {
 public:
  // One type a client opens. `name` and `patterns` are the MIME database's
  // where it knows the type, else as the description declared them.
  struct Type {
    oxString mimeType;
    oxString client;
    oxString name;
    oxStlVector<oxString> patterns;  // "*.txt"
  };

  // The client manager's.
  static FileTypes* Get();

  FileTypes();
  ~FileTypes();
  FileTypes(const FileTypes&) = delete;
  FileTypes& operator=(const FileTypes&) = delete;

  // The types a description names for its client. A type that is not a
  // MIME type ("type/subtype"), one that another client opens already, or
  // a declaration that is not "Name (*.a *.b)" gets one stderr line naming
  // the description, and is left out; the rest is taken.
  void AddDescription(const fwc::PluginDescription& description);
  // One type for `client`; `declared` is "Name (*.a *.b)" or empty, and
  // `source` names where it comes from in the lines. False when refused.
  bool Add(const oxString& client, const oxString& mimeType, const oxString& declared,
           const oxString& source);

  // The client that opens `path` ("" when none) and, in `mimeType`, the
  // type it opens it as. A type the client names exactly wins over one it
  // inherits from (a Markdown file goes to the client naming
  // text/markdown before one naming text/plain); declared patterns are
  // tried first, so a declared type is found where the database lacks it.
  oxString FindClient(const oxString& path, oxString* mimeType = nullptr) const;

  // Every type, in the order the descriptions named them.
  const oxStlVector<Type>& GetTypes() const;
  // The file dialog's filters for opening: "All supported files (...)"
  // first, then one per type, then "All files (*)".
  QString GetOpenFilters() const;
  // Those of one client's types, for saving; "All files (*)" last.
  QString GetSaveFilters(const oxString& client) const;
  // The suffix a file of the client's first type takes ("txt"), "" when
  // none is known.
  oxString GetDefaultSuffix(const oxString& client) const;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
