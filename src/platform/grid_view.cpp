#include "platform/grid_view.h"

#include <algorithm>

#include <QHeaderView>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <vector>

#include "platform/twips.h"

namespace qb {

namespace {

// Whether a code point takes room of its own on the line. Marks, format and
// control characters (zero-width spaces and joiners, emoji tags), spaces
// that may be thinner than any letter, and skin-tone modifiers belong to the
// glyph before them or take next to none.
bool TakesRoom(char32_t c) {
  if (c >= 0x1F3FB && c <= 0x1F3FF) return false;
  switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return false;
    default: return true;
  }
}

// How much of the start of a text fills room halves of the narrowest ASCII
// character's width, at the most: a printable ASCII character takes two
// halves, any other code point one (none is narrower than half the
// narrowest ASCII one), and what takes no room of its own, or is bound by a
// joiner to the code point before it, none. The cut falls only before a
// code point that takes room, so never inside a surrogate pair nor before a
// mark, and it reads no more of the text than it keeps.
qsizetype ShownLength(const QString& text, qsizetype room) {
  const QChar* s = text.constData();
  const qsizetype n = text.size();
  qsizetype taken = 0;
  bool joined = false;
  for (qsizetype i = 0; i < n;) {
    const char16_t u = s[i].unicode();
    if (u < 0x80) {
      if (u >= 0x20 && u < 0x7F && (taken += 2) > room) return i;
      joined = false;
      ++i;
      continue;
    }
    char32_t c = u;
    qsizetype units = 1;
    if (QChar::isHighSurrogate(u) && i + 1 < n && s[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(u, s[i + 1].unicode());
      units = 2;
    }
    if (!joined && TakesRoom(c) && ++taken > room) return i;
    joined = c == 0x200D;
    i += units;
  }
  return n;
}

}  // namespace

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem o = option;
  if (o.rect.height() < 2 * o.fontMetrics.lineSpacing())
    o.features &= ~QStyleOptionViewItem::WrapText;
  painting_ = cutLongTexts_;
  QStyledItemDelegate::paint(painter, o, index);
  painting_ = false;
}

// A painted cell keeps only what its lines hold at the narrowest widths.
void GridCellDelegate::initStyleOption(QStyleOptionViewItem* o, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(o, index);
  // Only a painted cell has its rectangle; a size asked for is the text's.
  if (!painting_ || o->rect.isEmpty()) return;
  // Only the start of a text is seen unless it is set against the bottom,
  // or, on one line, against the right or the middle: those show its end
  // or its middle, so they keep the whole text.
  if (o->displayAlignment & Qt::AlignBottom) return;
  if (!(o->features & QStyleOptionViewItem::WrapText) && !(o->displayAlignment & Qt::AlignLeft))
    return;
  int narrowest = o->fontMetrics.horizontalAdvance(QLatin1Char('i'));
  for (const char c : {'l', 'j', '\'', '|', '.', ',', ':', ';', '!', ' '})
    narrowest = std::min(narrowest, o->fontMetrics.horizontalAdvance(QLatin1Char(c)));
  // Counted in halves of that width; the advances are rounded to whole
  // pixels, so a character may be half a pixel narrower.
  const double least = std::max(0.5, narrowest - 0.5);
  const auto perLine = static_cast<qsizetype>(2 * (o->rect.width() / least + 2));
  const qsizetype lines = o->rect.height() / std::max(1, o->fontMetrics.lineSpacing()) + 1;
  const qsizetype room = perLine * lines + 32;
  // No unit counts more than two.
  if (2 * o->text.size() <= room) return;
  o->text.truncate(ShownLength(o->text, room));
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.Rows();
}
int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.Cols();
}

