// The data grid over a real cursor: the vertical bar in step with the data set (sequenced or
// not), the scroll commands and bar clicks, the window of records, read-only refusals, cell
// clicks, the layout with the built-in skins, null and empty data, and what it paints.

#include "db_grid_fixture.h"

#include "skin/controls/edit_menu_hook.h"

#include "grab_checks.h"
#include "skin/controls/plain_look.h"
#include <QContextMenuEvent>
#include <QPaintEvent>
#include <QScreen>

#include <QFontMetrics>

namespace {

// --- The vertical bar -----------------------------------------------------------------------

TEST_F(DBGridTest, SequencedBarFollowsTheRecordNumberAndThumbReleasesMoveTheDataSet) {
  MakeGrid(50);
  ShowRows(10);
  ShowForm();
  ASSERT_EQ(grid->VisibleRowCount(), 10);
  EXPECT_EQ(grid->DataLink().BufferCount(), 10);
  EXPECT_EQ(grid->RowCount(), 11);
  EXPECT_TRUE(vbar->isVisible());
  EXPECT_EQ(vbar->Min(), 1);
  EXPECT_EQ(vbar->Max(), 59);
  EXPECT_EQ(vbar->PageSize(), 10);
  EXPECT_EQ(vbar->Position(), 1);
  cursor->SetRecNo(37);
  EXPECT_EQ(vbar->Position(), 37);

  struct Case {
    int position, recNo;
  };
  const Case cases[] = {{25, 25}, {1, 1}, {0, 1}, {49, 49}, {50, 50}, {60, 50}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    cursor->SetRecNo(10);
    grid->VScroll(SB_THUMBPOSITION, c.position);
    EXPECT_EQ(cursor->RecNo(), c.recNo);
    EXPECT_EQ(vbar->Position(), c.recNo);
  }

  // Releasing the thumb dragged past either end of the bar.
  vbar->UpdateLayout();
  for (const bool down : {true, false}) {
    SCOPED_TRACE(down ? "dragged to the bottom" : "dragged to the top");
    vbar->UpdateLayout();
    const QPoint grip = vbar->Part(TspSkinScrollBar::ThumbPart).Rect.center();
    const QPoint end = grip + QPoint(0, down ? 1000 : -1000);
    QTest::mousePress(vbar, Qt::LeftButton, {}, grip);
    QTest::mouseMove(vbar, end);
    QTest::mouseRelease(vbar, Qt::LeftButton, {}, end);
    EXPECT_EQ(cursor->RecNo(), down ? 50 : 1);
    // The last records fill the window; the current one is its last row.
    EXPECT_EQ(grid->DataLink().FirstRow(), down ? 40 : 0);
    EXPECT_EQ(grid->Row(), down ? 10 : 1);
  }
}

TEST_F(DBGridTest, NonSequencedBarHasFivePlaces) {
  MakeGrid(50);
  grid->DataLink().SetSequenced(false);
  ShowRows(10);
  ShowForm();
  grid->SyncVerticalBar();
  EXPECT_EQ(vbar->Min(), 0);
  EXPECT_EQ(vbar->Max(), 4);
  EXPECT_EQ(vbar->PageSize(), 0);
  EXPECT_EQ(vbar->Position(), 0);
  cursor->SetRecNo(20);
  EXPECT_EQ(vbar->Position(), 2);
  cursor->Last();
  EXPECT_EQ(vbar->Position(), 4);

  struct Case {
    int position, from, to;
  };
  const Case cases[] = {{2, 20, 20}, {1, 20, 10}, {3, 20, 30}, {0, 20, 1}, {4, 20, 50}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    cursor->SetRecNo(c.from);
    grid->VScroll(SB_THUMBPOSITION, c.position);
    EXPECT_EQ(cursor->RecNo(), c.to);
  }
}

TEST_F(DBGridTest, BarShowsFromOneRecordFewerThanTheRowsThatFit) {
  struct Case {
    int records;
    bool shown;
  };
  const Case cases[] = {{8, false}, {9, true}, {10, true}, {30, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.records);
    form.reset();
    NewForm(700, 500);
    QSqlQuery(connection->Database()).exec("DELETE FROM Animals");
    MakeGrid(c.records);
    ShowRows(10);
    ShowForm();
    EXPECT_EQ(vbar->isVisible(), c.shown);
    // The bar follows the grid's own visibility.
    grid->hide();
    EXPECT_FALSE(vbar->isVisible());
    grid->show();
    EXPECT_EQ(vbar->isVisible(), c.shown);
  }
}

TEST_F(DBGridTest, BarButtonsAndPagesMoveTheWindowOfRecords) {
  MakeGrid(50);
  ShowRows(10);
  ShowForm();
  vbar->UpdateLayout();
  // The far arrow: the record just below the last row shown becomes current.
  QTest::mouseClick(vbar, Qt::LeftButton, {},
                    vbar->Part(TspSkinScrollBar::UpButtonPart).Rect.center());
  EXPECT_EQ(cursor->RecNo(), 11);
  EXPECT_EQ(grid->DataLink().FirstRow(), 1);
  EXPECT_EQ(grid->Row(), 10);
  EXPECT_EQ(vbar->Position(), 11);
  // The near arrow: the record just above the first row shown.
  QTest::mouseClick(vbar, Qt::LeftButton, {},
                    vbar->Part(TspSkinScrollBar::DownButtonPart).Rect.center());
  EXPECT_EQ(cursor->RecNo(), 1);
  EXPECT_EQ(grid->DataLink().FirstRow(), 0);

  struct Case {
    int code, from, to;
  };
  const Case cases[] = {{SB_PAGEDOWN, 1, 11}, {SB_PAGEUP, 25, 15},   {SB_BOTTOM, 5, 50},
                        {SB_TOP, 40, 1},      {SB_LINEDOWN, 50, 50}, {SB_LINEUP, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    cursor->SetRecNo(c.from);
    grid->VScroll(c.code, 0);
    EXPECT_EQ(cursor->RecNo(), c.to);
    EXPECT_EQ(grid->Row() - grid->TitleOffset(), grid->DataLink().ActiveRecord());
  }
  // Only one screen of records is held, however far the data set moves.
  EXPECT_EQ(grid->DataLink().RecordCount(), 10);
}

// What the window system shows after records scrolled: the moved pixels and the repainted
// rows must add up to what a full paint draws.
TEST_F(DBGridTest, ScrollingByRecordsMovesPixelsAndRepaintsOnlyWhatChanged) {
  MakeGrid(50);
  ShowRows(10);
  ShowForm();
  TPaintLog log;
  grid->setFocus();
  QCoreApplication::processEvents();
  grid->installEventFilter(&log);
  const int pitch = grid->DefaultRowHeight() + grid->RowLineWidth();
  const QRect middleRow(grid->IndicatorOffset() ? grid->ColWidths(0) + 1 : 0,
                        grid->CellRect(0, 5).top(), 100, pitch - 1);
  struct Case {
    const char* what;
    int from;
    Qt::Key key;
    int firstRow;
    bool moved; // pixels moved rather than everything repainted
  };
  const Case cases[] = {
      {"Down past the last row", 10, Qt::Key_Down, 1, true},
      {"Up past the first row", 41, Qt::Key_Up, 39, true},
      {"a page down", 10, Qt::Key_PageDown, 10, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // From the top, or from the last screen of records.
    if (c.from > 10)
      cursor->Last();
    else
      cursor->First();
    cursor->SetRecNo(c.from);
    QCoreApplication::processEvents();
    log.painted = QRegion();
    QTest::keyClick(grid, c.key);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->DataLink().FirstRow(), c.firstRow);
    EXPECT_EQ(log.painted.contains(middleRow), !c.moved);
    // The screen, not a fresh paint, must match a fresh paint.
    EXPECT_EQ(OnScreen(*grid), Grab(*grid));
  }

  // Whole columns move their pixels too, both ways.
  ShowRows(10, 200);
  for (const int code : {SB_LINEDOWN, SB_LINEDOWN, SB_LINEUP}) {
    SCOPED_TRACE(code);
    const int left = grid->LeftCol();
    grid->HScroll(code, 0);
    QCoreApplication::processEvents();
    ASSERT_NE(grid->LeftCol(), left);
    EXPECT_EQ(OnScreen(*grid), Grab(*grid));
  }
}

// --- Keyboard and mouse -----------------------------------------------------------------------

// A grid whose delete confirmation answers as told.
class TAnsweringGrid : public TspSkinDBGrid {
public:
  using TspSkinDBGrid::TspSkinDBGrid;
  bool Answer = true;
  int Asked = 0;
  QString Question;

protected:
  bool ConfirmDelete(const QString& question) override {
    ++Asked;
    Question = question;
    return Answer;
  }
};

TEST_F(DBGridTest, ReadOnlyGridRefusesInsertDeleteTogglesAndAppending) {
  for (const bool readOnly : {true, false}) {
    SCOPED_TRACE(readOnly ? "read-only" : "writable");
    form.reset();
    NewForm(700, 500);
    QSqlQuery(connection->Database()).exec("DELETE FROM Animals");
    MakeGrid(5);
    // The same grid with an answering confirmation in place of the dialog.
    auto* answering = new TAnsweringGrid(form.get());
    delete grid;
    grid = answering;
    grid->SetSkinData(data);
    grid->SetDataSource(&source);
    grid->SetReadOnly(readOnly);
    ShowRows(10);
    ShowForm();
    grid->setFocus();

    QTest::keyClick(grid, Qt::Key_Insert);
    EXPECT_EQ(cursor->State(), readOnly ? TDataSetState::dsBrowse : TDataSetState::dsInsert);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(cursor->State(), TDataSetState::dsBrowse);

    // A refused confirmation deletes nothing; an accepted one deletes the current record.
    answering->Answer = false;
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(cursor->RecordCount(), 5);
    answering->Answer = true;
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(answering->Asked, readOnly ? 0 : 2);
    EXPECT_EQ(cursor->RecordCount(), readOnly ? 5 : 4);
    EXPECT_EQ(answering->Question, readOnly ? QString() : QStringLiteral("Delete record?"));

    // Two presses on an Adopt cell: the first makes it current, the second toggles.
    const int adopt = FieldColumn("Adopt");
    ASSERT_GE(adopt, 0);
    cursor->First();
    grid->SetLeftCol(adopt + grid->IndicatorOffset());
    const bool before = cursor->FieldByName("Adopt").toBool();
    QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(adopt, 0));
    QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(adopt, 0));
    EXPECT_EQ(cursor->FieldByName("Adopt").toBool(), readOnly ? before : !before);
    cursor->Cancel();

    // Down on the last record appends only where editing is allowed.
    cursor->Last();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(cursor->State(), readOnly ? TDataSetState::dsBrowse : TDataSetState::dsInsert);
    EXPECT_EQ(cursor->RecNo(), cursor->RecordCount());
    cursor->Cancel();
  }
}

