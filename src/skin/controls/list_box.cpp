#include "skin/controls/list_box.h"

#include "skin/controls/plain_look.h"
#include "skin/controls/scroll_bar.h"
#include "skin/render/draw_helpers.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int kCaptionButtons = 3; // up, down, check

} // namespace

// --- TspSkinListBox ------------------------------------------------------------------------

TspSkinListBox::TspSkinListBox(QWidget* parent)
    : TspSkinCustomControl(parent), FListBox(new TspListBox(this)),
      FVScrollBar(new TspSkinScrollBar(this)), FHScrollBar(new TspSkinScrollBar(this)) {
  SetSkinDataName(QStringLiteral("listbox"));
  FListBoxFont = DefaultFont();
  FDefaultCaptionFont = DefaultSkinFont();
  FDefaultCaptionFont.setBold(true);
  setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(FListBox);

  FVScrollBar->SetKind(TspScrollBarKind::sbVertical);
  FVScrollBar->SetSkinDataName(QStringLiteral("vscrollbar"));
  FVScrollBar->SetDefaultWidth(19);
  FVScrollBar->hide();
  FVScrollBar->OnChange = [this](QObject*) { FListBox->SetTopIndex(FVScrollBar->Position()); };
  FHScrollBar->SetKind(TspScrollBarKind::sbHorizontal);
  FHScrollBar->SetSkinDataName(QStringLiteral("hscrollbar"));
  FHScrollBar->SetDefaultHeight(19);
  FHScrollBar->hide();
  FHScrollBar->OnChange = [this](QObject*) {
    FListBox->SetHorizontalPosition(FHScrollBar->Position());
  };

  FListBox->PaintBackground = [this](QImage& image) { PaintListBackground(image); };
  FListBox->PaintItem = [this](QImage& image, int index, const QRect& r, TspOwnerDrawState s) {
    PaintListItem(image, index, r, s);
  };
  FListBox->UserSelect = [this] { ItemsClicked(); };
  FListBox->ScrollChanged = [this] { UpdateLayout(); };
  const auto mouse = [this](const TspListMouseEvent& handler, QMouseEvent* e) {
    if (handler)
      handler(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
  };
  FListBox->MouseDown = [this, mouse](QMouseEvent* e) { mouse(OnListBoxMouseDown, e); };
  FListBox->MouseUp = [this, mouse](QMouseEvent* e) { mouse(OnListBoxMouseUp, e); };
  FListBox->MouseMove = [this](QMouseEvent* e) {
    if (OnListBoxMouseMove)
      OnListBoxMouseMove(this, e->modifiers(), int(e->position().x()), int(e->position().y()));
  };
  FListBox->DblClick = [this](QMouseEvent*) {
    if (OnListBoxDblClick) OnListBoxDblClick(this);
  };
  FListBox->KeyDown = [this](int& key, Qt::KeyboardModifiers m) {
    if (OnListBoxKeyDown) OnListBoxKeyDown(this, key, m);
  };
  FListBox->KeyUp = [this](int& key, Qt::KeyboardModifiers m) {
    if (OnListBoxKeyUp) OnListBoxKeyUp(this, key, m);
  };
  FListBox->KeyPress = [this](QChar& c) {
    if (OnListBoxKeyPress) OnListBoxKeyPress(this, c);
  };
  resize(121, 97);
  UpdateItemHeight();
  UpdateLayout();
}

TspSkinListBox::~TspSkinListBox() {
  // The children go after this object; their hooks must not reach it.
  FListBox->PaintBackground = nullptr;
  FListBox->PaintItem = nullptr;
  FListBox->UserSelect = nullptr;
  FListBox->ScrollChanged = nullptr;
  FListBox->MouseDown = FListBox->MouseUp = FListBox->MouseMove = FListBox->DblClick = nullptr;
  FListBox->KeyDown = FListBox->KeyUp = nullptr;
  FListBox->KeyPress = nullptr;
  FVScrollBar->OnChange = nullptr;
  FHScrollBar->OnChange = nullptr;
}

void TspSkinListBox::SetItems(const QStringList& value) {
  FListBox->SetItems(value);
}

void TspSkinListBox::SetColumns(int value) {
  FListBox->SetColumns(value);
  UpdateLayout();
}

void TspSkinListBox::SetRowCount(int value) {
  FRowCount = std::max(value, 0);
  if (FRowCount > 0) resize(width(), HeightForRows(FRowCount));
}

int TspSkinListBox::HeightForRows(int rows) const {
  int overhead = height() - ListRect().height();
  if (FCaptionMode == TspListBoxCaptionMode::On) {
    const TspDataSkinListBox* rec = ListRecord();
    overhead +=
        rec && !rec->captionrect.IsEmpty() ? rec->captionrect.Height() : FDefaultCaptionHeight;
  }
  return overhead + std::max(rows, 1) * FListBox->ItemHeight();
}

void TspSkinListBox::SetTabWidths(const QList<int>& value) {
  FTabWidths = value;
  FListBox->update();
}

void TspSkinListBox::SetHorizontalExtent(int value) {
  FListBox->SetHorizontalExtent(value);
  UpdateLayout();
}

void TspSkinListBox::SetImages(TspImageList* value) {
  FImages = value;
  FListBox->update();
}

void TspSkinListBox::SetImageIndex(int value) {
  FImageIndex = value;
  FListBox->update();
}

void TspSkinListBox::SetUseSkinItemHeight(bool value) {
  if (value == FUseSkinItemHeight) return;
  FUseSkinItemHeight = value;
  UpdateItemHeight();
  FListBox->update();
}

void TspSkinListBox::SetDefaultItemHeight(int value) {
  FDefaultItemHeight = std::max(value, 1);
  UpdateItemHeight();
}

void TspSkinListBox::SetListBoxFont(const QFont& value) {
  FListBoxFont = value;
  FListBox->update();
}

void TspSkinListBox::DefaultFontChanged() {
  FListBoxFont = DefaultFont();
  FListBox->update();
}

void TspSkinListBox::SetAlignment(TspTextAlignment value) {
  FAlignment = value;
  FListBox->update();
}

void TspSkinListBox::SetCaption(const QString& value) {
  FCaption = value;
  update();
}

void TspSkinListBox::SetCaptionMode(TspListBoxCaptionMode value) {
  if (value == FCaptionMode) return;
  FCaptionMode = value;
  UpdateLayout();
  update();
}

void TspSkinListBox::SetDefaultCaptionHeight(int value) {
  FDefaultCaptionHeight = std::max(value, 0);
  UpdateLayout();
  update();
}

void TspSkinListBox::SetDefaultCaptionFont(const QFont& value) {
  FDefaultCaptionFont = value;
  update();
}

void TspSkinListBox::SetShowCaptionButtons(bool value) {
  FShowCaptionButtons = value;
  update();
}

void TspSkinListBox::SetGlyph(const QImage& value) {
  FGlyph = value;
  update();
}

void TspSkinListBox::SetNumGlyphs(int value) {
  FNumGlyphs = std::max(value, 1);
  update();
}

void TspSkinListBox::SetSpacing(int value) {
  FSpacing = value;
  update();
}

QFont TspSkinListBox::ItemFont() const {
  const TspDataSkinListBox* rec = ListRecord();
  if (!rec) return FListBoxFont;
  return ::SkinFont(UseSkinFont(), rec->fontname, rec->fontheight, rec->fontstyle, FListBoxFont);
}

void TspSkinListBox::UpdateItemHeight() {
  const TspDataSkinListBox* rec = ListRecord();
  const bool skin = rec && UsableItemRect(rec->itemrect, Binding().Picture(rec->pictureindex));
  const int h = FUseSkinItemHeight && skin ? rec->itemrect.Height() : FDefaultItemHeight;
  FListBox->SetItemHeight(h);
}

void TspSkinListBox::SetSkinData(TspSkinData* value) {
  FVScrollBar->SetSkinData(value);
  FHScrollBar->SetSkinData(value);
  TspSkinCustomControl::SetSkinData(value);
  // Without a skin to apply, the plain item height and layout come back.
  UpdateItemHeight();
  UpdateLayout();
}

void TspSkinListBox::ApplySkin() {
  TspSkinCustomControl::ApplySkin();
  const TspDataSkinListBox* rec = ListRecord();
  const auto name = [](const QString& value, const char* fallback) {
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
  };
  FVScrollBar->SetSkinDataName(name(rec ? rec->vscrollbarname : QString(), "vscrollbar"));
  const bool both = FHScrollBar->Both();
  FHScrollBar->SetBoth(false);
  FHScrollBar->SetSkinDataName(name(rec ? rec->hscrollbarname : QString(), "hscrollbar"));
  FHScrollBar->SetBothSkinDataName(
      name(rec ? rec->bothhscrollbarname : QString(), "bothhscrollbar"));
  FHScrollBar->SetBoth(both);
  FVScrollBar->SetSkinData(SkinData());
  FHScrollBar->SetSkinData(SkinData());
  UpdateItemHeight();
  if (FRowCount > 0) SetRowCount(FRowCount);
  UpdateLayout();
  FListBox->update();
}

void TspSkinListBox::DropSkinRecord() {
  TspSkinCustomControl::DropSkinRecord();
  // A list box in a pop-up window is not reached by the form's walk: its bars go with it.
  FVScrollBar->DropSkinRecord();
  FHScrollBar->DropSkinRecord();
}

QRect TspSkinListBox::ListRect() const {
  if (RecordIndex() != -1 && GeometryMode() != TspGeometryMode::None) {
    TspControlGeometry g = Geometry();
    ::FitSizeToSkin(g, size());
    return g.Fitted.ClientRect.ToQRect() & rect();
  }
  return rect().adjusted(2, 2, -2, -2);
}

void TspSkinListBox::UpdateLayout() {
  if (FInLayout) return;
  FInLayout = true;
  QRect client = ListRect();
  FCaptionRect = QRect();
  if (FCaptionMode == TspListBoxCaptionMode::On) {
    const TspDataSkinListBox* rec = ListRecord();
    const int ch =
        rec && !rec->captionrect.IsEmpty() ? rec->captionrect.Height() : FDefaultCaptionHeight;
    FCaptionRect =
        QRect(client.left(), client.top(), client.width(), std::min(ch, client.height()));
    client.setTop(FCaptionRect.bottom() + 1);
  }
  const int vw = FVScrollBar->RecordIndex() != -1 && FVScrollBar->SkinRect().Width() > 0
                     ? FVScrollBar->SkinRect().Width()
                     : 19;
  const int hh = FHScrollBar->RecordIndex() != -1 && FHScrollBar->SkinRect().Height() > 0
                     ? FHScrollBar->SkinRect().Height()
                     : 19;
  const int ih = FListBox->ItemHeight();
  const int count = FListBox->Count();
  const int extent = FListBox->HorizontalExtent();
  bool needV = false, needH = false;
  // Each bar takes room from the other's direction: settle in two rounds.
  for (int round = 0; round < 2; ++round) {
    const int listH = client.height() - (needH ? hh : 0);
    needV = FListBox->Columns() == 0 && count > std::max(1, listH / ih);
    const int listW = client.width() - (needV ? vw : 0);
    needH = FListBox->Columns() == 0 && extent > listW;
  }
  QRect list = client;
  if (needV) list.setRight(list.right() - vw);
  if (needH) list.setBottom(list.bottom() - hh);
  if (needV) {
    FVScrollBar->setGeometry(client.right() + 1 - vw, client.top(), vw, list.height());
  }
  if (needH) {
    FHScrollBar->SetBothMarkerWidth(vw);
    FHScrollBar->SetBoth(needV);
    FHScrollBar->setGeometry(client.left(), list.bottom() + 1, client.width(), hh);
  }
  FVScrollBar->setVisible(needV);
  FHScrollBar->setVisible(needH);
  FListBox->setGeometry(list.isValid() ? list : QRect());
  FInLayout = false;
  UpdateScrollBars();
}

void TspSkinListBox::UpdateScrollBars() {
  if (FVScrollBar->isVisibleTo(this)) {
    const int rows = FListBox->VisibleRows();
    FVScrollBar->SetScrollParams(0, FListBox->Count() - 1, rows, FListBox->TopIndex());
    FVScrollBar->SetLargeChange(std::max(1, rows));
  }
  if (FHScrollBar->isVisibleTo(this)) {
    const int page = std::max(1, FListBox->width());
    FHScrollBar->SetScrollParams(0, FListBox->HorizontalExtent() - 1, page,
                                 FListBox->HorizontalPosition());
    FHScrollBar->SetLargeChange(page);
    FHScrollBar->SetSmallChange(std::max(1, FListBox->ItemHeight()));
  }
}

void TspSkinListBox::ItemsClicked() {
  if (OnListBoxClick) OnListBoxClick(this);
}

void TspSkinListBox::PaintListBackground(QImage& image) {
  if (RecordIndex() != -1) {
    const QImage frame = StateImage(SkinRect());
    if (!frame.isNull() && frame.size() == size()) {
      CopyRows(image, -FListBox->pos(), frame);
      return;
    }
  }
  image.fill(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Base));
}

