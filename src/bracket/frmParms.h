#pragma once
// The pool parameters dialog: edits copies of the pool's parameters in its
// boxes; only OK writes them into the pool and derives the bracket again.
#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <array>
#include <cstdint>

#include "bracket/logic/parameters.h"
#include "platform/app_context.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace qb {

class frmParms : public QDialog {
  Q_OBJECT
 public:
  explicit frmParms(AppContext& ctx, QWidget* parent = nullptr);

  // Validates, asks, stores and closes; stays open when refused or cancelled.
  void cmdOK_Click();
  // Closes through the keep-changes question without storing.
  void cmdCancel_Click();
  void cmdHelp_Click();

  // Leaving the team count box: rounds, range message, dual-sided rule.
  void txtNbrTeams_LostFocus();
  // The team count box is enabled as the entries and the open bracket windows allow.
  void Form_GotFocus();

  // What a drag from one of the round boxes carries, and its drop.
  QMimeData* DragDataFor(QWidget* source) const;
  // True when the drop was taken (a value copied or the beep for another array).
  bool DropOnto(QWidget* target, const QMimeData* data);

  bool IsChanged() const { return changed_; }
  int RoundCount() const { return roundCount_; }
  int16_t RoundingChoice() const { return roundingChoice_; }

  // --- controls, under their names
  QTabWidget* SSTab1;
  QLineEdit* txtFileName;
  QLineEdit* txtNbrTeams;
  QLineEdit* txtCostShare;
  QCheckBox* chkDual;
  QCheckBox* chkRoundByRound;
  QCheckBox* chkRePair;
  QGroupBox* fraTiebreaker;
  QRadioButton* optTiebreakerYes;
  QRadioButton* OptTiebreakerNo;
  QLabel* lblTiebreaker;
  QComboBox* comTiebreakerType;
  std::array<QLabel*, kMaxRounds + 1> lblPoints{};  // 1..7
  std::array<QLineEdit*, kMaxRounds + 1> txtPoints{};
  std::array<QComboBox*, kMaxRounds + 1> comSeedMethod{};
  std::array<QLineEdit*, kMaxRounds + 1> txtSeedFactor{};
  std::array<QLineEdit*, kPayoutPlaces + 1> txtPctPot{};  // 0..5
  std::array<QLabel*, kPayoutPlaces + 1> lblFlatAmt{};
  QLineEdit* txtHoldbackAmt;
  QRadioButton* optRoundTo10;
  QRadioButton* optRoundTo1;
  QRadioButton* optRoundTo010;
  QRadioButton* optRoundTo001;
  QLabel* lblPctUnalloc;
  QLabel* lblTotalUnalloc;
  QLabel* lblTotPot;
  QLabel* lblTotEntries;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildGeneralTab(QWidget* page);
  void BuildScoringTab(QWidget* page);
  void BuildPayoutTab(QWidget* page);
  void Connect();
  void Form_Load();
  void ShowRoundRows();
  void ShowTiebreakerType();
  void RecalculatePayouts();
  void MarkChanged();
  void Sound(const char* name);
  void SetRounding(int16_t choice);
  void chkDual_Click();
  void comSeedMethod_Click(int r);
  // Runs OK; true when the dialog closed.
  bool RunOk();
  // The keep-changes question; true when the dialog may close.
  bool CloseCheck();
  ParmsEdit ReadEdit() const;
  bool BracketWindowsLoaded() const;
  void StartDrag(QWidget* source);

  AppContext& ctx_;
  int16_t roundingChoice_ = 0;
  bool changed_ = false;
  MsgAnswer answer_ = MsgAnswer::OK;  // OK: not asked yet
  int roundCount_ = 0;
  bool loading_ = false;
  bool teamsTextChanged_ = false;
  bool checkingTeams_ = false;
  std::array<Currency, kPayoutPlaces + 1> shownAmounts_{};
  QPoint dragStart_;
  QPointer<QWidget> dragSource_;
};

}  // namespace qb
