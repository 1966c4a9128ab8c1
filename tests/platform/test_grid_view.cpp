#include "platform/grid_view.h"

#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/twips.h"

namespace qb {
namespace {

class GridViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(600, 400);
    view = new GridView(&window);
    view->setGeometry(0, 0, 600, 400);
    Grid& g = view->grid();
    g.SetCols(4);
    g.SetRows(4);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    for (int c = 0; c < 4; ++c) g.SetColWidth(c, 1500);  // 100 pixels
    g.SetTextMatrix(0, 1, "Band");
    g.SetTextMatrix(0, 2, "Band");
    g.SetTextMatrix(2, 2, "42");
    window.show();
    view->RefreshLayout();
  }
  QPoint CellCentre(int r, int c) { return view->visualRect(view->model()->index(r, c)).center(); }
  QWidget window;
  GridView* view = nullptr;
};

TEST_F(GridViewTest, ShowsTextAlignmentAndSizesInPixels) {
  auto* m = view->model();
  EXPECT_EQ(m->data(m->index(2, 2)).toString(), "42");
  // general alignment: numbers right, text left
  EXPECT_TRUE(m->data(m->index(2, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() &
              Qt::AlignRight);
  EXPECT_TRUE(m->data(m->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() &
              Qt::AlignLeft);
  view->grid().SetCellAlignmentAt(0, 1, flexAlignCenterCenter);
  EXPECT_EQ(m->data(m->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(),
            Qt::AlignCenter);
  EXPECT_EQ(view->columnWidth(1), 100);

  view->grid().SetColWidth(3, 0);
  view->grid().SetRowHeight(3, 0);
  view->grid().SetRowHeight(2, 600);
  view->RefreshLayout();
  EXPECT_TRUE(view->isColumnHidden(3));
  EXPECT_TRUE(view->isRowHidden(3));
  EXPECT_EQ(view->rowHeight(2), TwipsToPixels(600));
}

TEST_F(GridViewTest, MergeRowsJoinEqualNeighboursOnlyWithMergingOn) {
  view->grid().SetMergeRow(0, true);
  view->RefreshLayout();
  EXPECT_EQ(view->columnSpan(0, 1), 1);
  view->grid().SetMergeCells(flexMergeFree);
  view->RefreshLayout();
  EXPECT_EQ(view->columnSpan(0, 1), 2);
  EXPECT_EQ(view->columnSpan(2, 1), 1);
}

TEST_F(GridViewTest, ClicksMoveTheCurrentCellButNotOntoHeadings) {
  int clicks = 0;
  QObject::connect(view, &GridView::Click, [&] { ++clicks; });
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellCentre(2, 2));
  EXPECT_EQ(view->grid().Row(), 2);
  EXPECT_EQ(view->grid().Col(), 2);
  EXPECT_EQ(view->MouseRow(), 2);

  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellCentre(0, 3));
  EXPECT_EQ(view->MouseRow(), 0);
  EXPECT_EQ(view->MouseCol(), 3);
  EXPECT_EQ(view->grid().Row(), 2);  // heading: current cell stays
  EXPECT_EQ(clicks, 2);

  view->grid().SetRow(3);
  view->grid().SetCol(1);
  EXPECT_EQ(view->currentIndex().row(), 3);
  EXPECT_EQ(view->currentIndex().column(), 1);
}

TEST_F(GridViewTest, HidingTheGridHidesTheViewUntilShownAgain) {
  view->grid().SetVisible(false);
  EXPECT_FALSE(view->isVisible());
  view->grid().SetRows(10);
  view->grid().SetTextMatrix(9, 1, "late");
  view->grid().SetRowHeight(8, 0);
  view->grid().SetVisible(true);
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->model()->rowCount(), 10);
  EXPECT_EQ(view->model()->data(view->model()->index(9, 1)).toString(), "late");
  // What changed while hidden reaches the view in one go when it is shown.
  EXPECT_EQ(view->verticalHeader()->count(), 10);
  EXPECT_TRUE(view->isRowHidden(8));
  EXPECT_FALSE(view->isRowHidden(9));
}

TEST_F(GridViewTest, HeadingsStayInPlaceWhileTheDataScrolls) {
  Grid& g = view->grid();
  g.SetRows(200);
  g.SetTextMatrix(199, 2, "last");
  view->RefreshLayout();
  EXPECT_GT(view->FixedHeight(), 0);
  EXPECT_EQ(view->FixedWidth(), 100);

  view->grid().SetRow(199);
  view->grid().SetCol(2);
  view->scrollTo(view->model()->index(199, 2));
  ASSERT_GT(view->verticalScrollBar()->value(), 0);

  // A data row brought into sight is never left under the headings.
  view->scrollTo(view->model()->index(5, 2));
  EXPECT_GE(view->visualRect(view->model()->index(5, 2)).top(), view->FixedHeight());

  // The heading seen at the top is still row 0; a click on it reports row 0
  // and leaves the current cell.
  QTableView* top = nullptr;
  for (auto* v : view->findChildren<QTableView*>())
    if (v->isVisible() && v->geometry().height() == view->FixedHeight() &&
        v->geometry().width() > view->FixedWidth())
      top = v;
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->rowAt(1), 0);
  int dbl = 0;
  QObject::connect(view, &GridView::DblClick, [&] { ++dbl; });
  QTest::mouseDClick(top->viewport(), Qt::LeftButton, {}, QPoint(150, 2));
  EXPECT_EQ(view->MouseRow(), 0);
  EXPECT_EQ(view->MouseCol(), 1);
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(view->grid().Row(), 199);
}

