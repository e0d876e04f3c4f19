#pragma once
// TspSkinPageControl and TspSkinTabSheet: the pages of a screen and the tabs that select
// them, painted from the skin's "tab" record: the tab strip, every tab in its look
// (normal, hot, selected, selected and focused), the frame around the page area and the
// page backgrounds.
//
// The page model: pages in order; only pages whose TabVisible is set have tabs, numbered by
// their visible position. The current page may be a page without a tab (a screen shown
// without one). Hiding the current page's tab leaves no current page; while there is none,
// the first tab made visible becomes current. OnChanging and OnChange run only when the
// user selects a page (click, keyboard, mouse wheel), never when code sets ActivePage.

#include "skin/controls/button_layout.h"
#include "skin/controls/image_list.h"
#include "skin/controls/skin_binding.h"
#include "skin/controls/skinnable.h"
#include "skin/render/composition.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class TspSkinPageControl;
class TspTabScroller;

class TspSkinTabSheet : public QWidget, public TspBackgroundSource {
public:
  // A page of `pageControl` (appended to its pages), or a free page.
  explicit TspSkinTabSheet(TspSkinPageControl* pageControl = nullptr);
  ~TspSkinTabSheet() override;

  TspSkinPageControl* PageControl() const { return FPageControl; }
  // Moves the page to the end of another page control's pages (none: a free page).
  void SetPageControl(TspSkinPageControl* value);
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& value);
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool value);
  // Index of the page's image in the page control's Images, -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // Tiled over the page instead of the skin's page background when not empty.
  const QImage& WallPaper() const { return FWallPaper; }
  void SetWallPaper(const QImage& value);
  // Position among all pages of the page control, -1 for a free page.
  int PageIndex() const;
  void SetPageIndex(int value);
  // Position among the visible tabs, -1 without a tab.
  int TabIndex() const;

  // The page background over `area` (in the page's coordinates).
  void PaintPageBackground(QPainter& painter, const QRect& area);
  void PaintChildBackground(QPainter& painter, const QRect& area) override;
  bool OwnPaintingBehindChildren() const override { return false; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  friend class TspSkinPageControl;
  TspSkinPageControl* FPageControl = nullptr;
  QString FCaption;
  bool FTabVisible = true;
  int FImageIndex = -1;
  QImage FWallPaper;
  // Close button of the page's tab.
  bool FCloseHot = false;
  bool FClosePressed = false;
};

enum class TspTabPosition { tpTop, tpBottom, tpLeft, tpRight };

class TspSkinPageControl : public QWidget, public TspSkinnable {
public:
  explicit TspSkinPageControl(QWidget* parent = nullptr);
  ~TspSkinPageControl() override;

