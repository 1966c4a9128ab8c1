#pragma once
// The report and list grid: cells of text with a current cell and a selection,
// column widths and row heights in twips, fixed header rows and columns,
// per-cell alignment, merge flags, a Tag and a visible flag. The windows show
// it through GridView; the report writers read it directly. Standard C++
// only, so the GUI-free report logic can use it too.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qb {

// Cell alignment codes as the windows store them.
enum GridAlignment : int {
  flexAlignLeftTop = 0,
  flexAlignLeftCenter = 1,
  flexAlignLeftBottom = 2,
  flexAlignCenterTop = 3,
  flexAlignCenterCenter = 4,
  flexAlignCenterBottom = 5,
  flexAlignRightTop = 6,
  flexAlignRightCenter = 7,
  flexAlignRightBottom = 8,
  flexAlignGeneral = 9,  // text to the left, numbers to the right
};

// Sort codes: rows Row..RowSel ordered on columns Col..ColSel.
enum GridSort : int {
  flexSortNone = 0,
  flexSortGenericAscending = 1,   // numbers as numbers, other text as text
  flexSortGenericDescending = 2,
  flexSortNumericAscending = 3,   // text that is no number counts as 0
  flexSortNumericDescending = 4,
  flexSortStringNoCaseAscending = 5,
  flexSortStringNoCaseDescending = 6,
};

enum GridMerge : int { flexMergeNever = 0, flexMergeFree = 1 };

inline constexpr int kGridDefaultColWidth = 960;   // twips
inline constexpr int kGridDefaultRowHeight = 240;  // twips

// The number a cell's text stands for: blanks, a leading "$" and thousands
// separators are skipped; the leading number counts, trailing text (a "%")
// does not. ok is false when the text holds no number at all.
inline double GridNumber(const std::string& text, bool* ok = nullptr) {
  std::string t;
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool neg = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) neg = text[i++] == '-';
  if (i < text.size() && text[i] == '$') ++i;
  if (!neg && i < text.size() && text[i] == '-') neg = true, ++i;
  bool digits = false;
  for (; i < text.size(); ++i) {
    char ch = text[i];
    if (std::isdigit(static_cast<unsigned char>(ch))) {
      t += ch;
      digits = true;
    } else if (ch == ',' && digits) {
      continue;
    } else if (ch == '.' && t.find('.') == std::string::npos) {
      t += ch;
    } else {
      break;
    }
  }
  if (ok) *ok = digits;
  if (!digits) return 0;
  double v = std::strtod(t.c_str(), nullptr);
  return neg ? -v : v;
}

// Whether the whole text is one number (blanks around it allowed).
inline bool GridIsNumber(const std::string& text) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return false;
  size_t e = text.find_last_not_of(" \t");
  std::string t = text.substr(b, e - b + 1);
  char* end = nullptr;
  std::strtod(t.c_str(), &end);
  return end && *end == '\0';
}

class Grid {
 public:
  // What changed, for the view: one cell, the current cell, or everything.
  enum class Change { Cell, Current, Layout, Visible };
  using Listener = std::function<void(Change, int row, int col)>;

  Grid(int rows = 2, int cols = 2, int fixedRows = 1, int fixedCols = 1) {
    SetCols(cols);
    SetRows(rows);
    SetFixedRows(fixedRows);
    SetFixedCols(fixedCols);
  }

  // --- size
  int Rows() const { return static_cast<int>(rows_.size()); }
  int Cols() const { return cols_; }
  // Keeps the cells that still fit; new rows are empty with the default height.
  void SetRows(int n) {
    if (n < 0) throw std::out_of_range("grid row count below 0");
    rows_.resize(n, RowData{std::vector<Cell>(cols_), -1, false});
    if (fixedRows_ > n) fixedRows_ = n;
    ClampCurrent();
    Notify(Change::Layout);
  }
  void SetCols(int n) {
    if (n < 0) throw std::out_of_range("grid column count below 0");
    cols_ = n;
    for (auto& r : rows_) r.cells.resize(n);
    colWidth_.resize(n, -1);
    mergeCol_.resize(n, false);
    if (fixedCols_ > n) fixedCols_ = n;
    ClampCurrent();
    Notify(Change::Layout);
  }
  int FixedRows() const { return fixedRows_; }
  int FixedCols() const { return fixedCols_; }
  void SetFixedRows(int n) {
    if (n < 0 || n > Rows()) throw std::out_of_range("fixed rows outside the grid");
    fixedRows_ = n;
    Notify(Change::Layout);
  }
  void SetFixedCols(int n) {
    if (n < 0 || n > cols_) throw std::out_of_range("fixed columns outside the grid");
    fixedCols_ = n;
    Notify(Change::Layout);
  }

