// Start-up and shut-down of the program.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "core/file_replace.h"
#include "core/pool_state.h"
#include "core/services.h"
#include "platform/app_context.h"
#include "platform/print_surface.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_help.h"
#include "platform/pool_text_guard.h"
#include "platform/qt_prompts.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_wave_player.h"
#include "shell/frmMain.h"
#include "shell/startup.h"
#include "shell/window_table.h"

int main(int argc, char** argv) {
  // A backup copy or a PDF past the file size limit (ulimit -f) fails with its message
  // instead of ending the program with the open pool's changes unsaved.
  qb::LetOversizedWritesFail();
  QApplication app(argc, argv);
  QApplication::setApplicationName(qb::kAppTitle);
  QApplication::setOrganizationName(qb::kAppTitle);
  const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();

  qb::PoolState pool;
  qb::QtPrompts prompts;
  qb::QtFileDialogs files;
  qb::QtSettingsStore settings;
  qb::QtWavePlayer waves(programFolder);
  qb::QtHelp help(programFolder);
  qb::SystemClock clock;
  qb::SystemRandom random;
  qb::AppContext ctx{pool, prompts, files, settings, waves, help, clock, random, nullptr, {}, {}};
  qb::PoolTextGuard textGuard(prompts);
  ctx.programFolder = programFolder;
  qb::SharedPrinter printer;
  ctx.printer = &printer;
  // The downloaded bracket lives with the user's data, not beside the program.
  QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  QDir().mkpath(data);
  ctx.dataFolder = data.toStdString();
  pool.DownloadPath = QDir(data).filePath("QBDownload.qbp").toStdString();

  qb::frmMain main(ctx, qb::StandardWindows());
  prompts.SetFallbackParent(&main);
  files.SetFallbackParent(&main);
  QApplication::setWindowIcon(main.windowIcon());
  qb::StartProgram(ctx, main);

  int rc = app.exec();
  waves.FinishPlaying();  // the "shutdown" sound is not cut off
  return rc;
}
