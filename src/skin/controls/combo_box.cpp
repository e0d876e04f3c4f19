#include "skin/controls/combo_box.h"

#include "skin/controls/focus_dots.h"
#include "skin/controls/plain_look.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QWheelEvent>

namespace {
constexpr int kPlainButtonWidth = 17;
constexpr int kFadeMs = 150;
} // namespace

// --- TspSkinComboBox -------------------------------------------------------------------------

TspSkinComboBox::TspSkinComboBox(QWidget* parent)
    : TspSkinCustomControl(parent), FPopup(new TspPopupListBox(this)) {
  SetSkinDataName(QStringLiteral("combobox"));
  FDefaultColor = palette().color(QPalette::Base);
  FListBoxDefaultFont = DefaultSkinFont();
  FListBoxDefaultCaptionFont = DefaultSkinFont();
  FListBoxDefaultCaptionFont.setBold(true);
  FClock.start();
  Clock = [this] { return FClock.elapsed(); };
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  // A press on the combo box that closes its open list must not open it again.
  setAttribute(Qt::WA_NoMouseReplay);
  FPopup->hide();
  FPopup->KeyPress = [this](QKeyEvent* e) {
    if (HandleKey(e->key(), e->modifiers(), e->text())) e->accept();
  };
  FPopup->Hidden = [this] {
    // Hidden behind our back (a press outside, the application losing the activation).
    if (FDropped) CloseUp(false);
  };
  FPopup->ListBox()->Pick = [this](int index) { PickFromList(index); };
  // The wheel over the open list steps its selection, as it does over the field.
  FPopup->ListBox()->Wheel = [this](QWheelEvent* e) {
    wheelEvent(e);
    return true;
  };
  FPopup->OnDrawItem = [this](QObject*, QPainter& p, int index, TspOwnerDrawState s, const QRect& r,
                              int h, int w) {
    if (OnListBoxDrawItem) OnListBoxDrawItem(this, p, index, s, r, h, w);
  };
  resize(145, 20);
}

TspSkinComboBox::~TspSkinComboBox() {
  FPopup->KeyPress = nullptr;
  FPopup->Hidden = nullptr;
  FPopup->ListBox()->Pick = nullptr;
  FPopup->ListBox()->Wheel = nullptr;
  FPopup->OnDrawItem = nullptr;
  if (FEditor) QObject::disconnect(FEditor, nullptr, this, nullptr);
}

// --- Items and text -------------------------------------------------------------------------

const QStringList& TspSkinComboBox::Items() const {
  return FPopup->Items();
}

void TspSkinComboBox::SetItems(const QStringList& value) {
  if (FDropped) CloseUp(false);
  FPopup->SetItems(value);
  FOldItemIndex = -1;
  update();
}

int TspSkinComboBox::AddItem(const QString& item) {
  return FPopup->AddItem(item);
}

void TspSkinComboBox::ClearItems() {
  if (FDropped) CloseUp(false);
  FPopup->ClearItems();
  FOldItemIndex = -1;
  update();
}

int TspSkinComboBox::ItemIndex() const {
  return FPopup->ItemIndex();
}

void TspSkinComboBox::SetItemIndex(int value) {
  SelectItem(value, true);
}

QString TspSkinComboBox::Text() const {
  return FEditor ? FEditor->text() : FText;
}

void TspSkinComboBox::SetText(const QString& value) {
  if (FEditor) {
    FEditor->setText(ApplyCharCase(FCharCase, value));
  } else {
    FText = ApplyCharCase(FCharCase, value);
    FPopup->SetItemIndex(int(Items().indexOf(value)));
    FOldItemIndex = FPopup->ItemIndex();
    update();
  }
  TextMayHaveChanged();
}

void TspSkinComboBox::TextMayHaveChanged() {
  const QString text = Text();
  if (text == FShownText) return;
  FShownText = text;
  if (OnChange) OnChange(this);
}

void TspSkinComboBox::ShowItemText(const QString& item) {
  const QString text = ApplyCharCase(FCharCase, item);
  if (FEditor) {
    // Text changes would reach OnChange through the field; the caller reports them once.
    const QSignalBlocker block(FEditor);
    FEditor->setText(text);
    FEditor->selectAll();
  } else {
    FText = text;
  }
}