  // --- current cell and selection. Setting Row (Col) also sets RowSel (ColSel).
  int Row() const { return row_; }
  int Col() const { return col_; }
  int RowSel() const { return rowSel_; }
  int ColSel() const { return colSel_; }
  void SetRow(int r) {
    CheckRow(r);
    row_ = rowSel_ = r;
    Notify(Change::Current, row_, col_);
  }
  void SetCol(int c) {
    CheckCol(c);
    col_ = colSel_ = c;
    Notify(Change::Current, row_, col_);
  }
  void SetRowSel(int r) {
    CheckRow(r);
    rowSel_ = r;
  }
  void SetColSel(int c) {
    CheckCol(c);
    colSel_ = c;
  }

  // --- text
  const std::string& Text() const { return TextMatrix(row_, col_); }
  void SetText(std::string t) { SetTextMatrix(row_, col_, std::move(t)); }
  const std::string& TextMatrix(int r, int c) const {
    CheckCell(r, c);
    return rows_[r].cells[c].text;
  }
  void SetTextMatrix(int r, int c, std::string t) {
    CheckCell(r, c);
    rows_[r].cells[c].text = std::move(t);
    Notify(Change::Cell, r, c);
  }

  // --- geometry in twips; a row of height 0 is hidden, a column of width 0 too
  int ColWidth(int c) const {
    CheckCol(c);
    return colWidth_[c] < 0 ? kGridDefaultColWidth : colWidth_[c];
  }
  void SetColWidth(int c, int twips) {
    CheckCol(c);
    colWidth_[c] = std::max(0, twips);
    Notify(Change::Layout);
  }
  int RowHeight(int r) const {
    CheckRow(r);
    return rows_[r].height < 0 ? kGridDefaultRowHeight : rows_[r].height;
  }
  void SetRowHeight(int r, int twips) {
    CheckRow(r);
    rows_[r].height = std::max(0, twips);
    Notify(Change::Layout);
  }
  // True while the column or row keeps the default size.
  bool ColWidthIsDefault(int c) const { return CheckCol(c), colWidth_[c] < 0; }
  bool RowHeightIsDefault(int r) const { return CheckRow(r), rows_[r].height < 0; }

  // --- alignment of the current cell, or of any cell
  int CellAlignment() const { return CellAlignmentAt(row_, col_); }
  void SetCellAlignment(int a) { SetCellAlignmentAt(row_, col_, a); }
  int CellAlignmentAt(int r, int c) const {
    CheckCell(r, c);
    return rows_[r].cells[c].alignment;
  }
  void SetCellAlignmentAt(int r, int c, int a) {
    CheckCell(r, c);
    if (a < flexAlignLeftTop || a > flexAlignGeneral) throw std::out_of_range("bad alignment");
    rows_[r].cells[c].alignment = a;
    Notify(Change::Cell, r, c);
  }

  // --- merging: with merging on, adjacent equal cells of a merge row (side by
  // side) or a merge column (one above the other) show as one.
  int MergeCells() const { return merge_; }
  void SetMergeCells(int m) {
    merge_ = m;
    Notify(Change::Layout);
  }
  bool MergeRow(int r) const { return CheckRow(r), rows_[r].merge; }
  void SetMergeRow(int r, bool on) {
    CheckRow(r);
    rows_[r].merge = on;
    Notify(Change::Layout);
  }
  bool MergeCol(int c) const { return CheckCol(c), mergeCol_[c]; }
  void SetMergeCol(int c, bool on) {
    CheckCol(c);
    mergeCol_[c] = on;
    Notify(Change::Layout);
  }

