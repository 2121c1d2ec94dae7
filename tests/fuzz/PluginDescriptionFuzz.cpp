// Feeds arbitrary bytes to the plug-in description reader. Besides not
// crashing, a refusal must come as one short line naming the file, and an
// accepted description must have its required fields (a library, or a
// scripted client's files).
#include <cstdint>
#include <cstdlib>

#include "platform/fwc/PluginDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const oxString file = "/plugins/fuzz.plugin";
  oxString error;
  const auto description =
      fwc::PluginDescription::Read(oxString(reinterpret_cast<const char*>(data), size), file, &error);
  const bool refusalOk =
      error.starts_with(file + ":") && error.find('\n') == oxString::npos && error.size() <= file.size() + 200;
  const bool made = description && (!description->GetLibraryFile().empty() ||
                                    !description->GetScriptFile().empty());
  if (description ? description->GetName().empty() || !made : !refusalOk)
    std::abort();
  return 0;
}
