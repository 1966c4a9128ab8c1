#pragma once
// Settings read once at start-up, before any window shows.
#include <string>

#include "core/pool_state.h"
#include "platform/services.h"

namespace qb {

// "Options"/"SoundStatus": "Off", "Click" or "On" (anything else is "On").
std::string ReadSoundOption(const SettingsStore& settings);

// "Printer"/"FontSize" (kept when 2 to 72, else 8) and "Printer"/"Orientation"
// (kept when 1 or 2, else 2).
void LoadPrinterSettings(PoolState& pool, const SettingsStore& settings);

}  // namespace qb
