#pragma once
// One store of composed skin images for every control of a skin: an image is composed once
// per (skin load, record, state, size) and shared by all controls that ask for it. The store
// holds at most a budget of bytes and lets the least recently used images go first.

#include <QCache>
#include <QImage>
#include <QSize>
#include <array>
#include <functional>

struct TspImageKey {
  // The load counter of the skin the image was composed from: an image of an earlier load
  // is never returned, even for a picture that happens to compare equal.
  quint64 Load = 0;
  // The record's source: the picture's cacheKey and how it is cut and composed (kind,
  // rectangles, corner points, stretch flags), so two controls of one record share images.
  qint64 Picture = 0;
  std::array<int, 24> Record{};
  // The state: the rectangle of the picture the state is drawn from.
  std::array<int, 4> State{};
  QSize Size;

  friend bool operator==(const TspImageKey&, const TspImageKey&) = default;
};
size_t qHash(const TspImageKey& key, size_t seed = 0);

class TspImageCache {
public:
  static constexpr qsizetype kDefaultBudget = qsizetype(32) << 20;

  explicit TspImageCache(qsizetype budgetBytes = kDefaultBudget);
  TspImageCache(const TspImageCache&) = delete;
  TspImageCache& operator=(const TspImageCache&) = delete;

  // The kept image for `key` (now the most recently used), or null.
  QImage Find(const TspImageKey& key);
  // Keeps `image` under `key` when it fits the budget, letting older images go; an image
  // larger than the whole budget is not kept. Returns `image`.
  QImage Insert(const TspImageKey& key, const QImage& image);
  // Find, else `compose` and Insert. A null composed image is not kept.
  QImage Image(const TspImageKey& key, const std::function<QImage()>& compose);

  void Clear() { FImages.clear(); }
  qsizetype Budget() const { return FImages.maxCost(); }
  // Lowering the budget lets images go at once.
  void SetBudget(qsizetype bytes) { FImages.setMaxCost(bytes); }
  // Bytes of pixels the kept images hold.
  qsizetype Bytes() const { return FImages.totalCost(); }
  qsizetype Count() const { return FImages.size(); }

private:
  QCache<TspImageKey, QImage> FImages;
};
