#include "skin/controls/edit.h"
#include "skin/controls/plain_look.h"

#include "skin/controls/control_messages.h"
#include "skin/controls/edit_field.h"
#include "skin/controls/edit_menu_hook.h"
#include "skin/controls/paint_parent_background.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <exception>

namespace {

// Keys that would edit a masked text behind the mask's back.
bool IsOtherEditingKey(QKeyEvent* e) {
  static const QKeySequence::StandardKey keys[] = {
      QKeySequence::Undo,
      QKeySequence::Redo,
      QKeySequence::DeleteEndOfLine,
      QKeySequence::DeleteCompleteLine,
      QKeySequence::DeleteStartOfWord,
      QKeySequence::DeleteEndOfWord,
  };
  for (auto k : keys)
    if (e->matches(k)) return true;
  return false;
}

} // namespace

TspSkinCustomEdit::TspSkinCustomEdit(QWidget* parent)
    : QWidget(parent), FEditor(new TspInnerEdit(this)), FDefaultFont(DefaultSkinFont()) {
  FBinding.SkinDataName = QStringLiteral("edit");
  AlertSound = [] { QApplication::beep(); };
  FDefaultColor = palette().color(QPalette::Base);
  // Every paint covers the whole control from one image; nothing is erased first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(FEditor);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setCursor(Qt::ArrowCursor);

  FEditor->setMouseTracking(true);
  FEditor->KeyPress = [this](QKeyEvent* e) { return EditorKeyPress(e); };
  FEditor->FocusIn = [this](QFocusEvent* e) { EditorFocusIn(e); };
  FEditor->FocusOut = [this](QFocusEvent* e) { EditorFocusOut(e); };
  FEditor->MousePress = [this](QMouseEvent* e) { return EditorMousePress(e); };
  FEditor->MouseMove = [this](QMouseEvent* e) { EditorMouseMove(e); };
  FEditor->ContextMenu = [this](QContextMenuEvent* e) {
    return ShowEditMenu(FEditor, this, SkinData(), e);
  };
  QObject::connect(FEditor, &QLineEdit::textChanged, this, [this] {
    if (OnChange) OnChange(this);
  });
  FEditor->setFont(EditorFont());
  resize(121, 20);
  UpdateLayout();
  UpdateColors();
}

TspSkinCustomEdit::~TspSkinCustomEdit() {
  // The editor goes with the children; its hooks must not call back into a half-destroyed
  // edit (a focus-out on destruction, for one).
  FEditor->KeyPress = nullptr;
  FEditor->FocusIn = nullptr;
  FEditor->FocusOut = nullptr;
  FEditor->MousePress = nullptr;
  FEditor->MouseMove = nullptr;
  FEditor->ContextMenu = nullptr;
  QObject::disconnect(FEditor, nullptr, this, nullptr);
}

// --- Binding ------------------------------------------------------------------------------

void TspSkinCustomEdit::SetSkinData(TspSkinData* value) {
  FBinding.SetSkinData(value, this, [this] { SkinDataDestroyed(); });
  // Without a skin to apply this still brings back the plain font, size and layout.
  ApplySkin();
}

void TspSkinCustomEdit::SkinDataDestroyed() {
  DropSkinRecord();
  ApplySkin();
}

void TspSkinCustomEdit::SetSkinDataName(const QString& value) {
  if (value == FBinding.SkinDataName) return;
  FBinding.SkinDataName = value;
  ApplySkin();
}

void TspSkinCustomEdit::SetDefaultFont(const QFont& value) {
  FDefaultFont = value;
  FEditor->setFont(EditorFont());
  update();
}

void TspSkinCustomEdit::SetUseSkinFont(bool value) {
  if (value == FUseSkinFont) return;
  FUseSkinFont = value;
  ApplySkin();
}

void TspSkinCustomEdit::SetAlphaBlend(bool value) {
  FAlphaBlend = value;
  update();
}

void TspSkinCustomEdit::SetAlphaBlendValue(int value) {
  FAlphaBlendValue = std::clamp(value, 0, 255);
  update();
}

void TspSkinCustomEdit::ReadSkinRecord() {
  FBinding.ReadSkinRecord();
  if (FBinding.RecordIndex != -1 && !FBinding.RecordAs<TspDataSkinEditControl>())
    FBinding.RecordIndex = -1;
}

