#include "web/logic/web_site.h"

namespace qb {
namespace {

std::string Trimmed(std::string t) {
  const auto first = t.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = t.find_last_not_of(" \t");
  return t.substr(first, last - first + 1);
}

}  // namespace

WebSite WebSiteFromSettings(const SettingLookup& lookup) {
  WebSite site;
  auto take = [&](const char* key, std::string& value) {
    std::string set = Trimmed(lookup(kWebSettingsSection, key, ""));
    if (!set.empty()) value = std::move(set);
  };
  take(kWebHostKey, site.host);
  take(kPathFileUrlKey, site.pathFileUrl);
  take(kPathFileKeyKey, site.pathFileKey);
  return site;
}

}  // namespace qb
