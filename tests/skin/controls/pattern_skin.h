#pragma once
// Hand-made skins for the control tests: records over a picture whose every pixel differs,
// so a face taken from the wrong place shows.

#include "skin/data/skin_data.h"
#include "skin/data/skin_fixtures.h"

#include <QByteArray>
#include <QImage>
#include <memory>

// The skin `p` as a loaded TspSkinData owned by `owner`.
inline std::unique_ptr<TspSkinData> LoadPayload(const TspSkinPayload& p, QObject* owner = nullptr) {
  TspCompressedStoredSkin stored;
  stored.SetCompressedStream(CompressedSkin(p));
  auto data = std::make_unique<TspSkinData>(owner);
  data->LoadCompressedStoredSkin(&stored);
  return data;
}

// A skin called `name` with one active picture, `picture`, and the `records` (the
// [SKINCONTROLS] section and the records' own sections) of its description.
inline std::unique_ptr<TspSkinData> OnePictureSkin(const QByteArray& name, const QImage& picture,
                                                   const QByteArray& records) {
  TspSkinPayload p;
  p.Version = 2;
  p.Picture = PatternImage(8, 8, 1);
  p.ActivePictures = {picture};
  p.DescriptionText = "[VERSION]\r\nskinname=" + name +
                      "\r\n"
                      "[PICTURES]\r\npicture=main.bmp\r\nmask=\r\nactivepicturescount=1\r\n"
                      "0=a.bmp\r\n[FORMINFO]\r\nclientrect=4,20,60,50\r\n" +
                      records;
  return LoadPayload(p);
}