const TspDataSkinEditControl* TspSkinCustomEdit::Record() const {
  return FBinding.RecordAs<TspDataSkinEditControl>();
}

QFont TspSkinCustomEdit::EditFont() const {
  const TspDataSkinEditControl* rec = Record();
  if (!rec) return FDefaultFont;
  return SkinFont(FUseSkinFont, rec->fontname, rec->fontheight, rec->fontstyle, FDefaultFont);
}

void TspSkinCustomEdit::DropSkinRecord() {
  FBinding.Drop();
}

void TspSkinCustomEdit::ApplySkin() {
  // Applying re-reads the record even when nothing the binding watches changed.
  FBinding.Invalidate();
  ReadSkinRecord();
  FEditor->setFont(EditorFont());
  if (const TspDataSkinEditControl* rec = Record()) {
    if (FUseSkinFont && rec->skinrect.Height() > 0) FitHeight();
  } else {
    const int w = FDefaultWidth > 0 ? FDefaultWidth : width();
    const int h = FDefaultHeight > 0 ? FDefaultHeight : height();
    if (QSize(w, h) != size()) resize(w, h);
  }
  updateGeometry();
  UpdateLayout();
  UpdateColors();
  update();
}

void TspSkinCustomEdit::FitHeight() {
  const TspDataSkinEditControl* rec = Record();
  if (!rec || !FUseSkinFont || FFitting) return;
  const int h = rec->skinrect.Height();
  if (h <= 0 || h == height()) return;
  FFitting = true;
  resize(width(), h);
  FFitting = false;
}

QSize TspSkinCustomEdit::sizeHint() const {
  const TspDataSkinEditControl* rec = Record();
  const int h = rec && FUseSkinFont && rec->skinrect.Height() > 0 ? rec->skinrect.Height() : 20;
  return QSize(121, h);
}

QSize TspSkinCustomEdit::minimumSizeHint() const {
  const QSize hint = sizeHint();
  return QSize(std::min(hint.width(), 40), hint.height());
}

// --- Look and extras ----------------------------------------------------------------------

void TspSkinCustomEdit::SetDefaultColor(const QColor& value) {
  FDefaultColor = value;
  update();
}

void TspSkinCustomEdit::SetButtonMode(bool value) {
  if (value == FButtonMode) return;
  FButtonMode = value;
  FButton.Hot = FButton.Down = false;
  UpdateLayout();
  update();
}

void TspSkinCustomEdit::SetImages(const QList<QImage>& value) {
  FImages = value;
  UpdateLayout();
  update();
}

#define TSP_EDIT_IMAGE_SETTER(Name, Field)                                                         \
  void TspSkinCustomEdit::Set##Name(int value) {                                                   \
    Field = value;                                                                                 \
    UpdateLayout();                                                                                \
    update();                                                                                      \
  }
TSP_EDIT_IMAGE_SETTER(ButtonImageIndex, FButtonImageIndex)
TSP_EDIT_IMAGE_SETTER(LeftImageIndex, FLeftImage.Index)
TSP_EDIT_IMAGE_SETTER(LeftImageHotIndex, FLeftImage.HotIndex)
TSP_EDIT_IMAGE_SETTER(LeftImageDownIndex, FLeftImage.DownIndex)
TSP_EDIT_IMAGE_SETTER(RightImageIndex, FRightImage.Index)
TSP_EDIT_IMAGE_SETTER(RightImageHotIndex, FRightImage.HotIndex)
TSP_EDIT_IMAGE_SETTER(RightImageDownIndex, FRightImage.DownIndex)
#undef TSP_EDIT_IMAGE_SETTER

const QImage* TspSkinCustomEdit::ImageAt(int index) const {
  if (index < 0 || index >= FImages.size() || FImages[index].isNull()) return nullptr;
  return &FImages[index];
}

// --- Text -----------------------------------------------------------------------------------

QString TspSkinCustomEdit::Text() const {
  return FMask.IsMasked() ? FMask.TextFromEditText(FEditor->text()) : FEditor->text();
}

void TspSkinCustomEdit::SetText(const QString& value) {
  FEditor->setText(FMask.IsMasked() ? FMask.EditTextFromText(value)
                                    : ApplyCharCase(FCharCase, value));
  FModified = false;
}

