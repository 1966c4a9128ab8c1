#include "shell/window_table.h"

#include "bracket/frmEnterResults.h"
#include "bracket/frmParms.h"
#include "bracket/frmSetup.h"
#include "entries/frmEditBettor.h"
#include "entries/frmEditEntry.h"
#include "entries/frmEntryHeader.h"
#include "entries/frmImportBettors.h"
#include "entries/frmImportEntries.h"
#include "entries/frmSelectBettor.h"
#include "entries/frmSelectEntry.h"
#include "reports/frmPageSetup.h"
#include "reports/frmPrintForm.h"
#include "shell/frmAbout.h"
#include "shell/frmBackup.h"
#include "shell/frmErrors.h"
#include "shell/frmOptions.h"
#include "shell/print_routing.h"
#include "shell/web_commands.h"
#include "standings/frmDisplayRank.h"
#include "standings/frmListBettors.h"
#include "standings/frmPoolAnalysis.h"
#include "standings/frmPossibilities.h"

namespace qb {

namespace {

template <class Dialog>
WindowTable::DialogRunner Modal() {
  return [](AppContext& c, QWidget* parent) {
    Dialog d(c, parent);
    d.exec();
  };
}

template <class Window>
WindowTable::ChildFactory Child() {
  return [](AppContext& c) -> ChildWindow* { return new Window(c); };
}

}  // namespace

WindowTable StandardWindows() {
  WindowTable t;
  t.children["frmSetup"] = Child<frmSetup>();
  t.children["frmEnterResults"] = Child<frmEnterResults>();
  t.children["frmEditEntry"] = Child<frmEditEntry>();
  t.children["frmDisplayRank"] = Child<frmDisplayRank>();
  t.children["frmPossibilities"] = Child<frmPossibilities>();
  t.children["frmPoolAnalysis"] = Child<frmPoolAnalysis>();
  t.children["frmListBettors"] = Child<frmListBettors>();
  t.children["frmPrintForm"] = Child<frmPrintForm>();
  t.dialogs["frmParms"] = Modal<frmParms>();
  t.dialogs["frmSelectEntry"] = [](AppContext& c, QWidget* p) { RunSelectEntry(c, p); };
  t.dialogs["frmSelectBettor"] = Modal<frmSelectBettor>();
  t.dialogs["frmEditBettor"] = Modal<frmEditBettor>();
  t.dialogs["frmEntryHeader"] = Modal<frmEntryHeader>();
  t.dialogs["frmImportEntries"] = Modal<frmImportEntries>();
  t.dialogs["frmImportBettors"] = Modal<frmImportBettors>();
  t.dialogs["frmOptions"] = [](AppContext& c, QWidget* p) { frmOptions::ShowModal(c, p); };
  t.dialogs["frmAbout"] = [](AppContext& c, QWidget* p) { frmAbout::ShowModal(c, p); };
  t.dialogs["frmBackup"] = [](AppContext& c, QWidget* p) { frmBackup::ShowModal(c, p); };
  t.dialogs["frmDownload"] = [](AppContext& c, QWidget* p) { RunDownloadDialog(c, p); };
  t.dialogs["frmEMailReports"] = [](AppContext& c, QWidget* p) { RunEmailReportsDialog(c, p); };
  t.dialogs["frmErrors"] = [](AppContext& c, QWidget* p) { frmErrors::ShowModal(c, p); };
  t.dialogs["frmPageSetup"] = [](AppContext& c, QWidget* p) { frmPageSetup::ShowModal(c, p); };
  t.dialogs["PrintToFile"] = PrintToFile;
  return t;
}

}  // namespace qb
