#include "gallery_context.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"

#include <QApplication>
#include <QEnterEvent>

namespace {
// Headings in a muted text colour that still reads at 4.5:1 on the page background.
const QColor kMutedText(0x5F, 0x68, 0x78);
} // namespace

QWidget* MakeSection(TGalleryContext& c, QWidget* parent, const QString& title, const QRect& rect) {
  auto* box = new TspSkinGroupBox(parent);
  box->SetCaption(title);
  box->setGeometry(rect);
  box->SetSkinData(c.SkinData);
  return box;
}

void ForceHover(QWidget* control) {
  const QPointF inside(control->width() / 2.0, control->height() / 2.0);
  QEnterEvent enter(inside, inside, control->mapToGlobal(inside));
  QApplication::sendEvent(control, &enter);
}

TspSkinStdLabel* AddRowLabel(TGalleryContext& c, QWidget* section, const QString& text, int y) {
  auto* label = new TspSkinStdLabel(section);
  label->SetAutoSize(false);
  label->SetCaption(text);
  label->setGeometry(8, y, 66, 25);
  label->SetLayout(TspTextLayout::tlCenter);
  label->SetSkinData(c.SkinData);
  return label;
}

TspSkinStdLabel* AddColumnLabel(TGalleryContext& c, QWidget* section, const QString& text,
                                const QRect& rect) {
  auto* label = new TspSkinStdLabel(section);
  label->SetAutoSize(false);
  label->SetCaption(text);
  label->setGeometry(rect);
  label->SetUseSkinColor(false);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, kMutedText);
  label->setPalette(palette);
  label->SetSkinData(c.SkinData);
  return label;
}
