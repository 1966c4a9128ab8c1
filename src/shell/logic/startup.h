#pragma once
// Settings read once at start-up, before any window shows.
#include <string>

#include "core/pool_state.h"
#include "platform/services.h"

namespace qb {

// "Options"/"SoundStatus": "Off", "Click" or "On" (anything else is "On").
std::string ReadSoundOption(const SettingsStore& settings);

}  // namespace qb
