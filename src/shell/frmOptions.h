#pragma once
// Edit > Options: the sound option, kept in the settings ("Options"/"SoundStatus";
// start-up reads it with ReadSoundOption).
#include <QDialog>
#include <string>

#include "platform/app_context.h"

class QRadioButton;

namespace qb {

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
