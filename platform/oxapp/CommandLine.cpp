#include "platform/oxapp/CommandLine.h"

#include <QCoreApplication>
#include <QStringList>

namespace oxapp {

struct CommandLine::Internal {
  oxStlVector<oxString> arguments;
  bool given = false;  // set by SetArguments or taken from the application once

  const oxStlVector<oxString>& GetArguments() {
    if (!given && QCoreApplication::instance()) {
      for (const QString& argument : QCoreApplication::arguments())
        arguments.push_back(argument.toStdString());
      given = true;
    }
    return arguments;
  }

  // Index of the first occurrence of `option` after the program name, or 0.
  size_t Find(const oxString& option) {
    const auto& args = GetArguments();
    for (size_t i = 1; i < args.size(); ++i)
      if (args[i] == option) return i;
    return 0;
  }
};

CommandLine* CommandLine::Get() {
  static CommandLine instance;
  return &instance;
}

CommandLine::CommandLine() : internal_(new Internal) {}

CommandLine::~CommandLine() { delete internal_; }

void CommandLine::SetArguments(int argc, char** argv) {
  oxStlVector<oxString> args;
  for (int i = 0; i < argc && argv; ++i) args.push_back(argv[i] ? argv[i] : "");
  SetArguments(args);
}

void CommandLine::SetArguments(const oxStlVector<oxString>& args) {
  internal_->arguments = args;
  internal_->given = true;
}

const oxStlVector<oxString>& CommandLine::GetArguments() const { return internal_->GetArguments(); }

oxString CommandLine::GetValue(const oxString& option) const {
  const size_t index = internal_->Find(option);
  const auto& args = internal_->GetArguments();
  return index && index + 1 < args.size() ? args[index + 1] : oxString();
}

bool CommandLine::HasOption(const oxString& option) const { return internal_->Find(option) != 0; }

}  // namespace oxapp
