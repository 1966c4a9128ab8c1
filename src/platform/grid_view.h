#pragma once
// The grid on screen: a table view over the Grid it owns. Fixed rows and
// columns are drawn as headings that stay in place while the rest scrolls;
// clicks there do not move the current cell.
#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <string>
#include <vector>

#include "platform/grid.h"

namespace qb {

class GridTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit GridTableModel(Grid& grid, QObject* parent = nullptr)
      : QAbstractTableModel(parent), grid_(grid) {}
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  void CellChanged(int r, int c) {
    auto i = index(r, c);
    emit dataChanged(i, i);
  }

 private:
  Grid& grid_;
};

// Qt alignment flags for a grid alignment code; general puts numbers right.
Qt::Alignment QtAlignmentOf(int alignment, const std::string& text);

// Paints a grid cell. Text wraps only in a row tall enough for a second
// line; a one-line cell shows what fits of its text on that line. A text far
// longer than the cell can show (the pool winners of thousands of tied
// entries) is cut before Qt lays it out, which would otherwise take longer
// than the rest of the window's work; the cut never shows. cutLongTexts
// false paints every text whole, to compare with.
class GridCellDelegate : public QStyledItemDelegate {
 public:
  explicit GridCellDelegate(QObject* parent = nullptr, bool cutLongTexts = true)
      : QStyledItemDelegate(parent), cutLongTexts_(cutLongTexts) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 protected:
  void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& index) const override;

 private:
  bool cutLongTexts_;
  mutable bool painting_ = false;
};

class GridView : public QTableView {
  Q_OBJECT
 public:
  explicit GridView(QWidget* parent = nullptr);
  ~GridView() override;
  Grid& grid() { return grid_; }
  const Grid& grid() const { return grid_; }

  // Cell under the mouse at the last press, release or double click.
  int MouseRow() const { return mouseRow_; }
  int MouseCol() const { return mouseCol_; }
  // Applies pending sizes and merged cells now (the view does it on its own
  // at the next pass of the event loop).
  void RefreshLayout();
  // Widens a column (never narrows it) to its widest cell below the fixed
  // rows and the other texts it may come to hold, in the view's font.
  void FitColumnToTexts(int col, const std::vector<std::string>& others = {});
  // Width in pixels the visible columns take, with the frame and a scroll bar.
  int ColumnsWidth() const;
  // Height and width in pixels of the headings that stay in place.
  int FixedHeight() const;
  int FixedWidth() const;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 signals:
  void MouseDown(Qt::MouseButton button);
  void Click();
  void DblClick();

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QTableView* MakeFrozenView();
  // Column widths, spans and the heights of rows 0..sizedRows-1.
  void ApplySizes(QTableView* view, int sizedRows);
  void PlaceFrozenViews();
  void OnGridChange(Grid::Change what, int row, int col);
  void ScheduleLayout();
  void TrackMouse(const QPoint& pos);
  bool IsFixed(int r, int c) const;

  Grid grid_;
  GridTableModel* model_;
  QTableView* frozenTop_ = nullptr;     // the fixed rows
  QTableView* frozenLeft_ = nullptr;    // the fixed columns
  QTableView* frozenCorner_ = nullptr;  // where both meet
  int mouseRow_ = -1;
  int mouseCol_ = -1;
  bool syncing_ = false;
  bool layoutQueued_ = false;
  bool shownBeforeHide_ = false;
  bool stale_ = false;  // the grid changed while hidden
};

}  // namespace qb
