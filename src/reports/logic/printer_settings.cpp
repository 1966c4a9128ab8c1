#include "reports/logic/printer_settings.h"

#include <charconv>
#include <cmath>

#include "core/text_format.h"

namespace qb {

namespace {

bool ReadInt(const std::string& text, int& value) {
  auto b = text.find_first_not_of(' ');
  if (b == std::string::npos) return false;
  auto e = text.find_last_not_of(' ') + 1;
  auto [ptr, ec] = std::from_chars(text.data() + b, text.data() + e, value);
  return ec == std::errc() && ptr == text.data() + e;
}

}  // namespace

void LoadPrinterSettings(PoolState& pool, const SettingsStore& settings) {
  int size = 0;
  pool.PrintFontSize =
      ReadInt(settings.GetSetting("Printer", "FontSize", "8"), size) && size >= kMinPrintFontSize &&
              size <= kMaxPrintFontSize
          ? static_cast<int16_t>(size)
          : kDefaultPrintFontSize;
  int orientation = 0;
  pool.PrintOrientation =
      ReadInt(settings.GetSetting("Printer", "Orientation", "2"), orientation) &&
              (orientation == 1 || orientation == 2)
          ? static_cast<int16_t>(orientation)
          : 2;
}

bool FontSizeTextInRange(const std::string& text) {
  double v = Val(text);
  return v >= kMinPrintFontSize && v <= kMaxPrintFontSize;
}

int FontSizeFromText(const std::string& text) {
  double v = std::round(Val(text));
  if (!(v >= kMinPrintFontSize && v <= kMaxPrintFontSize)) return kDefaultPrintFontSize;
  return static_cast<int>(v);
}

void SavePrinterSettings(PoolState& pool, SettingsStore& settings, int fontSize, int orientation) {
  pool.PrintOrientation = static_cast<int16_t>(orientation == 1 ? 1 : 2);
  settings.SaveSetting("Printer", "Orientation", std::to_string(pool.PrintOrientation));
  pool.PrintFontSize = static_cast<int16_t>(fontSize);
  settings.SaveSetting("Printer", "FontSize", std::to_string(pool.PrintFontSize));
}

}  // namespace qb
