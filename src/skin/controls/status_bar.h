#pragma once
// TspSkinStatusBar: the skinned panel along the bottom of a form, with an optional size
// grip at its right end. A press on the grip sizes the top-level window: through the
// windowing system where it offers that, else by following the mouse ourselves.

#include "skin/controls/panel.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

// Where the bar keeps itself in its parent: along the bottom edge, or where it is put.
enum class TspStatusBarAlign { alNone, alBottom };

// The hit-test answers of the bar (the platform's codes).
constexpr int kHitClient = 1;       // HTCLIENT
constexpr int kHitBottomRight = 17; // HTBOTTOMRIGHT

class TspSkinStatusBar : public TspSkinPanel {
  Q_OBJECT
public:
  explicit TspSkinStatusBar(QWidget* parent = nullptr);
  ~TspSkinStatusBar() override;

  // --- Published properties ----------------------------------------------------------------
  bool SizeGrip() const { return FSizeGrip; }
  // Repaints and realigns the children.
  void SetSizeGrip(bool value);
  // The second switch of the grip (the form controller turns it off while maximized).
  bool GripAllowed() const { return FGripAllowed; }
  void SetGripAllowed(bool value);
  // alBottom keeps the bar at the bottom of its parent, as wide as the parent, whenever the
  // parent resizes (unless a layout of the parent places it).
  TspStatusBarAlign Align() const { return FAlign; }
  void SetAlign(TspStatusBarAlign value);

  // --- Geometry ------------------------------------------------------------------------------
  // Both switches on.
  bool GripShown() const { return FSizeGrip && FGripAllowed; }
  // Where the children go: the panel's client rectangle less the grip's width. It is also
  // the widget's contents rectangle, so layouts keep off the grip.
  QRect ClientRect();
  // The grip's rectangle; empty when the grip is not shown.
  QRect GripRect();
  // The platform's hit-test answer for a point in the bar: kHitBottomRight on the grip,
  // kHitClient anywhere else.
  int HitTest(const QPoint& point);
  // True while a press on the grip sizes the window by following the mouse.
  bool ManualSizing() const { return FManualSizing; }

  // The bar and every windowed skinned control directly on it.
  void SetSkinData(TspSkinData* value) override;
  void ApplySkin() override;

protected:
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void GripChanged();
  void UpdateGripMargins();
  void DockToParent();
  void WatchParent();
  // The grip piece of the skin picture, transparent where the record asks; cached per skin.
  QImage GripImage();

  bool FSizeGrip = false;
  bool FGripAllowed = true;
  TspStatusBarAlign FAlign = TspStatusBarAlign::alBottom;
  bool FUpdatingMargins = false;
  QPointer<QWidget> FWatchedParent;
  // Manual sizing: where the press was and the window's size then.
  bool FManualSizing = false;
  QPoint FPressGlobal;
  QSize FPressWindowSize;
};
