#pragma once
// Base of the report windows: rankings (frmDisplayRank), possibilities,
// pool analysis and the participant listing. (The entries with a pick are a
// window of their own, not a ReportWindow.) A report window fills Grid
// models shown by GridViews once, while it loads; the possibilities window
// fills its grids from its run, once the run ends. The printed reports, the
// report distribution and the comma-delimited export read those grids
// through ReportGrid() in their current order; where a page has none to
// give, NoReportText() says why in the user's words (else the caller's own
// text).
//
// What the base does, so a window does not:
// - the tab control SSTab1 (a QTabWidget; AddPage(caption) adds a page and
//   returns it) and CurrentPage(); a page change once the window is shown
//   plays "start";
// - AdjustMenuForActiveWindow on the main window whenever it becomes active;
//   centred in the main window's client area when first shown, with the
//   focus on the control named by SetInitialFocus(); focus handed to the
//   window as a whole (the entry editor closing) goes back to the control
//   that last had it;
// - closing: Edit > OK and Edit > Cancel, cmdOK_Click(), cmdCancel_Click()
//   and Escape close it, asking nothing: a report has no changes to keep.
//   Closing plays PlayCloseSound(): "drcls3" unless the window overrides it;
// - the window-open flag of PoolState (DisplayRankOpen, PossibilitiesReady,
//   PoolAnalysisOpen, ListBettorsOpen) is cleared when the window closes or
//   goes; the window sets it with SetOpenFlag(true) where its load succeeded;
// - Help > Window Help shows the help context given to the constructor;
// - entries by identity: the constructor gives every live entry one, so a
//   window keeps a ListedEntryIds of what it listed. OpenListedEntry() opens
//   the entry a row listed wherever it is now (a rename or renumbering does
//   not matter; one no longer in the pool is refused with kEntryGoneText);
//   OpenEntry() opens one by its index now. Both are refused with
//   "Another Entry is already open!" while the editor holds one;
// - Guard(): an exception out of a handler goes to the unexpected-error
//   report and the window stays open; BusyCursor shows the hourglass;
//   MakeGrid() gives a GridView in the small font the twips widths suit;
//   SizeTwips() and MinimumTwips() size the window.
//
// How a window uses it:
//   class frmPoolAnalysis : public ReportWindow {
//    public:
//     explicit frmPoolAnalysis(AppContext& ctx, QWidget* parent = nullptr)
//         : ReportWindow(ctx, "frmPoolAnalysis", kHelpPoolAnalysis,
//                        &PoolState::PoolAnalysisOpen, parent) {
//       setWindowTitle("...");
//       QWidget* teamPage = AddPage("...");  // a page of SSTab1
//       flxTeam = MakeGrid(teamPage, "flxTeam");
//       Guard("Form_Load", [this] { BusyCursor busy; Fill(); SetOpenFlag(true); });
//     }
//     const Grid* ReportGrid(int page) const override { ... }
//   };
// The main window makes it from src/shell/window_table.cpp:
//     t.children["frmPoolAnalysis"] = Child<frmPoolAnalysis>();
// and opens it by the command in frmMain's table of commands that show a
// window; src/shell/logic/main_window_rules.cpp routes the Edit and File >
// Print commands to it, and src/reports/logic/report_catalog.cpp names its
// reports by page. A load that must refuse says why and sets
// DialogCancelled; the main window then drops the window. A loaded window
// is only brought forward when asked for again.
//
// Sorting the grids, the hidden key columns and their Tag subtitles are plain
// C++ in standings/logic/report_grid.h; a window hides nothing itself.
#include <QPointer>
#include <QTabWidget>
#include <string>

#include "core/entry_identity.h"
#include "core/pool_state.h"
#include "platform/child_window.h"
#include "platform/error_report.h"
#include "platform/grid.h"

namespace qb {

class GridView;

// Help topics of the report windows.
inline constexpr int kHelpDisplayRank = 60;
inline constexpr int kHelpPossibilities = 61;
inline constexpr int kHelpPoolAnalysis = 62;
inline constexpr int kHelpEntriesWithPick = 63;
inline constexpr int kHelpListBettors = 64;

// The hourglass for as long as it lives.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// The entry a report listed at index, where it is now in the pool; when it
// is no longer a live entry of the pool, beeps, says so and gives 0.
int ListedEntryOrSayGone(AppContext& ctx, const ListedEntryIds& listed, int index);

class ReportWindow : public ChildWindow {
  Q_OBJECT
 public:
  // openFlag: the PoolState flag this window clears when it goes; null for none.
  ReportWindow(AppContext& ctx, std::string windowName, int helpContext, bool PoolState::*openFlag,
               QWidget* parent = nullptr);
  ~ReportWindow() override;

  std::string windowName() const override { return name_; }
  int helpContext() const override { return helpContext_; }

  // The grid a report of that page of SSTab1 is written from; null when the
  // page has none (or it is not filled yet).
  virtual const Grid* ReportGrid(int page) const { return nullptr; }
  // Why the page has no report to give just now (its grid is missing or
  // kept hidden), in the user's words; empty when it has one.
  virtual std::string NoReportText(int page) const { return {}; }
  // Page of SSTab1 the user looks at; 0 without pages.
  int CurrentPage() const;
  const Grid* CurrentReportGrid() const { return ReportGrid(CurrentPage()); }
  QTabWidget* SSTab1() const { return tabs_; }

  void cmdOK_Click() override { Unload(); }
  void cmdCancel_Click() override { Unload(); }

  // The entry hand-over: while an entry is open in the editor, beeps, says
  // "Another Entry is already open!" and returns true.
  bool RefuseWhileEntryOpen();
  // Opens entry (an index into Entries) in the entry editor, which gives the
  // focus back to this window when it closes; refuses as above while another
  // entry is open, and does nothing for an entry that is not in the pool.
  // True when the editor was asked to open it.
  bool OpenEntry(int entry);
  // The same for the entry the report listed at index (the index it had
  // when the report was made): a rename or a renumbering since then does not
  // matter, an entry no longer in the pool is refused with a message.
  // Index 0 does nothing.
  bool OpenListedEntry(const ListedEntryIds& listed, int index);

 protected:
  QWidget* AddPage(const QString& caption);
  GridView* MakeGrid(QWidget* parent, const char* name);
  void SetOpenFlag(bool open);
  void Sound(const char* name, int count = 1);
  // Closes the window and its frame in the main window.
  void Unload();
  // The control that has the focus when the window first shows.
  void SetInitialFocus(QWidget* control) { initialFocus_ = control; }
  // Size of the window in twips, and the smallest size it may take.
  void SizeTwips(int width, int height);
  void MinimumTwips(int width, int height);

  template <class F>
  void Guard(const char* handler, F&& f) {
    RunGuarded(ctx_, this, false, name_ + "." + handler, std::forward<F>(f));
  }

  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  // Escape closes a report window, as Cancel does.
  void keyPressEvent(QKeyEvent* e) override;
  // The sound of the window going; most report windows share one.
  virtual void PlayCloseSound() { Sound("drcls3"); }

 private:
  void Form_Activate();
  void OnFrameStateChanged(Qt::WindowStates was, Qt::WindowStates now);

  std::string name_;
  int helpContext_;
  bool PoolState::*openFlag_;
  QTabWidget* tabs_;
  QPointer<QWidget> initialFocus_;
  QPointer<QWidget> lastFocus_;  // the control that last had the focus
  bool placed_ = true;
};

}  // namespace qb
