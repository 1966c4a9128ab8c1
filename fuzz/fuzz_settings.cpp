// libFuzzer target: the settings a user or another program may have edited,
// read as the program reads them at start-up and when its windows open.
// The input holds one stored text a line, for the keys below in turn; keys
// past the last line are not stored. Every reader must give a value within
// its range or its default, and what the program stores back must read back
// the same.
// fuzz-sources: src/core src/reports/logic/printer_settings.cpp src/shell/logic src/web/logic
// fuzz-libs: -lcurl
// fuzz-seeds: fuzz/seeds/settings
// fuzz-dict: fuzz/settings.dict
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/text_format.h"
#include "platform/services.h"
#include "reports/logic/printer_settings.h"
#include "shell/logic/main_placement.h"
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
    {"Printer", "FontSize"},  {"Printer", "Orientation"},  {"Options", "SoundStatus"},
    {"Settings", "MainLeft"}, {"Settings", "MainTop"},      {"Settings", "MainWidth"},
    {"Settings", "MainHeight"}, {"Web", "Host"},            {"Web", "PathFileUrl"},
    {"Web", "PathFileKey"},   {"Web", "OwnerKey"},          {"Options", "TimeOut"},
    {"Options", "WebRptFontSize"},
};

bool Blank(char c) { return c == ' ' || c == '\t'; }

void Printer(const qb::MemorySettingsStore& s) {
  qb::PoolState pool;
  qb::LoadPrinterSettings(pool, s);
  if (pool.PrintFontSize < qb::kMinPrintFontSize || pool.PrintFontSize > qb::kMaxPrintFontSize)
    __builtin_trap();
  if (pool.PrintOrientation != 1 && pool.PrintOrientation != 2) __builtin_trap();
  if (!s.values.count("Printer/FontSize") && pool.PrintFontSize != qb::kDefaultPrintFontSize)
    __builtin_trap();
  if (!s.values.count("Printer/Orientation") && pool.PrintOrientation != 2) __builtin_trap();

  // The page setup's field holding the stored text, and what OK stores.
  const std::string field = s.GetSetting("Printer", "FontSize", "");
  const int size = qb::FontSizeFromText(field);
  if (size < qb::kMinPrintFontSize || size > qb::kMaxPrintFontSize) __builtin_trap();
  if (qb::FontSizeTextInRange(field) && size != static_cast<int>(std::round(qb::Val(field))))
    __builtin_trap();
  qb::MemorySettingsStore saved;
  qb::PoolState chosen;
  qb::SavePrinterSettings(chosen, saved, size, pool.PrintOrientation);
  qb::PoolState again;
  qb::LoadPrinterSettings(again, saved);
  if (again.PrintFontSize != size || again.PrintOrientation != pool.PrintOrientation)
    __builtin_trap();
}

void Sound(const qb::MemorySettingsStore& s) {
  const std::string v = qb::ReadSoundOption(s);
  if (v != "Off" && v != "Click" && v != "On") __builtin_trap();
  const std::string stored = s.GetSetting("Options", "SoundStatus", "On");
  if ((stored == "Off" || stored == "Click") && v != stored) __builtin_trap();
}

void Placement(const qb::MemorySettingsStore& s) {
  auto get = [&](const char* key, const char* def) { return s.GetSetting("Settings", key, def); };
  const qb::MainPlacement p = qb::RestoreMainPlacement(
      get("MainLeft", "1000"), get("MainTop", "1000"), get("MainWidth", "4000"),
      get("MainHeight", "4000"));
  if (p.left < 1 || p.top < 1 || p.width < 7500 || p.height < 5000) __builtin_trap();
  // Stored back as the program stores it, the placement reads back the same.
  const qb::MainPlacement again = qb::RestoreMainPlacement(
      qb::PlacementText(p.left), qb::PlacementText(p.top), qb::PlacementText(p.width),
      qb::PlacementText(p.height));
  if (again.left != p.left || again.top != p.top || again.width != p.width ||
      again.height != p.height)
    __builtin_trap();
  // In pixels, kept on one of two screens side by side.
  auto px = [](int twips) { return (twips + 7) / 15; };
  const qb::ScreenRect frame{px(p.left), px(p.top), px(p.width), px(p.height)};
  const std::vector<qb::ScreenRect> screens{{0, 0, 1920, 1040}, {1920, -200, 1280, 1024}};
  const qb::ScreenRect kept = qb::KeepOnScreen(frame, screens);
  bool inside = false;
  for (const qb::ScreenRect& sc : screens)
    inside = inside || (kept.left >= sc.left && kept.top >= sc.top && kept.right() <= sc.right() &&
                        kept.bottom() <= sc.bottom());
  if (!inside || kept.width <= 0 || kept.height <= 0) __builtin_trap();
}

void Web(const qb::MemorySettingsStore& s) {
  const qb::WebSite site = qb::WebSiteFromSettings(
      [&](const std::string& section, const std::string& key, const std::string& def) {
        return s.GetSetting(section, key, def);
      });
  for (const std::string* t : {&site.host, &site.pathFileUrl, &site.pathFileKey})
    if (t->empty() || Blank(t->front()) || Blank(t->back())) __builtin_trap();
  if (!s.values.count("Web/Host") && site.host != qb::kDefaultWebHost) __builtin_trap();
  if (!s.values.count("Web/PathFileUrl") && site.pathFileUrl != qb::kDefaultPathFileUrl)
    __builtin_trap();
  if (!s.values.count("Web/PathFileKey") && site.pathFileKey != qb::kDefaultPathFileKey)
    __builtin_trap();

  // A stored key the upload takes must make its commands.
  const std::string key = s.GetSetting(qb::kWebSettingsSection, qb::kOwnerKeySetting, "");
  if (qb::IsOwnerKey(key)) qb::UploadCommands("/data/qb", "", key, "OFFICE");

  const qb::UploadTimeout t = qb::UploadTimeoutFrom(s.GetSetting("Options", "TimeOut", "120"));
  if (t.requestSeconds < 15 || t.requestSeconds > 600) __builtin_trap();
  if (!(t.overallSeconds > 0) || !std::isfinite(t.overallSeconds)) __builtin_trap();
  // What the upload stores back reads as itself.
  if (qb::UploadTimeoutFrom(std::to_string(t.requestSeconds)).requestSeconds != t.requestSeconds)
    __builtin_trap();
  const int font = qb::WebFontSizeFrom(s.GetSetting("Options", "WebRptFontSize", "9"));
  if (font < 2 || font > 100) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  qb::MemorySettingsStore s;
  size_t start = 0;
  for (const Key& k : kKeys) {
    if (start > bytes.size()) break;
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    s.SaveSetting(k.section, k.key, bytes.substr(start, end - start));
    start = end + 1;
  }
  Printer(s);
  Sound(s);
  Placement(s);
  Web(s);
  return 0;
}
