#pragma once
// What every window is handed: the open pool and the services. main() owns
// them all; each test builds its own context (see TestContext).
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/pool_state.h"
#include "core/prompts.h"
#include "core/services.h"
#include "platform/pool_text_guard.h"
#include "platform/services.h"

namespace qb {

class MainWindowApi;
class SharedPrinter;

struct AppContext {
  PoolState& pool;
  Prompts& prompts;
  FileDialogs& files;
  SettingsStore& settings;
  WavePlayer& waves;
  Help& help;
  Clock& clock;
  Random& random;
  // The one main window; null in tests that run a window on its own.
  MainWindowApi* main = nullptr;
  // Window that gets the focus back when the entry editor closes.
  QPointer<QWidget> EditEntryCaller;
  // Folder of the program: wave files, help topics, downloads.
  std::string programFolder;
  // The printer the user set up; null prints to a PDF file (tests).
  SharedPrinter* printer = nullptr;
  // Per-user folder of the files the program writes for itself (the downloaded
  // pool, the upload's files): an installed program folder is read-only.
  std::string dataFolder{};
  // Hands memory freed by a closed pool and its windows back to the system;
  // a test puts its own here to see when that happens.
  std::function<void()> returnFreedMemory = ReturnFreedMemory;
};

// A context with doubles for every service, for tests.
struct TestContext {
  PoolState pool;
  ScriptedPrompts prompts;
  ScriptedFileDialogs files;
  MemorySettingsStore settings;
  RecordingWavePlayer waves;
  RecordingHelp help;
  FixedClock clock{TestNoon()};
  FixedRandom random{0.5};
  AppContext ctx{pool, prompts, files, settings, waves, help, clock, random, nullptr, {}, {}};
  PoolTextGuard textGuard{prompts};

  // 10 December 2026, 12:00.
  static std::tm TestNoon() {
    std::tm t{};
    t.tm_hour = 12;
    t.tm_mday = 10;
    t.tm_mon = 11;
    t.tm_year = 126;
    return t;
  }
};

}  // namespace qb
