#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Window tests run without a display unless the caller chose a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's own settings (the file dialog's history) and the standard folders go
  // to a folder of this run alone: never the user's, never one that a run
  // beside it writes too.
  QTemporaryDir home;
  if (!home.isValid()) {
    std::fprintf(stderr, "No temporary folder for the test run: %s\n",
                 qPrintable(home.errorString()));
    return 1;
  }
  for (const char* folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
    qputenv(folder, (home.path() + "/" + folder).toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());  // Qt wants it private, as this folder is
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