void TspSkinComboBox::SelectItem(int index, bool remember) {
  FPopup->SetItemIndex(index);
  const int i = FPopup->ItemIndex();
  if (i >= 0) {
    ShowItemText(Items()[i]);
  }
  if (remember) FOldItemIndex = i;
  update();
  if (OnClick) OnClick(this);
  TextMayHaveChanged();
}

void TspSkinComboBox::SetStyle(TspComboBoxStyle value) {
  if (value == FStyle) return;
  const QString text = Text();
  FStyle = value;
  if (value == TspComboBoxStyle::spcbEditStyle) {
    FEditor = new TspInnerEdit(this);
    FEditor->setText(text);
    FEditor->setMouseTracking(true);
    FEditor->KeyPress = [this](QKeyEvent* e) {
      if (HandleKey(e->key(), e->modifiers(), QString())) return true;
      if (FCharCase == TspEditCharCase::ecNormal || FEditor->isReadOnly()) return false;
      const QString typed = TypedText(e);
      if (typed.isEmpty()) return false;
      FEditor->insert(ApplyCharCase(FCharCase, typed));
      return true;
    };
    FEditor->FocusIn = [this](QFocusEvent*) { update(); };
    FEditor->FocusOut = [this](QFocusEvent*) { update(); };
    FEditor->Wheel = [this](QWheelEvent* e) {
      wheelEvent(e);
      return true;
    };
    QObject::connect(FEditor, &QLineEdit::textChanged, this, [this] { TextMayHaveChanged(); });
    setFocusProxy(FEditor);
    FEditor->show();
  } else {
    setFocusProxy(nullptr);
    delete FEditor;
    FEditor = nullptr;
    FText = text;
  }
  UpdateEditor();
  update();
}

void TspSkinComboBox::SetDropDownCount(int value) {
  FDropDownCount = std::max(value, 1);
}

bool TspSkinComboBox::Sorted() const {
  return FPopup->Sorted();
}

void TspSkinComboBox::SetSorted(bool value) {
  FPopup->SetSorted(value);
}

void TspSkinComboBox::SetCharCase(TspEditCharCase value) {
  FCharCase = value;
  if (FEditor) {
    const QString c = ApplyCharCase(FCharCase, FEditor->text());
    if (c != FEditor->text()) FEditor->setText(c);
  } else if (ApplyCharCase(FCharCase, FText) != FText) {
    FText = ApplyCharCase(FCharCase, FText);
    update();
    TextMayHaveChanged();
  }
}

bool TspSkinComboBox::HideSelection() const {
  return FEditor ? FEditor->HideSelection : true;
}

void TspSkinComboBox::SetHideSelection(bool value) {
  if (FEditor) FEditor->HideSelection = value;
}

void TspSkinComboBox::SetDefaultColor(const QColor& value) {
  FDefaultColor = value;
  update();
}

void TspSkinComboBox::SetUseSkinSize(bool value) {
  if (value == FUseSkinSize) return;
  FUseSkinSize = value;
  ApplySkin();
}

void TspSkinComboBox::SetToolButtonStyle(bool value) {
  FToolButtonStyle = value;
  update();
}

void TspSkinComboBox::SetImages(TspImageList* value) {
  FImages = value;
  update();
}

void TspSkinComboBox::SetImageIndex(int value) {
  FImageIndex = value;
  update();
}

void TspSkinComboBox::SetTabWidths(const QList<int>& value) {
  FTabWidths = value;
  update();
}

// --- Drop-down ------------------------------------------------------------------------------

void TspSkinComboBox::SyncPopup() {
  const TspDataSkinComboBox* rec = ComboRecord();
  FPopup->SetSkinDataName(rec && !rec->listboxname.isEmpty() ? rec->listboxname
                                                             : QStringLiteral("listbox"));
  FPopup->SetUseSkinFont(FListBoxUseSkinFont);
  FPopup->SetDefaultFont(FListBoxDefaultFont);
  FPopup->SetDefaultItemHeight(FListBoxDefaultItemHeight);
  FPopup->SetUseSkinItemHeight(FListBoxUseSkinItemHeight);
  FPopup->SetCaption(FListBoxCaption);
  FPopup->SetCaptionMode(FListBoxCaptionMode);
  FPopup->SetDefaultCaptionFont(FListBoxDefaultCaptionFont);
  FPopup->SetAlignment(TspTextAlignment::taLeftJustify);
  FPopup->SetTabWidths(FTabWidths);
  FPopup->SetImages(FImages);
  FPopup->SetImageIndex(FImageIndex);
  FPopup->SetHorizontalExtent(FHorizontalExtent);
  FPopup->SetSkinData(SkinData());
}

