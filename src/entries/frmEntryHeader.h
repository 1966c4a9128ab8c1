#pragma once
// "Edit Entry Header Information": whose entry the current entry is and the
// number it carries for that participant. The opener sets EditEntryNumber
// (and for a new entry NewEntryMode true and CurrentBettor 0) and runs
// exec(). DialogCancelled true afterwards means Cancel; after OK the entry's
// BettorIndex and EntryNumber are stored.
#include <QDialog>

#include "platform/app_context.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qb {

class frmEntryHeader : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 53;

  explicit frmEntryHeader(AppContext& ctx, QWidget* parent = nullptr);

  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdEditBettor_Click();
  void cmdHelp_Click();
  void reject() override;

  bool changed() const { return changed_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormLoad();
  void ShowBettorDetails();
  // A participant chosen by a click in the list or by typing.
  void ChooseBettor(bool byClick);
  void OnNameEdited();
  void ProposeNumber();
  // The participant the combo shows: the chosen item when the text reads as
  // it, else the item spelt exactly like the text, else 0.
  int SelectedBettor() const;

  AppContext& ctx_;
  QComboBox* comEntryName;
  QLineEdit* txtBettorEntryNbr;
  QLabel* lblPhone;
  QLabel* lblEmail;
  QLineEdit* txtAddlInfo;
  QPushButton* cmdEditBettor;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;
  bool changed_ = false;
  bool loading_ = false;
  bool closing_ = false;
  // The key being pressed in the name box types text, so the text may be completed.
  bool completeTyping_ = false;
};

}  // namespace qb
