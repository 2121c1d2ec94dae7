// A path split into its folder and its file name, without touching the disk.
#pragma once

#include "platform/core/oxTypes.h"

class vosFileInfo {
 public:
  explicit vosFileInfo(const oxString& path);

  // The folder part without a trailing '/': "a/b/c.qm" -> "a/b", "/c.qm" -> "/",
  // "c.qm" -> ".".
  oxString GetPath() const;
  // The part after the last '/': empty when the path ends in '/'.
  oxString GetFileName() const;

 private:
  oxString path_;
};