TEST_F(DBGridTest, KeysMoveTheCurrentRecordAndColumn) {
  MakeGrid(30);
  ShowRows(10);
  ShowForm();
  grid->setFocus();
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int fromRecNo, toRecNo;
  };
  const Case cases[] = {
      {Qt::Key_Down, {}, 1, 2},
      {Qt::Key_Up, {}, 2, 1},
      {Qt::Key_Up, {}, 1, 1},
      {Qt::Key_PageDown, {}, 1, 11},
      {Qt::Key_PageUp, {}, 15, 5},
      {Qt::Key_End, Qt::ControlModifier, 3, 30},
      {Qt::Key_Home, Qt::ControlModifier, 30, 1},
      {Qt::Key_Down, {}, 30, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key << " from " << c.fromRecNo);
    cursor->SetRecNo(c.fromRecNo);
    QTest::keyClick(grid, c.key, c.modifiers);
    EXPECT_EQ(cursor->RecNo(), c.toRecNo);
  }
  // Ctrl+Down and Ctrl+Up: the last and first rows shown.
  cursor->First();
  cursor->SetRecNo(15); // rows show 6..15
  cursor->SetRecNo(8);
  QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(cursor->RecNo(), 15);
  QTest::keyClick(grid, Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(cursor->RecNo(), 6);

  // Columns: Right, Left, End, Home and Tab over a column of no width.
  EXPECT_EQ(grid->SelectedIndex(), 0);
  QTest::keyClick(grid, Qt::Key_Right);
  EXPECT_EQ(grid->SelectedIndex(), 1);
  grid->Columns()[2]->SetWidth(0);
  QTest::keyClick(grid, Qt::Key_Right);
  EXPECT_EQ(grid->SelectedIndex(), 3);
  QTest::keyClick(grid, Qt::Key_Left);
  EXPECT_EQ(grid->SelectedIndex(), 1);
  QTest::keyClick(grid, Qt::Key_End);
  EXPECT_EQ(grid->SelectedIndex(), grid->Columns().Count() - 1);
  QTest::keyClick(grid, Qt::Key_Home);
  EXPECT_EQ(grid->SelectedIndex(), 0);
  // The key column (ID) is no tab stop: Tab from the last column wraps to the next record's
  // first typed column.
  QTest::keyClick(grid, Qt::Key_End);
  const int recNo = cursor->RecNo();
  QTest::keyClick(grid, Qt::Key_Tab);
  EXPECT_EQ(cursor->RecNo(), recNo + 1);
  EXPECT_EQ(grid->SelectedIndex(), 1);
  EXPECT_TRUE(grid->hasFocus());
}