// Numbered repeats of piece to at least size bytes, as the pool winners of
// thousands of tied entries are.
std::string Repeated(const std::string& piece, size_t size = 3000) {
  std::string text;
  for (int i = 1; text.size() < size; ++i) text += piece + std::to_string(i) + " | ";
  return text;
}

TEST_F(GridViewTest, ACellTooLongToShowLooksAsItsWholeTextWouldAndKeepsIt) {
  // Plain names, and names whose characters take no room of their own or two
  // units each: decomposed accents, zero-width spaces and joiners, letters
  // and emoji outside the basic plane (surrogate pairs; a flag with its tag
  // characters). Rows of one line and of several, in each alignment a cell
  // can take.
  const std::string england =
      "\U0001f3f4\U000e0067\U000e0062\U000e0065\U000e006e\U000e0067\U000e007f";
  const std::string texts[] = {
      Repeated("1st-Entrant ( 16 ) ", 20000),
      Repeated("Li\u0301li\u0301i\u0301l\u0301i\u0301i\u0302\u0301i\u0323\u0301 "),
      Repeated("l\u200b\u200bi\u200c\u200cl\u200d\u200di\u2060\ufeffl\u200b "),
      Repeated(england + "\U0001d5c2\U0001d5c5 " + england + england + " Fans \U0001f3c0 "),
  };
  Grid& g = view->grid();
  g.SetRowHeight(1, 600);
  g.SetRowHeight(3, 600);
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.substr(0, 40));
    for (int r = 1; r < 4; ++r)
      for (int c = 1; c < 4; ++c) g.SetTextMatrix(r, c, text);
    for (int alignment = flexAlignLeftTop; alignment <= flexAlignGeneral; ++alignment) {
      SCOPED_TRACE(alignment);
      for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 4; ++c) g.SetCellAlignmentAt(r, c, alignment);
      view->RefreshLayout();
      QAbstractItemDelegate* cutting = view->itemDelegate();
      // The first paint of a glyph not seen before may place its marks a
      // pixel off from later paints.
      view->grab();
      const QImage shown = view->grab().toImage();
      GridCellDelegate uncut(nullptr, false);
      view->setItemDelegate(&uncut);
      const QImage whole = view->grab().toImage();
      view->setItemDelegate(cutting);
      EXPECT_TRUE(shown == whole);
    }
    EXPECT_EQ(view->model()->data(view->model()->index(1, 1)).toString().toStdString(), text);
  }
}

TEST(GridViewAlone, ShowingTheGridOfAViewNeverShownOpensNoWindow) {
  GridView view;
  view.grid().SetVisible(false);
  view.grid().SetVisible(true);
  EXPECT_FALSE(view.isVisible());
}

TEST(GridViewAlone, AGridHiddenInAWindowNotShownYetStaysHiddenWithIt) {
  QWidget window;
  auto* hidden = new GridView(&window);
  auto* shown = new GridView(&window);
  hidden->grid().SetVisible(false);
  shown->grid().SetVisible(false);
  shown->grid().SetVisible(true);
  window.show();
  EXPECT_FALSE(hidden->isVisible());
  EXPECT_TRUE(shown->isVisible());
  hidden->grid().SetVisible(true);
  EXPECT_TRUE(hidden->isVisible());
}

}  // namespace
}  // namespace qb
