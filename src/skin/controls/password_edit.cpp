#include "skin/controls/password_edit.h"
#include "skin/controls/plain_look.h"

#include "skin/controls/inner_edit.h"
#include "skin/render/draw_helpers.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {} // namespace

TspSkinPasswordEdit::TspSkinPasswordEdit(QWidget* parent) : TspSkinCustomControl(parent) {
  SetSkinDataName(QStringLiteral("edit"));
  FDefaultColor = palette().color(QPalette::Base);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::IBeamCursor);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  FEngine.OnChange = [this] {
    update();
    if (OnChange) OnChange(this);
  };
  const int flash = QApplication::cursorFlashTime();
  FCaretTimer.setInterval(flash > 0 ? flash / 2 : 500);
  QObject::connect(&FCaretTimer, &QTimer::timeout, this, [this] {
    FCaretOn = !FCaretOn;
    update();
  });
  resize(121, 21);
  UpdateEngineLayout();
}

void TspSkinPasswordEdit::SetPasswordKind(TspPasswordKind value) {
  FPasswordKind = value;
  update();
}

void TspSkinPasswordEdit::SetTextAlignment(TspTextAlignment value) {
  FTextAlignment = value;
  UpdateEngineLayout();
  update();
}

void TspSkinPasswordEdit::SetHideSelection(bool value) {
  FHideSelection = value;
  update();
}

void TspSkinPasswordEdit::SetDefaultColor(const QColor& value) {
  FDefaultColor = value;
  update();
}

void TspSkinPasswordEdit::ReadSkinRecord() {
  TspSkinCustomControl::ReadSkinRecord();
  // Only an edit record says how the field looks; any other kind reads as none.
  if (RecordIndex() != -1 && !EditRecord()) Binding().RecordIndex = -1;
}

QRect TspSkinPasswordEdit::ContentRect() const {
  if (RecordIndex() == -1 || !EditRecord()) return QRect(2, 2, width() - 4, height() - 4);
  TspRect r = FittedClientRect();
  r.Left += 2;
  if (!UseSkinFont()) r.Bottom += height() - SkinRect().Height();
  return r.ToQRect();
}

void TspSkinPasswordEdit::UpdateEngineLayout() {
  const QRect content = ContentRect();
  FEngine.SetLayout({content.left(), content.width(),
                     TspPasswordLayout::CellWidthFor(content.height()), FTextAlignment});
}

void TspSkinPasswordEdit::FitSizeToSkin(int& width, int& height) {
  const int requested = height;
  TspSkinCustomControl::FitSizeToSkin(width, height);
  if (!UseSkinFont()) height = requested;
}

QSize TspSkinPasswordEdit::sizeHint() const {
  const int h = RecordIndex() != -1 && UseSkinFont() ? SkinRect().Height() : 21;
  return QSize(121, h > 0 ? h : 21);
}

void TspSkinPasswordEdit::ApplySkin() {
  TspSkinCustomControl::ApplySkin();
  // A skin without a cursor of its own leaves the field's I-beam.
  if (cursor().shape() == Qt::ArrowCursor) setCursor(Qt::IBeamCursor);
  UpdateEngineLayout();
  update();
}

void TspSkinPasswordEdit::resizeEvent(QResizeEvent* e) {
  TspSkinCustomControl::resizeEvent(e);
  UpdateEngineLayout();
}

// --- Painting -------------------------------------------------------------------------------

QColor TspSkinPasswordEdit::SymbolColor() const {
  const TspDataSkinEditControl* rec = RecordIndex() != -1 ? EditRecord() : nullptr;
  if (!isEnabled())
    return rec ? SkinColor(rec->disabledfontcolor)
               : palette().color(QPalette::Disabled, QPalette::Text);
  if (!rec) return palette().color(QPalette::Active, QPalette::Text);
  return SkinColor(FMouseOver || hasFocus() ? rec->activefontcolor : rec->fontcolor);
}

void TspSkinPasswordEdit::DrawSkinImage(QImage& image) {
  const TspDataSkinEditControl* rec = EditRecord();
  const QImage* picture = rec ? Binding().Picture(rec->pictureindex) : nullptr;
  if (!picture) {
    DrawDefaultImage(image);
    return;
  }
  const bool active = FMouseOver || hasFocus();
  const TspRect state =
      active && !rec->activeskinrect.IsEmpty() ? rec->activeskinrect : rec->skinrect;
  // A field frame grows sideways with fixed ends; other heights stretch it.
  TspControlGeometry g = ControlGeometry(*rec);
  g.Mode = kCompositionHorizontal;
  QImage frame = ImageCache().Get(*picture, g, state, QSize(width(), rec->skinrect.Height()));
  if (frame.isNull()) {
    DrawDefaultImage(image);
    return;
  }
  if (frame.size() != size()) {
    frame = ImageCache().Scaled(*picture, g, state, frame, size());
  }
  image = frame;
  DrawContent(image);
}

void TspSkinPasswordEdit::DrawDefaultImage(QImage& image) {
  image.fill(FDefaultColor);
  {
    QPainter p(&image);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(0, 0, width() - 1, height() - 1);
  }
  DrawContent(image);
}

