#pragma once
// Helpers shared by the control drawing files.

#include "skin_build.h"

#include <stdexcept>
#include <string>

// Registers a control record and writes the keys every control record starts with.
inline TDescSection& AddControlRecord(TSkinBuild& b, const QString& name, const QString& type,
                                      TPictureIndex picture, const TspRect& skinRect) {
  return b.Desc.AddControl(name, type)
      .Int("pictureindex", picture)
      .Int("maskpictureindex", -1)
      .Int("cursorindex", -1)
      .Rect("skinrect", skinRect);
}

// A rectangle relative to `origin` moved into picture coordinates.
inline TspRect Offset(const TspRect& r, const TspRect& origin) {
  return {r.Left + origin.Left, r.Top + origin.Top, r.Right + origin.Left, r.Bottom + origin.Top};
}

// The inner part of a rectangle, for sampling the face of a control under its text.
inline TspRect Inset(const TspRect& r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right - dx, r.Bottom - dy};
}

// Records whose button rectangles must mean the same relative to the skin rectangle and
// to the picture are drawn first into their picture; this makes sure they were.
inline void RequireOrigin(const TspRect& r, const char* what) {
  if (r.Left != 0 || r.Top != 0)
    throw std::logic_error(std::string(what) + " must lie at its picture's origin");
}
