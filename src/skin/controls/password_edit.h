#pragma once
// The password field: a skinned custom control with its own text engine
// (password_engine.h) that shows one symbol per character in cells and draws its own
// blinking caret. The text never leaves the field: no copy, no cut, no drag.

#include "skin/controls/password_engine.h"
#include "skin/controls/skin_control.h"

#include <QColor>
#include <QTimer>

enum class TspPasswordKind { pkRoundRect, pkRect, pkTriangle };

class TspSkinPasswordEdit : public TspSkinCustomControl {
public:
  // Record "edit", 121 x 21, I-beam cursor.
  explicit TspSkinPasswordEdit(QWidget* parent = nullptr);

  // --- Published properties --------------------------------------------------------------
  QString Text() const { return FEngine.Text(); }
  void SetText(const QString& value) { FEngine.SetText(value); }
  TspPasswordKind PasswordKind() const { return FPasswordKind; }
  void SetPasswordKind(TspPasswordKind value);
  TspTextAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TspTextAlignment value);
  // Select the whole text when the field gains the focus.
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  TspEditCharCase CharCase() const { return FEngine.CharCase(); }
  void SetCharCase(TspEditCharCase value) { FEngine.SetCharCase(value); }
  // Show the selection only while focused.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  // 0 means unlimited.
  int MaxLength() const { return FEngine.MaxLength(); }
  void SetMaxLength(int value) { FEngine.SetMaxLength(value); }
  bool ReadOnly() const { return FEngine.ReadOnly(); }
  void SetReadOnly(bool value) { FEngine.SetReadOnly(value); }
  // Background without a record.
  QColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(const QColor& value);
  std::function<void(QObject*)> OnChange;

  // --- State -----------------------------------------------------------------------------
  const TspPasswordEngine& Engine() const { return FEngine; }
  bool MouseOver() const { return FMouseOver; }
  // Where the cells lie.
  QRect ContentRect() const;
  // The caret shows now (focused, in the visible phase of its blink).
  bool CaretShown() const { return hasFocus() && FCaretOn; }

  // --- Virtual operations ----------------------------------------------------------------
  void ReadSkinRecord() override;
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;
  void ApplySkin() override;
  // With UseSkinFont off the height is free: the frame is stretched to it.
  void FitSizeToSkin(int& width, int& height) override;

  QSize sizeHint() const override;

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

private:
  const TspDataSkinEditControl* EditRecord() const { return RecordAs<TspDataSkinEditControl>(); }
  void UpdateEngineLayout();
  void DrawContent(QImage& image);
  void DrawSymbol(QPainter& p, const QRect& cell, const QColor& color) const;
  QColor SymbolColor() const;
  void RestartCaret();

  TspPasswordEngine FEngine;
  TspPasswordKind FPasswordKind = TspPasswordKind::pkRoundRect;
  TspTextAlignment FTextAlignment = TspTextAlignment::taLeftJustify;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  QColor FDefaultColor;
  bool FMouseOver = false;
  bool FButtonHeld = false;
  bool FCaretOn = false;
  QTimer FCaretTimer;
  // The frame stretched to a height other than the skin's, with the key of its source.
};
