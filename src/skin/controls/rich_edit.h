#pragma once
// TspSkinRichEdit: Qt's rich text editor without border and without its own scroll bars,
// scrolled through attached skinned bars instead. Its native bars stay hidden but keep the
// scroll state, which the attached bars mirror; moving a bar scrolls the text. It can take
// its font and background from the skin's "richedit" record, and can show what lies behind
// it or a wallpaper under the text. The application's console is one: it appends coloured
// runs at the end, which must stay cheap however long the text grows.

#include "skin/controls/scroll_bar.h"
#include "skin/controls/skin_binding.h"
#include "skin/controls/skinnable.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QTextEdit>

// Which native bars the edit keeps (and so which directions the attached bars can scroll).
enum class TspScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A piece of text appended in one colour and weight.
struct TspTextRun {
  QString Text;
  QColor Color;
  bool Bold = false;
};

class TspSkinRichEdit : public QTextEdit, public TspSkinnable {
  Q_OBJECT
public:
  explicit TspSkinRichEdit(QWidget* parent = nullptr);
  ~TspSkinRichEdit() override;

  // --- Binding ---------------------------------------------------------------------------
  TspSkinData* SkinData() const { return FBinding.SkinData(); }
  // Applies the skin unless the new value is none or holds no skin.
  void SetSkinData(TspSkinData* value);
  // "richedit" for a new edit.
  QString SkinDataName() const { return FBinding.SkinDataName; }
  void SetSkinDataName(const QString& value);
  // Font and background from the record, or from DefaultFont and DefaultColor without one.
  bool SkinSupport() const { return FSkinSupport; }
  void SetSkinSupport(bool value);
  // "Tahoma", 13 pixels; also the edit's font at creation.
  const QFont& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const QFont& value);
  // Background without a record: the palette's base colour at first.
  QColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(const QColor& value);

  // --- Look --------------------------------------------------------------------------------
  // Background of the text (the edit's "Color").
  QColor Color() const;
  void SetColor(const QColor& value);
  // Colour of text that carries no colour of its own.
  QColor FontColor() const;
  void SetFontColor(const QColor& value);
  // Shows the wallpaper, or what lies behind the edit, under the text.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // A copy is kept; a non-empty picture turns Transparent on.
  const QImage& Wallpaper() const { return FWallpaper; }
  void SetWallpaper(const QImage& value);
  // Stretches the wallpaper over the edit instead of tiling it.
  bool WallpaperStretch() const { return FWallpaperStretch; }
  void SetWallpaperStretch(bool value);
  // ssBoth for a new edit. A direction left out keeps its attached bar disabled.
  TspScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TspScrollStyle value);

  // --- Attached bars -------------------------------------------------------------------------
  // Guarded: read as none once the bar is destroyed. Attaching connects the bar's events
  // and brings it up to date.
  TspSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  void SetVScrollBar(TspSkinScrollBar* value);
  TspSkinScrollBar* HScrollBar() const { return FHScrollBar; }
  void SetHScrollBar(TspSkinScrollBar* value);
  // Mirrors the native scroll state into the attached bars: a bar whose native counterpart
  // would be hidden (everything fits) is disabled, otherwise it is enabled and gets range,
  // page and position. Runs by itself after every change of text, size or scroll position.
  void UpdateScrollBars();

  // --- Appending -------------------------------------------------------------------------
  // Moves the insertion point to the end and inserts the runs there in order, each in its
  // colour and weight (a "\n" ends the paragraph), laid out once for all of them. Earlier
  // text is left as it is and the view follows the insertion point. Appending is not an
  // edit of the user's: it cannot be undone and clears the undo history.
  void AppendRuns(const QList<TspTextRun>& runs);
  // One run.
  void AppendText(const QString& text, const QColor& color, bool bold = false);
  // `text` in `color` followed by a line end.
  void AppendLine(const QString& text, const QColor& color, bool bold = false);

  // --- State -------------------------------------------------------------------------------
  int RecordIndex() const { return FBinding.RecordIndex; }
  // The record while it is a rich-edit record; none otherwise.
  const TspDataSkinRichEdit* Record() const;

  // --- Skin changes ------------------------------------------------------------------------
  TspSkinData* BoundSkinData() const override { return SkinData(); }
  void DropSkinRecord() override;
  // Record lookup; with SkinSupport the record's (or the default) font and colours; the
  // attached bars brought up to date.
  void ApplySkin() override;

protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  // The skinned edit menu where one is installed, else Qt's.
  void contextMenuEvent(QContextMenuEvent* e) override;

private:
  void SkinDataDestroyed();
  void ApplyColors();
  void AttachBar(QPointer<TspSkinScrollBar>& slot, TspSkinScrollBar* value, bool vertical);
  void DetachBar(TspSkinScrollBar* bar);
  void PaintUnderlay(QPainter& p);
  bool KeepsVertical() const;
  bool KeepsHorizontal() const;

  TspSkinBinding FBinding;
  bool FSkinSupport = false;
  QFont FDefaultFont;
  QColor FDefaultColor;
  bool FTransparent = false;
  QImage FWallpaper;
  bool FWallpaperStretch = false;
  TspScrollStyle FScrollBars = TspScrollStyle::ssBoth;
  QPointer<TspSkinScrollBar> FVScrollBar;
  QPointer<TspSkinScrollBar> FHScrollBar;
  bool FSyncing = false;
};
