#pragma once
// TShape: a plain filled figure on a form, such as the database indicator of the status bar.
// It is drawn in its brush colour with a thin outline; its hint is the widget's tool tip.

#include <QColor>
#include <QWidget>

enum class TShapeType { stRectangle, stCircle };

class TShape : public QWidget {
  Q_OBJECT
public:
  explicit TShape(QWidget* parent = nullptr);

  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType value);
  // The fill colour (the brush's); white for a new shape.
  QColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(const QColor& value);
  QColor PenColor() const { return FPenColor; }
  void SetPenColor(const QColor& value);
  QString Hint() const { return toolTip(); }
  void SetHint(const QString& value) { setToolTip(value); }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  TShapeType FShape = TShapeType::stRectangle;
  QColor FBrushColor = Qt::white;
  QColor FPenColor = Qt::black;
};
