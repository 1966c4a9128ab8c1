#include "core/sound_effects.h"

namespace qb {

int PlaySoundEffect(PoolState& s, WavePlayer& player, const std::string& name, int count) {
  if (s.SoundStatus == "Off" || s.SoundPlayed >= 1) return 0;
  const std::string& wave = s.SoundStatus == "Click" ? std::string("start") : name;
  if (count < 1) count = 1;
  for (int i = 0; i < count; ++i) player.PlayWave(wave);
  ++s.SoundPlayed;
  return count;
}

}  // namespace qb
