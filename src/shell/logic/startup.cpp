#include "shell/logic/startup.h"

#include <charconv>

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

std::string ReadSoundOption(const SettingsStore& settings) {
  std::string v = settings.GetSetting("Options", "SoundStatus", "On");
  if (v == "Off" || v == "Click") return v;
  return "On";
}

void LoadPrinterSettings(PoolState& pool, const SettingsStore& settings) {
  int size = 0;
  pool.PrintFontSize =
      ReadInt(settings.GetSetting("Printer", "FontSize", "8"), size) && size >= 2 && size <= 72
          ? static_cast<int16_t>(size)
          : 8;
  int orientation = 0;
  pool.PrintOrientation =
      ReadInt(settings.GetSetting("Printer", "Orientation", "2"), orientation) &&
              (orientation == 1 || orientation == 2)
          ? static_cast<int16_t>(orientation)
          : 2;
}

}  // namespace qb