TEST_F(DBGridTest, CellClickFiresOnReleaseOverDataCellsOnly) {
  MakeGrid(20);
  ShowRows(10);
  ShowForm();
  std::vector<QString> clicks, titles;
  grid->OnCellClick = [&](TspColumn* column) { clicks.push_back(column->FieldName()); };
  grid->OnTitleClick = [&](TspColumn* column) { titles.push_back(column->FieldName()); };

  // The press moves the data set and column; the release fires.
  QTest::mousePress(grid, Qt::LeftButton, {}, CellCentre(1, 3));
  EXPECT_EQ(cursor->RecNo(), 4);
  EXPECT_EQ(grid->SelectedIndex(), 1);
  EXPECT_TRUE(clicks.empty());
  QTest::mouseRelease(grid, Qt::LeftButton, {}, CellCentre(1, 3));
  EXPECT_EQ(clicks, std::vector<QString>{"AnimalName"});

  // The indicator moves the record but is no data cell; the title row fires a title click.
  QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(-1, 5));
  EXPECT_EQ(cursor->RecNo(), 6);
  QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(2, -1));
  QTest::mouseClick(grid, Qt::RightButton, {}, CellCentre(2, 2));
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(titles, std::vector<QString>{"Type"});

  // Dragging a column's border in the title row sizes it and fires nothing.
  const QRect title = grid->CellRect(1 + grid->IndicatorOffset(), 0);
  const QPoint border(title.right() + 1, title.center().y());
  const int width = grid->Columns()[1]->Width();
  QTest::mousePress(grid, Qt::LeftButton, {}, border);
  QTest::mouseMove(grid, border + QPoint(30, 0));
  QTest::mouseRelease(grid, Qt::LeftButton, {}, border + QPoint(30, 0));
  EXPECT_EQ(grid->Columns()[1]->Width(), width + 30);
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(titles.size(), 1u);
  // Below the title row the border is no sizing zone without ColSizingwithLine.
  const QRect cell = grid->CellRect(1 + grid->IndicatorOffset(), 2);
  QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(cell.right() + 1, cell.center().y()));
  EXPECT_EQ(grid->Columns()[1]->Width(), width + 30);
  EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(DBGridTest, TitleDraggedOntoAnotherColumnMovesItAndStillFiresTitleClick) {
  MakeGrid(5);
  ShowRows(10);
  ShowForm();
  std::vector<QString> titles;
  std::vector<std::pair<int, int>> moves;
  grid->OnTitleClick = [&](TspColumn* column) { titles.push_back(column->FieldName()); };
  grid->OnColumnMoved = [&](QObject*, int from, int to) { moves.emplace_back(from, to); };
  const QPoint from = CellCentre(1, -1), to = CellCentre(3, -1);
  QTest::mousePress(grid, Qt::LeftButton, {}, from);
  QTest::mouseMove(grid, from + QPoint(10, 0));
  QTest::mouseMove(grid, to);
  QTest::mouseRelease(grid, Qt::LeftButton, {}, to);
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 3}}));
  const QStringList order = {grid->Columns()[0]->FieldName(), grid->Columns()[1]->FieldName(),
                             grid->Columns()[2]->FieldName(), grid->Columns()[3]->FieldName()};
  EXPECT_EQ(order, QStringList({"ID", "Type", "Colour", "AnimalName"}));
  EXPECT_EQ(titles.size(), 1u);
  // The moved column still shows its own field.
  EXPECT_EQ(grid->CellText(0, *grid->Columns()[3]), QStringLiteral("Animal1"));
}

