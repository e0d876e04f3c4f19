#pragma once
// One open level of a skinned menu: a top-level pop-up window that never takes the
// activation from the form, listing the visible items of one QMenu. Its TspSkinMenu owns
// it and runs the menu; the window lays out, paints and scrolls its items, and hands the
// input that Qt gives the topmost pop-up to the menu.

#include "skin/controls/mnemonic.h"
#include "skin/frame/menu_look.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class TspSkinMenu;

// Draws an item in place of the menu: the canvas, the item's rectangle, and whether it is
// highlighted.
using TspMenuDrawItemEvent =
    std::function<void(QPainter& Canvas, const QRect& ARect, bool Highlighted)>;

// One shown item, made from its action when the level opens.
struct TspSkinMenuItem {
  QPointer<QAction> Action;
  TspMnemonic Caption;
  QString ShortCut;
  QImage Image;
  bool Enabled = true;
  bool Separator = false;
  bool Header = false; // disabled "-Word-": drawn as the word, centred
  bool Checked = false;
  bool Radio = false;
  QPointer<QMenu> SubMenu; // with at least one visible item
  // Place in the window, and whether it lies in the visible range.
  QRect Rect;
  bool Visible = false;
  // Highlighted; Down while its submenu is open.
  bool Active = false;
  bool Down = false;
  // How far the normal image has morphed into the highlighted one (0..1), and the blend
  // the last morph step made.
  double MorphKf = 0;
  QImage MorphImage;
  // The animation frame showing (1..frame count), 0 when none is.
  int Frame = 0;
  // The owner's drawing of the item, when it has one.
  TspMenuDrawItemEvent OnDraw;

  bool Selectable() const { return Enabled && !Separator && !Header; }
  bool Highlighted() const { return (Active || Down) && Selectable(); }
};

class TspSkinPopupWindow : public QWidget {
  Q_OBJECT
public:
  // The items of `source` from `firstIndex` on. The look is the skin's when `look` says so.
  TspSkinPopupWindow(TspSkinMenu* menu, QMenu* source, int firstIndex, const TspMenuLook& look,
                     int maxItemsInWindow, int workAreaHeight);
  ~TspSkinPopupWindow() override;

  QMenu* Source() const { return FSource; }
  int ItemCount() const { return int(FItems.size()); }
  const TspSkinMenuItem& Item(int index) const { return FItems[size_t(index)]; }
  // The index of the visible, selectable item at a point of the window, or -1.
  int ItemAt(const QPoint& pos) const;
  // The visible item at a point, selectable or not, or -1.
  int AnyItemAt(const QPoint& pos) const;
  // Rectangle of the items (scaled itemsrect of the skin, or the plain look's).
  QRect ItemsArea() const { return FItemsArea; }
  bool Scrollable() const { return FScrollable; }
  bool Limited() const { return FLimited; }
  int TopIndex() const { return FTopIndex; }
  // 0 none, 1 up, 2 down.
  int ScrollState() const { return FScrollState; }
  int SelectedIndex() const { return FSelected; }
  bool Skinned() const { return FLook.SkinnedWindow; }
  const TspMenuLook& Look() const { return FLook; }

  // Highlights `index` (or nothing for -1), scrolling it into view.
  void SetSelected(int index);
  void SetDown(int index, bool down);
  // The next selectable item from the selected one in `step` (+1 / -1), wrapping; -1 when
  // none is selectable.
  int NextSelectable(int step) const;
  // Scrolls so that `index` is visible.
  void ScrollTo(int index);
  // Markers: starts or stops scrolling by the pointer at `pos`.
  void ScrollByPointer(const QPoint& pos);
  void StopScrolling();
  // True while this level is being closed by its menu.
  bool Closing = false;

  // The window's picture, as the next paint shows it.
  QImage PaintImage() const;

  // One tick of the item animation timer: the highlighted item's next frame; past the last
  // frame the item rests on its highlighted image.
  void AnimateStep();
  // One 20 ms morph step: each item's MorphKf moves 0.2 toward 1 while highlighted, toward
  // 0 otherwise.
  void MorphStep();
  const QTimer& AnimateTimer() const { return FAnimateTimer; }
  const QTimer& MorphTimer() const { return FMorphTimer; }

protected:
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void hideEvent(QHideEvent* e) override;

private:
  void MakeItems(int firstIndex);
  void Measure(int workAreaHeight, int maxItemsInWindow);
  void LayoutItems();
  void PrepareImages();
  void ScrollStep();
  void PaintItem(QPainter& p, const TspSkinMenuItem& item) const;
  void PaintSkinnedItem(QPainter& p, const TspSkinMenuItem& item) const;
  void PaintPlainItem(QPainter& p, const TspSkinMenuItem& item) const;
  void PaintMarkers(QPainter& p) const;
  // The item's own image: an animation frame, the morph between the normal and the
  // highlighted image, or one of them.
  const QImage* ItemImage(const TspSkinMenuItem& item) const;
  // The normal image of an item: its own, or the window's background behind it.
  QImage NormalImage(const TspSkinMenuItem& item) const;
  // Highlighting changed: frames start over on a newly highlighted item, and the morph
  // moves toward the new state.
  void HighlightChanged(TspSkinMenuItem& item, bool was);
  void DrawCaption(QPainter& p, const TspSkinMenuItem& item, const QRect& textRect,
                   const QColor& color) const;
  void DrawMark(QPainter& p, const TspSkinMenuItem& item, const QRect& box, const QColor& color,
                bool highlighted) const;

  TspSkinMenu* FMenu;
  QPointer<QMenu> FSource;
  TspMenuLook FLook;
  std::vector<TspSkinMenuItem> FItems;
  bool FHasImages = false;
  int FImageColumn = 16;
  QRect FItemsArea;
  bool FScrollable = false;
  bool FLimited = false;
  int FTopIndex = 0;
  int FScrollState = 0;
  int FSelected = -1;
  QTimer FScrollTimer;
  // Made once per opening: the background at the window's size, the item images at the
  // items' width (normal, highlighted) and the divider.
  QImage FBackground;
  // The image PaintImage draws into, kept between paints: a menu repaints whole on every
  // move of the selection.
  mutable QImage FCanvas;
  QImage FItemImage[2];
  QImage FDivider;
  // The animation frames at the items' size, and the header control's image.
  std::vector<QImage> FFrames;
  QImage FHeaderImage;
  QTimer FAnimateTimer;
  QTimer FMorphTimer;
};
