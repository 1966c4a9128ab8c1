#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/file_replace.h"
#include "platform/print_surface.h"
#include "platform/qt_settings_store.h"
#include "shell/frmBackup.h"

namespace qb {
namespace {

// Past the file size limit, a program that starts as main() does is not
// killed by the files it writes before any save: its settings, a backup copy,
// a PDF. Each write fails, and the user is told of the copy and the PDF.
TEST(FileSizeLimit, WritesBeforeAnySaveFailWithoutEndingTheProgram) {
  // A child of its own, started afresh: no earlier test has set the signal.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto child = [] {
    signal(SIGXFSZ, SIG_DFL);  // as the system starts a program, whatever ran before
    LetOversizedWritesFail();  // what main() does first
    QTemporaryDir dir;
    TestContext t;
    t.pool.PoolFilePath = dir.filePath("Office.qbp").toStdString();
    t.pool.PoolChanged = true;
    t.pool.Pool.PoolName = "Office";
    t.pool.Pool.NumTeams = 8;
    const QString away = dir.filePath("backup");
    QDir().mkpath(away);
    QDir().mkpath(dir.filePath("settings"));
    const std::string pdf = dir.filePath("report.pdf").toStdString();

    struct rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlim_t unlimited = limit.rlim_cur;
    limit.rlim_cur = 64;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(10);
    {
      // Opening a pool remembers it among the recent files.
      QtSettingsStore settings(dir.filePath("settings/settings.ini").toStdString());
      settings.SaveSetting("Settings", "MRU0", "/pools/" + std::string(200, 'x') + ".qbp");
    }
    {
      frmBackup dlg(t.ctx);
      dlg.findChild<QLineEdit*>("txtFolder")->setText(away);
      dlg.findChild<QPushButton*>("cmdOK")->click();
    }
    const std::string backupMessage = t.prompts.LastText();
    t.files.Queue(pdf);
    bool printed = true;
    {
      PrintSurface s(t.ctx);
      printed = s.Begin("Report", 1);
      for (int i = 0; printed && i < 200; ++i) s.PrintLine("Line " + std::to_string(i));
      printed = printed && s.End();
    }
    const std::string printMessage = t.prompts.LastText();
    // The test keeps what the child writes to stderr in a file, which the limit would cut.
    limit.rlim_cur = unlimited;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(11);

    std::fprintf(stderr, "backup: %s\nprint: %s\nprinted: %d\nleft:", backupMessage.c_str(),
                 printMessage.c_str(), printed);
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
      std::fprintf(stderr, " %s", name.toStdString().c_str());
    for (const QString& name : QDir(away).entryList(QDir::Files | QDir::Hidden))
      std::fprintf(stderr, " backup/%s", name.toStdString().c_str());
    std::fprintf(stderr, "\nchanged: %d\n", t.pool.PoolChanged);
    std::fflush(stderr);
    dir.remove();
    _exit(0);
  };
  // Not killed; each failure told, nothing half-written left, the pool still unsaved.
  EXPECT_EXIT(child(), ::testing::ExitedWithCode(0),
              "backup: The backup copy could not be written to [^\n]*backup/Office.qbp[.]\r\n"
              "[^\n]*\nprint: The file [^\n]*report.pdf cannot be written[^\n]*\nprinted: 0\n"
              "left:\nchanged: 1\n");
}

}  // namespace
}  // namespace qb
