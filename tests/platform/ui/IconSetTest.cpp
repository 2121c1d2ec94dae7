#include <gtest/gtest.h>

#include <QImage>
#include <QPixmapCache>
#include <QTemporaryDir>

#include "platform/ui/uiIconSet.h"

namespace {

void WriteImage(const QString& path, Qt::GlobalColor color) {
  QImage image(64, 64, QImage::Format_RGB32);  // 16 KiB once loaded
  image.fill(color);
  ASSERT_TRUE(image.save(path, "PNG"));
}

// "#rrggbb" of the loaded image.
std::string LoadColor(const QString& path) {
  const QImage image = uiImageCache::LoadPixmap(path.toStdString()).toImage();
  return image.pixelColor(0, 0).name().toStdString();
}

std::string Name(Qt::GlobalColor color) { return QColor(color).name().toStdString(); }

// A long session must not keep every image it ever showed: images stay
// cached while there is room, and one pushed out is read from its file again.
TEST(ImageCache, KeepsImagesOnlyWithinTheCacheLimit) {
  const std::pair<int, Qt::GlobalColor> cases[] = {{10240, Qt::red}, {20, Qt::blue}};  // room for both, for one
  const int previousLimit = QPixmapCache::cacheLimit();
  for (const auto& [limitKiB, afterRewrite] : cases) {
    QTemporaryDir dir;
    QPixmapCache::setCacheLimit(limitKiB);
    const QString first = dir.filePath("first.png"), second = dir.filePath("second.png");
    WriteImage(first, Qt::red);
    WriteImage(second, Qt::green);
    EXPECT_EQ(LoadColor(first), Name(Qt::red));
    EXPECT_EQ(LoadColor(second), Name(Qt::green));
    WriteImage(first, Qt::blue);
    EXPECT_EQ(LoadColor(first), Name(afterRewrite)) << limitKiB;
  }
  QPixmapCache::setCacheLimit(previousLimit);
}

}  // namespace
