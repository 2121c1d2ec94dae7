// A profile filled by a function when it is made. The fill records at
// construction, not in Build(), because a profile entered only as the base
// of another is never built: its items must be in force all the same, as
// those of a declared profile are.
#pragma once

#include <functional>

#include "fwg/profiles/Profile.h"

class FilledProfile : public fwg::Profile {
 public:
  using Fill = std::function<void(fwg::Profile*)>;
  FilledProfile(const oxString& name, const oxString& base, const Fill& fill = {})
      : fwg::Profile(name, base) {
    if (fill) fill(this);
  }
};
