#include "platform/qt_settings_store.h"

#include <QSettings>

#include "core/prompts.h"

namespace qb {

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            kAppTitle, kAppTitle)) {}

QtSettingsStore::QtSettingsStore(const std::string& iniFile)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(iniFile),
                                            QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

namespace {
QString KeyOf(const std::string& section, const std::string& key) {
  return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}
}  // namespace

std::string QtSettingsStore::GetSetting(const std::string& section, const std::string& key,
                                        const std::string& defaultValue) const {
  QVariant v = settings_->value(KeyOf(section, key));
  if (!v.isValid()) return defaultValue;
  return v.toString().toStdString();
}

void QtSettingsStore::SaveSetting(const std::string& section, const std::string& key,
                                  const std::string& value) {
  settings_->setValue(KeyOf(section, key), QString::fromStdString(value));
  settings_->sync();
}

}  // namespace qb
