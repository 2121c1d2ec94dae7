// Saving a file so that a save that fails leaves the old file byte for byte.
//
// The data goes to a temporary file in the same folder, every write is
// checked, the data is flushed and forced onto the disk and both are checked,
// and only then is the temporary file renamed over the old one. A full disk
// often shows only at the final flush, which QSaveFile::commit() does not
// check before it renames, so the checks are done here first.
#pragma once

#include <QByteArray>

#include "platform/core/oxTypes.h"

class QFileDevice;

class vosSaveFile {
 public:
  // Replaces the file at `path` with `data`. On failure, false with the
  // system's reason ("No space left on device") in `error`; the temporary
  // file is removed and the old file left as it was.
  static bool WriteFile(const oxString& path, const QByteArray& data, oxString* error);

  // The checked middle of such a save, for a caller handed a save file that
  // someone else opens and commits (QSettings): writes `data` to `file`,
  // flushes it and forces it onto the disk. The caller must commit only on
  // true; on false `error` holds the system's reason.
  static bool WriteAndSync(QFileDevice& file, const QByteArray& data, oxString* error);

  // Why a new file cannot be written in `folder`: a small one is made there,
  // written, forced onto the disk and removed. "" when that works, else the
  // system's reason ("No space left on device", "Read-only file system"),
  // for callers that only learn that a write failed (a lock file).
  static oxString WhyNotWritable(const oxString& folder);
};