void TspSkinComboBox::DropDown() {
  if (FDropped || Items().isEmpty() || !isEnabled()) return;
  if (OnDropDown) OnDropDown(this);
  // The handler may have emptied the list.
  if (Items().isEmpty()) return;
  SyncPopup();
  const int w = FListBoxWidth > 0 ? FListBoxWidth : width();
  const int rows = std::min(int(Items().size()), FDropDownCount);
  FPopup->resize(w, FPopup->height());
  FPopup->resize(w, FPopup->HeightForRows(rows));
  FPopup->UpdateLayout();
  const int h = FPopup->height();
  QPoint at = mapToGlobal(QPoint(0, height()));
  const QScreen* s = screen();
  const QRect work = s ? s->availableGeometry() : QRect();
  // Above the field when the list would pass the bottom of the work area.
  if (s && at.y() + h > work.bottom() + 1) at.setY(mapToGlobal(QPoint(0, 0)).y() - h);
  FOldItemIndex = ItemIndex();
  FPopup->SetItemIndex(FOldItemIndex);
  FPopup->move(at);
  FDropped = true;
  if (FListBoxAlphaBlend) {
    const qreal opacity = FListBoxAlphaBlendValue / 255.0;
    if (FListBoxAlphaBlendAnimation) {
      FPopup->setWindowOpacity(0);
      auto* fade = new QPropertyAnimation(FPopup, "windowOpacity", FPopup);
      fade->setDuration(kFadeMs);
      fade->setEndValue(opacity);
      fade->start(QAbstractAnimation::DeleteWhenStopped);
    } else {
      FPopup->setWindowOpacity(opacity);
    }
  } else {
    FPopup->setWindowOpacity(1);
  }
  FPopup->show();
  update();
}

void TspSkinComboBox::CloseUp(bool accept) {
  if (!FDropped) return;
  // Cleared first: hiding the pop-up reports back here.
  FDropped = false;
  FPressed = false;
  FPopup->hide();
  if (FPopup->ItemIndex() < 0) FPopup->SetItemIndex(FOldItemIndex);
  if (accept && FPopup->ItemIndex() >= 0) {
    SelectItem(FPopup->ItemIndex(), true);
  } else if (!accept) {
    // Keys may have moved the selection while the list was open: the item shown when it
    // opened comes back, text and all.
    FPopup->SetItemIndex(FOldItemIndex);
    if (FOldItemIndex >= 0 && FOldItemIndex < Items().size()) {
      ShowItemText(Items()[FOldItemIndex]);
      TextMayHaveChanged();
    }
  }
  update();
  if (accept && OnCloseUp) OnCloseUp(this);
}

void TspSkinComboBox::PickFromList(int index) {
  FPopup->SetItemIndex(index);
  CloseUp(true);
}

// --- Keys and the mouse ---------------------------------------------------------------------

bool TspSkinComboBox::HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  const bool alt = modifiers & Qt::AltModifier;
  const bool fixed = !FEditor;
  const int count = int(Items().size());
  const int index = ItemIndex();
  if (FDropped) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      CloseUp(true);
      return true;
    }
    if (key == Qt::Key_Escape || (alt && (key == Qt::Key_Up || key == Qt::Key_Left))) {
      CloseUp(false);
      return true;
    }
  } else if (alt && (key == Qt::Key_Down || key == Qt::Key_Right)) {
    DropDown();
    return true;
  }
  if (alt) return false;
  // In the edit style the sideways keys move the caret.
  const bool sideways = key == Qt::Key_Left || key == Qt::Key_Right;
  if (sideways && !fixed) return false;
  switch (key) {
  case Qt::Key_Up:
  case Qt::Key_Left:
    if (index > 0) SelectItem(index - 1, !FDropped);
    return true;
  case Qt::Key_Down:
  case Qt::Key_Right:
    if (index < count - 1) SelectItem(index + 1, !FDropped);
    return true;
  case Qt::Key_PageUp:
    if (count > 0) SelectItem(std::max(0, index - FDropDownCount - 1), !FDropped);
    return true;
  case Qt::Key_PageDown:
    if (count > 0) SelectItem(std::min(count - 1, index + FDropDownCount - 1), !FDropped);
    return true;
  default:
    break;
  }
  if (fixed && !text.isEmpty() && text[0].isPrint() && !(modifiers & Qt::ControlModifier)) {
    if (FAutoComplete) AutoCompleteChar(text[0]);
    return true;
  }
  return false;
}

