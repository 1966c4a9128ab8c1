#pragma once
// The entries that picked one team to win in one round, with their points;
// Show Entry (or a double click on a row) opens one in the entry editor. A
// window of its own, not a child of the main window's client area, which
// closes with the main window. It lists what the pool held when it loaded.
#include <QWidget>

#include "core/entry_identity.h"
#include "platform/app_context.h"
#include "standings/logic/entries_with_pick.h"

class QLabel;
class QPushButton;

namespace qb {

class GridView;

class frmEntriesWithPick : public QWidget {
  Q_OBJECT
 public:
  // Lists the entries for AnalysisTeam and AnalysisRound.
  explicit frmEntriesWithPick(AppContext& ctx, QWidget* parent = nullptr);
  // Shows the one window, loading it first when there is none; a loaded one
  // is only brought forward, with its old list.
  static frmEntriesWithPick* ShowFor(AppContext& ctx);
  // The loaded window, null when there is none.
  static frmEntriesWithPick* Loaded();

  void cmdShow_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();

  QLabel* lblHeader = nullptr;
  GridView* flxEntries = nullptr;
  QPushButton* cmdShow = nullptr;
  QPushButton* cmdCancel = nullptr;
  QPushButton* cmdHelp = nullptr;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void FormLoad();
  void flxEntries_DblClick();
  void Sound(const char* name);
  int GridWidthTwips() const;
  template <class F>
  void Guard(const char* handler, F&& f);

  AppContext& ctx_;
  ListedEntryIds listed_;  // the entries as the list shows them
};

}  // namespace qb
