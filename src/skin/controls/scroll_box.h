#pragma once
// TspSkinScrollBox: a container whose child controls scroll under attached skinned bars.
// Its frame lies outside the client area (the record's frame strips, or a one-pixel plain
// frame); the client area shows the record's client piece, or its background picture,
// tiled or stretched. Children go into Client(), which covers the client area and clips
// them to it; they are placed by position, and the bars scroll them by moving them.

#include "skin/controls/border_style.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/skin_control.h"

#include <QColor>
#include <QPointer>

class TspSkinScrollBox : public TspSkinCustomControl {
  Q_OBJECT
public:
  // Record "scrollbox", 150 x 150.
  explicit TspSkinScrollBox(QWidget* parent = nullptr);
  ~TspSkinScrollBox() override;

  // --- Published properties ----------------------------------------------------------------
  // Attaching a bar sets its CanFocused off, enables it, hides it and brings it up to date;
  // it then shows only while the content does not fit. Guarded: none once destroyed.
  TspSkinScrollBar* VScrollBar() const { return FBars[1].Bar; }
  void SetVScrollBar(TspSkinScrollBar* value);
  TspSkinScrollBar* HScrollBar() const { return FBars[0].Bar; }
  void SetHScrollBar(TspSkinScrollBar* value);
  // Frame of the plain look; bvNone also drops the skin frame.
  TspSkinBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TspSkinBorderStyle value);
  // A click focuses the box.
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool value);
  // Background of the plain look (the palette's button colour at first).
  QColor Color() const;
  void SetColor(const QColor& value);

  // --- State -------------------------------------------------------------------------------
  // The record's bgpictureindex, -1 when the record is of another kind or absent.
  int BgPictureIndex() const;
  // The area inside the frame, in the box's coordinates.
  QRect ClientRect();
  // The widget child controls go into; it lies on ClientRect.
  QWidget* Client() const { return FClient; }
  // Brings the attached bars up to date with the children: a bar shows while the content
  // reaches beyond the client area, with range content size - 1 and page the client size;
  // when everything fits the content goes back to the start and the bar hides. Runs by
  // itself when the box or a child moves, resizes, shows or hides.
  void UpdateScrollBars();

  void ApplySkin() override;
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;

protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;

private:
  // Index 0 horizontal, 1 vertical.
  struct TAttached {
    QPointer<TspSkinScrollBar> Bar;
    // The bar's position the children are scrolled by.
    int Offset = 0;
    bool Needed = false;
  };
  enum class Look { Frame, Picture, Bare };
  Look SkinLook() const;
  void Attach(int axis, TspSkinScrollBar* value);
  void Detach(TspSkinScrollBar* bar);
  void UpdateBar(int axis);
  // Moves every child of the client by -delta along `axis` (0 horizontal, 1 vertical).
  void ScrollChildren(int axis, int delta);
  void PlaceClient();
  bool BoxVisible() const;
  void FillClient(QImage& image, const QRect& area, const QImage& tile);

  QWidget* FClient;
  TAttached FBars[2];
  TspSkinBorderStyle FBorderStyle = TspSkinBorderStyle::bvFrame;
  bool FCanFocused = false;
  QColor FColor;
  bool FScrolling = false;
  bool FUpdating = false;
  bool FUpdateAgain = false;
};
