#include "skin/render/image_cache.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// A 10 x 10 RGB32 image: 400 bytes of pixels.
QImage Square(QRgb colour) {
  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(colour);
  return img;
}

TspImageKey BaseKey() {
  TspImageKey k;
  k.Load = 1;
  k.Picture = 7;
  k.Record[0] = 3;
  k.State = {0, 0, 10, 10};
  k.Size = QSize(10, 10);
  return k;
}

TEST(ImageCache, HitsOnlyTheSameKey) {
  struct Case {
    const char* name;
    std::function<void(TspImageKey&)> change;
  };
  const Case cases[] = {
      {"same key", [](TspImageKey&) {}},
      {"load", [](TspImageKey& k) { k.Load = 2; }},
      {"picture", [](TspImageKey& k) { k.Picture = 8; }},
      {"record", [](TspImageKey& k) { k.Record[23] = 1; }},
      {"state", [](TspImageKey& k) { k.State[3] = 11; }},
      {"size", [](TspImageKey& k) { k.Size = QSize(10, 11); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TspImageCache cache;
    const QImage kept = cache.Insert(BaseKey(), Square(0xFF112233));
    TspImageKey probe = BaseKey();
    c.change(probe);
    const bool same = probe == BaseKey();
    const QImage found = cache.Find(probe);
    EXPECT_EQ(!found.isNull(), same);
    if (same) {
      EXPECT_EQ(found.cacheKey(), kept.cacheKey()); // shared, not copied
    }
    int composed = 0;
    cache.Image(probe, [&] {
      ++composed;
      return Square(0xFF445566);
    });
    EXPECT_EQ(composed, same ? 0 : 1);
  }
}

TEST(ImageCache, LeastRecentlyUsedGoesFirstWithinTheBudget) {
  TspImageCache cache(3 * 400);
  TspImageKey a = BaseKey(), b = BaseKey(), c = BaseKey(), d = BaseKey();
  b.Size = QSize(10, 9); // the key says 9, the image is what counts
  c.State[0] = 1;
  d.Record[1] = 5;
  cache.Insert(a, Square(1));
  cache.Insert(b, Square(2));
  cache.Insert(c, Square(3));
  EXPECT_EQ(cache.Bytes(), 3 * 400);
  ASSERT_FALSE(cache.Find(a).isNull()); // a is now the most recent: b is the oldest
  cache.Insert(d, Square(4));
  EXPECT_EQ(cache.Count(), 3);
  EXPECT_LE(cache.Bytes(), cache.Budget());
  EXPECT_TRUE(cache.Find(b).isNull());
  EXPECT_FALSE(cache.Find(a).isNull());
  EXPECT_FALSE(cache.Find(c).isNull());
  EXPECT_FALSE(cache.Find(d).isNull());

  cache.SetBudget(400); // lowering the budget evicts at once, oldest first
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_FALSE(cache.Find(d).isNull());
}

TEST(ImageCache, AnImageLargerThanTheBudgetIsUsedButNotKept) {
  TspImageCache cache(399);
  cache.Insert(BaseKey(), Square(1)); // 400 bytes: over the budget
  const QImage used = cache.Image(BaseKey(), [] { return Square(2); });
  EXPECT_EQ(used.pixel(0, 0), Square(2).pixel(0, 0));
  EXPECT_EQ(cache.Count(), 0);
  EXPECT_EQ(cache.Bytes(), 0);

  // A null composition is not kept either: the next request tries again.
  TspImageCache roomy;
  EXPECT_TRUE(roomy.Image(BaseKey(), [] { return QImage(); }).isNull());
  EXPECT_EQ(roomy.Count(), 0);
}

} // namespace
