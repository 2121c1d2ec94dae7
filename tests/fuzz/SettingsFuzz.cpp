// Feeds arbitrary bytes to the settings file reader. Besides not crashing,
// what it reads must write back to text that reads back the same with no bad
// line, and the first problem it names must fit on one short line.
#include <cstdint>
#include <cstdlib>

#include "platform/settings/oxSettingsText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  oxSettingsText::Findings found;
  const QSettings::SettingsMap values =
      oxSettingsText::Read(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), &found);
  if (found.badLines > 0 && (found.firstProblem.empty() || found.firstProblem.find('\n') != oxString::npos ||
                             found.firstProblem.size() > 200)) {
    std::abort();
  }
  const QByteArray written = oxSettingsText::Write(values);
  oxSettingsText::Findings again;
  if (oxSettingsText::Read(written, &again) != values || again.badLines != 0 || again.earlierForm) std::abort();
  return 0;
}
