#pragma once
// A report grid as a comma-delimited file for a spreadsheet: heading lines
// that describe the pool, then every grid row with its visible columns.
#include <ctime>
#include <string>

#include "core/pool_state.h"
#include "platform/grid.h"

namespace qb {

// A text as one quoted value: embedded double quotes are doubled.
std::string CsvQuoted(const std::string& text);

// The whole file as UTF-8 text, CR LF after every line: each heading line
// one quoted value; each grid row (header rows too) the quoted text of every
// column wider than 0, each value followed by a comma.
std::string GridCsvText(PoolState& pool, const Grid& grid, const std::string& title,
                        const std::tm& now);

}  // namespace qb
