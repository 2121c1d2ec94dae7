#include "platform/oxapp/Manifest.h"

namespace oxapp {

struct Manifest::Internal {
  std::unique_ptr<oxSettings> contents;
};

Manifest::Manifest() : internal_(new Internal) {}

Manifest::Manifest(std::unique_ptr<oxSettings> contents) : internal_(new Internal{std::move(contents)}) {}

Manifest::~Manifest() { delete internal_; }

oxSettings* Manifest::GetContents() const { return internal_->contents.get(); }

}  // namespace oxapp