TEST_F(DBGridTest, ReadOnlyEditorShowsTheValueButDoesNotChangeIt) {
  MakeGrid(5);
  ShowRows(10);
  ShowForm();
  QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(1, 2));
  ASSERT_FALSE(grid->EditorShowing());
  // A second press on the current cell shows the editor; F2 does too.
  QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(1, 2));
  ASSERT_TRUE(grid->EditorShowing());
  QLineEdit* editor = reinterpret_cast<QLineEdit*>(grid->InplaceEditor());
  EXPECT_EQ(editor->text(), QStringLiteral("Animal3"));
  QTest::keyClicks(editor, "xyz");
  EXPECT_EQ(editor->text(), QStringLiteral("Animal3"));
  QTest::keyClick(editor, Qt::Key_Down);
  EXPECT_FALSE(grid->EditorShowing());
  EXPECT_EQ(cursor->RecNo(), 4);
  EXPECT_EQ(cursor->State(), TDataSetState::dsBrowse);
  QTest::keyClick(grid, Qt::Key_F2);
  EXPECT_TRUE(grid->EditorShowing());
  EXPECT_EQ(editor->text(), QStringLiteral("Animal4"));
}

TEST_F(DBGridTest, TheEditorsRightClickAsksForTheEditMenuWithOnlyReadingCommands) {
  MakeGrid(5);
  ShowRows(10);
  ShowForm();
  QTest::keyClick(grid, Qt::Key_F2);
  ASSERT_TRUE(grid->EditorShowing());
  static TspEditMenuRequest asked;
  asked = {};
  SetEditMenuHook([](const TspEditMenuRequest& request) { asked = request; });
  QLineEdit* editor = reinterpret_cast<QLineEdit*>(grid->InplaceEditor());
  QContextMenuEvent click(QContextMenuEvent::Mouse, editor->rect().center(),
                          editor->mapToGlobal(editor->rect().center()));
  QApplication::sendEvent(editor, &click);
  SetEditMenuHook(nullptr);
  EXPECT_EQ(asked.Edit, editor);
  EXPECT_EQ(asked.SkinData, grid->SkinData());
  // The editor shows its value selected: it can be copied, never changed.
  EXPECT_TRUE(asked.Copy.Enabled);
  EXPECT_FALSE(asked.Cut.Enabled);
  EXPECT_FALSE(asked.Paste.Enabled);
  EXPECT_FALSE(asked.Delete.Enabled);
}

