#pragma once
// What the section builders of the gallery share: the skin data every control binds to and
// the states that only input gives, re-created after each skin change.

#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QWidget;
class TspSkinData;

struct TGalleryContext {
  TspSkinData* SkinData = nullptr;
  // Run after every skin change and once after the window is shown: hover looks and the
  // like, which a skin change or a real mouse may have cleared.
  std::vector<std::function<void()>> ForcedStates;
  // The control that holds the focus in the gallery's pictures.
  QWidget* FocusTarget = nullptr;
};

// A titled frame at `rect` of `parent` that a section's controls are placed in; the
// returned widget's origin is the frame's client origin.
QWidget* MakeSection(TGalleryContext& context, QWidget* parent, const QString& title,
                     const QRect& rect);

// Makes `control` look hovered, as if the mouse had entered it.
void ForceHover(QWidget* control);

// One builder per control family; each fills its section.
void BuildButtonSection(TGalleryContext& context, QWidget* section);
void BuildEditSection(TGalleryContext& context, QWidget* section);
void BuildLabelSection(TGalleryContext& context, QWidget* section);
void BuildPageSection(TGalleryContext& context, QWidget* section);
