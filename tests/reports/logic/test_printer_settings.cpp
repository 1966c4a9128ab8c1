#include <gtest/gtest.h>

#include "reports/logic/printer_settings.h"

namespace qb {
namespace {

TEST(PrinterSettings, KeptOnlyInRange) {
  struct Case {
    const char* size;
    const char* orientation;
    int16_t expectedSize, expectedOrientation;
  };
  const Case cases[] = {{"12", "1", 12, 1},  {"2", "2", 2, 2},     {"72", "1", 72, 1},
                        {"1", "0", 8, 2},    {"73", "3", 8, 2},    {"ten", "", 8, 2},
                        {"9.5", "1x", 8, 2}, {" 10 ", " 1", 10, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.size) + "/" + c.orientation);
    MemorySettingsStore s;
    s.SaveSetting("Printer", "FontSize", c.size);
    s.SaveSetting("Printer", "Orientation", c.orientation);
    PoolState pool;
    LoadPrinterSettings(pool, s);
    EXPECT_EQ(pool.PrintFontSize, c.expectedSize);
    EXPECT_EQ(pool.PrintOrientation, c.expectedOrientation);
  }
}

TEST(PrinterSettings, PageSetupFontSizeField) {
  struct Case {
    const char* text;
    bool inRange;
    int stored;
  };
  const Case cases[] = {{"2", true, 2},   {"72", true, 72}, {"1", false, 8},   {"73", false, 8},
                        {"0", false, 8},  {"ten", false, 8}, {"", false, 8},   {"10.4", true, 10},
                        {"8", true, 8},   {"1.9", false, 2}, {"72.4", false, 72}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FontSizeTextInRange(c.text), c.inRange);
    EXPECT_EQ(FontSizeFromText(c.text), c.stored);
  }
}

TEST(PrinterSettings, SavedChoicesReadBack) {
  MemorySettingsStore s;
  PoolState pool;
  SavePrinterSettings(pool, s, 11, 1);
  EXPECT_EQ(s.values["Printer/FontSize"], "11");
  EXPECT_EQ(s.values["Printer/Orientation"], "1");
  PoolState again;
  LoadPrinterSettings(again, s);
  EXPECT_EQ(again.PrintFontSize, 11);
  EXPECT_EQ(again.PrintOrientation, 1);
  SavePrinterSettings(pool, s, 8, 2);
  EXPECT_EQ(s.values["Printer/Orientation"], "2");
}

}  // namespace
}  // namespace qb
