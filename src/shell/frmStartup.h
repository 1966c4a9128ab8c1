#pragma once
// The start-up chooser: what to do first, shown modally over the main window.
// It only hands the choice back; the main window carries it out.
#include <QDialog>
#include <string>
#include <vector>

#include "platform/app_context.h"

class QListWidget;
class QPushButton;

namespace qb {

struct StartupChoice {
  enum class Kind {
    Cancelled,        // no pool open
    RecentFile,       // InitialOpen(path)
    MoreFiles,        // File > Open
    NewFile,          // File > New
    DownloadBracket,  // Tools > Download Bracket
  };
  Kind kind = Kind::Cancelled;
  std::string path;  // the recent file
};

class frmStartup : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 230;
  static constexpr const char* kMoreFilesText = "More Files...";
  static constexpr const char* kNewFileText = "Start a new file";
  static constexpr const char* kDownloadText = "Download a new bracket file";

  // Lists the recent files of the settings ("Settings"/"MRU0" to "MRU3").
  explicit frmStartup(AppContext& ctx, QWidget* parent = nullptr);
  StartupChoice Choice() const { return choice_; }
  // Shows the chooser modally and returns what the user chose.
  static StartupChoice Ask(AppContext& ctx, QWidget* parent);

  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();

 private:
  AppContext& ctx_;
  QListWidget* lstChoices_;
  StartupChoice choice_;
};

// The recent files as the settings hold them, most recent first, empty ones left out.
std::vector<std::string> RecentFilesFromSettings(const SettingsStore& settings);

}  // namespace qb