TEST_F(DBGridTest, WritableEditorWritesWhatWasTypedWhenTheRecordChanges) {
  MakeGrid(5);
  grid->SetReadOnly(false);
  ShowRows(10);
  ShowForm();
  QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(1, 1));
  QTest::keyClick(grid, Qt::Key_F2);
  ASSERT_TRUE(grid->EditorShowing());
  auto* editor = reinterpret_cast<QLineEdit*>(grid->InplaceEditor());
  QTest::keyClicks(editor, "Rex");
  // Escape reverts the text and hides the editor; typed again, Down writes and posts it.
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(editor->text(), QStringLiteral("Animal2"));
  EXPECT_FALSE(grid->EditorShowing());
  QTest::keyClick(grid, Qt::Key_F2);
  QTest::keyClicks(editor, "Rex");
  QTest::keyClick(editor, Qt::Key_Down);
  EXPECT_EQ(cursor->RecNo(), 3);
  EXPECT_EQ(cursor->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(cursor->FieldAtRow(1, cursor->FieldIndex("AnimalName")).toString(),
            QStringLiteral("Rex"));
}

// --- Layout and painting ---------------------------------------------------------------------

TEST_F(DBGridTest, BuiltinSkinsGiveATitleRowOf19AndAnIndicatorOf11) {
  MakeGrid(3);
  QFont big(QStringLiteral("Tahoma"));
  big.setPixelSize(30);
  grid->SetTitleFont(big);
  for (int skin = 0; skin < 4; ++skin) {
    SCOPED_TRACE(skin);
    grid->DropSkinRecord();
    data->SetSkinIndex(skin);
    grid->ApplySkin();
    EXPECT_EQ(grid->RowHeights(0), 19);
    EXPECT_EQ(grid->ColWidths(0), 11);
    EXPECT_EQ(grid->DefaultRowHeight(), 17);
    EXPECT_EQ(grid->RowHeights(1) + grid->RowLineWidth(), 18);
  }
  // With the skin's cell height the rows take the selected cell's height.
  grid->SetUseSkinCellHeight(true);
  grid->ApplySkin();
  EXPECT_EQ(grid->DefaultRowHeight(), 19);
}

TEST_F(DBGridTest, NullCellsPaintEmpty) {
  MakeGrid(3);
  ShowRows(5);
  ShowForm();
  const int checkOut = FieldColumn("CheckOut");
  ASSERT_GE(checkOut, 0);
  EXPECT_EQ(grid->CellText(0, *grid->Columns()[checkOut]), QString());
  EXPECT_EQ(grid->CellText(0, *grid->Columns()[1]), QStringLiteral("Animal1"));
  // Shown where the column can be seen: the whole cell is the background colour.
  grid->SetLeftCol(checkOut + grid->IndicatorOffset());
  const QImage image = Grab(*grid);
  const QRect cell = grid->CellRect(checkOut + grid->IndicatorOffset(), 2);
  ASSERT_FALSE(cell.isEmpty());
  const QRgb bg = SkinColor(grid->GridRecord()->bgcolor).rgb();
  EXPECT_EQ(CountColour(image, bg, cell), cell.width() * cell.height());
}

