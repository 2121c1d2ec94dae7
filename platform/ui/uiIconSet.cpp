#include "platform/ui/uiIconSet.h"

#include <QFileInfo>

#include "platform/ui/uiManager.h"

namespace {
uiSize& SizeOf(uiIconSet::Size which) {
  static uiSize small(16, 16);
  static uiSize large(32, 32);
  return which == uiIconSet::Large ? large : small;
}
}  // namespace

uiIconSet::uiIconSet(const oxString& fileName, int /*size*/) {
  const oxString path = uiManager::Get()->FindImage(fileName);
  if (path.empty()) return;
  icon_ = QIcon(uiStr(path));
  fileName_ = path;
}

void uiIconSet::SetIconSize(Size which, const uiSize& size) {
  if (which != Automatic) SizeOf(which) = size;
}

uiSize uiIconSet::IconSize(Size which) { return SizeOf(which == Automatic ? Small : which); }
