#include "skin/controls/rich_edit.h"

#include "skin/controls/control_messages.h"
#include "skin/controls/edit_menu_hook.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/controls/plain_look.h"
#include "skin/controls/scroll_bar.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

// The attached bar mirrors a native bar whose range is Qt's (0 .. content - view) and whose
// page is the view: as a skinned bar that is Min .. Max + page - 1 with PageSize page, so
// that its highest position, Max - PageSize + 1, is the native maximum.
void MirrorInto(TspSkinScrollBar& bar, const QScrollBar& native, bool kept) {
  if (!kept || native.maximum() <= native.minimum()) {
    // The native bar would be hidden: nothing to scroll.
    bar.setEnabled(false);
    return;
  }
  bar.setEnabled(true);
  const int page = std::max(native.pageStep(), 1);
  bar.SetScrollParams(native.minimum(), native.maximum() + page - 1, page, native.value());
  // A click in the track pages by one view, not by one pixel.
  if (bar.LargeChange() != page) bar.SetLargeChange(page);
}

} // namespace

TspSkinRichEdit::TspSkinRichEdit(QWidget* parent)
    : QTextEdit(parent), FDefaultFont(DefaultSkinFont()) {
  FBinding.SkinDataName = QStringLiteral("richedit");
  FDefaultColor = palette().color(QPalette::Base);
  // No border and no native bars; the native bars keep their state for the attached ones.
  setFrameShape(QFrame::NoFrame);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFont(FDefaultFont);
  const auto sync = [this] { UpdateScrollBars(); };
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, sync);
  connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, sync);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, sync);
  connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, sync);
  connect(this, &QTextEdit::textChanged, this, sync);
}

TspSkinRichEdit::~TspSkinRichEdit() {
  // The bars may outlive the edit: their events must not call into it.
  DetachBar(FVScrollBar);
  DetachBar(FHScrollBar);
}

// --- Binding -------------------------------------------------------------------------------

void TspSkinRichEdit::SetSkinData(TspSkinData* value) {
  FBinding.SetSkinData(value, this, [this] { SkinDataDestroyed(); });
  // Without a skin this still brings back the default font and colour (with SkinSupport).
  ApplySkin();
}

void TspSkinRichEdit::SkinDataDestroyed() {
  DropSkinRecord();
  ApplySkin();
}

void TspSkinRichEdit::SetSkinDataName(const QString& value) {
  if (value == FBinding.SkinDataName) return;
  FBinding.SkinDataName = value;
  ApplySkin();
}

void TspSkinRichEdit::SetSkinSupport(bool value) {
  if (value == FSkinSupport) return;
  FSkinSupport = value;
  ApplyColors();
}

void TspSkinRichEdit::SetDefaultFont(const QFont& value) {
  FDefaultFont = value;
  if (FSkinSupport && !Record()) setFont(FDefaultFont);
}

void TspSkinRichEdit::SetDefaultColor(const QColor& value) {
  FDefaultColor = value;
  if (FSkinSupport && !Record()) SetColor(FDefaultColor);
}

const TspDataSkinRichEdit* TspSkinRichEdit::Record() const {
  return FBinding.RecordAs<TspDataSkinRichEdit>();
}

void TspSkinRichEdit::DropSkinRecord() {
  FBinding.Drop();
}

void TspSkinRichEdit::ApplySkin() {
  // Applying re-reads the record even when nothing the binding watches changed.
  FBinding.Invalidate();
  FBinding.ReadSkinRecord();
  ApplyColors();
  UpdateScrollBars();
  viewport()->update();
}

void TspSkinRichEdit::ApplyColors() {
  if (!FSkinSupport) return;
  if (const TspDataSkinRichEdit* rec = Record()) {
    setFont(SkinFont(true, rec->fontname, rec->fontheight, rec->fontstyle, FDefaultFont));
    SetFontColor(SkinColor(rec->fontcolor));
    SetColor(SkinColor(rec->bgcolor));
  } else if (FBinding.RecordIndex == -1) {
    setFont(FDefaultFont);
    SetColor(FDefaultColor);
  }
}

// --- Look ----------------------------------------------------------------------------------

QColor TspSkinRichEdit::Color() const {
  return palette().color(QPalette::Base);
}

void TspSkinRichEdit::SetColor(const QColor& value) {
  if (value == Color()) return;
  QPalette pal = palette();
  pal.setColor(QPalette::Base, value);
  setPalette(pal);
}

QColor TspSkinRichEdit::FontColor() const {
  return palette().color(QPalette::Text);
}

void TspSkinRichEdit::SetFontColor(const QColor& value) {
  if (value == FontColor()) return;
  QPalette pal = palette();
  pal.setColor(QPalette::Text, value);
  setPalette(pal);
}

void TspSkinRichEdit::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  viewport()->setAutoFillBackground(!FTransparent);
  viewport()->update();
}

void TspSkinRichEdit::SetWallpaper(const QImage& value) {
  FWallpaper = value.convertToFormat(QImage::Format_RGB32);
  if (!FWallpaper.isNull()) SetTransparent(true);
  viewport()->update();
}

void TspSkinRichEdit::SetWallpaperStretch(bool value) {
  FWallpaperStretch = value;
  if (!FWallpaper.isNull()) viewport()->update();
}

void TspSkinRichEdit::SetScrollBars(TspScrollStyle value) {
  FScrollBars = value;
  UpdateScrollBars();
}

bool TspSkinRichEdit::KeepsVertical() const {
  return FScrollBars == TspScrollStyle::ssVertical || FScrollBars == TspScrollStyle::ssBoth;
}