void TspSkinListBox::PaintListItem(QImage& image, int index, const QRect& r,
                                   TspOwnerDrawState state) {
  const TspDataSkinListBox* rec = ListRecord();
  const QImage* picture = rec ? Binding().Picture(rec->pictureindex) : nullptr;
  TspListItemFrame f;
  if (rec && UsableItemRect(rec->itemrect, picture)) {
    f = TspListItemPainter::DrawSkinItem(ImageCache(), image, r.topLeft(), r.size(), *picture,
                                         ItemLookOf(*rec), FUseSkinItemHeight, state);
    if (state.Disabled) f.TextColor = DisabledItemTextColor(f.TextColor, *picture, rec->itemrect);
  } else
    f = TspListItemPainter::DrawPlainItem(image, r.topLeft(), r.size(), palette(), state);
  QPainter p(&image);
  p.translate(r.topLeft());
  p.setClipRect(QRect(QPoint(0, 0), r.size()));
  p.setFont(ItemFont());
  p.setPen(f.TextColor);
  if (OnDrawItem) {
    OnDrawItem(this, p, index, state, f.TextRect, r.height(), r.width());
    return;
  }
  DrawItemContent(p, f.TextRect.translated(-FListBox->HorizontalPosition(), 0), r.height(), FImages,
                  FImageIndex < 0 ? index : FImageIndex, FListBox->Items()[index], FTabWidths,
                  FAlignment);
}