  // --- Skin binding ------------------------------------------------------------------------
  TspSkinData* SkinData() const { return FBinding.SkinData(); }
  // Applies the skin when the new value holds one.
  void SetSkinData(TspSkinData* value);
  QString SkinDataName() const { return FBinding.SkinDataName; }
  void SetSkinDataName(const QString& value);
  // Font of the tabs without a record or with UseSkinFont off ("Tahoma", 13 pixels); its
  // colour is the palette's button text.
  const QFont& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const QFont& value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value);
  int RecordIndex() const { return FBinding.RecordIndex; }
  const TspDataSkinTabControl* Record() const;

  // --- Published properties ----------------------------------------------------------------
  // Tab height without a record when TabHeight is 0 (20).
  int DefaultItemHeight() const { return FDefaultItemHeight; }
  void SetDefaultItemHeight(int value);
  // The tab strip shows what lies behind the control instead of the record's strip piece.
  bool TabsBGTransparent() const { return FTabsBGTransparent; }
  void SetTabsBGTransparent(bool value);
  // Centres the tabs; refused (stays false) while TabWidth is 0. Forces top tabs and a
  // transparent strip.
  bool TabsInCenter() const { return FTabsInCenter; }
  void SetTabsInCenter(bool value);
  // Above 0: the tabs start this many pixels from the left. Forces top tabs and a
  // transparent strip.
  int TabsOffset() const { return FTabsOffset; }
  void SetTabsOffset(int value);
  // Image and caption of a tab placed by the button layout (TabMargin, TabSpacing,
  // TabLayout).
  bool TabExtededDraw() const { return FTabExtededDraw; }
  void SetTabExtededDraw(bool value);
  // -1 centres; values below -1 are refused.
  int TabMargin() const { return FTabMargin; }
  void SetTabMargin(int value);
  int TabSpacing() const { return FTabSpacing; }
  void SetTabSpacing(int value);
  TspButtonLayout TabLayout() const { return FTabLayout; }
  void SetTabLayout(TspButtonLayout value);
  // Left and right tabs keep their caption horizontal.
  bool TextInHorizontal() const { return FTextInHorizontal; }
  void SetTextInHorizontal(bool value);
  // Tab images, by each page's ImageIndex; cleared when the list is destroyed.
  TspImageList* Images() const { return FImages; }
  void SetImages(TspImageList* value);
  bool ShowCloseButtons() const { return FShowCloseButtons; }
  void SetShowCloseButtons(bool value);
  // A page closed by its close button is destroyed.
  bool FreeOnClose() const { return FFreeOnClose; }
  void SetFreeOnClose(bool value) { FFreeOnClose = value; }
  // Stored only: the record of button-style tabs, which this control does not offer.
  QString ButtonTabSkinDataName() const { return FButtonTabSkinDataName; }
  void SetButtonTabSkinDataName(const QString& value) { FButtonTabSkinDataName = value; }
  // With the focus, the wheel selects the next (towards the user) or previous page.
  bool MouseWheelSupport() const { return FMouseWheelSupport; }
  void SetMouseWheelSupport(bool value) { FMouseWheelSupport = value; }
  // Fixed tab height (0: from the record, or DefaultItemHeight) and width (0: the caption's).
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int value);
  TspTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TspTabPosition value);
  // Stored; the tabs always track the mouse.
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool value) { FHotTrack = value; }

  // Asked before a page closed by its close button goes; CanClose starts true.
  std::function<void(TspSkinTabSheet* page, bool& CanClose)> OnClose;
  std::function<void(QObject*)> OnAfterClose;
  // Draws a tab's image and caption in place of the control.
  std::function<void(int TabIndex, const QRect& Rct, bool Active, bool MouseIn, QPainter& Cnvs)>
      OnDrawSkinTab;
  // Asked before the user's selection changes the page; setting AllowChange false keeps it.
  std::function<void(QObject*, bool& AllowChange)> OnChanging;
  // After the user's selection changed the page.
  std::function<void(QObject*)> OnChange;

  // --- Page model ----------------------------------------------------------------------------
  int PageCount() const { return int(FPages.size()); }
  TspSkinTabSheet* Pages(int index) const;
  // The number of visible tabs and the page of each.
  int TabCount() const;
  TspSkinTabSheet* TabPage(int tabIndex) const;
  // The current page, or none. Setting it is not a user selection: no events run. A page
  // without a tab may be made current.
  TspSkinTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TspSkinTabSheet* page);
  // The visible index of the current page's tab, -1 when it has none.
  int TabIndex() const;
  void SetTabIndex(int tabIndex);
  // The user's selection: OnChanging (which may refuse), the change, OnChange. False when
  // nothing changed.
  bool SelectPageByUser(TspSkinTabSheet* page);
  // The next (or previous) page with a visible tab after the current one, wrapping around
  // when `wrap`; none when there is no other.
  TspSkinTabSheet* FindNextPage(bool forward, bool wrap) const;

  // --- Geometry ------------------------------------------------------------------------------
  // Height of the tabs (their width for left and right tabs).
  int ItemHeight();
  // The tab's item rectangle in the control, by visible index; empty for none.
  QRect TabRect(int tabIndex);
  // The visible index of the tab under `pos`, -1 when none.
  int TabAt(const QPoint& pos);
  // The close button of a tab, empty without close buttons.
  QRect CloseButtonRect(int tabIndex);
  // Where the pages go.
  QRect PageArea();
  // The page area with the frame around it.
  QRect FrameRect();
  // The visible index of the tab under the mouse, -1 when none.
  int HotTab() const { return FHotTab; }
  // The first tab scrolled into view (the tab scroller's position).
  int FirstTab() const { return FFirstTab; }
  bool HasScroller() const;

  // --- Skin changes --------------------------------------------------------------------------
  TspSkinData* BoundSkinData() const override { return SkinData(); }
  void DropSkinRecord() override;
  void ApplySkin() override;

  // The control's pixels as the next paint draws them (its pages not included).
  QImage PaintImage();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

