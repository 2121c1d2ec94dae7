#include "platform/oxt/Property.h"

namespace oxt {

Property::Property(const oxString& name, const Variant& value) : name_(name), value_(value) {}

}  // namespace oxt
