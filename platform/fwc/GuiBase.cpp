#include "platform/fwc/GuiBase.h"

namespace fwc {

GuiBase::~GuiBase() = default;

}  // namespace fwc
