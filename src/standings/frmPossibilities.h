#pragma once
// Display Possibilities: counts over every outcome of the undecided games in
// which place each entry can still finish. Its load says whether a run makes
// sense and how many scenarios it will process; one button starts the run,
// cancels it while it goes on and closes the window afterwards. The run
// counts on a snapshot on worker threads, so the window stays responsive.
#include <QString>
#include <memory>
#include <string>

#include "standings/logic/open_games.h"
#include "standings/report_window.h"

class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace qb {

class PossibilitiesRun;

class frmPossibilities : public ReportWindow {
  Q_OBJECT
 public:
  explicit frmPossibilities(AppContext& ctx, QWidget* parent = nullptr);
  ~frmPossibilities() override;

  // The reports exist once a run has completed: page 0 the scenario winners,
  // page 1 the winning possibilities.
  const Grid* ReportGrid(int page) const override;
  std::string NoReportText(int page) const override;

  // "Not Begun", "Processing", "Cancelled" or "Completed".
  const std::string& ProcessingStatus() const { return status_; }
  // The run of this window, null before it began.
  const PossibilitiesRun* Run() const { return run_.get(); }
  // Waits until a run that goes on has ended and has been shown, as the
  // window's timer would see it.
  void WaitForRun();

  void cmdProcessing_Click();

 protected:
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Form_Load();
  void Form_Resize();
  void Timer1_Timer();
  void BeginRun();
  // The checks of the load; when they pass, the announcement of the
  // scenarios to process, with a beep. False when they refused.
  bool CheckAndAnnounce();
  // False when the results or the entries changed since the announcement:
  // the checks are then made again, and the window goes if they refuse.
  bool AnnouncementStillHolds();
  void EndRun();
  void ShowProgress();
  void RestoreCursor();
  void flxEntries_DblClick();
  void PlaceLabels();
  void SizeScenarioGrid();

  OpenGameList open_;
  PossibilitiesBasis announced_;  // what the announcement was made from
  std::string status_ = "Not Begun";
  std::unique_ptr<PossibilitiesRun> run_;
  bool busyCursor_ = false;

  QFrame* fraControl_;
  QPushButton* cmdProcessing_;
  QLabel* lblProgress_;
  QProgressBar* ProgressBar1_;
  QTimer* Timer1_;
  GridView* flxScenario_;
  GridView* flxEntries_;
  QComboBox* comPosition_;
  QLabel* lblNote_;
  QLabel* lblWarning_;
};

}  // namespace qb
