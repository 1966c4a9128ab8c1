// libFuzzer target: any texts as the values of the user's settings, which a
// user or another program may have edited: the report font and paper, the
// main window's placement, the sound option, the web site, the upload's
// time-out and page font, the recent files. The bytes are the values one a
// line, in the order of kKeys. Every reader gives a value in its range or
// its default, never a crash.
// fuzz-sources: src/core src/web/logic src/reports/logic/printer_settings.cpp src/shell/logic/main_window_rules.cpp src/shell/logic/startup.cpp
// fuzz-libs: -lcurl
// fuzz-seeds: fuzz/seeds/settings
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/pool_state.h"
#include "platform/services.h"
#include "reports/logic/printer_settings.h"
#include "shell/logic/main_window_rules.h"
#include "shell/logic/startup.h"
#include "web/logic/report_upload.h"
#include "web/logic/web_site.h"

namespace {

struct Key {
  const char* section;
  const char* key;
};
constexpr Key kKeys[] = {
    {"Printer", "FontSize"},    {"Printer", "Orientation"}, {"Settings", "MainLeft"},
    {"Settings", "MainTop"},    {"Settings", "MainWidth"},  {"Settings", "MainHeight"},
    {"Options", "SoundStatus"}, {"Web", "Host"},            {"Web", "PathFileUrl"},
    {"Web", "PathFileKey"},     {"Options", "TimeOut"},     {"Options", "WebRptFontSize"},
    {"Settings", "MRU0"},       {"Settings", "MRU1"},       {"Settings", "MRU2"},
    {"Settings", "MRU3"},
};

bool Blank(char c) { return c == ' ' || c == '\t'; }

void CheckSiteValue(const std::string& v) {
  if (v.empty() || Blank(v.front()) || Blank(v.back())) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  qb::MemorySettingsStore settings;
  size_t at = 0;
  for (const Key& k : kKeys) {
    if (at > bytes.size()) break;
    size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    settings.SaveSetting(k.section, k.key, bytes.substr(at, end - at));
    at = end + 1;
  }
  auto get = [&](const char* section, const char* key, const char* def) {
    return settings.GetSetting(section, key, def);
  };

  qb::PoolState pool;
  qb::LoadPrinterSettings(pool, settings);
  if (pool.PrintFontSize < qb::kMinPrintFontSize || pool.PrintFontSize > qb::kMaxPrintFontSize)
    __builtin_trap();
  if (pool.PrintOrientation != 1 && pool.PrintOrientation != 2) __builtin_trap();
  const std::string sizeText = get("Printer", "FontSize", "");
  const int typed = qb::FontSizeFromText(sizeText);
  if (typed < qb::kMinPrintFontSize || typed > qb::kMaxPrintFontSize) __builtin_trap();
  (void)qb::FontSizeTextInRange(sizeText);

  const qb::MainPlacement p =
      qb::RestoreMainPlacement(get("Settings", "MainLeft", "1000"), get("Settings", "MainTop", "1000"),
                               get("Settings", "MainWidth", "4000"),
                               get("Settings", "MainHeight", "4000"));
  if (p.left < 1 || p.top < 1 || p.width < 7500 || p.height < 5000) __builtin_trap();

  const std::string sound = qb::ReadSoundOption(settings);
  if (sound != "Off" && sound != "Click" && sound != "On") __builtin_trap();

  const qb::WebSite site = qb::WebSiteFromSettings(
      [&](const std::string& section, const std::string& key, const std::string& def) {
        return settings.GetSetting(section, key, def);
      });
  CheckSiteValue(site.host);
  CheckSiteValue(site.pathFileUrl);
  CheckSiteValue(site.pathFileKey);

  const qb::UploadTimeout t = qb::UploadTimeoutFrom(get("Options", "TimeOut", "120"));
  if (t.requestSeconds < 15 || t.requestSeconds > 600) __builtin_trap();
  if (!(t.overallSeconds > 0) || !std::isfinite(t.overallSeconds)) __builtin_trap();
  const int font = qb::WebFontSizeFrom(get("Options", "WebRptFontSize", "9"));
  if (font < 2 || font > 100) __builtin_trap();

  qb::RecentFiles recent("/data/QBDownload.qbp");
  for (int i = 0; i < qb::kRecentFileCount; ++i)
    recent.Set(i, get("Settings", ("MRU" + std::to_string(i)).c_str(), ""));
  recent.Add(get("Settings", "MRU3", ""));
  return 0;
}
