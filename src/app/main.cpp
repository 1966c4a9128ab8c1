// Start-up and shut-down of the program.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>

#include "core/pool_state.h"
#include "core/services.h"
#include "platform/app_context.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_help.h"
#include "platform/qt_prompts.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_wave_player.h"
#include "shell/frmMain.h"
#include "shell/logic/startup.h"
#include "shell/window_table.h"

namespace {

// Lets the event loop run for the given time (the start-up pauses).
void ProcessEventsFor(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

int main(int argc, char** argv) {
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
  ctx.programFolder = programFolder;
  // The downloaded bracket lives with the user's data, not beside the program.
  QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  QDir().mkpath(data);
  pool.DownloadPath = QDir(data).filePath("QBDownload.qbp").toStdString();

  qb::WindowTable windows = qb::StandardWindows();

  pool.SoundStatus = qb::ReadSoundOption(settings);
  qb::LoadPrinterSettings(pool, settings);
  if (auto splash = windows.dialogs.find("frmSplash"); splash != windows.dialogs.end())
    splash->second(ctx, nullptr);
  pool.SoundPlayed = 0;
  ProcessEventsFor(100);

  qb::frmMain main(ctx, windows);
  ctx.main = &main;
  prompts.SetFallbackParent(&main);
  files.SetFallbackParent(&main);
  QApplication::setWindowIcon(main.windowIcon());
  main.MDIForm_Load();
  pool.PoolChanged = false;
  pool.NumEntries = 0;
  qb::FillSeedMethodNames(pool);
  main.show();
  if (auto chooser = windows.dialogs.find("frmStartUp"); chooser != windows.dialogs.end())
    chooser->second(ctx, &main);

  return app.exec();
}
