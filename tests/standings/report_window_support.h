#pragma once
// What the analysis and listing window tests share: a context with a
// recording main window, clicks on grid cells (headings included) and
// pictures of windows for a look.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTableView>
#include <QTest>

#include <string>

#include "platform/app_context.h"
#include "platform/grid_view.h"
#include "support/fake_main_window.h"
#include "support/shots.h"

namespace qb::testing {

class AnalysisWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tc.ctx.main = &main;
    tc.pool.MainWidth = 12000;
    tc.pool.MainHeight = 9000;
  }
  PoolState& s = tc.pool;
  TestContext tc;
  FakeMainWindow main;
};

// Clicks (or double-clicks) a cell of the grid as the user would: a heading
// cell on the view that keeps the headings in place. A double click is a
// click and then the double click, as a mouse sends them.
inline void ClickCell(GridView* view, int row, int col, bool twice = false) {
  view->RefreshLayout();
  QTableView* target = view;
  const Grid& g = view->grid();
  if (row < g.FixedRows() || col < g.FixedCols()) {
    for (QTableView* v : view->findChildren<QTableView*>()) {
      if (!v->isVisible()) continue;
      const QRect r = v->visualRect(v->model()->index(row, col));
      if (r.isValid() && v->viewport()->rect().contains(r.center())) target = v;
    }
  }
  const QPoint at = target->visualRect(target->model()->index(row, col)).center();
  QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, at);
  if (twice) QTest::mouseDClick(target->viewport(), Qt::LeftButton, {}, at);
}

// A picture of the widget as it stands once the events are handled.
inline void SavePicture(QWidget* w, const std::string& name) {
  QApplication::processEvents();
  test::SaveShot(w->grab().toImage(), QString::fromStdString(name));
}

inline int Count(const std::vector<std::string>& v, const std::string& what) {
  return static_cast<int>(std::count(v.begin(), v.end(), what));
}

}  // namespace qb::testing