Qt::Alignment QtAlignmentOf(int alignment, const std::string& text) {
  Qt::Alignment h, v;
  switch (alignment) {
    case flexAlignLeftTop: return Qt::AlignLeft | Qt::AlignTop;
    case flexAlignLeftCenter: return Qt::AlignLeft | Qt::AlignVCenter;
    case flexAlignLeftBottom: return Qt::AlignLeft | Qt::AlignBottom;
    case flexAlignCenterTop: return Qt::AlignHCenter | Qt::AlignTop;
    case flexAlignCenterCenter: return Qt::AlignCenter;
    case flexAlignCenterBottom: return Qt::AlignHCenter | Qt::AlignBottom;
    case flexAlignRightTop: return Qt::AlignRight | Qt::AlignTop;
    case flexAlignRightCenter: return Qt::AlignRight | Qt::AlignVCenter;
    case flexAlignRightBottom: return Qt::AlignRight | Qt::AlignBottom;
    default:
      return (GridIsNumber(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
  }
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  const int r = index.row(), c = index.column();
  if (!index.isValid() || r >= grid_.Rows() || c >= grid_.Cols()) return {};
  switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(grid_.TextMatrix(r, c));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(
          QtAlignmentOf(grid_.CellAlignmentAt(r, c), grid_.TextMatrix(r, c)));
    case Qt::BackgroundRole:
      if (r < grid_.FixedRows() || c < grid_.FixedCols())
        return QPalette().brush(QPalette::Button);
      return {};
    default: return {};
  }
}

GridView::GridView(QWidget* parent) : QTableView(parent), model_(new GridTableModel(grid_, this)) {
  setModel(model_);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(true);
  // A cell too narrow for its text cuts it off, as a printed report would.
  setTextElideMode(Qt::ElideNone);
  setItemDelegate(new GridCellDelegate(this));
  setTabKeyNavigation(false);
  verticalHeader()->setMinimumSectionSize(1);
  // Rows as tight as the text, as in a printed report.
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setMinimumSectionSize(1);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  frozenLeft_ = MakeFrozenView();
  frozenTop_ = MakeFrozenView();
  frozenCorner_ = MakeFrozenView();
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, frozenTop_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, frozenLeft_->verticalScrollBar(),
          &QScrollBar::setValue);
  grid_.SetListener([this](Grid::Change w, int r, int c) { OnGridChange(w, r, c); });
  RefreshLayout();
}

QTableView* GridView::MakeFrozenView() {
  auto* v = new QTableView(this);
  v->setModel(model_);
  v->setFocusPolicy(Qt::NoFocus);
  v->horizontalHeader()->hide();
  v->verticalHeader()->hide();
  v->horizontalHeader()->setMinimumSectionSize(1);
  v->verticalHeader()->setMinimumSectionSize(1);
  v->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
  v->setSelectionMode(QAbstractItemView::NoSelection);
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  v->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  v->setFrameShape(QFrame::NoFrame);
  v->setWordWrap(true);
  v->setTextElideMode(Qt::ElideNone);
  v->setItemDelegate(new GridCellDelegate(v));
  v->viewport()->installEventFilter(this);
  v->hide();
  return v;
}

int GridView::FixedHeight() const {
  int h = 0;
  for (int r = 0; r < grid_.FixedRows() && r < model_->rowCount(); ++r)
    if (!isRowHidden(r)) h += rowHeight(r);
  return h;
}

int GridView::FixedWidth() const {
  int w = 0;
  for (int c = 0; c < grid_.FixedCols() && c < model_->columnCount(); ++c)
    if (!isColumnHidden(c)) w += columnWidth(c);
  return w;
}

void GridView::PlaceFrozenViews() {
  const QRect vp = viewport()->geometry();
  const int h = std::min(FixedHeight(), vp.height());
  const int w = std::min(FixedWidth(), vp.width());
  frozenTop_->setGeometry(vp.x(), vp.y(), vp.width(), h);
  frozenLeft_->setGeometry(vp.x(), vp.y(), w, vp.height());
  frozenCorner_->setGeometry(vp.x(), vp.y(), w, h);
  frozenTop_->setVisible(h > 0);
  frozenLeft_->setVisible(w > 0);
  frozenCorner_->setVisible(h > 0 && w > 0);
  frozenTop_->verticalScrollBar()->setValue(0);
  frozenTop_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
  frozenLeft_->horizontalScrollBar()->setValue(0);
  frozenLeft_->verticalScrollBar()->setValue(verticalScrollBar()->value());
  frozenCorner_->verticalScrollBar()->setValue(0);
  frozenCorner_->horizontalScrollBar()->setValue(0);
  frozenLeft_->raise();
  frozenTop_->raise();
  frozenCorner_->raise();
}

void GridView::resizeEvent(QResizeEvent* e) {
  QTableView::resizeEvent(e);
  PlaceFrozenViews();
}

