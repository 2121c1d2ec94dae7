// Feeds arbitrary bytes to the session reader. Besides not crashing, every
// input it accepts must write back to text that reads back the same, and
// every refusal must come with a one-line message.
#include <cstdint>
#include <cstdlib>

#include "platform/oxt/FileElement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const oxString xml(reinterpret_cast<const char*>(data), size);
  oxString error;
  const auto root = oxt::FileElement::ReadString(xml, &error);
  if (!root) {
    if (error.empty() || error.find('\n') != oxString::npos) std::abort();
    return 0;
  }
  const oxString written = root->WriteString();
  const auto again = oxt::FileElement::ReadString(written, &error);
  if (!again || again->WriteString() != written) std::abort();
  return 0;
}
