#include "web/web_files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qb {

std::string UserDataFolder(const AppContext& ctx) {
  QString folder = QString::fromStdString(ctx.dataFolder);
  if (folder.isEmpty())
    folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  QDir().mkpath(folder);
  return folder.toStdString();
}

std::string UserDataFile(const AppContext& ctx, const std::string& name) {
  return QDir(QString::fromStdString(UserDataFolder(ctx)))
      .filePath(QString::fromStdString(name))
      .toStdString();
}

std::string ReadableDataFile(const AppContext& ctx, const std::string& name) {
  const std::string own = UserDataFile(ctx, name);
  if (QFileInfo::exists(QString::fromStdString(own)) || ctx.programFolder.empty()) return own;
  const QString beside =
      QDir(QString::fromStdString(ctx.programFolder)).filePath(QString::fromStdString(name));
  return QFileInfo::exists(beside) ? beside.toStdString() : own;
}

WebSite ConfiguredWebSite(const AppContext& ctx) {
  return WebSiteFromSettings(
      [&ctx](const std::string& section, const std::string& key, const std::string& def) {
        return ctx.settings.GetSetting(section, key, def);
      });
}

}  // namespace qb
