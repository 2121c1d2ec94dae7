// File queries of the operating-system layer.
#pragma once

#include "platform/core/oxTypes.h"

class vosFile {
 public:
  // True when `path` names an existing regular file (not a folder).
  static bool Exists(const oxString& path);
};
