// Path services of the operating-system layer.
#pragma once

#include "platform/core/oxTypes.h"

class vosLibrary {
 public:
  // Replaces $VAR and ${VAR} by the environment's value (empty when unset),
  // then makes the result absolute against the working directory and removes
  // "." / ".." segments and doubled slashes. An empty path stays empty.
  static oxString GetAbsoluteFileName(const oxString& path);

  // Folder of the running executable, or "" when it cannot be determined.
  static oxString GetExecutableFolder();

  // Where a person keeps documents: the user's documents folder, or the
  // home folder without one. File dialogs start here rather than in the
  // folder the program was started from.
  static oxString GetDocumentsFolder();
  // Where a file dialog starts: the folder of the first of `recent` (most
  // recent first) that is still there, else the documents folder.
  static oxString GetStartFolder(const oxStlVector<oxString>& recent);
  // A module loaded on demand (QLibrary) that is installed beside the
  // library holding `symbol`: its path when it is there, else `fileName`
  // for the system's search.
  static oxString FindModuleBeside(const void* symbol, const oxString& fileName);
};
