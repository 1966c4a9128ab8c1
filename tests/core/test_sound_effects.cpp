#include <gtest/gtest.h>

#include "core/sound_effects.h"

namespace qb {
namespace {

TEST(PlaySoundEffect, OnPlaysTheNamedWaveOncePerUserAction) {
  PoolState s;
  RecordingWavePlayer w;
  s.SoundStatus = "On";
  s.SoundPlayed = 0;
  EXPECT_EQ(PlaySoundEffect(s, w, "whoosh"), 1);
  EXPECT_EQ(s.SoundPlayed, 1);
  EXPECT_EQ(PlaySoundEffect(s, w, "camera"), 0);  // same user action: silent
  EXPECT_EQ(w.played, (std::vector<std::string>{"whoosh"}));
  s.SoundPlayed = 0;  // a mouse-down or key-down
  PlaySoundEffect(s, w, "camera", 3);
  EXPECT_EQ(w.played, (std::vector<std::string>{"whoosh", "camera", "camera", "camera"}));
  EXPECT_EQ(s.SoundPlayed, 1);
}

TEST(PlaySoundEffect, OffIsSilentAndCountsNothing) {
  PoolState s;
  RecordingWavePlayer w;
  s.SoundStatus = "Off";
  EXPECT_EQ(PlaySoundEffect(s, w, "start"), 0);
  EXPECT_TRUE(w.played.empty());
  EXPECT_EQ(s.SoundPlayed, 0);
}

TEST(PlaySoundEffect, ClickReplacesEverySoundByStart) {
  PoolState s;
  RecordingWavePlayer w;
  s.SoundStatus = "Click";
  PlaySoundEffect(s, w, "claves", 2);
  EXPECT_EQ(w.played, (std::vector<std::string>{"start", "start"}));
}

TEST(PlaySoundEffect, CountBelowOnePlaysOnce) {
  PoolState s;
  RecordingWavePlayer w;
  EXPECT_EQ(PlaySoundEffect(s, w, "pswitch", 0), 1);
  s.SoundPlayed = 0;
  EXPECT_EQ(PlaySoundEffect(s, w, "pswitch", -4), 1);
  EXPECT_EQ(w.played.size(), 2u);
}

TEST(PlaySoundEffect, AWindowLoadCanKeepItselfSilent) {
  PoolState s;
  RecordingWavePlayer w;
  s.SoundPlayed = 1;
  PlaySoundEffect(s, w, "start");
  EXPECT_TRUE(w.played.empty());
  EXPECT_EQ(s.SoundPlayed, 1);
}

}  // namespace
}  // namespace qb
