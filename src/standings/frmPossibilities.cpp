#include "standings/frmPossibilities.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/control_helpers.h"
#include "platform/grid_view.h"
#include "platform/main_window_api.h"
#include "platform/twips.h"
#include "standings/logic/possibilities_grids.h"
#include "standings/logic/possibilities_run.h"

namespace qb {

namespace {

// Often enough for the count to be seen moving, seldom enough to cost the
// run nothing: the run itself never waits for the window.
constexpr int kProgressIntervalMs = 100;

const char* const kNoteText =
    "NOTE:  Possibilities report is only accurate if the tournament is NOT \"re-paired\" from the "
    "point of where actual results have been entered.";

}  // namespace

frmPossibilities::frmPossibilities(AppContext& ctx, QWidget* parent)
    : ReportWindow(ctx, "frmPossibilities", kHelpPossibilities, &PoolState::PossibilitiesReady,
                   parent) {
  setWindowTitle("Display Possibilities");

  QWidget* byScenario = AddPage("By Scenario");
  flxScenario_ = MakeGrid(byScenario, "flxScenario");
  flxScenario_->setWordWrap(true);
  auto* scenarioLayout = new QVBoxLayout(byScenario);
  scenarioLayout->addWidget(flxScenario_);
  // The scenario texts follow the grid's own width, known only once it is laid out.
  flxScenario_->installEventFilter(this);

  QWidget* byName = AddPage("By Name");
  auto* nameLayout = new QVBoxLayout(byName);
  auto* sortRow = new QHBoxLayout;
  auto* label1 = new QLabel("Sort by:", byName);
  label1->setObjectName("Label1");
  comPosition_ = new QComboBox(byName);
  comPosition_->setObjectName("comPosition");
  comPosition_->addItems({"1st", "2nd", "3rd", "4th", "5th", "Booby"});
  label1->setBuddy(comPosition_);
  connect(comPosition_, &QComboBox::activated, this,
          [this] { Guard("comPosition_Click", [this] { Sound("start"); }); });
  auto sortButton = [&](const char* name, const char* caption, const char* tip,
                        void (*sort)(Grid&), const char* handler) {
    return MakeButton(byName, name, caption, tip, [this, sort, handler] {
      Guard(handler, [this, sort] {
        Sound("start");
        sort(flxEntries_->grid());
      });
    });
  };
  QPushButton* byPosition = MakeButton(
      byName, "cmdSortByPosition", "Selected Position",
      "Sort the report by the number of scenarios in which an entry finishes in the selected "
      "position.",
      [this] {
        Guard("cmdSortByPosition_Click", [this] {
          Sound("start");
          SortPossibilitiesByPosition(flxEntries_->grid(), comPosition_->currentText().toStdString());
        });
      });
  QPushButton* byTotal =
      sortButton("cmdSortByTotal", "Most Possibilities",
                 "Sort the report by the number of total possibilities.",
                 &SortPossibilitiesByTotal, "cmdSortByTotal_Click");
  QPushButton* byNameButton =
      sortButton("cmdSortByName", "Name", "Sort report by the name of the participant.",
                 &SortPossibilitiesByName, "cmdSortByName_Click");
  sortRow->addWidget(label1);
  sortRow->addWidget(comPosition_);
  sortRow->addWidget(byPosition);
  sortRow->addWidget(byTotal);
  sortRow->addWidget(byNameButton);
  sortRow->addStretch(1);
  nameLayout->addLayout(sortRow);
  flxEntries_ = MakeGrid(byName, "flxEntries");
  nameLayout->addWidget(flxEntries_);
  connect(flxEntries_, &GridView::DblClick, this,
          [this] { Guard("flxEntries_DblClick", [this] { flxEntries_DblClick(); }); });

  // The tab control keeps its place while hidden, so the buttons stay below it.
  QSizePolicy keep = SSTab1()->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  SSTab1()->setSizePolicy(keep);

  fraControl_ = new QFrame(this);
  fraControl_->setObjectName("fraControl");
  fraControl_->setFrameShape(QFrame::StyledPanel);
  auto* control = new QHBoxLayout(fraControl_);
  cmdProcessing_ = MakeButton(fraControl_, "cmdProcessing", "Begin Processing",
                              "Start calculating the possibilities reports.",
                              [this] { cmdProcessing_Click(); });
  lblProgress_ = new QLabel("Progress:", fraControl_);
  lblProgress_->setObjectName("lblProgress");
  ProgressBar1_ = new QProgressBar(fraControl_);
  ProgressBar1_->setObjectName("ProgressBar1");
  ProgressBar1_->setTextVisible(false);
  control->addWidget(cmdProcessing_);
  control->addSpacing(12);
  control->addWidget(lblProgress_);
  control->addWidget(ProgressBar1_, 1);
  control->addStretch();  // the button keeps its size once the bar is gone
  layout()->addWidget(fraControl_);
  // Enter or Space begins, cancels and closes from the start.
  cmdProcessing_->setFocus();

  lblWarning_ = new QLabel(this);
  lblWarning_->setObjectName("lblWarning");
  lblWarning_->setAlignment(Qt::AlignCenter);
  lblNote_ = new QLabel(kNoteText, this);
  lblNote_->setObjectName("lblNote");
  lblNote_->setAlignment(Qt::AlignCenter);
  lblNote_->setWordWrap(true);
  lblNote_->hide();

  Timer1_ = new QTimer(this);
  Timer1_->setObjectName("Timer1");
  Timer1_->setInterval(kProgressIntervalMs);
  connect(Timer1_, &QTimer::timeout, this, [this] { Guard("Timer1_Timer", [this] { Timer1_Timer(); }); });

  MinimumTwips(6000, 3500);
  Guard("Form_Load", [this] { Form_Load(); });
}

frmPossibilities::~frmPossibilities() {
  // A window that goes without closing (the program ends) still stops its run.
  if (run_) {
    run_->Cancel();
    run_->Wait();
  }
  RestoreCursor();
}

void frmPossibilities::Form_Load() {
  PoolState& pool = ctx_.pool;
  if (pool.Pool.RePair) lblNote_->show();
  SSTab1()->setCurrentIndex(0);
  pool.SoundPlayed = 1;
  status_ = "Not Begun";

  const int height = pool.MainHeight >= 5500 ? pool.MainHeight - 2000 : 3500;
  const int width = pool.MainWidth >= 6400 ? pool.MainWidth - 400 : 6000;
  SizeTwips(width, height);

  flxScenario_->grid().SetVisible(false);
  flxEntries_->grid().SetVisible(false);
  // A refusal sets DialogCancelled, and the main window unloads the window.
  CheckAndAnnounce();
}

bool frmPossibilities::CheckAndAnnounce() {
  PoolState& pool = ctx_.pool;
  // Refuses, and says why, when a game before the last four rounds is
  // undecided, when every result is in, or when no entry takes part.
  open_ = CheckPossibilities(pool, ctx_.prompts);
  if (pool.DialogCancelled) return false;
  announced_ = PossibilitiesBasisOf(pool);

  ProgressBar1_->setRange(0, 100);
  ProgressBar1_->setValue(0);
  SSTab1()->hide();
  lblWarning_->setText(QString("About to process %1 scenarios.  Click on 'Begin Processing' if "
                               "you wish to continue.")
                           .arg(open_.ScenarioCount));
  lblWarning_->adjustSize();
  PlaceLabels();
  ctx_.prompts.Beep();
  return true;
}

bool frmPossibilities::AnnouncementStillHolds() {
  if (PossibilitiesBasisOf(ctx_.pool) == announced_) return true;
  // Results or entries changed while the window waited, before the last 15
  // games as well: what the load would refuse now is refused here, and
  // anything else is announced again for the user to begin on.
  if (!CheckAndAnnounce()) Unload();
  return false;
}

const Grid* frmPossibilities::ReportGrid(int page) const {
  // A run that was cancelled, or still goes on, has no report to give.
  if (status_ != "Completed") return nullptr;
  return page == 0 ? &flxScenario_->grid() : page == 1 ? &flxEntries_->grid() : nullptr;
}

std::string frmPossibilities::NoReportText(int) const {
  if (status_ == "Completed") return {};
  if (status_ == "Processing") return "The possibilities are still being computed.";
  if (status_ == "Cancelled") return "The possibilities have not been computed: the run was stopped.";
  return "The possibilities have not been computed yet.  Click on 'Begin Processing' first.";
}

void frmPossibilities::cmdProcessing_Click() {
  Guard("cmdProcessing_Click", [this] {
    Sound("start");
    if (status_ == "Not Begun") {
      if (AnnouncementStillHolds()) BeginRun();
    } else if (status_ == "Processing") {
      status_ = "Cancelled";
      cmdProcessing_->setText("Close");
      cmdProcessing_->setToolTip("Exit this window.");
      SetOpenFlag(false);
      // The worker stops before its next scenario; the timer then shows
      // what the grids hold.
      if (run_) run_->Cancel();
    } else {
      Unload();
    }
  });
}

void frmPossibilities::BeginRun() {
  lblWarning_->hide();
  lblNote_->hide();
  QApplication::setOverrideCursor(Qt::BusyCursor);
  busyCursor_ = true;
  status_ = "Processing";
  cmdProcessing_->setText("Cancel Processing");

  // The snapshot is taken here, so whatever other windows change while the
  // run goes on does not reach it.
  run_ = std::make_unique<PossibilitiesRun>();
  run_->Start(ctx_.pool, open_);
  const PossibilitiesSnapshot& snap = run_->Snapshot();
  SetupPossibilitiesGrids(flxScenario_->grid(), flxEntries_->grid(), open_.ScenarioCount,
                          static_cast<int>(snap.Entries.size()));
  ProgressBar1_->setRange(0, open_.ScenarioCount);
  ProgressBar1_->setValue(0);
  ShowProgress();
  Timer1_->start();
}

void frmPossibilities::ShowProgress() {
  const int32_t total = run_->Total();
  const int32_t done = run_->Done();
  if (ctx_.main)
    ctx_.main->SetStatusText(CalculatingScenarioText(std::min(done + 1, total), total));
  ProgressBar1_->setValue(done);
}

void frmPossibilities::Timer1_Timer() {
  if (!run_) return;
  if (!run_->Finished()) {
    if (status_ == "Processing") ShowProgress();
    return;
  }
  EndRun();
}

void frmPossibilities::WaitForRun() {
  if (!run_ || !Timer1_->isActive()) return;
  run_->Wait();
  Guard("Timer1_Timer", [this] { Timer1_Timer(); });
}

void frmPossibilities::EndRun() {
  Timer1_->stop();
  run_->Wait();
  if (ctx_.main) ctx_.main->SetStatusText("");
  const PossibilitiesResult& result = run_->Result();
  const bool completed = !run_->Error() && result.Completed && status_ == "Processing";
  FillScenarioRows(flxScenario_->grid(), result);
  if (completed) {
    FillEntryRows(flxEntries_->grid(), run_->Snapshot(), result);
    SortPossibilitiesByName(flxEntries_->grid());
    if (open_.ScenarioCount <= kMaxShownScenarios) SortScenarios(flxScenario_->grid());
    cmdProcessing_->setText("Close");
    status_ = "Completed";
    // Only now are the reports whole, so only now may they be sent.
    SetOpenFlag(true);
  } else if (status_ == "Processing") {
    // The run failed: it is not resumed, and the button closes the window.
    status_ = "Cancelled";
    cmdProcessing_->setText("Close");
    cmdProcessing_->setToolTip("Exit this window.");
  }
  Form_Resize();
  lblProgress_->hide();
  ProgressBar1_->hide();
  SSTab1()->show();
  comPosition_->setCurrentText("1st");
  flxScenario_->grid().SetVisible(true);
  flxEntries_->grid().SetVisible(true);
  RestoreCursor();
  if (run_->Error()) std::rethrow_exception(run_->Error());
}

void frmPossibilities::RestoreCursor() {
  if (busyCursor_ && QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  busyCursor_ = false;
}

void frmPossibilities::flxEntries_DblClick() {
  if (RefuseWhileEntryOpen()) return;
  const int row = flxEntries_->MouseRow();
  const int entry = EntryIndexOfRow(flxEntries_->grid(), row);
  // The rows are the entries as the run took them from the pool.
  if (entry >= 1 && run_) OpenListedEntry(ListedEntryIdsOf(run_->Snapshot()), entry);
}

void frmPossibilities::PlaceLabels() {
  const int w = width(), h = height();
  lblWarning_->move((w - lblWarning_->width()) / 2, (h - lblWarning_->height()) / 2);
  lblNote_->setFixedWidth(std::min(w - 20, std::max(lblWarning_->width(), 300)));
  lblNote_->adjustSize();
  CenterControlOver(lblNote_, lblWarning_);
  lblNote_->move(lblNote_->x(), lblWarning_->y() - TwipsToPixels(300) - lblNote_->height());
}

void frmPossibilities::Form_Resize() {
  if (!isMinimized()) PlaceLabels();
  SizeScenarioGrid();
}

void frmPossibilities::SizeScenarioGrid() {
  // A third of the width for the game winners, the rest for the pool winners.
  if (flxScenario_->isVisible())
    SizeScenarioColumns(flxScenario_->grid(),
                        static_cast<int>(PixelsToTwips(flxScenario_->viewport()->width())));
}

bool frmPossibilities::eventFilter(QObject* watched, QEvent* e) {
  if (watched == flxScenario_ && (e->type() == QEvent::Resize || e->type() == QEvent::Show))
    Guard("Form_Resize", [this] { SizeScenarioGrid(); });
  return ReportWindow::eventFilter(watched, e);
}

void frmPossibilities::resizeEvent(QResizeEvent* e) {
  ReportWindow::resizeEvent(e);
  Guard("Form_Resize", [this] { Form_Resize(); });
}

void frmPossibilities::closeEvent(QCloseEvent* e) {
  // Closed while the run goes on (the window, the pool or the program): the
  // run stops as a cancel stops it, and the window goes once it has.
  if (run_ && !run_->Finished()) {
    run_->Cancel();
    run_->Wait();
    Timer1_->stop();
    if (ctx_.main) ctx_.main->SetStatusText("");
    RestoreCursor();
  }
  ReportWindow::closeEvent(e);
}

}  // namespace qb
