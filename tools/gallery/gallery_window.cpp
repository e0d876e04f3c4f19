#include "gallery_window.h"

#include "skin/frame/vestimar.h"

#include "gallery_skins.h"
#include "skin/controls/button.h"
#include "skin/controls/label.h"
#include "skin/data/skin_data.h"
#include "skin/frame/hint.h"

#include <QApplication>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>

namespace {
// Left column with the skin list, then two columns of sections.
constexpr int kMargin = 8;
constexpr int kSideWidth = 172;
constexpr int kColumnA = kSideWidth + kMargin;
constexpr int kColumnAWidth = 384;
constexpr int kColumnB = kColumnA + kColumnAWidth + kMargin;
constexpr int kColumnBWidth = TGalleryWindow::kWidth - kColumnB - kMargin;
constexpr int kRow1 = kMargin;
constexpr int kRow1Height = 300;
constexpr int kRow2 = kRow1 + kRow1Height + kMargin;
constexpr int kRow2Height = TGalleryWindow::kHeight - kRow2 - kMargin;
// The sheet switch in the side bar, below the skin's description.
constexpr int kSheetTop = kMargin + 270;
} // namespace

TGalleryWindow::TGalleryWindow(QWidget* parent) : QWidget(parent) {
  setWindowTitle(tr("Skinned controls gallery"));

  FSkins = new TGallerySkins(this);
  FContext.SkinData = FSkins->SkinData();
  // Every tool tip of the gallery shows in the skinned hint window.
  auto* hint = new TspSkinHint(this);
  hint->SetSkinData(FContext.SkinData);

  auto* listCaption = new TspSkinStdLabel(this);
  listCaption->SetCaption(tr("Skin"));
  listCaption->setGeometry(kMargin + 2, kMargin + 2, kSideWidth - 8, 17);
  listCaption->SetSkinData(FContext.SkinData);
  FSkinList = new QListWidget(this);
  FSkinList->setGeometry(kMargin, kMargin + 20, kSideWidth - kMargin, 118);
  connect(FSkinList, &QListWidget::currentRowChanged, this, [this](int row) { SelectSkin(row); });

  auto* open = new TspSkinButton(this);
  open->SetCaption(tr("Open skin..."));
  open->setGeometry(kMargin, kMargin + 146, kSideWidth - kMargin, 25);
  open->SetSkinData(FContext.SkinData);
  open->OnClick = [this](QObject*) { OpenPackage(); };
  open->setToolTip(tr("Loads a skin package@from a file"));
  open->SetHintTitle(tr("Open skin"));

  FSkinInfo = new TspSkinTextLabel(this);
  FSkinInfo->SetAutoSize(false);
  FSkinInfo->SetWordWrap(true);
  FSkinInfo->setGeometry(kMargin + 2, kMargin + 180, kSideWidth - 8, 80);
  FSkinInfo->SetSkinData(FContext.SkinData);

  auto* sheetCaption = new TspSkinStdLabel(this);
  sheetCaption->SetCaption(tr("Controls"));
  sheetCaption->setGeometry(kMargin + 2, kSheetTop, kSideWidth - 8, 17);
  sheetCaption->SetSkinData(FContext.SkinData);
  const QString sheetTitles[kSheetCount] = {tr("Buttons, edits, pages"), tr("Lists, checks, bars"),
                                            tr("Calendar, menu, grid")};
  for (int sheet = 0; sheet < kSheetCount; ++sheet) {
    FSheets[sheet] = new QWidget(this);
    FSheets[sheet]->setGeometry(kColumnA, 0, kWidth - kColumnA, kHeight);
    auto* button = new TspSkinButton(this);
    button->SetCaption(sheetTitles[sheet]);
    button->setGeometry(kMargin, kSheetTop + 20 + sheet * 29, kSideWidth - kMargin, 25);
    button->SetGroupIndex(1);
    button->SetSkinData(FContext.SkinData);
    button->OnClick = [this, sheet](QObject*) { ShowSheet(sheet); };
    FSheetButtons[sheet] = button;
  }

  // Sheet one: the controls of the first part.
  constexpr int b = kColumnB - kColumnA;
  QWidget* one = FSheets[0];
  BuildButtonSection(
      FContext, MakeSection(FContext, one, tr("Buttons"), {0, kRow1, kColumnAWidth, kRow1Height}));
  BuildEditSection(FContext,
                   MakeSection(FContext, one, tr("Edits"), {b, kRow1, kColumnBWidth, kRow1Height}));
  BuildLabelSection(FContext, MakeSection(FContext, one, tr("Panels and labels"),
                                          {0, kRow2, kColumnAWidth, kRow2Height}));
  BuildPageSection(FContext, MakeSection(FContext, one, tr("Page control"),
                                         {b, kRow2, kColumnBWidth, kRow2Height}));

  // Sheet two: lists, checks, bars, the rich edit and the scroll box.
  QWidget* two = FSheets[1];
  constexpr int barsHeight = 140;
  constexpr int statusTop = kRow1 + barsHeight + kMargin;
  BuildListSection(FContext, MakeSection(FContext, two, tr("Lists and combo boxes"),
                                         {0, kRow1, kColumnAWidth, kRow1Height}));
  BuildCheckSection(FContext, MakeSection(FContext, two, tr("Check boxes and radio groups"),
                                          {0, kRow2, kColumnAWidth, kRow2Height}));
  BuildScrollBarSection(FContext, MakeSection(FContext, two, tr("Scroll bars"),
                                              {b, kRow1, kColumnBWidth, barsHeight}));
  BuildStatusSection(FContext,
                     MakeSection(FContext, two, tr("Status bar and gauges"),
                                 {b, statusTop, kColumnBWidth, kRow2 - kMargin - statusTop}));
  BuildRichSection(FContext, MakeSection(FContext, two, tr("Rich edit and scroll box"),
                                         {b, kRow2, kColumnBWidth, kRow2Height}));

  // Sheet three: the month calendar and the date edit's calendar.
  BuildCalendarSection(
      FContext, MakeSection(FContext, FSheets[2], tr("Month calendar"),
                            {0, kRow1, kColumnAWidth + kMargin + kColumnBWidth, kRow1Height}));
  BuildMenuSection(FContext, MakeSection(FContext, FSheets[2], tr("Popup menu"),
                                         {0, kRow2, kColumnAWidth, kRow2Height}));
  BuildGridSection(FContext,
                   MakeSection(FContext, FSheets[2], tr("Data grid"),
                               {kColumnAWidth + kMargin, kRow2, kColumnBWidth, kRow2Height}));
  ShowSheet(0);

  // The skinned frame; the controls move onto its client area, which keeps the layout's
  // size. Skin messages reach every control through it.
  FFrame = new TspVestimar(this);
  FFrame->SetDisableSystemMenu(true);
  FFrame->SetBorderIcons(TspBorderIcon::biSystemMenu | TspBorderIcon::biMinimize);
  FFrame->SetSizeable(false);
  FFrame->SetSkinData(FContext.SkinData);
  // One size for every skin (the frames of the built-in skins; the plain frame leaves a
  // little more client area), so that no skin change resizes the window.
  const QSize size = FFrame->FormSizeForClient(QSize(kWidth, kHeight));
  FFrame->SetMinWidth(size.width());
  FFrame->SetMinHeight(size.height());
  setFixedSize(size);

  FSkins->OnChanged = [this](int choice) { SkinChanged(choice); };
  FillSkinList();
  SkinChanged(FSkins->Current());
}