TEST_F(DBGridTest, EmptyTablesTinyGridsAndColumnsThatAllFitAreSafe) {
  MakeGrid(0);
  ShowRows(10, 2000);
  ShowForm();
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_FALSE(vbar->isVisible());
  // Every column fits: the horizontal bar has no range and stays hidden.
  EXPECT_FALSE(hbar->isVisible());
  EXPECT_EQ(hbar->Max(), 0);
  grid->setFocus();
  for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home,
                            Qt::Key_Tab, Qt::Key_Right, Qt::Key_F2})
    QTest::keyClick(grid, key);
  QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
  for (int code = SB_LINEUP; code <= SB_BOTTOM; ++code) {
    grid->VScroll(code, 3);
    grid->HScroll(code, 60);
  }
  QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(1, 0));
  EXPECT_FALSE(Grab(*grid).isNull());

  // No room for a data row, then no room at all.
  for (const QSize size : {QSize(300, 12), QSize(0, 0), QSize(5, 300)}) {
    SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
    grid->resize(size);
    grid->SyncRowCount();
    grid->SyncVerticalBar();
    grid->PaintImage();
    for (int code = SB_LINEUP; code <= SB_BOTTOM; ++code) grid->HScroll(code, 127);
  }
  // Every column of no width.
  grid->resize(300, 200);
  for (int k = 0; k < grid->Columns().Count(); ++k) grid->Columns()[k]->SetWidth(0);
  for (int code = SB_LINEUP; code <= SB_BOTTOM; ++code) grid->HScroll(code, 127);
  QTest::keyClick(grid, Qt::Key_Right);
  QTest::keyClick(grid, Qt::Key_Left);
  grid->PaintImage();
}

TEST_F(DBGridTest, HorizontalBarScrollsByColumns) {
  MakeGrid(5);
  ShowRows(5, 300);
  ShowForm();
  ASSERT_TRUE(hbar->isVisible());
  EXPECT_EQ(hbar->Max(), 127);
  EXPECT_EQ(hbar->PageSize(), 0);
  const int maxLeft = grid->MaxLeftCol();
  ASSERT_GT(maxLeft, 1);
  hbar->UpdateLayout();
  QTest::mouseClick(hbar, Qt::LeftButton, {},
                    hbar->Part(TspSkinScrollBar::UpButtonPart).Rect.center());
  EXPECT_GT(grid->LeftCol(), 1);
  grid->HScroll(SB_BOTTOM, 0);
  EXPECT_EQ(grid->LeftCol(), maxLeft);
  EXPECT_EQ(hbar->Position(), 127);
  grid->HScroll(SB_THUMBPOSITION, 0);
  EXPECT_EQ(grid->LeftCol(), 1);
  EXPECT_EQ(hbar->Position(), 0);
}

TEST_F(DBGridTest, ASingleColumnScrollsByPixelsUnderTheIndicator) {
  MakeGrid(5);
  // Persistent columns (an added one makes them so), then only one.
  grid->Columns().Add();
  grid->Columns().Clear();
  TspColumn* name = grid->Columns().Add();
  name->SetFieldName(QStringLiteral("AnimalName"));
  name->SetWidth(400);
  ShowRows(5, 300);
  ShowForm();
  const int fixed = grid->ColWidths(0) + grid->ColLineWidth();
  const int range = 400 - (300 - fixed);
  ASSERT_TRUE(hbar->isVisible());
  EXPECT_EQ(hbar->Max(), range);
  EXPECT_EQ(grid->MaxColOffset(), range);
  const QImage before = Grab(*grid);

  // The far arrow moves by the bar's small change; the end stops at the range.
  hbar->UpdateLayout();
  QTest::mouseClick(hbar, Qt::LeftButton, {},
                    hbar->Part(TspSkinScrollBar::UpButtonPart).Rect.center());
  const int step = hbar->SmallChange();
  EXPECT_EQ(grid->ColOffset(), step);
  EXPECT_EQ(hbar->Position(), step);
  grid->HScroll(SB_PAGEDOWN, 0);
  grid->HScroll(SB_PAGEDOWN, 0);
  EXPECT_EQ(grid->ColOffset(), range);
  EXPECT_EQ(hbar->Position(), range);
  EXPECT_EQ(grid->CellRect(1, 1).left(), fixed - range);

  // The cells moved left by the offset; the indicator column stayed.
  const QImage after = Grab(*grid);
  for (int y : {grid->CellRect(1, 0).center().y(), grid->CellRect(1, 2).center().y()})
    for (int x = fixed; x + range < grid->width(); x += 7) {
      SCOPED_TRACE(QStringLiteral("%1,%2").arg(x).arg(y).toStdString());
      ASSERT_EQ(after.pixel(x, y), before.pixel(x + range, y));
    }
  EXPECT_EQ(after.copy(0, 0, fixed, grid->height()), before.copy(0, 0, fixed, grid->height()));

  grid->HScroll(SB_THUMBPOSITION, 40);
  EXPECT_EQ(grid->ColOffset(), 40);

  // Painted pixels move: only the strip they leave is painted again, unless the background
  // would not move with them.
  TPaintLog log;
  grid->setFocus(); // the commands take the focus first
  QCoreApplication::processEvents();
  grid->installEventFilter(&log);
  const QRect area(fixed, 0, grid->width() - fixed, grid->height());
  for (const bool transparent : {false, true}) {
    SCOPED_TRACE(transparent ? "transparent" : "opaque");
    grid->SetTransparent(transparent);
    QCoreApplication::processEvents();
    log.painted = QRegion();
    grid->HScroll(SB_THUMBPOSITION, transparent ? 30 : 50);
    QCoreApplication::processEvents();
    if (transparent)
      EXPECT_EQ(log.painted.boundingRect(), area);
    else
      EXPECT_EQ(log.painted.boundingRect(), QRect(area.right() - 9, 0, 10, grid->height()));
  }
  grid->removeEventFilter(&log);
  grid->SetTransparent(false);

  // Wide enough for the column: no bar, and back at the start.
  ShowRows(5, 450);
  EXPECT_FALSE(hbar->isVisible());
  EXPECT_EQ(hbar->Max(), 0);
  EXPECT_EQ(grid->ColOffset(), 0);
  EXPECT_EQ(grid->CellRect(1, 1).left(), fixed);
}

