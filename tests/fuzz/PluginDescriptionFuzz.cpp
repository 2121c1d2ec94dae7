// Feeds arbitrary bytes to the plug-in description reader. Besides not
// crashing, a refusal must come as one short line naming the file, and an
// accepted description must have its required fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/fwc/PluginDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const oxString file = "/plugins/fuzz.plugin";
  oxString error;
  const auto description =
      fwc::PluginDescription::Read(oxString(reinterpret_cast<const char*>(data), size), file, &error);
  if (!description) {
    if (!error.starts_with(file + ":") || error.find('\n') != oxString::npos || error.size() > file.size() + 200) {
      std::abort();
    }
    return 0;
  }
  if (description->GetName().empty() || description->GetLibraryFile().empty()) std::abort();
  return 0;
}