void TspSkinComboBox::AutoCompleteChar(QChar c) {
  const qint64 now = Clock ? Clock() : FClock.elapsed();
  if (!FHasLastKey || now - FLastKeyTime > AutoCompleteDelay) FPrefix.clear();
  FHasLastKey = true;
  FLastKeyTime = now;
  FPrefix += c;
  const QStringList& items = Items();
  const int count = int(items.size());
  if (count == 0) return;
  int found = -1;
  if (FPrefix.size() == 1) {
    // After the current item, round the end: repeating a letter walks its items.
    const int from = ItemIndex();
    for (int k = 1; k <= count && found < 0; ++k) {
      const int i = (std::max(from, -1) + k) % count;
      if (items[i].startsWith(FPrefix, Qt::CaseInsensitive)) found = i;
    }
  } else {
    for (int i = 0; i < count && found < 0; ++i)
      if (items[i].startsWith(FPrefix, Qt::CaseInsensitive)) found = i;
  }
  if (found >= 0 && found != ItemIndex()) SelectItem(found, !FDropped);
}

void TspSkinComboBox::keyPressEvent(QKeyEvent* e) {
  if (HandleKey(e->key(), e->modifiers(), e->text()))
    e->accept();
  else
    TspSkinCustomControl::keyPressEvent(e);
}

void TspSkinComboBox::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !isEnabled()) {
    TspSkinCustomControl::mousePressEvent(e);
    return;
  }
  const bool onButton = ButtonRect().contains(e->position().toPoint());
  if (FEditor) {
    FEditor->setFocus(Qt::MouseFocusReason);
    if (!onButton) return;
  } else {
    setFocus(Qt::MouseFocusReason);
  }
  if (FDropped) {
    CloseUp(false);
  } else {
    FPressed = true;
    DropDown();
  }
  update();
}

void TspSkinComboBox::mouseMoveEvent(QMouseEvent* e) {
  const bool hot = FEditor ? ButtonRect().contains(e->position().toPoint()) : FMouseIn;
  if (hot != FButtonHot) {
    FButtonHot = hot;
    update();
  }
  TspSkinCustomControl::mouseMoveEvent(e);
}

void TspSkinComboBox::mouseReleaseEvent(QMouseEvent* e) {
  if (FPressed && !FDropped) {
    FPressed = false;
    update();
  }
  TspSkinCustomControl::mouseReleaseEvent(e);
}

void TspSkinComboBox::wheelEvent(QWheelEvent* e) {
  const int delta = e->angleDelta().y();
  if (delta == 0 || FEditor || !isEnabled()) {
    e->ignore();
    return;
  }
  const int next = delta < 0 ? ItemIndex() + 1 : ItemIndex() - 1;
  if (next >= 0 && next < int(Items().size())) {
    if (FDropped)
      FPopup->SetItemIndex(next);
    else
      SelectItem(next, true);
  }
  e->accept();
}

void TspSkinComboBox::enterEvent(QEnterEvent* e) {
  FMouseIn = true;
  FButtonHot = FEditor ? ButtonRect().contains(e->position().toPoint()) : true;
  update();
  TspSkinCustomControl::enterEvent(e);
}

void TspSkinComboBox::leaveEvent(QEvent* e) {
  FMouseIn = false;
  FButtonHot = false;
  update();
  TspSkinCustomControl::leaveEvent(e);
}

void TspSkinComboBox::focusInEvent(QFocusEvent* e) {
  TspSkinCustomControl::focusInEvent(e);
  update();
}

