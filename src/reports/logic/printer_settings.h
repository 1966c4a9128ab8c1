#pragma once
// The report font size and paper orientation, kept in the user's settings
// under "Printer".
#include <string>

#include "core/pool_state.h"
#include "platform/services.h"

namespace qb {

inline constexpr int kMinPrintFontSize = 2;
inline constexpr int kMaxPrintFontSize = 72;
inline constexpr int kDefaultPrintFontSize = 8;

// "Printer"/"FontSize" (kept when 2 to 72, else 8) and "Printer"/"Orientation"
// (kept when 1 or 2, else 2) into PrintFontSize and PrintOrientation.
void LoadPrinterSettings(PoolState& pool, const SettingsStore& settings);

// Whether the page setup's font size field holds a size of 2 to 72 (text
// that is no number counts as 0).
bool FontSizeTextInRange(const std::string& text);
// The size the page setup stores for the field's text: its value rounded to
// a whole number, 8 when that is outside 2 to 72.
int FontSizeFromText(const std::string& text);

// Takes the page setup's choices into the pool and stores them.
void SavePrinterSettings(PoolState& pool, SettingsStore& settings, int fontSize, int orientation);

}  // namespace qb
