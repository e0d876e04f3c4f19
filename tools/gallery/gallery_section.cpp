#include "gallery_context.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"

#include <QApplication>
#include <QEnterEvent>

namespace {
// Headings in a muted text colour that still reads at 4.5:1 on the page background.
const QColor kMutedText(0x5F, 0x68, 0x78);
} // namespace

QString Tr(const char* text) {
  return QCoreApplication::translate("Gallery", text);
}

TspSkinStdLabel* StdLabel(TGalleryContext& c, QWidget* parent, const QString& text, const QRect& r,
                          TspTextLayout layout) {
  auto* label = new TspSkinStdLabel(parent);
  label->SetAutoSize(false);
  label->SetCaption(text);
  label->SetLayout(layout);
  return Bind(c, label, r);
}

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
  return StdLabel(c, section, text, {8, y, 66, 25}, TspTextLayout::tlCenter);
}

TspSkinStdLabel* AddColumnLabel(TGalleryContext& c, QWidget* section, const QString& text,
                                const QRect& rect) {
  auto* label = StdLabel(c, section, text, rect);
  label->SetUseSkinColor(false);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, kMutedText);
  label->setPalette(palette);
  return label;
}