void TspSkinComboBox::focusOutEvent(QFocusEvent* e) {
  TspSkinCustomControl::focusOutEvent(e);
  // A pop-up taking the keys is not the focus leaving.
  if (e->reason() != Qt::PopupFocusReason && FDropped) CloseUp(false);
  update();
}

void TspSkinComboBox::changeEvent(QEvent* e) {
  TspSkinCustomControl::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) {
    if (!isEnabled()) {
      CloseUp(false);
      FPressed = FButtonHot = false;
    }
    update();
  }
}

void TspSkinComboBox::hideEvent(QHideEvent* e) {
  TspSkinCustomControl::hideEvent(e);
  CloseUp(false);
}

void TspSkinComboBox::resizeEvent(QResizeEvent* e) {
  TspSkinCustomControl::resizeEvent(e);
  UpdateEditor();
}

// --- Skin and geometry ----------------------------------------------------------------------

void TspSkinComboBox::SetSkinData(TspSkinData* value) {
  TspSkinCustomControl::SetSkinData(value);
  FPopup->SetSkinData(value);
  UpdateEditor();
}

void TspSkinComboBox::ApplySkin() {
  TspSkinCustomControl::ApplySkin();
  // The pop-up is a window of its own: the form's walk does not reach it.
  SyncPopup();
  FPopup->ApplySkin();
  UpdateEditor();
  updateGeometry();
}

void TspSkinComboBox::DropSkinRecord() {
  TspSkinCustomControl::DropSkinRecord();
  FPopup->DropSkinRecord();
}

void TspSkinComboBox::FitSizeToSkin(int& width, int& height) {
  if (!FUseSkinSize) return;
  TspSkinCustomControl::FitSizeToSkin(width, height);
}

void TspSkinComboBox::DefaultFontChanged() {
  UpdateEditor();
}

QSize TspSkinComboBox::sizeHint() const {
  if (RecordIndex() != -1 && FUseSkinSize) return QSize(145, SkinRect().Height());
  return QSize(145, 20);
}

QRect TspSkinComboBox::ButtonRect() const {
  if (const TspDataSkinComboBox* rec = ComboRecord())
    return PlaceFieldButton(rec->buttonrect, *rec, size(), !FUseSkinSize);
  return QRect(width() - 2 - kPlainButtonWidth, 2, kPlainButtonWidth, height() - 4);
}

QRect TspSkinComboBox::ItemRect() const {
  if (RecordIndex() != -1 && GeometryMode() != TspGeometryMode::None) {
    TspControlGeometry g = Geometry();
    ::FitSizeToSkin(g, size());
    QRect r = g.Fitted.ClientRect.ToQRect();
    if (!FUseSkinSize) r.setBottom(r.bottom() + height() - SkinRect().Height());
    return r & rect();
  }
  const QRect b = ButtonRect();
  return QRect(3, 3, std::max(0, b.left() - 2 - 3), std::max(0, height() - 6));
}

bool TspSkinComboBox::Focused() const {
  return hasFocus() || (FEditor && FEditor->hasFocus());
}

void TspSkinComboBox::UpdateEditor() {
  if (!FEditor) return;
  const TspDataSkinComboBox* rec = ComboRecord();
  QFont font = DefaultFont();
  QColor text = palette().color(QPalette::Active, QPalette::Text);
  if (rec) {
    font = SkinFont(rec->fontname, rec->fontheight, rec->fontstyle);
    text = SkinColor(rec->fontcolor);
  }
  FEditor->setFont(font);
  QColor highlight = palette().color(QPalette::Active, QPalette::Highlight);
  QColor highlighted = palette().color(QPalette::Active, QPalette::HighlightedText);
  if (const TspSkinData* sd = SkinData(); sd && !sd->IsEmpty()) {
    highlight = SkinColor(sd->SkinColors.chighlight);
    highlighted = SkinColor(sd->SkinColors.chighlighttext);
  }
  FEditor->SetTextColors(text, palette().color(QPalette::Disabled, QPalette::Text), highlight,
                         highlighted);
  const QRect r = ItemRect().adjusted(2, 0, 0, 0);
  FEditor->setGeometry(r.isValid() ? r : QRect());
}

// --- Painting -------------------------------------------------------------------------------

