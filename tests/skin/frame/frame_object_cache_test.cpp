// The frame objects' images come from the skin's image cache: cut once per skin load and
// size, never again on later paints, and gone with the skin they were cut from.

#include "skin/builtin/builtin_skins.h"
#include "skin/data/object_records.h"
#include "skin/data/skin_data.h"
#include "skin/frame/frame_objects.h"

#include <QObject>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The skin's close button, hot: it draws its active image cut from its picture.
std::unique_ptr<TspSkinStdButtonObject> HotCloseButton(const TspSkinData& skin) {
  for (const auto& record : skin.ObjectList)
    if (auto* b = dynamic_cast<const TspDataSkinStdButton*>(record.get());
        b && b->IDName == QLatin1String("closebutton")) {
      auto object = std::make_unique<TspSkinStdButtonObject>(*b, &skin);
      object->Active = true;
      object->MorphKf = 1; // no cross-fade under way
      return object;
    }
  return nullptr;
}

// What `object` draws at the top-left corner of a black image of its size.
QImage Drawn(const TspActiveSkinObject& object) {
  QImage target(object.ObjectRect.Width(), object.ObjectRect.Height(), QImage::Format_RGB32);
  target.fill(Qt::black);
  object.Draw(target, QPoint(object.ObjectRect.Left, object.ObjectRect.Top), {});
  return target;
}

} // namespace

TEST(FrameObjectCache, AnObjectIsCutOncePerSkinLoad) {
  QObject owner;
  auto* data = new TspSkinData(&owner);
  data->SetSkinList(CreateBuiltinSkinList(&owner));
  ASSERT_FALSE(data->IsEmpty());
  const TspImageCache& cache = data->ImageCache();

  const auto blue = HotCloseButton(*data);
  ASSERT_TRUE(blue);
  ASSERT_FALSE(blue->ActiveSkinRect.IsEmpty());
  const qsizetype before = cache.Count();
  const QImage first = Drawn(*blue);
  EXPECT_EQ(cache.Count(), before + 1);
  const QImage second = Drawn(*blue);
  EXPECT_EQ(cache.Count(), before + 1);
  EXPECT_EQ(second, first);
  // The drawn image is the active rectangle of the button's picture.
  const TspRect hot = blue->ActiveSkinRect;
  EXPECT_EQ(first, blue->ActivePicture.copy(hot.ToQRect()).convertToFormat(QImage::Format_RGB32));

  // A switch drops every cut of the old skin; the new skin's button is cut from its own
  // picture, not served the old image.
  data->SetSkinIndex(1);
  ASSERT_FALSE(data->IsEmpty());
  EXPECT_EQ(cache.Count(), 0);
  const auto other = HotCloseButton(*data);
  ASSERT_TRUE(other);
  const QImage switched = Drawn(*other);
  EXPECT_EQ(cache.Count(), 1);
  const TspRect otherHot = other->ActiveSkinRect;
  EXPECT_EQ(switched,
            other->ActivePicture.copy(otherHot.ToQRect()).convertToFormat(QImage::Format_RGB32));
  EXPECT_NE(switched, first);
}
