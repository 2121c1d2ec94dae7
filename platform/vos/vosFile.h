// File queries of the operating-system layer.
#pragma once

#include <QByteArray>

#include "platform/core/oxTypes.h"

class vosFile {
 public:
  // True when `path` names an existing regular file (not a folder).
  static bool Exists(const oxString& path);

  // Reads a whole file handed to the library by a person or a program (a
  // key scheme, a declaration, a script, a description, settings): only a
  // regular file, and at most `maxSize` bytes. A named pipe would block the
  // program in open() and a device such as /dev/zero never ends, so neither
  // is opened for reading. A Qt resource (":/...") is read as well. On
  // failure, false with the reason in `error` ("not a regular file but a
  // named pipe", "larger than 1 MB", the system's reason); `data` is then
  // left empty.
  static bool ReadFile(const oxString& path, size_t maxSize, QByteArray* data, oxString* error);
  // The same checks without reading, for readers that open the file
  // themselves (QSettings, the script engine): true when the file is
  // regular, readable and not larger than `maxSize`.
  static bool CheckReadable(const oxString& path, size_t maxSize, oxString* error);
};
