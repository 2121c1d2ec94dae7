// An icon made from an image file, remembering the file it came from.
#pragma once

#include <QIcon>

#include "platform/ui/uiObject.h"

class uiIconSet {
 public:
  enum Size { Automatic = 0, Small = 1, Large = 2 };

  uiIconSet() = default;
  // An empty or unknown path gives an empty icon set.
  explicit uiIconSet(const oxString& fileName, int size = Automatic);

  bool IsNull() const { return icon_.isNull(); }
  oxString FileName() const { return fileName_; }
  const QIcon& GetIcon() const { return icon_; }

  // Pixel size of the Small and Large icons across the toolkit.
  static void SetIconSize(Size which, const uiSize& size);
  static uiSize IconSize(Size which);

 private:
  QIcon icon_;
  oxString fileName_;
};
