#include "app/processing_overlay.h"

#include "app/main_form.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"

#include <QEvent>
#include <QTimer>

namespace {
// The overlay keeps 100 pixels to the client's left and right edges.
constexpr int kSideMargin = 100;
constexpr int kHeight = 200;

// Anchors a widget to the left, top and right of its parent: left and top stay, the
// distance to the right edge too, so the width follows the parent's. Owned by the widget.
class TAnchorSides : public QObject {
public:
  explicit TAnchorSides(QWidget* widget)
      : QObject(widget), FWidget(widget),
        FRight(widget->parentWidget()->width() - widget->x() - widget->width()) {
    widget->parentWidget()->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize && watched == FWidget->parentWidget())
      FWidget->resize(std::max(FWidget->parentWidget()->width() - FWidget->x() - FRight, 0),
                      FWidget->height());
    return false;
  }

private:
  QWidget* FWidget;
  int FRight;
};
} // namespace

TProcessingOverlay::TProcessingOverlay(TfrmMain& form) : FForm(form) {
  QObject::connect(form.tmrDynamic, &QTimer::timeout, form.Client(), [this] { tmrDynamicTimer(); });
}

void TProcessingOverlay::Show() {
  delete FForm.ProcessingPanel.data();
  QWidget* client = FForm.Client();
  auto* panel = new TspSkinPanel(client);
  panel->setObjectName(QStringLiteral("ProcessingPanel"));
  panel->SetSkinData(FForm.spSkinForm);
  panel->setGeometry(kSideMargin, client->height() / 2 - kHeight / 2,
                     client->width() - 2 * kSideMargin, kHeight);
  new TAnchorSides(panel);
  // Neither the caption nor the skin sizes the label: it covers the whole panel.
  auto* label = new TspSkinLabel(panel);
  label->setObjectName(QStringLiteral("lblProcessing"));
  label->SetUseSkinSize(false);
  label->SetAutoSize(false);
  label->SetAlignment(TspAlignment::taCenter);
  label->SetCaption(QStringLiteral("Processing..."));
  label->SetSkinData(FForm.spSkinForm);
  label->setGeometry(panel->rect());
  new TAnchorSides(label);
  panel->raise();
  panel->show();
  FForm.ProcessingPanel = panel;
  FForm.tmrDynamic->start();
}

void TProcessingOverlay::tmrDynamicTimer() {
  delete FForm.ProcessingPanel.data();
  FForm.tmrDynamic->stop();
}