void TspSkinListBox::DrawSkinImage(QImage& image) {
  TspSkinCustomControl::DrawSkinImage(image);
  DrawCaption(image);
}

void TspSkinListBox::DrawDefaultImage(QImage& image) {
  const QPalette& pal = palette();
  image.fill(pal.color(QPalette::Base));
  QPainter p(&image);
  p.setPen(pal.color(QPalette::Dark));
  p.drawRect(0, 0, width() - 1, height() - 1);
  p.setPen(pal.color(QPalette::Button));
  p.drawRect(1, 1, width() - 3, height() - 3);
  p.end();
  DrawCaption(image);
}

QRect TspSkinListBox::CaptionButtonRect(int button) const {
  const int s = std::max(0, FCaptionRect.height() - 4);
  const int right = FCaptionRect.right() - 1 - (kCaptionButtons - 1 - button) * (s + 1);
  return QRect(right - s + 1, FCaptionRect.top() + 2, s, s);
}

int TspSkinListBox::CaptionButtonAt(QPoint pos) const {
  if (!FShowCaptionButtons || FCaptionRect.isEmpty()) return -1;
  for (int b = 0; b < kCaptionButtons; ++b)
    if (CaptionButtonRect(b).contains(pos)) return b;
  return -1;
}

void TspSkinListBox::DrawCaption(QImage& image) {
  if (FCaptionRect.isEmpty()) return;
  const TspDataSkinListBox* rec = ListRecord();
  const QImage* picture = rec ? Binding().Picture(rec->pictureindex) : nullptr;
  QPainter p(&image);
  bool drawn = false;
  if (rec && picture && !rec->captionrect.IsEmpty()) {
    const QImage band = ImageCache().Piece(*picture, rec->captionrect, FCaptionRect.size());
    if (!band.isNull()) {
      p.drawImage(FCaptionRect.topLeft(), band);
      drawn = true;
    }
  }
  if (!drawn) {
    p.fillRect(FCaptionRect, palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(FCaptionRect.bottomLeft(), FCaptionRect.bottomRight());
  }
  QRect text = FCaptionRect.adjusted(FSpacing, 0, -FSpacing, 0);
  if (!FGlyph.isNull()) {
    const int gw = FGlyph.width() / FNumGlyphs;
    const int n = isEnabled() || FNumGlyphs < 2 ? 1 : 2;
    DrawGlyphFromStrip(p, text.left(), text.top() + (text.height() - FGlyph.height()) / 2, n,
                       FNumGlyphs, FGlyph);
    text.setLeft(text.left() + gw + FSpacing);
  }
  if (FShowCaptionButtons) {
    text.setRight(CaptionButtonRect(0).left() - FSpacing);
    const QColor glyph = palette().color(QPalette::ButtonText);
    for (int b = 0; b < kCaptionButtons; ++b) {
      const QRect br = CaptionButtonRect(b);
      const bool down = b == FPressedCaptionButton;
      p.fillRect(br, SkinColor(down ? kPlainDownFill : kPlainHotFill));
      p.setPen(SkinColor(kPlainFrame));
      p.drawRect(br.adjusted(0, 0, -1, -1));
      if (b < 2) {
        DrawArrow(p, TspRect::FromQRect(br), QColorToColor(glyph), b == 0 ? 3 : 4);
      } else {
        p.setPen(QPen(glyph, 1.5));
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF c = QRectF(br).center();
        p.drawPolyline(
            QPolygonF{{c.x() - 3, c.y()}, {c.x() - 1, c.y() + 2}, {c.x() + 3, c.y() - 2}});
        p.setRenderHint(QPainter::Antialiasing, false);
      }
    }
  }
  QFont font = FDefaultCaptionFont;
  QColor colour = palette().color(QPalette::ButtonText);
  if (rec && UseSkinFont()) {
    font = ::SkinFont(true, rec->captionfontname, rec->captionfontheight, rec->captionfontstyle,
                      FDefaultCaptionFont);
    colour = SkinColor(rec->captionfontcolor);
  }
  p.setFont(font);
  p.setPen(colour);
  p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
             p.fontMetrics().elidedText(FCaption, Qt::ElideRight, std::max(0, text.width())));
}

