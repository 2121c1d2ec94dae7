// The headers that nearly every test here includes, in one line.
#pragma once

#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/Output.h"

using Strings = std::vector<std::string>;