bool TspSkinRichEdit::KeepsHorizontal() const {
  return FScrollBars == TspScrollStyle::ssHorizontal || FScrollBars == TspScrollStyle::ssBoth;
}

// --- Attached bars -------------------------------------------------------------------------

void TspSkinRichEdit::DetachBar(TspSkinScrollBar* bar) {
  if (!bar) return;
  bar->OnChange = nullptr;
  bar->OnUpButtonClick = nullptr;
  bar->OnDownButtonClick = nullptr;
}

void TspSkinRichEdit::AttachBar(QPointer<TspSkinScrollBar>& slot, TspSkinScrollBar* value,
                                bool vertical) {
  if (slot == value) {
    UpdateScrollBars();
    return;
  }
  DetachBar(slot);
  slot = value;
  if (!value) return;
  QScrollBar* native = vertical ? verticalScrollBar() : horizontalScrollBar();
  value->OnChange = [this, native](QObject* sender) {
    native->setValue(static_cast<TspSkinScrollBar*>(sender)->Position());
    UpdateScrollBars();
  };
  if (vertical) {
    // The arrow buttons step by one line of text.
    value->OnUpButtonClick = [this, native](QObject* sender) {
      const auto* bar = static_cast<TspSkinScrollBar*>(sender);
      if (bar->Position() < bar->Max() - bar->PageSize() + 1)
        native->setValue(native->value() + QFontMetrics(font()).lineSpacing());
      UpdateScrollBars();
    };
    value->OnDownButtonClick = [this, native](QObject* sender) {
      if (static_cast<TspSkinScrollBar*>(sender)->Position() != 0)
        native->setValue(native->value() - QFontMetrics(font()).lineSpacing());
      UpdateScrollBars();
    };
  }
  UpdateScrollBars();
}

void TspSkinRichEdit::SetVScrollBar(TspSkinScrollBar* value) {
  AttachBar(FVScrollBar, value, true);
}

void TspSkinRichEdit::SetHScrollBar(TspSkinScrollBar* value) {
  AttachBar(FHScrollBar, value, false);
}

void TspSkinRichEdit::UpdateScrollBars() {
  if (FSyncing) return;
  FSyncing = true;
  if (FVScrollBar) MirrorInto(*FVScrollBar, *verticalScrollBar(), KeepsVertical());
  if (FHScrollBar) MirrorInto(*FHScrollBar, *horizontalScrollBar(), KeepsHorizontal());
  FSyncing = false;
}

// --- Appending -----------------------------------------------------------------------------

void TspSkinRichEdit::AppendRuns(const QList<TspTextRun>& runs) {
  QTextDocument* doc = document();
  // Off and on again: appended text leaves no undo step, and the history goes.
  const bool undo = doc->isUndoRedoEnabled();
  doc->setUndoRedoEnabled(false);
  QTextCursor cursor = textCursor();
  cursor.movePosition(QTextCursor::End);
  // One edit block: the new text is laid out once, not once per run, and only the new text
  // is laid out, however long the document is.
  cursor.beginEditBlock();
  QTextCharFormat format;
  for (const TspTextRun& run : runs) {
    format.setForeground(run.Color);
    format.setFontWeight(run.Bold ? QFont::Bold : QFont::Normal);
    cursor.insertText(run.Text, format);
  }
  cursor.endEditBlock();
  doc->setUndoRedoEnabled(undo);
  setTextCursor(cursor);
  // Down to the very end, the document's bottom margin included.
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TspSkinRichEdit::AppendText(const QString& text, const QColor& color, bool bold) {
  AppendRuns({{text, color, bold}});
}

void TspSkinRichEdit::AppendLine(const QString& text, const QColor& color, bool bold) {
  AppendRuns({{text + QLatin1Char('\n'), color, bold}});
}

// --- Events --------------------------------------------------------------------------------

void TspSkinRichEdit::PaintUnderlay(QPainter& p) {
  const int w = viewport()->width(), h = viewport()->height();
  if (!FWallpaper.isNull()) {
    if (FWallpaperStretch) {
      p.drawImage(QRect(0, 0, w, h), FWallpaper);
    } else {
      // Tiled from the corner of the edit, not of the text: it stays when the text scrolls.
      p.fillRect(QRect(0, 0, w, h), QBrush(FWallpaper));
    }
    return;
  }
  // The viewport lies on the whole edit: no border, no native bars.
  PaintParentBackground(this, p);
}

void TspSkinRichEdit::paintEvent(QPaintEvent* e) {
  if (FTransparent) {
    QPainter p(viewport());
    p.setClipRegion(e->region());
    PaintUnderlay(p);
  }
  QTextEdit::paintEvent(e);
}

bool TspSkinRichEdit::event(QEvent* e) {
  if (TspControlMessageEvent::MessageOf(e) == ParentBackgroundChangedMessage) {
    if (FTransparent) viewport()->repaint();
    return true;
  }
  return QTextEdit::event(e);
}

void TspSkinRichEdit::resizeEvent(QResizeEvent* e) {
  QTextEdit::resizeEvent(e);
  // The page follows the view's size, which no signal of the native bars announces; keys
  // and the mouse scroll through them and are heard by their signals.
  UpdateScrollBars();
}

void TspSkinRichEdit::contextMenuEvent(QContextMenuEvent* e) {
  if (ShowEditMenu(this, this, SkinData(), e)) {
    e->accept();
    return;
  }
  QTextEdit::contextMenuEvent(e);
}