QString TspSkinCustomEdit::EditText() const {
  return FEditor->text();
}

void TspSkinCustomEdit::SetEditText(const QString& value) {
  if (!FMask.IsMasked()) {
    SetText(value);
    return;
  }
  // Position by position: literals stay, refused characters become blanks.
  QString text = FMask.EmptyEditText();
  for (int i = 0; i < text.size() && i < value.size(); ++i) {
    QChar stored;
    if (!FMask.IsLiteral(i) && FMask.Accepts(i, value[i], &stored)) text[i] = stored;
  }
  FEditor->setText(text);
  FModified = false;
}

bool TspSkinCustomEdit::ReadOnly() const {
  return FEditor->isReadOnly();
}

void TspSkinCustomEdit::SetReadOnly(bool value) {
  FEditor->setReadOnly(value);
}

void TspSkinCustomEdit::SetMaxLength(int value) {
  FMaxLength = std::max(value, 0);
  if (!FMask.IsMasked()) FEditor->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TspSkinCustomEdit::SetCharCase(TspEditCharCase value) {
  if (value == FCharCase) return;
  FCharCase = value;
  if (!FMask.IsMasked()) {
    const QString converted = ApplyCharCase(FCharCase, FEditor->text());
    if (converted != FEditor->text()) FEditor->setText(converted);
  }
}

bool TspSkinCustomEdit::AutoSelect() const {
  return FEditor->AutoSelect;
}

void TspSkinCustomEdit::SetAutoSelect(bool value) {
  FEditor->AutoSelect = value;
}

bool TspSkinCustomEdit::HideSelection() const {
  return FEditor->HideSelection;
}

void TspSkinCustomEdit::SetHideSelection(bool value) {
  FEditor->HideSelection = value;
}

void TspSkinCustomEdit::SetAlignment(TspTextAlignment value) {
  FAlignment = value;
  Qt::Alignment a = Qt::AlignLeft;
  if (value == TspTextAlignment::taRightJustify) a = Qt::AlignRight;
  if (value == TspTextAlignment::taCenter) a = Qt::AlignHCenter;
  FEditor->setAlignment(a | Qt::AlignVCenter);
}

// --- Edit mask ------------------------------------------------------------------------------

void TspSkinCustomEdit::SetEditMask(const QString& value) {
  const QString text = Text();
  FMask = TspEditMask(value);
  ConfigureEditorForMask();
  FEditor->setText(FMask.IsMasked() ? FMask.EditTextFromText(text)
                                    : ApplyCharCase(FCharCase, text));
  FModified = false;
}

void TspSkinCustomEdit::ConfigureEditorForMask() {
  const bool masked = FMask.IsMasked();
  // Every way into the text other than keys goes around the mask: no context menu, no
  // dropped text, no composed input.
  FEditor->setContextMenuPolicy(masked ? Qt::NoContextMenu : Qt::DefaultContextMenu);
  FEditor->setAcceptDrops(!masked);
  FEditor->RefuseInputMethod = masked;
  FEditor->setMaxLength(masked ? FMask.Length() : FMaxLength > 0 ? FMaxLength : 32767);
}

TspEditMask::TState TspSkinCustomEdit::MaskState() const {
  TspEditMask::TState s;
  s.EditText = FEditor->text();
  if (FEditor->hasSelectedText()) {
    s.SelStart = FEditor->selectionStart();
    s.SelLength = int(FEditor->selectedText().size());
  } else {
    s.SelStart = FEditor->cursorPosition();
  }
  return s;
}

void TspSkinCustomEdit::ApplyMaskState(const TspEditMask::TState& s) {
  FEditor->setText(s.EditText);
  FEditor->setCursorPosition(s.SelStart);
}

bool TspSkinCustomEdit::IsValidEdit(int* firstMissing) const {
  if (!FMask.IsMasked() || !FModified) return true;
  const QString text = FEditor->text();
  return FMask.IsBlank(text) || FMask.Validate(text, firstMissing);
}

bool TspSkinCustomEdit::MaskKeyPress(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    if (!FModified) return false;
    FEditor->setText(FOldEditText);
    FEditor->setCursorPosition(0);
    FModified = false;
    return true;
  }
  if (FEditor->isReadOnly()) return false;
  TspEditMask::TState s = MaskState();
  bool changed = false;
  if (e->matches(QKeySequence::Paste)) {
    changed = FMask.Paste(s, QGuiApplication::clipboard()->text());
  } else if (e->matches(QKeySequence::Cut)) {
    if (s.SelLength > 0) {
      QGuiApplication::clipboard()->setText(s.EditText.mid(s.SelStart, s.SelLength));
      changed = FMask.Delete(s);
    }
  } else if (e->key() == Qt::Key_Backspace) {
    changed = FMask.Backspace(s);
  } else if (e->key() == Qt::Key_Delete || e->matches(QKeySequence::Delete)) {
    changed = FMask.Delete(s);
  } else if (IsOtherEditingKey(e)) {
    // Swallowed: the mask keeps the text's shape.
  } else {
    const QString text = TypedText(e);
    if (text.isEmpty()) return false; // moves, selection, copy: the line edit's own
    for (const QChar c : text) {
      if (FMask.TypeChar(s, c)) {
        changed = true;
      } else {
        if (AlertSound) AlertSound();
        break;
      }
    }
  }
  if (changed) {
    FModified = true;
    ApplyMaskState(s);
  }
  return true;
}

