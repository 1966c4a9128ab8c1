#pragma once
// Named sound effects, at most one per user action, as the sound option allows.
#include <string>

#include "core/pool_state.h"
#include "core/services.h"

namespace qb {

// Nothing when SoundStatus is "Off" or a sound was already played since the
// last mouse or key input (SoundPlayed 1 or more). Otherwise plays the wave
// `name` ("start" instead when SoundStatus is "Click") count times (a count
// below 1 plays once) and adds 1 to SoundPlayed. Returns how many times it
// played (0 when silent), the count the caller's variable would hold.
int PlaySoundEffect(PoolState& s, WavePlayer& player, const std::string& name, int count = 1);

}  // namespace qb