TGalleryWindow::~TGalleryWindow() {
  FSkins->OnChanged = nullptr;
}

void TGalleryWindow::FillSkinList() {
  const QSignalBlocker block(FSkinList);
  FSkinList->clear();
  FSkinList->addItems(FSkins->Choices());
  FSkinList->setCurrentRow(FSkins->Current());
}

void TGalleryWindow::SelectSkin(int choice) {
  if (choice != FSkins->Current()) FSkins->Select(choice);
}

void TGalleryWindow::SkinChanged(int choice) {
  if (FSkinList->count() != FSkins->Choices().size()) FillSkinList();
  {
    const QSignalBlocker block(FSkinList);
    FSkinList->setCurrentRow(choice);
  }
  const TspSkinData* skin = FSkins->SkinData();
  QStringList lines;
  if (!skin || skin->IsEmpty()) {
    lines << tr("No skin: every control") << tr("paints its plain look.");
  } else {
    lines << (skin->SkinName.isEmpty() ? FSkins->Choices().value(choice) : skin->SkinName)
          << tr("by %1").arg(skin->SkinAuthor.isEmpty() ? tr("(unknown)") : skin->SkinAuthor)
          << tr("%1 control records").arg(skin->ControlList.size());
  }
  FSkinInfo->SetLines(lines);
  // The window's own background: the skin's face colour (the system's without a skin).
  QPalette colors = palette();
  colors.setColor(QPalette::Window, skin && !skin->IsEmpty()
                                        ? ColorToQColor(skin->SkinColors.cbtnface)
                                        : QGuiApplication::palette().color(QPalette::Window));
  setPalette(colors);
  // The skin list has no record of its own yet: it takes the skin's window colours.
  if (skin && !skin->IsEmpty()) {
    QPalette list = colors;
    const TspSkinColors& sc = skin->SkinColors;
    list.setColor(QPalette::Base, ColorToQColor(sc.cwindow));
    list.setColor(QPalette::Text, ColorToQColor(sc.cwindowtext));
    list.setColor(QPalette::Highlight, ColorToQColor(sc.chighlight));
    list.setColor(QPalette::HighlightedText, ColorToQColor(sc.chighlighttext));
    FSkinList->setPalette(list);
  } else {
    FSkinList->setPalette(colors);
  }
  // The focus stays where the user left it (in the list, while choosing skins).
  for (const auto& refresh : FContext.AfterSkinChange) refresh();
}

void TGalleryWindow::ShowSheet(int sheet) {
  if (sheet < 0 || sheet >= kSheetCount) return;
  FSheet = sheet;
  for (int i = 0; i < kSheetCount; ++i) FSheets[i]->setVisible(i == sheet);
  FSheetButtons[sheet]->SetDown(true);
}

void TGalleryWindow::RestoreForcedStates() {
  for (const auto& refresh : FContext.AfterSkinChange) refresh();
  // The focus picture of sheet one; the sheets after it place their own focus when shown.
  if (FContext.FocusTarget && FContext.FocusTarget->isVisible())
    FContext.FocusTarget->setFocus(Qt::OtherFocusReason);
}

void TGalleryWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!FShownOnce && FContext.FocusTarget) FContext.FocusTarget->setFocus(Qt::OtherFocusReason);
  FShownOnce = true;
}

void TGalleryWindow::OpenPackage() {
  const QString path = QFileDialog::getOpenFileName(this, tr("Open skin package"), QString(),
                                                    tr("Skin packages (*.skn);;All files (*)"));
  if (!path.isEmpty()) OpenPackageFile(path);
}

bool TGalleryWindow::OpenPackageFile(const QString& path) {
  QString error;
  if (FSkins->OpenPackageFile(path, &error)) return true;
  QMessageBox::warning(this, tr("Open skin package"), error);
  return false;
}