// --- Editor hooks ---------------------------------------------------------------------------

bool TspSkinCustomEdit::EditorKeyPress(QKeyEvent* e) {
  if (FMask.IsMasked()) return MaskKeyPress(e);
  if (FCharCase == TspEditCharCase::ecNormal || FEditor->isReadOnly()) return false;
  if (e->matches(QKeySequence::Paste)) {
    FEditor->insert(ApplyCharCase(FCharCase, QGuiApplication::clipboard()->text()));
    return true;
  }
  const QString text = TypedText(e);
  if (text.isEmpty()) return false;
  FEditor->insert(ApplyCharCase(FCharCase, text));
  return true;
}

void TspSkinCustomEdit::EditorFocusIn(QFocusEvent*) {
  // Coming back after a refused exit keeps the text Esc returns to.
  if (!FReEntering) FOldEditText = FEditor->text();
  FReEntering = false;
  UpdateColors();
  update();
}

void TspSkinCustomEdit::EditorFocusOut(QFocusEvent* e) {
  UpdateColors();
  update();
  if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
  if (IsValidEdit()) return;
  // Qt is still moving the focus; take it back once it has, unless what moved it has
  // since reset the text or hidden the field (a "Back" button, a page change).
  QTimer::singleShot(0, this, [this] {
    int missing = 0;
    if (FEditor->hasFocus() || !isVisible() || !isEnabled() || IsValidEdit(&missing)) return;
    FReEntering = true;
    FEditor->setFocus(Qt::OtherFocusReason);
    FReEntering = false;
    FEditor->setCursorPosition(missing);
    if (OnValidateError) OnValidateError(this);
  });
}

bool TspSkinCustomEdit::EditorMousePress(QMouseEvent*) {
  return false;
}

void TspSkinCustomEdit::EditorMouseMove(QMouseEvent*) {
  // The pointer is on the text, so on none of the frame's buttons.
  if (FButton.Hot || FLeftImage.Hot || FRightImage.Hot) {
    ClearHotFlags();
    update();
  }
}

// --- Layout and colours ---------------------------------------------------------------------

void TspSkinCustomEdit::UpdateLayout() {
  const int w = width(), h = height();
  TspRect text;
  FButton.Rect = QRect();
  if (const TspDataSkinEditControl* rec = Record()) {
    text = rec->clientrect;
    text.Right += w - rec->skinrect.Width();
    if (!FUseSkinFont) text.Bottom += h - rec->skinrect.Height();
    // Without the skin's font the frame is stretched to the height; so is its button.
    if (FButtonMode) FButton.Rect = PlaceFieldButton(rec->buttonrect, *rec, size(), !FUseSkinFont);
  } else {
    text = {2, 2, w - 2, h - 2};
    if (FButtonMode) {
      text.Right -= h; // a square button and a gap of two pixels
      FButton.Rect = QRect(w - h, 0, h, h);
    }
  }
  FTextRect = text.ToQRect();
  QRect editor = FTextRect;
  FLeftImage.Rect = FRightImage.Rect = QRect();
  if (const QImage* img = ImageAt(FLeftImage.Index)) {
    FLeftImage.Rect = QRect(editor.left(), editor.top() + (editor.height() - img->height()) / 2,
                            img->width(), img->height());
    editor.setLeft(FLeftImage.Rect.right() + 3);
  }
  if (const QImage* img = ImageAt(FRightImage.Index)) {
    FRightImage.Rect =
        QRect(editor.right() + 1 - img->width(),
              editor.top() + (editor.height() - img->height()) / 2, img->width(), img->height());
    editor.setRight(FRightImage.Rect.left() - 3);
  }
  FEditor->setGeometry(editor.isValid() ? editor : QRect());
}

