#pragma once
// Placing the controls of a screen: each gets its form name as object name (tests and
// tools find controls by it), its place in its parent's coordinates and, when it paints
// from the skin, the window's skin data.

#include "skin/controls/page_control.h"

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

class TspSkinData;

template <class T>
T* PlaceControl(T* control, const char* formName, const QRect& bounds, TspSkinData* skin) {
  control->setObjectName(QString::fromLatin1(formName));
  control->setGeometry(bounds);
  if constexpr (requires { control->SetSkinData(skin); }) control->SetSkinData(skin);
  return control;
}

// A new control of type T on `parent`.
template <class T>
T* NewControl(QWidget* parent, const char* formName, const QRect& bounds, TspSkinData* skin) {
  return PlaceControl(new T(parent), formName, bounds, skin);
}

class TspSkinStdLabel;
class QFont;

// A transparent label in a fixed box (AutoSize off, so the box stays whatever the caption),
// in the skin's label font, or in `font` when one is given.
TspSkinStdLabel* NewLabel(QWidget* parent, const char* formName, const QRect& bounds,
                          TspSkinData* skin, const QString& caption = {});
TspSkinStdLabel* NewLabel(QWidget* parent, const char* formName, const QRect& bounds,
                          TspSkinData* skin, const QString& caption, const QFont& font);

// The title at the top left of a page ("Console", "Configuration", ...).
TspSkinStdLabel* AddPageHeader(QWidget* sheet, const char* formName, const QString& caption,
                               TspSkinData* skin);
// Runs `layout` now and whenever `widget` resizes (the anchors of a screen's controls).
void WhenResized(QWidget* widget, std::function<void()> layout);
// Keeps `child` centred in `parent` whenever the parent resizes (and centres it now).
void KeepCentred(QWidget* child);
