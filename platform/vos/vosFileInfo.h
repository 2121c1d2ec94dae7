// A path split into its folder and its file name, without touching the disk.
// Both '/' and '\' separate the parts.
#pragma once

#include "platform/core/oxTypes.h"

class vosFileInfo {
 public:
  explicit vosFileInfo(const oxString& path);

  // The folder part, cleaned and written with '/': "a/b/c.qm" -> "a/b",
  // "/c.qm" -> "/", "c.qm" -> ".", "a/../b/c.qm" -> "b".
  oxString GetPath() const;
  // The part after the last separator: empty when the path ends in one.
  oxString GetFileName() const;

 private:
  oxString path_;
};
