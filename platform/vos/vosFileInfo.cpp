#include "platform/vos/vosFileInfo.h"

vosFileInfo::vosFileInfo(const oxString& path) : path_(path) {}

oxString vosFileInfo::GetPath() const {
  const auto slash = path_.find_last_of('/');
  if (slash == oxString::npos) return ".";
  // "a//b" names the folder "a": drop every separator before the name.
  const auto end = path_.find_last_not_of('/', slash);
  if (end == oxString::npos) return "/";
  return path_.substr(0, end + 1);
}

oxString vosFileInfo::GetFileName() const {
  const auto slash = path_.find_last_of('/');
  return slash == oxString::npos ? path_ : path_.substr(slash + 1);
}
