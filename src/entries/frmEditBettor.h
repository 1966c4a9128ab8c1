#pragma once
// "Edit Participant Info": one participant's name, phone, e-mail and other
// information, with what that participant's entries cost, collected and owe.
// The caller sets CurrentBettor (0 for a new participant) and, for a new
// one, may hand a name in NewBettorName. After exec(): DialogCancelled is
// false when the participant was stored, and CurrentBettor then holds its index.
#include <QDialog>

#include "platform/app_context.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace qb {

// Clears SoundPlayed on every mouse-down and key-down in the window, so the
// next user action may sound again.
void ClearSoundPlayedOnInput(QWidget* window, PoolState& pool);
// The line edit selects its whole text whenever it gets the focus.
void SelectAllOnFocus(QLineEdit* edit);
// Opens the window's help topic through the main window, or directly in tests.
void ShowWindowHelp(AppContext& ctx, int helpContext, const std::string& windowName);

class frmEditBettor : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 52;

  explicit frmEditBettor(AppContext& ctx, QWidget* parent = nullptr);

  // Stores the participant and closes; refused with a message otherwise.
  void cmdOK_Click();
  // Closes, first asking whether to keep changes when there are any.
  void cmdCancel_Click();
  void cmdHelp_Click();
  void reject() override;

  bool changed() const { return changed_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormLoad();
  bool SaveBettor();
  // True when the window may close: nothing changed, or the user kept or
  // dropped the changes.
  bool QueryUnload();
  void SetChanged() { changed_ = true; }

  AppContext& ctx_;
  QLineEdit* txtBettorName;
  QLineEdit* txtBettorPhone;
  QLineEdit* txtBettorEmail;
  QLineEdit* txtBettorInfo;
  QLabel* lblEntryTotal;
  QLabel* lblBetTotal;
  QLabel* lblCollectedTotal;
  QLabel* lblOwedTotal;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;
  bool changed_ = false;
  bool closing_ = false;
};

}  // namespace qb
