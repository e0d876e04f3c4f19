#pragma once
// What the section builders of the gallery share: the skin data every control binds to and
// the states that only input gives, re-created after each skin change.

#include "gallery_glyphs.h"
#include "skin/controls/label.h"

#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QWidget;
class TspSkinData;

struct TGalleryContext {
  TspSkinData* SkinData = nullptr;
  // Run after every skin change and once the window shows: glyphs in the new skin's
  // colours, and hover looks, which a real mouse may have cleared.
  std::vector<std::function<void()>> AfterSkinChange;
  // The control that holds the focus in the gallery's pictures.
  QWidget* FocusTarget = nullptr;
};

// A titled group box at `rect` of `parent` that a section's controls are placed in, below
// its caption band: the first row starts at kSectionTop.
constexpr int kSectionTop = 26;
QWidget* MakeSection(TGalleryContext& context, QWidget* parent, const QString& title,
                     const QRect& rect);

// Makes `control` look hovered, as if the mouse had entered it.
void ForceHover(QWidget* control);

// One builder per control family; each fills its section.
void BuildButtonSection(TGalleryContext& context, QWidget* section);
void BuildEditSection(TGalleryContext& context, QWidget* section);
void BuildLabelSection(TGalleryContext& context, QWidget* section);
void BuildPageSection(TGalleryContext& context, QWidget* section);
// The second sheet: lists, scroll bars, check boxes, status bar and gauges, rich edit.
void BuildListSection(TGalleryContext& context, QWidget* section);
void BuildScrollBarSection(TGalleryContext& context, QWidget* section);
void BuildCheckSection(TGalleryContext& context, QWidget* section);
void BuildStatusSection(TGalleryContext& context, QWidget* section);
void BuildRichSection(TGalleryContext& context, QWidget* section);
// The third sheet: the month calendar and the date edit's pop-up, the data grid.
void BuildCalendarSection(TGalleryContext& context, QWidget* section);
void BuildGridSection(TGalleryContext& context, QWidget* section);
// Also on the third sheet: the skinned popup menu and the edits' menu.
void BuildMenuSection(TGalleryContext& context, QWidget* section);

// The gallery's texts, marked for translation.
QString Tr(const char* text);

// Places `control` at `r` and binds it to the gallery's skin data.
template <class T> T* Bind(TGalleryContext& context, T* control, const QRect& r) {
  control->setGeometry(r);
  control->SetSkinData(context.SkinData);
  return control;
}

// A standard label of a fixed size at `r` of `parent`.
TspSkinStdLabel* StdLabel(TGalleryContext& context, QWidget* parent, const QString& text,
                          const QRect& r, TspTextLayout layout = TspTextLayout::tlTop);

// A row title at the left of a section, vertically centred on a 25-pixel control row at `y`.
TspSkinStdLabel* AddRowLabel(TGalleryContext& context, QWidget* section, const QString& text,
                             int y);
// A small heading over a column of controls.
TspSkinStdLabel* AddColumnLabel(TGalleryContext& context, QWidget* section, const QString& text,
                                const QRect& rect);

// Gives a button `glyph` in its record's caption colours, again after every skin change.
template <class Button>
void SetGalleryGlyph(TGalleryContext& context, Button* button, TGalleryGlyph glyph) {
  const auto apply = [&context, button, glyph] {
    button->SetGlyph(GalleryGlyph(glyph, GlyphColorsOf(context.SkinData, button->SkinDataName())));
  };
  button->SetNumGlyphs(4);
  apply();
  context.AfterSkinChange.push_back(apply);
}