private:
  friend class TspSkinTabSheet;
  friend class TspTabScroller;

  struct TabLayoutItem {
    TspSkinTabSheet* Page;
    int Start;  // along the strip, before scrolling and offsets
    int Length; // along the strip
  };

  void ReadSkinRecord();
  void InsertPage(TspSkinTabSheet* page, int index);
  void RemovePage(TspSkinTabSheet* page);
  void TabVisibleChanged(TspSkinTabSheet* page);
  void MovePage(TspSkinTabSheet* page, int index);
  void SetActivePageInternal(TspSkinTabSheet* page);
  // Recomputes the tab layout, the pages' geometry and the scroller; repaints.
  void Relayout();
  const std::vector<TabLayoutItem>& Layout();
  int TabsOffsetNow();
  bool Horizontal() const {
    return FTabPosition == TspTabPosition::tpTop || FTabPosition == TspTabPosition::tpBottom;
  }
  QFont TabFont();
  QRect StripRect();
  void UpdateScroller();
  void ScrollTo(int first);
  void MakeTabVisible(int tabIndex);
  void UpdateHot(const QPoint& pos);
  void RepaintTab(int tabIndex);

  // Painting.
  void PaintTo(QImage& image, const QRect& area);
  // The page background (or the control background) over `target`, tiled from its origin,
  // limited to `paintArea`; `wallpaper` replaces the skin when given.
  void PaintBackgroundPiece(QPainter& p, const QRect& target, const QRect& paintArea,
                            const QImage* wallpaper);
  void PaintFrame(QPainter& p);
  void DrawBorderFrame(QPainter& p);
  void PaintStripBackground(QPainter& p, const QRect& strip);
  QImage TabImage(int tabIndex, bool selected, bool hot, bool focused);
  QImage TabFace(const TspRect& source, QSize size);
  void DrawTabContent(QPainter& p, int tabIndex, QRect box, bool selected, bool hot,
                      const QFont& font, const QColor& color);
  void DrawCloseButton(QPainter& p, const QRect& r, TspSkinTabSheet* page);
  // Scaled or tiled pieces of the skin, shared with the pages.
  QImage Piece(const QImage& picture, const TspRect& rect, QSize size);

  TspSkinBinding FBinding;
  TspBorderStrips FFrameStrips;
  QSize FFrameStripsSize;
  qint64 FFrameStripsKey = 0;

  std::vector<TspSkinTabSheet*> FPages;
  TspSkinTabSheet* FActivePage = nullptr;
  std::vector<TabLayoutItem> FLayout;
  bool FLayoutValid = false;
  int FFirstTab = 0;
  int FHotTab = -1;
  QPointer<TspTabScroller> FScroller;

  QFont FDefaultFont;
  bool FUseSkinFont = true;
  int FDefaultItemHeight = 20;
  bool FTabsBGTransparent = false;
  bool FTabsInCenter = false;
  int FTabsOffset = 0;
  bool FTabExtededDraw = false;
  int FTabMargin = -1;
  int FTabSpacing = 1;
  TspButtonLayout FTabLayout = TspButtonLayout::blGlyphLeft;
  bool FTextInHorizontal = false;
  QPointer<TspImageList> FImages;
  bool FShowCloseButtons = false;
  bool FFreeOnClose = false;
  QString FButtonTabSkinDataName = QStringLiteral("resizetoolbutton");
  bool FMouseWheelSupport = false;
  int FTabHeight = 0;
  int FTabWidth = 0;
  TspTabPosition FTabPosition = TspTabPosition::tpTop;
  bool FHotTrack = false;
};