TEST_F(DBGridTest, CurrentCellPixelsInTheBlueSkin) {
  MakeGrid(5);
  ShowRows(5);
  ShowForm();
  cursor->SetRecNo(2);
  const TspDataSkinGridControl* rec = grid->GridRecord();
  ASSERT_TRUE(rec);
  const QImage& picture = data->ActivePictures[size_t(rec->pictureindex)];
  const QRect cell = grid->CellRect(1 + grid->IndicatorOffset(), 1 + grid->TitleOffset());
  // A pixel of the cell's left end, kept as it is when the image is composed.
  const QPoint inCell(cell.left() + 1, cell.top() + cell.height() / 2);
  auto sourcePixel = [&](const TspRect& r) {
    // The image is stretched between the text rectangle's top and bottom, so the middle row of
    // the cell maps into that band.
    return picture.pixel(r.Left + 1, r.Top + rec->celltextrect.Top + 1);
  };
  // Current but not focused: the selected look; focused: the focus look.
  QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(1, 1));
  grid->clearFocus();
  QImage image = Grab(*grid);
  EXPECT_NE(image.pixel(inCell), SkinColor(rec->bgcolor).rgb());
  EXPECT_EQ(image.pixel(inCell), sourcePixel(rec->selectcellrect));
  grid->setFocus();
  image = Grab(*grid);
  EXPECT_EQ(image.pixel(inCell), sourcePixel(rec->focuscellrect));
  // A cell of another row keeps the background.
  const QRect plain = grid->CellRect(1 + grid->IndicatorOffset(), 3 + grid->TitleOffset());
  EXPECT_EQ(image.pixel(plain.left() + 1, plain.top() + 1), SkinColor(rec->bgcolor).rgb());
}

TEST_F(DBGridTest, TitleFontColourWritesThePlainTitlesButNotTheSkinnedOnes) {
  constexpr TColor kRed = 0x0000FF;
  for (const bool skinned : {false, true}) {
    SCOPED_TRACE(skinned ? "skinned" : "plain");
    if (skinned) {
      form.reset();
      NewForm(700, 500);
    }
    MakeGrid(2, skinned);
    grid->SetUseSkinFont(false);
    grid->SetTitleFont(grid->TitleFont(), kRed);
    EXPECT_EQ(grid->Columns()[0]->Title().FontColor(), kRed);
    ShowRows(3);
    ShowForm();
    const QRect title = grid->CellRect(1 + grid->IndicatorOffset(), 0);
    const int red = CountColour(Grab(*grid), SkinColor(kRed).rgb(), title);
    // The skin's title colour wins over the font's.
    if (skinned)
      EXPECT_EQ(red, 0);
    else
      EXPECT_GT(red, 5);
    // A column's own title colour wins over the grid's.
    grid->Columns()[2]->Title().SetFontColor(clBtnText);
    const QRect other = grid->CellRect(2 + grid->IndicatorOffset(), 0);
    EXPECT_EQ(CountColour(Grab(*grid), SkinColor(kRed).rgb(), other), 0);
  }
}

