// An icon made from image files, remembering the file it came from.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "platform/ui/uiObject.h"

class uiIconSet {
 public:
  // Which size an image stands for. Automatic and Any make the image serve
  // every size; Small and Large pixel sizes are set process-wide.
  enum Size { Automatic = 0, Small = 1, Large = 2, Any = 3 };

  uiIconSet() = default;
  // An empty or unknown path gives an empty icon set. Relative names are
  // looked up in the toolkit's image path.
  explicit uiIconSet(const oxString& fileName, int size = Automatic);
  explicit uiIconSet(const QPixmap& pixmap, int size = Automatic);
  uiIconSet(const QIcon& icon, const oxString& fileName) : icon_(icon), fileName_(fileName) {}

  bool IsNull() const { return icon_.isNull(); }
  // The file the icon came from ("" for icons made from pixmaps).
  oxString FileName() const { return fileName_; }
  const QIcon& GetIcon() const { return icon_; }

  // Pixel size of the Small and Large icons across the toolkit.
  static void SetIconSize(Size which, const uiSize& size);
  static uiSize IconSize(Size which);

 private:
  QIcon icon_;
  oxString fileName_;
};

// Loads images by path through Qt's pixmap cache, which keeps the recently
// used ones within its limit (QPixmapCache::setCacheLimit); an image
// dropped from it is read from its file again.
class uiImageCache {
 public:
  // An icon from two strips of the same icon: `small` and `large` each hold
  // its frames side by side as squares, in the order normal, disabled,
  // active, selected (a square image is one normal frame). The icon uses
  // the small strip's frames for its small size and the large strip's for
  // its large size. FileName() of the result is `small`.
  static uiIconSet LoadStrip(const oxString& small, const oxString& large);
  static QPixmap LoadPixmap(const oxString& path);
};
