#include "shell/logic/startup.h"

namespace qb {

std::string ReadSoundOption(const SettingsStore& settings) {
  std::string v = settings.GetSetting("Options", "SoundStatus", "On");
  if (v == "Off" || v == "Click") return v;
  return "On";
}

}  // namespace qb