void TspSkinListBox::resizeEvent(QResizeEvent* e) {
  TspSkinCustomControl::resizeEvent(e);
  UpdateLayout();
}

void TspSkinListBox::changeEvent(QEvent* e) {
  TspSkinCustomControl::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) {
    update();
    FListBox->update();
  }
}

void TspSkinListBox::mousePressEvent(QMouseEvent* e) {
  FPressedCaptionButton =
      e->button() == Qt::LeftButton ? CaptionButtonAt(e->position().toPoint()) : -1;
  if (FPressedCaptionButton >= 0) update();
  TspSkinCustomControl::mousePressEvent(e);
}

void TspSkinListBox::mouseReleaseEvent(QMouseEvent* e) {
  const int pressed = FPressedCaptionButton;
  FPressedCaptionButton = -1;
  if (pressed < 0 || e->button() != Qt::LeftButton) {
    TspSkinCustomControl::mouseReleaseEvent(e);
    return;
  }
  update();
  if (CaptionButtonAt(e->position().toPoint()) != pressed) return;
  const int count = FListBox->Count();
  switch (pressed) {
  case 0:
    if (OnUpButtonClick) {
      OnUpButtonClick(this);
    } else if (count > 0 && ItemIndex() != 0) {
      SetItemIndex(ItemIndex() < 0 ? 0 : ItemIndex() - 1);
      ItemsClicked();
    }
    break;
  case 1:
    if (OnDownButtonClick) {
      OnDownButtonClick(this);
    } else if (count > 0 && ItemIndex() < count - 1) {
      SetItemIndex(ItemIndex() + 1);
      ItemsClicked();
    }
    break;
  default:
    if (OnCheckButtonClick) OnCheckButtonClick(this);
    break;
  }
}
