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

}  // namespace
}  // namespace qb
