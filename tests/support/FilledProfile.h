// A profile filled by a function. By default the fill records when the
// profile is made, not in Build(), because a profile entered only as the
// base of another is never built: its items must be in force all the same,
// as those of a declared profile are. FillAt::Build fills from the first
// Build() instead, the way a profile written in C++ usually does.
#pragma once

#include <functional>

#include "fwg/profiles/Profile.h"

class FilledProfile : public fwg::Profile {
 public:
  using Fill = std::function<void(fwg::Profile*)>;
  enum class FillAt { Construction, Build };
  FilledProfile(const oxString& name, const oxString& base, const Fill& fill = {},
                FillAt at = FillAt::Construction)
      : fwg::Profile(name, base) {
    if (at == FillAt::Build) buildFill_ = fill;
    else if (fill) fill(this);
  }
  void Build() override {
    if (buildFill_) buildFill_(this);
  }

 private:
  Fill buildFill_;
};