bool GridView::eventFilter(QObject* watched, QEvent* e) {
  QTableView* frozen = nullptr;
  for (QTableView* v : {frozenTop_, frozenLeft_, frozenCorner_})
    if (v && watched == v->viewport()) frozen = v;
  if (!frozen) return QTableView::eventFilter(watched, e);
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      // Every cell of a heading is fixed: report the cell, move nothing.
      auto* me = static_cast<QMouseEvent*>(e);
      const QPoint p = me->position().toPoint();
      mouseRow_ = frozen->rowAt(p.y());
      mouseCol_ = frozen->columnAt(p.x());
      if (e->type() == QEvent::MouseButtonPress) emit MouseDown(me->button());
      if (e->type() == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton) emit Click();
      if (e->type() == QEvent::MouseButtonDblClick) emit DblClick();
      return true;
    }
    case QEvent::Wheel:
      // The headings never scroll on their own.
      QCoreApplication::sendEvent(viewport(), e);
      return true;
    default: return QTableView::eventFilter(watched, e);
  }
}

void GridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  QTableView::scrollTo(index, hint);
  if (!index.isValid() || !frozenTop_) return;
  // Keep the cell out from under the headings.
  const QRect r = visualRect(index);
  if (index.row() >= grid_.FixedRows() && r.top() < FixedHeight())
    verticalScrollBar()->setValue(verticalScrollBar()->value() - (FixedHeight() - r.top()));
  if (index.column() >= grid_.FixedCols() && r.left() < FixedWidth())
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (FixedWidth() - r.left()));
}

GridView::~GridView() { grid_.SetListener(nullptr); }

bool GridView::IsFixed(int r, int c) const {
  return r < grid_.FixedRows() || c < grid_.FixedCols();
}

void GridView::OnGridChange(Grid::Change what, int row, int col) {
  // A hidden grid is being filled or sorted: the view catches up once, when
  // it is shown again, instead of once per cell.
  if (!grid_.Visible() && (what == Grid::Change::Cell || what == Grid::Change::Layout)) {
    stale_ = true;
    return;
  }
  switch (what) {
    case Grid::Change::Cell:
      model_->CellChanged(row, col);
      if (grid_.MergeCells() != flexMergeNever) ScheduleLayout();
      break;
    case Grid::Change::Current:
      if (!syncing_ && grid_.Visible() && row >= 0 && col >= 0) {
        syncing_ = true;
        selectionModel()->setCurrentIndex(model_->index(row, col),
                                          QItemSelectionModel::ClearAndSelect);
        syncing_ = false;
      }
      break;
    case Grid::Change::Layout:
      model_->Reset();
      ScheduleLayout();
      break;
    case Grid::Change::Visible:
      if (grid_.Visible()) {
        RefreshLayout();
        if (grid_.Rows() > 0 && grid_.Cols() > 0) {
          syncing_ = true;
          selectionModel()->setCurrentIndex(model_->index(grid_.Row(), grid_.Col()),
                                            QItemSelectionModel::ClearAndSelect);
          syncing_ = false;
        }
        if (shownBeforeHide_) show();
        shownBeforeHide_ = false;
      } else {
        // A view that was never shown (no window yet) must not pop up on its
        // own; one inside a window not shown yet must not show with it.
        if (!isHidden() || (!isWindow() && !testAttribute(Qt::WA_WState_ExplicitShowHide))) {
          shownBeforeHide_ = true;
          hide();
        }
      }
      break;
  }
}

void GridView::ScheduleLayout() {
  if (layoutQueued_) return;
  layoutQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    if (layoutQueued_) RefreshLayout();
  });
}

void GridView::FitColumnToTexts(int col, const std::vector<std::string>& others) {
  if (col < 0 || col >= grid_.Cols() || grid_.ColWidth(col) == 0) return;
  const QFontMetrics fm(font());
  int widest = 0;
  auto measure = [&](const std::string& text) {
    widest = std::max(widest, fm.horizontalAdvance(QString::fromStdString(text)));
  };
  for (int r = grid_.FixedRows(); r < grid_.Rows(); ++r) measure(grid_.TextMatrix(r, col));
  for (const std::string& text : others) measure(text);
  // The cell's margins and grid line beside the text.
  const int needed = static_cast<int>(PixelsToTwips(widest + 12));
  if (needed > grid_.ColWidth(col)) grid_.SetColWidth(col, needed);
}

int GridView::ColumnsWidth() const {
  int w = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  for (int c = 0; c < grid_.Cols(); ++c)
    if (grid_.ColWidth(c) > 0) w += TwipsToPixels(grid_.ColWidth(c));
  return w;
}

