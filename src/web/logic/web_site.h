#pragma once
// Where the program finds the vendor's web site: the host shown in the
// captions, the address of the upload's path file and the key its password
// field is scrambled with. Built-in defaults, each overridable in the
// settings (section "Web"), so a pool manager can use a server of their own.
#include <functional>
#include <string>

namespace qb {

inline constexpr const char* kDefaultWebHost = "quorvelbrakkon.example";
inline constexpr const char* kDefaultPathFileUrl = "https://quorvelbrakkon.example/ftppath.txt";
inline constexpr const char* kDefaultPathFileKey = "40271935";

// Settings section and keys of the overrides.
inline constexpr const char* kWebSettingsSection = "Web";
inline constexpr const char* kWebHostKey = "Host";
inline constexpr const char* kPathFileUrlKey = "PathFileUrl";
inline constexpr const char* kPathFileKeyKey = "PathFileKey";

struct WebSite {
  std::string host = kDefaultWebHost;
  std::string pathFileUrl = kDefaultPathFileUrl;
  std::string pathFileKey = kDefaultPathFileKey;
};

// The site from the settings: lookup(section, key, default) as SettingsStore
// answers it. An empty or blank setting keeps the default.
using SettingLookup =
    std::function<std::string(const std::string&, const std::string&, const std::string&)>;
WebSite WebSiteFromSettings(const SettingLookup& lookup);

}  // namespace qb
