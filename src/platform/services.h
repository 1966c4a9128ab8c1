#pragma once
// Stand-ins for the desktop services the windows use, each a small interface
// with a Qt implementation (platform/qt_*.h) and a scripted double for tests.
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qb {

// Open and save file dialogs. Filters use Qt's "Pool Files (*.qbp);;All (*)" form.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // nullopt when the user cancels.
  virtual std::optional<std::string> GetOpenFileName(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& startPath) = 0;
  virtual std::vector<std::string> GetOpenFileNames(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& startPath) = 0;
  virtual std::optional<std::string> GetSaveFileName(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& startPath) = 0;
  // A folder; nullopt when the user cancels.
  virtual std::optional<std::string> GetFolderName(const std::string& title,
                                                   const std::string& startPath) {
    return std::nullopt;
  }
};

class ScriptedFileDialogs : public FileDialogs {
 public:
  // nullopt queued = the user cancels.
  void Queue(std::optional<std::string> name) { names_.push_back(std::move(name)); }
  std::optional<std::string> GetOpenFileName(const std::string& title, const std::string& filter,
                                             const std::string& startPath) override {
    return Next(title);
  }
  std::vector<std::string> GetOpenFileNames(const std::string& title, const std::string& filter,
                                            const std::string& startPath) override {
    auto n = Next(title);
    return n ? std::vector<std::string>{*n} : std::vector<std::string>{};
  }
  std::optional<std::string> GetSaveFileName(const std::string& title, const std::string& filter,
                                             const std::string& startPath) override {
    proposals.push_back(startPath);
    return Next(title);
  }
  std::optional<std::string> GetFolderName(const std::string& title,
                                           const std::string& startPath) override {
    return Next(title);
  }
  std::vector<std::string> titles;
  std::vector<std::string> proposals;  // the name each save dialog proposed

 private:
  std::optional<std::string> Next(const std::string& title) {
    titles.push_back(title);
    if (names_.empty()) return std::nullopt;
    auto n = names_.front();
    names_.pop_front();
    return n;
  }
  std::deque<std::optional<std::string>> names_;
};

// Per-user settings by section and key, under the application title.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string GetSetting(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const = 0;
  virtual void SaveSetting(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

class MemorySettingsStore : public SettingsStore {
 public:
  std::string GetSetting(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const override {
    auto it = values.find(section + "/" + key);
    return it == values.end() ? defaultValue : it->second;
  }
  void SaveSetting(const std::string& section, const std::string& key,
                   const std::string& value) override {
    values[section + "/" + key] = value;
  }
  std::map<std::string, std::string> values;
};

// The help topics' folder beside the program, as every Help button names it.
inline constexpr const char* kHelpFile = "help";
// Told (after a beep) when a window's help topic is not there.
inline constexpr const char* kNoHelpText =
    "No help is available for this window.\r\nThe help topics were not found beside the program.";

// Context help: HTML topics beside the program.
class Help {
 public:
  virtual ~Help() = default;
  // False when there is no help to show (the caller tells the user).
  virtual bool ShowTopic(const std::string& helpFile, int helpContext,
                         const std::string& windowName) = 0;
};

class RecordingHelp : public Help {
 public:
  bool ShowTopic(const std::string& helpFile, int helpContext,
                 const std::string& windowName) override {
    topics.push_back(windowName + "#" + std::to_string(helpContext));
    return available;
  }
  std::vector<std::string> topics;
  bool available = true;
};

}  // namespace qb