  // --- rows
  // Removes one row; the rows below move up.
  void RemoveItem(int r) {
    CheckRow(r);
    if (r < fixedRows_) throw std::out_of_range("cannot remove a fixed row");
    rows_.erase(rows_.begin() + r);
    ClampCurrent();
    Notify(Change::Layout);
  }

  // Removes in one pass every row from firstRow on for which remove(row)
  // holds (rows numbered as before the removal); the rest keep their order.
  template <class Pred>
  void RemoveRowsWhere(int firstRow, Pred remove) {
    if (firstRow < fixedRows_) throw std::out_of_range("cannot remove a fixed row");
    std::vector<char> gone(rows_.size(), 0);
    for (int r = firstRow; r < Rows(); ++r) gone[r] = remove(r) ? 1 : 0;
    size_t kept = static_cast<size_t>(std::max(firstRow, 0));
    for (size_t r = kept; r < rows_.size(); ++r) {
      if (gone[r]) continue;
      if (r != kept) rows_[kept] = std::move(rows_[r]);
      ++kept;
    }
    rows_.resize(kept);
    ClampCurrent();
    Notify(Change::Layout);
  }

  // Orders the rows Row..RowSel on the columns Col..ColSel (leftmost first).
  // Whole rows move: every cell, its alignment, the row's height. Rows with
  // equal keys keep their order. Each key is read once per row, so a sort of
  // the largest pool compares numbers and prepared texts only.
  void Sort(int mode) {
    int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    if (c0 < 0 || c1 >= cols_) return;
    std::vector<int> columns;
    for (int c = c0; c <= c1; ++c) columns.push_back(c);
    SortRowsOn(r0, r1, columns, mode);
  }
  // The same for rows r0..r1 on columns in any order of precedence, which
  // need not stand side by side.
  void SortRowsOn(int r0, int r1, const std::vector<int>& columns, int mode) {
    if (mode < flexSortGenericAscending || mode > flexSortStringNoCaseDescending) return;
    if (r0 < 0 || r1 >= Rows() || r0 >= r1 || columns.empty()) return;
    for (int c : columns)
      if (c < 0 || c >= cols_) return;
    const bool descending = mode == flexSortGenericDescending ||
                            mode == flexSortNumericDescending ||
                            mode == flexSortStringNoCaseDescending;
    const bool numeric = mode == flexSortNumericAscending || mode == flexSortNumericDescending;
    const bool text = mode == flexSortStringNoCaseAscending ||
                      mode == flexSortStringNoCaseDescending;
    const int n = r1 - r0 + 1, width = static_cast<int>(columns.size());
    // Generic: a number sorts before any text, numbers by value, texts without
    // regard to case and then with it.
    struct Key {
      double number = 0;
      bool isNumber = false;
      std::string folded;                  // the text in lower case, when it has capitals
      const std::string* lower = nullptr;  // the text to compare without regard to case
      const std::string* raw = nullptr;
    };
    std::vector<Key> keys(static_cast<size_t>(n) * width);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < width; ++j) {
        const std::string& t = rows_[r0 + i].cells[columns[j]].text;
        Key& k = keys[static_cast<size_t>(i) * width + j];
        k.raw = &t;
        if (numeric) {
          k.number = GridNumber(t);
          continue;
        }
        if (!text && GridIsNumber(t)) {
          k.isNumber = true;
          k.number = GridNumber(t);
          continue;
        }
        k.lower = &t;
        auto capital = [](char ch) {
          return std::tolower(static_cast<unsigned char>(ch)) != static_cast<unsigned char>(ch);
        };
        if (std::any_of(t.begin(), t.end(), capital)) {
          k.folded = t;
          for (char& ch : k.folded)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        }
      }
    // Pointers into the keys once the vector stays where it is.
    for (Key& k : keys)
      if (!k.folded.empty()) k.lower = &k.folded;
    auto cmpKey = [&](const Key& a, const Key& b) -> int {
      if (numeric || (a.isNumber && b.isNumber))
        return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
      if (a.isNumber != b.isNumber) return a.isNumber ? -1 : 1;
      int k = a.lower->compare(*b.lower);
      if (k != 0 || text) return k;
      return a.raw->compare(*b.raw);
    };
    std::vector<int> order(n);
    for (int i = 0; i < n; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
      for (int c = 0; c < width; ++c) {
        int k = cmpKey(keys[static_cast<size_t>(x) * width + c],
                       keys[static_cast<size_t>(y) * width + c]);
        if (k != 0) return descending ? k > 0 : k < 0;
      }
      return false;
    });
    std::vector<RowData> sorted;
    sorted.reserve(n);
    for (int i : order) sorted.push_back(std::move(rows_[r0 + i]));
    std::move(sorted.begin(), sorted.end(), rows_.begin() + r0);
    Notify(Change::Layout);
  }

  // --- container properties
  std::string Tag;
  bool Visible() const { return visible_; }
  void SetVisible(bool v) {
    visible_ = v;
    Notify(Change::Visible);
  }

  // The view's hook; one listener at a time.
  void SetListener(Listener l) { listener_ = std::move(l); }

  static int CompareNoCase(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
      int x = std::tolower(static_cast<unsigned char>(a[i]));
      int y = std::tolower(static_cast<unsigned char>(b[i]));
      if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }

 private:
  struct Cell {
    std::string text;
    int alignment = flexAlignGeneral;
  };
  struct RowData {
    std::vector<Cell> cells;
    int height = -1;
    bool merge = false;
  };

  void CheckRow(int r) const {
    if (r < 0 || r >= Rows()) throw std::out_of_range("grid row outside the grid");
  }
  void CheckCol(int c) const {
    if (c < 0 || c >= cols_) throw std::out_of_range("grid column outside the grid");
  }
  void CheckCell(int r, int c) const {
    CheckRow(r);
    CheckCol(c);
  }
  void ClampCurrent() {
    auto clamp = [](int v, int n) { return n <= 0 ? 0 : std::min(std::max(v, 0), n - 1); };
    row_ = clamp(row_, Rows());
    rowSel_ = clamp(rowSel_, Rows());
    col_ = clamp(col_, cols_);
    colSel_ = clamp(colSel_, cols_);
  }
  void Notify(Change what, int r = -1, int c = -1) {
    if (listener_) listener_(what, r, c);
  }

  std::vector<RowData> rows_;
  int cols_ = 0;
  int fixedRows_ = 0;
  int fixedCols_ = 0;
  int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
  std::vector<int> colWidth_;
  std::vector<bool> mergeCol_;
  int merge_ = flexMergeNever;
  bool visible_ = true;
  Listener listener_;
};

