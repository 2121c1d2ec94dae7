#include "platform/vos/vosFile.h"

#include <filesystem>

bool vosFile::Exists(const oxString& path) {
  if (path.empty()) return false;
  std::error_code error;  // a permission problem is a miss, not a throw
  return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}
