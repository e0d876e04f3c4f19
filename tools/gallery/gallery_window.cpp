#include "gallery_window.h"

#include "gallery_skins.h"
#include "skin/controls/skin_tree.h"
#include "skin/data/skin_data.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

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
} // namespace

QWidget* MakeSection(TGalleryContext&, QWidget* parent, const QString& title, const QRect& rect) {
  auto* frame = new QFrame(parent);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setGeometry(rect);
  auto* caption = new QLabel(title, frame);
  caption->setGeometry(8, 2, rect.width() - 16, 18);
  auto* client = new QWidget(frame);
  client->setGeometry(1, 20, rect.width() - 2, rect.height() - 21);
  return client;
}

void ForceHover(QWidget* control) {
  const QPointF inside(control->width() / 2.0, control->height() / 2.0);
  QEnterEvent enter(inside, inside, control->mapToGlobal(inside));
  QApplication::sendEvent(control, &enter);
}

TGalleryWindow::TGalleryWindow(QWidget* parent) : QWidget(parent) {
  setWindowTitle(tr("Skinned controls gallery"));
  setFixedSize(kWidth, kHeight);
  // Skin messages reach every control of the window through the hook.
  new TspSkinnedFormHook(this);

  FSkins = new TGallerySkins(this);
  FContext.SkinData = FSkins->SkinData();

  auto* listCaption = new QLabel(tr("Skin"), this);
  listCaption->setGeometry(kMargin + 4, kMargin, kSideWidth - 8, 18);
  FSkinList = new QListWidget(this);
  FSkinList->setGeometry(kMargin, kMargin + 20, kSideWidth - kMargin, 118);
  connect(FSkinList, &QListWidget::currentRowChanged, this, [this](int row) { SelectSkin(row); });

  auto* open = new QPushButton(tr("Open skin..."), this);
  open->setGeometry(kMargin, kMargin + 146, kSideWidth - kMargin, 25);
  connect(open, &QPushButton::clicked, this, &TGalleryWindow::OpenPackage);

  auto* info = new QLabel(this);
  info->setWordWrap(true);
  info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  info->setGeometry(kMargin + 4, kMargin + 180, kSideWidth - 12, 80);
  FSkinInfo = info;

  BuildButtonSection(FContext, MakeSection(FContext, this, tr("Buttons"),
                                           {kColumnA, kRow1, kColumnAWidth, kRow1Height}));
  BuildEditSection(FContext, MakeSection(FContext, this, tr("Edits"),
                                         {kColumnB, kRow1, kColumnBWidth, kRow1Height}));
  BuildLabelSection(FContext, MakeSection(FContext, this, tr("Panels and labels"),
                                          {kColumnA, kRow2, kColumnAWidth, kRow2Height}));
  BuildPageSection(FContext, MakeSection(FContext, this, tr("Page control"),
                                         {kColumnB, kRow2, kColumnBWidth, kRow2Height}));

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
  QString text;
  if (!skin || skin->IsEmpty())
    text = tr("No skin: every control paints its plain look.");
  else
    text = tr("%1\nby %2\n%3 control records")
               .arg(skin->SkinName.isEmpty() ? FSkins->Choices().value(choice) : skin->SkinName,
                    skin->SkinAuthor.isEmpty() ? tr("(unknown)") : skin->SkinAuthor)
               .arg(skin->ControlList.size());
  static_cast<QLabel*>(FSkinInfo)->setText(text);
  RestoreForcedStates();
}

void TGalleryWindow::RestoreForcedStates() {
  for (const auto& force : FContext.ForcedStates) force();
  if (FContext.FocusTarget && isVisible()) FContext.FocusTarget->setFocus(Qt::OtherFocusReason);
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