// The block of cells SetupGrid worked on.
struct GridBlock {
  int firstRow, lastRow, firstCol, lastCol;
};

// Gives every cell of the block the alignment centre-centre (SetupGrid) or
// right-centre (SetupGrid2). A first row or column below 0 counts as 0, a
// last one below 0 or past the grid as the grid's last; the bounds used come
// back. Rows, columns and fixed rows stay as they are.
inline GridBlock SetupGridAlignment(Grid& grid, int firstRow, int lastRow, int firstCol,
                                    int lastCol, int alignment) {
  if (firstRow < 0) firstRow = 0;
  if (firstCol < 0) firstCol = 0;
  if (lastRow < 0 || lastRow >= grid.Rows()) lastRow = grid.Rows() - 1;
  if (lastCol < 0 || lastCol >= grid.Cols()) lastCol = grid.Cols() - 1;
  for (int r = firstRow; r <= lastRow; ++r)
    for (int c = firstCol; c <= lastCol; ++c) grid.SetCellAlignmentAt(r, c, alignment);
  return {firstRow, lastRow, firstCol, lastCol};
}
inline GridBlock SetupGrid(Grid& grid, int firstRow, int lastRow, int firstCol, int lastCol) {
  return SetupGridAlignment(grid, firstRow, lastRow, firstCol, lastCol, flexAlignCenterCenter);
}
inline GridBlock SetupGrid2(Grid& grid, int firstRow, int lastRow, int firstCol, int lastCol) {
  return SetupGridAlignment(grid, firstRow, lastRow, firstCol, lastCol, flexAlignRightCenter);
}

}  // namespace qb
