// The object model's value type: the tagged value shared with settings and
// script arguments.
#pragma once

#include "platform/core/oxTypes.h"

namespace oxt {
using Variant = ::oxVariant;
}  // namespace oxt