void GridView::RefreshLayout() {
  layoutQueued_ = false;
  if (stale_) model_->Reset();
  stale_ = false;
  const int rows = grid_.Rows(), fixedRows = grid_.FixedRows();
  ApplySizes(this, rows);
  // The headings at the top never scroll down: their other rows are never seen.
  if (frozenTop_) ApplySizes(frozenTop_, fixedRows);
  if (frozenCorner_) ApplySizes(frozenCorner_, fixedRows);
  if (frozenLeft_) ApplySizes(frozenLeft_, grid_.FixedCols() > 0 ? rows : fixedRows);
  PlaceFrozenViews();
}

void GridView::ApplySizes(QTableView* view, int sizedRows) {
  const int rows = grid_.Rows(), cols = grid_.Cols();
  for (int c = 0; c < cols; ++c) {
    const int w = grid_.ColWidth(c);
    view->setColumnHidden(c, w == 0);
    if (w > 0) view->setColumnWidth(c, TwipsToPixels(w));
  }
  const int defaultHeight = verticalHeader()->defaultSectionSize();
  // A header that may repaint works out where each resized row lies, which
  // takes the rows above it: with updates off a grid of many rows is sized
  // in one pass instead of one pass per row.
  QHeaderView* header = view->verticalHeader();
  const bool updates = header->updatesEnabled();
  header->setUpdatesEnabled(false);
  for (int r = 0; r < std::min(rows, sizedRows); ++r) {
    const int h = grid_.RowHeight(r);
    view->setRowHidden(r, h == 0);
    if (h > 0)
      view->setRowHeight(r, grid_.RowHeightIsDefault(r) ? defaultHeight : TwipsToPixels(h));
  }
  header->setUpdatesEnabled(updates);
  view->clearSpans();
  if (grid_.MergeCells() == flexMergeNever || rows == 0 || cols == 0) return;
  std::vector<char> covered(static_cast<size_t>(rows) * cols, 0);
  auto cover = [&](int r, int c) { covered[static_cast<size_t>(r) * cols + c] = 1; };
  for (int r = 0; r < rows; ++r) {
    if (!grid_.MergeRow(r)) continue;
    for (int c = 0; c < cols;) {
      const std::string& t = grid_.TextMatrix(r, c);
      int e = c + 1;
      while (!t.empty() && e < cols && grid_.TextMatrix(r, e) == t) ++e;
      if (e - c > 1) {
        view->setSpan(r, c, 1, e - c);
        for (int k = c; k < e; ++k) cover(r, k);
      }
      c = e;
    }
  }
  for (int c = 0; c < cols; ++c) {
    if (!grid_.MergeCol(c)) continue;
    for (int r = 0; r < rows;) {
      const std::string& t = grid_.TextMatrix(r, c);
      int e = r + 1;
      while (!t.empty() && !covered[static_cast<size_t>(r) * cols + c] && e < rows &&
             !covered[static_cast<size_t>(e) * cols + c] && grid_.TextMatrix(e, c) == t)
        ++e;
      if (e - r > 1) view->setSpan(r, c, e - r, 1);
      r = e;
    }
  }
}

void GridView::TrackMouse(const QPoint& pos) {
  mouseRow_ = rowAt(pos.y());
  mouseCol_ = columnAt(pos.x());
}

void GridView::mousePressEvent(QMouseEvent* e) {
  TrackMouse(e->position().toPoint());
  emit MouseDown(e->button());
  // A heading cell never becomes the current cell.
  if (mouseRow_ >= 0 && mouseCol_ >= 0 && IsFixed(mouseRow_, mouseCol_)) return;
  QTableView::mousePressEvent(e);
}

void GridView::mouseReleaseEvent(QMouseEvent* e) {
  TrackMouse(e->position().toPoint());
  QTableView::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton) emit Click();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* e) {
  TrackMouse(e->position().toPoint());
  if (!(mouseRow_ >= 0 && mouseCol_ >= 0 && IsFixed(mouseRow_, mouseCol_)))
    QTableView::mouseDoubleClickEvent(e);
  emit DblClick();
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (syncing_ || !current.isValid()) return;
  if (current.row() >= grid_.Rows() || current.column() >= grid_.Cols()) return;
  syncing_ = true;
  grid_.SetRow(current.row());
  grid_.SetCol(current.column());
  syncing_ = false;
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  QModelIndex i = QTableView::moveCursor(action, modifiers);
  if (!i.isValid() || !IsFixed(i.row(), i.column())) return i;
  const int r = std::max(i.row(), grid_.FixedRows());
  const int c = std::max(i.column(), grid_.FixedCols());
  if (r >= grid_.Rows() || c >= grid_.Cols()) return currentIndex();
  return model_->index(r, c);
}

}  // namespace qb
