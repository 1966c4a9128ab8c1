#include <gtest/gtest.h>

#include "shell/logic/startup.h"

namespace qb {
namespace {

TEST(StartupSettings, SoundOption) {
  MemorySettingsStore s;
  EXPECT_EQ(ReadSoundOption(s), "On");
  for (const char* v : {"Off", "Click", "On"}) {
    s.SaveSetting("Options", "SoundStatus", v);
    EXPECT_EQ(ReadSoundOption(s), v);
  }
  s.SaveSetting("Options", "SoundStatus", "loud");
  EXPECT_EQ(ReadSoundOption(s), "On");
}

TEST(StartupSettings, PrinterSettingsKeptOnlyInRange) {
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

}  // namespace
}  // namespace qb