TEST_F(DBGridTest, ReadFromTheRightCellImagesTextKeysAndTheBarAreMirrored) {
  MakeGrid(5);
  ShowRows(5, 300);
  ShowForm();
  const int name = FieldColumn("AnimalName");
  grid->SetSelectedIndex(name);
  grid->setFocus();
  const QRect current = grid->CellRect(name + grid->IndicatorOffset(), 1);
  const QRect plain = grid->CellRect(name + grid->IndicatorOffset(), 3);
  const QRect title = grid->CellRect(name + grid->IndicatorOffset(), 0);
  const QRgb text = SkinColor(grid->GridRecord()->fontcolor).rgb();
  const auto half = [](const QRect& r, bool left) {
    return left ? QRect(r.left(), r.top(), r.width() / 2, r.height())
                : QRect(r.left() + r.width() / 2, r.top(), r.width() - r.width() / 2, r.height());
  };
  const QImage ltr = Grab(*grid);
  ASSERT_GT(CountColour(ltr, text, half(plain, true)), 0);
  ASSERT_EQ(CountColour(ltr, text, half(plain, false)), 0);

  grid->setLayoutDirection(Qt::RightToLeft);
  const QImage rtl = Grab(*grid);
  // The images' ends change sides: the right end shows what the left end showed.
  for (const QRect& cell : {current, title})
    for (int dx : {0, 1, 3}) {
      SCOPED_TRACE(dx);
      const int y = cell.top() + cell.height() / 2;
      EXPECT_EQ(rtl.pixel(cell.right() - dx, y), ltr.pixel(cell.left() + dx, y));
    }
  // Left-aligned text goes to the right.
  EXPECT_EQ(CountColour(rtl, text, half(plain, true)), 0);
  EXPECT_GT(CountColour(rtl, text, half(plain, false)), 0);

  // Left and Right swap.
  QTest::keyClick(grid, Qt::Key_Right);
  EXPECT_EQ(grid->SelectedIndex(), name - 1);
  QTest::keyClick(grid, Qt::Key_Left);
  EXPECT_EQ(grid->SelectedIndex(), name);

  // The bar reads 127 - x, and its thumb is taken the same way.
  ASSERT_TRUE(hbar->isVisible());
  grid->HScroll(SB_TOP, 0);
  EXPECT_EQ(hbar->Position(), 127);
  grid->HScroll(SB_BOTTOM, 0);
  EXPECT_EQ(hbar->Position(), 0);
  grid->HScroll(SB_THUMBPOSITION, 127);
  EXPECT_EQ(grid->LeftCol(), grid->FixedCols());
  grid->HScroll(SB_THUMBPOSITION, 0);
  EXPECT_EQ(grid->LeftCol(), grid->MaxLeftCol());
  // Back to reading from the left, the bar turns round at once.
  grid->setLayoutDirection(Qt::LeftToRight);
  EXPECT_EQ(hbar->Position(), 127);
}

TEST_F(DBGridTest, CurrentCellInThePlainLook) {
  MakeGrid(5, false);
  grid->SetOptions(grid->Options() | dgAlwaysShowSelection);
  ShowRows(5);
  ShowForm();
  cursor->SetRecNo(2);
  QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(1, 1));
  const QRect cell = grid->CellRect(1 + grid->IndicatorOffset(), 1 + grid->TitleOffset());
  const QRgb highlight = SkinColor(clHighlight).rgb();
  const QRgb highlightText = SkinColor(clHighlightText).rgb();
  // Focused: the highlight, and the dotted rectangle in the highlight's text colour.
  grid->setFocus();
  QImage image = Grab(*grid);
  EXPECT_GT(CountColour(image, highlight, cell), cell.width() * cell.height() / 2);
  EXPECT_EQ(image.pixel(cell.topLeft()), highlightText);
  EXPECT_EQ(image.pixel(cell.topLeft() + QPoint(1, 0)), highlight);
  // Not focused: the highlight only with dgAlwaysShowSelection, and no dots.
  grid->clearFocus();
  image = Grab(*grid);
  EXPECT_GT(CountColour(image, highlight, cell), cell.width() * cell.height() / 2);
  EXPECT_EQ(image.pixel(cell.topLeft()), highlight);
  grid->SetOptions(grid->Options() & ~dgAlwaysShowSelection);
  EXPECT_EQ(CountColour(Grab(*grid), highlight, cell), 0);
  // The indicator shows the arrow on the current row: black pixels in that cell only.
  const QRect arrowRow = grid->CellRect(0, 1 + grid->TitleOffset());
  const QRect otherRow = grid->CellRect(0, 3 + grid->TitleOffset());
  EXPECT_EQ(CountColour(image, qRgb(0, 0, 0), arrowRow), 36);
  EXPECT_EQ(CountColour(image, qRgb(0, 0, 0), otherRow), 0);
}

} // namespace
