// Buttons in every state: a table of states by content (caption, glyph and caption, glyph
// only), then toggles and groups, default and cancel, auto-repeat and speed buttons.
#include "gallery_context.h"
#include "skin/controls/button.h"
#include "skin/controls/label.h"

#include <optional>

namespace {
constexpr int kCaptionX = 78, kCaptionW = 90;
constexpr int kBothX = 176, kBothW = 112;
constexpr int kGlyphX = 296, kGlyphW = 30;
constexpr int kRowH = 28;
constexpr int kHeader = kSectionTop;
constexpr int kFirstRow = kHeader + 18;
constexpr int kButtonH = 25;
constexpr int kSpeedSize = 25;

int RowY(int row) {
  return kFirstRow + row * kRowH;
}

TspSkinButton* AddButton(TGalleryContext& c, QWidget* section, const QString& caption,
                         const QRect& r, std::optional<TGalleryGlyph> glyph = {}) {
  auto* b = new TspSkinButton(section);
  b->SetCaption(caption);
  b->setGeometry(r);
  b->SetSkinData(c.SkinData);
  if (glyph) SetGalleryGlyph(c, b, *glyph);
  return b;
}

TspSkinSpeedButton* AddSpeedButton(TGalleryContext& c, QWidget* section, const QRect& r,
                                   TGalleryGlyph glyph, const QString& caption = {}) {
  auto* b = new TspSkinSpeedButton(section);
  b->SetCaption(caption);
  b->setGeometry(r);
  b->SetSkinData(c.SkinData);
  SetGalleryGlyph(c, b, glyph);
  return b;
}

enum class TState { Normal, Hot, Pressed, Disabled };

// One row of the state table: the same three buttons, put in one state.
void AddStateRow(TGalleryContext& c, QWidget* section, int row, const QString& name, TState state) {
  AddRowLabel(c, section, name, RowY(row));
  const int y = RowY(row);
  TspSkinButton* buttons[] = {
      AddButton(c, section, name, {kCaptionX, y, kCaptionW, kButtonH}),
      AddButton(c, section, Tr("Adopt"), {kBothX, y, kBothW, kButtonH}, TGalleryGlyph::Paw),
      AddButton(c, section, {}, {kGlyphX, y, kGlyphW, kButtonH}, TGalleryGlyph::Plus),
  };
  for (TspSkinButton* b : buttons) {
    // The table shows looks, not a tab order through all of them.
    b->SetCanFocused(false);
    switch (state) {
    case TState::Normal:
      break;
    case TState::Hot:
      c.AfterSkinChange.push_back([b] { ForceHover(b); });
      break;
    case TState::Pressed:
      c.AfterSkinChange.push_back([b] {
        ForceHover(b);
        b->SetDown(true);
      });
      break;
    case TState::Disabled:
      b->setEnabled(false);
      break;
    }
  }
}
} // namespace

void BuildButtonSection(TGalleryContext& c, QWidget* section) {
  AddColumnLabel(c, section, Tr("Caption"), {kCaptionX, kHeader, kCaptionW, 16});
  AddColumnLabel(c, section, Tr("Glyph and caption"), {kBothX, kHeader, kBothW, 16});
  AddColumnLabel(c, section, Tr("Glyph"), {kGlyphX - 8, kHeader, kGlyphW + 16, 16});

  AddStateRow(c, section, 0, Tr("Normal"), TState::Normal);
  AddStateRow(c, section, 1, Tr("Hot"), TState::Hot);
  AddStateRow(c, section, 2, Tr("Pressed"), TState::Pressed);

  // One control of a window holds the focus: the focused row has one button.
  AddRowLabel(c, section, Tr("Focused"), RowY(3));
  c.FocusTarget = AddButton(c, section, Tr("Focused"), {kCaptionX, RowY(3), kCaptionW, kButtonH});
  AddColumnLabel(c, section, Tr("(holds the keyboard focus)"),
                 {kBothX, RowY(3) + 4, kBothW + kGlyphW + 40, 16});

  AddStateRow(c, section, 4, Tr("Disabled"), TState::Disabled);

  // A checked-mode toggle, and three grouped buttons with one down.
  AddRowLabel(c, section, Tr("Checked"), RowY(5));
  TspSkinButton* toggle = AddButton(
      c, section, Tr("Toggle"), {kCaptionX, RowY(5), kCaptionW, kButtonH}, TGalleryGlyph::Check);
  toggle->SetCheckedMode(true);
  toggle->SetDown(true);
  const QString groupNames[] = {Tr("Cat"), Tr("Dog"), Tr("Vorn")};
  for (int i = 0; i < 3; ++i) {
    TspSkinButton* b =
        AddButton(c, section, groupNames[i], {kBothX + i * 50, RowY(5), 48, kButtonH});
    b->SetGroupIndex(1);
    if (i == 2) b->SetDown(true);
  }

  // The window's Enter and Esc buttons, and a button that repeats while held.
  AddRowLabel(c, section, Tr("Default"), RowY(6));
  // Made default before it joins the window: SetDefault looks up the window's buttons with
  // findChildren<TspSkinButton*>, which also matches every other skinned custom control.
  auto* ok = new TspSkinButton;
  ok->SetDefault(true);
  ok->setParent(section);
  ok->SetCaption(Tr("OK"));
  ok->setGeometry(kCaptionX, RowY(6), kCaptionW, kButtonH);
  ok->SetSkinData(c.SkinData);
  AddButton(c, section, Tr("Cancel"), {kBothX, RowY(6), 72, kButtonH})->SetCancel(true);
  TspSkinButton* repeat = AddButton(c, section, Tr("Repeat"), {kBothX + 80, RowY(6), 102, kButtonH},
                                    TGalleryGlyph::Arrow);
  repeat->SetRepeatMode(true);
  repeat->SetLayout(TspButtonLayout::blGlyphRight);

  // Speed buttons: plain, flat, down in a group, disabled, and one with a caption.
  AddRowLabel(c, section, Tr("Speed"), RowY(7));
  const int y = RowY(7);
  int x = kCaptionX;
  const auto next = [&x, y] {
    const QRect r(x, y, kSpeedSize, kSpeedSize);
    x += kSpeedSize + 4;
    return r;
  };
  AddSpeedButton(c, section, next(), TGalleryGlyph::Paw);
  AddSpeedButton(c, section, next(), TGalleryGlyph::Plus)->SetFlat(true);
  TspSkinSpeedButton* down = AddSpeedButton(c, section, next(), TGalleryGlyph::Check);
  down->SetGroupIndex(2);
  down->SetDown(true);
  AddSpeedButton(c, section, next(), TGalleryGlyph::Cross)->setEnabled(false);
  AddSpeedButton(c, section, {kBothX + 20, y, kBothW - 20, kSpeedSize}, TGalleryGlyph::Arrow,
                 Tr("Next page"));
}