void TspSkinComboBox::DrawSkinImage(QImage& image) {
  const TspDataSkinComboBox* rec = ComboRecord();
  const QImage* picture = rec ? Binding().Picture(rec->pictureindex) : nullptr;
  if (!rec || !picture) {
    TspSkinCustomControl::DrawSkinImage(image);
    return;
  }
  const bool active = FMouseIn || Focused() || FDropped;
  const TspRect state =
      active && !rec->activeskinrect.IsEmpty() ? rec->activeskinrect : rec->skinrect;
  QImage frame = StateImage(state);
  if (frame.isNull()) return;
  if (frame.size() != size()) {
    // UseSkinSize off: the field is stretched to the height, once per state and size.
    frame = ImageCache().Scaled(*picture, Geometry(), state, frame, size());
  }
  image = frame.copy();
  const QRect b = ButtonRect();
  TspRect face;
  if (!isEnabled())
    face = rec->unenabledbuttonrect;
  else if (FPressed || FDropped)
    face = rec->downbuttonrect.IsEmpty() ? rec->activebuttonrect : rec->downbuttonrect;
  else if (FButtonHot)
    face = rec->activebuttonrect;
  if (!face.IsEmpty() && !b.isEmpty()) {
    const QImage piece = ImageCache().Piece(*picture, face, b.size());
    if (!piece.isNull()) {
      QPainter p(&image);
      p.drawImage(b.topLeft(), piece);
    }
  }
  if (!FEditor) DrawItem(image, ItemRect(), Focused() && !FDropped);
}

void TspSkinComboBox::DrawItem(QImage& image, const QRect& r, bool focused) {
  if (r.isEmpty()) return;
  const TspDataSkinComboBox* rec = ComboRecord();
  const QImage* picture = rec ? Binding().Picture(rec->pictureindex) : nullptr;
  TspOwnerDrawState state;
  state.Selected = state.Focused = focused;
  state.Disabled = !isEnabled();
  TspListItemFrame f;
  QFont font = DefaultFont();
  if (rec && UsableItemRect(rec->itemrect, picture)) {
    const TspListItemLook look = ItemLookOf(*rec);
    f = TspListItemPainter::DrawSkinItem(ImageCache(), image, r.topLeft(), r.size(), *picture, look,
                                         true, state);
    if (look.showfocus && focused) DrawFocusDots(image, r, f.TextColor);
    if (state.Disabled) f.TextColor = DisabledItemTextColor(f.TextColor, *picture, rec->itemrect);
    font = SkinFont(rec->fontname, rec->fontheight, rec->fontstyle);
  } else if (rec) {
    f.TextRect = QRect(QPoint(2, 0), r.size() - QSize(4, 0));
    f.TextColor = SkinColor(focused ? rec->focusfontcolor : rec->fontcolor);
    font = SkinFont(rec->fontname, rec->fontheight, rec->fontstyle);
  } else {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, FDefaultColor);
    f = TspListItemPainter::DrawPlainItem(image, r.topLeft(), r.size(), pal, state);
  }
  QPainter p(&image);
  p.translate(r.topLeft());
  p.setClipRect(QRect(QPoint(0, 0), r.size()));
  p.setFont(font);
  p.setPen(f.TextColor);
  if (OnComboBoxDrawItem) {
    OnComboBoxDrawItem(this, p, ItemIndex(), state, f.TextRect, r.height(), r.width());
    return;
  }
  DrawItemContent(p, f.TextRect, r.height(), FImages, FImageIndex < 0 ? ItemIndex() : FImageIndex,
                  FText, FTabWidths, TspTextAlignment::taLeftJustify);
}

void TspSkinComboBox::DrawDefaultImage(QImage& image) {
  DrawPlainFieldFrame(image, isEnabled() ? FDefaultColor : palette().color(QPalette::Button),
                      palette());
  const QRect b = ButtonRect();
  const bool down = FPressed || FDropped;
  if (!b.isEmpty() && (!FToolButtonStyle || FButtonHot || down)) {
    QPainter p(&image);
    DrawPlainFieldButton(p, b, palette(), isEnabled(), FButtonHot || down, down, 4);
  }
  if (!FEditor) DrawItem(image, ItemRect(), Focused() && !FDropped);
}
