#include "skin/render/image_cache.h"

#include <QHashFunctions>
#include <algorithm>

size_t qHash(const TspImageKey& key, size_t seed) {
  seed = qHashMulti(seed, key.Load, key.Picture, key.Size.width(), key.Size.height());
  seed = qHashRange(key.Record.begin(), key.Record.end(), seed);
  return qHashRange(key.State.begin(), key.State.end(), seed);
}

TspImageCache::TspImageCache(qsizetype budgetBytes) : FImages(budgetBytes) {}

QImage TspImageCache::Find(const TspImageKey& key) {
  const QImage* hit = FImages.object(key);
  return hit ? *hit : QImage();
}

QImage TspImageCache::Insert(const TspImageKey& key, const QImage& image) {
  // An empty image still costs one so that a budget of images can never be unbounded.
  const qsizetype cost = std::max<qsizetype>(1, image.sizeInBytes());
  if (cost <= FImages.maxCost()) FImages.insert(key, new QImage(image), cost);
  return image;
}

QImage TspImageCache::Image(const TspImageKey& key, const std::function<QImage()>& compose) {
  if (const QImage* hit = FImages.object(key)) return *hit;
  const QImage image = compose();
  return image.isNull() ? image : Insert(key, image);
}
