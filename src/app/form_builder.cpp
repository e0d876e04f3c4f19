#include "app/form_builder.h"

#include "app/app_fonts.h"
#include "skin/controls/label.h"

#include <QEvent>
#include <QPointer>

TspSkinStdLabel* NewLabel(QWidget* parent, const char* formName, const QRect& bounds,
                          TspSkinData* skin, const QString& caption) {
  // The size follows the caption while AutoSize is on: switch it off before placing.
  auto* label = new TspSkinStdLabel(parent);
  label->SetAutoSize(false);
  label->SetCaption(caption);
  return PlaceControl(label, formName, bounds, skin);
}

TspSkinStdLabel* NewLabel(QWidget* parent, const char* formName, const QRect& bounds,
                          TspSkinData* skin, const QString& caption, const QFont& font) {
  auto* label = new TspSkinStdLabel(parent);
  label->SetAutoSize(false);
  label->SetUseSkinFont(false);
  label->setFont(font);
  label->SetCaption(caption);
  return PlaceControl(label, formName, bounds, skin);
}

TspSkinStdLabel* AddPageHeader(QWidget* sheet, const char* formName, const QString& caption,
                               TspSkinData* skin) {
  return NewLabel(sheet, formName, {12, 4, 400, 40}, skin, caption, AppFont(kSegoeUILight, 27));
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
