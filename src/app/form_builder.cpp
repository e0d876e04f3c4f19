#include "app/form_builder.h"

#include "app/app_fonts.h"
#include "skin/controls/label.h"

#include <QEvent>
#include <QPointer>

TspSkinStdLabel* AddPageHeader(QWidget* sheet, const char* formName, const QString& caption,
                               TspSkinData* skin) {
  auto* header = new TspSkinStdLabel(sheet);
  header->SetUseSkinFont(false);
  header->setFont(AppFont(kSegoeUILight, 27));
  header->SetAutoSize(false);
  header->SetCaption(caption);
  return PlaceControl(header, formName, {12, 4, 400, 40}, skin);
}

namespace {
// Runs its function when the watched widget resizes; owned by that widget.
class TResizeWatcher : public QObject {
public:
  TResizeWatcher(QWidget* widget, std::function<void()> layout)
      : QObject(widget), FLayout(std::move(layout)) {
    widget->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::Resize) FLayout();
    return false;
  }

private:
  std::function<void()> FLayout;
};
} // namespace

void WhenResized(QWidget* widget, std::function<void()> layout) {
  layout();
  new TResizeWatcher(widget, std::move(layout));
}

void KeepCentred(QWidget* child) {
  QWidget* parent = child->parentWidget();
  if (!parent) return;
  WhenResized(parent, [child = QPointer<QWidget>(child), parent] {
    if (child)
      child->move((parent->width() - child->width()) / 2, (parent->height() - child->height()) / 2);
  });
}
