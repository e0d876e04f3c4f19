#include "app/error_banner.h"

#include "app/app_fonts.h"
#include "app/console_page.h"
#include "app/form_builder.h"
#include "app/main_form.h"
#include "app/web_host.h"
#include "skin/controls/button.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"

#include <QCursor>

namespace {
constexpr int kButtonWidth = 49;
constexpr int kDetailsLeft = 232;
// The details end where the "?" button begins.
constexpr int kDetailsRightGap = TErrorBanner::kWidth - 875;
// One step of a slide; the slide's length decides the number of steps.
constexpr int kSlideStepMs = 10;

TspSkinButton* BannerButton(QWidget* parent, const char* name, const QString& caption, int x,
                            const QColor& color, TspSkinData* skin) {
  auto* button = new TspSkinButton(parent);
  button->SetUseSkinSize(false);
  button->SetTransparent(true);
  button->SetUseSkinFont(false);
  button->SetDefaultFont(AppFont(kSegoeUI, 32, true));
  button->SetUseSkinFontColor(false);
  button->SetDefaultFontColor(QColorToColor(color));
  // A click on the banner leaves the focus where the failed action put it.
  button->SetCanFocused(false);
  button->SetCaption(caption);
  return PlaceControl(button, name, {x, 0, kButtonWidth, TErrorBanner::kHeight}, skin);
}
} // namespace

TErrorBanner::TErrorBanner(TfrmMain& form, QWidget* client) : FForm(form) {
  TspSkinData* skin = form.spSkinForm;
  pnlErrorMain = NewControl<TspSkinPanel>(client, "pnlErrorMain", {-1, 0, kWidth, kHeight}, skin);
  QWidget* panel = pnlErrorMain;
  lblErrorERR = NewLabel(panel, "lblErrorERR", {0, -5, 161, 57}, skin, QStringLiteral("ERROR"),
                         AppFont(kSegoeUI, 47, true));
  lblErrorCode =
      NewLabel(panel, "lblErrorCode", {160, -5, 73, 57}, skin, {}, AppFont(kSegoeUILight, 47));
  lblErrorHeader = NewLabel(panel, "lblErrorHeader", {kDetailsLeft, 0, 393, 25}, skin, {},
                            AppFont(kSegoeUI, 16, true));
  lblErrorDetails = NewLabel(panel, "lblErrorDetails", {kDetailsLeft, 17, 643, 40}, skin, {},
                             AppFont(kSegoeUI, 13));
  lblErrorDetails->SetWordWrap(true);
  btnErrorQuestion = BannerButton(panel, "btnErrorQuestion", QStringLiteral("?"),
                                  kWidth - 2 * kButtonWidth + 1, QColor(109, 111, 150), skin);
  btnErrorClose = BannerButton(panel, "btnErrorClose", QStringLiteral("X"), kWidth - kButtonWidth,
                               QColor(140, 77, 79), skin);
  btnErrorQuestion->OnClick = [this](QObject*) { btnErrorQuestionClick(); };
  btnErrorClose->OnClick = [this](QObject*) { btnErrorCloseClick(); };

  FSlideTimer.setInterval(kSlideStepMs);
  QObject::connect(&FSlideTimer, &QTimer::timeout, pnlErrorMain, [this] { SlideStep(); });
  PlaceHidden();
}

void TErrorBanner::PlaceHidden() {
  FSlideTimer.stop();
  pnlErrorMain->move(pnlErrorMain->x(), 0);
  pnlErrorMain->hide();
}

void TErrorBanner::FitToWidth(int clientWidth) {
  const int w = clientWidth + 2;
  pnlErrorMain->resize(w, kHeight);
  lblErrorDetails->resize(std::max(w - kDetailsLeft - kDetailsRightGap, 0),
                          lblErrorDetails->height());
  btnErrorQuestion->move(w - 2 * kButtonWidth + 1, 0);
  btnErrorClose->move(w - kButtonWidth, 0);
}

bool TErrorBanner::Shown() const {
  return pnlErrorMain->isVisibleTo(pnlErrorMain->parentWidget());
}

void TErrorBanner::ShowError(const QString& title, int code, const QString& details) {
  lblErrorCode->SetCaption(QString::number(code));
  lblErrorHeader->SetCaption(title);
  lblErrorDetails->SetCaption(details);
  FForm.ConsolePage().LogError(title, code, details);
  SlideIn();
  // A second error keeps the running schedule.
  if (!FForm.tmrErrorMSG->isActive()) FForm.tmrErrorMSG->start();
}

void TErrorBanner::tmrErrorMSGTimer() {
  // The banner's rectangle on the screen, right and bottom edges excluded.
  const QRect onScreen(pnlErrorMain->mapToGlobal(QPoint(0, 0)), pnlErrorMain->size());
  if (Shown() && onScreen.contains(QCursor::pos())) return;
  SlideOut();
  FForm.tmrErrorMSG->stop();
}

void TErrorBanner::btnErrorCloseClick() {
  SlideOut();
}

void TErrorBanner::btnErrorQuestionClick() {
  FForm.OpenUrl(DocumentationUrl(lblErrorCode->Caption()));
}

void TErrorBanner::SlideIn() {
  if (Shown() && !(Sliding() && !FSlidingIn)) return;
  if (!Shown()) pnlErrorMain->move(pnlErrorMain->x(), -kHeight);
  pnlErrorMain->raise();
  pnlErrorMain->show();
  StartSlide(true);
}

void TErrorBanner::SlideOut() {
  if (!Shown() || (Sliding() && !FSlidingIn)) return;
  StartSlide(false);
}

void TErrorBanner::StartSlide(bool in) {
  FSlidingIn = in;
  FSlideFrom = pnlErrorMain->y();
  FSlideDuration = std::max(FForm.ErrorAnimationMs, 0);
  FSlideClock.start();
  SlideStep();
  if (FSlideClock.elapsed() < FSlideDuration) FSlideTimer.start();
}

void TErrorBanner::SlideStep() {
  const int target = FSlidingIn ? 0 : -kHeight;
  const qint64 elapsed = FSlideClock.elapsed();
  if (FSlideDuration <= 0 || elapsed >= FSlideDuration) {
    FSlideTimer.stop();
    pnlErrorMain->move(pnlErrorMain->x(), target);
    if (!FSlidingIn) {
      pnlErrorMain->hide();
      pnlErrorMain->move(pnlErrorMain->x(), 0);
    }
    return;
  }
  const int y = FSlideFrom + int((target - FSlideFrom) * elapsed / FSlideDuration);
  pnlErrorMain->move(pnlErrorMain->x(), y);
}
