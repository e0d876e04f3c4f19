#pragma once
// The stand-alone skinned scroll bar. Scrollable skinned controls hide the platform's bars
// and show one of these next to them instead (their VScrollBar / HScrollBar properties);
// the owner mirrors its scrolling state with SetScrollParams / SetPositionQuiet and follows
// the bar through OnChange. Skin records "hscrollbar", "vscrollbar" and, for a bar that
// shares a corner with a perpendicular one, "bothhscrollbar".

#include "skin/controls/skin_control.h"

#include <QTimer>
#include <functional>
#include <vector>

enum class TspScrollBarKind { sbHorizontal, sbVertical };

class TspSkinScrollBar : public TspSkinCustomControl {
  Q_OBJECT
public:
  // Record "hscrollbar", 200 x 19, range 0..100.
  explicit TspSkinScrollBar(QWidget* parent = nullptr);
  ~TspSkinScrollBar() override;

  // --- Published properties ----------------------------------------------------------------
  TspScrollBarKind Kind() const { return FKind; }
  // Swaps width and height, and "hscrollbar" with "vscrollbar" as the record name.
  void SetKind(TspScrollBarKind value);
  int Min() const { return FMin; }
  // Raises Position to the new minimum when below.
  void SetMin(int value);
  int Max() const { return FMax; }
  // Pulls Position back into the range the new maximum leaves.
  void SetMax(int value);
  int Position() const { return FPosition; }
  // Clamped to [Min, Max - PageSize + 1] (PageSize 0: [Min, Max]); OnChange on a change.
  void SetPosition(int value);
  // 0: a thumb of fixed size. Refused unless Max - Min + 1 >= value + Position.
  int PageSize() const { return FPageSize; }
  void SetPageSize(int value);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int value);
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int value);
  // The bar shares a corner with a perpendicular bar: BothSkinDataName is the record while
  // set, the previous record name comes back when cleared.
  bool Both() const { return FBoth; }
  void SetBoth(bool value);
  QString BothSkinDataName() const { return FBothSkinDataName; }
  void SetBothSkinDataName(const QString& value);
  // Plain look only: the free corner square at the end of a horizontal bar while Both is set.
  int BothMarkerWidth() const { return FBothMarkerWidth; }
  void SetBothMarkerWidth(int value); // negative values are ignored
  // Takes the focus on a click and then answers the arrow keys and the wheel.
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool value);

  // Sets range, page and position in one go, clamped, repainting but without OnChange:
  // owners mirror their own scrolling state with it.
  void SetScrollParams(int min, int max, int pageSize, int position);
  // Clamps and stores a position without OnChange.
  void SetPositionQuiet(int value);

  // Position changed through the bar (mouse, keys, wheel or SetPosition).
  std::function<void(QObject*)> OnChange;
  // The thumb was released after dragging.
  std::function<void(QObject*)> OnLastChange;
  // Replace the default step of the far ("up", increasing) and near ("down") buttons.
  std::function<void(QObject*)> OnUpButtonClick;
  std::function<void(QObject*)> OnDownButtonClick;
  // After a page step towards the near or the far end.
  std::function<void(QObject*)> OnPageUp;
  std::function<void(QObject*)> OnPageDown;

  // --- Interaction state ---------------------------------------------------------------------
  // Parts: 0 the thumb, 1 the far ("up") button, 2 the near ("down") button.
  enum TPart { ThumbPart = 0, UpButtonPart = 1, DownButtonPart = 2 };
  // Repeat modes: none, near button, far button, page towards the near / the far end.
  enum TRepeat { NoRepeat = 0, DownRepeat = 1, UpRepeat = 2, PageUpRepeat = 3, PageDownRepeat = 4 };
  struct TPartState {
    QRect Rect;
    bool MouseIn = false;
    bool Down = false;
  };
  // The layout as last computed: before painting, on mouse input and by UpdateLayout.
  const TPartState& Part(int index) const { return FParts[index]; }
  QRect TrackRect() const { return FTrack; }
  int HoveredPart() const { return FActivePart; }
  int CapturedPart() const { return FCapturedPart; }
  int RepeatMode() const { return FRepeatMode; }
  bool Repeating() const { return FTimer.isActive(); }
  int RepeatInterval() const { return FTimer.interval(); }
  bool Dragging() const { return FDragging; }
  // Thumb length along the axis, and its centre's travel (first, last centre coordinate).
  int ThumbLength() const { return FThumbLength; }
  // Recomputes the layout now (tests and owners that ask for part rectangles).
  void UpdateLayout();
  // Runs one tick of the repeat timer as the timer would (tests drive the repeat with it).
  void RepeatTick();

  static constexpr int RepeatDelay = 500; // ms to the first repeat
  static constexpr int RepeatPeriod = 50; // ms between later repeats

  // --- Virtual operations ------------------------------------------------------------------
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;

protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  bool event(QEvent* e) override;
  void changeEvent(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void hideEvent(QHideEvent* e) override;

private:
  const TspDataSkinScrollBarControl* ScrollRecord() const {
    return RecordAs<TspDataSkinScrollBarControl>();
  }
  bool Vertical() const { return FKind == TspScrollBarKind::sbVertical; }
  // The position clamped to the range and page.
  qint64 ClampPosition(qint64 value) const;
  // Clamped Position change with OnChange (64-bit so that steps near the int limits are safe).
  void StepTo(qint64 value);
  int PartAt(QPoint p) const;
  int Axis(QPoint p) const;
  void PressAt(QPoint p);
  void TrackHover(QPoint p);
  void StepUpButton();
  void StepDownButton();
  void PageUp();
  void PageDown();
  void StopRepeat();
  void ReleaseCapture();
  // Ends a press, a repeat and the hover (the bar was disabled or hidden).
  void CancelInteraction();
  // A state rectangle of the record's picture at `size`: composed along the axis with its
  // ends kept (`compose`) or scaled, `transparent` colour keyed out; cached per skin.
  QImage PieceImage(const QImage& picture, const TspRect& stateRect, QSize size, bool compose,
                    int end1, int end2, bool stretch, bool transparent, TColor colour);

  TspScrollBarKind FKind = TspScrollBarKind::sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
  int FSmallChange = 1, FLargeChange = 1;
  bool FBoth = false;
  QString FBothSkinDataName = QStringLiteral("bothhscrollbar");
  QString FSavedSkinDataName;
  int FBothMarkerWidth = 0;
  bool FCanFocused = false;

  TPartState FParts[3];
  QRect FTrack;
  int FThumbLength = 0;
  int FTravelFirst = 0, FTravelLast = 0; // first and last thumb centre along the axis
  int FThumbOffset = 0;
  int FActivePart = -1;
  int FCapturedPart = -1;
  int FRepeatMode = NoRepeat;
  bool FFirstTick = false;
  bool FMousePressed = false;
  QPoint FLastMouse;
  bool FDragging = false;
  int FDragStart = 0, FDragStartOffset = 0;
  QTimer FTimer;
};
