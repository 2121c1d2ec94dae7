#include "platform/ui/uiIconSet.h"

#include <QImageReader>
#include <QPixmapCache>

#include "platform/ui/uiManager.h"

namespace {
uiSize& SizeOf(uiIconSet::Size which) {
  static uiSize small(16, 16);
  static uiSize large(32, 32);
  return which == uiIconSet::Large ? large : small;
}

// Adds the frames of one strip to the icon.
void AddStrip(QIcon& icon, const QPixmap& strip) {
  if (strip.isNull()) return;
  const int side = strip.height();
  const int frames = side > 0 ? std::max(1, strip.width() / side) : 1;
  static const QIcon::Mode kModes[] = {QIcon::Normal, QIcon::Disabled, QIcon::Active,
                                       QIcon::Selected};
  if (frames == 1) {
    icon.addPixmap(strip, QIcon::Normal);
    return;
  }
  for (int i = 0; i < std::min(frames, 4); ++i) {
    icon.addPixmap(strip.copy(i * side, 0, side, side), kModes[i]);
  }
}
}  // namespace

uiIconSet::uiIconSet(const oxString& fileName, int /*size*/) {
  const oxString path = uiManager::Get()->FindImage(fileName);
  if (path.empty()) return;
  // Only the file's header is read now; the picture is decoded when the
  // icon is first drawn, so that an application's many actions do not
  // decode their icons at start-up.
  const QString file = uiStr(path);
  QImageReader reader(file);
  const QSize size = reader.size();
  if (!reader.canRead() || !size.isValid()) return;
  icon_.addFile(file, size);
  fileName_ = path;
}

uiIconSet::uiIconSet(const QPixmap& pixmap, int /*size*/) {
  if (!pixmap.isNull()) icon_ = QIcon(pixmap);
}

void uiIconSet::SetIconSize(Size which, const uiSize& size) {
  if (which == Small || which == Large) SizeOf(which) = size;
}

uiSize uiIconSet::IconSize(Size which) { return SizeOf(which == Large ? Large : Small); }

QPixmap uiImageCache::LoadPixmap(const oxString& path) {
  const QString file = uiStr(path);
  const QString key = QStringLiteral("fwg:image:") + file;  // Qt's styles share the cache
  QPixmap pixmap;
  if (!QPixmapCache::find(key, &pixmap)) {
    pixmap = QPixmap(file);
    QPixmapCache::insert(key, pixmap);
  }
  return pixmap;
}

uiIconSet uiImageCache::LoadStrip(const oxString& small, const oxString& large) {
  QIcon icon;
  AddStrip(icon, LoadPixmap(uiManager::Get()->FindImage(small)));
  AddStrip(icon, LoadPixmap(uiManager::Get()->FindImage(large)));
  if (icon.isNull()) return {};
  return uiIconSet(icon, small);
}
