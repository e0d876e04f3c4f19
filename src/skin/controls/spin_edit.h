#pragma once
// The spin edit: a numeric field with an up and a down button, skinned from the record
// "spinedit". The value rule lives in spin_value.h; holding a button repeats its step
// until released (or until the value reaches its limit).

#include "skin/controls/edit_field.h"
#include "skin/controls/inner_edit.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/spin_value.h"

#include <QTimer>

// The inner numeric edit of the spin edit.
class TspSkinNumEdit : public TspInnerEdit {
public:
  explicit TspSkinNumEdit(QWidget* parent) : TspInnerEdit(parent) {}
};

class TspSkinSpinEdit : public TspSkinCustomControl {
public:
  // Record "spinedit", 120 x 20, value 0.
  explicit TspSkinSpinEdit(QWidget* parent = nullptr);
  ~TspSkinSpinEdit() override;

  // --- Published properties --------------------------------------------------------------
  TspValueType ValueType() const { return FRule.ValueType; }
  void SetValueType(TspValueType value);
  int Decimal() const { return FRule.Decimal; }
  void SetDecimal(int value);
  // The value is kept within MinValue..MaxValue unless both are 0.
  double MinValue() const { return FRule.MinValue; }
  void SetMinValue(double value);
  double MaxValue() const { return FRule.MaxValue; }
  void SetMaxValue(double value);
  double Value() const { return FValue; }
  // Clamps, writes the text and, when the value changed, fires OnChange.
  void SetValue(double value);
  double Increment() const { return FIncrement; }
  void SetIncrement(double value) { FIncrement = value; }
  // Off: the field takes no typing, only the buttons, arrows and wheel.
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool value);
  // 0 means unlimited.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  // On: the height follows the record's skin rectangle; off: the frame is stretched.
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool value);
  QColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(const QColor& value);
  // The separator of float values (the locale's at first).
  QChar DecimalSeparator() const { return FRule.DecimalSeparator; }
  void SetDecimalSeparator(QChar value);

  std::function<void(QObject*)> OnChange;
  std::function<void(QObject*)> OnUpButtonClick;
  std::function<void(QObject*)> OnDownButtonClick;
  // Forwarded from the inner edit.
  std::function<void(QObject*, QKeyEvent*)> OnEditKeyDown;
  std::function<void(QObject*, QChar)> OnEditKeyPress;
  std::function<void(QObject*, QKeyEvent*)> OnEditKeyUp;
  std::function<void(QObject*)> OnEditEnter;
  std::function<void(QObject*)> OnEditExit;
  // The alert sound of a refused character (the platform's beep unless replaced).
  std::function<void()> AlertSound;

  // --- State -----------------------------------------------------------------------------
  TspSkinNumEdit* Editor() const { return FEditor; }
  QRect UpButtonRect() const { return FUp.Rect; }
  QRect DownButtonRect() const { return FDown.Rect; }
  bool UpButtonHot() const { return FUp.Hot; }
  bool UpButtonDown() const { return FUp.Down; }
  bool DownButtonHot() const { return FDown.Hot; }
  bool DownButtonDown() const { return FDown.Down; }
  bool MouseOver() const { return FMouseOver; }
  // Where the inner edit lies.
  QRect TextRect() const;
  // Steps as the up (+1) or down (-1) button does.
  void Step(int direction);

  // --- Virtual operations ----------------------------------------------------------------
  void ReadSkinRecord() override;
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;
  void ApplySkin() override;
  void FitSizeToSkin(int& width, int& height) override;

  QSize sizeHint() const override;

protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

private:
  struct TSpinButton {
    QRect Rect;
    bool Hot = false;
    bool Down = false;
  };
  const TspDataSkinSpinEditControl* SpinRecord() const {
    return RecordAs<TspDataSkinSpinEditControl>();
  }
  void UpdateLayout();
  void UpdateColors();
  void UpdateFont();
  void DrawButtons(QImage& image);
  void RepeatTick();
  void StopRepeat();
  void ClickButton(int direction);
  bool EditKeyPress(QKeyEvent* e);
  void TypedText(const QString& text);

  TspSkinNumEdit* FEditor;
  TspSpinRule FRule;
  double FValue = 0;
  double FIncrement = 1.0;
  bool FEditorEnabled = true;
  int FMaxLength = 0;
  bool FUseSkinSize = true;
  QColor FDefaultColor;
  bool FMouseOver = false;
  TSpinButton FUp, FDown;
  QTimer FRepeatTimer;
  int FRepeatDirection = 0;
  bool FRepeating = false;
};
