// The process's arguments, read as "-name value" pairs.
#pragma once

#include "platform/core/oxTypes.h"

namespace oxapp {

class CommandLine {
 public:
  // The process-wide command line. Until SetArguments is called it holds the
  // arguments of the running QCoreApplication, if there is one.
  static CommandLine* Get();

  CommandLine();
  ~CommandLine();
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  // A negative argc gives an empty list.
  void SetArguments(int argc, char** argv);
  void SetArguments(const oxStlVector<oxString>& args);
  // As given, the program name first.
  const oxStlVector<oxString>& GetArguments() const;

  // The argument that follows the first occurrence of `option` ("-client"),
  // or "" when the option is absent or is the last argument. The program
  // name is never taken for an option.
  oxString GetValue(const oxString& option) const;
  bool HasOption(const oxString& option) const;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace oxapp