void TspSkinPasswordEdit::DrawSymbol(QPainter& p, const QRect& cell, const QColor& color) const {
  // The cell less two pixels at each side, cut vertically to a square.
  const int inset = (cell.height() - cell.width()) / 2 + 2;
  int left = cell.left() + 2;
  const int right = cell.left() + cell.width() - 2; // exclusive
  const int top = cell.top() + inset;
  const int bottom = cell.top() + cell.height() - inset; // exclusive
  int w = right - left;
  const int h = bottom - top;
  if (w <= 0 || h <= 0) return;
  switch (FPasswordKind) {
  case TspPasswordKind::pkRect:
    p.fillRect(QRect(left, top, w, h), color);
    break;
  case TspPasswordKind::pkRoundRect: {
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    const qreal radius = w / 4.0; // a corner ellipse half the square wide
    path.addRoundedRect(QRectF(left, top + 1, w, h - 1), radius, radius);
    p.fillPath(path, color);
    p.setRenderHint(QPainter::Antialiasing, false);
    break;
  }
  case TspPasswordKind::pkTriangle: {
    if (w % 2 == 0) --w;
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    path.moveTo(left + w / 2.0, top);
    path.lineTo(left + w, bottom);
    path.lineTo(left, bottom);
    path.closeSubpath();
    p.fillPath(path, color);
    p.setRenderHint(QPainter::Antialiasing, false);
    break;
  }
  }
}

void TspSkinPasswordEdit::DrawContent(QImage& image) {
  const QRect content = ContentRect();
  if (content.isEmpty()) return;
  QPainter p(&image);
  p.setClipRect(content);
  const int cell = FEngine.Layout().CellWidth;
  const int length = int(FEngine.Text().size());
  const bool showSelection = FEngine.HasSelection() && (hasFocus() || !FHideSelection);
  QColor highlight = palette().color(QPalette::Active, QPalette::Highlight);
  QColor highlightText = palette().color(QPalette::Active, QPalette::HighlightedText);
  if (const TspSkinData* sd = SkinData(); sd && !sd->IsEmpty()) {
    highlight = SkinColor(sd->SkinColors.chighlight);
    highlightText = SkinColor(sd->SkinColors.chighlighttext);
  }
  if (showSelection) {
    const int x0 = FEngine.CellX(FEngine.SelStart());
    const int x1 = FEngine.CellX(FEngine.SelStart() + FEngine.SelLength());
    p.fillRect(QRect(x0, content.top(), x1 - x0, content.height()), highlight);
  }
  const QColor color = SymbolColor();
  const int right = content.left() + content.width();
  for (int i = std::max(FEngine.FirstVisible() - 1, 0); i < length; ++i) {
    const int x = FEngine.CellX(i);
    if (x >= right) break;
    if (x + cell <= content.left()) continue;
    const bool selected = showSelection && FEngine.IsSelected(i);
    DrawSymbol(p, QRect(x, content.top(), cell, content.height()),
               selected ? highlightText : color);
  }
  if (CaretShown()) {
    // A caret one pixel wide, as high as the content; it may stand just past its edge.
    p.setClipping(false);
    const int x = std::clamp(FEngine.CaretX(FEngine.CaretPos()), 0, width() - 1);
    p.fillRect(QRect(x, content.top(), 1, content.height()), color);
  }
}

// --- Input ----------------------------------------------------------------------------------

void TspSkinPasswordEdit::RestartCaret() {
  if (!hasFocus()) return;
  FCaretOn = true;
  FCaretTimer.start();
  update();
}

void TspSkinPasswordEdit::keyPressEvent(QKeyEvent* e) {
  const bool used = FEngine.HandleKey(e->key(), e->modifiers(), TypedText(e),
                                      [] { return QGuiApplication::clipboard()->text(); });
  if (!used) {
    TspSkinCustomControl::keyPressEvent(e);
    return;
  }
  e->accept();
  RestartCaret();
}

void TspSkinPasswordEdit::focusInEvent(QFocusEvent* e) {
  TspSkinCustomControl::focusInEvent(e);
  if (FAutoSelect) FEngine.SelectAll();
  RestartCaret();
}

void TspSkinPasswordEdit::focusOutEvent(QFocusEvent* e) {
  TspSkinCustomControl::focusOutEvent(e);
  FCaretTimer.stop();
  FCaretOn = false;
  FButtonHeld = false;
  update();
}

void TspSkinPasswordEdit::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    TspSkinCustomControl::mousePressEvent(e);
    return;
  }
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  FEngine.MoveTo(FEngine.PosAtX(int(e->position().x())), false);
  FButtonHeld = true;
  RestartCaret();
}

void TspSkinPasswordEdit::mouseMoveEvent(QMouseEvent* e) {
  if (FButtonHeld) {
    FEngine.DragTo(int(e->position().x()));
    RestartCaret();
  }
  TspSkinCustomControl::mouseMoveEvent(e);
}

void TspSkinPasswordEdit::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) FButtonHeld = false;
  TspSkinCustomControl::mouseReleaseEvent(e);
}

void TspSkinPasswordEdit::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    TspSkinCustomControl::mouseDoubleClickEvent(e);
    return;
  }
  // The second press of a double click arrives as this event: it places the caret first.
  FEngine.MoveTo(FEngine.PosAtX(int(e->position().x())), false);
  FEngine.SelectWordAt(FEngine.CaretPos());
  FButtonHeld = false;
  RestartCaret();
}

void TspSkinPasswordEdit::enterEvent(QEnterEvent* e) {
  FMouseOver = true;
  update();
  TspSkinCustomControl::enterEvent(e);
}

void TspSkinPasswordEdit::leaveEvent(QEvent* e) {
  FMouseOver = false;
  update();
  TspSkinCustomControl::leaveEvent(e);
}

void TspSkinPasswordEdit::changeEvent(QEvent* e) {
  TspSkinCustomControl::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) update();
}