void TspSkinCustomEdit::UpdateColors() {
  const TspDataSkinEditControl* rec = Record();
  const TspFieldFontColors colors = rec ? FieldFontColors(*rec) : TspFieldFontColors{};
  SetFieldColors(*FEditor, palette(), SkinData(), rec ? &colors : nullptr,
                 FMouseOver || FEditor->hasFocus());
}

void TspSkinCustomEdit::ClearHotFlags() {
  FButton.Hot = FLeftImage.Hot = FRightImage.Hot = false;
}

// --- Painting -------------------------------------------------------------------------------

QImage TspSkinCustomEdit::PaintImage() {
  if (width() <= 0 || height() <= 0) return QImage();
  ReadSkinRecord();
  QImage image;
  if (Record())
    DrawFrame(image);
  else
    DrawPlainFrame(image);
  if (FButtonMode && !FButton.Rect.isEmpty()) DrawButton(image);
  DrawSideImages(image);
  if (FAlphaBlend) {
    QImage background;
    PaintParentBackground(this, background);
    BlendOverBackground(image, background, FAlphaBlendValue);
  }
  return image;
}

void TspSkinCustomEdit::DrawFrame(QImage& image) {
  const TspDataSkinEditControl* rec = Record();
  const QImage* picture = FBinding.Picture(rec->pictureindex);
  const bool active = FMouseOver || hasFocus();
  const TspRect state =
      active && !rec->activeskinrect.IsEmpty() ? rec->activeskinrect : rec->skinrect;
  const QImage frame =
      picture ? FieldFrameImage(TspSkinImages(SkinData()), *picture, *rec, state, size())
              : QImage();
  if (frame.isNull())
    DrawPlainFrame(image);
  else
    image = frame;
}

void TspSkinCustomEdit::DrawPlainFrame(QImage& image) {
  image = QImage(size(), QImage::Format_RGB32);
  DrawPlainFieldFrame(image, FDefaultColor, palette());
}

void TspSkinCustomEdit::DrawButton(QImage& image) {
  QPainter p(&image);
  const QRect r = FButton.Rect;
  const TspDataSkinEditControl* rec = Record();
  const QImage* picture = rec ? FBinding.Picture(rec->pictureindex) : nullptr;
  if (rec && picture) {
    TspRect state;
    if (!isEnabled() && !rec->unenabledbuttonrect.IsEmpty())
      state = rec->unenabledbuttonrect;
    else if (isEnabled() && FButton.Down && FButton.Hot)
      state = rec->downbuttonrect.IsEmpty() ? rec->activebuttonrect : rec->downbuttonrect;
    else if (isEnabled() && FButton.Hot)
      state = rec->activebuttonrect;
    if (!state.IsEmpty()) {
      const QImage piece = TspSkinImages(SkinData()).Piece(*picture, state, r.size());
      if (!piece.isNull()) p.drawImage(r.topLeft(), piece);
    }
  } else {
    // The button's own image replaces the arrow.
    DrawPlainFieldButton(p, r, palette(), isEnabled(), FButton.Hot, FButton.Down,
                         ImageAt(FButtonImageIndex) ? 0 : 4);
  }
  if (const QImage* glyph = ImageAt(FButtonImageIndex)) {
    p.drawImage(r.left() + (r.width() - glyph->width()) / 2,
                r.top() + (r.height() - glyph->height()) / 2, *glyph);
  }
}

