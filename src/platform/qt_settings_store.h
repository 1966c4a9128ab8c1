#pragma once
// Per-user settings under the application title, "Section/Key" in QSettings.
#include <memory>

#include "platform/services.h"

class QSettings;

namespace qb {

class QtSettingsStore : public SettingsStore {
 public:
  // The user's own settings of this program.
  QtSettingsStore();
  // Settings kept in the given file (tests use a temporary one).
  explicit QtSettingsStore(const std::string& iniFile);
  ~QtSettingsStore() override;

  std::string GetSetting(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const override;
  // Written through at once, so a crash later loses nothing.
  void SaveSetting(const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace qb
