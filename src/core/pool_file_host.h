#pragma once
// What reading and writing a pool file needs of the main window. The main
// window implements it; RecordingPoolFileHost serves tests.
#include <string>
#include <vector>

namespace qb {

class Clock;
class Prompts;
class Random;

class PoolFileHost {
 public:
  virtual ~PoolFileHost() = default;
  virtual void DisableFileCommands() = 0;
  virtual void EnableFileCommands() = 0;
  virtual void RefreshCaption() = 0;
  virtual void AddMRU(const std::string& fileName) = 0;
  // File > Close, after a load that was abandoned.
  virtual void mnuFileClose_Click() = 0;
  // The load-error list (frmErrors), modal. True: OK, use the file anyway;
  // false: Cancel, abandon the load.
  virtual bool ShowLoadErrors(const std::vector<std::string>& errors) = 0;
  virtual void PlaySoundEffect(const std::string& name) = 0;
  virtual void ShowHourglass() = 0;
  virtual void RestorePointer() = 0;
};

// Everything the pool file procedures talk to.
struct PoolFileServices {
  PoolFileHost& host;
  Prompts& prompts;
  Random& random;
  Clock& clock;
};

class RecordingPoolFileHost : public PoolFileHost {
 public:
  void DisableFileCommands() override { fileCommandsEnabled = false; ++disableCalls; }
  void EnableFileCommands() override { fileCommandsEnabled = true; ++enableCalls; }
  void RefreshCaption() override { ++captionRefreshes; }
  void AddMRU(const std::string& fileName) override { mru.push_back(fileName); }
  void mnuFileClose_Click() override { ++closeCalls; }
  bool ShowLoadErrors(const std::vector<std::string>& errors) override {
    shownErrors.push_back(errors);
    return useFileWithErrors;
  }
  void PlaySoundEffect(const std::string& name) override { sounds.push_back(name); }
  void ShowHourglass() override { hourglass = true; }
  void RestorePointer() override { hourglass = false; }

  bool useFileWithErrors = true;  // the answer ShowLoadErrors gives
  bool fileCommandsEnabled = false;
  int disableCalls = 0;
  int enableCalls = 0;
  int captionRefreshes = 0;
  int closeCalls = 0;
  bool hourglass = false;
  std::vector<std::string> mru;
  std::vector<std::vector<std::string>> shownErrors;
  std::vector<std::string> sounds;
};

}  // namespace qb