void TspSkinCustomEdit::DrawSideImages(QImage& image) {
  auto pick = [this](const TSideButton& b) -> const QImage* {
    if (b.Down && ImageAt(b.DownIndex)) return ImageAt(b.DownIndex);
    if ((b.Hot || b.Down) && ImageAt(b.HotIndex)) return ImageAt(b.HotIndex);
    return ImageAt(b.Index);
  };
  const QImage* left = FLeftImage.Rect.isEmpty() ? nullptr : pick(FLeftImage);
  const QImage* right = FRightImage.Rect.isEmpty() ? nullptr : pick(FRightImage);
  if (!left && !right) return;
  QPainter p(&image);
  if (left) p.drawImage(FLeftImage.Rect.topLeft(), *left);
  if (right) p.drawImage(FRightImage.Rect.topLeft(), *right);
}

void TspSkinCustomEdit::paintEvent(QPaintEvent*) {
  QImage image;
  try {
    image = PaintImage();
  } catch (const std::exception&) {
    // As every skinned control: the plain look rather than an exception out of a paint.
    image = QImage();
    DrawPlainFrame(image);
  }
  if (image.isNull()) return;
  QPainter p(this);
  p.drawImage(0, 0, image);
}

// --- Events ---------------------------------------------------------------------------------

bool TspSkinCustomEdit::event(QEvent* e) {
  if (TspControlMessageEvent::MessageOf(e) == ParentBackgroundChangedMessage) {
    if (FAlphaBlend) update();
    return true;
  }
  return QWidget::event(e);
}

void TspSkinCustomEdit::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  ReadSkinRecord();
  // A plain resize() or a layout may ask for a height the skin's font does not take.
  FitHeight();
  UpdateLayout();
}

void TspSkinCustomEdit::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  if (FAlphaBlend) update();
}

void TspSkinCustomEdit::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) {
    if (!isEnabled()) {
      ClearHotFlags();
      FButton.Down = FLeftImage.Down = FRightImage.Down = false;
    }
    UpdateColors();
    update();
  }
}

void TspSkinCustomEdit::enterEvent(QEnterEvent* e) {
  QWidget::enterEvent(e);
  if (FMouseOver) return;
  FMouseOver = true;
  UpdateColors();
  update();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TspSkinCustomEdit::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  FMouseOver = false;
  ClearHotFlags();
  UpdateColors();
  update();
  if (OnMouseLeave) OnMouseLeave(this);
}

void TspSkinCustomEdit::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !isEnabled()) {
    QWidget::mousePressEvent(e);
    return;
  }
  const QPoint pos = e->position().toPoint();
  if (FLeftImage.Rect.contains(pos)) {
    FLeftImage.Down = true;
  } else if (FRightImage.Rect.contains(pos)) {
    FRightImage.Down = true;
  } else if (FButtonMode && FButton.Rect.contains(pos)) {
    FButton.Down = FButton.Hot = true;
  }
  FEditor->setFocus(Qt::MouseFocusReason);
  update();
}

void TspSkinCustomEdit::mouseMoveEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  const bool button = FButtonMode && FButton.Rect.contains(pos);
  const bool left = FLeftImage.Rect.contains(pos);
  const bool right = FRightImage.Rect.contains(pos);
  if (button != FButton.Hot || left != FLeftImage.Hot || right != FRightImage.Hot) {
    FButton.Hot = button;
    FLeftImage.Hot = left;
    FRightImage.Hot = right;
    update();
  }
  QWidget::mouseMoveEvent(e);
}

void TspSkinCustomEdit::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(e);
    return;
  }
  const QPoint pos = e->position().toPoint();
  std::function<void(QObject*)> handler;
  if (FLeftImage.Down) {
    FLeftImage.Down = false;
    if (FLeftImage.Rect.contains(pos)) handler = OnLeftButtonClick;
  } else if (FRightImage.Down) {
    FRightImage.Down = false;
    if (FRightImage.Rect.contains(pos)) handler = OnRightButtonClick;
  } else if (FButton.Down) {
    FButton.Down = false;
    if (FButton.Rect.contains(pos)) {
      FEditor->setFocus(Qt::MouseFocusReason);
      handler = OnButtonClick;
    }
  }
  update();
  if (handler) handler(this);
}

void TspSkinCustomEdit::contextMenuEvent(QContextMenuEvent* e) {
  if (ShowEditMenu(FEditor, this, SkinData(), e))
    e->accept();
  else
    e->ignore();
}
