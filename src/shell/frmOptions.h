#pragma once
// Edit > Options: the sound option, kept in the settings ("Options"/"SoundStatus").
#include <QDialog>
#include <string>

#include "platform/app_context.h"

class QRadioButton;

namespace qb {

// "Off", "Click" or "On"; anything else stored counts as "On".
std::string NormalSoundStatus(const std::string& stored);
// Reads the option into SoundStatus (start-up does this first).
void LoadSoundOption(PoolState& pool, const SettingsStore& settings);
void SaveSoundOption(PoolState& pool, SettingsStore& settings, const std::string& status);

class frmOptions : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 210;
  explicit frmOptions(AppContext& ctx, QWidget* parent = nullptr);
  // Shows the dialog modally; DialogCancelled tells whether it was cancelled.
  static void ShowModal(AppContext& ctx, QWidget* parent);

  // The option the buttons show.
  std::string ChosenStatus() const;
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();

 private:
  AppContext& ctx_;
  QRadioButton* optSoundOn_;
  QRadioButton* optSoundClick_;
  QRadioButton* optSoundOff_;
};

}  // namespace qb
