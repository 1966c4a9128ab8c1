#pragma once
// The pieces every report is made of: lines placed by column tabs, the HTML
// of a grid row, the cutting of long texts, dates as the headings show them.
// Texts are UTF-8; widths and positions count characters.
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid.h"

namespace qb {

// Configuration texts of the headings and links.
inline constexpr const char* kMakerName = "Dunmerrow";
inline constexpr const char* kProductWebAddress = "www.quorvelbrakkon.example";
inline constexpr const char* kMakerWebAddress = "www.dunmerrow.example";

// --- characters of UTF-8 text
size_t CharCount(std::string_view text);
// The first n characters, or the last n.
std::string LeftChars(std::string_view text, size_t n);
std::string RightChars(std::string_view text, size_t n);

// --- dates: "Thursday, December 10, 2026", "12:00 PM", "12/10/2026"
std::string LongDate(const std::tm& t);
std::string MediumTime(const std::tm& t);
std::string ShortDate(const std::tm& t);

// Data text made safe inside HTML: the markup characters become entities and
// every character beyond ASCII a numeric reference, so the page reads the
// same whatever code page a browser assumes.
std::string HtmlEscape(std::string_view text);

// True when every character is a digit or "-" (with symbols also ".", "%"
// or "$"); the empty text is not numeric, nor one with a thousands ",".
bool IsNumericText(std::string_view text, bool allowSymbols);

// The next piece of text from the 1-based character position start: at most
// width + 1 characters, ending with the separator's first character where a
// separator lies within reach, else the whole rest.
std::string WrapAtSeparator(std::string_view text, int start, int width,
                            std::string_view separator);

// The pieces WrapAtSeparator gives one after another from the first
// character to the end, untrimmed.
std::vector<std::string> PiecesAtSeparator(std::string_view text, int width,
                                           std::string_view separator);

// A text cut into printed lines of at most width + 1 characters, trimmed:
// at the separator where one lies within reach, else at a blank, else
// wherever the width ends. A text that fits is the one line as it is.
std::vector<std::string> WrapForPrint(std::string_view text, int width,
                                      std::string_view separator);

// Report lines per page for a page that holds `linesThatFit` lines of the
// report font: a small margin below, but 20 where 20 fit; never more than
// fit, at least 1.
int LinesPerPageFor(int linesThatFit);

// Width of each grid column in percent of the grid's total width (0 for a
// hidden column), one per column of the grid.
std::vector<int> ComputeColumnPercents(const Grid& grid);

// The HTML of one grid row. Empty when a row limit is set (rowLimit > 0)
// and the row lies beyond (rowLimit + 2) x factor (a factor below 1 counts
// as 1). Cell texts are escaped; an empty cell is "&nbsp;".
std::string GridRowToHtml(const Grid& grid, int row, const std::vector<int>& columnPct,
                          bool tableStart, bool bold, int tableWidth, const std::string& bgColor,
                          int rowLimit, int rowLimitFactor);

// Lines built item by item, each item placed by a column tab: a tab to
// column n pads the line with blanks up to n (1 is the first column), or
// ends the line first when it is already past n. Finished lines go to the
// sink with the bold state in force when they end.
class TabWriter {
 public:
  using Sink = std::function<void(const std::string& line, bool bold)>;
  explicit TabWriter(Sink sink) : sink_(std::move(sink)) {}
  TabWriter& Tab(int column);
  TabWriter& Text(std::string_view text);
  // A number as printed directly: a blank before a non-negative value and one after.
  TabWriter& Number(double value);
  // Ends the open line (an empty one when nothing was written).
  void End();
  // A line of its own holding one blank, after ending an open line.
  void BlankLine();
  void SetBold(bool bold) { bold_ = bold; }
  bool LineOpen() const { return open_; }

 private:
  Sink sink_;
  std::string line_;
  size_t column_ = 1;  // where the next character goes
  bool open_ = false;
  bool bold_ = false;
};

}  // namespace qb
