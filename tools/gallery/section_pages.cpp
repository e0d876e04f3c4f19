// Page controls: tabs on top with a hidden page and a hovered tab, controls on a page's
// background, and tabs at the bottom.
#include "gallery_context.h"
#include "skin/controls/button.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/spin_edit.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace {
TspSkinTabSheet* AddPage(TspSkinPageControl* pages, const QString& caption) {
  auto* page = new TspSkinTabSheet(pages);
  page->SetCaption(caption);
  return page;
}

// The form the Add Animal page shows, on a page's background.
void FillAnimalPage(TGalleryContext& c, QWidget* page) {
  StdLabel(c, page, Tr("Name"), {12, 12, 70, 21}, TspTextLayout::tlCenter);
  Bind(c, new TspSkinEdit(page), {90, 12, 160, 21})->SetText(Tr("Pebble"));
  StdLabel(c, page, Tr("Kind"), {12, 40, 70, 21}, TspTextLayout::tlCenter);
  Bind(c, new TspSkinEdit(page), {90, 40, 160, 21})->SetText(Tr("Vorn"));
  StdLabel(c, page, Tr("Weight (g)"), {12, 68, 76, 21}, TspTextLayout::tlCenter);
  auto* weight = Bind(c, new TspSkinSpinEdit(page), {90, 68, 90, 21});
  weight->SetMinValue(1);
  weight->SetMaxValue(2000);
  weight->SetIncrement(25);
  weight->SetValue(350);
  auto* save = new TspSkinButton(page);
  save->SetCaption(Tr("Save"));
  Bind(c, save, {90, 104, 80, 25});
  SetGalleryGlyph(c, save, TGalleryGlyph::Check);
  auto* remove = new TspSkinButton(page);
  remove->SetCaption(Tr("Delete"));
  remove->setEnabled(false);
  Bind(c, remove, {178, 104, 72, 25});
}
} // namespace

void BuildPageSection(TGalleryContext& c, QWidget* section) {
  const int width = section->width() - 16;
  auto* pages = Bind(c, new TspSkinPageControl(section), {8, kSectionTop + 2, width, 196});
  FillAnimalPage(c, AddPage(pages, Tr("Add animal")));
  StdLabel(c, AddPage(pages, Tr("Adopt")), Tr("The adoption page."), {12, 12, 200, 17},
           TspTextLayout::tlCenter);
  auto* hidden = AddPage(pages, Tr("Hidden"));
  hidden->SetTabVisible(false);
  StdLabel(c, AddPage(pages, Tr("Notes")), Tr("Hover shows on this tab."), {12, 12, 200, 17},
           TspTextLayout::tlCenter);
  StdLabel(c, AddPage(pages, Tr("Admin")), Tr("Administration."), {12, 12, 200, 17},
           TspTextLayout::tlCenter);
  pages->SetActivePage(pages->Pages(0));
  // The "Notes" tab (visible index 2: the hidden page has no tab) looks hovered.
  c.AfterSkinChange.push_back([pages] {
    const QRect tab = pages->TabRect(2);
    if (tab.isEmpty()) return;
    const QPointF at = QRectF(tab).center();
    QMouseEvent move(QEvent::MouseMove, at, pages->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(pages, &move);
  });

  auto* bottom = Bind(c, new TspSkinPageControl(section),
                      {8, kSectionTop + 206, width, section->height() - kSectionTop - 214});
  bottom->SetTabPosition(TspTabPosition::tpBottom);
  auto* console = AddPage(bottom, Tr("Console"));
  StdLabel(c, console, Tr("Tabs at the bottom are the top tabs flipped."), {12, 10, 320, 17},
           TspTextLayout::tlCenter);
  AddPage(bottom, Tr("Log"));
  AddPage(bottom, Tr("Export"));
  bottom->SetActivePage(console);
}
