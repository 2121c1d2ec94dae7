// The headers that nearly every test here includes, in one line.
#pragma once

#include <QDir>
#include <QPointer>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/support/Output.h"

using Strings = std::vector<std::string>;
